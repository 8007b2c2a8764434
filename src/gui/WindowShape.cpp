#include "gui/WindowShape.h"

#include <vector>

namespace orbic::gui {

namespace {

bool Shown(QRgb pixel, QRgb seeThrough) {
  return qAlpha(pixel) != 0 && (pixel | 0xFF000000U) != (seeThrough | 0xFF000000U);
}

}  // namespace

// Built from runs of shown pixels, row by row: rows of runs in order are the
// banded rectangles a region is made of.
QRegion ShownPart(const QImage& picture, QRgb seeThrough) {
  const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  std::vector<QRect> runs;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < image.width()) {
      while (x < image.width() && !Shown(line[x], seeThrough)) {
        ++x;
      }
      const int start = x;
      while (x < image.width() && Shown(line[x], seeThrough)) {
        ++x;
      }
      if (x > start) {
        runs.emplace_back(start, y, x - start, 1);
      }
    }
  }
  QRegion region;
  region.setRects(runs.data(), static_cast<int>(runs.size()));
  return region;
}

QImage WithSeeThroughCleared(const QImage& picture, QRgb seeThrough) {
  QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  const QImage& unchanged = image;  // reading does not copy the pixels
  bool found = false;
  for (int y = 0; y < unchanged.height() && !found; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(unchanged.constScanLine(y));
    for (int x = 0; x < unchanged.width() && !found; ++x) {
      found = qAlpha(line[x]) != 0 && !Shown(line[x], seeThrough);
    }
  }
  if (!found) {
    return picture;
  }
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) != 0 && !Shown(line[x], seeThrough)) {
        line[x] = 0;
      }
    }
  }
  return image;
}

}  // namespace orbic::gui
