#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "keys/KeyCode.h"

// The seven gun presets of the fire macro menu (gun key codes 0C first last).
namespace orbic::keys {

struct GunPreset {
  std::string_view labelKey;
  std::uint8_t firstFireMacro;
  std::uint8_t maxFireMacros;  // the gun key may cover 1..max fire macros from the first
};

inline constexpr int kGunPresetCount = 7;

std::span<const GunPreset> GunPresets();

// The gun key of preset 1..7 covering `fireMacroCount` fire macros (the
// configuration's Gun6_Num / Gun7_Num for presets 6 and 7): a count of 0 or
// less is taken as 1, a larger one is cut to the preset's maximum. Nothing for
// another preset number.
std::optional<KeyCode> GunPresetCode(int preset, int fireMacroCount);

// The preset whose gun key this is, in any of its sizes.
const GunPreset* GunPresetForCode(const KeyCode& code);

}  // namespace orbic::keys
