#include "macros/MacroSlots.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/macros/TestMacros.h"

namespace orbic::macros {
namespace {

using test::TypingMacro;

// Where each slot's 256 bytes lie in the working copies.
std::span<std::uint8_t> SlotArea(params::DataBuf& data, int slot) {
  if (slot <= 4) {
    return std::span(data.baseMacroArea).subspan(static_cast<std::size_t>(slot - 1) * 256, 256);
  }
  return std::span(data.secondMacroArea).subspan(static_cast<std::size_t>(slot - 5) * 256, 256);
}

void Put(params::DataBuf& data, int slot, const MacroRecord& record) {
  const auto bytes = record.Bytes();
  std::ranges::copy(bytes, SlotArea(data, slot).begin());
}

TEST(MacroSlots, ReadsAllSixSlotsFromBothMacroAreas) {
  params::DataBuf data;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    if (slot != 3) {
      Put(data, slot, TypingMacro("Macro " + std::to_string(slot), slot));
    }
  }
  MacroSlots slots;
  slots.ReadAndRefreshMacro(data);

  for (int slot = 1; slot <= kSlotCount; ++slot) {
    SCOPED_TRACE(slot);
    const MacroRecord expected =
        slot == 3 ? MacroRecord{} : TypingMacro("Macro " + std::to_string(slot), slot);
    EXPECT_EQ(slots.Slot(slot).record, expected);
    EXPECT_FALSE(slots.Slot(slot).emptiedByCheck);
  }
  EXPECT_EQ(slots.LB_MacroName(), (std::array<std::string, kSlotCount>{
                                      "Macro 1", "Macro 2", "", "Macro 4", "Macro 5", "Macro 6"}));
  EXPECT_EQ(slots.MacroNameForAddress(0x0621), "Macro 5");
  EXPECT_EQ(slots.MacroNameForAddress(0x0721), "Macro 6");
  EXPECT_EQ(slots.MacroNameForAddress(0x0321), std::nullopt);  // empty slot
  EXPECT_EQ(slots.MacroNameForAddress(0x0120), std::nullopt);  // no slot's address
}

TEST(MacroSlots, ADamagedSlotIsEmptiedOnReadAndKeepsItsName) {
  for (const int damaged : {2, 5, 6}) {
    SCOPED_TRACE(damaged);
    params::DataBuf data;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      Put(data, slot, TypingMacro("M" + std::to_string(slot)));
    }
    MacroRecord broken = TypingMacro("M" + std::to_string(damaged));
    broken.content[3] ^= 0x01;  // one event bit flipped: the checksum fails
    Put(data, damaged, broken);

    MacroSlots slots;
    slots.ReadAndRefreshMacro(data);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      EXPECT_EQ(slots.Slot(slot).emptiedByCheck, slot == damaged) << slot;
    }
    EXPECT_EQ(slots.Slot(damaged).record.name, broken.name);
    EXPECT_EQ(slots.Slot(damaged).record.content, Content{});
    EXPECT_EQ(slots.LB_MacroName()[static_cast<std::size_t>(damaged - 1)],
              "M" + std::to_string(damaged));

    // The next read of a sound image clears the mark.
    Put(data, damaged, TypingMacro("M" + std::to_string(damaged)));
    slots.ReadAndRefreshMacro(data);
    EXPECT_FALSE(slots.Slot(damaged).emptiedByCheck);
  }
}

TEST(MacroSlots, AnEmptyOrNamedButEventlessSlotIsNotReportedAsEmptied) {
  params::DataBuf data;
  MacroRecord named;
  named.name = *EncodeName("Nothing yet");
  Put(data, 4, named);
  MacroSlots slots;
  slots.ReadAndRefreshMacro(data);
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    EXPECT_FALSE(slots.Slot(slot).emptiedByCheck) << slot;
  }
  EXPECT_EQ(slots.Slot(4).record, named);
}

TEST(MacroSlots, StoredSlotsGoBackIntoTheirAreasAndNowhereElse) {
  params::DataBuf data;
  data.fireMacroTable.fill(0x77);
  data.profile.fill(0x66);
  MacroSlots slots;
  slots.ReadAndRefreshMacro(data);
  slots.Store(2, TypingMacro("Two"));
  slots.Store(6, TypingMacro("Six", 3, StopMode::kUntilKeyRelease));
  slots.Store(7, TypingMacro("None"));  // no such slot
  slots.RefreshBaseMacroBuf(data);

  const auto two = TypingMacro("Two").Bytes();
  const auto six = TypingMacro("Six", 3, StopMode::kUntilKeyRelease).Bytes();
  EXPECT_TRUE(std::ranges::equal(SlotArea(data, 2), two));
  EXPECT_TRUE(std::ranges::equal(SlotArea(data, 6), six));
  for (const int empty : {1, 3, 4, 5}) {
    EXPECT_TRUE(std::ranges::all_of(SlotArea(data, empty), [](auto b) { return b == 0; }));
  }
  EXPECT_TRUE(std::ranges::all_of(data.fireMacroTable, [](auto b) { return b == 0x77; }));
  EXPECT_TRUE(std::ranges::all_of(data.profile, [](auto b) { return b == 0x66; }));

  // What went into the areas reads back as the same slots.
  MacroSlots again;
  again.ReadAndRefreshMacro(data);
  EXPECT_EQ(again.Slot(2).record, slots.Slot(2).record);
  EXPECT_EQ(again.Slot(6).record, slots.Slot(6).record);
}

}  // namespace
}  // namespace orbic::macros
