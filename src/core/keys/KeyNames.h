#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Names of key bytes (HID keyboard-page usages and the program's own
// multimedia numbers 0xC0..0xD1) and the label of a keyboard code.
namespace orbic::keys {

// Empty when the key byte has no name.
std::string_view KeyNameForUsage(std::uint8_t keyByte);

// "Ctrl+", "Shift+", "Alt+", "Win+" for the bits set, in that order, then the
// key name; modifiers alone keep their trailing "+".
std::string KeyboardLabel(std::uint8_t modifierBits, std::uint8_t keyByte);

}  // namespace orbic::keys
