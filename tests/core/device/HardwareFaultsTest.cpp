// Faults that a mouse on a real USB stack shows and the simulated mouse can
// now play: a command carried out whose acknowledgement was lost, a mouse
// pulled out under a transfer, a node the user may not open, and a command
// collection that shares its interface with longer feature reports.
#include <gtest/gtest.h>

#include <functional>

#include "app/SettingsTransfer.h"
#include "device/VerifiedWrite.h"
#include "params/DefaultImages.h"
#include "support/SessionRig.h"

namespace orbic::test {
namespace {

params::Image Pattern() {
  params::Image image{};
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  }
  return image;
}

// A chunk the mouse carried out twice (its acknowledgement lost the first
// time) moves its address pointer on; the transfer must still land every byte
// where it belongs.
TEST(HardwareFaults, LostAcknowledgementsNeitherShiftAReadNorAWrite) {
  for (const std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    ChannelRig rig;
    ASSERT_TRUE(rig.opened);
    rig.mouse->faults.lostAckPercent = 10;
    rig.mouse->faults.seed = seed;
    rig.mouse->firmware.memory = Pattern();

    params::Image read{};
    ASSERT_TRUE(rig.channel.ReadMemory(0, read, false));
    EXPECT_EQ(rig.channel.FailedChunks(), 0);
    EXPECT_EQ(read, Pattern());

    params::Image image = params::LoadDefaultImages()[1];
    const device::VerifiedWriteReport report =
        device::WriteImageVerified(rig.channel, rig.ui, image);
    EXPECT_EQ(report.result, device::VerifiedWriteResult::kVerified);
    EXPECT_EQ(rig.mouse->firmware.memory, image);
  }
}

// Without re-addressing, the same fault shifts the data: the test above is
// only worth something if the fault really moves the pointer.
TEST(HardwareFaults, ALostAcknowledgementRepeatsTheChunkOnTheMouse) {
  ChannelRig rig;
  ASSERT_TRUE(rig.opened);
  rig.mouse->firmware.memory = Pattern();
  ASSERT_TRUE(rig.channel.SendCommand(device::command::kReadStart, 0, 0, 12, 0));
  rig.mouse->faults.lostAckPercent = 100;
  rig.channel.ReadChunk();  // carried out five times, never acknowledged
  rig.mouse->faults.lostAckPercent = 0;
  const device::Chunk next = rig.channel.ReadChunk();
  EXPECT_EQ(next[0], 0xFF);  // the 12 bytes were used up by the repeats
}

TEST(HardwareFaults, APulledOutMouseEndsEveryTransferAtOnce) {
  struct Case {
    const char* name;
    std::function<bool(device::CommandChannel&, params::Image&)> transfer;
  };
  const std::vector<Case> cases = {
      {"read", [](auto& channel, auto& image) { return channel.ReadMemory(0, image, true); }},
      {"write", [](auto& channel, auto& image) { return channel.WriteMemory(0, image); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelRig rig;
    ASSERT_TRUE(rig.opened);
    rig.mouse->faults.unplugAfterPackets = 100;
    params::Image image = Pattern();

    c.transfer(rig.channel, image);

    EXPECT_TRUE(rig.channel.Gone());
    EXPECT_TRUE(rig.channel.Stopped());
    EXPECT_EQ(rig.channel.FailedChunks(), 342 - rig.channel.StoppedAt() / 6);
    // No retry reached for the dead handle: the packets stop where the mouse went.
    EXPECT_EQ(rig.mouse->PacketCount(), 100u);
    EXPECT_LT(rig.clock.NowMs(), 1000u);
    // Every later operation fails without touching the device.
    EXPECT_FALSE(rig.channel.SendCommand(device::command::kClose));
    EXPECT_EQ(rig.mouse->PacketCount(), 100u);
  }
}

TEST(HardwareFaults, AMouseThatStopsAnsweringIsGivenUpAfterThreeChunks) {
  ChannelRig rig;
  ASSERT_TRUE(rig.opened);
  rig.mouse->faults.neverAck = {device::command::kWriteChunk};
  const params::Image image = Pattern();

  const device::VerifiedWriteReport report = device::WriteImageVerified(rig.channel, rig.ui, image);

  EXPECT_EQ(report.result, device::VerifiedWriteResult::kWriteStopped);
  EXPECT_EQ(report.stoppedAt, 12);
  EXPECT_EQ(device::DescribeVerifiedWrite(report, image.size()),
            "The mouse stopped answering while its memory was written, at byte 12 of 2048.");
  // Three chunks of six tries, not 342 chunks of five attempts each (77 s).
  EXPECT_LT(rig.clock.NowMs(), 5000u);
}

TEST(HardwareFaults, AStuckByteIsNamedWithItsCount) {
  ChannelRig rig;
  ASSERT_TRUE(rig.opened);
  rig.mouse->faults.stuck = {{0x12C, 0xAB}};
  const device::VerifiedWriteReport report =
      device::WriteImageVerified(rig.channel, rig.ui, Pattern());
  EXPECT_EQ(device::DescribeVerifiedWrite(report, 2048),
            "1 byte still differs after 3 repair passes; the first at 0x12C reads 0xAB.");
}

TEST(HardwareFaults, EveryAnsweredCommandOneIsClosedAfterAFailedStep) {
  SessionRig rig;
  ASSERT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kRead);
  rig.mouse->ClearTranscript();
  rig.mouse->faults.neverAck = {device::command::kStatus};

  app::SettingsTransfer transfer(rig.session);
  EXPECT_EQ(transfer.Apply(), app::TransferOutcome::kNoAnswer);

  const std::vector<std::uint8_t> commands = rig.Commands();
  ASSERT_GE(commands.size(), 2u);
  EXPECT_EQ(commands.front(), device::command::kOpen);
  EXPECT_EQ(commands.back(), device::command::kClose);
}

TEST(HardwareFaults, AnApplyInterruptedByAnUnplugGoesToTheNoDeviceState) {
  SessionRig rig;
  ASSERT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kRead);
  rig.session.Monitor().lastInterfaceCount = 1;
  rig.ui.Clear();
  rig.mouse->faults.unplugAfterPackets = rig.mouse->PacketCount() + 200;
  const auto before = rig.clock.NowMs();

  app::SettingsTransfer transfer(rig.session);
  EXPECT_EQ(transfer.Apply(), app::TransferOutcome::kUnplugged);

  EXPECT_LT(rig.clock.NowMs() - before, 2000u);
  EXPECT_TRUE(rig.session.NoDeviceState());
  EXPECT_FALSE(rig.session.Channel().IsOpen());
  EXPECT_EQ(rig.backend.OpenHandles(), 0);
  // One message, the connect message, not "Fail".
  EXPECT_EQ(
      rig.ui.messages,
      std::vector<std::string>{
          "Please Connect the USB Device\r\rPlease check your device is attached to USB port"});
  EXPECT_EQ(rig.session.Monitor().lastInterfaceCount, 0);
}

// Pulled out and plugged back in between two ticks: the count never changed,
// so only the failed exchange can tell. It closes the dead handle, and the
// next tick opens the mouse again and reads it, without a second message.
TEST(HardwareFaults, AQuickReplugLeavesNoDeadHandle) {
  SessionRig rig;
  rig.session.Monitor().DevTimerTimer();
  ASSERT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  rig.backend.Unplug(sim::SimulatedHidBackend::kMousePath);
  rig.backend.Plug(sim::SimulatedHidBackend::kMousePath);
  rig.ui.Clear();

  app::SettingsTransfer transfer(rig.session);
  EXPECT_EQ(transfer.Apply(), app::TransferOutcome::kUnplugged);
  EXPECT_EQ(rig.backend.OpenHandles(), 0);

  rig.session.Monitor().DevTimerTimer();
  EXPECT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  EXPECT_FALSE(rig.session.NoDeviceState());
  EXPECT_EQ(rig.backend.OpenHandles(), 1);
  EXPECT_EQ(rig.ui.messages.size(), 1u);  // the connect message of the unplug only
}

TEST(HardwareFaults, AMouseThisUserMayNotOpenIsReportedAsSuch) {
  SessionRig rig;
  rig.backend.SetPermissionDenied(sim::SimulatedHidBackend::kMousePath, true);

  EXPECT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kNoPermission);

  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_NE(rig.ui.messages[0].find("cannot be opened"), std::string::npos);
  EXPECT_NE(rig.ui.messages[0].find(sim::SimulatedHidBackend::kMousePath), std::string::npos);
  EXPECT_NE(rig.ui.messages[0].find("orbic40-cli udev-rule"), std::string::npos);
  EXPECT_TRUE(rig.session.NoDeviceState());
}

