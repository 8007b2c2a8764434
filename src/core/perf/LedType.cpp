#include "perf/LedType.h"

#include "params/ImageFields.h"

namespace orbic::perf {
namespace {

namespace a = params::parameter_a;

// Indexed by the two top bits of the mouse's LED type byte.
constexpr std::array<LedType, 4> kMouseLedTypes = {LedType::kSync, LedType::kBreath, LedType::kRb,
                                                   LedType::kMcu};
constexpr unsigned kMouseLedTypeShift = 6;

// How each type sets the two detail bits of byte 1 (the MCU type leaves bit 4).
struct DetailBits {
  bool groupBit;
  bool bit3;
  bool writesBit4;
  bool bit4;
};
constexpr std::array<DetailBits, kLedTypeCount> kDetailBits = {{
    {false, true, false, false},  // MCU
    {true, true, false, false},   // RB
    {true, false, true, false},   // Sync
    {true, false, true, true},    // Breath
}};

void SetBit(std::uint8_t& byte, std::uint8_t bit, bool on) {
  byte = static_cast<std::uint8_t>(on ? (byte | bit) : (byte & ~bit));
}

}  // namespace

LedType LedTypeFromMouse(std::uint8_t ledTypeByte) {
  return kMouseLedTypes[ledTypeByte >> kMouseLedTypeShift];
}

LedType LedTypeFromImage(std::uint8_t switches, std::uint8_t keyModeSwitch) {
  if ((switches & a::kLedTypeGroupBit) == 0) {
    return LedType::kMcu;
  }
  if ((keyModeSwitch & a::kLedTypeDetail3Bit) != 0) {
    return LedType::kRb;
  }
  if ((keyModeSwitch & a::kLedTypeDetail4Bit) != 0) {
    return LedType::kBreath;
  }
  return LedType::kSync;
}

void WriteLedType(LedType type, std::uint8_t& switches, std::uint8_t& keyModeSwitch) {
  const DetailBits& bits = kDetailBits[Index(type)];
  SetBit(switches, a::kLedTypeGroupBit, bits.groupBit);
  SetBit(keyModeSwitch, a::kLedTypeDetail3Bit, bits.bit3);
  if (bits.writesBit4) {
    SetBit(keyModeSwitch, a::kLedTypeDetail4Bit, bits.bit4);
  }
}

}  // namespace orbic::perf
