#include "params/DeviceOptions.h"

#include <algorithm>

#include "params/ImageFields.h"

namespace orbic::params {

namespace {

void SetBit(std::uint8_t& byte, std::uint8_t mask, bool on) {
  byte = static_cast<std::uint8_t>(on ? (byte | mask) : (byte & ~mask));
}

std::uint8_t ClampByte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

int SensorOrientationIndex(std::uint8_t stored) {
  for (std::size_t i = 0; i < kSensorOrientations.size(); ++i) {
    if (kSensorOrientations[i].stored == stored) {
      return static_cast<int>(i);
    }
  }
  return 0;  // every 3-bit value has an entry
}

void DeviceOptions::RefreshSwitchesFromImage(const DataBuf& data) {
  const std::uint8_t b0 = data.parameterA[parameter_a::kSwitches];
  const std::uint8_t b1 = data.parameterA[parameter_a::kKeyModeSwitch];
  fireFnLeftKey = (b0 & parameter_a::kFireFunctionBit) == 0;
  sensorOrientation = SensorOrientationIndex(static_cast<std::uint8_t>(
      (b0 & parameter_a::kSensorOrientationMask) >> parameter_a::kSensorOrientationShift));
  midPress = (b1 & parameter_a::kPressMiddleKeyBit) != 0;
  cpiPress = (b1 & parameter_a::kPressCpiKeyBit) != 0;
  gunPress = (b1 & parameter_a::kPressGunKeyBit) != 0;
  smooth = (b1 & parameter_a::kSmoothingBit) != 0;
}

void DeviceOptions::RefreshCodesFromImage(const DataBuf& data) {
  vendorCode = data.parameterB[parameter_b::kVendorCode];
  productCode = data.parameterB[parameter_b::kProductCode];
}

void DeviceOptions::RefreshFireTablesFromImage(const DataBuf& data) {
  for (int n = 0; n < kFireMacroCount; ++n) {
    const std::size_t y = static_cast<std::size_t>(n) * fire_tables::kYOffsetEntryLength;
    yOffsets[n] = static_cast<std::int8_t>(data.fireYOffsetTable[y]);
    const std::size_t c = static_cast<std::size_t>(n) * fire_tables::kColourEntryLength;
    for (std::size_t channel = 0; channel < 3; ++channel) {
      fireMacroColours[n][channel] = data.fireColourTable[c + channel];
    }
  }
}

void DeviceOptions::RefreshFireKeyFromImage(const DataBuf& data) {
  const std::uint8_t repeat = data.fireKey[fire_key::kRepeatOperand];
  continuousFire = repeat == fire_key::kContinuous;
  fireCountIndex = continuousFire ? kContinuousFireShownCount - 1 : repeat;
  fireTime = data.fireKey[fire_key::kFireTime];
}

void DeviceOptions::WriteSwitchesToImage(DataBuf& data) const {
  std::uint8_t& b0 = data.parameterA[parameter_a::kSwitches];
  std::uint8_t& b1 = data.parameterA[parameter_a::kKeyModeSwitch];
  SetBit(b0, parameter_a::kFireFunctionBit, !fireFnLeftKey);
  const std::uint8_t orientation =
      kSensorOrientations[static_cast<std::size_t>(std::clamp(sensorOrientation, 0, 7))].stored;
  b0 = static_cast<std::uint8_t>((b0 & ~parameter_a::kSensorOrientationMask) |
                                 (orientation << parameter_a::kSensorOrientationShift));
  SetBit(b1, parameter_a::kPressMiddleKeyBit, midPress);
  SetBit(b1, parameter_a::kPressCpiKeyBit, cpiPress);
  SetBit(b1, parameter_a::kPressGunKeyBit, gunPress);
  SetBit(b1, parameter_a::kSmoothingBit, smooth);
}

void DeviceOptions::WriteCodesToImage(DataBuf& data) const {
  data.parameterB[parameter_b::kVendorCode] = ClampByte(vendorCode);
  data.parameterB[parameter_b::kProductCode] = ClampByte(productCode);
}

void DeviceOptions::WriteFireTablesToImage(DataBuf& data) const {
  for (int n = 0; n < kFireMacroCount; ++n) {
    const std::size_t y = static_cast<std::size_t>(n) * fire_tables::kYOffsetEntryLength;
    const auto value =
        static_cast<std::uint8_t>(static_cast<std::int8_t>(std::clamp(yOffsets[n], -128, 127)));
    data.fireYOffsetTable[y] = value;
    data.fireYOffsetTable[y + 1] = static_cast<std::uint8_t>(~value);
    const std::size_t c = static_cast<std::size_t>(n) * fire_tables::kColourEntryLength;
    for (std::size_t channel = 0; channel < 3; ++channel) {
      data.fireColourTable[c + channel] = ClampByte(fireMacroColours[n][channel]);
    }
  }
}

void DeviceOptions::WriteFireKeyToImage(DataBuf& data) const {
  data.fireKey[fire_key::kRepeatOperand] =
      continuousFire ? fire_key::kContinuous : ClampByte(std::clamp(fireCountIndex, 0, 254));
  data.fireKey[fire_key::kFireTime] = ClampByte(fireTime);
}

}  // namespace orbic::params
