#include "macros/MacroValueDialog.h"

#include "macros/MacroLineText.h"

namespace orbic::macros {

namespace {

NumberFieldRules RulesFor(ValueKind kind) {
  if (kind == ValueKind::kRepeat) {
    return {.min = 0,
            .max = kMaxRepeatField,
            .allowMinus = true,
            .emptyBecomesZero = true,
            .negativeBecomesZero = true};
  }
  return {.min = kMinMovement, .max = kMaxMovement, .allowMinus = true, .emptyBecomesZero = true};
}

}  // namespace

MacroValueDialog::MacroValueDialog(ValueKind kind) : kind_(kind), field_(RulesFor(kind)) {}

std::string MacroValueDialog::ConfirmedLine() const {
  if (field_.Text().empty()) {
    return {};
  }
  switch (kind_) {
    case ValueKind::kX:
      return MovementLine(MovementAxis::kX, field_.Value());
    case ValueKind::kY:
      return MovementLine(MovementAxis::kY, field_.Value());
    case ValueKind::kRepeat:
      break;
  }
  return RepeatStartLine(field_.Value());
}

}  // namespace orbic::macros
