#include "app/Navigation.h"

#include <gtest/gtest.h>

#include "support/SessionRig.h"

namespace orbic::app {
namespace {

using test::SessionRig;

struct ReadyRig : SessionRig {
  explicit ReadyRig(ui::BehaviourConfig config = {}) : SessionRig(config) {
    EXPECT_EQ(session.ConnectNow(), ConnectionOutcome::kRead);
    ui.Clear();
  }
  Navigation navigation{session};
};

TEST(Navigation, PageButtonsNeedAnOpenMouseAndAreIgnoredWithoutADevice) {
  SessionRig rig;
  Navigation navigation(rig.session);
  EXPECT_EQ(navigation.Click(PageButton::kAdvanced), Navigation::Result::kNoMouse);
  EXPECT_EQ(rig.ui.messages, (std::vector<std::string>{"Finding the specified device"}));
  EXPECT_EQ(rig.session.Pages().visibleGroup, 1);

  ReadyRig ready;
  ready.session.RefreshErrorAP();  // the mouse stays open, the pages are not usable
  ready.ui.Clear();
  EXPECT_EQ(ready.navigation.Click(PageButton::kMacro), Navigation::Result::kIgnored);
  EXPECT_TRUE(ready.ui.messages.empty());
  EXPECT_EQ(ready.session.Pages().visibleGroup, 1);
}

TEST(Navigation, EachButtonShowsItsGroupRadioAndSelectedPictures) {
  const struct {
    PageButton button;
    int group;
    std::string radio;
    std::string family;
  } cases[] = {
      {PageButton::kSecond, 1, "rb_2", "Img_Second_"},
      {PageButton::kAdvanced, 2, "rb_4", "Img_Adv_"},
      {PageButton::kBreath, 3, "rb_5", "Img_Breath_"},
      {PageButton::kMacro, 4, "rb_6", "Img_Macro_"},
      {PageButton::kEngineer, 6, "rb_7", "Img_Engineer_"},
      {PageButton::kMain, 1, "rb_1", "Img_Main_"},
  };
  ReadyRig rig;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radio);
    EXPECT_EQ(rig.navigation.Click(c.button), Navigation::Result::kShown);
    EXPECT_EQ(rig.session.Pages().visibleGroup, c.group);
    EXPECT_EQ(rig.navigation.State().checkedRadio, c.radio);
    int selected = 0;
    for (const auto& [name, picture] : rig.session.Pages().buttonPictures) {
      if (picture == "SetS_03") {
        EXPECT_EQ(name.rfind(c.family, 0), 0u) << name;
        ++selected;
      }
    }
    EXPECT_EQ(selected, 4);
  }
}

TEST(Navigation, KeyModePagesSizeTheMenusAndTheThirdSwitchOption) {
  for (bool gdEnable : {false, true}) {
    ui::BehaviourConfig config;
    config.gdEnable = gdEnable;
    ReadyRig rig(config);
    rig.navigation.Click(PageButton::kSecond);
    EXPECT_EQ(rig.session.Settings().ShownKeyMode(), 2);
    EXPECT_EQ(rig.navigation.State().menuHeight, gdEnable ? 194 : 170);
    EXPECT_EQ(rig.navigation.State().comboKey3Shown, gdEnable);
    rig.navigation.Click(PageButton::kMain);
    EXPECT_EQ(rig.session.Settings().ShownKeyMode(), 1);
    EXPECT_EQ(rig.navigation.State().menuHeight, 170);
    EXPECT_FALSE(rig.navigation.State().comboKey3Shown);
  }
}

// A read of an image that stores key mode 2 selects "Game Mode" as its page
// button would; an image with key mode 1 selects "Office Mode" again. With
// another page open, that page stays.
TEST(Navigation, TheStoredKeyModesPageIsSelectedAfterARead) {
  for (bool gdEnable : {false, true}) {
    SCOPED_TRACE(gdEnable);
    ui::BehaviourConfig config;
    config.gdEnable = gdEnable;
    SessionRig rig(config);
    Navigation navigation(rig.session);
    rig.mouse->firmware.memory[0x34] = 0x80;
    rig.mouse->firmware.memory[0x35] = 0x7F;
    ASSERT_EQ(rig.session.ConnectNow(), ConnectionOutcome::kRead);
    EXPECT_EQ(rig.session.Settings().ShownKeyMode(), 2);
    EXPECT_EQ(navigation.State().checkedRadio, "rb_2");
    EXPECT_EQ(navigation.State().menuHeight, gdEnable ? 194 : 170);
    EXPECT_EQ(navigation.State().comboKey3Shown, gdEnable);
    EXPECT_EQ(rig.session.Pages().visibleGroup, 1);
    EXPECT_EQ(rig.session.Pages().buttonPictures.at("Img_Second_1"), "SetS_03");
    EXPECT_EQ(rig.session.Pages().buttonPictures.at("Img_Main_1"), "SetS_01");

    rig.session.Image().data.parameterB[0x04] = 0x00;
    rig.session.Settings().RefreshUI(rig.session.Image().data);
    EXPECT_EQ(navigation.State().checkedRadio, "rb_1");
    EXPECT_FALSE(navigation.State().comboKey3Shown);
    EXPECT_EQ(rig.session.Pages().buttonPictures.at("Img_Main_1"), "SetS_03");

    navigation.Click(PageButton::kAdvanced);
    rig.session.Image().data.parameterB[0x04] = 0x80;
    rig.session.Settings().RefreshUI(rig.session.Image().data);
    EXPECT_EQ(rig.session.Settings().ShownKeyMode(), 2);
    EXPECT_EQ(navigation.State().checkedRadio, "rb_4");
    EXPECT_EQ(rig.session.Pages().visibleGroup, 2);
  }
}

TEST(Navigation, EngineerPageUnlocksBothGesturesAndRefreshFollowsTheRadio) {
  ReadyRig rig;
  EXPECT_FALSE(rig.navigation.State().engineerUnlocked);
  rig.navigation.Click(PageButton::kEngineer);
  EXPECT_TRUE(rig.navigation.State().engineerUnlocked);
  EXPECT_TRUE(rig.navigation.State().fireRecordingShown);
  EXPECT_EQ(rig.navigation.State().menuHeight, 194);

  rig.session.Pages().visibleGroup = 2;
  rig.navigation.RefreshAPPage();
  EXPECT_EQ(rig.session.Pages().visibleGroup, 6);
  rig.session.RefreshErrorAP();
  rig.navigation.RefreshAPPage();
  EXPECT_EQ(rig.session.Pages().visibleGroup, 1);

  EXPECT_EQ(Navigation::PagePicture(6, 2), "L2_Back4");
  EXPECT_EQ(Navigation::PagePicture(3, 1), "L1_Back3");
  EXPECT_EQ(Navigation::WindowSize(6, {900, 640}), std::make_pair(1000, 600));
  EXPECT_EQ(Navigation::WindowSize(5, {900, 640}), std::make_pair(900, 640));
}

}  // namespace
}  // namespace orbic::app
