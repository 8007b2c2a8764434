#include "keys/KeyCaptureDialog.h"

#include "keys/KeyCode.h"
#include "keys/VirtualKeys.h"

namespace orbic::keys {
namespace {

// Macro event opcodes: key down and key up.
constexpr std::uint8_t kKeyDownEvent = 0x82;
constexpr std::uint8_t kKeyUpEvent = 0x02;

}  // namespace

void KeyCaptureDialog::KeyDown(std::uint16_t virtualKey) {
  // Shift, Ctrl and Alt are captured without their side, as a key event of
  // the field reports them; only the recorder's keyboard hook tells sides.
  virtualKey = SidelessModifier(virtualKey);
  keyName_ = KeyNameForVirtualKey(virtualKey);
  fieldText_ = keyName_;
  keyByte_ = UsageForVirtualKey(virtualKey);
  const std::uint8_t event = kind_ == KeyEventKind::kPress ? kKeyDownEvent : kKeyUpEvent;
  eventText_ = keyName_ + " CODE:" + HexByte(event) + HexByte(keyByte_);
}

void KeyCaptureDialog::Clear() {
  fieldText_.clear();
  keyName_.clear();
  eventText_.clear();
  keyByte_ = 0;
}

}  // namespace orbic::keys
