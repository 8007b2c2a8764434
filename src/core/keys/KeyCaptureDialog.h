#pragma once

#include <cstdint>
#include <string>

// The key-capture dialog of the macro editors: one key, any key (modifiers and
// the Windows keys included), as a key-press or key-release event line.
namespace orbic::keys {

enum class KeyEventKind { kPress, kRelease };

struct KeyCaptureResult {
  std::string keyName;
  std::string eventText;  // e.g. "A CODE:8204"; empty when no key is captured
};

class KeyCaptureDialog {
 public:
  explicit KeyCaptureDialog(KeyEventKind kind) : kind_(kind) {}

  // A key goes down in the field; it replaces any key captured before.
  void KeyDown(std::uint16_t virtualKey);
  // "Clear": empties the field and forgets the captured key.
  void Clear();
  // "OK": what the caller hands to the macro editor before closing the dialog.
  // Closing without OK simply drops the dialog.
  KeyCaptureResult Confirm() const { return {keyName_, eventText_}; }

  const std::string& FieldText() const { return fieldText_; }
  std::uint8_t KeyByte() const { return keyByte_; }

 private:
  KeyEventKind kind_;
  std::string fieldText_;
  std::string keyName_;
  std::string eventText_;
  std::uint8_t keyByte_ = 0;
};

}  // namespace orbic::keys
