#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The names the user's keyboard layout gives to the character keys. Keys are
// stored by place (a key byte is a HID usage), and a place is named as a US
// keyboard names it unless the layout's name of that place is known: the
// window learns it from the keys the user presses in it, so on a French
// keyboard the key captured as the "1" place shows as "&", and every later
// name of that key byte (lines, labels, fields) agrees. The command-line tool
// learns nothing and keeps the US names. Safe to use from any thread.
namespace orbic::keys {

// Remembers `name` for the place `usage` when the place is a character key
// (letters, digits, punctuation, the ISO key beside the left Shift) and `name`
// is one printable character in UTF-8; anything else is ignored. A later name
// for the same place replaces the earlier one (the user switched layouts).
void LearnLayoutKeyName(std::uint8_t usage, const std::string& name);

// The learned name of the place, if any.
std::optional<std::string> LayoutKeyName(std::uint8_t usage);

// Back to US names everywhere.
void ForgetLayoutKeyNames();

}  // namespace orbic::keys
