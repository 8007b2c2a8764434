#pragma once

#include <QString>
#include <string_view>

#include "gui/pages/ClickLabel.h"

namespace orbic::gui {

// A clickable label that shows one skin picture by name ("RdS_E", "KeyS_01").
// The name is kept so the page knows (and tests can read) what it shows; a
// missing picture leaves the label empty rather than failing.
class PictureLabel : public ClickLabel {
  Q_OBJECT

 public:
  explicit PictureLabel(QWidget* parent = nullptr);

  // Loads the picture only when the name changes; with `fitSize` the label
  // takes the picture's size.
  void SetPicture(std::string_view name, bool fitSize = false);
  const QString& Picture() const { return picture_; }

 private:
  QString picture_;
};

}  // namespace orbic::gui
