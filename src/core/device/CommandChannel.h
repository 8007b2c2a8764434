#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/HidBackend.h"

namespace orbic {
class Clock;
class UiHost;
}  // namespace orbic

namespace orbic::device {

// The record of the open mouse. The invalid handle means no mouse is open.
struct ConnectedDevice {
  HidHandle handle = kInvalidHandle;
  std::uint32_t vendorId = 0;
  std::uint32_t productId = 0;
  std::uint32_t featureLength = 0;
  std::uint32_t version = 0;
};

// Command codes of the mouse.
namespace command {
inline constexpr std::uint8_t kOpen = 0x01;          // opens an exchange
inline constexpr std::uint8_t kClose = 0x02;         // closes it
inline constexpr std::uint8_t kStatus = 0x03;        // readiness, MemoryReady, chip, buttons
inline constexpr std::uint8_t kReadStart = 0x04;     // address, length
inline constexpr std::uint8_t kReadChunk = 0x05;     // next six bytes
inline constexpr std::uint8_t kWriteStart = 0x06;    // address, length
inline constexpr std::uint8_t kWriteChunk = 0x07;    // six data bytes
inline constexpr std::uint8_t kSystemReload = 0x08;  // sent before every close of a memory exchange
inline constexpr std::uint8_t kLiveState = 0x09;     // driver mode: four live-state bytes
inline constexpr std::uint8_t kDriverId = 0x81;      // driver mode: the filter driver's id
// Arguments of command 3 that ask for the driver-connection status instead.
inline constexpr std::uint8_t kDriverStatusArg1 = 0x5A;
inline constexpr std::uint8_t kDriverStatusArg2 = 0xD9;
}  // namespace command

// The eight-byte feature report: request, and after polling the reply.
namespace packet {
inline constexpr std::size_t kSize = 8;
inline constexpr std::uint8_t kReportId = 4;
inline constexpr std::size_t kCommandByte = 1;
inline constexpr std::size_t kStatusByte = 7;
inline constexpr std::uint8_t kStatusDone = 0xCC;
}  // namespace packet
using CommandPacket = std::array<std::uint8_t, packet::kSize>;

// Reply bytes of a plain command 3.
namespace status_reply {
inline constexpr std::size_t kReadyByte = 1;
inline constexpr std::uint8_t kReady = 0xAA;
inline constexpr std::size_t kFlagsByte = 2;
inline constexpr std::uint8_t kMemoryReadyBit = 0x04;
inline constexpr std::size_t kChipByte = 3;
// Reply of command 3 with (0x5A, 0xD9).
inline constexpr std::uint8_t kAcceptsDriverBit = 0x20;
inline constexpr std::size_t kLedTypeByte = 3;
}  // namespace status_reply

inline constexpr std::size_t kChunkSize = 6;
using Chunk = std::array<std::uint8_t, kChunkSize>;

// Polling pattern of one kind of transaction.
struct TransactionTiming {
  std::uint32_t settleMs;        // wait after SetFeature
  int pollLimit;                 // GetFeature calls per attempt
  std::uint32_t pollIntervalMs;  // wait after a poll that shows status 0
  int attemptLimit;
};
inline constexpr TransactionTiming kSendCommandTiming{10, 5, 10, 5};
inline constexpr TransactionTiming kWriteChunkTiming{10, 5, 5, 5};
inline constexpr TransactionTiming kReadChunkTiming{5, 5, 5, 5};
// Command 3 with longer polling: a 5 ms wait before SetFeature and before every poll.
inline constexpr std::uint32_t kStatusWordWaitMs = 5;
inline constexpr int kStatusWordPollLimit = 10;
inline constexpr int kStatusWordAttemptLimit = 10;

// A chunk answered only after a retry may have been carried out twice (the
// mouse did it and only the acknowledgement was lost), moving the mouse's
// address pointer on. Such a chunk is addressed again and repeated, up to
// this many times, before it counts as failed.
inline constexpr int kChunkTries = 6;
// A transfer whose chunks fail this many times in a row has lost the mouse:
// it stops instead of spending every remaining chunk's retries.
inline constexpr int kGiveUpAfterFailedChunks = 3;

// ChipCode from byte 3 of the command-3 reply; other values leave it unchanged.
std::uint8_t TranslateChipCode(std::uint8_t chipByte, std::uint8_t previous);
inline constexpr std::uint8_t kChipCodeFullAccess = 0x98;

// The one channel to the mouse: eight-byte feature reports, each polled until
// the mouse marks it done. Synchronous; one operation at a time (UI thread).
class CommandChannel {
 public:
  CommandChannel(HidBackend& backend, Clock& clock, UiHost& ui);

