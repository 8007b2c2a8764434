#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orbic::ui::testing {

// `text` as UTF-16 little-endian bytes, optionally behind the byte-order mark FF FE.
inline std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text, bool withMark = true) {
  std::vector<std::uint8_t> bytes;
  if (withMark) {
    bytes = {0xFF, 0xFE};
  }
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

}  // namespace orbic::ui::testing
