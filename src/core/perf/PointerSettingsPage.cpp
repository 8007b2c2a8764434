#include "perf/PointerSettingsPage.h"

#include <optional>
#include <string>

#include "perf/PointerSettingsSteps.h"
#include "perf/SliderRuler.h"

namespace orbic::perf {

namespace {

// "Enhance pointer precision" on: Windows' own thresholds and level.
constexpr int kPrecisionAcceleration = 1;
constexpr int kPrecisionFirstThreshold = 6;
constexpr int kPrecisionSecondThreshold = 10;

std::string_view CheckPicture(bool checked) {
  return checked ? kCheckOnPicture : kCheckOffPicture;
}

// The step a release at `x` selects, with the slider moved there.
int SnapSlider(int x, int& position) {
  position = ClampSliderPosition(
      GetSliderRulerByX(x, kPointerRulerCount, kPointerRulerStart, kPointerRulerCell));
  return StepForSliderPosition(position);
}

}  // namespace

std::string_view PointerSettingsPage::IsControlPicture() const {
  return CheckPicture(controls_.isControlChecked);
}

std::string_view PointerSettingsPage::IsScreenPicture() const {
  return CheckPicture(controls_.isScreenChecked);
}

int PointerSettingsPage::ReadInteger(std::string_view key, std::string_view name, int fallback) {
  const std::optional<std::string> text = system_.ReadValue(key, name);
  if (!text) {
    return fallback;
  }
  return ParsePointerValue(*text).value_or(fallback);
}

void PointerSettingsPage::RefreshMouseSystemParameterA() {
  system_.Reload();
  if (!system_.KeyExists(kMouseKey)) {
    return;
  }
  changed_.speed = changed_.acceleration = changed_.doubleClick = false;
  settings_.speedValue = ReadInteger(kMouseKey, kMouseSensitivityValue, kDefaultSpeedValue);
  settings_.speedStep = SpeedStepForValue(settings_.speedValue);
  controls_.spdPosition = SliderPositionForStep(settings_.speedStep);

  settings_.acceleration = ReadInteger(kMouseKey, kMouseSpeedValue, kDefaultAccelerationField);
  settings_.firstThreshold =
      ReadInteger(kMouseKey, kMouseThreshold1Value, kDefaultAccelerationField);
  settings_.secondThreshold =
      ReadInteger(kMouseKey, kMouseThreshold2Value, kDefaultAccelerationField);
  controls_.isControlChecked = settings_.acceleration != 0 || settings_.firstThreshold != 0 ||
                               settings_.secondThreshold != 0;

  settings_.doubleClickTime =
      ReadInteger(kMouseKey, kDoubleClickSpeedValue, kDefaultDoubleClickTime);
  settings_.doubleClickStep = DoubleClickStepForTime(settings_.doubleClickTime);
  controls_.dbSpdPosition = SliderPositionForStep(settings_.doubleClickStep);
}

void PointerSettingsPage::RefreshMouseSystemParameterB() {
  if (!system_.KeyExists(kDesktopKey)) {
    return;
  }
  const std::optional<std::string> text = system_.ReadValue(kDesktopKey, kWheelScrollLinesValue);
  // A text that is not a number tells nothing about the setting: keep what the page shows.
  const std::optional<int> lines = text ? ParseWheelLines(*text) : std::nullopt;
  if (!lines) {
    return;
  }
  changed_.wheel = false;
  settings_.wheelLines = *lines;
  if (*lines == kWheelOneScreen) {
    controls_.isScreenChecked = true;
    controls_.srcSpdEnabled = false;
    // The held step follows the setting, so a later apply keeps "one screen"
    // instead of writing a line count from an earlier reading.
    settings_.wheelStep = kWheelOneScreen;
    settings_.rememberedWheelStep = 1;
    return;
  }
  controls_.isScreenChecked = false;
  controls_.srcSpdEnabled = true;
  settings_.wheelStep = WheelStepForLines(*lines);
  settings_.rememberedWheelStep = settings_.wheelStep;
  controls_.srcSpdPosition = SliderPositionForStep(settings_.wheelStep);
}

void PointerSettingsPage::ChangedMouseSystemParameterA() {
  // The held values follow the chosen steps even when the key cannot be
  // written, so the live calls apply what the page shows.
  if (changed_.speed) {
    settings_.speedValue = SpeedValueForStep(settings_.speedStep);
  }
  if (changed_.doubleClick) {
    settings_.doubleClickTime = DoubleClickTimeForStep(settings_.doubleClickStep);
  }
  if (!system_.KeyExists(kMouseKey)) {
    return;
  }
  if (changed_.speed) {
    system_.WriteValue(kMouseKey, kMouseSensitivityValue, std::to_string(settings_.speedValue));
  }
  if (changed_.acceleration) {
    system_.WriteValue(kMouseKey, kMouseSpeedValue, std::to_string(settings_.acceleration));
    system_.WriteValue(kMouseKey, kMouseThreshold1Value, std::to_string(settings_.firstThreshold));
    system_.WriteValue(kMouseKey, kMouseThreshold2Value, std::to_string(settings_.secondThreshold));
  }
  if (changed_.doubleClick) {
    system_.WriteValue(kMouseKey, kDoubleClickSpeedValue,
                       std::to_string(settings_.doubleClickTime));
  }
}

bool PointerSettingsPage::WheelStepSet() const {
  return IsPointerStep(settings_.wheelStep) || settings_.wheelStep == kWheelOneScreen;
}

void PointerSettingsPage::ChangedMouseSystemParameterB() {
  if (!changed_.wheel) {
    return;
  }
  settings_.wheelLines = settings_.wheelStep == kWheelOneScreen
                             ? kWheelOneScreen
                             : WheelLinesForStep(settings_.wheelStep);
  if (system_.KeyExists(kDesktopKey)) {
    system_.WriteValue(kDesktopKey, kWheelScrollLinesValue, std::to_string(settings_.wheelLines));
  }
}

void PointerSettingsPage::ApplyPointerSettings() {
  ChangedMouseSystemParameterA();
  ChangedMouseSystemParameterB();
  if (changed_.speed) {
    system_.SetMouseSpeed(settings_.speedValue);
  }
  if (changed_.acceleration) {
    system_.SetMouseAcceleration(settings_.firstThreshold, settings_.secondThreshold,
                                 settings_.acceleration);
  }
  if (changed_.doubleClick) {
    system_.SetDoubleClickTime(settings_.doubleClickTime);
  }
  if (changed_.wheel) {
    system_.SetWheelScrollLines(settings_.wheelLines);
  }
}

void PointerSettingsPage::slider_SpdMouseUp(int x) {
  settings_.speedStep = SnapSlider(x, controls_.spdPosition);
  changed_.speed = true;
  ApplyPointerSettings();
}

void PointerSettingsPage::slider_DbSpdMouseUp(int x) {
  settings_.doubleClickStep = SnapSlider(x, controls_.dbSpdPosition);
  changed_.doubleClick = true;
  ApplyPointerSettings();
}

void PointerSettingsPage::slider_SrcSpdMouseUp(int x) {
  if (!controls_.srcSpdEnabled) {
    return;
  }
  settings_.wheelStep = SnapSlider(x, controls_.srcSpdPosition);
  settings_.rememberedWheelStep = settings_.wheelStep;
  changed_.wheel = true;
  ApplyPointerSettings();
}

void PointerSettingsPage::lbl_IsControlClick() {
  controls_.isControlChecked = !controls_.isControlChecked;
  if (controls_.isControlChecked) {
    settings_.acceleration = kPrecisionAcceleration;
    settings_.firstThreshold = kPrecisionFirstThreshold;
    settings_.secondThreshold = kPrecisionSecondThreshold;
  } else {
    settings_.acceleration = 0;
    settings_.firstThreshold = 0;
    settings_.secondThreshold = 0;
  }
  changed_.acceleration = true;
  ApplyPointerSettings();
}

void PointerSettingsPage::lbl_IsScreenClick() {
  controls_.isScreenChecked = !controls_.isScreenChecked;
  controls_.srcSpdEnabled = !controls_.isScreenChecked;
  if (controls_.isScreenChecked) {
    settings_.wheelStep = kWheelOneScreen;  // the slider keeps its position
  } else {
    settings_.wheelStep = settings_.rememberedWheelStep;
    // Show the step that is written, which differs from the slider's position
    // after a reading of "one screen".
    if (IsPointerStep(settings_.wheelStep)) {
      controls_.srcSpdPosition = SliderPositionForStep(settings_.wheelStep);
    }
  }
  // A remembered step of 0 (nothing read yet) has no line count to write.
  changed_.wheel = WheelStepSet();
  ApplyPointerSettings();
}

}  // namespace orbic::perf