  ConnectedDevice& Device() { return device_; }
  const ConnectedDevice& Device() const { return device_; }
  bool IsOpen() const { return device_.handle != kInvalidHandle; }
  // The open handle's device vanished (unplugged): every operation on it
  // fails at once, without retries, until another handle is opened.
  bool Gone() const { return IsOpen() && device_.handle == goneHandle_; }
  // Command 1 was answered and command 2 not sent since.
  bool ExchangeOpen() const { return IsOpen() && exchangeOpen_; }

  bool SendCommand(std::uint8_t command, std::uint8_t a1 = 0, std::uint8_t a2 = 0,
                   std::uint8_t a3 = 0, std::uint8_t a4 = 0);
  Chunk ReadChunk();
  bool WriteChunk(const Chunk& data);
  // Command 4 then chunk reads; the destination's size is the length.
  // False only when command 4 was not acknowledged; failed chunks stay 0xFF.
  // A chunk answered only after a retry is read again from a fresh command 4.
  bool ReadMemory(std::uint16_t address, std::span<std::uint8_t> destination, bool showProgress);
  // Command 6 then chunk writes, with the loading window. False only when
  // command 6 was not acknowledged. A chunk acknowledged only after a retry is
  // written again from a fresh command 6.
  bool WriteMemory(std::uint16_t address, std::span<const std::uint8_t> source);
  // Command 3 with longer polling: reply byte 5 + 256 x byte 6, or 0.
  std::uint16_t ReadStatusWord();

  // Command 8.
  bool SystemReloadCmd_OnClick() { return SendCommand(command::kSystemReload); }

  // Clears MemoryReady (after command 1), and takes MemoryReady and ChipCode
  // from the command-3 reply now in the packet.
  void ClearMemoryReady() { memoryReady_ = false; }
  void TakeStatusReply();
  bool MemoryReady() const { return memoryReady_; }
  std::uint8_t ChipCode() const { return chipCode_; }
  void SetChipCode(std::uint8_t code) { chipCode_ = code; }

  const CommandPacket& Packet() const { return packet_; }
  // Reply byte n (1..7) of the last transaction.
  std::uint8_t Reply(std::size_t n) const { return packet_[n]; }
  const std::array<std::uint8_t, 7>& ChunkReply() const { return chunkReply_; }
  // Chunks of the last ReadMemory/WriteMemory that were never acknowledged.
  // The transfer's result does not show them; callers that must not take a
  // partial image as the mouse's (the initial read) look here.
  int FailedChunks() const { return failedChunks_; }
  // Whether the last transfer stopped early (the mouse stopped answering or
  // vanished); its remaining chunks count as failed.
  bool Stopped() const { return stoppedAt_ >= 0; }
  // Byte offset into the last transfer where it stopped, -1 when it ran to the end.
  int StoppedAt() const { return stoppedAt_; }

 private:
  bool Transact(const CommandPacket& request, const TransactionTiming& timing);
  bool Poll();
  // After a failed SetFeature or GetFeature: marks the handle gone when the
  // backend says its device vanished.
  bool CheckGone();
  // One chunk of a transfer at `offset`: repeated from a fresh start command
  // while it is answered only after a retry. True when answered cleanly.
  template <typename Step>
  bool CleanChunk(std::uint8_t startCommand, std::uint16_t address, std::uint16_t remaining,
                  bool& addressed, const Step& step);
  static std::size_t ChunkCount(std::size_t length);
  // Counts a failed chunk; true when the transfer must stop.
  bool ChunkFailed(int& failedInARow, std::size_t offset, std::size_t length);

  HidBackend& backend_;
  Clock& clock_;
  UiHost& ui_;
  ConnectedDevice device_;
  CommandPacket packet_{};
  std::array<std::uint8_t, 7> chunkReply_{};
  bool memoryReady_ = false;
  std::uint8_t chipCode_ = 0;
  int failedChunks_ = 0;
  int stoppedAt_ = -1;
  int lastAttempts_ = 0;  // attempts the last transaction took
  HidHandle goneHandle_ = kInvalidHandle;
  bool exchangeOpen_ = false;
};

}  // namespace orbic::device
