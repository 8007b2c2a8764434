#include "ui/UnicodeText.h"

namespace orbic::ui {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateEnd = 0xE000;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsHighSurrogate(char32_t unit) {
  return unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= kLowSurrogateFirst && unit < kSurrogateEnd;
}

// Lead-byte classes of UTF-8: sequence length and the smallest code point that
// length may encode (anything below is an overlong form).
struct Utf8Lead {
  std::size_t length;
  char32_t minimum;
  std::uint8_t payloadMask;
};

Utf8Lead ClassifyLead(std::uint8_t byte) {
  if (byte < 0x80) {
    return {1, 0, 0x7F};
  }
  if ((byte & 0xE0) == 0xC0) {
    return {2, 0x80, 0x1F};
  }
  if ((byte & 0xF0) == 0xE0) {
    return {3, 0x800, 0x0F};
  }
  if ((byte & 0xF8) == 0xF0) {
    return {4, 0x10000, 0x07};
  }
  return {0, 0, 0};  // a continuation byte or 0xF8..0xFF cannot start a character
}

}  // namespace

void AppendUtf8(char32_t codePoint, std::string& out) {
  if (codePoint > kLastCodePoint ||
      (codePoint >= kHighSurrogateFirst && codePoint < kSurrogateEnd)) {
    codePoint = kReplacement;
  }
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

DecodedText DecodeUtf16Le(std::span<const std::uint8_t> bytes) {
  DecodedText result;
  const std::size_t unitCount = bytes.size() / 2;
  result.oddTrailingByte = bytes.size() % 2 != 0;
  result.utf8.reserve(unitCount);
  const auto unitAt = [&](std::size_t index) {
    return static_cast<char32_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
  };
  for (std::size_t i = 0; i < unitCount; ++i) {
    const char32_t unit = unitAt(i);
    if (IsHighSurrogate(unit) && i + 1 < unitCount && IsLowSurrogate(unitAt(i + 1))) {
      const char32_t low = unitAt(++i);
      AppendUtf8(0x10000 + ((unit - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst),
                 result.utf8);
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(kReplacement, result.utf8);
      ++result.replacements;
    } else {
      AppendUtf8(unit, result.utf8);
    }
  }
  return result;
}

DecodedText DecodeUtf8(std::span<const std::uint8_t> bytes) {
  DecodedText result;
  result.utf8.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const Utf8Lead lead = ClassifyLead(bytes[i]);
    bool valid = lead.length != 0 && i + lead.length <= bytes.size();
    char32_t codePoint = valid ? static_cast<char32_t>(bytes[i] & lead.payloadMask) : 0;
    for (std::size_t k = 1; valid && k < lead.length; ++k) {
      const std::uint8_t next = bytes[i + k];
      valid = (next & 0xC0) == 0x80;
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    valid = valid && codePoint >= lead.minimum && codePoint <= kLastCodePoint &&
            !(codePoint >= kHighSurrogateFirst && codePoint < kSurrogateEnd);
    if (!valid) {
      // Skip one byte only, so a damaged sequence cannot swallow the characters after it.
      AppendUtf8(kReplacement, result.utf8);
      ++result.replacements;
      ++i;
      continue;
    }
    result.utf8.append(reinterpret_cast<const char*>(bytes.data() + i), lead.length);
    i += lead.length;
  }
  return result;
}

std::optional<std::u32string> Utf8CodePoints(std::string_view utf8) {
  std::u32string points;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[at]);
    int extra = 0;
    char32_t point = 0;
    if (lead < 0x80) {
      point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      point = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (at + static_cast<std::size_t>(extra) >= utf8.size()) {
      return std::nullopt;  // cut off in the middle of a character
    }
    for (int i = 1; i <= extra; ++i) {
      const auto next = static_cast<std::uint8_t>(utf8[at + static_cast<std::size_t>(i)]);
      if ((next & 0xC0) != 0x80) {
        return std::nullopt;
      }
      point = (point << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[extra] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
      return std::nullopt;  // overlong, out of range or a surrogate
    }
    points.push_back(point);
    at += static_cast<std::size_t>(extra) + 1;
  }
  return points;
}

}  // namespace orbic::ui
