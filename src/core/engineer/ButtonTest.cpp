#include "engineer/ButtonTest.h"

#include "base/Hook.h"

namespace orbic::engineer {

void ButtonTestWorker::Step() {
  if (pending_.empty()) {
    // No pause between polls: the waits inside the status read are the pace.
    const std::uint16_t word = channel_.ReadStatusWord();
    for (const ButtonTestBit& row : kButtonTestBits) {
      if ((word & row.bit) != 0) {
        pending_.push_back(row.button);
      }
    }
    phase_ = 0;
    return;
  }
  const int button = pending_.front();
  switch (phase_) {
    case 0:
      blinking_ = true;
      show_(button, false);
      clock_.SleepMs(kBlinkPhaseMs);
      break;
    case 1:
      show_(button, true);
      clock_.SleepMs(kBlinkPhaseMs);
      break;
    case 2:
      show_(button, false);
      clock_.SleepMs(kBlinkPhaseMs);
      break;
    default:
      show_(button, true);
      blinking_ = false;
      pending_.erase(pending_.begin());
      phase_ = 0;
      return;
  }
  ++phase_;
}

ButtonTest::ButtonTest(device::CommandChannel& channel, orbic::Clock& clock,
                       orbic::WorkerThread& thread, Host host, std::string idleCaption)
    : channel_(channel),
      thread_(thread),
      host_(std::move(host)),
      idleCaption_(std::move(idleCaption)),
      worker_(channel, clock,
              [this](int button, bool shown) { CallHook(host_.showButton, button, shown); }) {}

ButtonTest::~ButtonTest() {
  // The worker uses the channel: it never outlives the test.
  if (running_) {
    thread_.StopAndWait();
  }
}

void ButtonTest::btn_TestKeysClick() {
  if (running_) {
    return;
  }
  CallHook(host_.hideAllMenu);
  CallHook(host_.setDeviceTimer, false);
  CallHook(host_.setButtonEnabled, false);
  // The mouse stays inside this one exchange until the end; the answer does
  // not matter (an unanswering mouse just never shows a press).
  channel_.SendCommand(device::command::kOpen);
  running_ = true;
  thread_.Start([this] { worker_.Step(); }, [this] { return worker_.AtPoll(); });
  CallHook(host_.setTestTimer, true);
  countdown_ = 0;
}

void ButtonTest::TestTimerTimer() {
  if (!running_) {
    return;
  }
  if (!worker_.Blinking()) {
    CallHook(host_.setCaption, std::to_string(kQuietTicks - 1 - countdown_) + "...");
    ++countdown_;
    if (countdown_ == kQuietTicks) {
      End();
      return;
    }
  }
  // A press starts the quiet count again.
  if (worker_.Blinking()) {
    CallHook(host_.setCaption, idleCaption_);
    countdown_ = 0;
  }
}

void ButtonTest::End() {
  CallHook(host_.setButtonEnabled, true);
  CallHook(host_.setCaption, idleCaption_);
  // The closing commands go out only once the worker no longer polls.
  thread_.StopAndWait();
  running_ = false;
  channel_.SystemReloadCmd_OnClick();
  channel_.SendCommand(device::command::kClose);
  CallHook(host_.setTestTimer, false);
  CallHook(host_.setDeviceTimer, true);
  CallHook(host_.ended);
}

}  // namespace orbic::engineer
