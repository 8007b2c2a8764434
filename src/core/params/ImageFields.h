#pragma once

#include <cstddef>
#include <cstdint>

// Byte and bit positions of the fields inside the checked sections of the
// parameter image. Offsets are relative to the section start (see layout:: in
// ParameterImage.h); for Parameter A they equal the image offset.
namespace orbic::params {

namespace parameter_a {
// Byte 0: LED and fire-trigger switches, sensor orientation, LED type group.
inline constexpr std::size_t kSwitches = 0;
inline constexpr std::uint8_t kLedSwitchBit = 0x01;      // LED on/off by M+CPI
inline constexpr std::uint8_t kFireFunctionBit = 0x02;   // 1 = Fn+Left Key
inline constexpr std::uint8_t kLedModeSwitchBit = 0x04;  // LED mode by L+CPI
inline constexpr std::uint8_t kNoSaveKeyModeBit = 0x08;  // 1 = power up in key mode 1
inline constexpr unsigned kSensorOrientationShift = 4;
inline constexpr std::uint8_t kSensorOrientationMask = 0x70;
inline constexpr std::uint8_t kLedTypeGroupBit = 0x80;  // 0 = MCU LED
// Byte 1: key-mode switch methods, LED type detail, smoothing.
inline constexpr std::size_t kKeyModeSwitch = 1;
inline constexpr std::uint8_t kPressMiddleKeyBit = 0x01;
inline constexpr std::uint8_t kPressCpiKeyBit = 0x02;
inline constexpr std::uint8_t kPressGunKeyBit = 0x04;
inline constexpr std::uint8_t kLedTypeDetail3Bit = 0x08;
inline constexpr std::uint8_t kLedTypeDetail4Bit = 0x10;
inline constexpr std::uint8_t kSmoothingBit = 0x20;
inline constexpr std::size_t kDpiLevelCount = 2;
// Byte 3: MCU LED brightness and LED number (stored as 13 minus the number).
inline constexpr std::size_t kMcuLed = 3;
inline constexpr std::uint8_t kFullBrightnessBit = 0x08;
inline constexpr unsigned kLedNumberShift = 4;
inline constexpr std::uint8_t kLedNumberMask = 0xF0;
inline constexpr int kLedNumberBase = 13;
// Byte 4: bit 0 marks an MCU LED write, bits 1..7 enable MCU LED modes 1..7.
inline constexpr std::size_t kMcuLedModes = 4;
inline constexpr std::uint8_t kMcuLedWrittenBit = 0x01;
inline constexpr std::size_t kDpiLevels = 7;
inline constexpr std::size_t kDpiValues = 6;  // one DPI step index per level
inline constexpr std::uint8_t kNoDpiValue = 0xFF;
inline constexpr std::size_t kDpiColours = 26;  // red, green, blue per level
inline constexpr std::size_t kColourLength = 3;
inline constexpr std::size_t kChecksum = 47;
}  // namespace parameter_a

namespace parameter_b {
// Three value/complement pairs, then two unchecked identification bytes.
inline constexpr std::size_t kCurrentCpi = 0;  // level index 0..6
inline constexpr std::size_t kLedState = 2;
inline constexpr std::uint8_t kLedModeMask = 0x07;
inline constexpr std::uint8_t kLedOffBit = 0x08;
inline constexpr unsigned kLedStepShift = 5;
inline constexpr std::uint8_t kLedStepMask = 0xE0;
inline constexpr std::size_t kKeyMode = 4;
inline constexpr std::uint8_t kKeyMode2Bit = 0x80;
inline constexpr std::size_t kPairCount = 3;
inline constexpr std::size_t kVendorCode = 6;
inline constexpr std::size_t kProductCode = 7;
inline constexpr std::uint8_t kGenericCode = 0xFF;
}  // namespace parameter_b

namespace profile {
inline constexpr std::size_t kButtonCount = 9;
inline constexpr std::size_t kCodeLength = 3;
inline constexpr std::size_t kKeyModeLength = kButtonCount * kCodeLength;
inline constexpr std::size_t kKeyMode1 = 0;
inline constexpr std::size_t kKeyMode2 = kKeyModeLength;
inline constexpr std::size_t kChecksum = 2 * kKeyModeLength;
// Button n (1..9) of key mode m (1..2).
constexpr std::size_t ButtonOffset(std::size_t keyMode, std::size_t button) {
  return (keyMode - 1) * kKeyModeLength + (button - 1) * kCodeLength;
}
}  // namespace profile

namespace fire_key {
inline constexpr std::size_t kRepeatOperand = 2;  // shots - 1, 0xFF = continuous
inline constexpr std::uint8_t kContinuous = 0xFF;
inline constexpr std::size_t kFireTime = 8;  // interval between shots
inline constexpr std::size_t kChecksum = 10;
}  // namespace fire_key

namespace fire_tables {
inline constexpr std::size_t kFireMacroCount = 10;
inline constexpr std::size_t kKeyEntryLength = 3;      // type byte, address high, low
inline constexpr std::size_t kYOffsetEntryLength = 2;  // value, complement
inline constexpr std::size_t kColourEntryLength = 3;   // red, green, blue
inline constexpr std::size_t kMacroEntryLength = 24;   // fire macro parameter table entry
}  // namespace fire_tables

}  // namespace orbic::params
