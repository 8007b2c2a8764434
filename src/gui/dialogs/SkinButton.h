#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace orbic::gui {

// A dialog button drawn with skin pictures: idle, hovered and pressed, with
// its caption centred over the picture in the button text colour. Without
// pictures it draws a plain framed box.
class SkinButton : public QAbstractButton {
  Q_OBJECT

 public:
  SkinButton(const QString& text, QPixmap idle, QPixmap hovered, QPixmap pressed,
             QWidget* parent = nullptr);

  QSize sizeHint() const override;
  // The picture the button shows now: 0 idle, 1 hovered, 2 pressed.
  int State() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap idle_;
  QPixmap hovered_;
  QPixmap pressed_;
  bool hover_ = false;
};

}  // namespace orbic::gui
