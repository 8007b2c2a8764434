#include "macros/MacroAssignment.h"

#include <array>
#include <string>

#include "base/UiHost.h"
#include "keys/ButtonAssignment.h"
#include "keys/KeyAssignments.h"
#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"
#include "ui/MessageStrings.h"

namespace orbic::macros {
namespace {

// The code a button holds while its slot is being chosen, so its old slot
// counts as taken only when another button still uses it.
constexpr std::string_view kClearedCode = "000000";

}  // namespace

MacroAssignment::MacroAssignment(keys::ButtonAssignment& editor, keys::KeyAssignments& keys,
                                 params::DataBuf& data, MacroSlots& slots,
                                 const ui::MessageStrings& messages, UiHost& ui)
    : editor_(editor), keys_(keys), data_(data), slots_(slots), messages_(messages), ui_(ui) {}

MacroAssignOutcome MacroAssignment::LB_NameClick(const MacroLibrary& library, std::size_t index) {
  if (index >= library.Count()) {
    editor_.HideAllMenu();
    return {MacroAssignResult::kNoMacro};
  }
  return LB_NameClick(library.Record(index));
}

MacroAssignOutcome MacroAssignment::LB_NameClick(const MacroRecord& macro) {
  editor_.HideAllMenu();
  const keys::EditingTarget target = editor_.Target();
  if (!target.IsValid()) {
    return {MacroAssignResult::kNoTarget};
  }
  // A nameless record would sit in a slot that reads as free, so the next
  // assignment could overwrite it under this button.
  if (macro.Empty()) {
    return {MacroAssignResult::kNoMacro};
  }
  // The slot would be zeroed by the check below (and by the mouse's next
  // read), leaving the button on an empty macro while the user sees success.
  // A macro without events has no checksum to fail.
  if (macro.content[1] != 0 && !ContentChecksumHolds(macro.content)) {
    ui_.ShowMessage(std::string(kDamagedMacroMessage), MessageStyle::kDialog);
    return {MacroAssignResult::kDamaged};
  }

  std::array<std::string, keys::kKeyModes * keys::kButtons> codes;
  for (int mode = 1; mode <= keys::kKeyModes; ++mode) {
    for (int button = 1; button <= keys::kButtons; ++button) {
      const bool isTarget = mode == target.keyMode && button == target.button;
      codes[static_cast<std::size_t>((mode - 1) * keys::kButtons + button - 1)] =
          isTarget ? std::string(kClearedCode) : keys_.Code(mode, button);
    }
  }
  // The engineer page chooses among slots 1..4 with the four-slot rule for
  // both the check and the slot: its check with the six-slot rule would
  // refuse a macro whose name a stale slot 5 or 6 carries while 1..4 have room.
  const bool mainPage = target.surface == keys::MenuSurface::kMain;
  const SlotNames names = slots_.NameFields();
  const int slot = mainPage ? FindBaseMacroCount(codes, macro.name, names)
                            : FindBaseMacroIndex(codes, macro.name, names);
  if (slot > (mainPage ? kSlotCount : kBaseAreaSlotCount)) {
    return {MacroAssignResult::kNoFreeSlot};
  }

  if (!editor_.KeepsLeftClick(DecodeName(macro.name))) {
    ui_.ShowMessage(messages_.str108, MessageStyle::kDialog);
    return {MacroAssignResult::kLeftClickKept};
  }

  // An empty content is stored all zero, as the next read would leave it.
  MacroRecord stored = macro;
  CheckMacroContentBuf(stored.content);
  slots_.Store(slot, stored);
  slots_.RefreshBaseMacroBuf(data_);

  const bool stopsOnRelease =
      stored.content[0] == static_cast<std::uint8_t>(StopMode::kUntilKeyRelease);
  const keys::KeyCode code = keys::MacroReference(stopsOnRelease, *keys::BaseMacroAddress(slot));
  keys_.Assign(target.keyMode, target.button, keys::CodeString(code), data_);
  // Other buttons may show the slot's name too.
  keys_.RefreshLabels();
  return {MacroAssignResult::kAssigned, slot};
}

}  // namespace orbic::macros
