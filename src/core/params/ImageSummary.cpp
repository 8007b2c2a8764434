#include "params/ImageSummary.h"

#include <cstdio>

#include "params/ImageFields.h"

namespace orbic::params {

namespace {

std::string Hex2(std::uint8_t value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

std::string LedTypeName(const DataBuf& data) {
  const std::uint8_t b0 = data.parameterA[parameter_a::kSwitches];
  const std::uint8_t b1 = data.parameterA[parameter_a::kKeyModeSwitch];
  if ((b0 & parameter_a::kLedTypeGroupBit) == 0) {
    return "MCU LED";
  }
  if (b1 & parameter_a::kLedTypeDetail3Bit) {
    return "RB LED";
  }
  if (b1 & parameter_a::kLedTypeDetail4Bit) {
    return "Breath LED";
  }
  return "Sync LED";
}

}  // namespace

ImageSummary Summarise(const DataBuf& data, const SplitReport& repairs) {
  ImageSummary summary;
  summary.repairs = repairs;
  const auto& a = data.parameterA;
  const auto& b = data.parameterB;
  summary.dpiLevelCount = a[parameter_a::kDpiLevelCount];
  for (std::size_t level = 0; level < parameter_a::kDpiLevels; ++level) {
    const std::uint8_t index = a[parameter_a::kDpiValues + level];
    if (index == parameter_a::kNoDpiValue) {
      summary.dpiValues[level] = "none";
    } else if (index < kDpiSteps.size()) {
      summary.dpiValues[level] = std::to_string(kDpiSteps[index]);
    } else {
      summary.dpiValues[level] = "?";
    }
    const std::size_t colour = parameter_a::kDpiColours + level * parameter_a::kColourLength;
    summary.dpiColours[level] = "#" + Hex2(a[colour]) + Hex2(a[colour + 1]) + Hex2(a[colour + 2]);
  }
  summary.currentDpiLevel = b[parameter_b::kCurrentCpi] + 1;
  summary.ledType = LedTypeName(data);
  summary.ledsOn = (b[parameter_b::kLedState] & parameter_b::kLedOffBit) == 0;
  summary.ledMode = b[parameter_b::kLedState] & parameter_b::kLedModeMask;
  summary.keyMode = (b[parameter_b::kKeyMode] & parameter_b::kKeyMode2Bit) ? 2 : 1;
  summary.vendorCode = b[parameter_b::kVendorCode];
  summary.productCode = b[parameter_b::kProductCode];
  for (std::size_t mode = 1; mode <= 2; ++mode) {
    for (std::size_t button = 1; button <= profile::kButtonCount; ++button) {
      const std::size_t at = profile::ButtonOffset(mode, button);
      summary.buttonCodes[mode - 1][button - 1] =
          Hex2(data.profile[at]) + Hex2(data.profile[at + 1]) + Hex2(data.profile[at + 2]);
    }
  }
  const std::uint8_t repeat = data.fireKey[fire_key::kRepeatOperand];
  summary.fireShots = repeat == fire_key::kContinuous ? "continuous" : std::to_string(repeat + 1);
  summary.fireInterval = data.fireKey[fire_key::kFireTime];
  return summary;
}

}  // namespace orbic::params
