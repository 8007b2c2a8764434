#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbic::perf {

// The kind of LED hardware the mouse carries; it decides which lighting options exist.
enum class LedType : std::uint8_t { kMcu, kRb, kSync, kBreath };
inline constexpr std::size_t kLedTypeCount = 4;

constexpr std::size_t Index(LedType type) {
  return static_cast<std::size_t>(type);
}

// The name the window keeps for the type and the rest of the program tests.
inline constexpr std::array<std::string_view, kLedTypeCount> kLedTypeNames = {"MCULED", "RBLED",
                                                                              "SyncLED", "BreLED"};
constexpr std::string_view LedTypeName(LedType type) {
  return kLedTypeNames[Index(type)];
}

// Byte 3 of the command-3 reply (arguments 0x5A, 0xD9); only the two top bits count.
LedType LedTypeFromMouse(std::uint8_t ledTypeByte);

// Parameter A byte 0 (bit 7) and byte 1 (bits 3, 4).
LedType LedTypeFromImage(std::uint8_t switches, std::uint8_t keyModeSwitch);

// Writes the type into the same bits, leaving every other bit of both bytes.
void WriteLedType(LedType type, std::uint8_t& switches, std::uint8_t& keyModeSwitch);

}  // namespace orbic::perf
