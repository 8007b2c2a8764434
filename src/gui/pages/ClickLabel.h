#pragma once

#include <QLabel>
#include <QPoint>

namespace orbic::gui {

// A text label that works as a button: the skinned pages draw their clickable
// controls as labels over pictures.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent = nullptr);

 signals:
  // Left button released over the label; `position` in the label's coordinates.
  void clicked(QPoint position);
  void rightClicked(QPoint position);
  void doubleClicked();
  void entered();
  void left();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
};

}  // namespace orbic::gui
