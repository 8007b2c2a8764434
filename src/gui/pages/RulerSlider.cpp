#include "gui/pages/RulerSlider.h"

#include <QMouseEvent>

namespace orbic::gui {

RulerSlider::RulerSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  // The keyboard would change the value without a release position.
  setFocusPolicy(Qt::NoFocus);
}

void RulerSlider::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && isEnabled()) {
    emit releasedAt(event->position().toPoint().x());
  }
}

}  // namespace orbic::gui
