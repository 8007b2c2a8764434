#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Hexadecimal text as this program reads and writes it: code strings
// ("0600F0"), macro lines, state files and driver paths. Either case is read;
// upper case is written.
namespace orbic {

constexpr std::optional<std::uint8_t> HexDigitValue(char digit) {
  if (digit >= '0' && digit <= '9') {
    return static_cast<std::uint8_t>(digit - '0');
  }
  if (digit >= 'A' && digit <= 'F') {
    return static_cast<std::uint8_t>(digit - 'A' + 10);
  }
  if (digit >= 'a' && digit <= 'f') {
    return static_cast<std::uint8_t>(digit - 'a' + 10);
  }
  return std::nullopt;
}

// Fills `bytes` from exactly two digits per byte; false (bytes partly
// written) when the length differs or a character is not a digit.
constexpr bool ParseHexBytes(std::string_view text, std::span<std::uint8_t> bytes) {
  if (text.size() != bytes.size() * 2) {
    return false;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::optional<std::uint8_t> high = HexDigitValue(text[2 * i]);
    const std::optional<std::uint8_t> low = HexDigitValue(text[2 * i + 1]);
    if (!high || !low) {
      return false;
    }
    bytes[i] = static_cast<std::uint8_t>((*high << 4) | *low);
  }
  return true;
}

// The byte written by exactly two digits ("A5").
constexpr std::optional<std::uint8_t> ParseHexByte(std::string_view digits) {
  std::uint8_t byte = 0;
  if (!ParseHexBytes(digits, std::span<std::uint8_t>(&byte, 1))) {
    return std::nullopt;
  }
  return byte;
}

inline std::string HexBytes(std::span<const std::uint8_t> bytes) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
  }
  return text;
}

inline std::string HexByte(std::uint8_t value) {
  return HexBytes(std::span<const std::uint8_t>(&value, 1));
}

}  // namespace orbic
