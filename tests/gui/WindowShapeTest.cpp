// Shaped windows: what the skin's see-through colour cuts away, on a small
// picture and on the main window itself.
#include <QtTest>
#include <cstdlib>

#include "WindowRig.h"
#include "gui/SkinResources.h"
#include "gui/WindowShape.h"

namespace orbic::gui::test {

class WindowShapeTest : public QObject {
  Q_OBJECT

 private slots:
  void SeeThroughAndTransparentPixelsAreCutAway() {
    QImage picture(8, 4, QImage::Format_ARGB32);
    picture.fill(qRgb(30, 32, 37));
    picture.setPixel(0, 0, kSeeThrough);
    picture.setPixel(7, 3, qRgba(0, 0, 0, 0));
    picture.setPixel(1, 0, qRgb(0x80, 0x02, 0x02));  // near the colour is not the colour
    const QRegion shown = ShownPart(picture);
    QVERIFY(!shown.contains(QPoint(0, 0)));
    QVERIFY(!shown.contains(QPoint(7, 3)));
    QVERIFY(shown.contains(QPoint(1, 0)));
    QVERIFY(shown.contains(QPoint(4, 2)));
    QCOMPARE(shown.boundingRect(), QRect(0, 0, 8, 4));

    const QImage cleared = WithSeeThroughCleared(picture);
    QCOMPARE(qAlpha(cleared.pixel(0, 0)), 0);
    QCOMPARE(cleared.pixel(1, 0), picture.pixel(1, 0));
    QCOMPARE(cleared.pixel(4, 2), picture.pixel(4, 2));
    QCOMPARE(ShownPart(cleared), shown);
  }

  // The pictures the window is shaped from hold no shade a little off the
  // see-through colour: such pixels would stay and show as red specks.
  void SkinArtHasNothingNearlySeeThrough() {
    constexpr int kNear = 16;
    for (const char* name : {"L1_BackGround", "L2_BackGround", "L3_BackGround", "Msg"}) {
      const QImage picture = LoadSkinPicture(name).convertToFormat(QImage::Format_ARGB32);
      QVERIFY2(!picture.isNull(), name);
      int near = 0;
      for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
          const QRgb pixel = picture.pixel(x, y);
          near += qAlpha(pixel) != 0 && (pixel | 0xFF000000U) != kSeeThrough &&
                  std::abs(qRed(pixel) - 0x80) <= kNear && qGreen(pixel) <= kNear &&
                  qBlue(pixel) <= kNear;
        }
      }
      QVERIFY2(near == 0, qPrintable(QString("%1: %2").arg(name).arg(near)));
    }
  }

  // The window shows its skin and loses only its rounded corners.
  void TheMainWindowKeepsAllButItsCorners() {
    WindowRig rig(false);
    const QRegion shape = rig.window->mask();
    const QRect whole = rig.window->rect();
    QVERIFY(shape.contains(whole.center()));
    QVERIFY(shape.contains(QPoint(whole.width() / 2, 1)));
    QVERIFY(!shape.contains(QPoint(0, 0)));
    QVERIFY(!shape.contains(QPoint(whole.right(), whole.bottom())));
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::WindowShapeTest)
#include "WindowShapeTest.moc"
