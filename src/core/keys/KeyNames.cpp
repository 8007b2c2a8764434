#include "keys/KeyNames.h"

#include <algorithm>
#include <array>
#include <utility>

#include "keys/KeyCode.h"
#include "keys/LayoutKeyNames.h"

namespace orbic::keys {
namespace {

struct UsageName {
  std::uint8_t usage;
  std::string_view name;
};

// Sorted by usage.
constexpr std::array kUsageNames = {
    UsageName{0x04, "A"},
    UsageName{0x05, "B"},
    UsageName{0x06, "C"},
    UsageName{0x07, "D"},
    UsageName{0x08, "E"},
    UsageName{0x09, "F"},
    UsageName{0x0A, "G"},
    UsageName{0x0B, "H"},
    UsageName{0x0C, "I"},
    UsageName{0x0D, "J"},
    UsageName{0x0E, "K"},
    UsageName{0x0F, "L"},
    UsageName{0x10, "M"},
    UsageName{0x11, "N"},
    UsageName{0x12, "O"},
    UsageName{0x13, "P"},
    UsageName{0x14, "Q"},
    UsageName{0x15, "R"},
    UsageName{0x16, "S"},
    UsageName{0x17, "T"},
    UsageName{0x18, "U"},
    UsageName{0x19, "V"},
    UsageName{0x1A, "W"},
    UsageName{0x1B, "X"},
    UsageName{0x1C, "Y"},
    UsageName{0x1D, "Z"},
    UsageName{0x1E, "1"},
    UsageName{0x1F, "2"},
    UsageName{0x20, "3"},
    UsageName{0x21, "4"},
    UsageName{0x22, "5"},
    UsageName{0x23, "6"},
    UsageName{0x24, "7"},
    UsageName{0x25, "8"},
    UsageName{0x26, "9"},
    UsageName{0x27, "0"},
    UsageName{0x28, "Enter"},
    UsageName{0x29, "Esc"},
    UsageName{0x2A, "Backspace"},
    UsageName{0x2B, "Tab"},
    UsageName{0x2C, "Space bar"},
    UsageName{0x2D, "OEM_Minus"},
    UsageName{0x2E, "OEM_Plus"},
    UsageName{0x2F, "OEM_4"},
    UsageName{0x30, "OEM_6"},
    UsageName{0x31, "OEM_5"},
    UsageName{0x33, "OEM_1"},
    UsageName{0x34, "OEM_7"},
    UsageName{0x35, "OEM_3"},
    UsageName{0x36, "OEM_Comma"},
    UsageName{0x37, "OEM_Period"},
    UsageName{0x38, "OEM_2"},
    UsageName{0x39, "Caps Lock"},
    UsageName{0x3A, "F1"},
    UsageName{0x3B, "F2"},
    UsageName{0x3C, "F3"},
    UsageName{0x3D, "F4"},
    UsageName{0x3E, "F5"},
    UsageName{0x3F, "F6"},
    UsageName{0x40, "F7"},
    UsageName{0x41, "F8"},
    UsageName{0x42, "F9"},
    UsageName{0x43, "F10"},
    UsageName{0x44, "F11"},
    UsageName{0x45, "F12"},
    UsageName{0x46, "Print Screen"},
    UsageName{0x47, "Scroll Lock"},
    UsageName{0x48, "Pause"},
    UsageName{0x49, "Insert"},
    UsageName{0x4A, "Home"},
    UsageName{0x4B, "Page Up"},
    UsageName{0x4C, "Delete"},
    UsageName{0x4D, "End"},
    UsageName{0x4E, "Page Down"},
    UsageName{0x4F, "Right Arrow"},
    UsageName{0x50, "Left Arrow"},
    UsageName{0x51, "Down Arrow"},
    UsageName{0x52, "Up Arrow"},
    UsageName{0x53, "Num Lock"},
    UsageName{0x54, "Divide (numeric pad)"},
    UsageName{0x55, "Multiply (numeric pad)"},
    UsageName{0x56, "Subtract (numeric pad)"},
    UsageName{0x57, "Add (numeric pad)"},
    UsageName{0x58, "Separator (numeric pad)"},
    UsageName{0x59, "1 (numeric pad)"},
    UsageName{0x5A, "2 (numeric pad)"},
    UsageName{0x5B, "3 (numeric pad)"},
    UsageName{0x5C, "4 (numeric pad)"},
    UsageName{0x5D, "5 (numeric pad)"},
    UsageName{0x5E, "6 (numeric pad)"},
    UsageName{0x5F, "7 (numeric pad)"},
    UsageName{0x60, "8 (numeric pad)"},
    UsageName{0x61, "9 (numeric pad)"},
    UsageName{0x62, "0 (numeric pad)"},
    UsageName{0x63, "Decimal (numeric pad)"},
    UsageName{0x65, "Applications"},
    UsageName{0x68, "F13"},
    UsageName{0x69, "F14"},
    UsageName{0x6A, "F15"},
    UsageName{0x6B, "F16"},
    UsageName{0x6C, "F17"},
    UsageName{0x6D, "F18"},
    UsageName{0x6E, "F19"},
    UsageName{0x6F, "F20"},
    UsageName{0x70, "F21"},
    UsageName{0x71, "F22"},
    UsageName{0x72, "F23"},
    UsageName{0x73, "F24"},
    UsageName{0x75, "Help"},
    UsageName{0x77, "Select"},
    UsageName{0x9C, "Clear"},
    UsageName{0xC0, "Media_Next_Track"},
    UsageName{0xC1, "Media_Prev_Track"},
    UsageName{0xC2, "Media_Stop"},
    UsageName{0xC3, "Media_Play_Pause"},
    UsageName{0xC4, "Volume_Mute"},
    UsageName{0xC5, "Volume_Up"},
    UsageName{0xC6, "Volume_Down"},
    UsageName{0xC7, "Launch_Mail"},
    UsageName{0xC8, "Browser_Search"},
    UsageName{0xC9, "Browser_Home"},
    UsageName{0xCA, "Browser_Back"},
    UsageName{0xCB, "Browser_Forward"},
    UsageName{0xCC, "Browser_Stop"},
    UsageName{0xCD, "Browser_Refresh"},
    UsageName{0xCE, "Browser_Favorites"},
    UsageName{0xD1, "Launch_Media_Select"},
    UsageName{0xE0, "Left Ctrl"},
    UsageName{0xE1, "Left Shift"},
    UsageName{0xE2, "Left Alt"},
    UsageName{0xE3, "Win"},
    UsageName{0xE4, "Right Ctrl"},
    UsageName{0xE5, "Right Shift"},
    UsageName{0xE6, "Right Alt"},
    UsageName{0xE7, "Win"},
};

constexpr bool StrictlyAscending() {
  return std::adjacent_find(kUsageNames.begin(), kUsageNames.end(),
                            [](const UsageName& a, const UsageName& b) {
                              return a.usage >= b.usage;
                            }) == kUsageNames.end();
}
static_assert(StrictlyAscending(), "lookups use binary search");

struct ModifierPrefix {
  std::uint8_t bit;
  std::string_view prefix;
};

constexpr std::array kModifierPrefixes = {
    ModifierPrefix{modifier::kCtrl, "Ctrl+"},
    ModifierPrefix{modifier::kShift, "Shift+"},
    ModifierPrefix{modifier::kAlt, "Alt+"},
    ModifierPrefix{modifier::kWin, "Win+"},
};

}  // namespace

std::string KeyNameForUsage(std::uint8_t keyByte) {
  if (auto layoutName = LayoutKeyName(keyByte)) {
    return std::move(*layoutName);
  }
  const auto found = std::lower_bound(
      kUsageNames.begin(), kUsageNames.end(), keyByte,
      [](const UsageName& entry, std::uint8_t usage) { return entry.usage < usage; });
  if (found == kUsageNames.end() || found->usage != keyByte) {
    return {};
  }
  return std::string(found->name);
}

std::string KeyboardLabel(std::uint8_t modifierBits, std::uint8_t keyByte) {
  std::string label;
  for (const ModifierPrefix& entry : kModifierPrefixes) {
    if ((modifierBits & entry.bit) != 0) {
      label += entry.prefix;
    }
  }
  if (keyByte != 0) {
    label += KeyNameForUsage(keyByte);
  }
  return label;
}

}  // namespace orbic::keys
