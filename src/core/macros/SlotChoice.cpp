#include "macros/SlotChoice.h"

#include <algorithm>
#include <optional>

#include "keys/KeyCode.h"
#include "keys/MacroReferences.h"

namespace orbic::macros {
namespace {

// When the slots in use are not exactly 1..k, the first rule whose `slot` is
// free while the slots of `needsInUse` are taken gives the slot (0: no slot).
struct GapRule {
  int slot;
  std::array<int, 2> needsInUse;
};
constexpr GapRule kSixSlotRules[] = {
    {1, {2, 0}}, {2, {1, 3}}, {3, {2, 4}}, {4, {3, 5}}, {5, {4, 6}},
};
constexpr GapRule kFourSlotRules[] = {
    {1, {2, 0}},
    {2, {1, 3}},
    {3, {2, 4}},
    {4, {3, 0}},
};

int Choose(const SlotUse& inUse, int slotCount, std::span<const GapRule> rules,
           const NameField& macroName, const SlotNames& slotNames) {
  const auto used = [&inUse](int slot) { return inUse[static_cast<std::size_t>(slot - 1)]; };
  const auto takenOrNone = [&used](int slot) { return slot == 0 || used(slot); };
  int usedCount = 0;
  for (int slot = 1; slot <= slotCount; ++slot) {
    usedCount += used(slot) ? 1 : 0;
  }

  // Slots 1..k all in use and no others: the next one, unless the macro
  // already sits in exactly one slot (found by its name field), which is reused.
  bool prefix = true;
  for (int slot = 1; slot <= slotCount; ++slot) {
    prefix = prefix && used(slot) == (slot <= usedCount);
  }
  if (prefix) {
    std::optional<int> named;
    int matches = 0;
    for (int slot = 1; slot <= slotCount; ++slot) {
      if (slotNames[static_cast<std::size_t>(slot - 1)] == macroName) {
        named = slot;
        ++matches;
      }
    }
    return matches == 1 ? *named : usedCount + 1;
  }

  for (const GapRule& rule : rules) {
    if (!used(rule.slot) &&
        std::all_of(rule.needsInUse.begin(), rule.needsInUse.end(), takenOrNone)) {
      return rule.slot;
    }
  }
  // The last resort is the number of slots in use. For some sets ({3, 4, 5},
  // {1, 4, 5, 6}, {3, 4, 5, 6}) that slot belongs to another button, whose
  // macro must not be overwritten: the lowest free slot is taken instead.
  if (!used(usedCount)) {
    return usedCount;
  }
  for (int slot = 1; slot <= slotCount; ++slot) {
    if (!used(slot)) {
      return slot;
    }
  }
  return slotCount + 1;  // not reached: a full set is a prefix
}

}  // namespace

SlotUse SlotsInUse(std::span<const std::string> codes) {
  SlotUse inUse{};
  for (const std::string& text : codes) {
    const std::optional<keys::KeyCode> code = keys::ParseCodeString(text);
    if (!code || (code->type != keys::code_type::kMacroRunToEnd &&
                  code->type != keys::code_type::kMacroWhileHeld)) {
      continue;
    }
    if (const std::optional<int> slot = keys::BaseMacroSlotForAddress(code->Operand())) {
      inUse[static_cast<std::size_t>(*slot - 1)] = true;
    }
  }
  return inUse;
}

int FindBaseMacroCount(std::span<const std::string> codes, const NameField& macroName,
                       const SlotNames& slotNames) {
  return Choose(SlotsInUse(codes), kSlotCount, kSixSlotRules, macroName, slotNames);
}

int FindBaseMacroIndex(std::span<const std::string> codes, const NameField& macroName,
                       const SlotNames& slotNames) {
  return Choose(SlotsInUse(codes), kBaseAreaSlotCount, kFourSlotRules, macroName, slotNames);
}

}  // namespace orbic::macros
