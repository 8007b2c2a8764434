// The main window: start-up order, the no-device state, the read behind the
// loading window, navigation and a quiet exit.
#include <QtTest>
#include <algorithm>
#include <memory>

#include "WindowRig.h"

namespace orbic::gui::test {

namespace {

// Counts how often a widget was shown.
class ShowCounter : public QObject {
 public:
  int shows = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    shows += event->type() == QEvent::Show ? 1 : 0;
    return false;
  }
};

void SaveScreenshot(QWidget& widget, const QString& name) {
  const QString folder = qEnvironmentVariable("ORBIC40_SCREENSHOTS");
  if (folder.isEmpty()) {
    return;
  }
  QDir().mkpath(folder);
  QVERIFY(widget.grab().save(folder + "/" + name + ".png"));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Events are pumped between chunks: a close and a second Apply that arrive
  // in the middle of an Apply wait for it, so the mouse ends up holding
  // exactly the applied image and the window closes after.
  void ACloseAndASecondApplyDuringAnApplyWaitForItsEnd() {
    WindowRig rig(true);
    rig.TickUntilRead();
    MainWindow& window = *rig.window;
    window.show();
    window.Session().Settings().options.fireTime = 77;
    rig.mouse->ClearTranscript();
    const auto before = rig.mouse->firmware.memory;
    bool interrupted = false;
    bool closedDuring = false;
    QTimer during;
    during.setInterval(0);
    QObject::connect(&during, &QTimer::timeout, [&] {
      const auto& sent = rig.mouse->Transcript();
      const bool writing = std::any_of(sent.begin(), sent.end(), [](const auto& entry) {
        return entry.sent && entry.bytes[1] == 0x07;
      });
      if (interrupted || !writing) {
        return;
      }
      interrupted = true;
      window.close();
      window.HeaderClicked("Apply");
      closedDuring = !window.isVisible();
    });
    during.start();
    window.HeaderClicked("Apply");
    during.stop();
    QVERIFY(interrupted);
    QVERIFY(!closedDuring);
    QVERIFY(!window.isVisible());
    QVERIFY(!window.Session().Operation().Running());
    int writes = 0;
    for (const auto& entry : rig.mouse->Transcript()) {
      writes += entry.sent && entry.bytes[1] == 0x06 ? 1 : 0;
    }
    QCOMPARE(writes, 1);
    QVERIFY(rig.mouse->firmware.memory != before);
    QVERIFY(rig.mouse->firmware.memory == window.Session().Image().raw);
    QVERIFY(rig.messages.empty());
  }

  void StartsInOrderAndWaitsForTheMouseBehindTheOverlay() {
    WindowRig rig(false);
    MainWindow& window = *rig.window;
    const QStringList& steps = window.CreationSteps();
    QCOMPARE(steps.first(), QString("tray icon"));
    QCOMPARE(steps.last(), QString("loading window; device timer on"));
    for (const auto& [before, after] : std::vector<std::pair<QString, QString>>{
             {"device timer off", "background picture"},
             {"background picture", "window and page groups sized"},
             {"borderless and shaped", "first page group shown"},
             {"skin pictures and behaviour configuration", "page controls and header"},
             {"page controls and header", "layout and texts of skin 1"},
             {"layout and texts of skin 1", "application title"},
             {"no-device state", "language button"},
             {"no-device state", "repaint"},
         }) {
      QVERIFY2(steps.indexOf(before) >= 0 && steps.indexOf(before) < steps.indexOf(after),
               qPrintable(before + " before " + after));
    }

    QCOMPARE(window.windowTitle(), QString("ORBIC40 Gaming Mouse v1.0"));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(window.Session().NoDeviceState());
    QVERIFY(window.PagesCovered());
    QVERIFY(window.DeviceTimer().isActive());
    QCOMPARE(window.DeviceTimer().interval(), 2500);
    QVERIFY(!window.PageGroup(1)->isHidden());
    for (int group = 2; group <= 6; ++group) {
      QVERIFY(window.PageGroup(group)->isHidden());
    }
    QCOMPARE(window.PageGroup(6)->size(), QSize(1000, 600));
    QVERIFY(rig.messages.empty());
  }

  void ReadsTheMouseBehindTheLoadingWindowAndOpensThePages() {
    WindowRig rig(true);
    MainWindow& window = *rig.window;
    window.show();
    ShowCounter loadingShows;
    window.Loading().installEventFilter(&loadingShows);
    rig.TickUntilRead();
    QCOMPARE(window.Session().LastOutcome(), app::ConnectionOutcome::kRead);
    QVERIFY(loadingShows.shows >= 1);
    QVERIFY(window.Loading().FrameCount() > 0);
    QVERIFY(window.Loading().isHidden());
    QVERIFY(!window.PagesCovered());
    QVERIFY(!window.Session().NoDeviceState());
    QVERIFY(rig.messages.empty());
    SaveScreenshot(window, "main-window");

    QCOMPARE(window.Navigation().Click(app::PageButton::kAdvanced),
             app::Navigation::Result::kShown);
    QVERIFY(!window.PageGroup(2)->isHidden());
    QVERIFY(window.PageGroup(1)->isHidden());
    window.Navigation().Click(app::PageButton::kEngineer);
    QCOMPARE(window.size(), QSize(1000, 600));
  }

  void PageButtonsWithoutAMouseSayTheDeviceIsBeingLookedFor() {
    WindowRig rig(false);
    rig.window->Navigation().Click(app::PageButton::kMacro);
    QCOMPARE(rig.messages, (std::vector<std::string>{"Finding the specified device"}));
    QVERIFY(rig.window->PageGroup(4)->isHidden());
  }

  void ClosingSendsNothingToTheMouse() {
    WindowRig rig(true);
    rig.TickUntilRead();
    rig.mouse->ClearTranscript();
    QLabel* exit = rig.window->PageGroup(1)->findChild<QLabel*>("Btn_Exit_1");
    QVERIFY(exit != nullptr);
    rig.window->show();
    QTest::mouseClick(exit, Qt::LeftButton);
    QVERIFY(!rig.window->isVisible());
    QVERIFY(!rig.window->Session().Channel().IsOpen());
    QVERIFY(!rig.window->DeviceTimer().isActive());
    QVERIFY(rig.mouse->SentCommands().empty());
  }
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::MainWindowTest)
#include "MainWindowTest.moc"
