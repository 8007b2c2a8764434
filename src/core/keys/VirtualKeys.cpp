#include "keys/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <utility>

#include "keys/LayoutKeyNames.h"

namespace orbic::keys {
namespace {

constexpr std::array kVirtualKeys = {
    VirtualKey{0x08, "Backspace", 0x2A},
    VirtualKey{0x09, "Tab", 0x2B},
    VirtualKey{0x0C, "Clear", 0x9C},
    VirtualKey{0x0D, "Enter", 0x28},
    VirtualKey{0x10, "Shift", 0xE1},
    VirtualKey{0x11, "Ctrl", 0xE0},
    VirtualKey{0x12, "Alt", 0xE2},
    VirtualKey{0x13, "Pause", 0x48},
    VirtualKey{0x14, "Caps Lock", 0x39},
    VirtualKey{0x1B, "Esc", 0x29},
    VirtualKey{0x20, "Space bar", 0x2C},
    VirtualKey{0x21, "Page Up", 0x4B},
    VirtualKey{0x22, "Page Down", 0x4E},
    VirtualKey{0x23, "End", 0x4D},
    VirtualKey{0x24, "Home", 0x4A},
    VirtualKey{0x25, "Left Arrow", 0x50},
    VirtualKey{0x26, "Up Arrow", 0x52},
    VirtualKey{0x27, "Right Arrow", 0x4F},
    VirtualKey{0x28, "Down Arrow", 0x51},
    VirtualKey{0x29, "Select", 0x77},
    VirtualKey{0x2C, "Print Screen", 0x46},
    VirtualKey{0x2D, "Insert", 0x49},
    VirtualKey{0x2E, "Delete", 0x4C},
    VirtualKey{0x2F, "Help", 0x75},
    VirtualKey{0x30, "0", 0x27},
    VirtualKey{0x31, "1", 0x1E},
    VirtualKey{0x32, "2", 0x1F},
    VirtualKey{0x33, "3", 0x20},
    VirtualKey{0x34, "4", 0x21},
    VirtualKey{0x35, "5", 0x22},
    VirtualKey{0x36, "6", 0x23},
    VirtualKey{0x37, "7", 0x24},
    VirtualKey{0x38, "8", 0x25},
    VirtualKey{0x39, "9", 0x26},
    VirtualKey{0x41, "A", 0x04},
    VirtualKey{0x42, "B", 0x05},
    VirtualKey{0x43, "C", 0x06},
    VirtualKey{0x44, "D", 0x07},
    VirtualKey{0x45, "E", 0x08},
    VirtualKey{0x46, "F", 0x09},
    VirtualKey{0x47, "G", 0x0A},
    VirtualKey{0x48, "H", 0x0B},
    VirtualKey{0x49, "I", 0x0C},
    VirtualKey{0x4A, "J", 0x0D},
    VirtualKey{0x4B, "K", 0x0E},
    VirtualKey{0x4C, "L", 0x0F},
    VirtualKey{0x4D, "M", 0x10},
    VirtualKey{0x4E, "N", 0x11},
    VirtualKey{0x4F, "O", 0x12},
    VirtualKey{0x50, "P", 0x13},
    VirtualKey{0x51, "Q", 0x14},
    VirtualKey{0x52, "R", 0x15},
    VirtualKey{0x53, "S", 0x16},
    VirtualKey{0x54, "T", 0x17},
    VirtualKey{0x55, "U", 0x18},
    VirtualKey{0x56, "V", 0x19},
    VirtualKey{0x57, "W", 0x1A},
    VirtualKey{0x58, "X", 0x1B},
    VirtualKey{0x59, "Y", 0x1C},
    VirtualKey{0x5A, "Z", 0x1D},
    VirtualKey{0x5B, "Left Windows", 0xE3},
    VirtualKey{0x5C, "Right Windows", 0xE7},
    VirtualKey{0x5D, "Applications", 0x65},
    VirtualKey{0x60, "0 (numeric pad)", 0x62},
    VirtualKey{0x61, "1 (numeric pad)", 0x59},
    VirtualKey{0x62, "2 (numeric pad)", 0x5A},
    VirtualKey{0x63, "3 (numeric pad)", 0x5B},
    VirtualKey{0x64, "4 (numeric pad)", 0x5C},
    VirtualKey{0x65, "5 (numeric pad)", 0x5D},
    VirtualKey{0x66, "6 (numeric pad)", 0x5E},
    VirtualKey{0x67, "7 (numeric pad)", 0x5F},
    VirtualKey{0x68, "8 (numeric pad)", 0x60},
    VirtualKey{0x69, "9 (numeric pad)", 0x61},
    VirtualKey{0x6A, "Multiply (numeric pad)", 0x55},
    VirtualKey{0x6B, "Add (numeric pad)", 0x57},
    VirtualKey{0x6C, "Separator (numeric pad)", 0x58},
    VirtualKey{0x6D, "Subtract (numeric pad)", 0x56},
    VirtualKey{0x6E, "Decimal (numeric pad)", 0x63},
    VirtualKey{0x6F, "Divide (numeric pad)", 0x54},
    VirtualKey{0x70, "F1", 0x3A},
    VirtualKey{0x71, "F2", 0x3B},
    VirtualKey{0x72, "F3", 0x3C},
    VirtualKey{0x73, "F4", 0x3D},
    VirtualKey{0x74, "F5", 0x3E},
    VirtualKey{0x75, "F6", 0x3F},
    VirtualKey{0x76, "F7", 0x40},
    VirtualKey{0x77, "F8", 0x41},
    VirtualKey{0x78, "F9", 0x42},
    VirtualKey{0x79, "F10", 0x43},
    VirtualKey{0x7A, "F11", 0x44},
    VirtualKey{0x7B, "F12", 0x45},
    VirtualKey{0x7C, "F13", 0x68},
    VirtualKey{0x7D, "F14", 0x69},
    VirtualKey{0x7E, "F15", 0x6A},
    VirtualKey{0x7F, "F16", 0x6B},
    VirtualKey{0x80, "F17", 0x6C},
    VirtualKey{0x81, "F18", 0x6D},
    VirtualKey{0x82, "F19", 0x6E},
    VirtualKey{0x83, "F20", 0x6F},
    VirtualKey{0x84, "F21", 0x70},
    VirtualKey{0x85, "F22", 0x71},
    VirtualKey{0x86, "F23", 0x72},
    VirtualKey{0x87, "F24", 0x73},
    VirtualKey{0x90, "Num Lock", 0x53},
    VirtualKey{0x91, "Scroll Lock", 0x47},
    VirtualKey{0xA0, "Left Shift", 0xE1},
    VirtualKey{0xA1, "Right Shift", 0xE5},
    VirtualKey{0xA2, "Left Ctrl", 0xE0},
    VirtualKey{0xA3, "Right Ctrl", 0xE4},
    VirtualKey{0xA4, "Left Alt", 0xE2},
    VirtualKey{0xA5, "Right Alt", 0xE6},
    VirtualKey{0xA6, "Browser_Back", 0xCA},
    VirtualKey{0xA7, "Browser_Forward", 0xCB},
    VirtualKey{0xA8, "Browser_Refresh", 0xCD},
    VirtualKey{0xA9, "Browser_Stop", 0xCC},
    VirtualKey{0xAA, "Browser_Search", 0xC8},
    VirtualKey{0xAB, "Browser_Favorites", 0xCE},
    VirtualKey{0xAC, "Browser_Home", 0xC9},
    VirtualKey{0xAD, "Volume_Mute", 0xC4},
    VirtualKey{0xAE, "Volume_Down", 0xC6},
    VirtualKey{0xAF, "Volume_Up", 0xC5},
    VirtualKey{0xB0, "Media_Next_Track", 0xC0},
    VirtualKey{0xB1, "Media_Prev_Track", 0xC1},
    VirtualKey{0xB2, "Media_Stop", 0xC2},
    VirtualKey{0xB3, "Media_Play_Pause", 0xC3},
    VirtualKey{0xB4, "Launch_Mail", 0xC7},
    VirtualKey{0xB5, "Launch_Media_Select", 0xD1},
    VirtualKey{0xB6, "Launch_App1", 0x00},
    VirtualKey{0xB7, "Launch_App2", 0x00},
    VirtualKey{0xBA, "OEM_1", 0x33},
    VirtualKey{0xBB, "OEM_Plus", 0x2E},
    VirtualKey{0xBC, "OEM_Comma", 0x36},
    VirtualKey{0xBD, "OEM_Minus", 0x2D},
    VirtualKey{0xBE, "OEM_Period", 0x37},
    VirtualKey{0xBF, "OEM_2", 0x38},
    VirtualKey{0xC0, "OEM_3", 0x35},
    VirtualKey{0xDB, "OEM_4", 0x2F},
    VirtualKey{0xDC, "OEM_5", 0x31},
    VirtualKey{0xDD, "OEM_6", 0x30},
    VirtualKey{0xDE, "OEM_7", 0x34},
    VirtualKey{0xDF, "OEM_8", 0x00},
    // The extra key of ISO keyboards, left of Z ("<>" on German and French ones).
    VirtualKey{0xE2, "OEM_102", 0x64},
    VirtualKey{0xFF, "255", 0x00},
};

constexpr bool StrictlyAscending() {
  return std::adjacent_find(kVirtualKeys.begin(), kVirtualKeys.end(),
                            [](const VirtualKey& a, const VirtualKey& b) {
                              return a.code >= b.code;
                            }) == kVirtualKeys.end();
}
static_assert(StrictlyAscending(), "lookups use binary search");

const VirtualKey* Find(std::uint16_t virtualKey) {
  const auto found = std::lower_bound(
      kVirtualKeys.begin(), kVirtualKeys.end(), virtualKey,
      [](const VirtualKey& entry, std::uint16_t code) { return entry.code < code; });
  return found != kVirtualKeys.end() && found->code == virtualKey ? &*found : nullptr;
}

}  // namespace

std::span<const VirtualKey> VirtualKeys() {
  return kVirtualKeys;
}

std::uint8_t UsageForVirtualKey(std::uint16_t virtualKey) {
  const VirtualKey* entry = Find(virtualKey);
  return entry == nullptr ? 0 : entry->usage;
}

std::string KeyNameForVirtualKey(std::uint16_t virtualKey) {
  const VirtualKey* entry = Find(virtualKey);
  if (entry == nullptr) {
    return std::string(kUnnamedKey);
  }
  if (auto layoutName = LayoutKeyName(entry->usage)) {
    return std::move(*layoutName);
  }
  return std::string(entry->name);
}

std::uint16_t SidelessModifier(std::uint16_t virtualKey) {
  namespace vk = virtual_key;
  // Left and right alternate from 0xA0: Shift, Ctrl, Alt.
  if (virtualKey >= vk::kLeftShift && virtualKey <= vk::kRightAlt) {
    return static_cast<std::uint16_t>(vk::kShift + (virtualKey - vk::kLeftShift) / 2);
  }
  return virtualKey;
}

bool IsShiftCtrlOrAlt(std::uint16_t virtualKey) {
  namespace vk = virtual_key;
  return (virtualKey >= vk::kShift && virtualKey <= vk::kAlt) ||
         (virtualKey >= vk::kLeftShift && virtualKey <= vk::kRightAlt);
}

}  // namespace orbic::keys
