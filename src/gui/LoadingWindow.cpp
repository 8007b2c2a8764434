#include "gui/LoadingWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

#include "gui/WindowShape.h"

namespace orbic::gui {

namespace {

// Black pixels become transparent, as the window's see-through colour.
QImage KeyOutBlack(const QImage& frame) {
  QImage image = frame
                     .scaled(LoadingWindow::kPictureWidth, LoadingWindow::kPictureHeight,
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) == 0 || (qRed(line[x]) | qGreen(line[x]) | qBlue(line[x])) == 0) {
        line[x] = qRgba(0, 0, 0, 0);
      }
    }
  }
  return image;
}

}  // namespace

LoadingWindow::LoadingWindow(std::span<const std::uint8_t> gif, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::Tool) {
  setObjectName("TFormLoadingUI");
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kWidth, kHeight);
  for (GifFrame& frame : DecodeGif(gif)) {
    frames_.push_back({KeyOutBlack(frame.image), frame.delayMs});
  }
  wallClock_.start();
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &LoadingWindow::Advance);
}

void LoadingWindow::ShowOver(const QWidget& main) {
  const QRect area = main.frameGeometry();
  move(area.left() + (area.width() - kWidth) / 2,
       area.top() + (area.height() - kHeight) / 2 + kBelowCentre);
  if (isVisible()) {
    CatchUp();
  } else {
    current_ = 0;
    frameStart_ = Now();
    ApplyMask();
    show();
  }
  raise();
  repaint();
  if (frames_.size() > 1) {
    timer_.start(frames_[static_cast<std::size_t>(current_)].delayMs);
  }
}

void LoadingWindow::Advance() {
  if (!isVisible() || frames_.empty()) {
    return;
  }
  CatchUp();
  update();
  timer_.start(frames_[static_cast<std::size_t>(current_)].delayMs);
}

void LoadingWindow::CatchUp() {
  if (frames_.size() < 2) {
    return;
  }
  const std::uint64_t now = Now();
  const int before = current_;
  // A frame without a delay still shows for a moment, so the loop ends.
  constexpr std::uint64_t kShortestFrameMs = 10;
  for (;;) {
    const auto delay = std::max<std::uint64_t>(
        kShortestFrameMs, static_cast<std::uint64_t>(
                              std::max(0, frames_[static_cast<std::size_t>(current_)].delayMs)));
    if (now < frameStart_ + delay) {
      break;
    }
    frameStart_ += delay;
    current_ = (current_ + 1) % static_cast<int>(frames_.size());
  }
  if (current_ != before) {
    ApplyMask();
  }
}

std::uint64_t LoadingWindow::Now() const {
  return now_ ? now_() : static_cast<std::uint64_t>(wallClock_.elapsed());
}

// Without a compositor (plain X11) translucency is not honoured: a shape
// mask keys the black out there.
void LoadingWindow::ApplyMask() {
  if (frames_.empty() || QGuiApplication::platformName() != QLatin1String("xcb")) {
    return;
  }
  QImage full(kWidth, kHeight, QImage::Format_ARGB32);
  full.fill(Qt::transparent);
  QPainter painter(&full);
  painter.drawImage((kWidth - kPictureWidth) / 2, (kHeight - kPictureHeight) / 2,
                    frames_[static_cast<std::size_t>(current_)].image);
  painter.end();
  setMask(ShownPart(full));
}

void LoadingWindow::paintEvent(QPaintEvent*) {
  if (frames_.empty()) {
    return;
  }
  QPainter painter(this);
  painter.drawImage((kWidth - kPictureWidth) / 2, (kHeight - kPictureHeight) / 2,
                    frames_[static_cast<std::size_t>(current_)].image);
}

}  // namespace orbic::gui
