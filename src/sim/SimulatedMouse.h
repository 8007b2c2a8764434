#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "base/Clock.h"

namespace orbic::sim {

inline constexpr std::size_t kMouseMemorySize = 2048;

// What the HID layer sees of the mouse.
struct MouseIdentity {
  std::uint16_t vendorId = 0x1BCF;
  std::uint16_t productId = 0x08A0;
  std::uint16_t version = 0x0104;
  std::size_t featureLength = 8;
};

// The firmware's own state.
struct MouseFirmware {
  std::array<std::uint8_t, kMouseMemorySize> memory{};
  std::uint8_t cmd1Reply = 0xA5;            // 0xA5, or 0xA6 when a driver connection is possible
  std::uint8_t readyByte = 0xAA;            // command-3 reply byte 1
  bool memoryReady = true;                  // command-3 reply byte 2 bit 2
  std::uint8_t chipByte = 0xFD;             // command-3 reply byte 3 (ChipCode 0x98)
  bool acceptsDriver = true;                // reply byte 2 bit 5 of command 3 (0x5A, 0xD9)
  std::uint8_t ledTypeByte = 0xC0;          // reply byte 3 of command 3 (0x5A, 0xD9): MCU LED
  std::uint16_t driverId = 0x1234;          // command 0x81
  std::uint16_t buttonState = 0;            // command-3 reply bytes 5..6
  std::array<std::uint8_t, 4> liveState{};  // last command 9
  int systemReloads = 0;                    // command 8 count
};

// Ways to make the mouse misbehave.
struct MouseFaults {
  int ackPolls = 0;                 // polls that show status 0 before 0xCC
  int dropAckPercent = 0;           // share of requests silently lost
  int lostAckPercent = 0;           // share of requests carried out whose acknowledgement is lost
  std::set<std::uint8_t> neverAck;  // commands never acknowledged
  bool neverAnswer = false;         // no request is ever acknowledged
  std::map<std::uint16_t, std::uint8_t> stuck;      // address -> value it always holds
  std::map<std::uint16_t, int> flaky;               // address -> writes lost before one takes
  std::optional<std::uint64_t> unplugAfterPackets;  // vanish after this many packets
  std::uint32_t seed = 1;                           // for dropAckPercent
};

// Buttons held down on the mouse from `fromMs` until before `toMs` (clock
// time), as the command-3 reply reports them during the button test.
struct ButtonPress {
  std::uint64_t fromMs;
  std::uint64_t toMs;
  std::uint16_t buttons;
};

struct TranscriptEntry {
  bool sent;  // true: host -> mouse (SetFeature); false: mouse -> host (GetFeature)
  std::array<std::uint8_t, 8> bytes;
  std::uint64_t timeMs;
};

// The firmware model behind the feature reports: report id 4, commands
// 1, 2, 3 (plain and 0x5A 0xD9), 4/5 chunked reads, 6/7 chunked writes, 8, 9, 0x81.
class SimulatedMouse {
 public:
  SimulatedMouse();

  MouseIdentity identity;
  MouseFirmware firmware;
  MouseFaults faults;
  bool unplugged = false;
  // When set, sees every reply just before the host gets it and may change
  // its bytes, so the host's handling of damaged replies can be exercised
  // (the fuzzers feed it). The transcript holds the reply as changed.
  std::function<void(std::span<std::uint8_t, 8>)> garbleReply;
  // Presses on top of firmware.buttonState, by the clock below.
  std::vector<ButtonPress> presses;
  std::uint16_t ButtonsDown() const;

  // Timestamps in the transcript come from this clock when set.
  void SetClock(orbic::Clock* clock) { clock_ = clock; }

  bool SetFeature(const std::uint8_t* report, std::size_t length);
  bool GetFeature(std::uint8_t* report, std::size_t length);

  const std::vector<TranscriptEntry>& Transcript() const { return transcript_; }
  void ClearTranscript() { transcript_.clear(); }
  // Commands of the SetFeature requests in order, for compact assertions.
  std::vector<std::uint8_t> SentCommands() const;
  std::uint64_t PacketCount() const { return packets_; }

 private:
  void Execute(const std::array<std::uint8_t, 8>& request);
  bool Dropped(std::uint8_t command);
  bool Chance(int percent, std::uint64_t salt) const;
  void CountPacket();
  std::uint8_t ReadByte(std::size_t address) const;
  void WriteByte(std::size_t address, std::uint8_t value);
  std::uint64_t Now() const { return clock_ ? clock_->NowMs() : 0; }

  orbic::Clock* clock_ = nullptr;
  std::vector<TranscriptEntry> transcript_;
  std::uint64_t packets_ = 0;

  std::array<std::uint8_t, 8> reply_{};
  bool acknowledged_ = false;
  int pollsLeft_ = 0;

  std::size_t readAddress_ = 0;
  std::size_t readRemaining_ = 0;
  std::size_t writeAddress_ = 0;
  std::size_t writeRemaining_ = 0;
};

}  // namespace orbic::sim
