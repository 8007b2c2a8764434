// Pictures of every page after a demo read, for a person to look at:
// $ORBIC40_SCREENSHOTS/page-<group>-<name>.png (ctest puts them in
// build/screenshots). Without the variable there is nothing to do.
#include <QDir>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "WindowRig.h"
#include "engineer/ButtonTest.h"
#include "fire/FirePage.h"
#include "gui/pages/ButtonTestView.h"
#include "support/SteppedWorker.h"

namespace orbic::gui::test {

namespace {

// The window as the desktop shows it: what its shape mask cuts away is
// see-through in the picture too.
bool SaveAsShown(QWidget& window, const QString& file) {
  const QPixmap grabbed = window.grab();
  const QRegion shape = window.mask();
  if (shape.isEmpty()) {
    return grabbed.save(file);
  }
  QImage shown(grabbed.size(), QImage::Format_ARGB32_Premultiplied);
  shown.fill(Qt::transparent);
  QPainter painter(&shown);
  painter.setClipRegion(shape);
  painter.drawPixmap(0, 0, grabbed);
  painter.end();
  return shown.save(file);
}

}  // namespace

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryPageAfterADemoRead() {
    const QString folder = qEnvironmentVariable("ORBIC40_SCREENSHOTS");
    if (folder.isEmpty()) {
      QSKIP("ORBIC40_SCREENSHOTS is not set");
    }
    QVERIFY(QDir().mkpath(folder));
    WindowRig rig(true);
    MainWindow& window = *rig.window;
    window.show();
    rig.TickUntilRead();
    QCOMPARE(window.Session().LastOutcome(), app::ConnectionOutcome::kRead);
    window.ShowEngineerButtons();

    struct Page {
      const char* button;  // header button, or empty for the fire page
      int group;
      const char* name;
    };
    for (const Page& page : std::vector<Page>{{"Btn_Main_1", 1, "main"},
                                              {"Btn_Second_1", 1, "second"},
                                              {"Btn_Adv_1", 2, "advanced"},
                                              {"Btn_Breath_2", 3, "light"},
                                              {"Btn_Macro_3", 4, "macro"},
                                              {"", 5, "fire"},
                                              {"Btn_Engineer_4", 6, "engineer"}}) {
      if (*page.button != '\0') {
        QLabel* button = rig.Find(page.button);
        QVERIFY2(button != nullptr && button->isVisibleTo(button->parentWidget()), page.button);
        QTest::mouseClick(button, Qt::LeftButton);
      } else {
        // The fire page opens from the key function list of the fire key.
        window.Session().FirePage().Key_FireMacroClick(1, 7);
        window.Session().Pages().visibleGroup = page.group;
        window.ModelsChanged();
      }
      QVERIFY2(!window.PageGroup(page.group)->isHidden(), page.name);
      const QString file = QString("%1/page-%2-%3.png").arg(folder).arg(page.group).arg(page.name);
      QVERIFY2(SaveAsShown(window, file), qPrintable(file));
    }
    {
      // The engineer page's second tab, which opening the page revealed.
      auto* tabs = window.PageGroup(6)->findChild<QTabWidget*>("Pg_Parameter");
      QVERIFY(tabs != nullptr && tabs->isTabVisible(1));
      tabs->setCurrentIndex(1);
      const QString file = QString("%1/page-6-engineer-tab.png").arg(folder);
      QVERIFY2(SaveAsShown(window, file), qPrintable(file));
    }
    {
      // The fire page's content editor, unlocked by the double click, with the
      // first fire macro chosen.
      window.Session().FirePage().Key_FireMacroClick(1, 7);
      window.Session().Pages().visibleGroup = 5;
      window.ModelsChanged();
      QTest::mouseDClick(window.findChild<QLabel*>("Img_Base_5"), Qt::LeftButton);
      auto* names = window.PageGroup(5)->findChild<QListWidget*>("LB_FireMacroName");
      QVERIFY(names != nullptr && names->isVisible());
      QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                        names->visualItemRect(names->item(0)).center());
      QCOMPARE(window.Session().FirePage().Editor().SelectedFireMacro(), std::optional<int>(1));
      const QString file = QString("%1/page-5-fire-editor.png").arg(folder);
      QVERIFY2(SaveAsShown(window, file), qPrintable(file));
    }
    {
      // The engineer page's button test, counting down after a press of the
      // left button made btn_Key101 blink.
      window.Session().Pages().visibleGroup = 6;
      window.ModelsChanged();
      QTest::mouseDClick(window.PageGroup(6)->findChild<QWidget*>("Img_Logo4"), Qt::LeftButton);
      auto* tabs = window.PageGroup(6)->findChild<QTabWidget*>("Pg_Parameter");
      tabs->setCurrentIndex(0);
      orbic::test::SteppedWorker worker;
      ButtonTestView& view = window.Pages().ButtonTest();
      view.SetWorkerThread(worker);
      const std::uint64_t clicked = rig.clock.NowMs();
      rig.mouse->presses = {{clicked, clicked + 100, 0x0001}};
      QTest::mouseClick(window.PageGroup(6)->findChild<QPushButton*>("btn_TestKeys"),
                        Qt::LeftButton);
      std::uint64_t nextTick = clicked + engineer::kTestTimerMs;
      int ticks = 0;
      while (ticks < 4) {  // the blink, then two quiet seconds: "5...", "4..."
        worker.StepOnce();
        while (rig.clock.NowMs() >= nextTick) {
          view.Test().TestTimerTimer();
          nextTick += engineer::kTestTimerMs;
          ++ticks;
        }
      }
      QCoreApplication::processEvents();
      const QString file = QString("%1/page-6-button-test.png").arg(folder);
      QVERIFY2(SaveAsShown(window, file), qPrintable(file));
      while (worker.Running()) {
        worker.StepOnce();
        while (rig.clock.NowMs() >= nextTick) {
          view.Test().TestTimerTimer();
          nextTick += engineer::kTestTimerMs;
        }
      }
      QVERIFY(!window.Session().Operation().Running());
    }
    QVERIFY(rig.messages.empty());
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::ScreenshotsTest)
#include "ScreenshotsTest.moc"
