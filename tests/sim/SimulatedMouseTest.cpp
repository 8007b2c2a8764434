// The firmware model: what the command channel relies on when it talks to the
// simulated mouse, driven here packet by packet.
#include "sim/SimulatedMouse.h"

#include <gmock/gmock.h>

#include <numeric>
#include <vector>

#include "sim/VirtualClock.h"

namespace orbic::sim {
namespace {

using ::testing::ElementsAre;
using Packet = std::array<std::uint8_t, 8>;

constexpr std::uint8_t kDone = 0xCC;

// A host that talks to the mouse directly, without the channel's retries
// unless a test asks for them.
class MouseTest : public ::testing::Test {
 protected:
  MouseTest() {
    for (std::size_t i = 0; i < kMouseMemorySize; ++i) {
      mouse.firmware.memory[i] = static_cast<std::uint8_t>(i * 13 + (i >> 8));
    }
  }

  bool Send(std::uint8_t command, std::uint8_t a1 = 0, std::uint8_t a2 = 0, std::uint8_t a3 = 0,
            std::uint8_t a4 = 0, std::uint8_t a5 = 0, std::uint8_t a6 = 0) {
    const Packet request{4, command, a1, a2, a3, a4, a5, a6};
    return mouse.SetFeature(request.data(), request.size());
  }
  Packet Poll() {
    Packet reply{};
    EXPECT_TRUE(mouse.GetFeature(reply.data(), reply.size()));
    return reply;
  }
  // Sends, polls once and expects the mouse to be done.
  Packet Transact(std::uint8_t command, std::uint8_t a1 = 0, std::uint8_t a2 = 0,
                  std::uint8_t a3 = 0, std::uint8_t a4 = 0, std::uint8_t a5 = 0,
                  std::uint8_t a6 = 0) {
    EXPECT_TRUE(Send(command, a1, a2, a3, a4, a5, a6));
    const Packet reply = Poll();
    EXPECT_EQ(reply[7], kDone) << "command " << int{command};
    return reply;
  }
  // Sends until the mouse acknowledges, polling up to five times each attempt.
  Packet TransactWithRetries(const Packet& request) {
    for (int attempt = 0; attempt < 50; ++attempt) {
      mouse.SetFeature(request.data(), request.size());
      for (int poll = 0; poll < 5; ++poll) {
        const Packet reply = Poll();
        if (reply[7] == kDone) {
          return reply;
        }
      }
    }
    ADD_FAILURE() << "never acknowledged";
    return {};
  }
  std::vector<std::uint8_t> Read(std::uint16_t address, std::uint16_t length) {
    Transact(4, address & 0xFF, address >> 8, length & 0xFF, length >> 8);
    std::vector<std::uint8_t> bytes;
    for (int chunk = 0; chunk < (length + 5) / 6; ++chunk) {
      const Packet reply = Transact(5);
      bytes.insert(bytes.end(), reply.begin() + 1, reply.end() - 1);
    }
    return bytes;
  }

