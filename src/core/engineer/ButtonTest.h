#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/WorkerThread.h"
#include "device/CommandChannel.h"

namespace orbic::engineer {

// The factory's button test ("Test Keys Position"): after the click, every
// button pressed on the mouse makes the engineer button at its position of
// key mode 1 blink, so the factory sees which hardware button is which.

// Status-word bit -> engineer button, in the order they are looked at. Bits
// 0x0040 and 0x0080 have no button and never blink.
struct ButtonTestBit {
  std::uint16_t bit;
  int button;  // btn_Key101 .. btn_Key109
};
inline constexpr std::array<ButtonTestBit, 9> kButtonTestBits{{
    {0x0001, 101},  // left
    {0x0002, 102},  // middle
    {0x0004, 103},  // right
    {0x0008, 104},  // forward
    {0x0010, 105},  // back
    {0x0020, 106},  // DPI cycle
    {0x0100, 107},  // fire key
    {0x0200, 108},  // "Win+D" key
    {0x0400, 109},  // LED-mode key
}};
inline constexpr std::uint32_t kBlinkPhaseMs = 500;
inline constexpr std::uint32_t kTestTimerMs = 1000;
// Quiet ticks of the test timer until the test ends by itself.
inline constexpr int kQuietTicks = 6;

// The worker (TPrimeThread): polls the button state without a pause and
// blinks the buttons of the set bits, one step at a time: a poll, or one
// phase of a blink (hide, show, hide, show, 500 ms apart).
class ButtonTestWorker {
 public:
  // Hides (false) or shows (true) an engineer button; called on the worker's
  // thread, so the window hands it to its own.
  using ShowButton = std::function<void(int button, bool shown)>;

  ButtonTestWorker(device::CommandChannel& channel, orbic::Clock& clock, ShowButton show)
      : channel_(channel), clock_(clock), show_(std::move(show)) {}

  void Step();
  // The next step is a poll: the only point where the worker may end.
  bool AtPoll() const { return pending_.empty(); }
  // Set from the first phase of a blink to its last (read by the test timer).
  bool Blinking() const { return blinking_.load(); }

 private:
  device::CommandChannel& channel_;
  orbic::Clock& clock_;
  ShowButton show_;
  std::vector<int> pending_;  // buttons still to blink, in table order
  int phase_ = 0;
  std::atomic<bool> blinking_{false};
};

// The test itself: btn_TestKeysClick, TestTimerTimer and the worker's life.
class ButtonTest {
 public:
  struct Host {
    std::function<void()> hideAllMenu;
    std::function<void(bool)> setDeviceTimer;  // DevTimer
    std::function<void(bool)> setTestTimer;    // TestTimer, kTestTimerMs
    std::function<void(bool)> setButtonEnabled;
    std::function<void(const std::string&)> setCaption;
    ButtonTestWorker::ShowButton showButton;
    std::function<void()> ended;  // back to idle
  };

  // `idleCaption` is the button's caption outside a test ("Test Keys Position").
  ButtonTest(device::CommandChannel& channel, orbic::Clock& clock, orbic::WorkerThread& thread,
             Host host, std::string idleCaption);
  ~ButtonTest();
  ButtonTest(const ButtonTest&) = delete;
  ButtonTest& operator=(const ButtonTest&) = delete;

  void btn_TestKeysClick();
  void TestTimerTimer();

  bool Running() const { return running_; }
  int Countdown() const { return countdown_; }
  const std::string& IdleCaption() const { return idleCaption_; }
  // The caption in the language shown now; it comes back at the end.
  void SetIdleCaption(std::string caption) { idleCaption_ = std::move(caption); }

 private:
  void End();

  device::CommandChannel& channel_;
  orbic::WorkerThread& thread_;
  Host host_;
  std::string idleCaption_;
  ButtonTestWorker worker_;
  bool running_ = false;
  int countdown_ = 0;
};

}  // namespace orbic::engineer
