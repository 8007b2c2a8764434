#pragma once

#include <array>
#include <span>
#include <string>

#include "macros/MacroRecord.h"

// Which base macro slot a macro assigned to a button goes to. Both choosers
// are pure: they look only at the buttons' code strings and the name fields.
namespace orbic::macros {

inline constexpr int kSlotCount = 6;
// Slots 1..4 fill the base macro area; the engineer page places macros only there.
inline constexpr int kBaseAreaSlotCount = 4;
// The choosers' answer when every slot they may use is taken.
inline constexpr int kNoFreeSlotOfSix = kSlotCount + 1;
inline constexpr int kNoFreeSlotOfFour = kBaseAreaSlotCount + 1;

using SlotNames = std::array<NameField, kSlotCount>;
using SlotUse = std::array<bool, kSlotCount>;

// Slot s (index s - 1) is in use when any code string refers to its address
// with a macro type (0x06 or 0x0E). Malformed code strings refer to nothing.
SlotUse SlotsInUse(std::span<const std::string> codes);

// A slot among 1..6 for `macroName` (kNoFreeSlotOfSix when none is free).
// `codes` are the 18 button codes with the button being assigned already
// cleared, so its old slot counts only if another button still uses it.
int FindBaseMacroCount(std::span<const std::string> codes, const NameField& macroName,
                       const SlotNames& slotNames);
// The same among slots 1..4 (kNoFreeSlotOfFour when none is free).
int FindBaseMacroIndex(std::span<const std::string> codes, const NameField& macroName,
                       const SlotNames& slotNames);

}  // namespace orbic::macros
