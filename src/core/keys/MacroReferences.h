#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "keys/KeyCode.h"

// Codes that refer to a macro by the address of its length byte.
namespace orbic::keys {

inline constexpr std::size_t kBaseMacroSlotCount = 6;
// Slot 5 follows a gap: 0x0500..0x05FF holds the fire macros.
inline constexpr std::array<std::uint16_t, kBaseMacroSlotCount> kBaseMacroAddresses = {
    0x0121, 0x0221, 0x0321, 0x0421, 0x0621, 0x0721};

inline constexpr int kFireMacroCount = 10;
inline constexpr std::uint16_t kFirstFireMacroAddress = 0x0501;
inline constexpr std::uint16_t kFireMacroStride = 24;

// The Fire Key section, referenced like a run-to-end macro.
inline constexpr std::uint16_t kFireKeyAddress = 0x00F0;

// In driver mode: the content address of entry i of the list sent to the driver.
inline constexpr std::uint32_t kFirstDriverMacroAddress = 0x0120;
inline constexpr std::uint32_t kDriverMacroStride = 0x0800;

// Slot 1..6; nothing for any other slot.
std::optional<std::uint16_t> BaseMacroAddress(int slot);
// Base macro slot 1..6 at that address, if any.
std::optional<int> BaseMacroSlotForAddress(std::uint16_t address);
// Fire macro 1..10; nothing for any other number.
std::optional<std::uint16_t> FireMacroAddress(int number);
// Entry index of the driver list; nothing when the address would not fit the
// two operand bytes (index 32 and above).
std::optional<std::uint16_t> DriverMacroAddress(std::size_t index);

// A macro runs to its end (0x06) or stops when the key is released (0x0E),
// by the macro's mode byte (0 or 1).
constexpr KeyCode MacroReference(bool stopsOnRelease, std::uint16_t address) {
  return KeyCode::WithOperand(
      stopsOnRelease ? code_type::kMacroWhileHeld : code_type::kMacroRunToEnd, address);
}
// Fire macro key table entry: 0x0B runs to the end, 0x0E stops on release.
std::optional<KeyCode> FireMacroReference(bool stopsOnRelease, int number);

inline constexpr KeyCode kFireKeyCode =
    KeyCode::WithOperand(code_type::kMacroRunToEnd, kFireKeyAddress);

}  // namespace orbic::keys
