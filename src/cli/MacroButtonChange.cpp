#include "cli/MacroButtonChange.h"

#include <cctype>
#include <charconv>
#include <vector>

#include "base/AtomicFile.h"
#include "macros/MacroLibrary.h"

namespace orbic::cli {

std::string AssignLibraryMacro(orbic::app::SettingsModel& model, const ui::MessageStrings& messages,
                               const std::string& name, int keyMode, int button,
                               const std::string& reference) {
  const std::size_t colon = reference.rfind(':');
  // "C:\folder\Macro.bin" alone: the colon of a Windows drive letter is no index separator.
  const bool driveColon = colon == 1 && reference.size() > 2 &&
                          std::isalpha(static_cast<unsigned char>(reference[0])) &&
                          (reference[2] == '\\' || reference[2] == '/');
  if (colon == std::string::npos || colon == 0 || driveColon) {
    return name + ": '" + reference + "' is not LIBRARY:INDEX";
  }
  const std::string path = reference.substr(0, colon);
  const std::string indexText = reference.substr(colon + 1);
  std::size_t index = 0;
  const auto [end, failure] =
      std::from_chars(indexText.data(), indexText.data() + indexText.size(), index);
  if (indexText.empty() || failure != std::errc() || end != indexText.data() + indexText.size() ||
      index >= macros::kLibraryCapacity) {
    return name + ": '" + indexText + "' is not a macro index from 0 to 99";
  }

  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!orbic::ReadWholeFile(path, bytes, error)) {
    return name + ": " + error;
  }
  if (bytes.size() != macros::kLibraryFileSize) {
    return name + ": " + path + ": a macro library must be exactly " +
           std::to_string(macros::kLibraryFileSize) + " bytes, this one has " +
           std::to_string(bytes.size());
  }
  const macros::MacroLibrary library = macros::MacroLibrary::FromBytes(bytes);
  if (index >= library.Count()) {
    return name + ": " + path + " holds " + std::to_string(library.Count()) +
           " macros, so there is no macro " + std::to_string(index);
  }

  model.assignment.ShowPnlMain_OnClick("Key" + std::to_string(button), keyMode);
  const macros::MacroAssignOutcome outcome = model.macroAssignment.LB_NameClick(library, index);
  switch (outcome.result) {
    case macros::MacroAssignResult::kAssigned:
      return "";
    case macros::MacroAssignResult::kNoFreeSlot:
      return name + ": no free macro slot: other buttons use all six slots";
    case macros::MacroAssignResult::kLeftClickKept:
      return name + ": " + messages.str108;
    case macros::MacroAssignResult::kDamaged:
      return name + ": " + std::string(macros::kDamagedMacroMessage);
    case macros::MacroAssignResult::kNoMacro:
    case macros::MacroAssignResult::kNoTarget:
      break;
  }
  return name + ": the macro could not be assigned";
}

}  // namespace orbic::cli
