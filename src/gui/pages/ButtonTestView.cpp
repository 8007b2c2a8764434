#include "gui/pages/ButtonTestView.h"

#include "app/Session.h"
#include "base/Hook.h"
#include "platform/ThreadPriority.h"

namespace orbic::gui {

ButtonTestView::ButtonTestView(QWidget* pageGroup, app::Session& session)
    : pageGroup_(pageGroup),
      session_(session),
      button_(pageGroup->findChild<QPushButton*>("btn_TestKeys")),
      ownThread_(&platform::LowerThisThreadPriority) {
  timer_.setObjectName("TestTimer");
  timer_.setInterval(static_cast<int>(engineer::kTestTimerMs));
  connect(&timer_, &QTimer::timeout, this, [this] { test_->TestTimerTimer(); });
  connect(button_, &QPushButton::clicked, this, [this] { Click(); });
  SetWorkerThread(ownThread_);
}

ButtonTestView::~ButtonTestView() {
  // The worker must not outlive the channel or these widgets.
  test_.reset();
}

void ButtonTestView::SetWorkerThread(orbic::WorkerThread& thread) {
  test_ = std::make_unique<engineer::ButtonTest>(session_.Channel(), session_.Clock(), thread,
                                                 MakeHost(), button_->text().toStdString());
}

engineer::ButtonTest::Host ButtonTestView::MakeHost() {
  engineer::ButtonTest::Host host;
  host.hideAllMenu = [this] { CallHook(session_.Hooks().hideAllMenu); };
  host.setDeviceTimer = [this](bool on) { session_.Ui().SetDeviceTimerEnabled(on); };
  host.setTestTimer = [this](bool on) { on ? timer_.start() : timer_.stop(); };
  host.setButtonEnabled = [this](bool on) { button_->setEnabled(on); };
  host.setCaption = [this](const std::string& text) {
    button_->setText(QString::fromStdString(text));
  };
  // Called on the worker's thread: the widget is found and changed on the
  // window's (a call still queued when the view is gone is dropped).
  host.showButton = [this](int number, bool shown) {
    QMetaObject::invokeMethod(
        this,
        [this, number, shown] {
          if (QWidget* key = pageGroup_->findChild<QWidget*>(QString("btn_Key%1").arg(number))) {
            key->setVisible(shown);
          }
        },
        Qt::QueuedConnection);
  };
  host.ended = [this] { hold_.Release(); };
  return host;
}

void ButtonTestView::Click() {
  if (test_->Running()) {
    return;
  }
  if (!session_.Channel().IsOpen()) {
    session_.Ui().ShowMessage(session_.Messages().str020, orbic::MessageStyle::kDialog);
    return;
  }
  // One device operation at a time; the test holds the mouse until its end.
  hold_ = session_.Operation().TryBegin();
  if (!hold_) {
    return;
  }
  test_->SetIdleCaption(button_->text().toStdString());
  test_->btn_TestKeysClick();
}

}  // namespace orbic::gui
