#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "gui/GifAnimation.h"

namespace orbic::gui {

// TFormLoadingUI: the small borderless, topmost window with the waiting
// animation, shown over the main window while the mouse is read or written.
// Black is its see-through colour.
class LoadingWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 206;
  static constexpr int kHeight = 196;
  static constexpr int kPictureWidth = 200;
  static constexpr int kPictureHeight = 192;
  static constexpr int kBelowCentre = 40;

  // `gif`: the animation's bytes; a window without frames stays blank.
  explicit LoadingWindow(std::span<const std::uint8_t> gif, QWidget* parent = nullptr);

  // Centred over `main` horizontally and 40 px below its centre, then shown
  // and painted at once (the caller is about to block on the mouse).
  void ShowOver(const QWidget& main);
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  int CurrentFrame() const { return current_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Advance();
  void ApplyMask();

  std::vector<GifFrame> frames_;  // stretched, with black keyed out
  int current_ = 0;
  QTimer timer_;
};

}  // namespace orbic::gui