TEST(HardwareFaults, TheCommandCollectionMatchesBesideLongerFeatureReports) {
  device::HidInterfaceInfo info{"/dev/hidraw3", 0x1BCF, 0x08A0, 0x0104, {0, 65, 8}};
  EXPECT_TRUE(device::MatchesMouse(info, 0x1BCF, 0x08A0, 0x0104));
  info.featureLengths = {0, 65};
  EXPECT_FALSE(device::MatchesMouse(info, 0x1BCF, 0x08A0, 0x0104));
  info.featureLengths = {8};
  info.version = 0x0105;
  EXPECT_FALSE(device::MatchesMouse(info, 0x1BCF, 0x08A0, 0x0104));
}

// A failed identification read leaves 0xFF 0xFF, the default pair; it must not
// pass the check and lead to a read of the whole image.
TEST(HardwareFaults, AFailedIdentificationReadIsNotCompared) {
  SessionRig rig;
  rig.mouse->faults.neverAck = {device::command::kReadChunk};

  EXPECT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kReadIncomplete);

  const std::vector<std::uint8_t> commands = rig.Commands();
  // One read start for the identification (and its re-addressing), never the
  // 2048-byte read.
  for (std::size_t i = 0; i + 4 < rig.mouse->Transcript().size(); ++i) {
    const auto& entry = rig.mouse->Transcript()[i];
    if (entry.sent && entry.bytes[1] == device::command::kReadStart) {
      EXPECT_EQ(entry.bytes[4], 2);
    }
  }
  EXPECT_EQ(commands.back(), device::command::kClose);
}

}  // namespace
}  // namespace orbic::test
