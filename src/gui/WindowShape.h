#pragma once

#include <QImage>
#include <QRegion>

namespace orbic::gui {

// The skin's see-through colour: maroon, 0x000080 as the skin files give it.
inline constexpr QRgb kSeeThrough = qRgb(0x80, 0x00, 0x00);

// The pixels of `picture` a shaped window shows: every pixel that is neither
// of the see-through colour nor fully transparent.
QRegion ShownPart(const QImage& picture, QRgb seeThrough = kSeeThrough);

// `picture` with its see-through pixels fully transparent, for window systems
// that blend a translucent window instead of taking a shape.
QImage WithSeeThroughCleared(const QImage& picture, QRgb seeThrough = kSeeThrough);

}  // namespace orbic::gui
