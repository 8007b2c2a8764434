#include "perf/PointerSettingsSteps.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

#include "perf/PointerSystem.h"

namespace orbic::perf {

namespace {

int TableValue(const std::array<int, kPointerStepCount>& table, int step) {
  return table[static_cast<std::size_t>(step - 1)];
}

}  // namespace

bool IsPointerStep(int step) {
  return step >= 1 && step <= kPointerStepCount;
}

int SpeedValueForStep(int step) {
  return TableValue(kSpeedValueByStep, step);
}
int DoubleClickTimeForStep(int step) {
  return TableValue(kDoubleClickTimeByStep, step);
}
int WheelLinesForStep(int step) {
  return TableValue(kWheelLinesByStep, step);
}

int SpeedStepForValue(int speedValue) {
  // Each even value and the odd one above it share a step; 0 and 1 both give step 1.
  if (speedValue < 0 || speedValue > 20) {
    return 6;
  }
  return speedValue / 2 + 1;
}

int DoubleClickStepForTime(int milliseconds) {
  // The first step whose time the value reaches; shorter than all but the last gives 11.
  for (int step = 1; step < kPointerStepCount; ++step) {
    if (milliseconds >= DoubleClickTimeForStep(step)) {
      return step;
    }
  }
  return kPointerStepCount;
}

int WheelStepForLines(int lines) {
  if (lines == 0) {
    return 3;
  }
  if (IsPointerStep(lines)) {
    return lines;
  }
  return kPointerStepCount;
}

int SliderPositionForStep(int step) {
  return (step - 1) * 100;
}
int StepForSliderPosition(int position) {
  return position / 100 + 1;
}
int ClampSliderPosition(int position) {
  return std::clamp(position, 0, kPointerSliderMax);
}

std::optional<int> ParsePointerValue(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return std::nullopt;
  }
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  // from_chars takes a '-' but not a '+'.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
    text.remove_prefix(1);
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseWheelLines(std::string_view text) {
  if (const std::optional<int> lines = ParsePointerValue(text)) {
    return lines;
  }
  constexpr std::string_view kBlanks = " \t";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return std::nullopt;
  }
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  if (text == "4294967295") {
    return kWheelOneScreen;
  }
  return std::nullopt;
}

}  // namespace orbic::perf
