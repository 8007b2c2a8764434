#include "macros/MacroDelayDialog.h"

#include "macros/MacroLineText.h"

namespace orbic::macros {

namespace {
constexpr NumberFieldRules kDelayRules{.min = 0, .max = kMaxEditDelayMs, .emptyBecomesZero = true};
}  // namespace

MacroDelayDialog::MacroDelayDialog() : field_(kDelayRules) {}

std::string MacroDelayDialog::ConfirmedLine() const {
  if (field_.Text().empty()) {
    return {};
  }
  return DelayLine(field_.Value());
}

}  // namespace orbic::macros
