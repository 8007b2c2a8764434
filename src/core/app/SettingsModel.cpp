#include "app/SettingsModel.h"

#include "drivermacros/DriverFireKeyRule.h"
#include "params/ImageFields.h"

namespace orbic::app {

SettingsModel::SettingsModel(const ui::BehaviourConfig& config, params::DataBuf& data, UiHost& ui,
                             const ui::MessageStrings& messages)
    : keys([this](std::string_view code) { return keys::LabelForCode(code, labelContext); }),
      dpi(config.dpiCount),
      lighting(config),
      assignment(keys, data, dpi, options, config, messages, ui),
      macroAssignment(assignment, keys, data, macroSlots, messages, ui),
      driverMacroAssignment(assignment, keys, data, driverSlots, messages, ui),
      burstFire(options) {
  labelContext.gunKeys = &gunKeys;
  // Driver mode names macros by the driver list instead.
  labelContext.macros =
      config.eepromMode ? static_cast<const keys::MacroNameSource*>(&macroSlots) : &driverSlots;
  assignment.SetDriverFireKeyRule([this](keys::KeyAssignments& codes, params::DataBuf& buffer) {
    drivermacros::DriverFireKeyRule(codes, buffer, options.continuousFire);
  });
}

void SettingsModel::BindTo(params::ParameterImage& image) {
  image.hooks.splitMacroSlots = [this](params::DataBuf& data) {
    macroSlots.ReadAndRefreshMacro(data);
  };
  fireMacros.BindTo(image);
  // The fire area goes out with the records as edited, its trailing bytes as read.
  image.hooks.settingsToDataBuf = [this](params::DataBuf& data) {
    UIToDataBuf(data);
    fireMacros.CopyInto(data);
  };
  image.hooks.applyAimValue = [this](params::DataBuf&) { assignment.AIMKeyToDataBuf(); };
}

void SettingsModel::SetLabelTexts(keys::TextLookup text) {
  labelContext.text = text;
  assignment.SetTextLookup(std::move(text));
  keys.RefreshLabels();
}

void SettingsModel::OpenKeyModePage(int keyMode) {
  shownKeyMode_ = keyMode == 2 ? 2 : 1;
  lighting.SelectKeyMode(shownKeyMode_ - 1);
}

void SettingsModel::DataBufToUI(const params::DataBuf& data) {
  keys.DataBufToCodes(data);
  RefreshUI(data);
}

void SettingsModel::RefreshUI(const params::DataBuf& data) {
  // Switches of Parameter A bytes 0 and 1 that the lighting page does not own.
  options.RefreshSwitchesFromImage(data);
  // The lighting page: its pairs, the LED type (laying the page out), the
  // brightness, count and modes, the current mode and step, LED status, key mode.
  lighting.RefreshFromImage(data);
  // The DPI page: level count, values, colours and the current level; the
  // colour swatches show only for the MCU LED.
  dpi.RefreshFromImage(data, lighting.IsMcuLed());
  options.RefreshCodesFromImage(data);
  // The engineer page's aim combo and the DPI page's aim display are one
  // control here: RefreshAIMKey below sets it from the aim buttons.
  keys.RefreshLabels();
  options.RefreshFireTablesFromImage(data);
  options.RefreshFireKeyFromImage(data);
  burstFire.RefreshFromOptions();
  assignment.RefreshAIMKey();
  // The page of the stored key mode.
  const bool keyMode2 =
      (data.parameterB[params::parameter_b::kKeyMode] & params::parameter_b::kKeyMode2Bit) != 0;
  OpenKeyModePage(keyMode2 ? 2 : 1);
  if (storedKeyModeShown) {
    storedKeyModeShown(shownKeyMode_);
  }
}

void SettingsModel::UIToDataBuf(params::DataBuf& data) const {
  options.WriteSwitchesToImage(data);
  lighting.WriteToImage(data);
  dpi.WriteToImage(data);
  options.WriteCodesToImage(data);
  options.WriteFireTablesToImage(data);
  options.WriteFireKeyToImage(data);
}

}  // namespace orbic::app
