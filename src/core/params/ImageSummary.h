#pragma once

#include <array>
#include <string>

#include "params/ParameterImage.h"

namespace orbic::params {

// A plain reading of the checked working copies: what the pages will show,
// for the command-line tool and for checks.
struct ImageSummary {
  SplitReport repairs;
  int dpiLevelCount = 0;
  std::array<std::string, 7> dpiValues;   // "800", or "none"/"?" for 0xFF/out-of-range
  std::array<std::string, 7> dpiColours;  // "#RRGGBB"
  int currentDpiLevel = 0;                // 1-based
  std::string ledType;                    // "MCU LED", "RB LED", "Sync LED", "Breath LED"
  bool ledsOn = true;
  int ledMode = 0;
  int keyMode = 1;
  int vendorCode = 0;
  int productCode = 0;
  std::array<std::array<std::string, 9>, 2> buttonCodes;  // six-digit code strings
  std::string fireShots;                                  // "1".."255" or "continuous"
  int fireInterval = 0;
};

// The DPI step texts, index 0..11.
inline constexpr std::array<int, 12> kDpiSteps{500,  800,  1000, 1200, 1600, 2000,
                                               2400, 3200, 4000, 4800, 6400, 8000};

ImageSummary Summarise(const DataBuf& data, const SplitReport& repairs);

}  // namespace orbic::params
