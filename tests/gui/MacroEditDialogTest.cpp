// The macro editor's name, delay and value dialogs, driven through their widgets.
#include <QtTest>

#include "gui/SkinResources.h"
#include "gui/dialogs/DelayDialogView.h"
#include "gui/dialogs/MacroNameDialogView.h"
#include "gui/dialogs/ValueDialogView.h"
#include "ui/IniFile.h"
#include "ui/LanguageTable.h"
#include "ui/SkinLayout.h"

namespace orbic::gui::test {

namespace {

DialogLook SkinOneLook(const ui::SkinLayout& layout, const ui::LanguageTable& texts) {
  DialogLook look;
  look.picture = [](std::string_view name) { return QPixmap::fromImage(LoadSkinPicture(name)); };
  look.layout = &layout;
  look.texts = &texts;
  return look;
}

void Type(QLineEdit& field, const QString& text) {
  QTest::keyClicks(&field, text);
}

}  // namespace

class MacroEditDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    std::vector<std::string> problems;
    ui::ReadEmbeddedSkinLayout(
        2, [](std::string_view name) { return SkinPictureSize(name); }, layout, problems);
    texts = ui::LoadLanguageTable(1, problems);
    QVERIFY(texts.Has("Str510"));
  }

  void NameDialogTakesSixteenCharactersAndCentres() {
    macros::MacroNameDialog model(macros::NameDialogPurpose::kCreate);
    MacroNameDialogView view(model, SkinOneLook(layout, texts));
    view.show();
    QCOMPARE(view.Title().text(), QString("Macro Name"));
    QCOMPARE(view.ConfirmButton().text(), QString("OK"));
    QCOMPARE(view.ClearButton().text(), QString("Clear"));
    QCOMPARE(view.Field().alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    Type(view.Field(), "Rapid fire burst twenty");
    QCOMPARE(view.Field().text(), QString("Rapid fire burst"));
    QCOMPARE(model.Text(), std::string("Rapid fire burst"));
    // A character outside the basic plane takes two of the sixteen.
    view.ClearButton().click();
    QCOMPARE(view.Field().text(), QString());
    QVERIFY(model.Text().empty());
    Type(view.Field(), "ABCDEFGHIJKLMN");
    for (const QString& typed : {QString::fromUtf8("\xF0\x9F\x98\x80"), QString("Z")}) {
      QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, typed);
      QCoreApplication::sendEvent(&view.Field(), &key);
    }
    QCOMPARE(model.Text(), std::string("ABCDEFGHIJKLMN\xF0\x9F\x98\x80"));
    QCOMPARE(view.Field().text(), QString::fromStdString(model.Text()));
    QTest::keyClick(&view.Field(), Qt::Key_Return);
    QCOMPARE(view.result(), int(QDialog::Accepted));
  }

  void ConfirmAndCloseDecideTheResult() {
    macros::MacroNameDialog model(macros::NameDialogPurpose::kRename);
    QWidget main;
    main.setGeometry(100, 50, 1000, 600);
    main.show();
    {
      MacroNameDialogView view(model, SkinOneLook(layout, texts), &main);
      QTimer::singleShot(0, &view, [&] {
        Type(view.Field(), "Reload");
        view.ConfirmButton().click();
      });
      QVERIFY(view.Run());
      QCOMPARE(model.Text(), std::string("Reload"));
      // Centred on the main window, the size of the "Msg" picture.
      QCOMPARE(view.size(), LoadSkinPicture("Msg").size());
      const QRect area = main.frameGeometry();
      QCOMPARE(view.pos(), QPoint(area.left() + (area.width() - view.width()) / 2,
                                  area.top() + (area.height() - view.height()) / 2));
      QVERIFY(view.windowFlags().testFlag(Qt::FramelessWindowHint));
      QVERIFY(view.isModal());
    }
    MacroNameDialogView view(model, SkinOneLook(layout, texts), &main);
    QTimer::singleShot(0, &view, [&] { view.CloseButton().click(); });
    QVERIFY(!view.Run());
  }

  void DelayFieldTakesDigitsUpToTheLimit() {
    macros::MacroDelayDialog model;
    DelayDialogView view(model, SkinOneLook(layout, texts));
    view.show();
    QCOMPARE(view.Title().text(), QString("Input Delay Time"));
    QCOMPARE(view.Field().objectName(), QString("Edt_EditTime"));
    QVERIFY(view.Field().text().isEmpty());  // opens empty: OK alone changes nothing
    QVERIFY(model.ConfirmedLine().empty());
    Type(view.Field(), "1a5-0");
    QCOMPARE(view.Field().text(), QString("150"));
    QCOMPARE(model.ConfirmedLine(), std::string("0 150"));
    Type(view.Field(), "00");
    QCOMPARE(view.Field().text(), QString("2040"));
    QCOMPARE(model.ConfirmedLine(), std::string("0 2040"));
    // Emptied by hand it shows "0"; "Clear" empties it outright.
    view.Field().selectAll();
    QTest::keyClick(&view.Field(), Qt::Key_Backspace);
    QCOMPARE(view.Field().text(), QString("0"));
    view.ClearButton().click();
    QCOMPARE(view.Field().text(), QString());
    QVERIFY(model.ConfirmedLine().empty());
  }

  void ValueFieldFollowsItsKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("line");
    using macros::ValueKind;
    QTest::newRow("x in range") << int(ValueKind::kX) << "12"
                                << "12"
                                << "3 FB0C";
    QTest::newRow("x negative") << int(ValueKind::kX) << "-1"
                                << "-1"
                                << "4 FBFF";
    QTest::newRow("x too low") << int(ValueKind::kX) << "-300"
                               << "-128"
                               << "4 FB80";
    QTest::newRow("y too high") << int(ValueKind::kY) << "200"
                                << "127"
                                << "5 FA7F";
    QTest::newRow("y letters refused") << int(ValueKind::kY) << "-x4"
                                       << "-4"
                                       << "6 FAFC";
    QTest::newRow("repeat") << int(ValueKind::kRepeat) << "10"
                            << "10"
                            << "7 FD09";
    QTest::newRow("repeat negative") << int(ValueKind::kRepeat) << "-5"
                                     << "05"
                                     << "7 FD04";
    QTest::newRow("repeat too high") << int(ValueKind::kRepeat) << "999"
                                     << "255"
                                     << "7 FDFE";
  }

  void ValueFieldFollowsItsKind() {
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, line);
    macros::MacroValueDialog model(static_cast<macros::ValueKind>(kind));
    ValueDialogView view(model, SkinOneLook(layout, texts));
    view.show();
    QCOMPARE(view.Title().text(), QString("Input Value"));
    Type(view.Field(), typed);
    QCOMPARE(view.Field().text(), shown);
    QCOMPARE(QString::fromStdString(model.ConfirmedLine()), line);
    view.ClearButton().click();
    QVERIFY(model.ConfirmedLine().empty());
  }

  void PartsSitWhereTheLayoutSaysInItsColours() {
    macros::MacroDelayDialog model;
    DelayDialogView view(model, SkinOneLook(layout, texts));
    QCOMPARE(view.Title().pos(), QPoint(*layout.Value("MNT_X"), *layout.Value("MNT_Y")));
    QCOMPARE(view.Field().geometry().topLeft(),
             QPoint(*layout.Value("MNC_X"), *layout.Value("MNC_Y")));
    QCOMPARE(view.Field().width(), *layout.Value("MNC_W"));
    QCOMPARE(view.ConfirmButton().pos(),
             QPoint(*layout.Value("MN_Cfm_X"), *layout.Value("MN_Cfm_Y")));
    QCOMPARE(view.ClearButton().pos(),
             QPoint(*layout.Value("MN_Clear_X"), *layout.Value("MN_Clear_Y")));
    QCOMPARE(view.CloseButton().pos(),
             QPoint(*layout.Value("MN_Close_X"), *layout.Value("MN_Close_Y")));
    // Confirm and Clear never cover each other.
    QVERIFY(!view.ConfirmButton().geometry().intersects(view.ClearButton().geometry()));
    // Skin 2's orange field text, its light title text.
    QCOMPARE(view.Field().styleSheet().contains(QColor(255, 140, 56).name()), true);
    QCOMPARE(view.Title().palette().color(QPalette::WindowText), QColor(235, 238, 242));
    // Size_L + 5 points for the title, on the 96 dpi scale.
    QCOMPARE(view.Title().font().pixelSize(), 20);
  }

  void GrowsToHoldPartsBeyondThePicture() {
    DialogLook look;  // no layout, no pictures, no texts
    macros::MacroDelayDialog model;
    DelayDialogView plain(model, look);
    QCOMPARE(plain.size(), QSize(320, 180));
    QCOMPARE(plain.Title().text(), QString("Input Delay Time"));

    ui::SkinLayout wide;
    std::vector<std::string> problems;
    const ui::IniFile ini = ui::IniFile::Parse("[org9]\nMN_Cfm_X=400\nMN_Cfm_Y=250\n");
    wide.Read(ini, "org9", {}, problems);
    look.layout = &wide;
    DelayDialogView grown(model, look);
    const QRect confirm = grown.ConfirmButton().geometry();
    QCOMPARE(confirm.topLeft(), QPoint(400, 250));
    QVERIFY(grown.rect().contains(confirm));
  }

 private:
  ui::SkinLayout layout;
  ui::LanguageTable texts;
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::MacroEditDialogTest)
#include "MacroEditDialogTest.moc"
