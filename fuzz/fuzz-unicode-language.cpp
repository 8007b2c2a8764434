// Any bytes as a language table (UTF-16 with its byte-order mark, or UTF-8):
// both decoders must give well-formed UTF-8 whose code points encode back to
// the same text, well-formed UTF-8 must pass through unchanged, and every key
// and text of the table read from the bytes must be well-formed UTF-8.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "ui/LanguageTable.h"
#include "ui/UnicodeText.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic::ui;

void CheckWellFormed(const std::string& utf8, const char* what) {
  const auto codePoints = Utf8CodePoints(utf8);
  if (!codePoints) {
    Fail(what);
  }
  std::string again;
  for (const char32_t codePoint : *codePoints) {
    AppendUtf8(codePoint, again);
  }
  if (again != utf8) {
    Fail("code points do not encode back to the text");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const DecodedText utf16 = DecodeUtf16Le(bytes);
  CheckWellFormed(utf16.utf8, "UTF-16 decoding gave malformed UTF-8");
  if (utf16.oddTrailingByte != (size % 2 == 1)) {
    Fail("odd trailing byte misreported");
  }
  const DecodedText utf8 = DecodeUtf8(bytes);
  CheckWellFormed(utf8.utf8, "UTF-8 decoding gave malformed UTF-8");
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (Utf8CodePoints(input).has_value() != (utf8.replacements == 0)) {
    Fail("replacements disagree with the well-formedness of the input");
  }
  if (utf8.replacements == 0 && utf8.utf8 != input) {
    Fail("well-formed UTF-8 changed on the way through");
  }
  std::vector<std::string> problems;
  const LanguageTable table = LanguageTable::Parse(bytes, "lang1", problems);
  for (const auto& [key, text] : table.Texts()) {
    CheckWellFormed(key, "a key is malformed UTF-8");
    CheckWellFormed(text, "a text is malformed UTF-8");
    if (table.Text(key) != text || !table.Has(key)) {
      Fail("a stored key cannot be looked up");
    }
  }
  if (table.KeyCount() != table.Texts().size()) {
    Fail("key count disagrees with the texts");
  }
  return 0;
}
