#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/MessageStrings.h"

namespace orbic::ui {

// Skins 1..3 each have their own language table "lang1".."lang3".
inline constexpr int kLanguageTableCount = 3;

// One language table: the font family and application title of a skin and its
// numbered texts `Str000`..`Str999`. Texts are UTF-8.
class LanguageTable {
 public:
  LanguageTable() = default;

  // Reads a table text. After the byte-order mark FF FE the text is UTF-16
  // little-endian; a text without it is read as UTF-8 and reported. The text is
  // split into entries (SplitQuotedEntries) that are read as INI lines of the
  // section `section`. Anything odd is described in `problems`; it never throws.
  static LanguageTable Parse(std::span<const std::uint8_t> bytes, std::string_view section,
                             std::vector<std::string>& problems);

  // The text of `key`; empty when the table lacks it.
  std::string Text(std::string_view key) const;
  bool Has(std::string_view key) const;
  // The stored text of `key`, or nullptr when the table lacks it.
  const std::string* Find(std::string_view key) const;
  std::string FontName() const { return Text(kFontNameKey); }
  std::string Title() const { return Text(kTitleKey); }
  // Every stored key and text, keys in sorted order.
  const std::map<std::string, std::string, std::less<>>& Texts() const { return texts_; }
  // Number of keys the table holds (FontName, Title and Str### keys).
  std::size_t KeyCount() const { return texts_.size(); }

  static constexpr std::string_view kFontNameKey = "FontName";
  static constexpr std::string_view kTitleKey = "Title";

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

// The embedded table of skin `skin` (resource and section "lang<skin>"), read
// afresh. An unknown skin or a missing resource gives an empty table and a
// problem line.
LanguageTable LoadLanguageTable(int skin, std::vector<std::string>& problems);

// The three embedded tables in skin order, for the reverse lookup of captions.
std::vector<LanguageTable> LoadEmbeddedLanguageTables(std::vector<std::string>& problems);

// "Str" and `number` with three digits ("Str020"), as the tables write their keys.
std::string TextKey(int number);

// Splits a table text into entries at blanks and line breaks. A double quote at
// the start of an entry opens a quoted run that forms one entry without its
// quotes, blanks included; a doubled quote inside it stands for one quote. A
// quoted run left open ends at its line end (so one damaged line cannot swallow
// the rest of the table), which adds a line to `problems`.
std::vector<std::string> SplitQuotedEntries(std::string_view text,
                                            std::vector<std::string>& problems);

// Reverse lookup of a caption over `tables` (in order): for each table and each
// number 0..700 the key "Str" and the number without leading zeros is formed and
// its text compared with `text`; the last match wins. Empty when nothing
// matches. Keys below 100 are stored with leading zeros, so only Str100..Str700
// can match. Keys a table lacks are skipped, so an empty caption finds nothing.
std::string FindTextKey(std::string_view text, std::span<const LanguageTable> tables);

// The message strings of a table: Str020 and Str100..Str109.
MessageStrings MessageStringsFrom(const LanguageTable& table);

}  // namespace orbic::ui
