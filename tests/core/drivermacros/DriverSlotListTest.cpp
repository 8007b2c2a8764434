#include "drivermacros/DriverSlotList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/macros/TestMacros.h"
#include "device/DriverChannel.h"
#include "macros/MacroLibrary.h"
#include "sim/SimulatedFilterDriver.h"

namespace orbic::drivermacros {
namespace {

using test::DriverTypingMacro;

// Eighteen button codes, all plain functions except those given.
std::vector<std::string> Codes(std::vector<std::pair<std::size_t, std::string>> macros = {}) {
  std::vector<std::string> codes(18, "010100");
  for (auto& [index, code] : macros) {
    codes[index] = code;
  }
  return codes;
}

// The filter driver holding three macro records, opened.
struct DriverRig {
  DriverRig() {
    for (std::size_t i = 0; i < stored.size(); ++i) {
      stored[i] = DriverTypingMacro("Stored " + std::to_string(i), static_cast<int>(i) + 1);
      const auto bytes = stored[i].Bytes();
      std::copy(bytes.begin(), bytes.end(), driver.memory.begin() + 256 + i * 2048);
    }
    EXPECT_TRUE(channel.OpenDriverById(driver.id));
    driver.ClearTranscript();
  }
  sim::SimulatedFilterDriver driver;
  device::DriverChannel channel{driver};
  std::array<macros::DriverMacroRecord, 3> stored;
};

TEST(DriverSlotList, WithoutMacroButtonsNothingIsReadAndTheWriteHasLengthZero) {
  DriverRig rig;
  DriverSlotList list;
  // The Fire Key reference, in either type, plays no record.
  EXPECT_EQ(list.ReadFromDriver(rig.channel, Codes({{3, "0600F0"}, {12, "0E00F0"}})), 0u);
  EXPECT_TRUE(rig.driver.Transcript().empty());
  EXPECT_EQ(list.Count(), 0u);

  EXPECT_TRUE(list.WriteToDriver(rig.channel));
  ASSERT_EQ(rig.driver.Transcript().size(), 1u);
  const sim::DriverCall& call = rig.driver.Transcript()[0];
  EXPECT_EQ(call.code, device::driver::kIoctlWrite);
  EXPECT_EQ(call.address, 256u);
  EXPECT_EQ(call.length, 0u);
  EXPECT_EQ(call.inputSize, 8u);
}

TEST(DriverSlotList, ACodeOfRecordTwoReadsRecordsZeroToTwoInOrder) {
  DriverRig rig;
  DriverSlotList list;
  // Record 0 on one button, record 2 (0x1120, stop on release) on another.
  EXPECT_EQ(list.ReadFromDriver(rig.channel, Codes({{1, "060120"}, {10, "0E1120"}})), 3u);
  ASSERT_EQ(rig.driver.Transcript().size(), 1u);
  const sim::DriverCall& call = rig.driver.Transcript()[0];
  EXPECT_EQ(call.code, device::driver::kIoctlRead);
  EXPECT_EQ(call.address, 256u);
  EXPECT_EQ(call.length, 3u * 2048);
  ASSERT_EQ(list.Count(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(list.Record(i), rig.stored[i]) << i;
  }
  EXPECT_EQ(list.LB_MacroName(), (std::vector<std::string>{"Stored 0", "Stored 1", "Stored 2"}));
  EXPECT_EQ(list.MacroNameForAddress(0x0120), "Stored 0");
  EXPECT_EQ(list.MacroNameForAddress(0x1120), "Stored 2");
  EXPECT_EQ(list.MacroNameForAddress(0x1920), std::nullopt);
  EXPECT_EQ(list.MacroNameForAddress(0x0121), std::nullopt);

  // The whole list goes back as one block, in order.
  rig.driver.ClearTranscript();
  std::fill(rig.driver.memory.begin() + 256, rig.driver.memory.begin() + 256 + 3 * 2048, 0);
  EXPECT_TRUE(list.WriteToDriver(rig.channel));
  const auto back = rig.channel.ReadDriverMacros(3);
  EXPECT_EQ(back, list.Records());
}

TEST(DriverSlotList, SavingTheLibraryUpdatesCopiesByNameFirstMatchWinning) {
  DriverSlotList list;
  list.FindOrAppend(DriverTypingMacro("Reload", 1));
  list.FindOrAppend(DriverTypingMacro("Jump", 1));
  const macros::DriverMacroRecord untouched = list.Record(1);

  macros::DriverMacroLibrary library;
  library.Add(DriverTypingMacro("Other", 7));
  library.Add(DriverTypingMacro("Reload", 4));
  library.Add(DriverTypingMacro("Reload", 9));  // a later record of the same name
  list.RefreshDriverWriteMacro(library);

  EXPECT_EQ(list.Record(0).content, library.Record(1).content);
  EXPECT_EQ(list.Record(0).name, library.Record(1).name);
  EXPECT_EQ(list.Record(1), untouched);
  EXPECT_EQ(list.Count(), 2u);
}

TEST(DriverSlotList, ThirtyTwoDistinctMacrosFitAndTheThirtyThirdIsRefused) {
  DriverSlotList list;
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(list.FindOrAppend(DriverTypingMacro("M" + std::to_string(i))),
              static_cast<std::size_t>(i));
  }
  EXPECT_TRUE(list.Full());
  // The last position still has an address a code can carry.
  EXPECT_EQ(list.MacroNameForAddress(0xF920), "M31");
  EXPECT_EQ(list.FindOrAppend(DriverTypingMacro("M32")), std::nullopt);
  // A macro already copied is still found.
  EXPECT_EQ(list.FindOrAppend(DriverTypingMacro("M5")), 5u);
  EXPECT_EQ(list.Count(), 32u);
}

}  // namespace
}  // namespace orbic::drivermacros
