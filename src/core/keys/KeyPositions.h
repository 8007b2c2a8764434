#pragma once

#include <cstdint>
#include <optional>

// Keys by their place on the keyboard. The mouse plays keys as positions (HID
// usages) and the host's layout turns them into characters, so a key the user
// presses is best named by where it is: then it replays as the key pressed, on
// any layout.
namespace orbic::keys {

// The virtual key of the key at Linux input event code `evdevCode` (the X11
// and Wayland key code less 8), as a US keyboard names that place; nothing
// for a code without a key of the table.
std::optional<std::uint16_t> VirtualKeyAtEvdevCode(int evdevCode);

// X11 and Wayland key codes are the input event code plus this.
inline constexpr int kXkbKeycodeOffset = 8;

}  // namespace orbic::keys
