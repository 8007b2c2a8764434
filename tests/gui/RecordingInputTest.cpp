// The application's keys and mouse buttons fed into a real macro recorder.
#include <QAction>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "gui/input/RecordingInput.h"
#include "macros/MacroRecorder.h"
#include "sim/VirtualClock.h"

namespace orbic::gui::test {

namespace {

class FakeTarget : public macros::RecordingTarget {
 public:
  bool HasSelectedMacro() const override { return true; }
  const macros::MacroLines& Lines() const override { return lines; }
  bool RecordingStarted() override {
    lines.clear();
    return true;
  }
  void AddLine(std::size_t index, std::string line) override {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
  }
  bool Commit() override { return true; }
  bool InsertRecordingStarted() override { return true; }
  void InsertRecordingStopped() override {}

  macros::MacroLines lines;
};

QStringList Lines(const macros::MacroLines& lines) {
  QStringList list;
  for (const std::string& line : lines) {
    list << QString::fromStdString(line);
  }
  return list;
}

}  // namespace

class RecordingInputTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    clock = std::make_unique<sim::VirtualClock>();
    target = std::make_unique<FakeTarget>();
    recorder = std::make_unique<macros::MacroRecorder>(*clock, *target,
                                                       macros::RecorderOptions::ForMacroPage(true));
    window = std::make_unique<QWidget>();
    window->resize(300, 200);
    recordButton = new QWidget(window.get());
    recordButton->setObjectName("Btn_Start");
    recordButton->setGeometry(200, 150, 80, 30);
    edit = new QLineEdit(window.get());
    edit->setGeometry(10, 10, 150, 24);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    edit->setFocus();
    input = std::make_unique<RecordingInput>();
    input->SetRecorder(recorder.get());
  }

  void cleanup() {
    input.reset();
    window.reset();
    recorder.reset();
    target.reset();
    clock.reset();
  }

  void KeysBecomeLinesWithMeasuredDelays() {
    QSignalSpy recorded(input.get(), &RecordingInput::recorded);
    recorder->Btn_StartClick();
    QTest::keyPress(Window(), Qt::Key_A);
    clock->SleepMs(120);
    QTest::keyRelease(Window(), Qt::Key_A);
    clock->SleepMs(3000);
    QTest::keyPress(Window(), Qt::Key_5, Qt::KeypadModifier);
    QTest::keyRelease(Window(), Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(Lines(target->lines),
             QStringList({"10", "1 A CODE:8204", "0 120", "2 A CODE:0204", "0 3000",
                          "1 5 (numeric pad) CODE:825D", "0 0", "2 5 (numeric pad) CODE:025D"}));
    QCOMPARE(recorded.count(), 4);
    // The keys went to the macro, not to the focused field.
    QCOMPARE(edit->text(), QString());
  }

  void HeldKeysRepeatsAndSecondPresses() {
    recorder->RecordDelayOptions().Choose(macros::DelayMode::kNone);
    recorder->Btn_StartClick();
    Send(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, 0xFFE1);
    Send(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier);
    // X11 auto-repeat: release-and-press pairs marked as repeats.
    for (int i = 0; i < 3; ++i) {
      Send(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, 0, true);
      Send(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, 0, true);
    }
    Send(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier);
    // The held Shift repeats too, after A went up.
    Send(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 0xFFE1, true);
    // A second press of A while B is held is a new press.
    Send(QEvent::KeyPress, Qt::Key_B, Qt::ShiftModifier);
    Send(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier);
    Send(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier);
    Send(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier);
    Send(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier);
    Send(QEvent::KeyRelease, Qt::Key_B, Qt::ShiftModifier);
    Send(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, 0xFFE1);
    QCOMPARE(Lines(target->lines),
             QStringList({"00", "1 Left Shift CODE:8102", "1 A CODE:8204", "2 A CODE:0204",
                          "1 B CODE:8205", "1 A CODE:8204", "2 A CODE:0204", "1 A CODE:8204",
                          "2 A CODE:0204", "2 B CODE:0205", "2 Left Shift CODE:0102"}));
  }

  void MouseButtonsAnywhereBecomeEdges() {
    recorder->RecordDelayOptions().Choose(macros::DelayMode::kNone);
    recorder->Btn_StartClick();
    QSignalSpy recorded(input.get(), &RecordingInput::recorded);
    const QPoint inField = edit->geometry().center();
    const QPoint onWindow(100, 100);
    for (const Qt::MouseButton button :
         {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton}) {
      QTest::mouseClick(Window(), button, {}, button == Qt::LeftButton ? inField : onWindow);
    }
    // A double click is two presses and two releases.
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, onWindow);
    QCOMPARE(Lines(target->lines),
             QStringList({"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021",
                          "1 RightKey CODE:00A2", "2 RightKey CODE:0022", "1 MiddleKey CODE:00A4",
                          "2 MiddleKey CODE:0024", "1 Backward CODE:00B0", "2 Backward CODE:0030",
                          "1 Forward CODE:00A8", "2 Forward CODE:0028", "1 LeftKey CODE:00A1",
                          "2 LeftKey CODE:0021", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}));
    QCOMPARE(recorded.count(), 14);
  }

  void LeftClicksOverTheRecordButtonStayOut() {
    recorder->RecordDelayOptions().Choose(macros::DelayMode::kNone);
    recorder->Btn_StartClick();
    const QPoint onButton = recordButton->geometry().center();
    QTest::mouseMove(Window(), QPoint(100, 100));
    QTest::mouseMove(Window(), onButton);
    QTRY_VERIFY(recorder->PointerOverButton());
    QTest::mouseClick(Window(), Qt::LeftButton, {}, onButton);
    QTest::mouseClick(Window(), Qt::RightButton, {}, onButton);
    QTest::mouseMove(Window(), QPoint(100, 100));
    QTRY_VERIFY(!recorder->PointerOverButton());
    QTest::mouseClick(Window(), Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(Lines(target->lines),
             QStringList({"00", "1 RightKey CODE:00A2", "2 RightKey CODE:0022",
                          "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}));

    // A recorder handed over while the pointer is on the button learns it at once.
    QTest::mouseMove(Window(), onButton);
    QTRY_VERIFY(recorder->PointerOverButton());
    FakeTarget otherTarget;
    macros::MacroRecorder other(*clock, otherTarget, macros::RecorderOptions::ForMacroPage(true));
    input->SetRecorder(&other);
    QVERIFY(other.PointerOverButton());
  }

  void NothingIsTakenWhileNotRecording() {
    QSignalSpy recorded(input.get(), &RecordingInput::recorded);
    QTest::keyClick(Window(), Qt::Key_X);
    QTest::mouseClick(Window(), Qt::RightButton, {}, QPoint(100, 100));
    QCOMPARE(edit->text(), QString("x"));  // the window has its keys
    QVERIFY(target->lines.empty());

    recorder->Btn_StartClick();
    input->SetRecorder(nullptr);
    QTest::keyClick(Window(), Qt::Key_Y);
    QCOMPARE(edit->text(), QString("xy"));
    QCOMPARE(Lines(target->lines), QStringList({"10"}));
    QCOMPARE(recorded.count(), 0);

    // Stopped again: the keys are the window's once more.
    input->SetRecorder(recorder.get());
    recorder->Btn_StartClick();
    QTest::keyClick(Window(), Qt::Key_Z);
    QCOMPARE(edit->text(), QString("xyz"));
  }

  void ShortcutsWaitWhileRecording() {
    QAction save;
    save.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    window->addAction(&save);
    QSignalSpy triggered(&save, &QAction::triggered);
    recorder->Btn_StartClick();
    QTest::keyClick(Window(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 0);
    recorder->Btn_StartClick();
    QTest::keyClick(Window(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);
  }

  void AFullRecordingStillReleasesTheKeysItHolds() {
    recorder->RecordDelayOptions().Choose(macros::DelayMode::kNone);
    recorder->Btn_StartClick();
    QSignalSpy stopped(input.get(), &RecordingInput::recordingStopped);
    QTest::keyPress(Window(), Qt::Key_Control);  // 2 bytes
    for (int i = 0; i < 214; ++i) {              // one byte per edge
      recorder->MouseButtonEdge(i % 2 == 0 ? macros::ButtonEdge::kLeftDown
                                           : macros::ButtonEdge::kLeftUp);
    }
    // A would leave no room to release Ctrl and itself: refused.
    QTest::keyClick(Window(), Qt::Key_A);
    QCOMPARE(recorder->UsedBytes(), 216);
    QVERIFY(recorder->RecordFull());
    QTest::keyRelease(Window(), Qt::Key_Control);
    QCOMPARE(stopped.count(), 0);
    QVERIFY(recorder->Recording());
    QCOMPARE(recorder->UsedBytes(), 218);
    QCOMPARE(QString::fromStdString(target->lines.back()), QString("2 Ctrl CODE:0101"));
  }

 private:
  QWindow* Window() { return window->windowHandle(); }

  // A key event as the platform hands it to the window, with the X11 keysym.
  void Send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, quint32 keysym = 0,
            bool autoRepeat = false) {
    QKeyEvent event(type, key, modifiers, 0, keysym, 0, QString(), autoRepeat);
    QCoreApplication::sendEvent(Window(), &event);
  }

  std::unique_ptr<sim::VirtualClock> clock;
  std::unique_ptr<FakeTarget> target;
  std::unique_ptr<macros::MacroRecorder> recorder;
  std::unique_ptr<QWidget> window;
  QWidget* recordButton = nullptr;
  QLineEdit* edit = nullptr;
  std::unique_ptr<RecordingInput> input;
};

}  // namespace orbic::gui::test

QTEST_MAIN(orbic::gui::test::RecordingInputTest)
#include "RecordingInputTest.moc"
