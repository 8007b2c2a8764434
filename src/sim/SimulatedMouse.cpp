#include "sim/SimulatedMouse.h"

#include <algorithm>

namespace orbic::sim {

namespace {

constexpr std::uint8_t kReportId = 4;
constexpr std::uint8_t kStatusDone = 0xCC;
constexpr std::size_t kChunk = 6;

// A fixed mix of the seed and the packet number: the same faults every run.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

}  // namespace

SimulatedMouse::SimulatedMouse() = default;

std::vector<std::uint8_t> SimulatedMouse::SentCommands() const {
  std::vector<std::uint8_t> commands;
  for (const TranscriptEntry& entry : transcript_) {
    if (entry.sent) {
      commands.push_back(entry.bytes[1]);
    }
  }
  return commands;
}

void SimulatedMouse::CountPacket() {
  ++packets_;
  if (faults.unplugAfterPackets && packets_ >= *faults.unplugAfterPackets) {
    unplugged = true;
  }
}

bool SimulatedMouse::Dropped(std::uint8_t command) {
  if (faults.neverAnswer || faults.neverAck.contains(command)) {
    return true;
  }
  return Chance(faults.dropAckPercent, 0);
}

bool SimulatedMouse::Chance(int percent, std::uint64_t salt) const {
  if (percent <= 0) {
    return false;
  }
  return static_cast<int>(Mix((std::uint64_t{faults.seed} << 32) ^ packets_ ^ (salt << 56)) % 100) <
         percent;
}

bool SimulatedMouse::SetFeature(const std::uint8_t* report, std::size_t length) {
  if (unplugged || length != identity.featureLength || length < 8 || report[0] != kReportId) {
    return false;
  }
  std::array<std::uint8_t, 8> request;
  std::copy_n(report, 8, request.begin());
  transcript_.push_back({true, request, Now()});
  CountPacket();
  reply_ = request;
  reply_[7] = 0;
  acknowledged_ = !Dropped(request[1]);
  pollsLeft_ = faults.ackPolls;
  // A lost request is not executed, so a retry does not repeat its effect.
  if (acknowledged_) {
    Execute(request);
    // Carried out, but the acknowledgement never shows: a retry repeats it.
    if (Chance(faults.lostAckPercent, 1)) {
      acknowledged_ = false;
    }
  }
  return true;
}

bool SimulatedMouse::GetFeature(std::uint8_t* report, std::size_t length) {
  if (unplugged || length != identity.featureLength || length < 8) {
    return false;
  }
  std::array<std::uint8_t, 8> answer = reply_;
  if (acknowledged_ && pollsLeft_ == 0) {
    answer[7] = kStatusDone;
  } else {
    answer[7] = 0;
    if (pollsLeft_ > 0) {
      --pollsLeft_;
    }
  }
  if (garbleReply) {
    garbleReply(answer);
  }
  std::copy(answer.begin(), answer.end(), report);
  transcript_.push_back({false, answer, Now()});
  CountPacket();
  return true;
}

std::uint8_t SimulatedMouse::ReadByte(std::size_t address) const {
  if (address >= kMouseMemorySize) {
    return 0xFF;
  }
  if (auto it = faults.stuck.find(static_cast<std::uint16_t>(address)); it != faults.stuck.end()) {
    return it->second;
  }
  return firmware.memory[address];
}

void SimulatedMouse::WriteByte(std::size_t address, std::uint8_t value) {
  if (address >= kMouseMemorySize) {
    return;
  }
  if (auto it = faults.flaky.find(static_cast<std::uint16_t>(address));
      it != faults.flaky.end() && it->second > 0) {
    --it->second;
    return;
  }
  firmware.memory[address] = value;
}

std::uint16_t SimulatedMouse::ButtonsDown() const {
  std::uint16_t down = firmware.buttonState;
  const std::uint64_t now = Now();
  for (const ButtonPress& press : presses) {
    if (now >= press.fromMs && now < press.toMs) {
      down |= press.buttons;
    }
  }
  return down;
}

void SimulatedMouse::Execute(const std::array<std::uint8_t, 8>& request) {
  const std::uint8_t command = request[1];
  const std::size_t address = request[2] | (request[3] << 8);
  const std::size_t length = request[4] | (request[5] << 8);
  switch (command) {
    case 0x01:
      reply_[1] = firmware.cmd1Reply;
      break;
    case 0x03:
      if (request[2] == 0x5A && request[3] == 0xD9) {
        reply_[2] = firmware.acceptsDriver ? 0x20 : 0x00;
        reply_[3] = firmware.ledTypeByte;
      } else {
        reply_[1] = firmware.readyByte;
        reply_[2] = firmware.memoryReady ? 0x04 : 0x00;
        reply_[3] = firmware.chipByte;
        reply_[4] = 0;
        reply_[5] = static_cast<std::uint8_t>(ButtonsDown() & 0xFF);
        reply_[6] = static_cast<std::uint8_t>(ButtonsDown() >> 8);
      }
      break;
    case 0x04:
      readAddress_ = address;
      readRemaining_ = length;
      break;
    case 0x05:
      for (std::size_t i = 0; i < kChunk; ++i) {
        reply_[1 + i] = i < readRemaining_ ? ReadByte(readAddress_ + i) : 0xFF;
      }
      readAddress_ += std::min(kChunk, readRemaining_);
      readRemaining_ -= std::min(kChunk, readRemaining_);
      break;
    case 0x06:
      writeAddress_ = address;
      writeRemaining_ = length;
      break;
    case 0x07: {
      const std::size_t count = std::min(kChunk, writeRemaining_);
      for (std::size_t i = 0; i < count; ++i) {
        WriteByte(writeAddress_ + i, request[2 + i]);
      }
      writeAddress_ += count;
      writeRemaining_ -= count;
      break;
    }
    case 0x08:
      ++firmware.systemReloads;
      break;
    case 0x09:
      std::copy_n(request.begin() + 2, 4, firmware.liveState.begin());
      break;
    case 0x81:
      reply_[1] = static_cast<std::uint8_t>(firmware.driverId >> 8);
      reply_[2] = static_cast<std::uint8_t>(firmware.driverId & 0xFF);
      break;
    default:
      break;
  }
}

}  // namespace orbic::sim
