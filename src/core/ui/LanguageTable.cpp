#include "ui/LanguageTable.h"

#include <algorithm>
#include <array>

#include "base/Resources.h"
#include "ui/IniFile.h"
#include "ui/UnicodeText.h"

namespace orbic::ui {
namespace {

constexpr std::array<std::uint8_t, 2> kUtf16LeMark = {0xFF, 0xFE};
constexpr std::array<std::uint8_t, 3> kUtf8Mark = {0xEF, 0xBB, 0xBF};
constexpr char kQuote = '"';

// The keys a table may hold besides FontName and Title: Str000..Str999.
constexpr int kHighestTextNumber = 999;
// The reverse lookup covers the numbers 0..700 (through the profile-switch texts);
// 100 is the first number whose plain decimal form has the three digits of a key.
constexpr int kHighestSearchedNumber = 700;
constexpr int kLowestUnpaddedNumber = 100;

constexpr std::string_view kResourcePrefix = "lang";

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}
// Every ASCII control character and the space separates entries.
bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> mark) {
  return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

DecodedText DecodeTable(std::span<const std::uint8_t> bytes, std::string_view section,
                        std::vector<std::string>& problems) {
  const std::string where = "language table [" + std::string(section) + "]: ";
  DecodedText decoded;
  if (StartsWith(bytes, kUtf16LeMark)) {
    decoded = DecodeUtf16Le(bytes.subspan(kUtf16LeMark.size()));
    if (decoded.oddTrailingByte) {
      problems.push_back(where + "odd number of UTF-16 bytes; the last byte is ignored");
    }
  } else {
    problems.push_back(where + "no UTF-16 byte-order mark FF FE; the text is read as UTF-8");
    decoded = DecodeUtf8(StartsWith(bytes, kUtf8Mark) ? bytes.subspan(kUtf8Mark.size()) : bytes);
  }
  if (decoded.replacements != 0) {
    problems.push_back(where + std::to_string(decoded.replacements) +
                       " invalid character(s) replaced by U+FFFD");
  }
  return decoded;
}

}  // namespace

std::string TextKey(int number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 3) {
    digits.insert(0, 3 - digits.size(), '0');
  }
  return "Str" + digits;
}

std::vector<std::string> SplitQuotedEntries(std::string_view text,
                                            std::vector<std::string>& problems) {
  std::vector<std::string> entries;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSeparator(text[i])) {
      ++i;
      continue;
    }
    std::string entry;
    if (text[i] == kQuote) {
      ++i;
      bool closed = false;
      while (i < text.size() && !IsLineBreak(text[i])) {
        if (text[i] != kQuote) {
          entry.push_back(text[i++]);
        } else if (i + 1 < text.size() && text[i + 1] == kQuote) {
          entry.push_back(kQuote);
          i += 2;
        } else {
          ++i;
          closed = true;
          break;
        }
      }
      if (!closed) {
        problems.push_back("quoted entry \"" + entry + "\" is not closed before its line end");
      }
    } else {
      while (i < text.size() && !IsSeparator(text[i])) {
        entry.push_back(text[i++]);
      }
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

LanguageTable LanguageTable::Parse(std::span<const std::uint8_t> bytes, std::string_view section,
                                   std::vector<std::string>& problems) {
  const DecodedText decoded = DecodeTable(bytes, section, problems);

  std::vector<std::string> splitProblems;
  std::string lines;
  for (const std::string& entry : SplitQuotedEntries(decoded.utf8, splitProblems)) {
    lines.append(entry).push_back('\n');
  }
  for (const std::string& problem : splitProblems) {
    problems.push_back("language table [" + std::string(section) + "]: " + problem);
  }

  const IniFile ini = IniFile::Parse(lines);
  LanguageTable table;
  if (!ini.HasSection(section)) {
    problems.push_back("language table [" + std::string(section) +
                       "]: section is missing; every text is empty");
    return table;
  }
  const auto take = [&](const std::string& key) {
    if (std::optional<std::string> value = ini.Value(section, key)) {
      table.texts_.emplace(key, std::move(*value));
    }
  };
  take(std::string(kFontNameKey));
  take(std::string(kTitleKey));
  for (int number = 0; number <= kHighestTextNumber; ++number) {
    take(TextKey(number));
  }
  return table;
}

LanguageTable LoadLanguageTable(int skin, std::vector<std::string>& problems) {
  if (skin < 1 || skin > kLanguageTableCount) {
    problems.push_back("no language table for skin " + std::to_string(skin));
    return LanguageTable{};
  }
  const std::string name = std::string(kResourcePrefix) + std::to_string(skin);
  const auto resource = FindResource(name);
  if (!resource) {
    problems.push_back("embedded resource \"" + name + "\" is missing; every text is empty");
    return LanguageTable{};
  }
  return LanguageTable::Parse(*resource, name, problems);
}

std::vector<LanguageTable> LoadEmbeddedLanguageTables(std::vector<std::string>& problems) {
  std::vector<LanguageTable> tables;
  for (int skin = 1; skin <= kLanguageTableCount; ++skin) {
    tables.push_back(LoadLanguageTable(skin, problems));
  }
  return tables;
}

std::string LanguageTable::Text(std::string_view key) const {
  const std::string* text = Find(key);
  return text == nullptr ? std::string{} : *text;
}

bool LanguageTable::Has(std::string_view key) const {
  return Find(key) != nullptr;
}

const std::string* LanguageTable::Find(std::string_view key) const {
  const auto it = texts_.find(key);
  return it == texts_.end() ? nullptr : &it->second;
}

std::string FindTextKey(std::string_view text, std::span<const LanguageTable> tables) {
  // The lookup forms "Str" and the number without leading zeros for 0..700. The
  // tables store every key with three digits, so exactly the stored keys
  // Str100..Str700 can match, and their sorted order is their number order.
  const std::string lowest = TextKey(kLowestUnpaddedNumber);
  const std::string highest = TextKey(kHighestSearchedNumber);
  std::string found;
  for (const LanguageTable& table : tables) {
    const auto& texts = table.Texts();
    for (auto it = texts.lower_bound(lowest); it != texts.end() && it->first <= highest; ++it) {
      if (it->second == text) {
        found = it->first;
      }
    }
  }
  return found;
}

MessageStrings MessageStringsFrom(const LanguageTable& table) {
  struct Source {
    std::string_view key;
    std::string MessageStrings::*target;
  };
  // Copied in key order; Str105 is not a message.
  static constexpr std::array<Source, 10> kSources = {{
      {"Str020", &MessageStrings::str020},
      {"Str100", &MessageStrings::str100},
      {"Str101", &MessageStrings::str101},
      {"Str102", &MessageStrings::str102},
      {"Str103", &MessageStrings::str103},
      {"Str104", &MessageStrings::str104},
      {"Str106", &MessageStrings::str106},
      {"Str107", &MessageStrings::str107},
      {"Str108", &MessageStrings::str108},
      {"Str109", &MessageStrings::str109},
  }};
  MessageStrings messages;
  for (const Source& source : kSources) {
    messages.*source.target = table.Text(source.key);
  }
  return messages;
}

}  // namespace orbic::ui
