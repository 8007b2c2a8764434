// The Breathing Light page: pictures show the lighting model after a read and
// clicks go through its handlers.
#include <QtTest>

#include "PageRig.h"
#include "WindowRig.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/PictureLabel.h"
#include "gui/pages/RulerSlider.h"

namespace orbic::gui::test {

class LightingPageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheReadModeAndSpeed() {
    // Mode code 4, speed step 2, LED on; the complement byte follows.
    PageRig rig([](params::Image& image) {
      image[0x32] = 0x44;
      image[0x33] = 0xBB;
    });
    const perf::LightingPage& lighting = rig.Session().Settings().lighting;
    QCOMPARE(lighting.LedTypeName(), std::string("MCULED"));
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_MCULEDMode4")->Picture(), QString("RdS_E"));
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_MCULEDMode1")->Picture(), QString("RdS_D"));
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_LEDOn")->Picture(), QString("RdS_E"));
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_MCULEDStep_3")->Picture(), QString("Bar1_E"));
    QCOMPARE(rig.Find<RulerSlider>(3, "slider_Breath_Speed")->value(), 500);
    // The RB choices belong to another LED type.
    QVERIFY(rig.Find<QWidget>(3, "lbl_RBLEDMode1")->isHidden());
    QVERIFY(!rig.Find<QWidget>(3, "lbl_MCULEDMode1")->isHidden());
  }

  void ClicksGoThroughTheLightingModel() {
    PageRig rig;
    const perf::LightingPage& lighting = rig.Session().Settings().lighting;
    QTest::mouseClick(rig.Find<ClickLabel>(3, "lbl_LEDOff"), Qt::LeftButton);
    QVERIFY(lighting.Controls().rb_LEDOff);
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_LEDOff")->Picture(), QString("RdS_E"));
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_LEDOn")->Picture(), QString("RdS_D"));

    QTest::mouseClick(rig.Find<ClickLabel>(3, "Img_MCULEDMode2"), Qt::LeftButton);
    QCOMPARE(lighting.Controls().cb_MCULEDCurrentMode.itemIndex, 1);
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_MCULEDMode2")->Picture(), QString("RdS_E"));

    QTest::mouseClick(rig.Find<ClickLabel>(3, "Img_MCULEDNum_1"), Qt::LeftButton);
    QCOMPARE(lighting.Controls().edt_MCULEDNum, std::string("4"));
    QTest::mouseClick(rig.Find<ClickLabel>(3, "Img_MCULEDStep_8"), Qt::LeftButton);
    QCOMPARE(lighting.Controls().edt_MCULEDCrtStep, std::string("7"));
    QCOMPARE(rig.Find<PictureLabel>(3, "Img_MCULEDStep_8")->Picture(), QString("Bar1_E"));
  }

  // The row the skin captions "LED Brightness" holds the brightness choices,
  // captioned "ALL" and "HALF"; choosing HALF there changes the brightness
  // and nothing else.
  void TheBrightnessRowSwitchesTheBrightness() {
    WindowRig rig(true);
    rig.TickUntilRead();
    const QLabel* row = rig.Find("lbl_Led_Light");
    auto* half = rig.Find<ClickLabel>("lbl_MCULED6Control");
    QVERIFY(row != nullptr && half != nullptr);
    QCOMPARE(row->text(), QString("LED Brightness"));
    QCOMPARE(rig.Find("lbl_MCULED3Control")->text(), QString("ALL"));
    QCOMPARE(half->text(), QString("HALF"));
    // On the caption's row: the choice lies over its picture, a pixel or two off.
    QVERIFY(qAbs(half->geometry().center().y() - row->geometry().center().y()) <=
            row->height() / 2);
    QVERIFY(half->parentWidget()->rect().contains(half->geometry()));
    QCOMPARE(rig.Find("lbl_SaveKeyMode")->text(), QString("Save"));
    QCOMPARE(rig.Find("lbl_NoSaveKeyMode")->text(), QString("No Save"));

    const perf::LightingPage& lighting = rig.window->Session().Settings().lighting;
    const bool noSave = lighting.Controls().rb_NoSave;
    QTest::mouseClick(half, Qt::LeftButton);
    QVERIFY(lighting.Controls().rb_MCULED6Control);
    QCOMPARE(lighting.Controls().rb_NoSave, noSave);
  }

  // At start-up, before any mouse, exactly one LED-count bar is lit.
  void OneCountBarIsLitAtStartUp() {
    WindowRig rig(false);
    PictureLabel unlit;
    unlit.SetPicture(perf::kBarUnlit);
    const QImage unlitImage = unlit.pixmap().toImage();
    QVERIFY(!unlitImage.isNull());
    int lit = 0;
    for (int bar = 1; bar <= static_cast<int>(perf::kCountBarCount); ++bar) {
      const QLabel* picture = rig.Find(QString("Img_MCULEDNum_%1").arg(bar));
      QVERIFY(picture != nullptr);
      lit += picture->pixmap().toImage().convertToFormat(unlitImage.format()) != unlitImage;
    }
    QCOMPARE(lit, 1);
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::LightingPageViewTest)
#include "LightingPageViewTest.moc"
