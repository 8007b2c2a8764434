#include "device/CommandChannel.h"

#include <algorithm>

#include "base/Clock.h"
#include "base/UiHost.h"

namespace orbic::device {

namespace {

CommandPacket MakeRequest(std::uint8_t command, std::uint8_t a1, std::uint8_t a2, std::uint8_t a3,
                          std::uint8_t a4, std::uint8_t a5 = 0, std::uint8_t a6 = 0) {
  return {packet::kReportId, command, a1, a2, a3, a4, a5, a6};
}

// Chip identification byte -> ChipCode.
struct ChipTranslation {
  std::uint8_t chipByte;
  std::uint8_t chipCode;
};
constexpr std::array<ChipTranslation, 3> kChipTranslations{{
    {0x35, 0x90},
    {0x75, 0x99},
    {0xFD, 0x98},
}};

}  // namespace

std::uint8_t TranslateChipCode(std::uint8_t chipByte, std::uint8_t previous) {
  for (const ChipTranslation& entry : kChipTranslations) {
    if (entry.chipByte == chipByte) {
      return entry.chipCode;
    }
  }
  return previous;
}

CommandChannel::CommandChannel(HidBackend& backend, Clock& clock, UiHost& ui)
    : backend_(backend), clock_(clock), ui_(ui) {}

bool CommandChannel::CheckGone() {
  if (backend_.Gone(device_.handle)) {
    goneHandle_ = device_.handle;
    return true;
  }
  return false;
}

// One GetFeature into the packet. A failed read counts as "not done": the
// status position would otherwise still hold the request's byte 7, which for
// command 7 is a data byte and could read as 0xCC.
bool CommandChannel::Poll() {
  if (!backend_.GetFeature(device_.handle, packet_.data(), packet_.size())) {
    packet_[packet::kStatusByte] = 0;
    CheckGone();
  }
  return packet_[packet::kStatusByte] != 0;
}

bool CommandChannel::Transact(const CommandPacket& request, const TransactionTiming& timing) {
  lastAttempts_ = 0;
  if (!IsOpen() || Gone()) {
    return false;
  }
  for (int attempt = 0; attempt < timing.attemptLimit; ++attempt) {
    ++lastAttempts_;
    packet_ = request;
    // Only the status byte decides, unless the device is gone: then no retry
    // can reach it.
    if (!backend_.SetFeature(device_.handle, packet_.data(), packet_.size()) && CheckGone()) {
      return false;
    }
    clock_.SleepMs(timing.settleMs);
    for (int poll = 0; poll < timing.pollLimit; ++poll) {
      if (Poll()) {
        break;
      }
      if (Gone()) {
        return false;
      }
      clock_.SleepMs(timing.pollIntervalMs);
    }
    if (packet_[packet::kStatusByte] == packet::kStatusDone) {
      return true;
    }
  }
  return false;
}

bool CommandChannel::SendCommand(std::uint8_t command, std::uint8_t a1, std::uint8_t a2,
                                 std::uint8_t a3, std::uint8_t a4) {
  const bool answered = Transact(MakeRequest(command, a1, a2, a3, a4), kSendCommandTiming);
  if (command == command::kOpen && answered) {
    exchangeOpen_ = true;
  } else if (command == command::kClose) {
    exchangeOpen_ = false;  // sent: whether it was answered changes nothing more
  }
  return answered;
}

Chunk CommandChannel::ReadChunk() {
  chunkReply_.fill(0xFF);
  Chunk chunk;
  chunk.fill(0xFF);
  if (!Transact(MakeRequest(command::kReadChunk, 0, 0, 0, 0), kReadChunkTiming)) {
    return chunk;
  }
  std::copy(packet_.begin() + 1, packet_.end(), chunkReply_.begin());
  std::copy_n(chunkReply_.begin(), kChunkSize, chunk.begin());
  ui_.PumpEvents();
  return chunk;
}

bool CommandChannel::WriteChunk(const Chunk& data) {
  // The sixth data byte travels in the status position.
  return Transact(
      MakeRequest(command::kWriteChunk, data[0], data[1], data[2], data[3], data[4], data[5]),
      kWriteChunkTiming);
}

template <typename Step>
bool CommandChannel::CleanChunk(std::uint8_t startCommand, std::uint16_t address,
                                std::uint16_t remaining, bool& addressed, const Step& step) {
  for (int attempt = 0; attempt < kChunkTries && !Gone(); ++attempt) {
    if (!addressed) {
      if (!SendCommand(startCommand, address & 0xFF, address >> 8, remaining & 0xFF,
                       remaining >> 8)) {
        continue;
      }
      addressed = true;
    }
    const bool answered = step();
    if (answered && lastAttempts_ == 1) {
      return true;
    }
    // Answered late or not at all: where the mouse's pointer stands is no
    // longer known, so the chunk starts again from a fresh address.
    addressed = false;
  }
  return false;
}

std::size_t CommandChannel::ChunkCount(std::size_t length) {
  return (length + kChunkSize - 1) / kChunkSize;
}

bool CommandChannel::ChunkFailed(int& failedInARow, std::size_t offset, std::size_t length) {
  ++failedChunks_;
  if (!Gone() && ++failedInARow < kGiveUpAfterFailedChunks) {
    return false;
  }
  stoppedAt_ = static_cast<int>(offset);
  failedChunks_ += static_cast<int>(ChunkCount(length) - offset / kChunkSize - 1);
  return true;
}

bool CommandChannel::ReadMemory(std::uint16_t address, std::span<std::uint8_t> destination,
                                bool showProgress) {
  std::fill(destination.begin(), destination.end(), 0xFF);
  failedChunks_ = 0;
  stoppedAt_ = -1;
  const auto length = static_cast<std::uint16_t>(destination.size());
  if (!SendCommand(command::kReadStart, address & 0xFF, address >> 8, length & 0xFF, length >> 8)) {
    return false;
  }
  bool addressed = true;
  int failedInARow = 0;
  for (std::size_t offset = 0; offset < destination.size(); offset += kChunkSize) {
    if (showProgress) {
      ui_.ShowLoadingWindow();
      ui_.PumpEvents();
    }
    Chunk chunk;
    const bool clean =
        CleanChunk(command::kReadStart, static_cast<std::uint16_t>(address + offset),
                   static_cast<std::uint16_t>(length - offset), addressed, [this, &chunk] {
                     chunk = ReadChunk();
                     return chunkReply_[packet::kStatusByte - 1] == packet::kStatusDone;
                   });
    if (clean) {
      failedInARow = 0;
      const std::size_t count = std::min(kChunkSize, destination.size() - offset);
      std::copy_n(chunk.begin(), count, destination.begin() + static_cast<std::ptrdiff_t>(offset));
    } else if (ChunkFailed(failedInARow, offset, destination.size())) {
      break;
    }
    ui_.TransferProgress(false, offset / kChunkSize + 1, ChunkCount(destination.size()));
    ui_.PumpEvents();
  }
  return true;
}

bool CommandChannel::WriteMemory(std::uint16_t address, std::span<const std::uint8_t> source) {
  chunkReply_.fill(0xFF);
  failedChunks_ = 0;
  stoppedAt_ = -1;
  const auto length = static_cast<std::uint16_t>(source.size());
  if (!SendCommand(command::kWriteStart, address & 0xFF, address >> 8, length & 0xFF,
                   length >> 8)) {
    return false;
  }
  bool addressed = true;
  int failedInARow = 0;
  for (std::size_t offset = 0; offset < source.size(); offset += kChunkSize) {
    ui_.ShowLoadingWindow();
    ui_.PumpEvents();
    // Positions past the end of a short last chunk carry 0xFF; the mouse
    // knows the exact length from command 6.
    Chunk chunk;
    chunk.fill(0xFF);
    const std::size_t count = std::min(kChunkSize, source.size() - offset);
    std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(offset), count, chunk.begin());
    ui_.PumpEvents();
    const bool clean =
        CleanChunk(command::kWriteStart, static_cast<std::uint16_t>(address + offset),
                   static_cast<std::uint16_t>(length - offset), addressed,
                   [this, &chunk] { return WriteChunk(chunk); });
    if (clean) {
      failedInARow = 0;
    } else if (ChunkFailed(failedInARow, offset, source.size())) {
      break;
    }
    ui_.TransferProgress(true, offset / kChunkSize + 1, ChunkCount(source.size()));
  }
  return true;
}

std::uint16_t CommandChannel::ReadStatusWord() {
  if (!IsOpen() || Gone()) {
    return 0;
  }
  const CommandPacket request = MakeRequest(command::kStatus, 0, 0, 0, 0);
  for (int attempt = 0; attempt < kStatusWordAttemptLimit; ++attempt) {
    clock_.SleepMs(kStatusWordWaitMs);
    packet_ = request;
    if (!backend_.SetFeature(device_.handle, packet_.data(), packet_.size()) && CheckGone()) {
      return 0;
    }
    for (int poll = 0; poll < kStatusWordPollLimit; ++poll) {
      clock_.SleepMs(kStatusWordWaitMs);
      if (Poll()) {
        break;
      }
      if (Gone()) {
        return 0;
      }
    }
    if (packet_[packet::kStatusByte] == packet::kStatusDone) {
      return static_cast<std::uint16_t>(packet_[5] | (packet_[6] << 8));
    }
  }
  return 0;
}

void CommandChannel::TakeStatusReply() {
  memoryReady_ = (packet_[status_reply::kFlagsByte] & status_reply::kMemoryReadyBit) != 0;
  chipCode_ = TranslateChipCode(packet_[status_reply::kChipByte], chipCode_);
}

}  // namespace orbic::device
