#pragma once

#include <string>

#include "macros/MacroNumberField.h"

// The value dialog of the macro editor, for a movement or a repeat count:
// digits and a leading "-". X and Y take -128 .. 127; a repeat count takes
// 0 .. 255 and shows "0" for an empty or negative entry.
namespace orbic::macros {

enum class ValueKind { kX, kY, kRepeat };

class MacroValueDialog {
 public:
  // Opens empty: OK on an empty field changes nothing (a repeat count of
  // 256 is stored but cannot be typed, so it must not be rewritten unasked).
  explicit MacroValueDialog(ValueKind kind);

  ValueKind Kind() const { return kind_; }
  MacroNumberField& Field() { return field_; }
  const MacroNumberField& Field() const { return field_; }
  // "OK": the new line, or nothing when the field is empty.
  std::string ConfirmedLine() const;

 private:
  ValueKind kind_;
  MacroNumberField field_;
};

}  // namespace orbic::macros
