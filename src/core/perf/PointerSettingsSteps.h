#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace orbic::perf {

inline constexpr int kPointerStepCount = 11;

// The value written for steps 1..11 of each scale.
inline constexpr std::array<int, kPointerStepCount> kSpeedValueByStep = {1,  2,  4,  6,  8, 10,
                                                                         12, 14, 16, 18, 20};
inline constexpr std::array<int, kPointerStepCount> kDoubleClickTimeByStep = {
    900, 830, 760, 690, 620, 550, 480, 410, 340, 270, 200};
inline constexpr std::array<int, kPointerStepCount> kWheelLinesByStep = {1, 2, 3, 4,  5, 6,
                                                                         7, 8, 9, 10, 11};

// What an absent or non-numeric "Control Panel\Mouse" value reads as.
inline constexpr int kDefaultSpeedValue = 20;
inline constexpr int kDefaultAccelerationField = 0;
inline constexpr int kDefaultDoubleClickTime = 480;

// The snapping ruler of the three pointer sliders (0..1000, 100 per step).
inline constexpr int kPointerRulerCount = 11;
inline constexpr int kPointerRulerStart = -7;
inline constexpr int kPointerRulerCell = 26;
inline constexpr int kPointerSliderMax = 1000;

bool IsPointerStep(int step);  // 1..11
// The table value for a step; the step must satisfy IsPointerStep.
int SpeedValueForStep(int step);
int DoubleClickTimeForStep(int step);
int WheelLinesForStep(int step);

// Steps for values read from the system; every integer maps to a step.
int SpeedStepForValue(int speedValue);
int DoubleClickStepForTime(int milliseconds);
int WheelStepForLines(int lines);  // lines other than kWheelOneScreen

int SliderPositionForStep(int step);
int StepForSliderPosition(int position);
int ClampSliderPosition(int position);

// A stored value as a decimal integer (optional sign, blanks around it
// ignored); nullopt when it is not one or does not fit.
std::optional<int> ParsePointerValue(std::string_view text);
// A "WheelScrollLines" text; the all-ones value some systems write for "one
// screen at a time" ("4294967295") is read as kWheelOneScreen.
std::optional<int> ParseWheelLines(std::string_view text);

}  // namespace orbic::perf
