// The window's control style and the skin's fitting of labels over their
// pictures, checked on the real window after a demo read.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "WindowRig.h"
#include "gui/WindowStyle.h"

namespace orbic::gui::test {

namespace {

// Perceived brightness 0..255.
int Brightness(QRgb pixel) {
  return (299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel)) / 1000;
}

// The brightness of the pixel at the middle of `widget`'s left end, inside
// its border and before its text, as the window draws it.
int BackgroundBrightness(QWidget& window, QWidget* widget) {
  const QImage shot = window.grab().toImage();
  const QPoint inside = widget->mapTo(&window, QPoint(3, widget->height() / 2));
  return Brightness(shot.pixel(inside));
}

}  // namespace

class WindowStyleTest : public QObject {
  Q_OBJECT

 private slots:
  void SheetHasEveryColourFilledIn() {
    const QString sheet = WindowStyleSheet();
    QVERIFY(!sheet.contains('@'));
    QVERIFY(sheet.contains("#40c4ff"));
    WindowPalette palette;
    palette.accent = "#ff8c38";
    const QString other = WindowStyleSheet(palette);
    QVERIFY(other.contains("#ff8c38"));
    QVERIFY(!other.contains("#40c4ff"));
  }

  // Edits and drop-down lists on the dark pages were drawn white with the
  // skin's light text on them.
  void FieldsAreDarkUnderLightText() {
    WindowRig rig(true);
    rig.window->show();
    rig.TickUntilRead();
    QTest::mouseClick(rig.Find("Btn_Adv_1"), Qt::LeftButton);
    for (const char* name : {"cbb_DPICount", "Edt_Repeat1", "Edt_DelayTime1"}) {
      QWidget* field = rig.Find<QWidget>(name);
      QVERIFY2(field != nullptr && field->isVisible(), name);
      QVERIFY2(BackgroundBrightness(*rig.window, field) < 80, name);
    }
  }

  // The function menus and their macro list take the layout's colours:
  // skin 2 marks the entry under the pointer in its own orange.
  void MenusTakeTheLayoutsColours() {
    WindowRig rig(true);
    for (const char* name : {"Pnl_Main", "Pnl_Special", "LB_Name"}) {
      QVERIFY2(rig.Find<QWidget>(name)->styleSheet().contains("rgb(64, 196, 255)"), name);
    }
    rig.window->LanguageButton(2);
    for (const char* name : {"Pnl_Main", "Pnl_Special", "LB_Name"}) {
      const QString style = rig.Find<QWidget>(name)->styleSheet();
      QVERIFY2(style.contains("rgb(255, 140, 56)"), name);
      QVERIFY2(!style.contains("rgb(64, 196, 255)"), name);
    }
  }

  // The number fields of the Advanced and macro pages show their numbers centred.
  void NumberFieldsAreCentred() {
    WindowRig rig(true);
    for (const char* name : {"Edt_Repeat1", "Edt_DelayTime1", "Edt_Delay", "Edt_InsertDelay",
                             "edt_Repeat", "edt_XAxisValue", "edt_YAxisValue"}) {
      const auto* field = rig.Find<QLineEdit>(name);
      QVERIFY2(field != nullptr, name);
      QVERIFY2(field->alignment() & Qt::AlignHCenter, name);
    }
  }

  // The skin's item height must not take the list boxes' own colours away.
  void ListBoxesKeepTheirColoursUnderTheSkin() {
    WindowRig rig(true);
    rig.window->show();
    rig.TickUntilRead();
    QTest::mouseClick(rig.Find("Btn_Macro_1"), Qt::LeftButton);
    auto* names = rig.Find<QListWidget>("LB_PCMacroName");
    QVERIFY(names != nullptr && names->isVisible());
    QVERIFY(names->styleSheet().contains("height: 20px"));
    QVERIFY(BackgroundBrightness(*rig.window, names) < 80);
  }

  // A smaller page group (the engineer page) does not show the skin
  // background's header strip cut off.
  void SmallerPageGetsAPlainSurface() {
    WindowRig rig(true);
    const QWidget* engineer = rig.window->PageGroup(6);
    QLabel* base = engineer->findChild<QLabel*>("Img_Base_6");
    QVERIFY(base != nullptr);
    QCOMPARE(base->pixmap().size(), engineer->size());
    const QImage surface = base->pixmap().toImage();
    QCOMPARE(qAlpha(surface.pixel(0, 0)), 0);  // rounded corner
    const QRgb middle = surface.pixel(surface.width() / 2, surface.height() / 2);
    QCOMPARE(qAlpha(middle), 255);
    QVERIFY(Brightness(middle) < 60);
    // Its captions are light on the dark surface.
    QLabel* caption = engineer->findChild<QLabel*>("lbl_VendorID");
    QVERIFY(caption != nullptr && !caption->text().isEmpty());
    const QImage text = caption->grab().toImage();
    int brightest = 0;
    for (int y = 0; y < text.height(); ++y) {
      for (int x = 0; x < text.width(); ++x) {
        brightest = std::max(brightest, Brightness(text.pixel(x, y)));
      }
    }
    QVERIFY(brightest > 180);
    // The skin-sized pages keep the skin background.
    const QLabel* first = rig.window->PageGroup(1)->findChild<QLabel*>("Img_Base_1");
    QCOMPARE(first->pixmap().size(), rig.window->PageGroup(1)->size());
    QCOMPARE(first->pixmap().cacheKey(),
             rig.window->Skin().Picture(SkinEngine::BackgroundName(1)).cacheKey());
  }

  // Marker captions are centred on their pills; option captions start after
  // their pictures while the clickable label still covers the picture.
  void LabelsFitTheirPictures() {
    WindowRig rig(true);
    rig.window->show();
    rig.TickUntilRead();
    for (int key = 1; key <= 9; ++key) {
      const QLabel* label = rig.Find(QString("Key%1").arg(key));
      const QLabel* picture = rig.Find(QString("Img_Key%1").arg(key));
      QVERIFY(label != nullptr && picture != nullptr);
      QCOMPARE(label->geometry().top(), picture->geometry().top());
      QCOMPARE(label->height(), picture->height());
      QCOMPARE(label->alignment(), Qt::AlignCenter);
    }
    // The brightness pair holds the row the save-key-mode pair had; that pair
    // lies out of sight in the shipped skins.
    for (const char* pair : {"ComboKey1", "ComboKey2", "LEDOn", "LEDOff", "MCULED3Control",
                             "MCULED6Control", "MCULEDMode6"}) {
      const QString name =
          QString(pair).startsWith("Combo") ? QString("IB_") + pair : QString("lbl_") + pair;
      const QLabel* label = rig.Find(name);
      const QLabel* picture = rig.Find(QString("Img_") + pair);
      QVERIFY2(label != nullptr && picture != nullptr, pair);
      QVERIFY2(!label->text().isEmpty(), pair);
      const QRect cover = label->geometry();
      const QRect under = picture->geometry();
      QVERIFY2(cover.contains(under.center()), pair);
      QVERIFY2(cover.left() + label->indent() > under.right(), pair);
      const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
      QVERIFY2(cover.left() + label->indent() + textWidth <= cover.right() + 1, pair);
      QVERIFY2(label->parentWidget()->rect().contains(cover), pair);
    }
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::WindowStyleTest)
#include "WindowStyleTest.moc"
