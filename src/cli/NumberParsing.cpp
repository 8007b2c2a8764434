#include "cli/NumberParsing.h"

namespace orbic::cli {

namespace {

std::optional<std::uint32_t> ParseDigits(const std::string& digits, int base, std::uint32_t max) {
  if (digits.empty() || digits.size() > 10) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    }
    if (digit < 0) {
      return std::nullopt;
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
  }
  if (value > max) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

bool HasHexPrefix(const std::string& text) {
  return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

}  // namespace

std::optional<std::uint32_t> ParseHex(const std::string& text, std::uint32_t max) {
  return ParseDigits(HasHexPrefix(text) ? text.substr(2) : text, 16, max);
}

std::optional<std::uint32_t> ParseNumber(const std::string& text, std::uint32_t max) {
  if (HasHexPrefix(text)) {
    return ParseDigits(text.substr(2), 16, max);
  }
  return ParseDigits(text, 10, max);
}

}  // namespace orbic::cli
