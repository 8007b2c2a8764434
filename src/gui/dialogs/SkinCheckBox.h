#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace orbic::gui {

// A check box drawn as the skin's box pictures ("CbS_E" checked, "CbS_D"
// not) with its caption to the right.
class SkinCheckBox : public QAbstractButton {
  Q_OBJECT

 public:
  SkinCheckBox(const QString& text, QPixmap checkedPicture, QPixmap uncheckedPicture,
               QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize BoxSize() const;

  QPixmap checked_;
  QPixmap unchecked_;
};

}  // namespace orbic::gui
