#include "macros/SlotChoice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"

namespace orbic::macros {
namespace {

constexpr std::size_t kButtonCodes = 18;

NameField Name(const char* text) {
  return *EncodeName(text);
}

// 18 button codes: slot s of `used` referred to by one button each (type
// 0x06 or 0x0E alternating), the rest left clicks, a fire macro reference
// and a malformed string that refer to no slot.
std::vector<std::string> CodesUsing(const std::set<int>& used) {
  std::vector<std::string> codes(kButtonCodes, "010100");
  codes[16] = "0E0501";  // fire macro 1
  codes[17] = "06012";   // damaged
  std::size_t at = 0;
  for (const int slot : used) {
    codes[at] = keys::CodeString(keys::MacroReference(at % 2 == 1, *keys::BaseMacroAddress(slot)));
    ++at;
  }
  return codes;
}

std::string Describe(const std::set<int>& used) {
  std::string text = "{";
  for (const int slot : used) {
    text += std::to_string(slot) + " ";
  }
  return text + "}";
}

struct ChoiceCase {
  std::set<int> used;
  std::vector<int> slotsNamedLikeTheMacro;
  int slot;
};

TEST(SlotChoice, SixSlotRule) {
  const std::vector<ChoiceCase> cases = {
      // Slots 1..k in use: the next one.
      {{}, {}, 1},
      {{1}, {}, 2},
      {{1, 2, 3, 4, 5}, {}, 6},
      {{1, 2, 3, 4, 5, 6}, {}, kNoFreeSlotOfSix},
      // ... unless exactly one slot carries the macro's name, in use or not.
      {{1, 2}, {2}, 2},
      {{1, 2}, {5}, 5},
      {{1, 2, 3, 4, 5, 6}, {4}, 4},
      {{1, 2}, {1, 5}, 3},  // two slots carry it: no reuse
      // A gap below a slot in use is filled.
      {{2}, {}, 1},
      {{1, 3}, {}, 2},
      {{1, 3}, {3}, 2},  // the name counts only for 1..k
      {{1, 2, 4}, {}, 3},
      {{1, 2, 3, 5}, {}, 4},
      {{1, 2, 3, 4, 6}, {}, 5},
      // Otherwise the number of slots in use, which here is free.
      {{5}, {}, 1},
      {{1, 5, 6}, {}, 3},
      {{5, 6}, {}, 2},
      // Here that number is a slot in use: the lowest free slot instead.
      {{3, 4, 5}, {}, 1},
      {{1, 4, 5, 6}, {}, 2},
      {{3, 4, 5, 6}, {}, 1},
  };
  const NameField macro = Name("Reload");
  for (const ChoiceCase& c : cases) {
    SlotNames names{};
    names[0] = Name("Other");
    for (const int slot : c.slotsNamedLikeTheMacro) {
      names[static_cast<std::size_t>(slot - 1)] = macro;
    }
    EXPECT_EQ(FindBaseMacroCount(CodesUsing(c.used), macro, names), c.slot) << Describe(c.used);
  }
}

TEST(SlotChoice, FourSlotRule) {
  const std::vector<ChoiceCase> cases = {
      {{}, {}, 1},
      {{1, 2, 3}, {}, 4},
      {{1, 2, 3, 4}, {}, kNoFreeSlotOfFour},
      {{1, 2, 3, 4, 5}, {5}, kNoFreeSlotOfFour},  // slots 5 and 6 are not its own
      {{5, 6}, {}, 1},
      {{1}, {2}, 2},
      {{1}, {5}, 2},
      {{2, 3}, {}, 1},
      {{1, 3}, {}, 2},
      {{1, 2, 4}, {}, 3},
      {{3}, {}, 4},
      {{4}, {}, 1},
      {{3, 4}, {}, 2},
  };
  const NameField macro = Name("Reload");
  for (const ChoiceCase& c : cases) {
    SlotNames names{};
    for (const int slot : c.slotsNamedLikeTheMacro) {
      names[static_cast<std::size_t>(slot - 1)] = macro;
    }
    EXPECT_EQ(FindBaseMacroIndex(CodesUsing(c.used), macro, names), c.slot) << Describe(c.used);
  }
}

// Whatever the slots in use, a chooser never hands out a slot another button
// uses, and says "none" only when all its slots are taken.
TEST(SlotChoice, NeverGivesASlotInUse) {
  const NameField macro = Name("Reload");
  const SlotNames names{};
  for (unsigned mask = 0; mask < (1u << kSlotCount); ++mask) {
    std::set<int> used;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      if ((mask & (1u << (slot - 1))) != 0) {
        used.insert(slot);
      }
    }
    const auto codes = CodesUsing(used);
    const int six = FindBaseMacroCount(codes, macro, names);
    if (used.size() == kSlotCount) {
      EXPECT_EQ(six, kNoFreeSlotOfSix);
    } else {
      EXPECT_TRUE(six >= 1 && six <= kSlotCount && !used.contains(six)) << Describe(used);
    }
    const int four = FindBaseMacroIndex(codes, macro, names);
    const bool baseAreaFull =
        used.contains(1) && used.contains(2) && used.contains(3) && used.contains(4);
    if (baseAreaFull) {
      EXPECT_EQ(four, kNoFreeSlotOfFour);
    } else {
      EXPECT_TRUE(four >= 1 && four <= kBaseAreaSlotCount && !used.contains(four))
          << Describe(used);
    }
  }
}

TEST(SlotChoice, OnlyMacroReferencesToSlotAddressesUseASlot) {
  const std::vector<std::string> codes = {"060121", "0E0721", "0B0221", "0600F0",
                                          "0E0501", "060122", "zz0321", ""};
  const SlotUse inUse = SlotsInUse(codes);
  EXPECT_EQ(inUse, (SlotUse{true, false, false, false, false, true}));
}

}  // namespace
}  // namespace orbic::macros
