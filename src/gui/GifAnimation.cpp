#include "gui/GifAnimation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace orbic::gui {

namespace {

struct Reader {
  std::span<const std::uint8_t> bytes;
  std::size_t at = 0;
};

int Read(GifFileType* gif, GifByteType* out, int length) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  const std::size_t count =
      std::min(static_cast<std::size_t>(std::max(length, 0)), reader->bytes.size() - reader->at);
  if (count > 0) {  // an empty span has no data pointer to copy from
    std::memcpy(out, reader->bytes.data() + reader->at, count);
  }
  reader->at += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};

// Browsers show frames with no or a tiny delay at 100 ms; so do we.
constexpr int kDefaultDelayMs = 100;

}  // namespace

std::vector<GifFrame> DecodeGif(std::span<const std::uint8_t> bytes, std::string* error) {
  auto fail = [&](const std::string& what) {
    if (error != nullptr) {
      *error = what;
    }
    return std::vector<GifFrame>();
  };
  Reader reader{bytes};
  int code = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, Read, &code));
  if (!gif) {
    return fail(std::string("not a GIF: ") + GifErrorString(code));
  }
  if (DGifSlurp(gif.get()) != GIF_OK) {
    return fail(std::string("damaged GIF: ") + GifErrorString(gif->Error));
  }
  const int width = gif->SWidth;
  const int height = gif->SHeight;
  if (width <= 0 || height <= 0 || gif->ImageCount <= 0) {
    return fail("GIF without pictures");
  }
  QImage canvas(width, height, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  std::vector<GifFrame> frames;
  for (int index = 0; index < gif->ImageCount; ++index) {
    const SavedImage& saved = gif->SavedImages[index];
    const GifImageDesc& desc = saved.ImageDesc;
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    DGifSavedExtensionToGCB(gif.get(), index, &control);
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (map == nullptr) {
      return fail("GIF frame without colours");
    }
    const QImage before = canvas;
    for (int y = 0; y < desc.Height; ++y) {
      const int canvasY = desc.Top + y;
      if (canvasY < 0 || canvasY >= height) {
        continue;
      }
      auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(canvasY));
      for (int x = 0; x < desc.Width; ++x) {
        const int canvasX = desc.Left + x;
        const int colour = saved.RasterBits[y * desc.Width + x];
        if (canvasX < 0 || canvasX >= width || colour == control.TransparentColor ||
            colour >= map->ColorCount) {
          continue;
        }
        const GifColorType& c = map->Colors[colour];
        line[canvasX] = qRgb(c.Red, c.Green, c.Blue);
      }
    }
    const int delay = control.DelayTime * 10;
    frames.push_back({canvas, delay >= 20 ? delay : kDefaultDelayMs});
    // What the next frame starts from.
    if (control.DisposalMode == DISPOSE_BACKGROUND) {
      for (int y = std::max(desc.Top, 0); y < std::min(desc.Top + desc.Height, height); ++y) {
        auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = std::max(desc.Left, 0); x < std::min(desc.Left + desc.Width, width); ++x) {
          line[x] = qRgba(0, 0, 0, 0);
        }
      }
    } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
      canvas = before;
    }
  }
  return frames;
}

}  // namespace orbic::gui
