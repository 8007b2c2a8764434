#include "perf/DpiPage.h"

#include <algorithm>
#include <cstddef>

#include "base/UiHost.h"
#include "params/ImageFields.h"
#include "perf/SliderRuler.h"

namespace orbic::perf {
namespace {

namespace a = params::parameter_a;
namespace b = params::parameter_b;

using Rgb = std::array<std::uint8_t, 3>;

// What the page shows before the first image arrives.
constexpr std::array<std::uint8_t, kDpiLevelCount> kInitialSteps = {1, 2, 3, 4, 5, 6, 7};
constexpr std::array<Rgb, kDpiLevelCount> kInitialColours = {{{255, 0, 0},
                                                              {0, 255, 0},
                                                              {255, 255, 0},
                                                              {0, 0, 255},
                                                              {255, 0, 255},
                                                              {0, 255, 255},
                                                              {255, 255, 255}}};
constexpr int kInitialCurrentLevel = 1;  // level 2

constexpr int kMaxColourValue = 255;
// Pixels the ruler of a DPI slider spans; its cells are this divided by DPI_Count.
constexpr int kRulerWidth = 225;

int ItemIndexForCount(int count) {
  return count - kMinDpiLevels;
}

bool ValidCountItem(int itemIndex) {
  return itemIndex >= 0 && itemIndex <= kDpiLevelCount - kMinDpiLevels;
}

// The number in a colour edit, saturated just above 255 so that any longer
// digit string still reads as "too big"; none when the text is not digits.
std::optional<int> ParseColourText(std::string_view text) {
  int value = 0;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') {
      return std::nullopt;
    }
    value = std::min(value * 10 + (ch - '0'), kMaxColourValue + 1);
  }
  return value;
}

std::uint8_t ColourValue(const std::string& text) {
  return static_cast<std::uint8_t>(std::min(ParseColourText(text).value_or(0), kMaxColourValue));
}

Colour SwatchColour(const DpiLevelControls& level) {
  return MakeColour(ColourValue(level.edt_CPI[0]), ColourValue(level.edt_CPI[1]),
                    ColourValue(level.edt_CPI[2]));
}

void SetColourEdits(DpiLevelControls& level, const Rgb& rgb) {
  for (std::size_t c = 0; c < rgb.size(); ++c) {
    level.edt_CPI[c] = std::to_string(rgb[c]);
  }
  level.cs_DPICol = SwatchColour(level);
}

}  // namespace

StepTexts DefaultStepTexts() {
  return {"500",  "800",  "1000", "1200", "1600", "2000",
          "2400", "3200", "4000", "4800", "6400", "8000"};
}

DpiPage::DpiPage(int dpiCount, LevelLabelColours labelColours, StepTexts stepTexts)
    : dpiCount_(std::clamp(dpiCount, 1, kDpiStepCount)),
      labelColours_(labelColours),
      stepTexts_(std::move(stepTexts)) {
  unshownStep_.fill(a::kNoDpiValue);
  controls_.sliderMax = (dpiCount_ - 1) * kSliderUnitsPerStep;
  for (int n = 1; n <= kDpiLevelCount; ++n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    ShowStep(n, kInitialSteps[i]);
    SetColourEdits(controls_.levels[i], kInitialColours[i]);
  }
  ApplyLevelCount();
  MarkCurrent(kInitialCurrentLevel);
  RefreshAIMKey(0);
}

void DpiPage::SetLabelColours(LevelLabelColours colours) {
  labelColours_ = colours;
  ApplyLevelStates();
}

DpiLevelControls* DpiPage::Level(int n) {
  if (n < 1 || n > kDpiLevelCount) {
    return nullptr;
  }
  return &controls_.levels[static_cast<std::size_t>(n - 1)];
}

int DpiPage::ClampSlider(int value) const {
  return std::clamp(value, 0, controls_.sliderMax);
}

int DpiPage::SnapSlider(int x) const {
  const int cell = kRulerWidth / dpiCount_;
  return ClampSlider(GetSliderRulerByX(x, dpiCount_ - 1, -(cell / 4), cell));
}

std::string DpiPage::GetDisplayByIndex(int k) const {
  if (k < 1 || k > kDpiStepCount) {
    return {};
  }
  return stepTexts_[static_cast<std::size_t>(k - 1)];
}

void DpiPage::MarkCurrent(int levelIndex) {
  for (DpiLevelControls& level : controls_.levels) {
    level.Img_DPI = kMarkerOther;
  }
  controls_.levels[static_cast<std::size_t>(levelIndex)].Img_DPI = kMarkerCurrent;
  controls_.cb_CurrentCPI = levelIndex;
}

void DpiPage::ApplyLevelStates() {
  for (int n = 1; n <= kDpiLevelCount; ++n) {
    DpiLevelControls& level = *Level(n);
    const bool enabled = n <= controls_.levelCount;
    level.enabled = enabled;
    level.engineerShown = enabled;
    level.lbl_DPIColour = enabled ? labelColours_.selected : labelColours_.notSelected;
  }
}

