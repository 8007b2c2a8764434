#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <optional>

// Qt's keys as the Windows virtual-key codes the core speaks (keys/VirtualKeys.h).
namespace orbic::gui {

// The virtual key of a key event; none for a key the table does not know.
//
// Letters, digits, F1..F24, navigation, the numeric pad (Qt's keypad
// modifier), US-layout punctuation (shifted characters give their key's code)
// and the media and browser keys map by table. Shift, Ctrl, Alt and the
// Windows keys are given by side where the platform tells it (X11 keysym or
// key code), else as the side-less code. On Windows the event's native
// virtual key is already the code and is taken as it is.
std::optional<std::uint16_t> VirtualKeyFromQt(const QKeyEvent& event);

}  // namespace orbic::gui
