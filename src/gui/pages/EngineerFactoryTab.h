#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <array>

#include "engineer/EngineerPage.h"
#include "gui/pages/PageView.h"
#include "perf/LightingTexts.h"

namespace orbic::gui {

// The "Engineer" tab: the codes the mouse reported, the engineer's gun-key
// list, the fire macro colour and Y-offset tables and the MCU LED modes the
// mouse offers.
class EngineerFactoryTab final : public PageView {
 public:
  EngineerFactoryTab(QWidget* sheet, app::Session& session, const ui::LanguageTable& texts,
                     std::function<void()> changed, engineer::EngineerPage& page);

  void Refresh() override;

 private:
  void BuildGunKeys();
  void BuildFireTables();
  void BuildModes();
  void ShowError(const std::string& error);

  engineer::EngineerPage& page_;
  QObject context_;
  QLineEdit* readVendor_ = nullptr;
  QLineEdit* readProduct_ = nullptr;
  QComboBox* first_ = nullptr;  // cb_SOSStartIndex
  QComboBox* last_ = nullptr;   // cb_SOSNumber
  QListWidget* names_ = nullptr;
  std::array<std::array<QLineEdit*, engineer::kColourChannels>, params::kFireMacroCount> colours_{};
  std::array<QLineEdit*, params::kFireMacroCount> yOffsets_{};
  std::array<QCheckBox*, perf::kLedModeCount> modes_{};
};

}  // namespace orbic::gui
