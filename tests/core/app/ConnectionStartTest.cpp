#include <gtest/gtest.h>

#include "support/SessionRig.h"

namespace orbic::test {
namespace {

const std::string kDeviceLostText =
    "Please Connect the USB Device\r\rPlease check your device is attached to USB port";

using app::ConnectionOutcome;

std::vector<std::uint8_t> Repeat(std::uint8_t value, int count) {
  return std::vector<std::uint8_t>(static_cast<std::size_t>(count), value);
}

std::vector<std::uint8_t> Concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> result;
  for (const auto& part : parts) {
    result.insert(result.end(), part.begin(), part.end());
  }
  return result;
}

// 1, 3, the identification read, the whole-image read, 8, 2.
const std::vector<std::uint8_t> kFullConnectionStart =
    Concat({{0x01, 0x03, 0x04, 0x05, 0x04}, Repeat(0x05, 342), {0x08, 0x02}});

TEST(ConnectionStart, ReadsTheWholeImageAndLeavesTheNoDeviceState) {
  SessionRig rig;
  rig.mouse->firmware.memory[0x123] = 0x77;  // something that is not in the default image

  EXPECT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kRead);

  EXPECT_EQ(rig.Commands(), kFullConnectionStart);
  const auto& idRead = rig.mouse->Transcript()[4].bytes;
  EXPECT_EQ(idRead, (std::array<std::uint8_t, 8>{4, 4, 54, 0, 2, 0, 0, 0}));
  EXPECT_EQ(rig.session.Image().raw, rig.mouse->firmware.memory);
  EXPECT_FALSE(rig.session.NoDeviceState());
  EXPECT_EQ(rig.session.ReadIdentification(), (std::array<int, 2>{255, 255}));
  EXPECT_EQ(rig.ui.CallsWithoutPumps().front(), "timer-off");
  const auto calls = rig.ui.CallsWithoutPumps();
  const std::vector<std::string> tail(calls.end() - 4, calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"models-changed", "enable-pages", "hide-loading",
                                            "timer-on"}));
  EXPECT_TRUE(rig.ui.messages.empty());
}

TEST(ConnectionStart, RefusesAMouseWhoseIdentificationMatchesNeitherPair) {
  SessionRig rig;
  rig.mouse->firmware.memory[54] = 0x12;
  rig.mouse->firmware.memory[55] = 0x34;

  EXPECT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kIdentificationMismatch);

  EXPECT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x01, 0x03, 0x04, 0x05, 0x08, 0x02}));
  EXPECT_EQ(rig.ui.messages,
            std::vector<std::string>{"The mouse manufacturer or product id error"});
  EXPECT_EQ(rig.ui.styles.front(), orbic::MessageStyle::kMessageBox);
  EXPECT_TRUE(rig.ui.timerEnabled);  // re-enabled when the message is dismissed
  EXPECT_TRUE(rig.session.NoDeviceState());
  EXPECT_TRUE(rig.session.Channel().IsOpen());  // stays open, unread
  EXPECT_EQ(rig.session.ReadIdentification(), (std::array<int, 2>{0x12, 0x34}));
}

TEST(ConnectionStart, AcceptsTheReservePair) {
  struct Case {
    int revManu;
    int revPro;
    std::uint8_t byte54;
    std::uint8_t byte55;
  };
  for (const Case& test : {Case{0, 0, 0, 0}, Case{7, 9, 7, 9}}) {
    ui::BehaviourConfig config;
    config.revManuId = test.revManu;
    config.revProId = test.revPro;
    SessionRig rig(config);
    rig.mouse->firmware.memory[54] = test.byte54;
    rig.mouse->firmware.memory[55] = test.byte55;
    EXPECT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kRead);
  }
}

TEST(ConnectionStart, AMouseWhoseMemoryIsNotReadyIsForgotten) {
  SessionRig rig;
  rig.mouse->firmware.memoryReady = false;
  rig.session.Monitor().lastInterfaceCount = 1;

  EXPECT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kMemoryNotReady);

  EXPECT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x01, 0x03, 0x08, 0x02}));
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Finding the specified device"});
  EXPECT_FALSE(rig.session.Channel().IsOpen());
  EXPECT_EQ(rig.session.Channel().Device().vendorId, 0x1BCFu);  // ids stay
  EXPECT_EQ(rig.backend.OpenHandles(), 0);
  EXPECT_EQ(rig.session.Monitor().lastInterfaceCount, 1);
}

