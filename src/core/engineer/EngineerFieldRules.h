#pragma once

#include <string_view>

#include "fire/FireParameterRules.h"

// How the engineer page's own number fields correct what is set into them.
// Text that is no number counts as empty; a corrected field shows the number
// it stands for.
namespace orbic::engineer {

inline constexpr int kGenericCode = 255;

// Vendor and product code: 0..255, empty -> 255 (the generic code).
fire::FieldEdit IdentificationCodeEdit(std::string_view text);
// One channel of a fire macro colour: 0..255, empty -> 0.
fire::FieldEdit FireColourEdit(std::string_view text);
// A fire macro Y offset: -128..127, empty -> 0; a lone "-" stays without a value.
fire::FieldEdit YOffsetEdit(std::string_view text);

}  // namespace orbic::engineer
