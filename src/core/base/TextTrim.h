#pragma once

#include <string_view>

namespace orbic {

// `text` without the blanks (spaces, tabs, line ends, vertical tabs, form feeds) around it.
inline std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace orbic
