#pragma once

#include <functional>
#include <string>
#include <string_view>

// Language texts of the labels the key code tables name by key (Str210 etc.).
namespace orbic::keys {

// Text of a language key in the current language table.
using TextLookup = std::function<std::string(std::string_view key)>;

// The text language table 1 gives the key; empty for a key the label
// tables do not use. Stands in until the language tables are loaded.
std::string TableOneText(std::string_view key);

}  // namespace orbic::keys
