#pragma once

#include <string>
#include <string_view>

#include "keys/LabelSources.h"
#include "keys/LabelTexts.h"

// The label shown on a button for its code string.
namespace orbic::keys {

// Label of a gun key from the engineer's list: this text and its position.
inline constexpr std::string_view kGunKeyListLabel = "Fire Macro";

struct LabelContext {
  TextLookup text = TableOneText;           // language texts of the label keys
  const MacroNameSource* macros = nullptr;  // null: no macro names
  const GunKeySource* gunKeys = nullptr;    // null: no engineer gun-key list
};

// Tests in this order, the first that applies wins:
//  1. a fixed function's exact code gives its label ("020807" is "Desktop");
//  2. type 0x0A gives the aim label whatever the DPI index;
//  3. the Fire Key reference (operand 0x00F0) gives "Fire Key";
//  4. type 0x02 gives the keyboard label;
//  5. types 0x06 and 0x0E give the name of the referenced macro;
//  6. type 0x0C gives "Fire Macro" and the position in the engineer's list,
//     else the preset's label;
//  7. anything else, including a malformed code string, gives "".
std::string LabelForCode(std::string_view codeString, const LabelContext& context = {});

}  // namespace orbic::keys
