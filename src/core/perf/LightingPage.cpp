#include "perf/LightingPage.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

#include "params/ImageFields.h"
#include "perf/SliderRuler.h"

namespace orbic::perf {
namespace {

namespace a = params::parameter_a;
namespace b = params::parameter_b;

constexpr std::size_t kLedStateComplement = b::kLedState + 1;
constexpr std::size_t kKeyModeComplement = b::kKeyMode + 1;

// The speed slider's ruler: seven 30-pixel cells from -15, slowest step on the left.
constexpr int kSpeedRulerCells = 7;
constexpr int kSpeedRulerStart = -15;
constexpr int kSpeedRulerStep = 30;
constexpr int kSliderUnit = 100;

// Anything above this is clamped by the edits anyway; keeps the parse from overflowing.
constexpr int kEditNumberCap = 1000;

// The number an edit holds: an empty edit counts as 0, text that is not a
// decimal number has none.
std::optional<int> EditNumber(std::string_view text) {
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = std::min(value * 10 + (c - '0'), kEditNumberCap);
  }
  return value;
}

constexpr std::uint8_t ModeEnableBit(std::size_t modeIndex) {
  return static_cast<std::uint8_t>(1U << (modeIndex + 1));
}

bool IsModeIndex(int index) {
  return index >= 0 && index < static_cast<int>(kLedModeCount);
}

void CheckOption(bool& chosen, bool& other, std::string_view& chosenPicture,
                 std::string_view& otherPicture) {
  chosen = true;
  other = false;
  chosenPicture = kOptionChosen;
  otherPicture = kOptionNotChosen;
}

void DrawOption(bool checked, std::string_view& picture) {
  picture = checked ? kOptionChosen : kOptionNotChosen;
}

void DrawModeChoice(std::array<std::string_view, kLedModeCount>& pictures, int chosenIndex) {
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    pictures[i] = static_cast<int>(i) == chosenIndex ? kOptionChosen : kOptionNotChosen;
  }
}

// A radio pair sets or clears its bit; with neither radio checked the bit stays.
void WritePair(std::uint8_t& byte, std::uint8_t bit, bool setRadio, bool clearRadio) {
  if (setRadio) {
    byte = static_cast<std::uint8_t>(byte | bit);
  } else if (clearRadio) {
    byte = static_cast<std::uint8_t>(byte & ~bit);
  }
}

std::vector<std::string> TermItems(std::span<const LedModeTexts> modes) {
  std::vector<std::string> items;
  for (const LedModeTexts& mode : modes) {
    items.emplace_back(LightingTermText(mode.engineerTerm));
  }
  return items;
}

}  // namespace

LightingPage::LightingPage(const ui::BehaviourConfig& config)
    : leverBars_(config.dpiLedStatus), countsRightToLeft_(config.numOrder != 0) {
  controls_.cb_RBLEDCurrentMode.items = TermItems(kRbLedModes);
  controls_.cb_RBLEDCurrentMode.itemIndex = 0;
  for (const int term : kKeyModeTerms) {
    controls_.cb_KeyMode.items.emplace_back(LightingTermText(term));
  }
  controls_.cb_KeyMode.itemIndex = 0;
  controls_.cb_KeyMode.enabled = !controls_.rb_NoSave;
  ShowControlsOf(controls_.ledTypeRadio);
  TLRefreshMCULEDMode();
  DrawModePictures();
  DrawPairPictures();
  DrawSpeedBars();
  DrawCountBars();
}

bool LightingPage::IsShown(LightingGroup group) const {
  return groupShown_[static_cast<std::size_t>(group)];
}

bool LightingPage::IsMcuModeShown(int mode) const {
  return IsModeIndex(mode - 1) && IsShown(LightingGroup::kMcuModeChoices) &&
         mcuModeListed_[static_cast<std::size_t>(mode - 1)];
}

void LightingPage::SelectKeyMode(int index) {
  if (index >= 0 && index < static_cast<int>(controls_.cb_KeyMode.items.size())) {
    controls_.cb_KeyMode.itemIndex = index;
  }
}

int LightingPage::MCULEDNumForBar(int bar) const {
  if (bar < 1 || bar > static_cast<int>(kCountBarCount)) {
    return 0;
  }
  return countsRightToLeft_ ? kMaxLedCount + 1 - bar : kMinLedCount - 1 + bar;
}

std::string LightingPage::MCULEDNumLabel(int bar) const {
  const int count = MCULEDNumForBar(bar);
  return count == 0 ? std::string{} : std::to_string(count);
}

