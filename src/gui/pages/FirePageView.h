#pragma once

#include <QColor>
#include <QFrame>
#include <QLineEdit>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "gui/pages/ClickLabel.h"
#include "gui/pages/FireContentView.h"
#include "gui/pages/PageView.h"
#include "gui/pages/PictureLabel.h"

namespace orbic::gui {

// The fire macro page (gbPage5): the seven gun presets, the three parameter
// columns with their captions, Confirm / Cancel and the hidden content
// editor, bound to the session's fire macro page.
class FirePageView final : public PageView {
 public:
  static constexpr int kGuns = 7;
  static constexpr int kColumns = 3;

  FirePageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
               std::function<void()> changed);

  // The colour dialog; nothing when the user cancelled. Tests put a chooser
  // in its place.
  std::function<std::optional<QColor>(const QColor& current)> chooseColour;

  FireContentView& Content() { return *content_; }

  void Refresh() override;
  void HideMenus() override { content_->HideMenus(); }

 private:
  struct Column {
    QLineEdit* count = nullptr;     // Edt_FireCnt
    QLineEdit* interval = nullptr;  // Edt_FireTime
    QLineEdit* x = nullptr;         // Edt_FireX
    QLineEdit* y = nullptr;         // Edt_FireY
    QLineEdit* yOffset = nullptr;   // Edt_FireYOffset
    PictureLabel* colourFrame = nullptr;
    QFrame* colour = nullptr;  // cs_FireColor
    ClickLabel* colourButton = nullptr;
    PictureLabel* stopPicture = nullptr;
    ClickLabel* stopButton = nullptr;
  };

  void BindColumn(int column);
  void ChooseColour(int column);
  // Confirm and Cancel close the page onto the first page.
  void ShowFirstPage();

  std::array<PictureLabel*, kGuns> gunPictures_{};
  std::array<PictureLabel*, 5> modePictures_{};
  std::array<Column, kColumns> columns_{};
  std::unique_ptr<FireContentView> content_;
};

}  // namespace orbic::gui
