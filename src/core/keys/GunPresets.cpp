#include "keys/GunPresets.h"

#include <algorithm>
#include <array>

namespace orbic::keys {
namespace {

constexpr std::array<GunPreset, kGunPresetCount> kGunPresets = {{
    {"Str600", 1, 1},
    {"Str601", 2, 1},
    {"Str602", 3, 1},
    {"Str603", 4, 1},
    {"Str604", 5, 1},
    {"Str605", 6, 2},
    {"Str606", 8, 3},
}};

}  // namespace

std::span<const GunPreset> GunPresets() {
  return kGunPresets;
}

std::optional<KeyCode> GunPresetCode(int preset, int fireMacroCount) {
  if (preset < 1 || preset > kGunPresetCount) {
    return std::nullopt;
  }
  const GunPreset& row = kGunPresets[static_cast<std::size_t>(preset - 1)];
  const int count = std::clamp(fireMacroCount, 1, static_cast<int>(row.maxFireMacros));
  return GunKeyCode(row.firstFireMacro, static_cast<std::uint8_t>(row.firstFireMacro + count - 1));
}

const GunPreset* GunPresetForCode(const KeyCode& code) {
  if (code.type != code_type::kGunKey) {
    return nullptr;
  }
  const auto found =
      std::find_if(kGunPresets.begin(), kGunPresets.end(), [&code](const GunPreset& row) {
        return code.byte1 == row.firstFireMacro && code.byte2 >= row.firstFireMacro &&
               code.byte2 < row.firstFireMacro + row.maxFireMacros;
      });
  return found == kGunPresets.end() ? nullptr : &*found;
}

}  // namespace orbic::keys
