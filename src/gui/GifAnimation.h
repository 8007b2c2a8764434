#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orbic::gui {

// One composed frame of an animated GIF and how long it stays.
struct GifFrame {
  QImage image;  // the whole canvas after this frame, ARGB32
  int delayMs = 0;
};

// Decodes every frame of a GIF with giflib, composing each onto the canvas
// with its disposal mode (keep, clear to transparent, restore previous) and
// its transparent colour. Empty with `error` set when the bytes are not a GIF.
std::vector<GifFrame> DecodeGif(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

}  // namespace orbic::gui
