#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// One 24-byte fire macro as the mouse stores it: stop mode, length byte L
// (event bytes + 1), the events and a checksum over the L bytes from offset 1.
namespace orbic::fire {

inline constexpr std::size_t kRecordSize = 24;
inline constexpr int kFireMacroCount = 10;
using FireMacroRecord = std::array<std::uint8_t, kRecordSize>;

namespace record {
inline constexpr std::size_t kStopMode = 0;
inline constexpr std::size_t kLength = 1;
inline constexpr std::size_t kEvents = 2;
// Stop mode, length and checksum leave 21 bytes for events; L is at most 22.
inline constexpr std::size_t kMaxEventBytes = kRecordSize - 3;
inline constexpr std::uint8_t kMaxLength = kMaxEventBytes + 1;
inline constexpr std::uint8_t kRunToEnd = 0;
inline constexpr std::uint8_t kStopOnRelease = 1;
}  // namespace record

// Event bytes a fire macro uses. Every other byte is unknown to the parse.
namespace event {
inline constexpr std::uint8_t kLeftDown = 0xA1;
inline constexpr std::uint8_t kLeftUp = 0x21;
inline constexpr std::uint8_t kRepeatStop = 0xFC;
inline constexpr std::uint8_t kMoveY = 0xFA;
inline constexpr std::uint8_t kMoveX = 0xFB;
inline constexpr std::uint8_t kRepeatStart = 0xFD;  // operand: shot count - 1
inline constexpr std::uint8_t kDelay = 0xFE;        // operand: ms / 8
inline constexpr int kMsPerDelayUnit = 8;
}  // namespace event

// The number of event bytes an event starting with `code` takes, with its
// operand; nothing for a byte that is no fire macro event.
std::optional<std::size_t> EventSize(std::uint8_t code);

// The length byte when it describes events that fit the record, else nothing
// (0 is an empty record, 0xFF blank memory).
std::optional<std::size_t> UsableLength(const FireMacroRecord& record);

// (r[1] + ... + r[L]) mod 256, XOR 0x5A. Byte 0 is not covered.
std::uint8_t RecordChecksum(const FireMacroRecord& record, std::size_t length);
// Renews the checksum at 1 + L. A record whose L does not fit is left alone,
// so nothing is ever written past its 24 bytes.
void FireMacroChecksum(FireMacroRecord& record);

// Record offsets of the operands the parameter editor shows and edits.
struct ParameterPositions {
  std::optional<std::size_t> count;
  std::optional<std::size_t> x;
  std::optional<std::size_t> y;
  std::optional<std::size_t> interval;
};

// What the parse of one record shows. Values without a position are 0.
struct FireMacroParameters {
  bool shown = false;  // false when byte 0 is neither 0 nor 1
  bool stopOnRelease = false;
  int count = 0;       // 1..256
  int x = 0;           // -128..127
  int y = 0;           // shown as stored, signed
  int intervalMs = 0;  // 0..2040
  ParameterPositions positions;
};

// Walks the events: the last repeat start, X step and Y step win, and the
// interval is the first delay after a Y step. An unknown byte or an operand
// past the length ends the walk, as does the end of the record.
FireMacroParameters ParseFireMacro(const FireMacroRecord& record);

}  // namespace orbic::fire
