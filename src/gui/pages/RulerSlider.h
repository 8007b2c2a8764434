#pragma once

#include <QSlider>

namespace orbic::gui {

// A horizontal slider whose value the page decides: the release position is
// handed to the page model, which snaps it to a step and sets the value back.
// Dragging moves the thumb only for the eye.
class RulerSlider : public QSlider {
  Q_OBJECT

 public:
  explicit RulerSlider(QWidget* parent = nullptr);

 signals:
  // Left button released at `x` pixels from the slider's left edge.
  void releasedAt(int x);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace orbic::gui
