#include "fire/GunKeyList.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "keys/CodeLabels.h"
#include "support/TempFolder.h"

namespace orbic::fire {
namespace {

namespace fs = std::filesystem;

// A fresh folder for each test, removed afterwards.
class GunKeyListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = temp_.Path();
    folder_ = dir_.string() + "/";
  }
  std::vector<std::uint8_t> FileBytes() const {
    std::ifstream in(GunKeyListPath(folder_), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteFile(const std::vector<std::uint8_t>& bytes) const {
    std::ofstream out(GunKeyListPath(folder_), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }

  orbic::test::TempFolder temp_;
  fs::path dir_;
  std::string folder_;
};

// A file with empty entries between used ones loads with the used entries
// moved up, and the file is written again in that order.
TEST_F(GunKeyListTest, GapsInTheFileAreClosedOnLoad) {
  std::vector<std::uint8_t> bytes(30, 0);
  const std::vector<std::uint8_t> used = {0x0C, 1, 3, 0, 0, 0, 0x0C, 4, 7,
                                          0,    0, 0, 0, 0, 0, 0x0C, 8, 10};
  std::copy(used.begin(), used.end(), bytes.begin());
  WriteFile(bytes);
  GunKeyList list;
  std::string error;
  ASSERT_TRUE(list.Load(folder_, error)) << error;
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Entry(2), keys::GunKeyCode(4, 7));
  EXPECT_EQ(list.Entry(3), keys::GunKeyCode(8, 10));
  std::vector<std::uint8_t> expected(30, 0);
  const std::vector<std::uint8_t> compact = {0x0C, 1, 3, 0x0C, 4, 7, 0x0C, 8, 10};
  std::copy(compact.begin(), compact.end(), expected.begin());
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_EQ(list.GunKeyPosition(keys::GunKeyCode(8, 10)), 3);
}

TEST_F(GunKeyListTest, MissingFileIsAnEmptyListThatLabelsNothing) {
  GunKeyList list;
  std::string error;
  ASSERT_TRUE(list.Load(folder_, error));
  EXPECT_FALSE(list.FileExists());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.GunKeyPosition(keys::GunKeyCode(1, 1)), std::nullopt);
}

TEST_F(GunKeyListTest, AddWritesTheWholeListAndLabelsFollow) {
  GunKeyList list;
  std::string error;
  ASSERT_TRUE(list.Load(folder_, error));
  ASSERT_TRUE(list.Add(2, 4, folder_, error)) << error;
  ASSERT_TRUE(list.Add(1, 1, folder_, error)) << error;
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"Fire Macro1", "Fire Macro2"}));
  EXPECT_EQ(list.Selected(), 2);
  std::vector<std::uint8_t> expected(30, 0);
  expected[0] = 0x0C, expected[1] = 2, expected[2] = 4;
  expected[3] = 0x0C, expected[4] = 1, expected[5] = 1;
  EXPECT_EQ(FileBytes(), expected);

  // A user gun key is labelled by its place; a preset code keeps its name.
  const keys::LabelContext context{keys::TableOneText, nullptr, &list};
  EXPECT_EQ(keys::LabelForCode("0C0204", context), "Fire Macro1");
  EXPECT_EQ(keys::LabelForCode("0C0101", context), "Fire Macro2");
  EXPECT_EQ(keys::LabelForCode("0C0202", context), "M16");

  GunKeyList reloaded;
  ASSERT_TRUE(reloaded.Load(folder_, error));
  EXPECT_TRUE(reloaded.FileExists());
  EXPECT_EQ(reloaded.Count(), 2);
  EXPECT_EQ(reloaded.Entry(1), keys::GunKeyCode(2, 4));
}

TEST_F(GunKeyListTest, DeleteMovesLaterEntriesUp) {
  GunKeyList list;
  std::string error;
  ASSERT_TRUE(list.Add(1, 2, folder_, error));
  ASSERT_TRUE(list.Add(3, 3, folder_, error));
  ASSERT_TRUE(list.Add(4, 6, folder_, error));
  ASSERT_TRUE(list.Delete(1, folder_, error));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"Fire Macro1", "Fire Macro2"}));
  EXPECT_EQ(list.Selected(), 1);
  std::vector<std::uint8_t> expected(30, 0);
  expected[0] = 0x0C, expected[1] = 3, expected[2] = 3;
  expected[3] = 0x0C, expected[4] = 4, expected[5] = 6;
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_EQ(list.SelectedRange(), (std::pair<int, int>{3, 3}));

  ASSERT_TRUE(list.Delete(2, folder_, error));
  EXPECT_EQ(list.Selected(), 1);
  ASSERT_TRUE(list.Delete(1, folder_, error));
  EXPECT_EQ(list.Selected(), std::nullopt);
  EXPECT_EQ(FileBytes(), std::vector<std::uint8_t>(30, 0));
  EXPECT_FALSE(list.Delete(1, folder_, error));
}

TEST_F(GunKeyListTest, AddRefusesAnEleventhEntryAndMeaninglessRanges) {
  GunKeyList list;
  std::string error;
  for (int k = 1; k <= 10; ++k) {
    ASSERT_TRUE(list.Add(k, k, folder_, error));
  }
  const auto full = FileBytes();
  EXPECT_FALSE(list.Add(1, 1, folder_, error));
  EXPECT_EQ(list.Count(), 10);
  EXPECT_EQ(FileBytes(), full);

  GunKeyList other;
  struct Range {
    int first, last;
  };
  for (const Range r : {Range{0, 3}, Range{3, 0}, Range{5, 4}, Range{1, 11}}) {
    error.clear();
    EXPECT_FALSE(other.Add(r.first, r.last, folder_, error)) << r.first << ".." << r.last;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(other.Count(), 0);
  }
}

TEST_F(GunKeyListTest, ShortFileFillsOnlyTheEntriesItReaches) {
  WriteFile({0x0C, 0x01, 0x03, 0x0C, 0x04});
  GunKeyList list;
  std::string error;
  ASSERT_TRUE(list.Load(folder_, error));
  EXPECT_TRUE(list.FileExists());
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GunKeyPosition(keys::GunKeyCode(1, 3)), 1);
}

TEST_F(GunKeyListTest, FailedSaveLeavesTheListAsItWas) {
  GunKeyList list;
  std::string error;
  ASSERT_TRUE(list.Add(1, 1, folder_, error));
  // A folder that does not exist cannot take the file.
  const std::string missing = folder_ + "missing/";
  EXPECT_FALSE(list.Add(2, 2, missing, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_FALSE(list.Delete(1, missing, error));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_FALSE(fs::exists(missing));
}

}  // namespace
}  // namespace orbic::fire
