#include "keys/MacroReferences.h"

#include <algorithm>
#include <limits>

namespace orbic::keys {

std::optional<std::uint16_t> BaseMacroAddress(int slot) {
  if (slot < 1 || slot > static_cast<int>(kBaseMacroSlotCount)) {
    return std::nullopt;
  }
  return kBaseMacroAddresses[static_cast<std::size_t>(slot - 1)];
}

std::optional<int> BaseMacroSlotForAddress(std::uint16_t address) {
  const auto found = std::find(kBaseMacroAddresses.begin(), kBaseMacroAddresses.end(), address);
  if (found == kBaseMacroAddresses.end()) {
    return std::nullopt;
  }
  return static_cast<int>(found - kBaseMacroAddresses.begin()) + 1;
}

std::optional<std::uint16_t> FireMacroAddress(int number) {
  if (number < 1 || number > kFireMacroCount) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(kFirstFireMacroAddress + kFireMacroStride * (number - 1));
}

std::optional<std::uint16_t> DriverMacroAddress(std::size_t index) {
  constexpr std::size_t kLastIndex =
      (std::numeric_limits<std::uint16_t>::max() - kFirstDriverMacroAddress) / kDriverMacroStride;
  if (index > kLastIndex) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(kFirstDriverMacroAddress + kDriverMacroStride * index);
}

std::optional<KeyCode> FireMacroReference(bool stopsOnRelease, int number) {
  const auto address = FireMacroAddress(number);
  if (!address) {
    return std::nullopt;
  }
  return KeyCode::WithOperand(
      stopsOnRelease ? code_type::kMacroWhileHeld : code_type::kFireMacroRunToEnd, *address);
}

}  // namespace orbic::keys
