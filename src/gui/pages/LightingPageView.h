#pragma once

#include <array>
#include <vector>

#include "gui/pages/ClickLabel.h"
#include "gui/pages/PageView.h"
#include "gui/pages/PictureLabel.h"
#include "gui/pages/RulerSlider.h"
#include "perf/LightingPage.h"

namespace orbic::gui {

// The Breathing Light page (gbPage3): the option pairs, the MCU and RB mode
// choices, the speed and LED-count bars and the speed slider, shown and
// hidden with the LED type as the lighting model says.
class LightingPageView final : public PageView {
 public:
  LightingPageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                   std::function<void()> changed);

  void Refresh() override;

 private:
  struct Pair {
    PictureLabel* picture = nullptr;
    ClickLabel* label = nullptr;
    std::string_view perf::LightingControls::*shows = nullptr;
  };
  struct Choice {
    PictureLabel* picture = nullptr;
    ClickLabel* label = nullptr;
  };
  struct Bar {
    PictureLabel* picture = nullptr;
    QLabel* label = nullptr;
  };

  void BuildPairs();
  void BuildModes();
  void BuildBars();
  ClickLabel* CaptionedLabel(const QString& name, const QRect& geometry);
  void Act(void (perf::LightingPage::*handler)());

  QObject context_;
  std::vector<Pair> pairs_;
  std::array<Choice, perf::kLedModeCount> mcuModes_{};
  std::array<Choice, perf::kLedModeCount> rbModes_{};
  std::array<Bar, perf::kSpeedBarCount> speedBars_{};
  std::array<Bar, perf::kCountBarCount> countBars_{};
  RulerSlider* speedSlider_ = nullptr;
  std::vector<QWidget*> speedAndCount_;  // shown with the MCU LED only
  std::vector<QWidget*> modeSwitch_;     // the L+DPI pair and its caption
};

}  // namespace orbic::gui
