#include "keys/CombinationKeyDialog.h"

#include "keys/KeyCode.h"
#include "keys/VirtualKeys.h"

namespace orbic::keys {
namespace {

struct BoxInfo {
  std::string_view name;
  std::uint8_t bit;
};

// In the order the field lists them.
constexpr std::array<BoxInfo, 4> kBoxes = {{
    {"Ctrl", modifier::kCtrl},
    {"Shift", modifier::kShift},
    {"Alt", modifier::kAlt},
    {"Win", modifier::kWin},
}};

// Removes the first occurrence of a modifier name with its separator.
void RemoveModifierName(std::string& text, std::string_view name) {
  const std::string withPlus = std::string(name) + "+";
  if (text.starts_with(name)) {
    text.erase(0, text.starts_with(withPlus) ? withPlus.size() : name.size());
    return;
  }
  std::string plusName = "+";  // built in steps: GCC 12 -O3 misreads "+" + string
  plusName += name;
  if (const auto at = text.find(plusName); at != std::string::npos) {
    text.erase(at, plusName.size());
  }
}

}  // namespace

std::string CombinationKeyDialog::BoxesText() const {
  std::string text;
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    if (boxes_[i]) {
      if (!text.empty()) {
        text += '+';
      }
      text += kBoxes[i].name;
    }
  }
  return text;
}

void CombinationKeyDialog::ForgetKey() {
  keyName_.clear();
  keyCount_ = 0;
  keyByte_ = 0;
}

void CombinationKeyDialog::KeyDown(std::uint16_t virtualKey, HeldModifiers held) {
  if (keyCount_ == 1) {
    ForgetKey();
    fieldText_ = BoxesText();
  }
  // A modifier key going down reports itself as held on some platforms and not
  // on others; treat the key itself like a held modifier either way.
  if (virtualKey == virtual_key::kLeftWindows || virtualKey == virtual_key::kRightWindows ||
      IsShiftCtrlOrAlt(virtualKey) || held.shift || held.ctrl || held.alt) {
    return;
  }
  keyName_ = KeyNameForVirtualKey(virtualKey);
  fieldText_ = fieldText_.empty() ? keyName_ : fieldText_ + "+" + keyName_;
  keyByte_ = UsageForVirtualKey(virtualKey);
  keyCount_ = 1;
}

void CombinationKeyDialog::SetBox(ModifierBox box, bool checked) {
  boxes_[Index(box)] = checked;
  if (checked) {
    fieldText_ = BoxesText();
    if (!keyName_.empty()) {
      fieldText_ += '+';
      fieldText_ += keyName_;
    }
  } else {
    RemoveModifierName(fieldText_, kBoxes[Index(box)].name);
  }
}

void CombinationKeyDialog::Clear() {
  fieldText_.clear();
  ForgetKey();
  boxes_ = {};
}

std::uint8_t CombinationKeyDialog::ModifierBits() const {
  std::uint8_t bits = 0;
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    if (boxes_[i]) {
      bits |= kBoxes[i].bit;
    }
  }
  return bits;
}

CombinationResult CombinationKeyDialog::Confirm() const {
  return {fieldText_, CodeString(KeyboardCode(ModifierBits(), keyByte_))};
}

}  // namespace orbic::keys
