#pragma once

#include <QObject>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "app/DeviceOperation.h"
#include "base/WorkerThread.h"
#include "engineer/ButtonTest.h"

namespace orbic::app {
class Session;
}

namespace orbic::gui {

// The engineer page's button test on screen: btn_TestKeys starts it, the
// test timer counts down on its caption, and the engineer buttons of key
// mode 1 (btn_Key101 .. btn_Key109) blink for the buttons pressed on the
// mouse. The test is one device operation from the click to the end.
class ButtonTestView final : public QObject {
 public:
  // `pageGroup` holds btn_TestKeys and the engineer buttons.
  ButtonTestView(QWidget* pageGroup, app::Session& session);
  ~ButtonTestView() override;

  void Click();
  engineer::ButtonTest& Test() { return *test_; }
  QTimer& TestTimer() { return timer_; }
  // Tests run the worker's steps themselves against the virtual clock.
  void SetWorkerThread(orbic::WorkerThread& thread);

 private:
  engineer::ButtonTest::Host MakeHost();

  QWidget* pageGroup_;
  app::Session& session_;
  QPushButton* button_;
  QTimer timer_;
  orbic::StdWorkerThread ownThread_;
  app::DeviceOperation::Hold hold_;
  std::unique_ptr<engineer::ButtonTest> test_;
};

}  // namespace orbic::gui
