#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orbic::ui {

// Text decoded to UTF-8. Code units that do not form a character are replaced by
// U+FFFD and counted, so a damaged text still loads and the damage can be named.
struct DecodedText {
  std::string utf8;
  std::size_t replacements = 0;
  bool oddTrailingByte = false;  // UTF-16 input with half a code unit at the end (dropped)
};

// UTF-16 little-endian code units (no byte-order mark) to UTF-8.
DecodedText DecodeUtf16Le(std::span<const std::uint8_t> bytes);

// UTF-8 bytes checked and passed through; invalid sequences become U+FFFD.
DecodedText DecodeUtf8(std::span<const std::uint8_t> bytes);

// Appends the UTF-8 form of `codePoint` (a Unicode scalar value).
void AppendUtf8(char32_t codePoint, std::string& out);

// The code points of `utf8`; nothing for text that is not well-formed UTF-8
// (cut off, overlong, out of range or a surrogate).
std::optional<std::u32string> Utf8CodePoints(std::string_view utf8);

}  // namespace orbic::ui
