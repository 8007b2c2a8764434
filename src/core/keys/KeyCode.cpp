#include "keys/KeyCode.h"

namespace orbic::keys {
std::string CodeString(const KeyCode& code) {
  return HexByte(code.type) + HexByte(code.byte1) + HexByte(code.byte2);
}

std::optional<KeyCode> ParseCodeString(std::string_view text) {
  if (text.size() != kCodeStringLength) {
    return std::nullopt;
  }
  std::array<std::uint8_t, kCodeLength> bytes{};
  if (!ParseHexBytes(text, bytes)) {
    return std::nullopt;
  }
  return KeyCode::FromBytes(bytes);
}

}  // namespace orbic::keys
