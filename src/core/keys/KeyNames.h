#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Names of key bytes (HID keyboard-page usages and the program's own
// multimedia numbers 0xC0..0xD1) and the label of a keyboard code.
namespace orbic::keys {

// The keyboard layout's name of the place where one is known
// (keys/LayoutKeyNames.h), else the US name; empty when the key byte has no
// name.
std::string KeyNameForUsage(std::uint8_t keyByte);

// "Ctrl+", "Shift+", "Alt+", "Win+" for the bits set, in that order, then the
// key name; modifiers alone keep their trailing "+".
std::string KeyboardLabel(std::uint8_t modifierBits, std::uint8_t keyByte);

}  // namespace orbic::keys
