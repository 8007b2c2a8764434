#include "params/SettingsModel.h"

#include "params/ImageFields.h"

namespace orbic::params {

SettingsModel::SettingsModel(const ui::BehaviourConfig& config)
    : keys([this](std::string_view code) { return keys::LabelForCode(code, labelContext); }),
      dpi(config.dpiCount),
      lighting(config) {}

void SettingsModel::OpenKeyModePage(int keyMode) {
  shownKeyMode_ = keyMode == 2 ? 2 : 1;
  lighting.SelectKeyMode(shownKeyMode_ - 1);
}

void SettingsModel::DataBufToUI(const DataBuf& data) {
  keys.DataBufToCodes(data);
  RefreshUI(data);
}

void SettingsModel::RefreshUI(const DataBuf& data) {
  // Switches of Parameter A bytes 0 and 1 that the lighting page does not own.
  options.RefreshSwitchesFromImage(data);
  // The lighting page: its pairs, the LED type (laying the page out), the
  // brightness, count and modes, the current mode and step, LED status, key mode.
  lighting.RefreshFromImage(data);
  // The DPI page: level count, values, colours and the current level; the
  // colour swatches show only for the MCU LED.
  dpi.RefreshFromImage(data, lighting.IsMcuLed());
  options.RefreshCodesFromImage(data);
  keys.RefreshLabels();
  options.RefreshFireTablesFromImage(data);
  options.RefreshFireKeyFromImage(data);
  // The page of the stored key mode.
  const bool keyMode2 = (data.parameterB[parameter_b::kKeyMode] & parameter_b::kKeyMode2Bit) != 0;
  OpenKeyModePage(keyMode2 ? 2 : 1);
}

void SettingsModel::UIToDataBuf(DataBuf& data) const {
  options.WriteSwitchesToImage(data);
  lighting.WriteToImage(data);
  dpi.WriteToImage(data);
  options.WriteCodesToImage(data);
  options.WriteFireTablesToImage(data);
  options.WriteFireKeyToImage(data);
}

}  // namespace orbic::params
