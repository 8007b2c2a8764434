#include "app/RollingText.h"

#include <gtest/gtest.h>

namespace orbic::app {
namespace {

std::vector<std::string> Roll(RollingText& text, int ticks) {
  std::vector<std::string> shown;
  for (int i = 0; i < ticks; ++i) {
    const std::string* caption = text.Tick(true);
    shown.push_back(caption ? *caption : "<unchanged>");
  }
  return shown;
}

TEST(RollingText, MovesOneCharacterPerTickWithAGapAfterTheFirst) {
  RollingText text;
  EXPECT_TRUE(text.Start("lbl_Macro", "Macro", true));
  EXPECT_EQ(Roll(text, 3), (std::vector<std::string>{"acro    M", "cro    Ma", "ro    Mac"}));
  EXPECT_EQ(text.Stop(), "Macro");
  EXPECT_EQ(text.Tick(true), nullptr);  // nothing hovered any more
}

TEST(RollingText, CounterRestartsAtTwoSoTheGapIsAddedOnce) {
  RollingText text;
  text.Start("l", "ab", true);
  const auto shown = Roll(text, 25);
  EXPECT_EQ(text.Ticks(), 6);  // the 21st tick counts 2, the 25th 6
  for (const std::string& caption : shown) {
    EXPECT_EQ(caption.size(), 6u) << caption;  // "ab" plus one gap of four
  }
}

TEST(RollingText, ChineseCaptionsRollByCharacter) {
  RollingText text;
  text.Start("l", "宏设置", true);
  EXPECT_EQ(Roll(text, 2), (std::vector<std::string>{"设置    宏", "置    宏设"}));
}

TEST(RollingText, DisabledLabelsAndSwitchedOffRollingLeaveTheCaption) {
  RollingText text;
  EXPECT_FALSE(text.Start("l", "Macro", false));  // the timer is not started
  text.Start("l", "Macro", true);
  EXPECT_EQ(text.Tick(false), nullptr);
  EXPECT_EQ(text.Ticks(), 0);
}

}  // namespace
}  // namespace orbic::app
