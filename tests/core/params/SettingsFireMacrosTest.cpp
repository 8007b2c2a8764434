#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fire/FireMacroRecord.h"
#include "fire/GunKeyList.h"
#include "keys/CodeLabels.h"
#include "support/SessionRig.h"
#include "support/TempFolder.h"

// The settings own the fire macros' working copy: filled by the split,
// written back over the fire area by the assembly, trailing bytes as read.
namespace orbic::test {
namespace {

TEST(SettingsFireMacros, SplitFillsTheWorkingCopyAndAssemblyWritesItBack) {
  SessionRig rig;
  params::ParameterImage& image = rig.session.Image();
  const std::size_t area = params::layout::kFireMacroTable.offset;
  const std::size_t trailing = area + fire::FireMacroTable::kWorkingSize;
  image.raw[area + 1] = 0x00;
  image.raw[trailing] = 0x77;
  image.SplitImage();
  orbic::app::SettingsModel& settings = rig.session.Settings();
  EXPECT_EQ(settings.fireMacros.Record(1)[1], 0x00);

  settings.fireMacros.Record(1)[1] = 0x05;
  image.AssembleImage();
  EXPECT_EQ(image.raw[area + 1], 0x05);
  EXPECT_EQ(image.raw[trailing], 0x77);
}

TEST(SettingsFireMacros, GunKeysLoadFromTheProgramFolderAndAddsWriteTheirFile) {
  const TempFolder temp;
  const std::string prefix = temp.Prefix();
  {
    std::ofstream list(fire::GunKeyListPath(prefix), std::ios::binary);
    const char bytes[6] = {0x0C, 0x01, 0x02};
    list.write(bytes, sizeof bytes);
  }
  SessionRig rig;
  std::string error;
  ASSERT_TRUE(rig.session.LoadGunKeys({"", prefix, "", "", ""}, error)) << error;
  EXPECT_EQ(rig.session.GunKeyFolder(), prefix);
  EXPECT_EQ(rig.session.Settings().gunKeys.Count(), 1);
  EXPECT_EQ(keys::LabelForCode("0C0102", rig.session.Settings().labelContext), "Fire Macro1");

  ASSERT_TRUE(rig.session.AddGunKey(3, 4, error)) << error;
  EXPECT_EQ(std::filesystem::file_size(fire::GunKeyListPath(prefix)), 30u);
  EXPECT_EQ(keys::LabelForCode("0C0304", rig.session.Settings().labelContext), "Fire Macro2");
}

}  // namespace
}  // namespace orbic::test
