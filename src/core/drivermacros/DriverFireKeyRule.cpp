#include "drivermacros/DriverFireKeyRule.h"

#include "keys/KeyAssignments.h"
#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"

namespace orbic::drivermacros {

void DriverFireKeyRule(keys::KeyAssignments& keys, params::DataBuf& data, bool continuousFire) {
  const keys::KeyCode fireKey = keys::MacroReference(continuousFire, keys::kFireKeyAddress);
  for (int mode = 1; mode <= keys::kKeyModes; ++mode) {
    for (int button = 1; button <= keys::kButtons; ++button) {
      const auto code = keys::ParseCodeString(keys.Code(mode, button));
      const bool holdsFireKey = code &&
                                (code->type == keys::code_type::kMacroRunToEnd ||
                                 code->type == keys::code_type::kMacroWhileHeld) &&
                                code->Operand() == keys::kFireKeyAddress;
      if (holdsFireKey && *code != fireKey) {
        keys.Assign(mode, button, keys::CodeString(fireKey), data);
      }
    }
  }
}

}  // namespace orbic::drivermacros