// A new level count always makes the highest enabled level current.
void DpiPage::ApplyLevelCount() {
  const int count = controls_.cb_CPIStep + kMinDpiLevels;
  controls_.cbb_DPICount = controls_.cb_CPIStep;
  controls_.cb_CurrentCPIItems.clear();
  for (int item = 1; item <= count; ++item) {
    controls_.cb_CurrentCPIItems.push_back(std::to_string(item));
  }
  MarkCurrent(count - 1);
  controls_.levelCount = count;
  ApplyLevelStates();
}

void DpiPage::ShowStep(int n, int step) {
  DpiLevelControls& level = *Level(n);
  level.cb_CPI = step;
  level.slider_DPI = ClampSlider(step * kSliderUnitsPerStep);
  level.lbl_DPIValue = GetDisplayByIndex(step + 1);
}

void DpiPage::cb_CPIStepChange(int itemIndex) {
  if (!ValidCountItem(itemIndex)) {
    return;
  }
  controls_.cb_CPIStep = itemIndex;
  unshownCount_.reset();
  unshownCurrent_.reset();
  ApplyLevelCount();
}

void DpiPage::cbb_DPICountChange(int itemIndex) {
  if (!ValidCountItem(itemIndex)) {
    return;
  }
  controls_.cbb_DPICount = itemIndex;
  if (itemIndex != controls_.cb_CPIStep) {
    cb_CPIStepChange(itemIndex);
  }
}

// Only the edge of the enabled range moves; levels 1 and 2 always stay.
// Every click re-applies the count, so the highest level becomes current.
void DpiPage::DPILevel_OnClick(int n) {
  if (Level(n) == nullptr) {
    return;
  }
  int count = controls_.levelCount;
  if (n == count + 1) {
    ++count;
  } else if (n == count && n > kMinDpiLevels) {
    --count;
  }
  cb_CPIStepChange(ItemIndexForCount(count));
}

void DpiPage::CurrentDPI_OnClick(int n) {
  if (Level(n) == nullptr || n > controls_.cbb_DPICount + kMinDpiLevels) {
    return;
  }
  MarkCurrent(n - 1);
  unshownCurrent_.reset();
}

void DpiPage::cb_CurrentCPIChange(int itemIndex) {
  if (itemIndex < 0 || itemIndex >= controls_.levelCount) {
    return;
  }
  MarkCurrent(itemIndex);
  unshownCurrent_.reset();
}

void DpiPage::cb_CPIChange(int n, int itemIndex) {
  if (Level(n) == nullptr || itemIndex < 0 || itemIndex >= kDpiStepCount) {
    return;
  }
  ShowStep(n, itemIndex);
}

void DpiPage::slider_DPIMouseUp(int n, int x) {
  const DpiLevelControls* level = Level(n);
  if (level == nullptr || !level->enabled) {
    return;
  }
  ShowStep(n, SnapSlider(x) / kSliderUnitsPerStep);
}

void DpiPage::slider_DPIChange(int n, int value) {
  DpiLevelControls* level = Level(n);
  if (level == nullptr) {
    return;
  }
  level->slider_DPI = ClampSlider(value);
  level->lbl_DPIValue = GetDisplayByIndex(level->slider_DPI / kSliderUnitsPerStep + 1);
}

void DpiPage::slider_DPI8Change(int value) {
  controls_.slider_DPI8 = ClampSlider(value);
  controls_.lbl_AIMKeyValue = GetDisplayByIndex(controls_.slider_DPI8 / kSliderUnitsPerStep + 1);
}

void DpiPage::slider_DPI8MouseUp(int x, bool aimButtonAssigned, UiHost& ui) {
  if (!aimButtonAssigned) {
    controls_.cb_AIMKeyValue = 0;
    ui.ShowMessage(std::string(kNoAimKeyMessage), MessageStyle::kDialog);
    controls_.aimValue = 0;
    controls_.lbl_AIMKeyValue = GetDisplayByIndex(1);
    controls_.slider_DPI8 = 0;
    return;
  }
  // The AIM value is the operand of the AIM codes and only has steps 0..10,
  // even when DPI_Count lets the slider reach further.
  const int step = std::min(SnapSlider(x) / kSliderUnitsPerStep, kAimStepCount - 1);
  controls_.slider_DPI8 = step * kSliderUnitsPerStep;
  controls_.lbl_AIMKeyValue = GetDisplayByIndex(step + 1);
  controls_.cb_AIMKeyValue = step;
  controls_.aimValue = step;
}

