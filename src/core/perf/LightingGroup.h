#pragma once

#include <array>
#include <cstddef>

#include "perf/LedType.h"

namespace orbic::perf {

// The control groups of the lighting page that come and go with the LED type.
enum class LightingGroup : std::size_t {
  kRbEngineer,       // gbRBLEDMode
  kMcuEngineer,      // gbMCULEDControlMode, gbMCULEDCurrent, gbMCULEDCPIColor
  kLedModeSwitch,    // gbLCPI; lbl_LCPIOn, lbl_LCPIOff and their pictures
  kMcuModeChoices,   // lbl_MCULEDMode1..7, Img_MCULEDMode1..7
  kRbModeChoices,    // lbl_RBLEDMode1..7, Img_RBLEDMode1..7
  kMcuSpeedAndCount  // speed and LED-count bars with their labels, slider_Breath_Speed
};
inline constexpr std::size_t kLightingGroupCount = 6;

// Shown per group, columns in LedType order: MCU, RB, Sync, Breath.
inline constexpr std::array<std::array<bool, kLedTypeCount>, kLightingGroupCount>
    kLightingGroupShown = {{
        {false, true, false, false},
        {true, false, false, false},
        {true, true, false, false},
        {true, false, false, false},
        {false, true, false, false},
        {true, false, false, false},
    }};

}  // namespace orbic::perf
