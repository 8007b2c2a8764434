#include "keys/CodeLabels.h"

#include <algorithm>

#include "keys/FixedFunctions.h"
#include "keys/GunPresets.h"
#include "keys/KeyNames.h"
#include "keys/MacroReferences.h"

namespace orbic::keys {
namespace {

std::string Text(const LabelContext& context, std::string_view key) {
  return context.text ? context.text(key) : TableOneText(key);
}

const FixedFunction* ExactFixedFunction(const KeyCode& code) {
  const auto rows = FixedFunctions();
  const auto found = std::find_if(rows.begin(), rows.end(),
                                  [&code](const FixedFunction& row) { return row.code == code; });
  return found == rows.end() ? nullptr : &*found;
}

bool IsMacroReference(const KeyCode& code) {
  return code.type == code_type::kMacroRunToEnd || code.type == code_type::kMacroWhileHeld;
}

std::string GunKeyLabel(const KeyCode& code, const LabelContext& context) {
  if (context.gunKeys != nullptr) {
    if (const auto position = context.gunKeys->GunKeyPosition(code)) {
      return std::string(kGunKeyListLabel) + std::to_string(*position);
    }
  }
  const GunPreset* preset = GunPresetForCode(code);
  return preset == nullptr ? std::string() : Text(context, preset->labelKey);
}

}  // namespace

std::string LabelForCode(std::string_view codeString, const LabelContext& context) {
  const auto parsed = ParseCodeString(codeString);
  if (!parsed) {
    return {};
  }
  const KeyCode& code = *parsed;
  if (const FixedFunction* row = ExactFixedFunction(code)) {
    return Text(context, row->labelKey);
  }
  if (code.type == code_type::kAim) {
    return Text(context, kAimLabelKey);
  }
  // The Fire Key section is no macro; in driver mode its reference also takes
  // type 0x0E (continuous fire), which must keep the Fire Key label.
  if (IsMacroReference(code) && code.Operand() == kFireKeyAddress) {
    return Text(context, kFireKeyLabelKey);
  }
  if (code.type == code_type::kKeyboard) {
    return KeyboardLabel(code.byte1, code.byte2);
  }
  if (IsMacroReference(code)) {
    if (context.macros == nullptr) {
      return {};
    }
    return context.macros->MacroNameForAddress(code.Operand()).value_or(std::string());
  }
  if (code.type == code_type::kGunKey) {
    return GunKeyLabel(code, context);
  }
  return {};
}

}  // namespace orbic::keys
