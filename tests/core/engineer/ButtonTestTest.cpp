#include "engineer/ButtonTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <optional>

#include "support/MouseRig.h"
#include "support/SteppedWorker.h"

namespace orbic::test {
namespace {

using engineer::ButtonTest;

struct ButtonTestRig : ChannelRig {
  ButtonTestRig() { mouse->ClearTranscript(); }

  // Clicks the button, then runs the worker and the due ticks until the test
  // has ended (or a minute has passed). The time of the end, from the click.
  std::optional<std::uint64_t> Run() {
    const std::uint64_t start = clock.NowMs();
    test.btn_TestKeysClick();
    return RunFrom(start);
  }
  std::optional<std::uint64_t> RunFrom(std::uint64_t start) {
    std::uint64_t nextTick = start + engineer::kTestTimerMs;
    while (!endedAt && clock.NowMs() - start < 60'000) {
      worker.StepOnce();
      while (testTimer && clock.NowMs() >= nextTick) {
        test.TestTimerTimer();
        nextTick += engineer::kTestTimerMs;
      }
    }
    if (!endedAt) {
      return std::nullopt;
    }
    return *endedAt - start;
  }

  // Engineer buttons in the order they were blinked (each hidden twice).
  std::vector<int> Blinked() const {
    std::vector<int> buttons;
    for (std::size_t i = 0; i + 3 < shown.size(); i += 4) {
      const bool wholeBlink = !shown[i].second && shown[i + 1].second && !shown[i + 2].second &&
                              shown[i + 3].second && shown[i].first == shown[i + 3].first;
      buttons.push_back(wholeBlink ? shown[i].first : -1);
    }
    return buttons;
  }

  SteppedWorker worker;
  std::vector<std::string> captions;
  std::vector<std::pair<int, bool>> shown;
  bool testTimer = false;
  bool deviceTimer = true;
  bool buttonEnabled = true;
  int menusHidden = 0;
  std::optional<std::uint64_t> endedAt;
  ButtonTest test{
      channel, clock, worker,
      ButtonTest::Host{
          .hideAllMenu = [this] { ++menusHidden; },
          .setDeviceTimer = [this](bool on) { deviceTimer = on; },
          .setTestTimer = [this](bool on) { testTimer = on; },
          .setButtonEnabled = [this](bool on) { buttonEnabled = on; },
          .setCaption = [this](const std::string& text) { captions.push_back(text); },
          .showButton = [this](int button, bool visible) { shown.emplace_back(button, visible); },
          .ended = [this] { endedAt = clock.NowMs(); },
      },
      "Test Keys Position"};
};

// Presses at given times; the engineer buttons that blink and when the test
// ends: six quiet ticks after the click or after the last blink.
TEST(ButtonTest, BlinksThePressedButtonsAndEndsAfterSixQuietSeconds) {
  struct Case {
    const char* name;
    std::vector<sim::ButtonPress> presses;
    std::vector<int> blinked;
    std::uint64_t endSecond;
  };
  const std::vector<Case> cases = {
      {"no press", {}, {}, 6},
      {"left and right together", {{2000, 2100, 0x0005}}, {101, 103}, 11},
      {"LED-mode key", {{1500, 1600, 0x0400}}, {109}, 9},
      {"bits without a button", {{1000, 5000, 0x00C0}}, {}, 6},
      {"every button", {{1000, 1020, 0x073F}}, {101, 102, 103, 104, 105, 106, 107, 108, 109}, 20},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    ButtonTestRig rig;
    ASSERT_TRUE(rig.opened);
    rig.mouse->presses = row.presses;

    const std::optional<std::uint64_t> end = rig.Run();
    ASSERT_TRUE(end.has_value());
    EXPECT_GE(*end, row.endSecond * 1000);
    EXPECT_LT(*end, row.endSecond * 1000 + 100);
    EXPECT_EQ(rig.Blinked(), row.blinked);
    EXPECT_EQ(rig.shown.size(), row.blinked.size() * 4);
    // The quiet count, and the idle caption at the end.
    const std::vector<std::string> lastCaptions(rig.captions.end() - 7, rig.captions.end());
    EXPECT_EQ(lastCaptions, (std::vector<std::string>{"5...", "4...", "3...", "2...", "1...",
                                                      "0...", "Test Keys Position"}));
    EXPECT_EQ(rig.menusHidden, 1);
    EXPECT_TRUE(rig.deviceTimer);
    EXPECT_TRUE(rig.buttonEnabled);
    EXPECT_FALSE(rig.testTimer);
    EXPECT_FALSE(rig.test.Running());
  }
}

// One exchange from the click to the end: command 1, polls, then 8 and 2
// only after the worker has stopped polling.
TEST(ButtonTest, TheMouseStaysInOneExchangeClosedAfterTheWorkerEnded) {
  ButtonTestRig rig;
  ASSERT_TRUE(rig.opened);
  rig.mouse->presses = {{1000, 1100, 0x0001}};
  const std::uint64_t start = rig.clock.NowMs();
  rig.test.btn_TestKeysClick();
  EXPECT_FALSE(rig.deviceTimer);
  EXPECT_FALSE(rig.buttonEnabled);
  EXPECT_TRUE(rig.testTimer);
  rig.test.btn_TestKeysClick();  // a second click while it runs changes nothing
  ASSERT_TRUE(rig.RunFrom(start).has_value());

  const std::vector<std::uint8_t> commands = rig.Commands();
  ASSERT_GE(commands.size(), 4u);
  EXPECT_EQ(commands.front(), 0x01);
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x01), 1);
  EXPECT_EQ(std::vector<std::uint8_t>(commands.end() - 2, commands.end()),
            (std::vector<std::uint8_t>{0x08, 0x02}));
  for (std::size_t i = 1; i + 2 < commands.size(); ++i) {
    EXPECT_EQ(commands[i], 0x03) << "command " << i;
  }
  EXPECT_EQ(rig.worker.stops, 1);
  EXPECT_EQ(rig.Blinked(), (std::vector<int>{101}));
}

