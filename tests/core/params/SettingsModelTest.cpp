#include <gtest/gtest.h>

#include <random>

#include "app/SettingsModel.h"
#include "base/UiHost.h"
#include "params/DefaultImages.h"
#include "params/ImageFields.h"

namespace orbic::test {
namespace {

using orbic::app::SettingsModel;
using params::DataBuf;
using params::Image;
using params::ParameterImage;

// An image with the pages bound to it, as the session holds them.
struct Pages {
  ui::BehaviourConfig config;
  ui::MessageStrings messages;
  orbic::NullUiHost host;
  ParameterImage image;
  SettingsModel model{config, image.data, host, messages};

  Pages() { model.BindTo(image); }

  void Show(const Image& raw) {
    image.raw = raw;
    image.SplitImage();
    model.DataBufToUI(image.data);
  }
};

// Split, show on the pages, and assemble again without touching anything.
Image RoundTrip(const Image& raw) {
  Pages pages;
  pages.Show(raw);
  pages.image.AssembleImage();
  return pages.image.raw;
}

// An image whose checked sections are valid, everything else random.
Image RandomValidImage(std::mt19937& random) {
  Image raw;
  for (auto& byte : raw) {
    byte = static_cast<std::uint8_t>(random());
  }
  ParameterImage image;
  image.raw = raw;
  image.SplitImage();  // repairs whatever failed its check
  // Put the random bytes back where they do not break a check.
  std::copy_n(raw.begin(), 47, image.data.parameterA.begin());
  for (int pair = 0; pair < 3; ++pair) {
    image.data.parameterB[2 * pair + 1] =
        static_cast<std::uint8_t>(~image.data.parameterB[2 * pair]);
  }
  std::copy_n(raw.begin() + 0x40, 54, image.data.profile.begin());
  // No aim buttons: the aim setting owns their operands and rewrites them.
  for (std::size_t code = 0; code < 54; code += 3) {
    if (image.data.profile[code] == 0x0A) {
      image.data.profile[code] = 0x0B;
    }
  }
  image.AssembleImage();
  return image.raw;
}

TEST(SettingsModel, TheDefaultImagesComeBackByteForByte) {
  for (const Image& image : params::LoadDefaultImages()) {
    EXPECT_EQ(RoundTrip(image), image);
  }
}

TEST(SettingsModel, BytesThatNoSettingOwnsSurviveAnyImage) {
  struct Owned {
    std::size_t offset;
    std::uint8_t mask;  // bits a setting may rewrite
  };
  // Bytes and bits the pages write; everything else must come back as it was.
  const std::vector<Owned> owned = {
      {0x00, 0xFF}, {0x01, 0x3F}, {0x02, 0xFF}, {0x03, 0xF8}, {0x04, 0xFF},
      {0x06, 0xFF}, {0x07, 0xFF}, {0x08, 0xFF}, {0x09, 0xFF}, {0x0A, 0xFF},
      {0x0B, 0xFF}, {0x0C, 0xFF}, {0x2F, 0xFF}, {0x30, 0xFF}, {0x31, 0xFF},
      {0x32, 0xFF}, {0x33, 0xFF}, {0x34, 0xFF}, {0x35, 0xFF}, {0x36, 0xFF},
      {0x37, 0xFF}, {0x76, 0xFF}, {0xF2, 0xFF}, {0xF8, 0xFF}, {0xFA, 0xFF}};
  auto mask = [&](std::size_t offset) -> std::uint8_t {
    if ((offset >= 0x1A && offset <= 0x2E) || (offset >= 0xB0 && offset <= 0xC3) ||
        (offset >= 0xD0 && offset <= 0xED)) {
      return 0xFF;  // DPI colours, Y offsets, fire macro colours
    }
    for (const Owned& entry : owned) {
      if (entry.offset == offset) {
        return entry.mask;
      }
    }
    return 0;
  };
  std::mt19937 random(40);
  for (int round = 0; round < 50; ++round) {
    const Image original = RandomValidImage(random);
    const Image result = RoundTrip(original);
    for (std::size_t offset = 0; offset < original.size(); ++offset) {
      const std::uint8_t keep = static_cast<std::uint8_t>(~mask(offset));
      ASSERT_EQ(result[offset] & keep, original[offset] & keep)
          << "round " << round << " offset 0x" << std::hex << offset;
    }
    // What the pages own comes back too when it is valid: the Profile copy always.
    EXPECT_TRUE(
        std::equal(original.begin() + 0x40, original.begin() + 0x76, result.begin() + 0x40));
  }
}

TEST(SettingsModel, ShowsTheFirstDefaultImageAsItsDescriptionSays) {
  Pages pages;
  pages.Show(params::LoadDefaultImages()[0]);
  const SettingsModel& model = pages.model;

  const auto& light = model.lighting.Controls();
  EXPECT_TRUE(light.rb_B4CPIOff);
  EXPECT_TRUE(model.options.fireFnLeftKey);
  EXPECT_TRUE(light.rb_LCPIOn);
  EXPECT_TRUE(light.rb_Save);
  EXPECT_EQ(params::kSensorOrientations[model.options.sensorOrientation].text, "180°");
  EXPECT_TRUE(model.lighting.IsMcuLed());
  EXPECT_TRUE(light.rb_MCULED3Control);
  EXPECT_EQ(light.edt_MCULEDNum, "10");
  EXPECT_EQ(light.cb_Mode, (std::array<bool, 7>{true, true, true, true, true, true, true}));
  EXPECT_FALSE(model.options.midPress || model.options.cpiPress || model.options.gunPress);
  EXPECT_TRUE(model.options.smooth);
  const auto& dpi = model.dpi.Controls();
  EXPECT_EQ(dpi.levelCount, 6);
  const std::array<int, 7> steps{1, 4, 6, 7, 9, 10, 7};  // 800 1600 2400 3200 4800 6400 3200
  for (int level = 0; level < 7; ++level) {
    EXPECT_EQ(dpi.levels[level].cb_CPI, steps[level]) << "level " << level + 1;
  }
  EXPECT_EQ(dpi.cb_CurrentCPI, 1);                     // level 2
  EXPECT_EQ(light.cb_MCULEDCurrentMode.itemIndex, 3);  // mode 4
  EXPECT_TRUE(light.rb_LEDOn);
  EXPECT_EQ(light.edt_MCULEDCrtStep, "2");
  EXPECT_EQ(model.ShownKeyMode(), 1);
  EXPECT_EQ(model.options.vendorCode, 255);
  const std::array<std::string, 9> labels{"Left Click", "Middle Click", "Right Click",
                                          "Back",       "Forward",      "DPI Loop",
                                          "DPI +",      "DPI -",        "LED Mode"};
  for (int mode = 1; mode <= 2; ++mode) {
    for (int button = 1; button <= 9; ++button) {
      EXPECT_EQ(model.keys.Label(mode, button), labels[button - 1]);
    }
  }
  EXPECT_FALSE(model.options.continuousFire);
  EXPECT_EQ(model.options.fireCountIndex + 1, 3);
  EXPECT_EQ(model.options.fireTime, 6);
  EXPECT_EQ(model.options.fireMacroColours[6], (std::array<int, 3>{0xFF, 0x80, 0x00}));
}

TEST(SettingsModel, TheStoredKeyModeOpensItsPageAndIsWrittenFromThePageShown) {
  Pages pages;
  Image raw = params::LoadDefaultImages()[0];
  raw[0x34] = 0x80;
  raw[0x35] = 0x7F;
  pages.Show(raw);
  SettingsModel& model = pages.model;
  ParameterImage& image = pages.image;
  EXPECT_EQ(model.ShownKeyMode(), 2);

  // "No Save" with the Game Mode page open still stores key mode 2.
  model.lighting.rb_NoSaveClick();
  model.OpenKeyModePage(2);
  model.UIToDataBuf(image.data);
  EXPECT_EQ(image.data.parameterB[4], 0x80);
  EXPECT_EQ(image.data.parameterB[5], 0x7F);
  EXPECT_NE(image.data.parameterA[0] & 0x08, 0);  // no save
}

TEST(SettingsModel, FireKeyCountsAndContinuousFire) {
  Pages pages;
  SettingsModel& model = pages.model;
  DataBuf data;
  model.options.continuousFire = false;
  model.options.fireCountIndex = 0;  // one shot
  model.UIToDataBuf(data);
  EXPECT_EQ(data.fireKey[2], 0);

  model.options.continuousFire = true;
  model.UIToDataBuf(data);
  EXPECT_EQ(data.fireKey[2], 0xFF);
  model.options.RefreshFireKeyFromImage(data);
  EXPECT_EQ(model.options.fireCountIndex + 1, 3);  // the repeat field shows 3
}

TEST(SettingsModel, YOffsetsAreSignedWithTheirComplements) {
  Pages pages;
  SettingsModel& model = pages.model;
  DataBuf data;
  model.options.yOffsets[0] = -3;
  model.options.yOffsets[9] = 127;
  model.UIToDataBuf(data);
  EXPECT_EQ(data.fireYOffsetTable[0], 0xFD);
  EXPECT_EQ(data.fireYOffsetTable[1], 0x02);
  EXPECT_EQ(data.fireYOffsetTable[18], 0x7F);
  EXPECT_EQ(data.fireYOffsetTable[19], 0x80);
  model.options.RefreshFireTablesFromImage(data);
  EXPECT_EQ(model.options.yOffsets[0], -3);
}

TEST(SettingsModel, TheAimValueComesFromTheAimButtonsAndGoesBackIntoAllOfThem) {
  // Key mode 1 button 4 and key mode 2 button 5 are aim buttons; the last wins.
  ParameterImage edited;
  edited.raw = params::LoadDefaultImages()[0];
  edited.SplitImage();
  const std::array<std::uint8_t, 3> aim1{0x0A, 0x02, 0x00}, aim2{0x0A, 0x05, 0x00};
  std::copy(aim1.begin(), aim1.end(), edited.data.profile.begin() + 3 * 3);
  std::copy(aim2.begin(), aim2.end(), edited.data.profile.begin() + 27 + 3 * 4);
  edited.AssembleImage();  // fresh Profile checksum

  Pages pages;
  pages.Show(edited.raw);
  EXPECT_EQ(pages.model.dpi.Controls().aimValue, 5);

  pages.model.assignment.cb_AIMKeyValueChange(8);
  pages.image.AssembleImage();
  const std::size_t profile = 0x40;
  EXPECT_EQ(pages.image.raw[profile + 3 * 3 + 1], 8);
  EXPECT_EQ(pages.image.raw[profile + 27 + 3 * 4 + 1], 8);
}

}  // namespace
}  // namespace orbic::test
