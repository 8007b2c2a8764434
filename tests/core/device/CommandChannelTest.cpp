#include <gtest/gtest.h>

#include <numeric>

#include "support/MouseRig.h"

namespace orbic::test {
namespace {

using device::Chunk;

struct SentAndPolled {
  int sent = 0;
  int polled = 0;
};

SentAndPolled CountPackets(const sim::SimulatedMouse& mouse) {
  SentAndPolled counts;
  for (const auto& entry : mouse.Transcript()) {
    (entry.sent ? counts.sent : counts.polled)++;
  }
  return counts;
}

TEST(CommandChannel, SendsOnePacketAndPollsUntilDone) {
  ChannelRig rig;
  ASSERT_TRUE(rig.opened);
  rig.mouse->faults.ackPolls = 2;

  ASSERT_TRUE(rig.channel.SendCommand(0x03, 0x5A, 0xD9));

  const auto& transcript = rig.mouse->Transcript();
  ASSERT_EQ(transcript.size(), 4u);
  EXPECT_TRUE(transcript[0].sent);
  EXPECT_EQ(transcript[0].bytes, (std::array<std::uint8_t, 8>{4, 3, 0x5A, 0xD9, 0, 0, 0, 0}));
  EXPECT_EQ(transcript[1].bytes[7], 0);
  EXPECT_EQ(transcript[3].bytes[7], 0xCC);
  // Settle 10 ms, then 10 ms after each of the two polls that showed status 0.
  EXPECT_EQ(rig.clock.SleptMs(), 30u);
  EXPECT_EQ(rig.channel.Reply(2), 0x20);  // the reply stays in the packet
}

// A mouse that never acknowledges uses up every attempt of every poll.
struct WorstCase {
  const char* name;
  std::function<bool(device::CommandChannel&)> operation;
  int attempts;
  int polls;
  std::uint64_t sleptMs;
};

TEST(CommandChannel, GivesUpAfterTheAttemptLimitWithTheMandatedWaits) {
  const std::vector<WorstCase> cases = {
      {"SendCommand", [](auto& c) { return c.SendCommand(1); }, 5, 25, 300},
      {"WriteChunk",
       [](auto& c) {
         return c.WriteChunk(Chunk{1, 2, 3, 4, 5, 6});
       },
       5, 25, 175},
      {"ReadChunk",
       [](auto& c) { return c.ReadChunk() != Chunk{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; }, 5, 25,
       150},
      {"ReadStatusWord", [](auto& c) { return c.ReadStatusWord() != 0; }, 10, 100, 550},
  };
  for (const WorstCase& test : cases) {
    SCOPED_TRACE(test.name);
    ChannelRig rig;
    rig.mouse->faults.neverAnswer = true;
    EXPECT_FALSE(test.operation(rig.channel));
    const SentAndPolled counts = CountPackets(*rig.mouse);
    EXPECT_EQ(counts.sent, test.attempts);
    EXPECT_EQ(counts.polled, test.polls);
    EXPECT_EQ(rig.clock.SleptMs(), test.sleptMs);
  }
}

TEST(CommandChannel, WithoutAMouseEveryOperationFailsAtOnce) {
  MouseRig rig;
  device::CommandChannel channel(rig.backend, rig.clock, rig.ui);
  std::array<std::uint8_t, 4> buffer{};

  EXPECT_FALSE(channel.SendCommand(1));
  EXPECT_FALSE(channel.WriteChunk(Chunk{}));
  EXPECT_EQ(channel.ReadChunk(), (Chunk{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(channel.ReadStatusWord(), 0);
  EXPECT_FALSE(channel.ReadMemory(0, buffer, true));
  EXPECT_FALSE(channel.WriteMemory(0, buffer));
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_TRUE(rig.mouse->Transcript().empty());
  EXPECT_EQ(rig.clock.SleptMs(), 0u);
}

TEST(CommandChannel, ChunksMemoryReadsInSixes) {
  struct Case {
    std::uint16_t address;
    std::size_t length;
    int chunks;
  };
  for (const Case& test : {Case{54, 1, 1}, Case{54, 2, 1}, Case{128, 30, 5}, Case{256, 1024, 171},
                           Case{0, 2048, 342}}) {
    SCOPED_TRACE(test.length);
    ChannelRig rig;
    std::iota(rig.mouse->firmware.memory.begin(), rig.mouse->firmware.memory.end(), 0);
    std::vector<std::uint8_t> buffer(test.length);

    ASSERT_TRUE(rig.channel.ReadMemory(test.address, buffer, false));

    const auto commands = rig.Commands();
    ASSERT_EQ(commands.size(), 1u + test.chunks);
    EXPECT_EQ(commands.front(), 0x04);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x05), test.chunks);
    const auto& start = rig.mouse->Transcript().front().bytes;
    EXPECT_EQ(start[2] | (start[3] << 8), test.address);
    EXPECT_EQ(start[4] | (start[5] << 8), static_cast<int>(test.length));
    for (std::size_t i = 0; i < test.length; ++i) {
      ASSERT_EQ(buffer[i], static_cast<std::uint8_t>(test.address + i)) << "byte " << i;
    }
    EXPECT_EQ(rig.channel.FailedChunks(), 0);
  }
}

TEST(CommandChannel, AReadThatLosesChunksLeavesThemFFAndStillSucceeds) {
  ChannelRig rig;
  rig.mouse->firmware.memory.fill(0x11);
  // Command 4 and the first two chunks (each a request and a poll) get through.
  rig.mouse->faults.unplugAfterPackets = 6;
  std::array<std::uint8_t, 30> buffer{};

  EXPECT_TRUE(rig.channel.ReadMemory(0, buffer, false));

  for (std::size_t i = 0; i < buffer.size(); ++i) {
    EXPECT_EQ(buffer[i], i < 12 ? 0x11 : 0xFF) << "byte " << i;
  }
  EXPECT_EQ(rig.channel.FailedChunks(), 3);
}

TEST(CommandChannel, AReadWhoseStartIsRefusedFailsWithoutChunks) {
  ChannelRig rig;
  rig.mouse->faults.neverAck = {0x04};
  std::array<std::uint8_t, 12> buffer{};

  EXPECT_FALSE(rig.channel.ReadMemory(0, buffer, true));
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 12>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                  0xFF, 0xFF, 0xFF, 0xFF}));
  const auto commands = rig.Commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x05), 0);
}

