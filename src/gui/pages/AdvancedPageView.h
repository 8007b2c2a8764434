#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <array>

#include "gui/pages/ClickLabel.h"
#include "gui/pages/PageView.h"
#include "gui/pages/PictureLabel.h"
#include "gui/pages/RulerSlider.h"
#include "perf/DpiPage.h"

namespace orbic::perf {
class PointerSettingsPage;
}

namespace orbic::gui {

// The Advanced page (gbPage2): the DPI levels with their sliders, markers and
// colours, the aim value, the rapid-fire key, and the system pointer settings.
// The pointer settings page is not part of the session; until one is given
// its controls are disabled.
class AdvancedPageView final : public PageView {
 public:
  static constexpr int kLevels = perf::kDpiLevelCount;
  static constexpr int kScaleSteps = 11;

  AdvancedPageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                   std::function<void()> changed);

  void SetPointerSettings(perf::PointerSettingsPage* page);
  // The colour dialog; tests put a chooser in its place.
  void SetColourChooser(perf::ColourChooser chooser) { chooseColour_ = std::move(chooser); }

  void Refresh() override;

 private:
  struct Level {
    ClickLabel* label = nullptr;  // lbl_DPIn
    RulerSlider* slider = nullptr;
    QLabel* value = nullptr;
    PictureLabel* marker = nullptr;  // Img_DPIn
    PictureLabel* frame = nullptr;   // Img_DPInCol
    QFrame* swatch = nullptr;        // cs_DPInCol
    ClickLabel* colourTarget = nullptr;
  };
  struct Scale {
    RulerSlider* slider = nullptr;
    std::array<QLabel*, kScaleSteps> ticks{};
  };

  void BuildDpi();
  void BuildFireKey();
  void BuildPointer();
  Scale MakeScale(const char* slider, const char* tick, const char* caption, std::string_view key,
                  int top);
  void RefreshDpi();
  void RefreshPointer();

  QObject context_;
  perf::PointerSettingsPage* pointer_ = nullptr;
  perf::ColourChooser chooseColour_;
  std::array<Level, kLevels> levels_{};
  QComboBox* count_ = nullptr;  // cbb_DPICount
  RulerSlider* aimSlider_ = nullptr;
  QLabel* aimValue_ = nullptr;
  QLineEdit* fireCount_ = nullptr;  // Edt_Repeat1
  QLineEdit* fireTime_ = nullptr;   // Edt_DelayTime1
  PictureLabel* fireContinue_ = nullptr;
  Scale speed_;
  Scale doubleClick_;
  Scale wheel_;
  QLabel* pointerNotice_ = nullptr;  // lbl_PointerScope
  PictureLabel* isControl_ = nullptr;
  ClickLabel* isControlTarget_ = nullptr;
  PictureLabel* isScreen_ = nullptr;
  ClickLabel* isScreenTarget_ = nullptr;
};

}  // namespace orbic::gui
