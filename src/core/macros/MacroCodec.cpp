#include "macros/MacroCodec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <span>
#include <string_view>

#include "base/HexText.h"
#include "keys/VirtualKeys.h"

namespace orbic::macros {

namespace {

namespace opcode {
constexpr std::uint8_t kKeyDown = 0x82;
constexpr std::uint8_t kKeyUp = 0x02;
constexpr std::uint8_t kModifierDown = 0x81;
constexpr std::uint8_t kModifierUp = 0x01;
constexpr std::uint8_t kMoveX = 0xFB;
constexpr std::uint8_t kMoveY = 0xFA;
constexpr std::uint8_t kRepeatStart = 0xFD;
constexpr std::uint8_t kRepeatStop = 0xFC;
constexpr std::uint8_t kDelay = 0xFE;
}  // namespace opcode

constexpr int kMsPerDelayUnit = 8;
constexpr std::uint8_t kChecksumKey = 0x5A;
constexpr std::size_t kDelayLinesForHeader = 4;

// One-byte mouse-button events and the lines that stand for them.
struct ButtonEvent {
  std::uint8_t code;
  std::string_view line;
};
constexpr std::array<ButtonEvent, 10> kButtonEvents{{
    {0xA1, "1 LeftKey CODE:00A1"},
    {0xA2, "1 RightKey CODE:00A2"},
    {0xA4, "1 MiddleKey CODE:00A4"},
    {0xA8, "1 Forward CODE:00A8"},
    {0xB0, "1 Backward CODE:00B0"},
    {0x21, "2 LeftKey CODE:0021"},
    {0x22, "2 RightKey CODE:0022"},
    {0x24, "2 MiddleKey CODE:0024"},
    {0x28, "2 Forward CODE:0028"},
    {0x30, "2 Backward CODE:0030"},
}};

// Bits of the keyboard modifier byte. The right-hand Ctrl, Shift and Alt are
// never recorded but may come from a file; they get names so the line
// round-trips instead of ending the macro.
struct ModifierName {
  std::uint8_t bit;
  std::string_view name;
};
constexpr std::array<ModifierName, 8> kModifierNames{{
    {0x01, "Ctrl"},
    {0x02, "Shift"},
    {0x04, "Alt"},
    {0x08, "Left Windows"},
    {0x10, "Right Ctrl"},
    {0x20, "Right Shift"},
    {0x40, "Right Alt"},
    {0x80, "Right Windows"},
}};

// Key bytes of the modifier keys, which the key table leaves to the modifier
// events.
constexpr std::array<std::string_view, 8> kModifierKeyNames{
    "Left Ctrl", "Left Shift", "Left Alt", "Win", "Right Ctrl", "Right Shift", "Right Alt", "Win"};

std::string ModifierLineName(std::uint8_t bits) {
  for (const ModifierName& modifier : kModifierNames) {
    if (modifier.bit == bits) {
      return std::string(modifier.name);
    }
  }
  return "Modifiers " + HexByte(bits);
}

std::string KeyLineName(std::uint8_t code) {
  if (code >= 0xE0 && code <= 0xE7) {
    return std::string(kModifierKeyNames[code - 0xE0]);
  }
  for (const keys::VirtualKey& key : keys::VirtualKeys()) {
    if (key.usage == code && code != 0) {
      return keys::KeyNameForVirtualKey(key.code);
    }
  }
  return {};
}

// The milliseconds after a delay line's "0 ": decimal digits and nothing else,
// so "0 40abc" is not taken for 40. Values beyond int are clamped so a corrupt
// line cannot overflow.
std::optional<int> DelayLineMs(const std::string& line) {
  if (line.size() <= 2 || line[1] != ' ') {
    return std::nullopt;
  }
  const std::string_view digits = std::string_view(line).substr(2);
  unsigned long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (end != digits.data() + digits.size() || digits.front() < '0' || digits.front() > '9') {
    return std::nullopt;
  }
  if (error == std::errc::result_out_of_range) {
    return 1'000'000'000;
  }
  return static_cast<int>(std::min<unsigned long long>(value, 1'000'000'000));
}

void AppendDelay(std::vector<std::uint8_t>& bytes, int ms) {
  for (int whole = ms / kMaxDelayPairMs; whole > 0; --whole) {
    bytes.push_back(opcode::kDelay);
    bytes.push_back(0xFF);
  }
  const int rest = ms % kMaxDelayPairMs;
  if (rest > 0 || ms == 0) {
    bytes.push_back(opcode::kDelay);
    bytes.push_back(static_cast<std::uint8_t>(rest / kMsPerDelayUnit));
  }
}

std::uint8_t Checksum(std::span<const std::uint8_t> bytes) {
  std::uint8_t sum = 0;
  for (std::uint8_t byte : bytes) {
    sum = static_cast<std::uint8_t>(sum + byte);
  }
  return static_cast<std::uint8_t>(sum ^ kChecksumKey);
}

std::string HexString(const std::vector<std::uint8_t>& bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (std::uint8_t byte : bytes) {
    hex += HexByte(byte);
  }
  return hex;
}

// Encoding shared by both forms: `lengthBytes` is 1 or 2.
template <std::size_t Size>
EncodeResult Encode(const MacroLines& lines, StopMode stopMode,
                    std::array<std::uint8_t, Size>& content, std::size_t lengthBytes,
                    std::size_t maxEvents) {
  EncodeResult result;
  const auto events = MacroEventBytes(lines, &result.error);
  if (!events) {
    return result;
  }
  if (events->size() > maxEvents) {
    result.error = "the macro holds " + std::to_string(events->size()) +
                   " event bytes; the most that fit are " + std::to_string(maxEvents);
    return result;
  }
  result.ok = true;
  result.hex = HexString(*events);
  if (events->empty()) {
    content[0] = content[1] = content[2] = 0;
    return result;
  }
  content.fill(0);
  const std::size_t length = events->size() + 1;
  content[0] = static_cast<std::uint8_t>(stopMode);
  if (lengthBytes == 2) {
    content[1] = static_cast<std::uint8_t>(length >> 8);
    content[2] = static_cast<std::uint8_t>(length & 0xFF);
  } else {
    content[1] = static_cast<std::uint8_t>(length);
  }
  std::copy(events->begin(), events->end(), content.begin() + 1 + lengthBytes);
  // The sum runs over the L bytes from offset 1: for the long form that is
  // the two length bytes and every event byte but the last, as the driver
  // checks it.
  content[lengthBytes + length] = Checksum(std::span(content).subspan(1, length));
  return result;
}

// Walks the events at offsets first .. last (inclusive) of `content`.
DecodedMacro Decode(std::span<const std::uint8_t> content, std::size_t first, std::size_t last) {
  DecodedMacro decoded;
  if (content[0] == 0) {
    decoded.stopMode = StopMode::kAfterMacroIsOver;
  } else if (content[0] == 1) {
    decoded.stopMode = StopMode::kUntilKeyRelease;
  }
  decoded.lines.push_back("00");
  std::vector<int> delays;
  last = std::min(last, content.size() - 1);
  std::size_t at = first;
  // An operand may sit one past the walk's end (where the checksum is), but
  // never past the content.
  const auto operandAt = [&](std::size_t offset) -> std::optional<std::uint8_t> {
    if (offset + 1 >= content.size()) {
      return std::nullopt;
    }
    return content[offset + 1];
  };
  while (at <= last) {
    const std::uint8_t code = content[at];
    const auto button =
        std::find_if(kButtonEvents.begin(), kButtonEvents.end(),
                     [code](const ButtonEvent& event) { return event.code == code; });
    if (button != kButtonEvents.end()) {
      decoded.lines.emplace_back(button->line);
      ++at;
      continue;
    }
    if (code == opcode::kRepeatStop) {
      decoded.lines.emplace_back("8 00FC");
      ++at;
      continue;
    }
    const auto operand = operandAt(at);
    if (!operand) {
      decoded.complete = false;
      break;
    }
    switch (code) {
      case opcode::kKeyDown:
      case opcode::kKeyUp:
        decoded.lines.push_back(std::string(code == opcode::kKeyDown ? "1 " : "2 ") +
                                KeyLineName(*operand) + " CODE:" + HexByte(code) +
                                HexByte(*operand));
        break;
      case opcode::kModifierDown:
      case opcode::kModifierUp:
        decoded.lines.push_back(std::string(code == opcode::kModifierDown ? "1 " : "2 ") +
                                ModifierLineName(*operand) + " CODE:" + HexByte(code) +
                                HexByte(*operand));
        break;
      case opcode::kMoveX:
        decoded.lines.push_back(std::string(*operand < 0x80 ? "3 FB" : "4 FB") + HexByte(*operand));
        break;
      case opcode::kMoveY:
        decoded.lines.push_back(std::string(*operand < 0x80 ? "5 FA" : "6 FA") + HexByte(*operand));
        break;
      case opcode::kRepeatStart:
        decoded.lines.push_back("7 FD" + HexByte(*operand));
        break;
      case opcode::kDelay: {
        int ms = *operand * kMsPerDelayUnit;
        std::size_t pairs = 1;
        while (pairs < 5 && at + 2 * pairs <= last && content[at + 2 * pairs] == opcode::kDelay) {
          const auto next = operandAt(at + 2 * pairs);
          if (!next) {
            break;
          }
          ms += *next * kMsPerDelayUnit;
          ++pairs;
        }
        decoded.lines.push_back("0 " + std::to_string(ms));
        delays.push_back(ms);
        at += 2 * pairs;
        continue;
      }
      default:
        decoded.complete = false;
        at = last + 1;  // an event this program does not know ends the macro
        continue;
    }
    at += 2;
  }
  delays.resize(std::max(delays.size(), kDelayLinesForHeader), 0);
  const bool allEqual = std::all_of(delays.begin(), delays.begin() + kDelayLinesForHeader,
                                    [&](int ms) { return ms == delays[0]; });
  if (allEqual && delays[0] == 0) {
    decoded.lines[0] = "00";
    decoded.delayMode = DelayMode::kNone;
  } else if (allEqual) {
    decoded.lines[0] = "01" + std::to_string(delays[0]);
    decoded.delayMode = DelayMode::kDefault;
    decoded.defaultDelayMs = delays[0];
  } else {
    decoded.lines[0] = "10";
    decoded.delayMode = DelayMode::kRecord;
  }
  return decoded;
}

}  // namespace

int DelayPairCount(int ms) {
  if (ms <= 0) {
    return 1;
  }
  return ms / kMaxDelayPairMs + (ms % kMaxDelayPairMs > 0 ? 1 : 0);
}

std::optional<std::vector<std::uint8_t>> MacroEventBytes(const MacroLines& lines,
                                                         std::string* error) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const auto fail = [&](const char* what) -> std::optional<std::vector<std::uint8_t>> {
      if (error) {
        *error = "line " + std::to_string(i) + " (\"" + line + "\") " + what;
      }
      return std::nullopt;
    };
    if (!line.empty() && line[0] == '0') {
      const std::optional<int> ms = DelayLineMs(line);
      if (!ms) {
        return fail("is not a delay in whole milliseconds");
      }
      AppendDelay(bytes, *ms);
      continue;
    }
    if (line.size() < 6) {
      return fail("is too short to hold an event");
    }
    const std::string_view digits = std::string_view(line).substr(line.size() - 4);
    const auto high = ParseHexByte(digits.substr(0, 2));
    const auto low = ParseHexByte(digits.substr(2));
    if (!high || !low) {
      return fail("does not end in four hex digits");
    }
    if (*high != 0) {
      bytes.push_back(*high);
    }
    bytes.push_back(*low);
  }
  return bytes;
}

EncodeResult EncodeMacroLines(const MacroLines& lines, StopMode stopMode, Content& content) {
  return Encode(lines, stopMode, content, 1, kMaxEventBytes);
}

EncodeResult EncodeMacroLines(const MacroLines& lines, StopMode stopMode, DriverContent& content) {
  return Encode(lines, stopMode, content, 2, kMaxDriverEventBytes);
}

DecodedMacro DecodeMacroContent(const Content& content) {
  return Decode(content, 2, static_cast<std::size_t>(ContentLength(content)));
}

DecodedMacro DecodeMacroContent(const DriverContent& content) {
  return Decode(content, 3, static_cast<std::size_t>(ContentLength(content)) + 1);
}

int ContentLength(const Content& content) {
  return content[1];
}

int ContentLength(const DriverContent& content) {
  return (content[1] << 8) | content[2];
}

}  // namespace orbic::macros
