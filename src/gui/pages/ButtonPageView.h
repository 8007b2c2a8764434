#pragma once

#include <array>
#include <memory>

#include "gui/pages/ClickLabel.h"
#include "gui/pages/FunctionMenu.h"
#include "gui/pages/PageView.h"
#include "gui/pages/PictureLabel.h"

namespace orbic::gui {

// The button page (gbPage1): the nine markers on the mouse picture with the
// labels of the shown key mode, the key-mode switch options, and the function
// menu that opens beside a clicked label.
class ButtonPageView final : public PageView {
 public:
  static constexpr int kMarkers = 9;
  static constexpr int kSwitchOptions = 3;

  ButtonPageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                 std::function<void()> changed, FunctionMenu& menu);

  void Refresh() override;
  void HideMenus() override;

 private:
  void OpenMenu(int marker);

  FunctionMenu& menu_;
  QObject context_;
  std::array<PictureLabel*, kMarkers> markers_{};               // Img_Key1..9
  std::array<ClickLabel*, kMarkers> labels_{};                  // Key1..9
  std::array<PictureLabel*, kSwitchOptions> switchPictures_{};  // Img_ComboKey1..3
  std::array<ClickLabel*, kSwitchOptions> switchTargets_{};     // IB_ComboKey1..3
};

}  // namespace orbic::gui
