// The button page: markers show the read assignments, the function menu
// assigns through the assignment model under the left-click rule, and the
// key-mode switch options toggle their pictures.
#include <QtTest>

#include "PageRig.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/PictureLabel.h"
#include "keys/FixedFunctions.h"

namespace orbic::gui::test {

class ButtonPageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void MarkersShowTheLabelsOfTheReadKeyMode() {
    PageRig rig;
    QCOMPARE(rig.Session().LastOutcome(), app::ConnectionOutcome::kRead);
    const int keyMode = rig.Session().Settings().ShownKeyMode();
    for (int marker = 1; marker <= 9; ++marker) {
      auto* label = rig.Find<QLabel>(1, qPrintable(QString("Key%1").arg(marker)));
      QVERIFY(label != nullptr);
      QCOMPARE(label->text().toStdString(), rig.Session().Settings().keys.Label(keyMode, marker));
    }
    QCOMPARE(rig.Find<QLabel>(1, "Key1")->text(), QString("Left Click"));
  }

  void MenuAssignsAFixedFunctionAndKeepsTheLastLeftClick() {
    PageRig rig;
    orbic::app::SettingsModel& settings = rig.Session().Settings();
    const int keyMode = settings.ShownKeyMode();
    QVERIFY(!settings.keys.AnyLabelEquals(keyMode, "Right Click") ||
            settings.keys.Label(keyMode, 2) != "Right Click");
    auto* menu = rig.Find<QWidget>(1, "Pnl_Main");
    QVERIFY(menu != nullptr && menu->isHidden());

    // The only left click refuses another function and says why.
    QTest::mouseClick(rig.Find<ClickLabel>(1, "Key1"), Qt::LeftButton);
    QVERIFY(!menu->isHidden());
    QCOMPARE(rig.Find<PictureLabel>(1, "Img_Key1")->Picture(), QString("KeyS_02"));
    auto* right = rig.Find<ClickLabel>(1, "Key_Right");
    QVERIFY(right != nullptr);
    QTest::mouseClick(right, Qt::LeftButton);
    QVERIFY(menu->isHidden());
    QCOMPARE(rig.messages, (std::vector<std::string>{"Please keep a Left Key"}));
    QCOMPARE(rig.Find<QLabel>(1, "Key1")->text(), QString("Left Click"));
    QCOMPARE(rig.Find<PictureLabel>(1, "Img_Key1")->Picture(), QString("KeyS_01"));

    // Another button takes it: label, code string and Profile bytes follow.
    QTest::mouseClick(rig.Find<ClickLabel>(1, "Key2"), Qt::LeftButton);
    QTest::mouseClick(right, Qt::LeftButton);
    QCOMPARE(rig.Find<QLabel>(1, "Key2")->text(), QString("Right Click"));
    QCOMPARE(settings.keys.Label(keyMode, 2), std::string("Right Click"));
    QCOMPARE(settings.keys.Code(keyMode, 2), keys::CodeForFunction(901));
    QCOMPARE(rig.messages.size(), std::size_t{1});
  }

  void CategoryPanelsOpenOnHoverAndTheBackgroundClosesTheMenu() {
    PageRig rig;
    QTest::mouseClick(rig.Find<ClickLabel>(1, "Key3"), Qt::LeftButton);
    auto* media = rig.Find<QWidget>(1, "Pnl_Media");
    auto* web = rig.Find<QWidget>(1, "Pnl_WWW");
    QVERIFY(media->isHidden());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(rig.Find<ClickLabel>(1, "Key_Media"), &enter);
    QVERIFY(!media->isHidden());
    QCoreApplication::sendEvent(rig.Find<ClickLabel>(1, "Key_WWW"), &enter);
    QVERIFY(media->isHidden());
    QVERIFY(!web->isHidden());
    // The panel's entries are the fixed functions, with the menu's marker prefix.
    QCOMPARE(rig.Find<QLabel>(1, "Key_WWWHome")->text().mid(3), QString("Home"));

    rig.Session().Hooks().hideAllMenu();
    QVERIFY(web->isHidden());
    QVERIFY(rig.Find<QWidget>(1, "Pnl_Main")->isHidden());
    QVERIFY(!rig.Session().Settings().assignment.Menu().open);
  }

  void SwitchOptionsToggleTheirFlagsAndPictures() {
    PageRig rig;
    keys::ButtonAssignment& assignment = rig.Session().Settings().assignment;
    auto* first = rig.Find<PictureLabel>(1, "Img_ComboKey1");
    auto* second = rig.Find<PictureLabel>(1, "Img_ComboKey2");
    QCOMPARE(first->Picture().toStdString(), std::string(assignment.ComboKeyPicture(1)));
    const QString before = first->Picture();
    QTest::mouseClick(rig.Find<ClickLabel>(1, "IB_ComboKey1"), Qt::LeftButton);
    QVERIFY(first->Picture() != before);
    QCOMPARE(first->Picture().toStdString(), std::string(assignment.ComboKeyPicture(1)));
    // The middle-press and DPI-press options exclude each other.
    QTest::mouseClick(rig.Find<ClickLabel>(1, "IB_ComboKey2"), Qt::LeftButton);
    QCOMPARE(second->Picture(), QString("CbS_E"));
    QCOMPARE(first->Picture(), QString("CbS_D"));
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::ButtonPageViewTest)
#include "ButtonPageViewTest.moc"
