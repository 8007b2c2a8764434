#pragma once

#include <array>
#include <cstdint>
#include <string>

// The combination-key dialog: one captured key plus the Ctrl, Shift, Alt and
// Win boxes make a keyboard code. Modifiers come only from the boxes; a
// modifier key pressed in the field clears the captured key.
namespace orbic::keys {

enum class ModifierBox { kCtrl, kShift, kAlt, kWin };

// Which of Shift, Ctrl and Alt are held while a key goes down.
struct HeldModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

struct CombinationResult {
  std::string label;  // the field text
  std::string code;   // "02", modifier bits, key byte
};

class CombinationKeyDialog {
 public:
  // A key goes down in the field.
  void KeyDown(std::uint16_t virtualKey, HeldModifiers held = {});
  // A box is clicked to this state.
  void SetBox(ModifierBox box, bool checked);
  // "Clear": empties the field, the captured key and the boxes.
  void Clear();
  // "Confirm": the result the caller applies to the editing target before
  // closing the dialog. Closing without confirming simply drops the dialog.
  CombinationResult Confirm() const;

  const std::string& FieldText() const { return fieldText_; }
  bool IsBoxChecked(ModifierBox box) const { return boxes_[Index(box)]; }
  std::uint8_t KeyByte() const { return keyByte_; }
  std::uint8_t ModifierBits() const;

 private:
  static constexpr std::size_t Index(ModifierBox box) { return static_cast<std::size_t>(box); }
  std::string BoxesText() const;
  void ForgetKey();

  std::string fieldText_;
  std::string keyName_;  // empty: no key captured
  std::uint8_t keyByte_ = 0;
  int keyCount_ = 0;
  std::array<bool, 4> boxes_{};
};

}  // namespace orbic::keys
