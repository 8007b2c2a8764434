#include "gui/input/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <span>

#include "keys/KeyPositions.h"
#include "keys/LayoutKeyNames.h"
#include "keys/VirtualKeys.h"

namespace orbic::gui {
namespace {

namespace vk = keys::virtual_key;

// Consecutive Qt keys that map to consecutive virtual keys; a single key is a
// range of one.
struct KeyRange {
  int firstQtKey;
  int lastQtKey;
  std::uint16_t firstVirtualKey;
};

constexpr KeyRange One(int qtKey, std::uint16_t virtualKey) {
  return {qtKey, qtKey, virtualKey};
}

// Keys away from the numeric pad (and pad keys whose code is the same as the
// main block's: Enter, the arrows and the other navigation keys).
constexpr auto kMainKeys = std::to_array<KeyRange>({
    {Qt::Key_A, Qt::Key_Z, 0x41},
    {Qt::Key_0, Qt::Key_9, 0x30},
    {Qt::Key_F1, Qt::Key_F24, 0x70},
    One(Qt::Key_Backspace, 0x08),
    One(Qt::Key_Tab, 0x09),
    One(Qt::Key_Backtab, 0x09),  // Shift+Tab
    One(Qt::Key_Clear, 0x0C),
    One(Qt::Key_Return, 0x0D),
    One(Qt::Key_Enter, 0x0D),
    One(Qt::Key_Shift, vk::kShift),
    One(Qt::Key_Control, vk::kControl),
    One(Qt::Key_Alt, vk::kAlt),
    One(Qt::Key_AltGr, vk::kRightAlt),
    One(Qt::Key_Meta, vk::kLeftWindows),
    One(Qt::Key_Super_L, vk::kLeftWindows),
    One(Qt::Key_Super_R, vk::kRightWindows),
    One(Qt::Key_Menu, 0x5D),
    One(Qt::Key_Pause, 0x13),
    One(Qt::Key_CapsLock, 0x14),
    One(Qt::Key_Escape, 0x1B),
    One(Qt::Key_Space, 0x20),
    One(Qt::Key_PageUp, 0x21),
    One(Qt::Key_PageDown, 0x22),
    One(Qt::Key_End, 0x23),
    One(Qt::Key_Home, 0x24),
    One(Qt::Key_Left, 0x25),
    One(Qt::Key_Up, 0x26),
    One(Qt::Key_Right, 0x27),
    One(Qt::Key_Down, 0x28),
    One(Qt::Key_Select, 0x29),
    One(Qt::Key_Print, 0x2C),
    One(Qt::Key_SysReq, 0x2C),  // Alt+Print Screen
    One(Qt::Key_Insert, 0x2D),
    One(Qt::Key_Delete, 0x2E),
    One(Qt::Key_Help, 0x2F),
    One(Qt::Key_NumLock, 0x90),
    One(Qt::Key_ScrollLock, 0x91),
    // US layout: a shifted character names the key it is on.
    One(Qt::Key_ParenRight, 0x30),
    One(Qt::Key_Exclam, 0x31),
    One(Qt::Key_At, 0x32),
    One(Qt::Key_NumberSign, 0x33),
    One(Qt::Key_Dollar, 0x34),
    One(Qt::Key_Percent, 0x35),
    One(Qt::Key_AsciiCircum, 0x36),
    One(Qt::Key_Ampersand, 0x37),
    One(Qt::Key_Asterisk, 0x38),
    One(Qt::Key_ParenLeft, 0x39),
    One(Qt::Key_Semicolon, 0xBA),
    One(Qt::Key_Colon, 0xBA),
    One(Qt::Key_Equal, 0xBB),
    One(Qt::Key_Plus, 0xBB),
    One(Qt::Key_Comma, 0xBC),
    One(Qt::Key_Less, 0xBC),
    One(Qt::Key_Minus, 0xBD),
    One(Qt::Key_Underscore, 0xBD),
    One(Qt::Key_Period, 0xBE),
    One(Qt::Key_Greater, 0xBE),
    One(Qt::Key_Slash, 0xBF),
    One(Qt::Key_Question, 0xBF),
    One(Qt::Key_QuoteLeft, 0xC0),
    One(Qt::Key_AsciiTilde, 0xC0),
    One(Qt::Key_BracketLeft, 0xDB),
    One(Qt::Key_BraceLeft, 0xDB),
    One(Qt::Key_Backslash, 0xDC),
    One(Qt::Key_Bar, 0xDC),
    One(Qt::Key_BracketRight, 0xDD),
    One(Qt::Key_BraceRight, 0xDD),
    One(Qt::Key_Apostrophe, 0xDE),
    One(Qt::Key_QuoteDbl, 0xDE),
    // Browser, media and launch keys.
    One(Qt::Key_Back, 0xA6),
    One(Qt::Key_Forward, 0xA7),
    One(Qt::Key_Refresh, 0xA8),
    One(Qt::Key_Stop, 0xA9),
    One(Qt::Key_Search, 0xAA),
    One(Qt::Key_Favorites, 0xAB),
    One(Qt::Key_HomePage, 0xAC),
    One(Qt::Key_VolumeMute, 0xAD),
    One(Qt::Key_VolumeDown, 0xAE),
    One(Qt::Key_VolumeUp, 0xAF),
    One(Qt::Key_MediaNext, 0xB0),
    One(Qt::Key_MediaPrevious, 0xB1),
    One(Qt::Key_MediaStop, 0xB2),
    One(Qt::Key_MediaPlay, 0xB3),
    One(Qt::Key_MediaPause, 0xB3),
    One(Qt::Key_MediaTogglePlayPause, 0xB3),
    One(Qt::Key_LaunchMail, 0xB4),
    One(Qt::Key_LaunchMedia, 0xB5),
    One(Qt::Key_Launch0, 0xB6),  // "My Computer"
    One(Qt::Key_Calculator, 0xB7),
    One(Qt::Key_Launch1, 0xB7),
});

// Keys of the numeric pad whose code differs from the main block's; Qt marks
// them with the keypad modifier.
constexpr auto kKeypadKeys = std::to_array<KeyRange>({
    {Qt::Key_0, Qt::Key_9, 0x60},
    One(Qt::Key_Asterisk, 0x6A),
    One(Qt::Key_Plus, 0x6B),
    One(Qt::Key_Comma, 0x6C),  // the separator of layouts that have one
    One(Qt::Key_Minus, 0x6D),
    One(Qt::Key_Period, 0x6E),
    One(Qt::Key_Slash, 0x6F),
});

std::optional<std::uint16_t> Lookup(std::span<const KeyRange> table, int qtKey) {
  const auto found = std::find_if(table.begin(), table.end(), [&](const KeyRange& range) {
    return qtKey >= range.firstQtKey && qtKey <= range.lastQtKey;
  });
  if (found == table.end()) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(found->firstVirtualKey + (qtKey - found->firstQtKey));
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
// The side of a modifier, from what the platform reports besides Qt's key.
struct NativeSide {
  quint32 native;
  std::uint16_t virtualKey;
};

// X11 keysyms (the event's native virtual key under xcb and wayland).
constexpr auto kModifierKeysyms = std::to_array<NativeSide>({
    {0xFFE1, vk::kLeftShift},     // Shift_L
    {0xFFE2, vk::kRightShift},    // Shift_R
    {0xFFE3, vk::kLeftControl},   // Control_L
    {0xFFE4, vk::kRightControl},  // Control_R
    {0xFFE7, vk::kLeftWindows},   // Meta_L
    {0xFFE8, vk::kRightWindows},  // Meta_R
    {0xFFE9, vk::kLeftAlt},       // Alt_L
    {0xFFEA, vk::kRightAlt},      // Alt_R
    {0xFFEB, vk::kLeftWindows},   // Super_L
    {0xFFEC, vk::kRightWindows},  // Super_R
    {0xFE03, vk::kRightAlt},      // ISO_Level3_Shift (AltGr)
});

// X11 key codes (evdev code + 8, the event's native scan code), for when the
// keysym says nothing about the side.
constexpr auto kModifierKeyCodes = std::to_array<NativeSide>({
    {50, vk::kLeftShift},
    {62, vk::kRightShift},
    {37, vk::kLeftControl},
    {105, vk::kRightControl},
    {64, vk::kLeftAlt},
    {108, vk::kRightAlt},
    {133, vk::kLeftWindows},
    {134, vk::kRightWindows},
});

std::optional<std::uint16_t> FindSide(std::span<const NativeSide> table, quint32 native) {
  const auto found = std::find_if(table.begin(), table.end(),
                                  [&](const NativeSide& entry) { return entry.native == native; });
  return found == table.end() ? std::nullopt : std::optional(found->virtualKey);
}

bool IsModifierCode(std::uint16_t virtualKey) {
  return keys::IsShiftCtrlOrAlt(virtualKey) || virtualKey == vk::kLeftWindows ||
         virtualKey == vk::kRightWindows;
}
#endif

}  // namespace

std::optional<std::uint16_t> VirtualKeyFromQt(const QKeyEvent& event) {
#ifdef Q_OS_WIN
  if (event.nativeVirtualKey() != 0) {
    return static_cast<std::uint16_t>(event.nativeVirtualKey());
  }
#endif
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
  // The key's place, which the layout does not change: the mouse plays
  // places, so the key replays as the one pressed whatever the layout.
  const int evdevCode = static_cast<int>(event.nativeScanCode()) - keys::kXkbKeycodeOffset;
  if (evdevCode > 0) {
    if (const auto placed = keys::VirtualKeyAtEvdevCode(evdevCode)) {
      return placed;
    }
  }
#endif
  const int key = event.key();
  std::optional<std::uint16_t> code;
  if (event.modifiers().testFlag(Qt::KeypadModifier)) {
    code = Lookup(kKeypadKeys, key);
  }
  if (!code) {
    code = Lookup(kMainKeys, key);
  }
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
  if (code && IsModifierCode(*code)) {
    if (const auto side = FindSide(kModifierKeysyms, event.nativeVirtualKey())) {
      return side;
    }
    if (const auto side = FindSide(kModifierKeyCodes, event.nativeScanCode())) {
      return side;
    }
  }
#endif
  return code;
}

std::optional<std::uint16_t> PressedVirtualKey(const QKeyEvent& event) {
  const std::optional<std::uint16_t> code = VirtualKeyFromQt(event);
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
  const int evdevCode = static_cast<int>(event.nativeScanCode()) - keys::kXkbKeycodeOffset;
  const bool placed = evdevCode > 0 && keys::VirtualKeyAtEvdevCode(evdevCode) == code;
  // Shift and AltGr choose another character of the key; Qt's key is then not
  // the keycap's first character.
  const Qt::KeyboardModifiers levels =
      Qt::ShiftModifier | Qt::AltModifier | Qt::GroupSwitchModifier | Qt::KeypadModifier;
  const auto key = static_cast<char32_t>(event.key());
  if (code && placed && (event.modifiers() & levels) == 0 && key > 0x20 && key < 0x110000) {
    const QString character = QString::fromUcs4(&key, 1);
    if (character.size() > 0 && character.at(0).isPrint()) {
      keys::LearnLayoutKeyName(keys::UsageForVirtualKey(*code), character.toStdString());
    }
  }
#endif
  return code;
}

}  // namespace orbic::gui
