#include "fire/BurstFireSettings.h"

#include <gtest/gtest.h>

#include "params/ImageFields.h"

namespace orbic::fire {
namespace {

TEST(BurstFireSettingsTest, RepeatEditIsCorrectedAndSelectsTheCount) {
  struct Case {
    const char* typed;
    const char* shown;
    int index;
  };
  const Case cases[] = {
      {"", "2", 1}, {"0", "1", 0}, {"300", "255", 254}, {"255", "255", 254}, {"7", "7", 6},
  };
  for (const Case& c : cases) {
    params::DeviceOptions options;
    options.continuousFire = false;
    BurstFireSettings settings(options);
    settings.Edt_Repeat1Change(c.typed);
    EXPECT_EQ(settings.RepeatText(), c.shown) << c.typed;
    EXPECT_EQ(settings.FireCountIndex(), c.index) << c.typed;
    params::DataBuf data;
    options.WriteFireKeyToImage(data);
    EXPECT_EQ(data.fireKey[params::fire_key::kRepeatOperand], c.index) << c.typed;
  }
  EXPECT_TRUE(BurstFireSettings::AcceptsRepeatKey('4'));
  EXPECT_TRUE(BurstFireSettings::AcceptsRepeatKey('\b'));
  EXPECT_FALSE(BurstFireSettings::AcceptsRepeatKey('-'));
}

TEST(BurstFireSettingsTest, ContinuousToggleAndCountListKeepBothViewsEqual) {
  params::DeviceOptions options;
  options.continuousFire = false;
  options.fireCountIndex = 9;
  BurstFireSettings settings(options);
  settings.RefreshFromOptions();
  EXPECT_EQ(settings.RepeatText(), "10");

  settings.lbl_FireContinueClick();
  EXPECT_TRUE(settings.Continuous());
  EXPECT_FALSE(settings.RepeatEnabled());
  EXPECT_EQ(settings.RepeatText(), "3");
  EXPECT_EQ(settings.FireCountIndex(), 255);
  EXPECT_EQ(settings.ContinuousPicture(), "CbS_E");
  params::DataBuf data;
  options.WriteFireKeyToImage(data);
  EXPECT_EQ(data.fireKey[params::fire_key::kRepeatOperand], 0xFF);

  // Off again: the count follows the edit, so it is not stored as continuous.
  settings.lbl_FireContinueClick();
  EXPECT_FALSE(settings.Continuous());
  EXPECT_TRUE(settings.RepeatEnabled());
  EXPECT_EQ(settings.ContinuousPicture(), "CbS_D");
  EXPECT_EQ(settings.FireCountIndex(), 2);
  options.WriteFireKeyToImage(data);
  EXPECT_EQ(data.fireKey[params::fire_key::kRepeatOperand], 2);

  settings.lbl_FireContinueClick();
  settings.cb_FireCountChange(4);
  EXPECT_FALSE(settings.Continuous());
  EXPECT_EQ(settings.RepeatText(), "5");

  // The list's last item is 255 shots, stored as 254: never the 0xFF of
  // continuous fire.
  settings.cb_FireCountChange(255);
  EXPECT_EQ(settings.FireCountIndex(), 254);
  EXPECT_EQ(settings.RepeatText(), "255");
  options.WriteFireKeyToImage(data);
  EXPECT_EQ(data.fireKey[params::fire_key::kRepeatOperand], 254);
}

TEST(BurstFireSettingsTest, IntervalEditsAreCorrectedAndCopied) {
  struct Case {
    bool advancedPage;
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {true, "", "0"},    {true, "-4", "0"},     {true, "256", "255"}, {true, "40", "40"},
      {false, "", "100"}, {false, "999", "255"}, {false, "12", "12"},
  };
  for (const Case& c : cases) {
    params::DeviceOptions options;
    BurstFireSettings settings(options);
    if (c.advancedPage) {
      settings.Edt_DelayTime1Change(c.typed);
    } else {
      settings.edt_FireTimeChange(c.typed);
    }
    EXPECT_EQ(settings.DelayTimeText(), c.shown) << c.typed;
    EXPECT_EQ(settings.FireTimeText(), c.shown) << c.typed;
    EXPECT_EQ(std::to_string(options.fireTime), c.shown) << c.typed;
  }
}

}  // namespace
}  // namespace orbic::fire
