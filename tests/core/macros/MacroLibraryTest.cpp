#include "macros/MacroLibrary.h"

#include <gtest/gtest.h>

namespace orbic::macros {
namespace {

NameField Name(const std::string& text) {
  return EncodeName(text).value();
}

TEST(MacroLibrary, FillsUpToOneHundredAndClosesGapsOnDelete) {
  MacroLibrary library;
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(library.Add(Name("m" + std::to_string(i))), std::size_t(i));
  }
  EXPECT_TRUE(library.Full());
  EXPECT_FALSE(library.Add(Name("one too many")).has_value());

  library.Remove(0);
  EXPECT_FALSE(library.Full());
  EXPECT_EQ(library.Count(), 99u);
  EXPECT_EQ(library.Names().front(), "m1");
  EXPECT_EQ(library.Names().back(), "m99");
  EXPECT_TRUE(library.Record(99).Empty());
  EXPECT_EQ(library.Find("m50"), 49u);
  EXPECT_FALSE(library.Find("m0").has_value());
  EXPECT_FALSE(library.Add(MacroRecord{}).has_value());  // a record without a name
}

TEST(MacroLibrary, FileBytesRoundTripAndGapsInAFileAreClosed) {
  MacroLibrary library;
  MacroRecord record;
  record.name = Name("Reload");
  record.content[0] = 1;
  record.content[1] = 3;
  library.Add(record);
  library.Add(Name("Jump"));
  const auto bytes = library.Bytes();
  EXPECT_EQ(MacroLibrary::FromBytes(bytes), library);

  auto gappy = bytes;
  std::copy(bytes.begin() + 256, bytes.begin() + 512, gappy.begin() + 256 * 7);
  std::fill(gappy.begin() + 256, gappy.begin() + 512, 0);
  const MacroLibrary closed = MacroLibrary::FromBytes(gappy);
  EXPECT_EQ(closed.Names(), (std::vector<std::string>{"Reload", "Jump"}));
  EXPECT_EQ(closed.Record(0), record);

  EXPECT_EQ(MacroLibrary::FromBytes(std::span(bytes).first(300)).Count(), 1u);
}

TEST(DriverMacroLibrary, ReadsWholeRecordsOnly) {
  DriverMacroLibrary library;
  library.Add(Name("a"));
  library.Add(Name("b"));
  library.Add(Name("c"));
  library.Remove(1);
  EXPECT_EQ(library.Names(), (std::vector<std::string>{"a", "c"}));
  std::vector<std::uint8_t> bytes = library.Bytes();
  ASSERT_EQ(bytes.size(), 2 * kDriverRecordSize);
  EXPECT_EQ(DriverMacroLibrary::FromBytes(bytes), library);
  bytes.resize(bytes.size() + 1000, 0xAA);
  EXPECT_EQ(DriverMacroLibrary::FromBytes(bytes), library);
}

}  // namespace
}  // namespace orbic::macros