  SimulatedMouse mouse;
};

TEST_F(MouseTest, StatusIsZeroForAckPollsThenDone) {
  for (int polls : {0, 1, 3, 7}) {
    SCOPED_TRACE(polls);
    mouse.faults.ackPolls = polls;
    ASSERT_TRUE(Send(8));
    for (int i = 0; i < polls; ++i) {
      EXPECT_EQ(Poll()[7], 0);
    }
    EXPECT_EQ(Poll()[7], kDone);
    EXPECT_EQ(Poll()[7], kDone);  // and stays done until the next request
  }
  // Each request was executed once, whatever the polling.
  EXPECT_EQ(mouse.firmware.systemReloads, 4);
}

TEST_F(MouseTest, RepliesOfTheCommandSet) {
  mouse.firmware.cmd1Reply = 0xA6;
  mouse.firmware.chipByte = 0x75;
  mouse.firmware.buttonState = 0x0201;
  mouse.firmware.ledTypeByte = 0x90;
  mouse.firmware.driverId = 0xBEEF;

  EXPECT_EQ(Transact(1)[1], 0xA6);
  EXPECT_EQ(Transact(3), (Packet{4, 0xAA, 0x04, 0x75, 0x00, 0x01, 0x02, kDone}));
  EXPECT_EQ(Transact(3, 0x5A, 0xD9)[2], 0x20);
  EXPECT_EQ(Transact(3, 0x5A, 0xD9)[3], 0x90);
  EXPECT_EQ(Transact(0x81)[1], 0xBE);
  EXPECT_EQ(Transact(0x81)[2], 0xEF);
  // Commands without a reply echo the request.
  EXPECT_EQ(Transact(2, 1, 2, 3, 4, 5), (Packet{4, 2, 1, 2, 3, 4, 5, kDone}));
  Transact(9, 0x11, 0x22, 0x33, 0x44);
  EXPECT_THAT(mouse.firmware.liveState, ElementsAre(0x11, 0x22, 0x33, 0x44));

  mouse.firmware.memoryReady = false;
  mouse.firmware.readyByte = 0x55;
  mouse.firmware.acceptsDriver = false;
  EXPECT_EQ(Transact(3)[1], 0x55);
  EXPECT_EQ(Transact(3)[2], 0x00);
  EXPECT_EQ(Transact(3, 0x5A, 0xD9)[2], 0x00);
}

// Address and length are little-endian; a chunk past the requested length
// carries 0xFF, and so does an address past the memory.
TEST_F(MouseTest, ChunkedReadAddressing) {
  const auto& memory = mouse.firmware.memory;
  struct Case {
    std::uint16_t address;
    std::uint16_t length;
  };
  for (const Case c : {Case{0, 12}, Case{0x136, 7}, Case{2041, 7}, Case{54, 2}}) {
    SCOPED_TRACE(c.address);
    const std::vector<std::uint8_t> bytes = Read(c.address, c.length);
    ASSERT_EQ(bytes.size() % 6, 0u);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      EXPECT_EQ(bytes[i], i < c.length ? memory[c.address + i] : 0xFF) << i;
    }
  }
  EXPECT_THAT(Read(2046, 4), ElementsAre(memory[2046], memory[2047], 0xFF, 0xFF, 0xFF, 0xFF));
  // Nothing left to read: a further chunk is all 0xFF.
  EXPECT_THAT(Transact(5), ElementsAre(4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, kDone));
}

TEST_F(MouseTest, ChunkedWriteStopsAtTheLength) {
  const auto before = mouse.firmware.memory;
  // Eight bytes at 0x1FE: a full chunk, then a short one of two.
  Transact(6, 0xFE, 0x01, 8, 0);
  Transact(7, 1, 2, 3, 4, 5, 6);
  Transact(7, 7, 8, 0xEE, 0xEE, 0xEE, 0xEE);
  Transact(7, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD);  // past the length: ignored

  auto expected = before;
  for (std::uint8_t i = 0; i < 8; ++i) {
    expected[0x1FE + i] = i + 1;
  }
  EXPECT_EQ(mouse.firmware.memory, expected);
}

// The last six bytes carry data in the status position; the reply must still
// report the mouse's status there, not the request's byte.
TEST_F(MouseTest, WriteChunkStatusIsTheMousesNotTheData) {
  Transact(6, 0, 0, 6, 0);
  mouse.faults.ackPolls = 1;
  ASSERT_TRUE(Send(7, 1, 2, 3, 4, 5, kDone));
  EXPECT_EQ(Poll()[7], 0);
  EXPECT_EQ(Poll()[7], kDone);
  EXPECT_EQ(mouse.firmware.memory[5], kDone);
}

TEST_F(MouseTest, LostRequestIsNotExecuted) {
  mouse.faults.neverAck = {7};
  Transact(6, 0x10, 0, 6, 0);
  const auto before = mouse.firmware.memory;
  ASSERT_TRUE(Send(7, 9, 9, 9, 9, 9, 9));
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(Poll()[7], 0);
  }
  EXPECT_EQ(mouse.firmware.memory, before);
  // Others still answer.
  EXPECT_EQ(Transact(1)[1], 0xA5);

