#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
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

  // Milliseconds of the clock the transfers wait on; the animation follows
  // it, so frames move on between chunks even while the event loop only runs
  // in short pumps. Without one the wall clock is used.
  using TimeSource = std::function<std::uint64_t()>;
  void SetTimeSource(TimeSource now) { now_ = std::move(now); }

  // Centred over `main` horizontally and 40 px below its centre, then shown
  // and painted at once (the caller is about to block on the mouse). While
  // shown, a new call only keeps it in place and moves the animation on to
  // the frame the time since the last frame calls for.
  void ShowOver(const QWidget& main);
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  int CurrentFrame() const { return current_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Advance();
  // Steps through every frame whose delay has passed.
  void CatchUp();
  std::uint64_t Now() const;
  void ApplyMask();

  std::vector<GifFrame> frames_;  // stretched, with black keyed out
  int current_ = 0;
  std::uint64_t frameStart_ = 0;
  TimeSource now_;
  QElapsedTimer wallClock_;
  QTimer timer_;
};

}  // namespace orbic::gui
