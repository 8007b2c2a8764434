#pragma once

#include "base/HexText.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The three-byte function code a mouse button performs, and its six-digit
// code string ("010100" = type 0x01, operand 0x01 0x00).
namespace orbic::keys {

inline constexpr std::size_t kCodeLength = 3;
inline constexpr std::size_t kCodeStringLength = 2 * kCodeLength;

// Byte 0 of a code.
namespace code_type {
inline constexpr std::uint8_t kKeyOff = 0x00;
inline constexpr std::uint8_t kMouseButton = 0x01;  // byte 1: button bit
inline constexpr std::uint8_t kKeyboard = 0x02;     // byte 1: modifier bits, byte 2: key byte
inline constexpr std::uint8_t kConsumer = 0x03;     // bytes 1-2: consumer-page usage
inline constexpr std::uint8_t kDpiLoop = 0x05;
inline constexpr std::uint8_t kMacroRunToEnd = 0x06;  // bytes 1-2: macro address
inline constexpr std::uint8_t kDpiUp = 0x07;
inline constexpr std::uint8_t kDpiDown = 0x08;
inline constexpr std::uint8_t kLedSwitch = 0x09;
inline constexpr std::uint8_t kAim = 0x0A;                // byte 1: aim DPI index
inline constexpr std::uint8_t kFireMacroRunToEnd = 0x0B;  // bytes 1-2: fire macro address
inline constexpr std::uint8_t kGunKey = 0x0C;             // bytes 1, 2: first, last fire macro
inline constexpr std::uint8_t kGunKeyFn = 0x0D;
inline constexpr std::uint8_t kMacroWhileHeld = 0x0E;  // bytes 1-2: (fire) macro address
inline constexpr std::uint8_t kKeyModeSwitch = 0x0F;
inline constexpr std::uint8_t kLedMode = 0x10;
}  // namespace code_type

// Byte 1 of a mouse-button code.
namespace mouse_button {
inline constexpr std::uint8_t kLeft = 0x01;
inline constexpr std::uint8_t kRight = 0x02;
inline constexpr std::uint8_t kMiddle = 0x04;
inline constexpr std::uint8_t kBack = 0x08;
inline constexpr std::uint8_t kForward = 0x10;
}  // namespace mouse_button

// Byte 1 of a keyboard code. Left and right keys are not told apart.
namespace modifier {
inline constexpr std::uint8_t kCtrl = 0x01;
inline constexpr std::uint8_t kShift = 0x02;
inline constexpr std::uint8_t kAlt = 0x04;
inline constexpr std::uint8_t kWin = 0x08;
}  // namespace modifier

struct KeyCode {
  std::uint8_t type = code_type::kKeyOff;
  std::uint8_t byte1 = 0;
  std::uint8_t byte2 = 0;

  // Bytes 1 and 2 as one number, byte 1 high.
  constexpr std::uint16_t Operand() const {
    return static_cast<std::uint16_t>((byte1 << 8) | byte2);
  }
  constexpr std::array<std::uint8_t, kCodeLength> Bytes() const { return {type, byte1, byte2}; }
  static constexpr KeyCode FromBytes(std::span<const std::uint8_t, kCodeLength> bytes) {
    return {bytes[0], bytes[1], bytes[2]};
  }
  static constexpr KeyCode WithOperand(std::uint8_t type, std::uint16_t operand) {
    return {type, static_cast<std::uint8_t>(operand >> 8), static_cast<std::uint8_t>(operand)};
  }

  friend constexpr bool operator==(const KeyCode&, const KeyCode&) = default;
};

// Six uppercase hexadecimal digits, type first.
std::string CodeString(const KeyCode& code);

// The code of a code string; nothing when the text is not exactly six
// hexadecimal digits (either case), so a damaged string never becomes a code.
std::optional<KeyCode> ParseCodeString(std::string_view text);

// One byte as two uppercase hexadecimal digits.
using orbic::HexByte;

constexpr KeyCode KeyboardCode(std::uint8_t modifierBits, std::uint8_t keyByte) {
  return {code_type::kKeyboard, modifierBits, keyByte};
}
constexpr KeyCode ConsumerCode(std::uint16_t usage) {
  return KeyCode::WithOperand(code_type::kConsumer, usage);
}
constexpr KeyCode AimCode(std::uint8_t aimDpiIndex) {
  return {code_type::kAim, aimDpiIndex, 0};
}
constexpr KeyCode GunKeyCode(std::uint8_t firstFireMacro, std::uint8_t lastFireMacro) {
  return {code_type::kGunKey, firstFireMacro, lastFireMacro};
}

}  // namespace orbic::keys
