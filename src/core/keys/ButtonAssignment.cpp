#include "keys/ButtonAssignment.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/UiHost.h"
#include "keys/FixedFunctions.h"
#include "keys/KeyCode.h"
#include "params/DeviceOptions.h"
#include "perf/DpiPage.h"
#include "ui/BehaviourConfig.h"
#include "ui/MessageStrings.h"

namespace orbic::keys {
namespace {

constexpr int kNoButton = -1;
constexpr int kGameModeKeyMode = 2;
// Engineer buttons are numbered key mode x 100 + button.
constexpr int kEngineerNumberBase = 100;
constexpr std::size_t kEngineerNumberDigits = 3;

constexpr std::string_view kCheckedPicture = "CbS_E";
constexpr std::string_view kUncheckedPicture = "CbS_D";

// The number formed by the last `digits` characters of `name`, when they are
// all decimal digits.
std::optional<int> TrailingNumber(std::string_view name, std::size_t digits) {
  if (name.size() < digits) {
    return std::nullopt;
  }
  int number = 0;
  for (const char c : name.substr(name.size() - digits)) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace

ButtonAssignment::ButtonAssignment(KeyAssignments& keys, params::DataBuf& data, perf::DpiPage& dpi,
                                   params::DeviceOptions& options,
                                   const ui::BehaviourConfig& config,
                                   const ui::MessageStrings& messages, UiHost& ui, TextLookup text)
    : keys_(keys),
      data_(data),
      dpi_(dpi),
      options_(options),
      config_(config),
      messages_(messages),
      ui_(ui),
      text_(text ? std::move(text) : TextLookup(TableOneText)) {}

void ButtonAssignment::OpenMenu(MenuSurface surface, int keyMode, int button) {
  target_ = {surface, keyMode, button};
  if (!target_.IsValid()) {
    target_.button = kNoButton;
  }
  menu_.open = true;
  menu_.fireMacroVisible = surface == MenuSurface::kMain;
  menu_.tlFireMacroVisible = surface == MenuSurface::kEngineer;
  menu_.extraEntriesInView =
      surface == MenuSurface::kEngineer || (keyMode == kGameModeKeyMode && config_.gdEnable);
}

void ButtonAssignment::ShowPnlMain_OnClick(std::string_view labelName, int shownKeyMode) {
  OpenMenu(MenuSurface::kMain, shownKeyMode, TrailingNumber(labelName, 1).value_or(kNoButton));
}

void ButtonAssignment::TLShowPnlMain_OnClick(std::string_view buttonName) {
  const std::optional<int> number = TrailingNumber(buttonName, kEngineerNumberDigits);
  if (!number) {
    OpenMenu(MenuSurface::kEngineer, 1, kNoButton);
    return;
  }
  OpenMenu(MenuSurface::kEngineer, *number / kEngineerNumberBase, *number % kEngineerNumberBase);
}

bool ButtonAssignment::KeepsLeftClick(std::string_view newLabel) const {
  if (!target_.IsValid()) {
    return false;
  }
  const std::string leftClick = LeftClickLabel();
  if (newLabel == leftClick) {
    return true;
  }
  for (int button = 1; button <= kButtons; ++button) {
    if (button != target_.button && keys_.Label(target_.keyMode, button) == leftClick) {
      return true;
    }
  }
  return false;
}

void ButtonAssignment::KeyStatusOnClick(int functionIdentifier) {
  HideAllMenu();
  const FixedFunction* function = FindFixedFunction(functionIdentifier);
  if (function == nullptr || !target_.IsValid()) {
    return;
  }
  const std::string code =
      CodeForFunction(functionIdentifier, static_cast<std::uint8_t>(AimValue()));
  // A refused choice changes nothing, so the button keeps the label of the
  // code it still holds.
  if (!KeepsLeftClick(text_(function->labelKey))) {
    ui_.ShowMessage(messages_.str108, MessageStyle::kDialog);
    return;
  }
  keys_.Assign(target_.keyMode, target_.button, code, data_);
}

void ButtonAssignment::Key_AssemblyClick() {
  HideAllMenu();
  combination_ = {};
}

void ButtonAssignment::ApplyCombinationResult(const CombinationResult& result) {
  combination_ = {true, result.label, result.code};
  if (target_.IsValid()) {
    keys_.Assign(target_.keyMode, target_.button, result.code, data_);
  }
}

std::string ButtonAssignment::LeftClickLabel() const {
  return text_(kLeftClickLabelKey);
}

std::string ButtonAssignment::AimLabel() const {
  return text_(kAimLabelKey);
}

int ButtonAssignment::AimValue() const {
  return std::clamp(dpi_.Controls().aimValue, 0, 0xFF);
}

bool ButtonAssignment::AnyAimButton() const {
  const std::string aim = AimLabel();
  return keys_.AnyLabelEquals(1, aim) || keys_.AnyLabelEquals(2, aim);
}

std::vector<ButtonAssignment::Button> ButtonAssignment::AimCodeButtons() const {
  const std::string aim = AimLabel();
  std::vector<Button> buttons;
  for (int mode = 1; mode <= kKeyModes; ++mode) {
    for (int button = 1; button <= kButtons; ++button) {
      const auto code = ParseCodeString(keys_.Code(mode, button));
      if (keys_.Label(mode, button) == aim && code && code->type == code_type::kAim) {
        buttons.push_back({mode, button, code->byte1});
      }
    }
  }
  return buttons;
}

void ButtonAssignment::WriteAimValue(int aimValue) {
  const std::string code = CodeString(AimCode(static_cast<std::uint8_t>(aimValue)));
  for (const Button& b : AimCodeButtons()) {
    keys_.Assign(b.keyMode, b.button, code, data_);
  }
}

void ButtonAssignment::cb_AIMKeyValueChange(int index) {
  if (index < 0 || index >= perf::kAimStepCount) {
    return;
  }
  if (AnyAimButton()) {
    WriteAimValue(index);
  } else {
    index = 0;
    ui_.ShowMessage(std::string(perf::kNoAimKeyMessage), MessageStyle::kDialog);
  }
  dpi_.RefreshAIMKey(index);
}

void ButtonAssignment::AIMKeyToDataBuf() {
  WriteAimValue(AimValue());
  // Until the driver-mode assignment provides its rule, driver mode leaves the
  // Fire Key buttons as they are.
  if (!config_.eepromMode && driverFireKeyRule_) {
    driverFireKeyRule_(keys_, data_);
  }
}

std::optional<int> ButtonAssignment::TLRefreshAIMKey() const {
  const std::vector<Button> buttons = AimCodeButtons();
  if (buttons.empty()) {
    return std::nullopt;
  }
  return buttons.back().operand;
}

void ButtonAssignment::RefreshAIMKey() {
  dpi_.RefreshAIMKey(TLRefreshAIMKey().value_or(dpi_.Controls().aimValue));
}

void ButtonAssignment::IB_ComboKey1Click() {
  options_.midPress = !options_.midPress;
  if (options_.midPress) {
    options_.cpiPress = false;
  }
}

void ButtonAssignment::IB_ComboKey2Click() {
  options_.cpiPress = !options_.cpiPress;
  if (options_.cpiPress) {
    options_.midPress = false;
  }
}

void ButtonAssignment::IB_ComboKey3Click() {
  options_.gunPress = !options_.gunPress;
}

std::string_view ButtonAssignment::ComboKeyPicture(int option) const {
  bool checked = false;
  switch (option) {
    case 1:
      checked = options_.midPress;
      break;
    case 2:
      checked = options_.cpiPress;
      break;
    case 3:
      checked = options_.gunPress;
      break;
    default:
      break;
  }
  return checked ? kCheckedPicture : kUncheckedPicture;
}

bool ButtonAssignment::ComboKey3Visible(int shownKeyMode) const {
  return shownKeyMode == kGameModeKeyMode && config_.gdEnable;
}

}  // namespace orbic::keys