  mouse.faults.neverAck.clear();
  mouse.faults.neverAnswer = true;
  ASSERT_TRUE(Send(8));
  EXPECT_EQ(Poll()[7], 0);
  EXPECT_EQ(mouse.firmware.systemReloads, 0);
}

// With a share of requests lost, a host that retries until acknowledged
// writes and reads every chunk exactly once: no byte lands twice or shifts.
TEST_F(MouseTest, RetriedChunksAfterLostRequestsLandOnce) {
  mouse.faults.dropAckPercent = 40;
  mouse.faults.seed = 7;
  std::vector<std::uint8_t> data(200);
  std::iota(data.begin(), data.end(), std::uint8_t{1});

  TransactWithRetries({4, 6, 0x00, 0x03, 200, 0, 0, 0});
  for (std::size_t offset = 0; offset < data.size(); offset += 6) {
    Packet request{4, 7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    for (std::size_t i = 0; i < 6 && offset + i < data.size(); ++i) {
      request[2 + i] = data[offset + i];
    }
    TransactWithRetries(request);
  }
  EXPECT_TRUE(std::equal(data.begin(), data.end(), mouse.firmware.memory.begin() + 0x300));
  EXPECT_EQ(mouse.firmware.memory[0x300 + 200], static_cast<std::uint8_t>((0x300 + 200) * 13 + 3));

  TransactWithRetries({4, 4, 0x00, 0x03, 200, 0, 0, 0});
  std::vector<std::uint8_t> read;
  while (read.size() < data.size()) {
    const Packet reply = TransactWithRetries({4, 5, 0, 0, 0, 0, 0, 0});
    read.insert(read.end(), reply.begin() + 1, reply.end() - 1);
  }
  read.resize(data.size());
  EXPECT_EQ(read, data);

  // The faults were there: 34 write chunks, 34 read chunks, 2 starts.
  EXPECT_GT(mouse.SentCommands().size(), 70u + 10u);
}

TEST_F(MouseTest, DroppedRequestsFollowTheSeed) {
  auto lostOf = [](std::uint32_t seed) {
    SimulatedMouse m;
    m.faults.dropAckPercent = 50;
    m.faults.seed = seed;
    std::vector<bool> lost;
    const Packet request{4, 8, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 64; ++i) {
      Packet reply{};
      m.SetFeature(request.data(), request.size());
      m.GetFeature(reply.data(), reply.size());
      lost.push_back(reply[7] != kDone);
    }
    return lost;
  };
  const std::vector<bool> first = lostOf(3);
  EXPECT_EQ(first, lostOf(3));
  EXPECT_NE(first, lostOf(4));
  const auto lost = std::count(first.begin(), first.end(), true);
  EXPECT_GT(lost, 16);
  EXPECT_LT(lost, 48);
}

TEST_F(MouseTest, StuckAndFlakyBytes) {
  mouse.faults.stuck = {{0x20, 0x5A}};
  mouse.faults.flaky = {{0x21, 2}};
  // A stuck byte reads as its value whatever the memory holds or is written.
  EXPECT_EQ(Read(0x20, 1)[0], 0x5A);
  for (int pass = 0; pass < 3; ++pass) {
    Transact(6, 0x20, 0, 2, 0);
    Transact(7, 0x11, 0x22);
    EXPECT_EQ(Read(0x20, 2)[0], 0x5A);
    EXPECT_EQ(mouse.firmware.memory[0x20], 0x11);
    // The flaky byte loses its first two writes and keeps the third.
    EXPECT_EQ(mouse.firmware.memory[0x21] == 0x22, pass == 2) << pass;
  }
  EXPECT_EQ(mouse.faults.flaky.at(0x21), 0);
}

TEST_F(MouseTest, UnplugsAfterTheGivenPacketCount) {
  mouse.faults.unplugAfterPackets = 3;
  EXPECT_TRUE(Send(8));
  Poll();
  EXPECT_FALSE(mouse.unplugged);
  EXPECT_TRUE(Send(8));  // the third packet still arrives
  EXPECT_TRUE(mouse.unplugged);
  Packet reply{};
  EXPECT_FALSE(mouse.GetFeature(reply.data(), reply.size()));
  EXPECT_FALSE(Send(1));
  EXPECT_EQ(mouse.PacketCount(), 3u);
  EXPECT_EQ(mouse.Transcript().size(), 3u);
}

TEST_F(MouseTest, RejectsWrongLengthOrReportId) {
  const Packet wrongId{3, 1, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(mouse.SetFeature(wrongId.data(), wrongId.size()));
  const std::array<std::uint8_t, 9> nine{4, 1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(mouse.SetFeature(nine.data(), nine.size()));
  std::array<std::uint8_t, 9> reply9{};
  EXPECT_FALSE(mouse.GetFeature(reply9.data(), reply9.size()));
  EXPECT_TRUE(mouse.Transcript().empty());

  // A mouse that declares nine-byte reports answers only nine-byte ones.
  mouse.identity.featureLength = 9;
  EXPECT_FALSE(Send(1));
  Packet reply8{};
  EXPECT_FALSE(mouse.GetFeature(reply8.data(), reply8.size()));
  EXPECT_TRUE(mouse.SetFeature(nine.data(), nine.size()));
  EXPECT_TRUE(mouse.GetFeature(reply9.data(), reply9.size()));
  EXPECT_EQ(reply9[1], 0xA5);
  // Too short to hold a packet, even when declared.
  mouse.identity.featureLength = 4;
  EXPECT_FALSE(mouse.SetFeature(nine.data(), 4));
}

TEST_F(MouseTest, TranscriptRecordsBothDirectionsWithClockTime) {
  VirtualClock clock;
  mouse.SetClock(&clock);
  Send(1);
  clock.SleepMs(10);
  Poll();
  clock.SleepMs(5);
  Send(3);
  const auto& transcript = mouse.Transcript();
  ASSERT_EQ(transcript.size(), 3u);
  EXPECT_TRUE(transcript[0].sent);
  EXPECT_FALSE(transcript[1].sent);
  EXPECT_EQ(transcript[1].bytes, (Packet{4, 0xA5, 0, 0, 0, 0, 0, kDone}));
  EXPECT_EQ(transcript[0].timeMs, 0u);
  EXPECT_EQ(transcript[1].timeMs, 10u);
  EXPECT_EQ(transcript[2].timeMs, 15u);
  EXPECT_THAT(mouse.SentCommands(), ElementsAre(1, 3));
  mouse.ClearTranscript();
  EXPECT_TRUE(mouse.Transcript().empty());
}

TEST_F(MouseTest, GarbledRepliesReachTheHostAndTheTranscriptButNotTheFirmware) {
  mouse.garbleReply = [](std::span<std::uint8_t, 8> reply) {
    reply[1] ^= 0xFF;
    reply[7] = 0x33;
  };
  ASSERT_TRUE(Send(1));
  EXPECT_EQ(Poll(), (Packet{4, 0xA5 ^ 0xFF, 0, 0, 0, 0, 0, 0x33}));
  EXPECT_EQ(mouse.Transcript().back().bytes, (Packet{4, 0xA5 ^ 0xFF, 0, 0, 0, 0, 0, 0x33}));
  // The firmware's own reply is untouched: without the knob it answers as before.
  mouse.garbleReply = nullptr;
  EXPECT_EQ(Poll(), (Packet{4, 0xA5, 0, 0, 0, 0, 0, kDone}));
}

}  // namespace
}  // namespace orbic::sim
