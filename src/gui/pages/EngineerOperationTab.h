#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <vector>

#include "engineer/EngineerPage.h"
#include "gui/pages/FunctionMenu.h"
#include "gui/pages/PageView.h"
#include "perf/DpiPage.h"
#include "perf/LightingPage.h"
#include "ui/TermTable.h"

namespace orbic::gui {

// The "Operation" tab of the engineer page: both key modes side by side, the
// DPI levels with their colours, every lighting group, the burst-fire key,
// the key-mode switch methods, the sensor orientation, smoothing and the
// vendor and product codes, each bound to the model that owns it. `sheet`
// is the tab's page, `pageGroup` the engineer page group around the tabs.
class EngineerOperationTab final : public PageView {
 public:
  static constexpr int kButtons = 9;

  EngineerOperationTab(QWidget* sheet, app::Session& session, const ui::LanguageTable& texts,
                       std::function<void()> changed, FunctionMenu& menu,
                       engineer::EngineerPage& page, const ui::TermLanguage& language,
                       QWidget* pageGroup);

  void Refresh() override;

 private:
  struct Radio {
    QRadioButton* button;
    bool perf::LightingControls::*checked;
  };
  struct Check {
    QCheckBox* box;
    bool params::DeviceOptions::*checked;
  };

  void BuildKeyModes();
  void BuildCpi();
  void BuildLighting();
  void BuildOptions();
  void RefreshCpi();
  void RefreshLighting();
  void RefreshOptions();
  QGroupBox* Box(const QString& name, const QRect& geometry);

  QWidget* pageGroup_;  // gbPage6, where the function menu opens
  FunctionMenu& menu_;
  engineer::EngineerPage& page_;
  const ui::TermLanguage& language_;
  QObject context_;
  std::array<std::array<QPushButton*, kButtons>, 2> buttons_{};
  QComboBox* levelCount_ = nullptr;  // cb_CPIStep
  QComboBox* current_ = nullptr;     // cb_CurrentCPI
  std::array<QComboBox*, perf::kDpiLevelCount> steps_{};
  std::array<QLabel*, perf::kDpiLevelCount> stepCaptions_{};
  std::array<std::array<QLineEdit*, 3>, perf::kDpiLevelCount> colours_{};
  std::array<std::array<QLabel*, 3>, perf::kDpiLevelCount> colourCaptions_{};
  QComboBox* aim_ = nullptr;
  std::vector<Radio> lightingRadios_;
  std::array<QRadioButton*, 4> ledTypes_{};
  QGroupBox* mcuControl_ = nullptr;
  QGroupBox* mcuCurrent_ = nullptr;
  QGroupBox* mcuColours_ = nullptr;
  QGroupBox* rbMode_ = nullptr;
  QGroupBox* ledModeSwitch_ = nullptr;
  QLineEdit* ledNumber_ = nullptr;
  QLineEdit* ledStep_ = nullptr;
  QComboBox* mcuMode_ = nullptr;
  QComboBox* rbModeList_ = nullptr;
  QComboBox* keyMode_ = nullptr;
  QRadioButton* fireFnOn_ = nullptr;
  QRadioButton* fireFnOff_ = nullptr;
  std::vector<Check> checks_;
  QComboBox* fireCount_ = nullptr;
  QLineEdit* fireTime_ = nullptr;
  QComboBox* sensor_ = nullptr;
  QLineEdit* vendor_ = nullptr;
  QLineEdit* product_ = nullptr;
};

}  // namespace orbic::gui
