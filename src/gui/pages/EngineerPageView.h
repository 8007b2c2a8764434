#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "gui/pages/FunctionMenu.h"
#include "gui/pages/PageView.h"
#include "perf/DpiPage.h"

namespace orbic::gui {

// The engineer page (gbPage6): both key modes side by side, whose buttons
// open the function menu, the DPI level table with its colours, and the
// vendor and product codes. The page's other factory groups come later.
class EngineerPageView final : public PageView {
 public:
  static constexpr int kButtons = 9;

  EngineerPageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                   std::function<void()> changed, FunctionMenu& menu);

  void Refresh() override;

 private:
  void BuildKeyModes();
  void BuildCpi();

  FunctionMenu& menu_;
  QObject context_;
  std::array<QGroupBox*, 2> keyModeGroups_{};
  std::array<std::array<QPushButton*, kButtons>, 2> buttons_{};
  QComboBox* levelCount_ = nullptr;  // cb_CPIStep
  QComboBox* current_ = nullptr;     // cb_CurrentCPI
  std::array<QComboBox*, perf::kDpiLevelCount> steps_{};
  std::array<std::array<QLineEdit*, 3>, perf::kDpiLevelCount> colours_{};
  QLineEdit* vendor_ = nullptr;
  QLineEdit* product_ = nullptr;
};

}  // namespace orbic::gui
