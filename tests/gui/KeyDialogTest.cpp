// The key-capture and combination-key dialogs, driven through their widgets.
#include <QtTest>

#include "gui/SkinResources.h"
#include "gui/dialogs/CombinationKeyDialogView.h"
#include "gui/dialogs/DialogHost.h"
#include "gui/dialogs/KeyCaptureDialogView.h"
#include "ui/LanguageTable.h"
#include "ui/SkinLayout.h"

namespace orbic::gui::test {

namespace {

using keys::ModifierBox;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// A key as the platform delivers it to the focused field, with the X11 keysym.
void Press(QWidget& field, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           quint32 keysym = 0) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, 0, keysym, 0);
  QCoreApplication::sendEvent(&field, &event);
}

// Whether the dialog shows nothing captured: no key, no box, in the model
// and the widgets.
bool ShowsEmpty(const keys::CombinationKeyDialog& model, CombinationKeyDialogView& view) {
  bool empty = model.FieldText().empty() && model.KeyByte() == 0 && view.Field().text().isEmpty();
  for (ModifierBox box :
       {ModifierBox::kCtrl, ModifierBox::kShift, ModifierBox::kAlt, ModifierBox::kWin}) {
    empty = empty && !model.IsBoxChecked(box) && !view.Box(box).isChecked();
  }
  return empty;
}

}  // namespace

class KeyDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    std::vector<std::string> problems;
    ui::ReadEmbeddedSkinLayout(
        1, [](std::string_view name) { return SkinPictureSize(name); }, layout, problems);
    texts = ui::LoadLanguageTable(1, problems);
    look.picture = [](std::string_view name) { return QPixmap::fromImage(LoadSkinPicture(name)); };
    look.layout = &layout;
    look.texts = &texts;
  }

  void KeyCaptureTakesAnyKeyAsPressOrRelease() {
    keys::KeyCaptureDialog model(keys::KeyEventKind::kPress);
    KeyCaptureDialogView view(model, look);
    view.show();
    QCOMPARE(view.Title().text(), QString("Input One Key"));
    QCOMPARE(view.Field().objectName(), QString("Edt_EditKey"));
    QTest::keyClick(&view.Field(), Qt::Key_A);
    QCOMPARE(view.Field().text(), QString("A"));
    // Each key replaces the one before; a modifier is a key of its own, of
    // no side: Right Shift is Shift.
    Press(view.Field(), Qt::Key_Shift, Qt::ShiftModifier, 0xFFE2);
    QCOMPARE(view.Field().text(), QString("Shift"));
    QCOMPARE(Text(model.Confirm().eventText), QString("Shift CODE:82E1"));
    Press(view.Field(), Qt::Key_Shift, Qt::ShiftModifier);
    QCOMPARE(Text(model.Confirm().eventText), QString("Shift CODE:82E1"));
    // Tab, Esc and Enter are captured, not acted on.
    for (const auto& [key, name] : {std::pair{Qt::Key_Tab, "Tab"}, std::pair{Qt::Key_Escape, "Esc"},
                                    std::pair{Qt::Key_Return, "Enter"}}) {
      QTest::keyClick(&view.Field(), key);
      QCOMPARE(view.Field().text(), QString(name));
      QVERIFY(view.isVisible());
      QCOMPARE(view.focusWidget(), static_cast<QWidget*>(&view.Field()));
    }
    QCOMPARE(Text(model.Confirm().eventText), QString("Enter CODE:8228"));
    // A key without a code still captures, as the unnamed key.
    Press(view.Field(), Qt::Key_Eject);
    QCOMPARE(Text(model.Confirm().eventText), QString("None CODE:8200"));
    view.ClearButton().click();
    QCOMPARE(view.Field().text(), QString());
    QVERIFY(model.Confirm().eventText.empty());
    QVERIFY(view.isVisible());
  }

  void KeyCaptureForAReleaseLine() {
    keys::KeyCaptureDialog model(keys::KeyEventKind::kRelease);
    KeyCaptureDialogView view(model, look);
    QTimer::singleShot(0, &view, [&] {
      QTest::keyClick(&view.Field(), Qt::Key_7, Qt::KeypadModifier);
      view.ConfirmButton().click();
    });
    QVERIFY(view.Run());
    QCOMPARE(Text(model.Confirm().keyName), QString("7 (numeric pad)"));
    QCOMPARE(Text(model.Confirm().eventText), QString("7 (numeric pad) CODE:025F"));
  }

  void CombinationTakesOneKeyAndTheBoxes() {
    keys::CombinationKeyDialog model;
    CombinationKeyDialogView view(model, look);
    view.show();
    QCOMPARE(view.Title().text(), QString("Assembly Key"));
    QCOMPARE(view.ConfirmButton().text(), QString("Confirm"));
    QTest::keyClick(&view.Field(), Qt::Key_A);
    QTest::keyClick(&view.Field(), Qt::Key_B);
    QCOMPARE(view.Field().text(), QString("B"));
    QCOMPARE(model.KeyByte(), 0x05);
    // A key with Ctrl held captures nothing; the Ctrl box does the modifier.
    Press(view.Field(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view.Field().text(), QString());
    QTest::mouseClick(&view.Box(ModifierBox::kCtrl), Qt::LeftButton);
    QVERIFY(view.Box(ModifierBox::kCtrl).isChecked());
    QCOMPARE(view.focusWidget(), static_cast<QWidget*>(&view.Field()));
    QTest::keyClick(&view.Field(), Qt::Key_A);
    QCOMPARE(view.Field().text(), QString("Ctrl+A"));
    QCOMPARE(Text(model.Confirm().code), QString("020104"));
    // Win and Alt boxes join in order; unchecking Ctrl drops its name.
    view.Box(ModifierBox::kWin).click();
    view.Box(ModifierBox::kAlt).click();
    QCOMPARE(view.Field().text(), QString("Ctrl+Alt+Win+A"));
    view.Box(ModifierBox::kCtrl).click();
    QCOMPARE(view.Field().text(), QString("Alt+Win+A"));
    QCOMPARE(Text(model.Confirm().code), QString("020C04"));
    // A modifier key pressed in the field forgets the key.
    Press(view.Field(), Qt::Key_Meta, Qt::MetaModifier);
    QCOMPARE(view.Field().text(), QString("Alt+Win"));
    QCOMPARE(Text(model.Confirm().code), QString("020C00"));
  }

  void CombinationClearEmptiesEverythingAndTellsTheCaller() {
    keys::CombinationKeyDialog model;
    CombinationKeyDialogView view(model, look);
    QSignalSpy cleared(&view, &CombinationKeyDialogView::cleared);
    view.show();
    view.Box(ModifierBox::kShift).click();
    QTest::keyClick(&view.Field(), Qt::Key_F5);
    QCOMPARE(view.Field().text(), QString("Shift+F5"));
    view.ClearButton().click();
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(view.Field().text(), QString());
    for (const ModifierBox box :
         {ModifierBox::kCtrl, ModifierBox::kShift, ModifierBox::kAlt, ModifierBox::kWin}) {
      QVERIFY(!view.Box(box).isChecked());
      QVERIFY(!model.IsBoxChecked(box));
    }
    QCOMPARE(Text(model.Confirm().code), QString("020000"));
    QVERIFY(view.isVisible());
  }

  void CombinationSitsFortyPixelsLowAndConfirms() {
    QWidget main;
    main.setGeometry(100, 50, 1000, 600);
    main.show();
    keys::CombinationKeyDialog model;
    CombinationKeyDialogView view(model, look, &main);
    QTimer::singleShot(0, &view, [&] {
      view.Box(ModifierBox::kCtrl).click();
      QTest::keyClick(&view.Field(), Qt::Key_C);
      view.ConfirmButton().click();
    });
    QVERIFY(view.Run());
    QCOMPARE(Text(model.Confirm().label), QString("Ctrl+C"));
    QCOMPARE(Text(model.Confirm().code), QString("020106"));
    const QRect area = main.frameGeometry();
    QCOMPARE(view.pos(), QPoint(area.left() + (area.width() - view.width()) / 2,
                                area.top() + (area.height() - view.height()) / 2 + 40));
    QCOMPARE(view.Box(ModifierBox::kAlt).pos(),
             QPoint(*layout.Value("MK_A_X"), *layout.Value("MK_A_Y")));
    QCOMPARE(view.ConfirmButton().pos(),
             QPoint(*layout.Value("AK_Cfm_X"), *layout.Value("AK_Cfm_Y")));

    CombinationKeyDialogView closed(model, look, &main);
    QTimer::singleShot(0, &closed, [&] { closed.CloseButton().click(); });
    QVERIFY(!closed.Run());
  }

  void CombinationDialogOpensEmptyEachTime() {
    QWidget main;
    keys::CombinationKeyDialog model;
    model.SetBox(ModifierBox::kCtrl, true);
    model.KeyDown('A');
    int openings = 0;
    int emptyOpenings = 0;
    const DialogHost::Runner runner = [&](SkinnedDialog& view) {
      ++openings;
      auto& combination = static_cast<CombinationKeyDialogView&>(view);
      // What the previous opening left is gone.
      emptyOpenings += ShowsEmpty(model, combination) ? 1 : 0;
      model.SetBox(ModifierBox::kShift, true);
      return true;
    };
    DialogHost host(
        main, [this] { return look; }, runner);
    QVERIFY(host.ShowCombinationDialog(model));
    QVERIFY(model.IsBoxChecked(ModifierBox::kShift));
    QVERIFY(host.ShowCombinationDialog(model));
    QCOMPARE(openings, 2);
    QCOMPARE(emptyOpenings, 2);
  }

 private:
  ui::SkinLayout layout;
  ui::LanguageTable texts;
  DialogLook look;
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::KeyDialogTest)
#include "KeyDialogTest.moc"
