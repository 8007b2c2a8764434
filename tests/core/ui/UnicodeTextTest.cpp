#include "ui/UnicodeText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Utf16TestBytes.h"

namespace orbic::ui {
namespace {

using testing::Utf16LeBytes;

TEST(UnicodeText, DecodesUtf16LeIncludingSurrogatePairs) {
  const DecodedText decoded = DecodeUtf16Le(Utf16LeBytes(u"Ab \u8FDE\u53D1 \U0001F600", false));
  EXPECT_EQ(decoded.utf8, "Ab \xE8\xBF\x9E\xE5\x8F\x91 \xF0\x9F\x98\x80");
  EXPECT_EQ(decoded.replacements, 0u);
  EXPECT_FALSE(decoded.oddTrailingByte);
}

TEST(UnicodeText, DamagedUtf16BecomesReplacementCharacters) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::string expected;
    std::size_t replacements;
    bool odd;
  };
  const std::string fffd = "\xEF\xBF\xBD";
  const std::vector<Case> cases = {
      {{0x41, 0x00, 0x00, 0xD8}, "A" + fffd, 1, false},  // high surrogate at the end
      {{0x00, 0xDC, 0x41, 0x00}, fffd + "A", 1, false},  // lone low surrogate
      {{0x00, 0xD8, 0x41, 0x00}, fffd + "A", 1, false},  // high, then no low
      {{0x00, 0xD8, 0x00, 0xD8, 0x00, 0xDC}, fffd + "\xF0\x90\x80\x80", 1, false},
      {{0x41, 0x00, 0x42}, "A", 0, true},  // half a code unit
      {{}, "", 0, false},
  };
  for (const Case& c : cases) {
    const DecodedText decoded = DecodeUtf16Le(c.bytes);
    EXPECT_EQ(decoded.utf8, c.expected);
    EXPECT_EQ(decoded.replacements, c.replacements);
    EXPECT_EQ(decoded.oddTrailingByte, c.odd);
  }
}

TEST(UnicodeText, Utf8IsPassedThroughOrRepaired) {
  struct Case {
    std::string input;
    std::string expected;
    std::size_t replacements;
  };
  const std::string fffd = "\xEF\xBF\xBD";
  const std::vector<Case> cases = {
      {"plain \xE4\xB8\xAD \xF0\x9F\x98\x80", "plain \xE4\xB8\xAD \xF0\x9F\x98\x80", 0},
      {"a\x80z", "a" + fffd + "z", 1},                     // stray continuation byte
      {"a\xE4\xB8", "a" + fffd + fffd, 2},                 // sequence cut off at the end
      {"\xE4z", fffd + "z", 1},                            // lead byte without continuation
      {"\xC0\x80", fffd + fffd, 2},                        // overlong NUL
      {"\xED\xA0\x80", fffd + fffd + fffd, 3},             // encoded surrogate
      {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, 4},  // above U+10FFFF
      {"\xFF", fffd, 1},
  };
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> bytes(c.input.begin(), c.input.end());
    const DecodedText decoded = DecodeUtf8(bytes);
    EXPECT_EQ(decoded.utf8, c.expected) << c.input;
    EXPECT_EQ(decoded.replacements, c.replacements) << c.input;
  }
}

}  // namespace
}  // namespace orbic::ui