TEST(ConnectionStart, SilentFailuresShowNothingAndLeaveTheMouseOpen) {
  struct Case {
    const char* name;
    std::function<void(sim::SimulatedMouse&)> fault;
    ConnectionOutcome outcome;
    std::vector<std::uint8_t> commands;
  };
  const std::vector<Case> cases = {
      {"command 1 unanswered", [](auto& m) { m.faults.neverAck = {0x01}; },
       ConnectionOutcome::kNoAnswer, Repeat(0x01, 5)},
      // Once command 1 was answered the exchange is closed, whatever failed after it.
      {"command 3 unanswered", [](auto& m) { m.faults.neverAck = {0x03}; },
       ConnectionOutcome::kNoAnswer, Concat({{0x01}, Repeat(0x03, 5), {0x08, 0x02}})},
      {"not ready",
       [](auto& m) { m.firmware.readyByte = 0x55; },
       ConnectionOutcome::kNotReady,
       {0x01, 0x03, 0x08, 0x02}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    SessionRig rig;
    test.fault(*rig.mouse);
    EXPECT_EQ(rig.session.ConnectNow(), test.outcome);
    EXPECT_EQ(rig.Commands(), test.commands);
    EXPECT_TRUE(rig.ui.messages.empty());
    EXPECT_TRUE(rig.session.Channel().IsOpen());
    EXPECT_TRUE(rig.session.NoDeviceState());
  }
}

TEST(ConnectionStart, AReadThatLosesChunksIsNotTakenAsTheMousesImage) {
  struct Case {
    const char* name;
    std::function<void(sim::SimulatedMouse&)> fault;
    ConnectionOutcome outcome;
    std::string message;
  };
  const std::vector<Case> cases = {
      // Pulled out after the identification read and a few chunks of the image.
      {"unplugged", [](auto& m) { m.faults.unplugAfterPackets = 30; },
       ConnectionOutcome::kUnplugged, kDeviceLostText},
      {"chunks unanswered", [](auto& m) { m.faults.neverAck = {0x05}; },
       ConnectionOutcome::kReadIncomplete, "Reading the mouse failed. It will be read again."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    SessionRig rig;
    const params::Image shown = rig.session.Image().raw;
    rig.session.Monitor().lastInterfaceCount = 1;
    test.fault(*rig.mouse);

    EXPECT_EQ(rig.session.ConnectNow(), test.outcome);

    EXPECT_EQ(rig.session.Image().raw, shown);  // still the default image, not 0xFF holes
    EXPECT_TRUE(rig.session.NoDeviceState());
    EXPECT_FALSE(rig.session.Channel().IsOpen());
    EXPECT_EQ(rig.ui.messages, std::vector<std::string>{test.message});
    EXPECT_FALSE(rig.ui.loadingVisible);
    EXPECT_TRUE(rig.ui.timerEnabled);
    EXPECT_TRUE(rig.ui.pagesCovered);
    // The next tick looks for the mouse again instead of waiting for a replug.
    EXPECT_EQ(rig.session.Monitor().lastInterfaceCount, 0);
    // Neither spends a minute of retries: a few chunks at most before it stops.
    EXPECT_LT(rig.clock.NowMs(), 2000u);
  }
}

TEST(ConnectionStart, ABlankMouseIsReadAsIsAndRepairedInTheWorkingCopies) {
  SessionRig rig;
  rig.mouse->firmware.memory.fill(0xFF);

  EXPECT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kRead);

  const auto& image = rig.session.Image();
  EXPECT_TRUE(std::all_of(image.raw.begin(), image.raw.end(), [](auto b) { return b == 0xFF; }));
  const params::SplitReport& split = rig.session.LastSplit();
  EXPECT_TRUE(split.parameterARepaired && split.parameterBRepaired && split.profileRepaired &&
              split.fireKeyRepaired);
  EXPECT_EQ(image.data.parameterB[0], 1);
  EXPECT_EQ(image.data.parameterB[1], 254);
}

TEST(ConnectionStart, NoMatchingInterfaceIsDeviceLost) {
  SessionRig rig;
  rig.mouse->identity.version = 0x0105;

  EXPECT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kNoMouse);

  EXPECT_TRUE(rig.mouse->Transcript().empty());
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Please Connect the USB Device\r\r"
                                                      "Please check your device is attached to "
                                                      "USB port"});
  EXPECT_EQ(rig.ui.styles.front(), orbic::MessageStyle::kDialog);
  EXPECT_TRUE(rig.ui.pagesCovered);
  EXPECT_TRUE(rig.ui.timerEnabled);
}

TEST(ConnectionStart, DriverModeHandsOverToTheDriverConnection) {
  ui::BehaviourConfig config;
  config.eepromMode = false;
  SessionRig rig(config);
  int driverStarts = 0;
  rig.session.Hooks().startDriverConnection = [&] { ++driverStarts; };

  EXPECT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kDriverMode);
  EXPECT_EQ(driverStarts, 1);
  EXPECT_TRUE(rig.Commands().empty());
}

TEST(NoDeviceState, ShowsTheFirstDefaultImageOnTheFirstPage) {
  MouseRig mouseRig;
  app::Session session(mouseRig.backend, mouseRig.clock, mouseRig.ui, {});
  session.Image().raw.fill(0);

  session.RefreshErrorAP();

  EXPECT_TRUE(session.NoDeviceState());
  EXPECT_EQ(session.Image().raw, session.DefaultImages()[0]);
  EXPECT_EQ(session.Pages().visibleGroup, 1);
  EXPECT_EQ(session.Pages().buttonPictures.at("Img_Main_3"), "SetS_03");
  EXPECT_EQ(session.Pages().buttonPictures.at("Img_Engineer_4"), "SetS_01");
  EXPECT_EQ(session.Pages().buttonPictures.size(), 24u);
}

}  // namespace
}  // namespace orbic::test
