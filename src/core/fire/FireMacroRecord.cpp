#include "fire/FireMacroRecord.h"

#include <algorithm>
#include <array>

namespace orbic::fire {
namespace {

constexpr std::uint8_t kChecksumKey = 0x5A;

struct EventShape {
  std::uint8_t code;
  std::size_t size;
};
constexpr std::array<EventShape, 7> kEventShapes{{
    {event::kLeftDown, 1},
    {event::kLeftUp, 1},
    {event::kRepeatStop, 1},
    {event::kMoveY, 2},
    {event::kMoveX, 2},
    {event::kRepeatStart, 2},
    {event::kDelay, 2},
}};

}  // namespace

std::optional<std::size_t> EventSize(std::uint8_t code) {
  const auto found = std::find_if(kEventShapes.begin(), kEventShapes.end(),
                                  [code](const EventShape& shape) { return shape.code == code; });
  if (found == kEventShapes.end()) {
    return std::nullopt;
  }
  return found->size;
}

std::optional<std::size_t> UsableLength(const FireMacroRecord& record) {
  const std::uint8_t length = record[record::kLength];
  if (length == 0 || length > record::kMaxLength) {
    return std::nullopt;
  }
  return length;
}

std::uint8_t RecordChecksum(const FireMacroRecord& record, std::size_t length) {
  const std::size_t last = std::min(length, kRecordSize - 2);
  unsigned sum = 0;
  for (std::size_t i = record::kLength; i <= last; ++i) {
    sum += record[i];
  }
  return static_cast<std::uint8_t>((sum & 0xFFu) ^ kChecksumKey);
}

void FireMacroChecksum(FireMacroRecord& record) {
  if (const auto length = UsableLength(record)) {
    record[1 + *length] = RecordChecksum(record, *length);
  }
}

FireMacroParameters ParseFireMacro(const FireMacroRecord& record) {
  FireMacroParameters result;
  const std::uint8_t stop = record[record::kStopMode];
  if (stop != record::kRunToEnd && stop != record::kStopOnRelease) {
    return result;
  }
  result.shown = true;
  result.stopOnRelease = stop == record::kStopOnRelease;
  // Blank memory (0xFF) or a damaged length must not lead the walk into the
  // checksum or beyond the record.
  const std::size_t length = std::min<std::size_t>(record[record::kLength], record::kMaxLength);
  bool ySeen = false;
  std::size_t i = record::kEvents;
  while (i <= length) {
    const std::uint8_t code = record[i];
    const std::optional<std::size_t> size = EventSize(code);
    if (!size || i + *size - 1 > length) {
      break;
    }
    const std::size_t operand = i + 1;
    switch (code) {
      case event::kMoveY:
        result.y = static_cast<std::int8_t>(record[operand]);
        result.positions.y = operand;
        ySeen = true;
        break;
      case event::kMoveX:
        result.x = static_cast<std::int8_t>(record[operand]);
        result.positions.x = operand;
        break;
      case event::kRepeatStart:
        result.count = record[operand] + 1;
        result.positions.count = operand;
        break;
      case event::kDelay:
        if (ySeen) {
          result.intervalMs = record[operand] * event::kMsPerDelayUnit;
          result.positions.interval = operand;
          ySeen = false;
        }
        break;
      default:
        break;
    }
    i += *size;
  }
  return result;
}

}  // namespace orbic::fire