void DpiPage::lbl_DPIColClick(int n, bool mcuLed, const ColourChooser& chooseColour) {
  DpiLevelControls* level = Level(n);
  if (level == nullptr || !level->enabled || !mcuLed || !chooseColour) {
    return;
  }
  const std::optional<Colour> chosen = chooseColour(level->cs_DPICol);
  if (!chosen) {
    return;
  }
  SetColourEdits(*level, {static_cast<std::uint8_t>(*chosen & 0xFF),
                          static_cast<std::uint8_t>((*chosen >> 8) & 0xFF),
                          static_cast<std::uint8_t>((*chosen >> 16) & 0xFF)});
}

void DpiPage::edt_CPIColourChange(int n, ColourChannel channel, std::string_view text) {
  DpiLevelControls* level = Level(n);
  const std::size_t c = static_cast<std::size_t>(channel);
  if (level == nullptr || c >= level->edt_CPI.size()) {
    return;
  }
  const std::optional<int> value = ParseColourText(text);
  if (!value) {
    return;  // not a number: the edit keeps its previous text
  }
  std::string& edit = level->edt_CPI[c];
  if (text.empty()) {
    edit = "0";
  } else if (*value > kMaxColourValue) {
    edit = std::to_string(kMaxColourValue);
  } else {
    edit = std::string(text);
  }
  level->cs_DPICol = SwatchColour(*level);
}

void DpiPage::RefreshAIMKey(int aimValue) {
  controls_.aimValue = aimValue;
  controls_.lbl_AIMKeyValue = GetDisplayByIndex(aimValue + 1);
  controls_.slider_DPI8 = ClampSlider(std::clamp(aimValue, 0, kDpiStepCount) * kSliderUnitsPerStep);
  if (aimValue >= 0 && aimValue < kAimStepCount) {
    controls_.cb_AIMKeyValue = aimValue;
  } else {
    controls_.cb_AIMKeyValue.reset();
  }
}

void DpiPage::RefreshFromImage(const params::DataBuf& data, bool mcuLed) {
  // Level count, shown within 2..7; a stored byte outside is kept for writing.
  const std::uint8_t storedCount = data.parameterA[a::kDpiLevelCount];
  const int shownCount = std::clamp<int>(storedCount, kMinDpiLevels, kDpiLevelCount);
  controls_.cb_CPIStep = ItemIndexForCount(shownCount);
  controls_.cbb_DPICount = controls_.cb_CPIStep;
  ApplyLevelCount();
  unshownCount_.reset();
  if (storedCount != shownCount) {
    unshownCount_ = storedCount;
  }

  // Step combos and colour edits.
  for (std::size_t i = 0; i < controls_.levels.size(); ++i) {
    DpiLevelControls& level = controls_.levels[i];
    const std::uint8_t step = data.parameterA[a::kDpiValues + i];
    if (step < kDpiStepCount) {
      level.cb_CPI = step;
    } else {
      level.cb_CPI.reset();
      unshownStep_[i] = step;
    }
    const std::size_t colour = a::kDpiColours + i * a::kColourLength;
    SetColourEdits(
        level, {data.parameterA[colour], data.parameterA[colour + 1], data.parameterA[colour + 2]});
  }

  // Sliders and value labels; a level without a step keeps its slider.
  for (int n = 1; n <= kDpiLevelCount; ++n) {
    DpiLevelControls& level = *Level(n);
    if (level.cb_CPI) {
      ShowStep(n, *level.cb_CPI);
    } else {
      level.lbl_DPIValue = GetDisplayByIndex(1);
    }
  }

  // Current level; one beyond the count is shown as the highest enabled level.
  const std::uint8_t storedCurrent = data.parameterB[b::kCurrentCpi];
  unshownCurrent_.reset();
  if (storedCurrent < controls_.levelCount) {
    MarkCurrent(storedCurrent);
  } else {
    MarkCurrent(controls_.levelCount - 1);
    unshownCurrent_ = storedCurrent;
  }

  for (DpiLevelControls& level : controls_.levels) {
    level.colourShown = mcuLed;
  }
}

void DpiPage::WriteToImage(params::DataBuf& data) const {
  data.parameterA[a::kDpiLevelCount] =
      unshownCount_.value_or(static_cast<std::uint8_t>(controls_.cb_CPIStep + kMinDpiLevels));
  for (std::size_t i = 0; i < controls_.levels.size(); ++i) {
    const DpiLevelControls& level = controls_.levels[i];
    data.parameterA[a::kDpiValues + i] =
        level.cb_CPI ? static_cast<std::uint8_t>(*level.cb_CPI) : unshownStep_[i];
    for (std::size_t c = 0; c < a::kColourLength; ++c) {
      data.parameterA[a::kDpiColours + i * a::kColourLength + c] = ColourValue(level.edt_CPI[c]);
    }
  }
  const std::uint8_t current =
      unshownCurrent_.value_or(static_cast<std::uint8_t>(controls_.cb_CurrentCPI));
  data.parameterB[b::kCurrentCpi] = current;
  data.parameterB[b::kCurrentCpi + 1] = static_cast<std::uint8_t>(~current);
}

}  // namespace orbic::perf
