#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <optional>

// Qt's keys as the Windows virtual-key codes the core speaks (keys/VirtualKeys.h).
namespace orbic::gui {

// The virtual key of a key event; none for a key the table does not know.
//
// Under X11 and Wayland the key's place decides: the native key code (the
// input event code + 8) gives the virtual key a US keyboard has at that place,
// whatever the layout, so a captured key replays as the key pressed. Without a
// known key code, letters, digits, F1..F24, navigation, the numeric pad (Qt's
// keypad modifier), US-layout punctuation (shifted characters give their key's
// code) and the media and browser keys map by table, and Shift, Ctrl, Alt and
// the Windows keys are given by side where the keysym tells it, else as the
// side-less code. On Windows the event's native virtual key is already the
// code and is taken as it is.
std::optional<std::uint16_t> VirtualKeyFromQt(const QKeyEvent& event);

// The virtual key of a key the user pressed to capture or record it, as
// VirtualKeyFromQt gives it. When the place came from the native key code and
// the key was pressed without Shift, Alt or AltGr, the character the layout
// puts there (Qt's key) becomes that place's name (keys/LayoutKeyNames.h): on
// a French keyboard the "1" place then shows as "&", as its keycap reads.
std::optional<std::uint16_t> PressedVirtualKey(const QKeyEvent& event);

}  // namespace orbic::gui
