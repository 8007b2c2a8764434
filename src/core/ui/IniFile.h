#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orbic::ui {

// The INI texts embedded in the program (behaviour configuration, skin layouts):
// `[name]` opens a section, `key=value` lines belong to it, `;` starts a comment,
// `//` decoration lines carry nothing; blanks around lines and around `=` are
// ignored. CR LF or LF line ends.
class IniFile {
 public:
  static IniFile Parse(std::string_view text);

  // The value of `key` in `section` (names as written, case-sensitive).
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // The value as a plain decimal integer; nullopt when missing or not an integer.
  std::optional<int> IntValue(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;

 private:
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections_;
};

}  // namespace orbic::ui
