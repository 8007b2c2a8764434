#include "ui/IniFile.h"

#include <charconv>

#include "base/TextTrim.h"

namespace orbic::ui {
namespace {

constexpr std::string_view kCommentStart = ";";
constexpr std::string_view kDecorationStart = "//";

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  // Lines before the first section header belong to no section and are dropped.
  std::map<std::string, std::string, std::less<>>* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = TrimBlanks(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

    if (line.empty() || line.starts_with(kCommentStart) || line.starts_with(kDecorationStart)) {
      continue;
    }
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &ini.sections_[std::string(TrimBlanks(line.substr(1, line.size() - 2)))];
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) {
      continue;
    }
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) {
      continue;
    }
    // The first occurrence of a key wins, as with the Windows profile functions.
    current->try_emplace(std::string(key), TrimBlanks(line.substr(equals + 1)));
  }
  return ini;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const auto sectionIt = sections_.find(section);
  if (sectionIt == sections_.end()) {
    return std::nullopt;
  }
  const auto keyIt = sectionIt->second.find(key);
  if (keyIt == sectionIt->second.end()) {
    return std::nullopt;
  }
  return keyIt->second;
}

std::optional<int> IniFile::IntValue(std::string_view section, std::string_view key) const {
  const std::optional<std::string> value = Value(section, key);
  if (!value || value->empty()) {
    return std::nullopt;
  }
  std::string_view digits = *value;
  // from_chars takes a '-' but not a '+'; allow a '+' only directly before a digit.
  if (digits.front() == '+' && digits.size() > 1 && digits[1] >= '0' && digits[1] <= '9') {
    digits.remove_prefix(1);
  }
  int result = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
  if (error != std::errc{} || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return result;
}

bool IniFile::HasSection(std::string_view section) const {
  return sections_.find(section) != sections_.end();
}

}  // namespace orbic::ui
