#include "keys/KeyCode.h"

namespace orbic::keys {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

std::optional<std::uint8_t> HexDigitValue(char digit) {
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

}  // namespace

std::string HexByte(std::uint8_t value) {
  return {kHexDigits[value >> 4], kHexDigits[value & 0x0F]};
}

std::string CodeString(const KeyCode& code) {
  return HexByte(code.type) + HexByte(code.byte1) + HexByte(code.byte2);
}

std::optional<KeyCode> ParseCodeString(std::string_view text) {
  if (text.size() != kCodeStringLength) {
    return std::nullopt;
  }
  std::array<std::uint8_t, kCodeLength> bytes{};
  for (std::size_t i = 0; i < kCodeLength; ++i) {
    const auto high = HexDigitValue(text[2 * i]);
    const auto low = HexDigitValue(text[2 * i + 1]);
    if (!high || !low) {
      return std::nullopt;
    }
    bytes[i] = static_cast<std::uint8_t>((*high << 4) | *low);
  }
  return KeyCode::FromBytes(bytes);
}

}  // namespace orbic::keys
