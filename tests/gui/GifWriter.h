#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <vector>

// Writes small animated GIFs with giflib's encoder, so the decoder is tested
// against files whose frames, delays and disposal modes are known.
namespace orbic::gui::test {

struct TestFrame {
  int left, top, width, height;
  std::vector<std::uint8_t> pixels;  // palette indexes
  int delayCs = 10;
  int disposal = DISPOSAL_UNSPECIFIED;
  int transparent = NO_TRANSPARENT_COLOR;
};

inline int WriteToVector(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + length);
  return length;
}

// Palette: 0 black, 1 red, 2 green, 3 blue.
inline std::vector<std::uint8_t> WriteGif(int width, int height,
                                          const std::vector<TestFrame>& frames) {
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
  const GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  ColorMapObject* map = GifMakeMapObject(4, colours);
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, width, height, 2, 0, map);
  for (const TestFrame& frame : frames) {
    GraphicsControlBlock control{frame.disposal, false, frame.delayCs, frame.transparent};
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
    EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, false, nullptr);
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.width));
    for (int y = 0; y < frame.height; ++y) {
      for (int x = 0; x < frame.width; ++x) {
        line[static_cast<std::size_t>(x)] =
            frame.pixels[static_cast<std::size_t>(y * frame.width + x)];
      }
      EGifPutLine(gif, line.data(), frame.width);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

}  // namespace orbic::gui::test
