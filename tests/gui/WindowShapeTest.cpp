// Shaped windows: what the skin's see-through colour cuts away, on a small
// picture and on the main window itself.
#include <QtTest>

#include "WindowRig.h"
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
