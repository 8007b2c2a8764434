#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "keys/KeyCode.h"

// The fixed functions of the function menu: identifier (the menu entry's tag),
// code and label key.
namespace orbic::keys {

enum class MenuGroup {
  kStandardMouseKeys,
  kSpecialKeys,
  kDpi,  // sub-menu of the special keys
  kOthers,
  kMedia,
  kWeb,
};

// Consumer-page usages of the fixed consumer-control functions.
namespace consumer_usage {
inline constexpr std::uint16_t kMyComputer = 0x0194;
inline constexpr std::uint16_t kCalculator = 0x0192;
inline constexpr std::uint16_t kEmail = 0x018A;
inline constexpr std::uint16_t kPlayPause = 0x00CD;
inline constexpr std::uint16_t kStop = 0x00B7;
inline constexpr std::uint16_t kPreviousTrack = 0x00B6;
inline constexpr std::uint16_t kNextTrack = 0x00B5;
inline constexpr std::uint16_t kVolumeUp = 0x00E9;
inline constexpr std::uint16_t kVolumeDown = 0x00EA;
inline constexpr std::uint16_t kMute = 0x00E2;
inline constexpr std::uint16_t kWebHome = 0x0223;
inline constexpr std::uint16_t kWebSearch = 0x0221;
inline constexpr std::uint16_t kWebBack = 0x0224;
inline constexpr std::uint16_t kWebForward = 0x0225;
inline constexpr std::uint16_t kWebStop = 0x0226;
inline constexpr std::uint16_t kWebRefresh = 0x0227;
inline constexpr std::uint16_t kWebFavorites = 0x022A;
}  // namespace consumer_usage

// Functions other parts of the program look for by label.
inline constexpr int kLeftClickFunction = 900;
inline constexpr int kFireKeyFunction = 1000;
inline constexpr int kAimFunction = 1002;
inline constexpr std::string_view kLeftClickLabelKey = "Str210";
inline constexpr std::string_view kFireKeyLabelKey = "Str220";
inline constexpr std::string_view kAimLabelKey = "Str222";

struct FixedFunction {
  int identifier;
  MenuGroup group;
  std::string_view controlName;  // the menu entry
  KeyCode code;                  // for the aim function byte 1 is the aim DPI index
  std::string_view labelKey;
};

// All rows, in identifier order within each group.
std::span<const FixedFunction> FixedFunctions();
const FixedFunction* FindFixedFunction(int identifier);

// The code string of a fixed function; for the aim function byte 1 is
// `aimDpiIndex`. Empty for an identifier outside the table.
std::string CodeForFunction(int identifier, std::uint8_t aimDpiIndex = 0);

}  // namespace orbic::keys
