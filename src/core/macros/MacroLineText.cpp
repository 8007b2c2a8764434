#include "macros/MacroLineText.h"

#include "base/HexText.h"

#include <algorithm>
#include <cstdint>

namespace orbic::macros {

namespace {

// " CODE:" and the four event digits that end a key line.
constexpr std::size_t kKeyLineTail = 10;
// The type digit and its blank.
constexpr std::size_t kTypePrefix = 2;

enum LineKind : int {
  kDelay = 0,
  kKeyDown = 1,
  kKeyUp = 2,
  kXPositive = 3,
  kXNegative = 4,
  kYPositive = 5,
  kYNegative = 6,
  kRepeatStart = 7,
  kRepeatStop = 8,
};

// The operand: the line's last two hex digits.
std::optional<int> Operand(std::string_view line) {
  if (line.size() < 2) {
    return std::nullopt;
  }
  const std::optional<std::uint8_t> value = ParseHexByte(line.substr(line.size() - 2));
  if (!value) {
    return std::nullopt;
  }
  return *value;
}

std::string WithoutPrefix(std::string_view text) {
  return std::string(text.size() > kTypePrefix ? text.substr(kTypePrefix) : std::string_view{});
}

// The drawn text of a line with a numeric operand; a malformed operand shows
// the line as it stands rather than a made-up number.
std::string OperandText(std::string_view line, std::string_view label, int offset) {
  const auto operand = Operand(line);
  if (!operand) {
    return WithoutPrefix(line);
  }
  return WithoutPrefix(std::string("  ") + std::string(label) + "  " +
                       std::to_string(*operand + offset));
}

}  // namespace

std::optional<int> LineType(std::string_view line) {
  if (line.empty() || line[0] < '0' || line[0] > '8') {
    return std::nullopt;
  }
  return line[0] - '0';
}

std::string KeyNameOfLine(std::string_view line) {
  if (line.size() < kTypePrefix + kKeyLineTail) {
    return {};
  }
  return std::string(line.substr(kTypePrefix, line.size() - kTypePrefix - kKeyLineTail));
}

std::optional<std::string> OtherEdgeLine(std::string_view line) {
  const auto type = LineType(line);
  if (!type || (*type != kKeyDown && *type != kKeyUp) || line.size() < kTypePrefix + kKeyLineTail) {
    return std::nullopt;
  }
  const std::string_view digits = line.substr(line.size() - 4);
  const auto high = ParseHexByte(digits.substr(0, 2));
  const auto low = ParseHexByte(digits.substr(2));
  if (!high || !low) {
    return std::nullopt;
  }
  // Down and up differ in the top bit of the opcode: 0x82/0x02, 0x81/0x01,
  // and for a button (written after "00") 0xA1/0x21 and the like.
  constexpr std::uint8_t kDownBit = 0x80;
  const bool button = *high == 0;
  const std::uint8_t opcode = button ? *low : *high;
  std::string other(line);
  other[0] = *type == kKeyDown ? '2' : '1';
  const std::string flipped = HexByte(static_cast<std::uint8_t>(opcode ^ kDownBit));
  other.replace(other.size() - (button ? 2 : 4), 2, flipped);
  return other;
}

MacroLineText EventListText(std::string_view line) {
  const auto type = LineType(line);
  if (!type) {
    return {WithoutPrefix(line), -1};
  }
  std::string text;
  switch (*type) {
    case kDelay:
      text = WithoutPrefix(std::string(line) + " ms");
      break;
    case kKeyDown:
    case kKeyUp:
      text = KeyNameOfLine(line);
      break;
    case kXPositive:
      text = OperandText(line, "X-Axis", 0);
      break;
    case kXNegative:
      text = OperandText(line, "X-Axis", -256);
      break;
    case kYPositive:
      text = OperandText(line, "Y-Axis", 0);
      break;
    case kYNegative:
      text = OperandText(line, "Y-Axis", -256);
      break;
    case kRepeatStart:
      text = OperandText(line, "Rep-Start", 1);
      break;
    default:
      text = "Rep-Stop";
      break;
  }
  return {text, *type};
}

std::string DelayLine(int ms) {
  return "0 " + std::to_string(ms);
}

std::string MovementLine(MovementAxis axis, int value) {
  value = std::clamp(value, kMinMovement, kMaxMovement);
  const bool x = axis == MovementAxis::kX;
  const char* prefix = value >= 0 ? (x ? "3 FB" : "5 FA") : (x ? "4 FB" : "6 FA");
  return prefix + HexByte(static_cast<std::uint8_t>(value & 0xFF));
}

std::string RepeatStartLine(int count) {
  count = std::clamp(count, kMinRepeatCount, kMaxRepeatCount);
  return "7 FD" + HexByte(static_cast<std::uint8_t>(count - 1));
}

}  // namespace orbic::macros
