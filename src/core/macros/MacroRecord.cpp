#include "macros/MacroRecord.h"

#include <algorithm>
#include <vector>

#include "ui/UnicodeText.h"

namespace orbic::macros {

namespace {

std::vector<std::uint16_t> Utf16Units(const std::u32string& points) {
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

}  // namespace

std::optional<std::size_t> Utf16Length(std::string_view utf8) {
  const auto points = ui::Utf8CodePoints(utf8);
  if (!points) {
    return std::nullopt;
  }
  return Utf16Units(*points).size();
}

std::optional<NameField> EncodeName(std::string_view utf8) {
  const auto points = ui::Utf8CodePoints(utf8);
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
        ui::AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), name);
        ++i;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      name += '?';
      continue;
    }
    ui::AppendUtf8(unit, name);
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