// A mouse that does not answer shows no press: the test ends by itself after
// six ticks, with the closing commands and no message.
TEST(ButtonTest, AnUnansweringMouseEndsItQuietly) {
  ButtonTestRig rig;
  ASSERT_TRUE(rig.opened);
  rig.mouse->faults.neverAnswer = true;
  const std::optional<std::uint64_t> end = rig.Run();
  ASSERT_TRUE(end.has_value());
  EXPECT_GE(*end, 6000u);
  EXPECT_LT(*end, 7100u);  // the last tick waits for the status read under way
  EXPECT_TRUE(rig.shown.empty());
  // After the last poll: command 8, then command 2 (each tried again unanswered).
  const std::vector<std::uint8_t> commands = rig.Commands();
  const auto lastPoll = std::find(commands.rbegin(), commands.rend(), 0x03).base();
  const std::vector<std::uint8_t> closing(lastPoll, commands.end());
  ASSERT_FALSE(closing.empty());
  EXPECT_EQ(closing.front(), 0x08);
  EXPECT_EQ(closing.back(), 0x02);
  EXPECT_TRUE(std::is_sorted(closing.begin(), closing.end(), std::greater<>()));
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_TRUE(rig.deviceTimer);
}

// The real worker thread ends only where its job may end, never mid-blink.
TEST(ButtonTest, TheWorkerThreadEndsOnlyBetweenWholeSequences) {
  std::atomic<int> steps{0};
  std::atomic<bool> lowered{false};
  {
    StdWorkerThread thread([&lowered] { lowered = true; });
    thread.Start([&steps] { steps.fetch_add(1); }, [&steps] { return steps.load() % 4 == 0; });
    while (steps.load() < 10) {
      std::this_thread::yield();
    }
    thread.StopAndWait();
  }
  EXPECT_EQ(steps.load() % 4, 0);
  EXPECT_TRUE(lowered.load());
}

}  // namespace
}  // namespace orbic::test
