#include "drivermacros/DriverMacroAssignment.h"

#include <string>

#include "base/UiHost.h"
#include "keys/ButtonAssignment.h"
#include "keys/KeyAssignments.h"
#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"
#include "macros/MacroLibrary.h"
#include "ui/MessageStrings.h"

namespace orbic::drivermacros {

DriverMacroAssignment::DriverMacroAssignment(keys::ButtonAssignment& editor,
                                             keys::KeyAssignments& keys, params::DataBuf& data,
                                             DriverSlotList& list,
                                             const ui::MessageStrings& messages, UiHost& ui)
    : editor_(editor), keys_(keys), data_(data), list_(list), messages_(messages), ui_(ui) {}

DriverAssignOutcome DriverMacroAssignment::ChangeProfile1StringForDriverMode(
    const macros::DriverMacroLibrary& library, std::size_t index) {
  if (index >= library.Count()) {
    editor_.HideAllMenu();
    return {DriverAssignResult::kNoMacro};
  }
  return ChangeProfile1StringForDriverMode(library.Record(index));
}

DriverAssignOutcome DriverMacroAssignment::ChangeProfile1StringForDriverMode(
    const macros::DriverMacroRecord& macro) {
  editor_.HideAllMenu();
  const keys::EditingTarget target = editor_.Target();
  if (!target.IsValid()) {
    return {DriverAssignResult::kNoTarget};
  }
  // A nameless copy could never be found again by name, and its label would be empty.
  if (macro.Empty()) {
    return {DriverAssignResult::kNoMacro};
  }
  if (!editor_.KeepsLeftClick(macros::DecodeName(macro.name))) {
    ui_.ShowMessage(messages_.str108, MessageStyle::kDialog);
    return {DriverAssignResult::kLeftClickKept};
  }
  const std::optional<std::size_t> position = list_.FindOrAppend(macro);
  const std::optional<std::uint16_t> address =
      position ? keys::DriverMacroAddress(*position) : std::nullopt;
  if (!address) {
    ui_.ShowMessage(std::string(kDriverListFullMessage), MessageStyle::kDialog);
    return {DriverAssignResult::kListFull};
  }

  // The type follows the stop mode of the copy the driver will play.
  const bool stopsOnRelease = list_.Record(*position).content[0] ==
                              static_cast<std::uint8_t>(macros::StopMode::kUntilKeyRelease);
  const keys::KeyCode code = keys::MacroReference(stopsOnRelease, *address);
  keys_.Assign(target.keyMode, target.button, keys::CodeString(code), data_);
  // Other buttons may name the same copy.
  keys_.RefreshLabels();
  return {DriverAssignResult::kAssigned, *position};
}

}  // namespace orbic::drivermacros
