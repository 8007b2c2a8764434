#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroLines.h"
#include "macros/MacroRecord.h"

// Conversions between the text form of a macro and its stored content.
//
// Event bytes: 0x82/0x02 key down/up and 0x81/0x01 modifier down/up (each
// with an operand), 0xA1..0xB0 and 0x21..0x30 mouse-button edges (one byte),
// 0xFB/0xFA pointer X/Y movement, 0xFD repeat start (count - 1), 0xFC repeat
// stop (one byte), 0xFE delay of operand x 8 ms.
namespace orbic::macros {

// The most event bytes each content form holds: stop mode, length, events
// and checksum must all fit.
inline constexpr std::size_t kMaxEventBytes = kContentSize - 3;              // 221
inline constexpr std::size_t kMaxDriverEventBytes = kDriverContentSize - 4;  // 2012

// Longest delay one 0xFE pair holds, and the longest run the decoder merges
// into a single line (five pairs).
inline constexpr int kMaxDelayPairMs = 2040;
inline constexpr int kMaxDelayRunMs = 5 * kMaxDelayPairMs;

// Number of 0xFE pairs a delay line of `ms` becomes: one per whole 2040 ms and
// one more for a remainder, or one for 0 ms.
int DelayPairCount(int ms);

// The event bytes of lines 1 .. end. Nothing, with the reason, for a line
// that is too short to carry an event or whose event digits are not hex.
std::optional<std::vector<std::uint8_t>> MacroEventBytes(const MacroLines& lines,
                                                         std::string* error = nullptr);

struct EncodeResult {
  bool ok = false;
  std::string error;  // why nothing was written
  std::string hex;    // the event bytes as upper-case hex, as written
};

// Writes the lines into `content` with the stop mode, length and checksum.
// A macro that does not fit is refused and `content` is left as it was.
// No events at all clears bytes 0 .. 2 only.
EncodeResult EncodeMacroLines(const MacroLines& lines, StopMode stopMode, Content& content);
EncodeResult EncodeMacroLines(const MacroLines& lines, StopMode stopMode, DriverContent& content);

struct DecodedMacro {
  MacroLines lines;                  // header first
  std::optional<StopMode> stopMode;  // nothing when byte 0 is neither 0 nor 1
  DelayMode delayMode = DelayMode::kNone;
  int defaultDelayMs = 0;  // meaningful with DelayMode::kDefault
  // False when an event this program does not know (or one cut off by the
  // content's end) stopped the walk before the stored length: the lines hold
  // only the events before it, so encoding them again would lose the rest.
  bool complete = true;
};

DecodedMacro DecodeMacroContent(const Content& content);
DecodedMacro DecodeMacroContent(const DriverContent& content);

// Length byte(s) of a content: L = event bytes + 1, 0 for an empty macro.
int ContentLength(const Content& content);
int ContentLength(const DriverContent& content);

}  // namespace orbic::macros
