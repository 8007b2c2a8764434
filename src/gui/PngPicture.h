#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <string>

namespace orbic::gui {

// Decodes PNG bytes with libpng's simplified reader into a 32-bit ARGB image.
// A null image and `error` set when the bytes are not a readable PNG.
QImage DecodePng(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

}  // namespace orbic::gui
