#include "gui/pages/ClickLabel.h"

#include <QMouseEvent>

namespace orbic::gui {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  // Released outside the label: the press is abandoned, as with a button.
  const QPoint position = event->position().toPoint();
  if (!rect().contains(position)) {
    return;
  }
  if (event->button() == Qt::LeftButton) {
    emit clicked(position);
  } else if (event->button() == Qt::RightButton) {
    emit rightClicked(position);
  }
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit doubleClicked();
  }
}

void ClickLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  emit entered();
}

void ClickLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  emit left();
}

}  // namespace orbic::gui
