#pragma once

#include <cstddef>
#include <string_view>

#include "macros/MacroLibrary.h"
#include "macros/MacroRecord.h"
#include "macros/MacroSlots.h"
#include "params/ParameterImage.h"

namespace orbic {
class UiHost;
}
namespace orbic::keys {
class ButtonAssignment;
class KeyAssignments;
}  // namespace orbic::keys
namespace orbic::ui {
struct MessageStrings;
}

namespace orbic::macros {

enum class MacroAssignResult {
  kAssigned,
  kNoTarget,       // no button was clicked (or its name gave no number)
  kNoMacro,        // an empty record, or an index past the library's macros
  kNoFreeSlot,     // refused without a message; the button keeps its code
  kLeftClickKept,  // "Please keep a Left Key" shown; the button keeps its code
  kDamaged,        // the macro's events fail their checksum; told, nothing changes
};

// Shown when a library macro whose stored events fail their checksum is
// chosen: the mouse would drop it, so it is not assigned.
inline constexpr std::string_view kDamagedMacroMessage =
    "This macro is damaged (its checksum does not match) and cannot be assigned.";

struct MacroAssignOutcome {
  MacroAssignResult result = MacroAssignResult::kNoTarget;
  int slot = 0;  // 1..6 when assigned
};

// The memory-mode choice of a library macro for the button the function menu
// edits (LB_NameClick): the macro claims a base macro slot and the button
// refers to it. The main page uses slots 1..6, the engineer page slots 1..4.
class MacroAssignment {
 public:
  MacroAssignment(keys::ButtonAssignment& editor, keys::KeyAssignments& keys, params::DataBuf& data,
                  MacroSlots& slots, const ui::MessageStrings& messages, UiHost& ui);

  // Assigns `macro` (name field and 224-byte content) to the editor's target.
  // Refusals change nothing: the button's code and label, the slots and the
  // macro areas stay as they were.
  MacroAssignOutcome LB_NameClick(const MacroRecord& macro);
  // The macro at position `index` of the macro list (= library index).
  MacroAssignOutcome LB_NameClick(const MacroLibrary& library, std::size_t index);

 private:
  keys::ButtonAssignment& editor_;
  keys::KeyAssignments& keys_;
  params::DataBuf& data_;
  MacroSlots& slots_;
  const ui::MessageStrings& messages_;
  UiHost& ui_;
};

}  // namespace orbic::macros