void LightingPage::SetLedTypeFromMouse(std::uint8_t ledTypeByte) {
  SetLedType(LedTypeFromMouse(ledTypeByte));
}

void LightingPage::SetLedType(LedType type) {
  ledTypeName_ = perf::LedTypeName(type);
  switch (type) {
    case LedType::kMcu:
      rb_MCULEDClick();
      break;
    case LedType::kRb:
      rb_RBLEDClick();
      break;
    case LedType::kSync:
      rb_SyncLEDClick();
      break;
    case LedType::kBreath:
      rb_BreLEDClick();
      break;
  }
}

void LightingPage::ShowControlsOf(LedType type) {
  controls_.ledTypeRadio = type;
  for (std::size_t g = 0; g < kLightingGroupCount; ++g) {
    groupShown_[g] = kLightingGroupShown[g][Index(type)];
  }
}

void LightingPage::rb_MCULEDClick() {
  ShowControlsOf(LedType::kMcu);
  DrawModeChoice(controls_.Img_MCULEDMode, controls_.cb_MCULEDCurrentMode.itemIndex);
}

void LightingPage::rb_RBLEDClick() {
  ShowControlsOf(LedType::kRb);
  DrawModeChoice(controls_.Img_RBLEDMode, controls_.cb_RBLEDCurrentMode.itemIndex);
}

void LightingPage::rb_SyncLEDClick() {
  ShowControlsOf(LedType::kSync);
}

void LightingPage::rb_BreLEDClick() {
  ShowControlsOf(LedType::kBreath);
}

void LightingPage::rb_LEDOnClick() {
  auto& c = controls_;
  CheckOption(c.rb_LEDOn, c.rb_LEDOff, c.Img_LEDOn, c.Img_LEDOff);
}

void LightingPage::rb_LEDOffClick() {
  auto& c = controls_;
  CheckOption(c.rb_LEDOff, c.rb_LEDOn, c.Img_LEDOff, c.Img_LEDOn);
}

void LightingPage::rb_B4CPIOnClick() {
  auto& c = controls_;
  CheckOption(c.rb_B4CPIOn, c.rb_B4CPIOff, c.Img_B4CPIOn, c.Img_B4CPIOff);
}

void LightingPage::rb_B4CPIOffClick() {
  auto& c = controls_;
  CheckOption(c.rb_B4CPIOff, c.rb_B4CPIOn, c.Img_B4CPIOff, c.Img_B4CPIOn);
}

void LightingPage::rb_LCPIOnClick() {
  auto& c = controls_;
  CheckOption(c.rb_LCPIOn, c.rb_LCPIOff, c.Img_LCPIOn, c.Img_LCPIOff);
}

void LightingPage::rb_LCPIOffClick() {
  auto& c = controls_;
  CheckOption(c.rb_LCPIOff, c.rb_LCPIOn, c.Img_LCPIOff, c.Img_LCPIOn);
}

void LightingPage::rb_MCULED3ControlClick() {
  auto& c = controls_;
  CheckOption(c.rb_MCULED3Control, c.rb_MCULED6Control, c.Img_MCULED3Control, c.Img_MCULED6Control);
}

void LightingPage::rb_MCULED6ControlClick() {
  auto& c = controls_;
  CheckOption(c.rb_MCULED6Control, c.rb_MCULED3Control, c.Img_MCULED6Control, c.Img_MCULED3Control);
}

void LightingPage::rb_SaveClick() {
  auto& c = controls_;
  CheckOption(c.rb_Save, c.rb_NoSave, c.Img_SaveKeyMode, c.Img_NoSaveKeyMode);
  c.cb_KeyMode.enabled = true;
}

void LightingPage::rb_NoSaveClick() {
  auto& c = controls_;
  CheckOption(c.rb_NoSave, c.rb_Save, c.Img_NoSaveKeyMode, c.Img_SaveKeyMode);
  // Without saving, the mouse powers up in key mode 1.
  c.cb_KeyMode.itemIndex = 0;
  c.cb_KeyMode.enabled = false;
}

void LightingPage::cb_ModeClick(int mode, bool checked) {
  if (!IsModeIndex(mode - 1)) {
    return;
  }
  controls_.cb_Mode[static_cast<std::size_t>(mode - 1)] = checked;
  TLRefreshMCULEDMode();
}