TEST(CommandChannel, ShowsTheLoadingWindowAndPumpsBeforeEveryChunk) {
  ChannelRig rig;
  std::array<std::uint8_t, 12> buffer{};

  ASSERT_TRUE(rig.channel.ReadMemory(0, buffer, true));
  // Per chunk: show + pump, the pump after a good chunk, the pump after the copy.
  EXPECT_EQ(rig.ui.calls, (std::vector<std::string>{"show-loading", "pump", "pump", "pump",
                                                    "show-loading", "pump", "pump", "pump"}));

  rig.ui.Clear();
  ASSERT_TRUE(rig.channel.ReadMemory(0, buffer, false));
  EXPECT_EQ(rig.ui.calls, (std::vector<std::string>{"pump", "pump", "pump", "pump"}));

  rig.ui.Clear();
  ASSERT_TRUE(rig.channel.WriteMemory(0, buffer));
  EXPECT_EQ(rig.ui.calls, (std::vector<std::string>{"show-loading", "pump", "pump", "show-loading",
                                                    "pump", "pump"}));
}

TEST(CommandChannel, WritesChunksWithTheSixthByteInTheStatusPosition) {
  ChannelRig rig;
  rig.mouse->firmware.memory.fill(0);
  const std::array<std::uint8_t, 8> source{1, 2, 3, 4, 5, 6, 7, 8};

  ASSERT_TRUE(rig.channel.WriteMemory(0x123, source));

  const auto& transcript = rig.mouse->Transcript();
  EXPECT_EQ(transcript[0].bytes, (std::array<std::uint8_t, 8>{4, 6, 0x23, 0x01, 8, 0, 0, 0}));
  EXPECT_EQ(transcript[2].bytes, (std::array<std::uint8_t, 8>{4, 7, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(transcript[4].bytes[1], 7);
  EXPECT_EQ(transcript[4].bytes[2], 7);
  EXPECT_EQ(transcript[4].bytes[3], 8);
  for (std::size_t i = 0; i < source.size(); ++i) {
    EXPECT_EQ(rig.mouse->firmware.memory[0x123 + i], source[i]);
  }
  EXPECT_EQ(rig.mouse->firmware.memory[0x123 + source.size()], 0);  // length respected
}

TEST(CommandChannel, AWriteWhoseStartIsRefusedSendsNoChunk) {
  ChannelRig rig;
  rig.mouse->faults.neverAck = {0x06};
  const std::array<std::uint8_t, 6> source{};

  EXPECT_FALSE(rig.channel.WriteMemory(0, source));
  const auto commands = rig.Commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x07), 0);
}

TEST(CommandChannel, AVanishedMouseNeverLooksLikeAnAcknowledgement) {
  ChannelRig rig;
  rig.backend.Unplug(sim::SimulatedHidBackend::kMousePath);
  // 0xCC as the sixth data byte sits in the status position of the request.
  EXPECT_FALSE(rig.channel.WriteChunk(Chunk{0, 0, 0, 0, 0, 0xCC}));
}

TEST(CommandChannel, TakesMemoryReadyAndChipCodeFromTheStatusReply) {
  struct Case {
    std::uint8_t chipByte;
    bool memoryReady;
    std::uint8_t expectedChip;
  };
  for (const Case& test : {Case{0x35, true, 0x90}, Case{0x75, false, 0x99}, Case{0xFD, true, 0x98},
                           Case{0x12, true, 0x55}}) {
    ChannelRig rig;
    rig.mouse->firmware.chipByte = test.chipByte;
    rig.mouse->firmware.memoryReady = test.memoryReady;
    rig.channel.SetChipCode(0x55);
    ASSERT_TRUE(rig.channel.SendCommand(3));
    rig.channel.TakeStatusReply();
    EXPECT_EQ(rig.channel.MemoryReady(), test.memoryReady);
    EXPECT_EQ(rig.channel.ChipCode(), test.expectedChip);
  }
}

TEST(CommandChannel, StatusWordCarriesTheButtonState) {
  ChannelRig rig;
  rig.mouse->firmware.buttonState = 0x0305;
  EXPECT_EQ(rig.channel.ReadStatusWord(), 0x0305);
  // Waits 5 ms before the request and before the poll that answered.
  EXPECT_EQ(rig.clock.SleptMs(), 10u);
}

}  // namespace
}  // namespace orbic::test
