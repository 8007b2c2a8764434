#include "macros/MacroRecord.h"

#include <algorithm>
#include <vector>

namespace orbic::macros {

namespace {

// Code points of `utf8`; nothing for malformed text.
std::optional<std::vector<char32_t>> CodePoints(std::string_view utf8) {
  std::vector<char32_t> points;
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

std::vector<std::uint16_t> Utf16Units(const std::vector<char32_t>& points) {
  std::vector<std::uint16_t> units;
  for (char32_t point : points) {
    if (point < 0x10000) {
      units.push_back(static_cast<std::uint16_t>(point));
    } else {
      point -= 0x10000;
      units.push_back(static_cast<std::uint16_t>(0xD800 + (point >> 10)));
      units.push_back(static_cast<std::uint16_t>(0xDC00 + (point & 0x3FF)));
    }
  }
  return units;
}

void AppendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (point >> 18));
    out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

}  // namespace

std::optional<std::size_t> Utf16Length(std::string_view utf8) {
  const auto points = CodePoints(utf8);
  if (!points) {
    return std::nullopt;
  }
  return Utf16Units(*points).size();
}

std::optional<NameField> EncodeName(std::string_view utf8) {
  const auto points = CodePoints(utf8);
  if (!points) {
    return std::nullopt;
  }
  const std::vector<std::uint16_t> units = Utf16Units(*points);
  if (units.size() > kMaxNameUnits || std::find(units.begin(), units.end(), 0) != units.end()) {
    return std::nullopt;
  }
  NameField field{};
  for (std::size_t i = 0; i < units.size(); ++i) {
    field[2 * i] = static_cast<std::uint8_t>(units[i] >> 8);
    field[2 * i + 1] = static_cast<std::uint8_t>(units[i] & 0xFF);
  }
  return field;
}

std::string DecodeName(const NameField& field) {
  std::string name;
  for (std::size_t i = 0; i < kMaxNameUnits; ++i) {
    const auto unit = static_cast<char32_t>((field[2 * i] << 8) | field[2 * i + 1]);
    if (unit == 0) {
      break;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < kMaxNameUnits) {
      const auto low = static_cast<char32_t>((field[2 * i + 2] << 8) | field[2 * i + 3]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(name, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      name += '?';
      continue;
    }
    AppendUtf8(name, unit);
  }
  return name;
}

std::array<std::uint8_t, kRecordSize> MacroRecord::Bytes() const {
  std::array<std::uint8_t, kRecordSize> bytes{};
  std::copy(name.begin(), name.end(), bytes.begin());
  std::copy(content.begin(), content.end(), bytes.begin() + kNameFieldSize);
  return bytes;
}

MacroRecord MacroRecord::FromBytes(std::span<const std::uint8_t> bytes) {
  MacroRecord record;
  std::copy_n(bytes.begin(), kNameFieldSize, record.name.begin());
  std::copy_n(bytes.begin() + kNameFieldSize, kContentSize, record.content.begin());
  return record;
}

std::array<std::uint8_t, kDriverRecordSize> DriverMacroRecord::Bytes() const {
  std::array<std::uint8_t, kDriverRecordSize> bytes{};
  std::copy(name.begin(), name.end(), bytes.begin());
  std::copy(content.begin(), content.end(), bytes.begin() + kNameFieldSize);
  return bytes;
}

DriverMacroRecord DriverMacroRecord::FromBytes(std::span<const std::uint8_t> bytes) {
  DriverMacroRecord record;
  std::copy_n(bytes.begin(), kNameFieldSize, record.name.begin());
  std::copy_n(bytes.begin() + kNameFieldSize, kDriverContentSize, record.content.begin());
  return record;
}

bool ContentChecksumHolds(const Content& content) {
  const std::size_t length = content[1];
  if (length + 1 >= content.size()) {
    return false;  // the checksum would lie outside the content
  }
  std::uint8_t sum = 0;
  for (std::size_t at = 1; at <= length; ++at) {
    sum = static_cast<std::uint8_t>(sum + content[at]);
  }
  return static_cast<std::uint8_t>(sum ^ 0x5A) == content[length + 1];
}

bool CheckMacroContentBuf(Content& content) {
  if (ContentChecksumHolds(content)) {
    return false;
  }
  const bool held = std::any_of(content.begin(), content.end(), [](auto b) { return b != 0; });
  content.fill(0);
  return held;
}

}  // namespace orbic::macros