void LightingPage::TLRefreshMCULEDMode() {
  ComboBox& list = controls_.cb_MCULEDCurrentMode;
  list.items.clear();
  for (std::size_t k = 0; k < kLedModeCount; ++k) {
    const bool enabled = controls_.cb_Mode[k];
    list.items.emplace_back(enabled ? LightingTermText(kMcuLedModes[k].engineerTerm)
                                    : kDisabledModeItem);
    mcuModeListed_[k] = enabled;
  }
  list.itemIndex = 0;
  // The list now selects its first item; the page must not keep showing the old choice.
  DrawModeChoice(controls_.Img_MCULEDMode, list.itemIndex);
}

void LightingPage::cb_MCULEDCurrentModeChange(int itemIndex) {
  if (!IsModeIndex(itemIndex)) {
    return;
  }
  controls_.cb_MCULEDCurrentMode.itemIndex = itemIndex;
  DrawModeChoice(controls_.Img_MCULEDMode, itemIndex);
}

void LightingPage::cb_RBLEDCurrentModeChange(int itemIndex) {
  if (!IsModeIndex(itemIndex)) {
    return;
  }
  controls_.cb_RBLEDCurrentMode.itemIndex = itemIndex;
  DrawModeChoice(controls_.Img_RBLEDMode, itemIndex);
}

void LightingPage::lbl_MCULEDMode1Click(int mode) {
  cb_MCULEDCurrentModeChange(mode - 1);
}

void LightingPage::Img_MCULEDMode1Click(int mode) {
  if (!IsModeIndex(mode - 1)) {
    return;
  }
  cb_MCULEDCurrentModeChange(mode - 1);
  // The picture handler also moves the RB list; its pictures follow when the RB type is shown.
  controls_.cb_RBLEDCurrentMode.itemIndex = mode - 1;
}

void LightingPage::lbl_RBLEDMode1Click(int mode) {
  cb_RBLEDCurrentModeChange(mode - 1);
}

void LightingPage::Img_RBLEDMode1Click(int mode) {
  cb_RBLEDCurrentModeChange(mode - 1);
}

void LightingPage::MCULEDStep_OnClick(int bar) {
  if (bar < 1 || bar > static_cast<int>(kSpeedBarCount)) {
    return;
  }
  editGuard_ = true;
  edt_MCULEDCrtStepChange(std::to_string(bar - 1));
  editGuard_ = false;
  DrawSpeedBars();
}

void LightingPage::slider_Breath_SpeedMouseUp(int x) {
  const int position =
      std::clamp(GetSliderRulerByX(x, kSpeedRulerCells, kSpeedRulerStart, kSpeedRulerStep), 0,
                 kMaxSpeedStep * kSliderUnit);
  controls_.slider_Breath_Speed = position;
  editGuard_ = false;
  // Slow on the left: the leftmost cell is the highest step.
  edt_MCULEDCrtStepChange(std::to_string(kMaxSpeedStep - position / kSliderUnit));
}

void LightingPage::edt_MCULEDCrtStepChange(std::string text) {
  std::string previous = std::exchange(controls_.edt_MCULEDCrtStep, std::move(text));
  if (editGuard_) {
    return;
  }
  const std::optional<int> step = EditNumber(controls_.edt_MCULEDCrtStep);
  if (!step) {
    controls_.edt_MCULEDCrtStep = std::move(previous);
    return;
  }
  if (*step > kMaxSpeedStep) {
    controls_.edt_MCULEDCrtStep = std::to_string(kMaxSpeedStep);
  } else if (controls_.edt_MCULEDCrtStep.empty()) {
    controls_.edt_MCULEDCrtStep = "0";
  }
  DrawSpeedBars();
}

void LightingPage::MCULEDNum_OnClick(int bar) {
  const int count = MCULEDNumForBar(bar);
  if (count == 0) {
    return;
  }
  editGuard_ = true;
  edt_MCULEDNumChange(std::to_string(count));
  editGuard_ = false;
  DrawCountBars();
}

void LightingPage::edt_MCULEDNumChange(std::string text) {
  unshownCountNibble_.reset();
  std::string previous = std::exchange(controls_.edt_MCULEDNum, std::move(text));
  if (editGuard_) {
    return;
  }
  const std::optional<int> count = EditNumber(controls_.edt_MCULEDNum);
  if (!count) {
    controls_.edt_MCULEDNum = std::move(previous);
    return;
  }
  // A lone 1 may still become 10..13, so it stays until the edit is left.
  if (*count == 0 || *count == 2 || *count == 3) {
    controls_.edt_MCULEDNum = std::to_string(kMinLedCount);
  } else if (*count > kMaxLedCount) {
    controls_.edt_MCULEDNum = std::to_string(kMaxLedCount);
  }
  DrawCountBars();
}

