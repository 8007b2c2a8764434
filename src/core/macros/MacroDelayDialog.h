#pragma once

#include <string>

#include "macros/MacroNumberField.h"

// The delay dialog of the macro editor: digits only, 0 .. 2040 ms, an
// emptied field shows "0".
namespace orbic::macros {

inline constexpr int kMaxEditDelayMs = 2040;

class MacroDelayDialog {
 public:
  // Opens empty: OK on an empty field changes nothing, so a delay longer
  // than the field can hold is never cut by opening and confirming.
  MacroDelayDialog();

  MacroNumberField& Field() { return field_; }
  const MacroNumberField& Field() const { return field_; }
  // "OK": the new delay line, or nothing when the field is empty.
  std::string ConfirmedLine() const;

 private:
  MacroNumberField field_;
};

}  // namespace orbic::macros
