// The PNG and GIF decoders behind every skin picture and the loading animation.
#include <QBuffer>
#include <QtTest>

#include "GifWriter.h"
#include "gui/GifAnimation.h"
#include "gui/PngPicture.h"

namespace orbic::gui::test {

class PicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void PngDecodesEveryPixelWithItsAlpha() {
    QImage source(5, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        source.setPixel(x, y, qRgba(x * 50, y * 80, 200, x == 0 ? 0 : 255));
      }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(source.save(&buffer, "PNG"));

    const auto* data = reinterpret_cast<const std::uint8_t*>(png.constData());
    const QImage decoded = DecodePng({data, static_cast<std::size_t>(png.size())});
    QCOMPARE(decoded.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y) {
      for (int x = 1; x < 5; ++x) {
        QCOMPARE(decoded.pixel(x, y), source.pixel(x, y));
      }
      QCOMPARE(qAlpha(decoded.pixel(0, y)), 0);
    }
  }

  void BrokenPngsAreReportedNotShown() {
    std::string error;
    const std::vector<std::uint8_t> junk = {0x89, 'P', 'N', 'G', 1, 2, 3};
    QVERIFY(DecodePng(junk, &error).isNull());
    QVERIFY(!error.empty());
    QVERIFY(DecodePng({}, &error).isNull());
  }

  // Frame 1 fills the canvas red; frame 2 draws green at (1,1) and is cleared
  // afterwards; frame 3 draws blue at (0,0) with a transparent hole and is
  // undone afterwards; frame 4 draws nothing new (transparent pixel only).
  void GifFramesComposeWithTheirDisposalModes() {
    const std::vector<TestFrame> frames = {
        {0, 0, 3, 3, std::vector<std::uint8_t>(9, 1), 5},
        {1, 1, 1, 1, {2}, 20, DISPOSE_BACKGROUND},
        {0, 0, 2, 1, {3, 0}, 30, DISPOSE_PREVIOUS, 0},
        {2, 2, 1, 1, {0}, 0, DISPOSE_DO_NOT, 0},
    };
    const std::vector<std::uint8_t> gif = WriteGif(3, 3, frames);
    std::string error;
    const std::vector<GifFrame> decoded = DecodeGif(gif, &error);
    QCOMPARE(decoded.size(), std::size_t{4});
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    QCOMPARE(decoded[0].image.pixel(1, 1), red);
    QCOMPARE(decoded[1].image.pixel(1, 1), green);
    QCOMPARE(decoded[2].image.pixel(1, 1), qRgba(0, 0, 0, 0));  // green was cleared
    QCOMPARE(decoded[2].image.pixel(0, 0), blue);
    QCOMPARE(decoded[2].image.pixel(1, 0), red);  // transparent index kept red
    QCOMPARE(decoded[3].image.pixel(0, 0), red);  // blue was undone
    QCOMPARE(decoded[3].image.pixel(2, 2), red);
    // Delays in ms; a frame with almost no delay runs at 100 ms, as browsers do.
    QCOMPARE(decoded[0].delayMs, 50);
    QCOMPARE(decoded[1].delayMs, 200);
    QCOMPARE(decoded[2].delayMs, 300);
    QCOMPARE(decoded[3].delayMs, 100);
  }

  void BrokenGifsAreReportedNotShown() {
    std::string error;
    std::vector<std::uint8_t> gif = WriteGif(2, 2, {{0, 0, 2, 2, {1, 1, 1, 1}}});
    gif.resize(gif.size() / 2);
    QVERIFY(DecodeGif(gif, &error).empty());
    QVERIFY(!error.empty());
    QVERIFY(DecodeGif(std::vector<std::uint8_t>{'G', 'I', 'F'}, &error).empty());
    QVERIFY(DecodeGif({}, &error).empty());  // no bytes at all
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::PicturesTest)
#include "PicturesTest.moc"
