#pragma once

#include <cstddef>
#include <string_view>

#include "drivermacros/DriverSlotList.h"
#include "macros/MacroRecord.h"
#include "params/ParameterImage.h"

namespace orbic {
class UiHost;
}
namespace orbic::keys {
class ButtonAssignment;
class KeyAssignments;
}  // namespace orbic::keys
namespace orbic::macros {
class DriverMacroLibrary;
}
namespace orbic::ui {
struct MessageStrings;
}

namespace orbic::drivermacros {

// Shown when a macro would need a 33rd copy: no code could point at it.
inline constexpr std::string_view kDriverListFullMessage =
    "No more macros can be given to buttons: at most 32 different macros fit. Read the mouse "
    "again to drop the macros no button uses.";

enum class DriverAssignResult {
  kAssigned,
  kNoTarget,       // no button was clicked (or its name gave no number)
  kNoMacro,        // an empty record, or an index past the library's macros
  kListFull,       // a 33rd distinct macro: refused with a message, nothing changed
  kLeftClickKept,  // "Please keep a Left Key" shown; the button keeps its code
};

struct DriverAssignOutcome {
  DriverAssignResult result = DriverAssignResult::kNoTarget;
  std::size_t position = 0;  // the copy's place in the driver list when assigned
};

// The driver-mode choice of a library macro for the button the function menu
// edits: the button refers to the macro's copy in the driver list, which gets
// a copy when it has none yet.
class DriverMacroAssignment {
 public:
  DriverMacroAssignment(keys::ButtonAssignment& editor, keys::KeyAssignments& keys,
                        params::DataBuf& data, DriverSlotList& list,
                        const ui::MessageStrings& messages, UiHost& ui);

  // Refusals change nothing: the button's code and label and the list stay.
  DriverAssignOutcome ChangeProfile1StringForDriverMode(const macros::DriverMacroRecord& macro);
  // The macro at position `index` of LB_Name (= library index).
  DriverAssignOutcome ChangeProfile1StringForDriverMode(const macros::DriverMacroLibrary& library,
                                                        std::size_t index);

 private:
  keys::ButtonAssignment& editor_;
  keys::KeyAssignments& keys_;
  params::DataBuf& data_;
  DriverSlotList& list_;
  const ui::MessageStrings& messages_;
  UiHost& ui_;
};

}  // namespace orbic::drivermacros
