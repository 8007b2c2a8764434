#pragma once

#include "gui/pages/PageView.h"

namespace orbic::gui {

// The fire macro page (gbPage5): the seven gun presets, the three parameter
// columns with their captions, and Confirm / Cancel. Only the controls for
// now: the fire macro model they edit is not part of the session yet.
class FirePageView final : public PageView {
 public:
  static constexpr int kGuns = 7;
  static constexpr int kColumns = 3;

  FirePageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
               std::function<void()> changed);

  void Refresh() override {}
};

}  // namespace orbic::gui
