#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Windows virtual-key codes, the vocabulary in which captured keys arrive
// (the GUI translates its toolkit's keys to these), with the name the key
// dialogs and the recorder show and the key byte a code stores.
namespace orbic::keys {

namespace virtual_key {
inline constexpr std::uint16_t kShift = 0x10;
inline constexpr std::uint16_t kControl = 0x11;
inline constexpr std::uint16_t kAlt = 0x12;
inline constexpr std::uint16_t kLeftWindows = 0x5B;
inline constexpr std::uint16_t kRightWindows = 0x5C;
inline constexpr std::uint16_t kLeftShift = 0xA0;
inline constexpr std::uint16_t kRightShift = 0xA1;
inline constexpr std::uint16_t kLeftControl = 0xA2;
inline constexpr std::uint16_t kRightControl = 0xA3;
inline constexpr std::uint16_t kLeftAlt = 0xA4;
inline constexpr std::uint16_t kRightAlt = 0xA5;
// Reported for keys without a code of their own; the recorder skips it.
inline constexpr std::uint16_t kNoCode = 0xFF;
}  // namespace virtual_key

struct VirtualKey {
  std::uint16_t code;
  std::string_view name;
  std::uint8_t usage;  // 0: the key has no key byte
};

// Name shown for a virtual key outside the table.
inline constexpr std::string_view kUnnamedKey = "None";

// The named keys, sorted by code.
std::span<const VirtualKey> VirtualKeys();

// Key byte of a virtual key; 0 for a key without one.
std::uint8_t UsageForVirtualKey(std::uint16_t virtualKey);

// Name of a virtual key: the keyboard layout's name of its place where one is
// known (keys/LayoutKeyNames.h), else the table's; kUnnamedKey for one outside
// the table.
std::string KeyNameForVirtualKey(std::uint16_t virtualKey);

// Shift, Ctrl or Alt of either side.
bool IsShiftCtrlOrAlt(std::uint16_t virtualKey);

// The side-less code of a Shift, Ctrl or Alt of either side (a key event of
// a field reports these without their side); any other key as it is.
std::uint16_t SidelessModifier(std::uint16_t virtualKey);

}  // namespace orbic::keys