void LightingPage::edt_MCULEDNumExit() {
  if (EditNumber(controls_.edt_MCULEDNum) == 1) {
    edt_MCULEDNumChange(std::to_string(kMinLedCount));
  }
}

void LightingPage::DrawModePictures() {
  DrawModeChoice(controls_.Img_MCULEDMode, controls_.cb_MCULEDCurrentMode.itemIndex);
  DrawModeChoice(controls_.Img_RBLEDMode, controls_.cb_RBLEDCurrentMode.itemIndex);
}

void LightingPage::DrawPairPictures() {
  auto& c = controls_;
  DrawOption(c.rb_LEDOn, c.Img_LEDOn);
  DrawOption(c.rb_LEDOff, c.Img_LEDOff);
  DrawOption(c.rb_B4CPIOn, c.Img_B4CPIOn);
  DrawOption(c.rb_B4CPIOff, c.Img_B4CPIOff);
  DrawOption(c.rb_LCPIOn, c.Img_LCPIOn);
  DrawOption(c.rb_LCPIOff, c.Img_LCPIOff);
  DrawOption(c.rb_MCULED3Control, c.Img_MCULED3Control);
  DrawOption(c.rb_MCULED6Control, c.Img_MCULED6Control);
  DrawOption(c.rb_Save, c.Img_SaveKeyMode);
  DrawOption(c.rb_NoSave, c.Img_NoSaveKeyMode);
}

void LightingPage::DrawSpeedBars() {
  // A lever lights only the bar of the step; a progress bar fills up to it.
  const int step = EditNumber(controls_.edt_MCULEDCrtStep).value_or(-1);
  for (std::size_t i = 0; i < kSpeedBarCount; ++i) {
    const int barStep = static_cast<int>(i);
    const bool lit = leverBars_ ? barStep == step : barStep <= step;
    controls_.Img_MCULEDStep[i] = lit ? kBarLit : kBarUnlit;
  }
}

void LightingPage::DrawCountBars() {
  const int count = EditNumber(controls_.edt_MCULEDNum).value_or(0);
  for (std::size_t i = 0; i < kCountBarCount; ++i) {
    const int barCount = MCULEDNumForBar(static_cast<int>(i) + 1);
    const bool lit = leverBars_ ? barCount == count : barCount <= count;
    controls_.Img_MCULEDNum[i] = lit ? kBarLit : kBarUnlit;
  }
}

void LightingPage::RefreshFromImage(const params::DataBuf& data) {
  const auto& pa = data.parameterA;
  const auto& pb = data.parameterB;
  const std::uint8_t switches = pa[a::kSwitches];

  if ((switches & a::kLedSwitchBit) != 0) {
    rb_B4CPIOnClick();
  } else {
    rb_B4CPIOffClick();
  }
  if ((switches & a::kLedModeSwitchBit) != 0) {
    rb_LCPIOnClick();
  } else {
    rb_LCPIOffClick();
  }
  if ((switches & a::kNoSaveKeyModeBit) != 0) {
    rb_NoSaveClick();
  } else {
    rb_SaveClick();
  }

  SetLedType(LedTypeFromImage(switches, pa[a::kKeyModeSwitch]));

  const std::uint8_t mcuLed = pa[a::kMcuLed];
  if ((mcuLed & a::kFullBrightnessBit) != 0) {
    rb_MCULED3ControlClick();
  } else {
    rb_MCULED6ControlClick();
  }
  // Nibbles 10..15 name no count; the edit keeps what it had and the nibble
  // is kept for the next write.
  const int countNibble = (mcuLed & a::kLedNumberMask) >> a::kLedNumberShift;
  if (countNibble <= kMaxLedCount - kMinLedCount) {
    edt_MCULEDNumChange(std::to_string(a::kLedNumberBase - countNibble));
  } else {
    unshownCountNibble_ = static_cast<std::uint8_t>(countNibble);
  }

  for (std::size_t k = 0; k < kLedModeCount; ++k) {
    controls_.cb_Mode[k] = (pa[a::kMcuLedModes] & ModeEnableBit(k)) != 0;
  }
  TLRefreshMCULEDMode();

  // Mode code 0 selects nothing (index -1).
  const std::uint8_t ledState = pb[b::kLedState];
  const int modeIndex = (ledState & b::kLedModeMask) - 1;
  if (controls_.ledTypeRadio == LedType::kRb) {
    controls_.cb_RBLEDCurrentMode.itemIndex = modeIndex;
  } else if (controls_.ledTypeRadio == LedType::kMcu) {
    controls_.cb_MCULEDCurrentMode.itemIndex = modeIndex;
    const int step = (ledState & b::kLedStepMask) >> b::kLedStepShift;
    edt_MCULEDCrtStepChange(std::to_string(step));
    controls_.slider_Breath_Speed = (kMaxSpeedStep - step) * kSliderUnit;
  }
  if ((ledState & b::kLedOffBit) != 0) {
    rb_LEDOffClick();
  } else {
    rb_LEDOnClick();
  }
  controls_.cb_KeyMode.itemIndex = (pb[b::kKeyMode] & b::kKeyMode2Bit) != 0 ? 1 : 0;

  DrawPairPictures();
  DrawModePictures();
  DrawSpeedBars();
  DrawCountBars();
}

