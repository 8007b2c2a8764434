#include "gui/PngPicture.h"

#include <png.h>

#include <cstring>

namespace orbic::gui {

QImage DecodePng(std::span<const std::uint8_t> bytes, std::string* error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  auto fail = [&](const char* what) {
    if (error != nullptr) {
      *error = std::string(what) + ": " + image.message;
    }
    png_image_free(&image);
    return QImage();
  };
  if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
    return fail("not a PNG");
  }
  // BGRA in memory is QImage's ARGB32 on little-endian machines; ARGB is
  // its byte order on big-endian ones.
  image.format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  QImage out(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_ARGB32);
  if (out.isNull()) {
    return fail("picture too large");
  }
  if (png_image_finish_read(&image, nullptr, out.bits(),
                            static_cast<png_int_32>(out.bytesPerLine()), nullptr) == 0) {
    return fail("damaged PNG");
  }
  return out;
}

}  // namespace orbic::gui
