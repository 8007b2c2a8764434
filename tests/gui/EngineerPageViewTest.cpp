// The engineer page: both key modes show their labels and open the shared
// function menu on this page; the CPI group and the DPI page stay in step.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "PageRig.h"
#include "gui/pages/ClickLabel.h"

namespace orbic::gui::test {

class EngineerPageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void KeyButtonsShowBothKeyModesAndOpenTheMenuHere() {
    PageRig rig;
    const params::SettingsModel& settings = rig.Session().Settings();
    QCOMPARE(rig.Find<QPushButton>(6, "btn_Key101")->text(), QString("Left Click"));
    QCOMPARE(rig.Find<QPushButton>(6, "btn_Key205")->text().toStdString(),
             settings.keys.Label(2, 5));

    QTest::mouseClick(rig.Find<QPushButton>(6, "btn_Key203"), Qt::LeftButton);
    const keys::EditingTarget& target = settings.assignment.Target();
    QCOMPARE(target.keyMode, 2);
    QCOMPARE(target.button, 3);
    auto* menu = rig.Find<QWidget>(6, "Pnl_Main");
    QVERIFY(menu != nullptr && !menu->isHidden());
    QVERIFY(rig.Find<QWidget>(6, "Key_TLFireMacro")->isVisibleTo(menu));
    QVERIFY(!rig.Find<QWidget>(6, "Key_FireMacro")->isVisibleTo(menu));
    QTest::mouseClick(rig.Find<ClickLabel>(6, "Key_Middle"), Qt::LeftButton);
    QCOMPARE(rig.Find<QPushButton>(6, "btn_Key203")->text(), QString("Middle Click"));
    QVERIFY(menu->isHidden());
  }

  void CpiGroupAndDpiPageStayInStep() {
    PageRig rig;
    auto* steps = rig.Find<QComboBox>(6, "cb_CPIStep");
    steps->setCurrentIndex(3);
    emit steps->activated(3);
    QCOMPARE(rig.Find<QComboBox>(2, "cbb_DPICount")->currentText(), QString("5"));
    QCOMPARE(rig.Find<QComboBox>(6, "cb_CurrentCPI")->count(), 5);
    QCOMPARE(rig.Find<QComboBox>(6, "cb_CurrentCPI")->currentText(), QString("5"));
    QVERIFY(rig.Find<QComboBox>(6, "cb_CPI6")->isHidden());

    // A colour edit is clamped by the DPI model and shown back.
    auto* red = rig.Find<QLineEdit>(6, "edt_CPI1R");
    red->setText("300");
    emit red->textEdited("300");
    QCOMPARE(red->text(), QString("255"));
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::EngineerPageViewTest)
#include "EngineerPageViewTest.moc"