void LightingPage::WriteToImage(params::DataBuf& data) const {
  auto& pa = data.parameterA;
  auto& pb = data.parameterB;
  const auto& c = controls_;

  WritePair(pa[a::kSwitches], a::kLedSwitchBit, c.rb_B4CPIOn, c.rb_B4CPIOff);
  WritePair(pa[a::kSwitches], a::kLedModeSwitchBit, c.rb_LCPIOn, c.rb_LCPIOff);
  WritePair(pa[a::kSwitches], a::kNoSaveKeyModeBit, c.rb_NoSave, c.rb_Save);
  WriteLedType(c.ledTypeRadio, pa[a::kSwitches], pa[a::kKeyModeSwitch]);

  WritePair(pa[a::kMcuLed], a::kFullBrightnessBit, c.rb_MCULED3Control, c.rb_MCULED6Control);
  const std::optional<int> count = EditNumber(c.edt_MCULEDNum);
  if (unshownCountNibble_) {
    pa[a::kMcuLed] = static_cast<std::uint8_t>((pa[a::kMcuLed] & ~a::kLedNumberMask) |
                                               (*unshownCountNibble_ << a::kLedNumberShift));
  } else if (count && *count >= kMinLedCount && *count <= kMaxLedCount) {
    const auto nibble = static_cast<unsigned>(a::kLedNumberBase - *count);
    pa[a::kMcuLed] = static_cast<std::uint8_t>((pa[a::kMcuLed] & ~a::kLedNumberMask) |
                                               (nibble << a::kLedNumberShift));
  }

  const bool mcu = c.ledTypeRadio == LedType::kMcu;
  if (mcu) {
    std::uint8_t modes = a::kMcuLedWrittenBit;
    for (std::size_t k = 0; k < kLedModeCount; ++k) {
      if (c.cb_Mode[k]) {
        modes = static_cast<std::uint8_t>(modes | ModeEnableBit(k));
      }
    }
    pa[a::kMcuLedModes] = modes;
  }

  unsigned ledState = 0;
  if (mcu) {
    if (IsModeIndex(c.cb_MCULEDCurrentMode.itemIndex)) {
      ledState += static_cast<unsigned>(c.cb_MCULEDCurrentMode.itemIndex + 1);
    }
    const std::optional<int> step = EditNumber(c.edt_MCULEDCrtStep);
    if (step && *step <= kMaxSpeedStep) {
      ledState |= static_cast<unsigned>(*step) << b::kLedStepShift;
    }
  } else if (c.ledTypeRadio == LedType::kRb && IsModeIndex(c.cb_RBLEDCurrentMode.itemIndex)) {
    ledState += static_cast<unsigned>(c.cb_RBLEDCurrentMode.itemIndex + 1);
  }
  if (c.rb_LEDOff) {
    ledState |= b::kLedOffBit;
  }
  pb[b::kLedState] = static_cast<std::uint8_t>(ledState);
  pb[kLedStateComplement] = static_cast<std::uint8_t>(~ledState);

  const std::uint8_t keyMode = c.cb_KeyMode.itemIndex == 1 ? b::kKeyMode2Bit : 0;
  pb[b::kKeyMode] = keyMode;
  pb[kKeyModeComplement] = static_cast<std::uint8_t>(~keyMode);
}

}  // namespace orbic::perf
