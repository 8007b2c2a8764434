#include "perf/PointerSettingsPage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/MemoryPointerSystem.h"

namespace orbic::perf {
namespace {

using sim::MemoryPointerSystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kMouse(kMouseKey);
const std::string kDesktop(kDesktopKey);

// A desktop as Windows sets it up, with precision on.
MemoryPointerSystem::Store TypicalStore() {
  return {{kMouse,
           {{"MouseSensitivity", "10"},
            {"MouseSpeed", "1"},
            {"MouseThreshold1", "6"},
            {"MouseThreshold2", "10"},
            {"DoubleClickSpeed", "500"}}},
          {kDesktop, {{"WheelScrollLines", "3"}}}};
}

void SetOrErase(MemoryPointerSystem& system, const std::string& key, const char* name,
                std::optional<const char*> text) {
  if (text) {
    system.SetValue(key, name, *text);
  } else {
    system.EraseValue(key, name);
  }
}

class PointerSettingsPageTest : public ::testing::Test {
 protected:
  void Refresh() {
    page.RefreshMouseSystemParameterA();
    page.RefreshMouseSystemParameterB();
  }

  MemoryPointerSystem system{TypicalStore()};
  PointerSettingsPage page{system};
};

struct SpeedReadCase {
  std::optional<const char*> text;  // nullopt: value absent
  int step;
  int speedValue;
};

TEST_F(PointerSettingsPageTest, RefreshPlacesMouseSensitivityOnItsStep) {
  const SpeedReadCase cases[] = {
      {"10", 6, 10},
      {"11", 6, 11},
      {"0", 1, 0},
      {"1", 1, 1},
      {"2", 2, 2},
      {"20", 11, 20},
      {"21", 6, 21},
      {"-3", 6, -3},
      {" 8 ", 5, 8},
      {"", 11, 20},
      {std::nullopt, 11, 20},
      {"fast", 11, 20},
      {"12abc", 11, 20},
      {"1e1", 11, 20},
      {"99999999999", 11, 20},
  };
  for (const SpeedReadCase& c : cases) {
    SCOPED_TRACE(c.text.value_or("<absent>"));
    SetOrErase(system, kMouse, "MouseSensitivity", c.text);
    page.RefreshMouseSystemParameterA();
    EXPECT_EQ(page.Settings().speedStep, c.step);
    EXPECT_EQ(page.Settings().speedValue, c.speedValue);
    EXPECT_EQ(page.Controls().spdPosition, (c.step - 1) * 100);
  }
}

TEST_F(PointerSettingsPageTest, RefreshPlacesDoubleClickSpeedOnItsStep) {
  const SpeedReadCase cases[] = {
      {"500", 7, 500},  {"1000", 1, 1000}, {"900", 1, 900}, {"899", 2, 899},
      {"270", 10, 270}, {"269", 11, 269},  {"-5", 11, -5},  {std::nullopt, 7, 480},
      {"slow", 7, 480}, {"", 7, 480},
  };
  for (const SpeedReadCase& c : cases) {
    SCOPED_TRACE(c.text.value_or("<absent>"));
    SetOrErase(system, kMouse, "DoubleClickSpeed", c.text);
    page.RefreshMouseSystemParameterA();
    EXPECT_EQ(page.Settings().doubleClickStep, c.step);
    EXPECT_EQ(page.Settings().doubleClickTime, c.speedValue);
    EXPECT_EQ(page.Controls().dbSpdPosition, (c.step - 1) * 100);
  }
}

TEST_F(PointerSettingsPageTest, PrecisionCheckIsOnWhenAnyAccelerationFieldIsSet) {
  struct Case {
    std::optional<const char*> speed, threshold1, threshold2;
    bool checked;
  };
  const Case cases[] = {
      {"0", "0", "10", true}, {"1", "6", "10", true},
      {"0", "0", "0", false}, {std::nullopt, std::nullopt, std::nullopt, false},
      {"x", "", "-", false},  {"0", "-4", "0", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.speed.value_or("<absent>") << " " << c.threshold1.value_or("<absent>") << " "
                 << c.threshold2.value_or("<absent>"));
    SetOrErase(system, kMouse, "MouseSpeed", c.speed);
    SetOrErase(system, kMouse, "MouseThreshold1", c.threshold1);
    SetOrErase(system, kMouse, "MouseThreshold2", c.threshold2);
    page.RefreshMouseSystemParameterA();
    EXPECT_EQ(page.Controls().isControlChecked, c.checked);
    EXPECT_EQ(page.IsControlPicture(), c.checked ? "CbS_E" : "CbS_D");
  }
}

TEST_F(PointerSettingsPageTest, RefreshPlacesWheelScrollLinesOnItsStep) {
  struct Case {
    const char* text;
    int step;
  };
  const Case cases[] = {{"0", 3}, {"1", 1}, {"7", 7}, {"11", 11}, {"15", 11}, {"-2", 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    system.SetValue(kDesktop, "WheelScrollLines", "-1");
    page.RefreshMouseSystemParameterB();  // starts each case from "one screen"
    system.SetValue(kDesktop, "WheelScrollLines", c.text);
    page.RefreshMouseSystemParameterB();
    EXPECT_EQ(page.Settings().wheelStep, c.step);
    EXPECT_EQ(page.Settings().rememberedWheelStep, c.step);
    EXPECT_EQ(page.Controls().srcSpdPosition, (c.step - 1) * 100);
    EXPECT_FALSE(page.Controls().isScreenChecked);
    EXPECT_EQ(page.IsScreenPicture(), "CbS_D");
    EXPECT_TRUE(page.Controls().srcSpdEnabled);
  }
}

TEST_F(PointerSettingsPageTest, UnreadableWheelSettingLeavesPageAsItWas) {
  const std::vector<std::pair<const char*, std::function<void(MemoryPointerSystem&)>>> cases = {
      {"value absent", [](auto& s) { s.EraseValue(kDesktop, "WheelScrollLines"); }},
      {"key absent", [](auto& s) { s.EraseKey(kDesktop); }},
      {"not a number", [](auto& s) { s.SetValue(kDesktop, "WheelScrollLines", "lots"); }},
      {"empty", [](auto& s) { s.SetValue(kDesktop, "WheelScrollLines", ""); }},
      {"trailing text", [](auto& s) { s.SetValue(kDesktop, "WheelScrollLines", "5 lines"); }},
  };
  for (const auto& [what, spoil] : cases) {
    SCOPED_TRACE(what);
    MemoryPointerSystem local(TypicalStore());
    local.SetValue(kDesktop, "WheelScrollLines", "5");
    PointerSettingsPage localPage(local);
    localPage.RefreshMouseSystemParameterB();
    spoil(local);
    localPage.RefreshMouseSystemParameterB();
    EXPECT_EQ(localPage.Settings().wheelStep, 5);
    EXPECT_EQ(localPage.Settings().wheelLines, 5);
    EXPECT_EQ(localPage.Controls().srcSpdPosition, 400);
    EXPECT_FALSE(localPage.Controls().isScreenChecked);
    EXPECT_TRUE(localPage.Controls().srcSpdEnabled);
  }
}

TEST_F(PointerSettingsPageTest, ApplyPushesOnlyWhatTheUserChangedSinceTheLastRead) {
  system.SetValue(kMouse, "MouseSensitivity", "21");  // between steps: step 6
  system.SetValue(kMouse, "MouseSpeed", "2");
  system.SetValue(kMouse, "MouseThreshold1", "7");
  system.SetValue(kMouse, "MouseThreshold2", "12");
  system.SetValue(kMouse, "DoubleClickSpeed", "400");  // between steps
  system.SetValue(kDesktop, "WheelScrollLines", "0");  // step 3
  Refresh();
  EXPECT_EQ(system.Reloads(), 1);
  system.ClearCalls();

  // Values merely read are not written back, snapped or otherwise.
  page.ApplyPointerSettings();
  EXPECT_THAT(system.Calls(), IsEmpty());

  // A change goes out alone, and again with every apply until the next read.
  page.slider_SpdMouseUp(140);
  EXPECT_THAT(system.Calls(),
              ElementsAre("Write Control Panel\\Mouse MouseSensitivity=10", "SetMouseSpeed 10"));
  system.ClearCalls();
  page.ApplyPointerSettings();
  EXPECT_THAT(system.Calls(),
              ElementsAre("Write Control Panel\\Mouse MouseSensitivity=10", "SetMouseSpeed 10"));
  EXPECT_EQ(system.Value(kMouse, "DoubleClickSpeed"), "400");
  EXPECT_EQ(system.Value(kMouse, "MouseSpeed"), "2");
  EXPECT_EQ(system.Value(kDesktop, "WheelScrollLines"), "0");

  Refresh();
  EXPECT_EQ(system.Reloads(), 2);  // the desktop's values are read afresh
  system.ClearCalls();
  page.ApplyPointerSettings();
  EXPECT_THAT(system.Calls(), IsEmpty());
}

TEST_F(PointerSettingsPageTest, SliderReleaseSelectsStepAndWritesItsValue) {
  struct Slider {
    const char* name;
    void (PointerSettingsPage::*release)(int);
    int PointerSettingsControls::*position;
    const char* key;
    const char* value;
    std::vector<const char*> valueByStep;  // for steps 1, 6, 11
  };
  const Slider sliders[] = {
      {"slider_Spd",
       &PointerSettingsPage::slider_SpdMouseUp,
       &PointerSettingsControls::spdPosition,
       "Control Panel\\Mouse",
       "MouseSensitivity",
       {"1", "10", "20"}},
      {"slider_DbSpd",
       &PointerSettingsPage::slider_DbSpdMouseUp,
       &PointerSettingsControls::dbSpdPosition,
       "Control Panel\\Mouse",
       "DoubleClickSpeed",
       {"900", "550", "200"}},
      {"slider_SrcSpd",
       &PointerSettingsPage::slider_SrcSpdMouseUp,
       &PointerSettingsControls::srcSpdPosition,
       "Control Panel\\Desktop",
       "WheelScrollLines",
       {"1", "6", "11"}},
  };
  // Left of the first cell, inside cell 5, beyond the last cell.
  const int releases[] = {-50, 140, 400};
  const int steps[] = {1, 6, 11};
  Refresh();
  for (const Slider& slider : sliders) {
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(::testing::Message() << slider.name << " x=" << releases[i]);
      (page.*slider.release)(releases[i]);
      EXPECT_EQ(page.Controls().*slider.position, (steps[i] - 1) * 100);
      EXPECT_EQ(system.Value(slider.key, slider.value), slider.valueByStep[i]);
    }
  }
  EXPECT_EQ(page.Settings().rememberedWheelStep, 11);
}

TEST_F(PointerSettingsPageTest, PrecisionClickTogglesAccelerationTriple) {
  system.SetValue(kMouse, "MouseSpeed", "0");
  system.SetValue(kMouse, "MouseThreshold1", "0");
  system.SetValue(kMouse, "MouseThreshold2", "10");
  Refresh();
  ASSERT_TRUE(page.Controls().isControlChecked);

  struct Expected {
    bool checked;
    const char* picture;
    const char* speed;
    const char* threshold1;
    const char* threshold2;
    const char* liveCall;
  };
  const Expected clicks[] = {{false, "CbS_D", "0", "0", "0", "SetMouseAcceleration 0 0 0"},
                             {true, "CbS_E", "1", "6", "10", "SetMouseAcceleration 6 10 1"}};
  for (const Expected& e : clicks) {
    system.ClearCalls();
    page.lbl_IsControlClick();
    EXPECT_EQ(page.Controls().isControlChecked, e.checked);
    EXPECT_EQ(page.IsControlPicture(), e.picture);
    EXPECT_EQ(system.Value(kMouse, "MouseSpeed"), e.speed);
    EXPECT_EQ(system.Value(kMouse, "MouseThreshold1"), e.threshold1);
    EXPECT_EQ(system.Value(kMouse, "MouseThreshold2"), e.threshold2);
    EXPECT_THAT(system.Calls(), ::testing::Contains(e.liveCall));
  }
}

TEST_F(PointerSettingsPageTest, OneScreenAtATimeLocksWheelSliderUntilTurnedOff) {
  system.SetValue(kDesktop, "WheelScrollLines", "5");
  Refresh();

  page.lbl_IsScreenClick();
  EXPECT_TRUE(page.Controls().isScreenChecked);
  EXPECT_EQ(page.IsScreenPicture(), "CbS_E");
  EXPECT_FALSE(page.Controls().srcSpdEnabled);
  EXPECT_EQ(page.Controls().srcSpdPosition, 400);  // keeps its place
  EXPECT_EQ(system.Value(kDesktop, "WheelScrollLines"), "-1");

  system.ClearCalls();
  page.slider_SrcSpdMouseUp(20);  // disabled: no effect
  EXPECT_THAT(system.Calls(), IsEmpty());
  EXPECT_EQ(page.Controls().srcSpdPosition, 400);

  page.slider_SpdMouseUp(20);  // every apply keeps "one screen"
  EXPECT_THAT(system.Calls(),
              ::testing::Contains("Write Control Panel\\Desktop WheelScrollLines=-1"));
  EXPECT_EQ(system.Calls().back(), "SetWheelScrollLines -1");

  page.lbl_IsScreenClick();
  EXPECT_FALSE(page.Controls().isScreenChecked);
  EXPECT_TRUE(page.Controls().srcSpdEnabled);
  EXPECT_EQ(page.Settings().wheelStep, 5);
  EXPECT_EQ(system.Value(kDesktop, "WheelScrollLines"), "5");
  EXPECT_EQ(system.Calls().back(), "SetWheelScrollLines 5");
}

// The all-ones text is what the live call itself may leave in the registry for "one screen".
TEST_F(PointerSettingsPageTest, OneScreenAsTheAllOnesValueIsReadAsOneScreen) {
  for (const char* text : {"4294967295", " 4294967295 "}) {
    SCOPED_TRACE(text);
    system.SetValue(kDesktop, "WheelScrollLines", "5");
    Refresh();
    system.SetValue(kDesktop, "WheelScrollLines", text);
    Refresh();
    EXPECT_TRUE(page.Controls().isScreenChecked);
    EXPECT_FALSE(page.Controls().srcSpdEnabled);
    EXPECT_EQ(page.Settings().wheelStep, kWheelOneScreen);
  }
  system.SetValue(kDesktop, "WheelScrollLines", "4294967296");  // no 32-bit value at all
  Refresh();
  EXPECT_EQ(page.Settings().wheelStep, kWheelOneScreen);  // kept as it was
}

TEST_F(PointerSettingsPageTest, OneScreenReadFromSystemTurnsOffToStepOne) {
  system.SetValue(kDesktop, "WheelScrollLines", "5");
  Refresh();
  system.SetValue(kDesktop, "WheelScrollLines", "-1");  // changed outside the program
  Refresh();
  EXPECT_TRUE(page.Controls().isScreenChecked);
  EXPECT_FALSE(page.Controls().srcSpdEnabled);

  // The earlier line count is not written back while the check shows "one
  // screen"; nor is the wheel, which the user did not touch.
  system.ClearCalls();
  page.slider_SpdMouseUp(140);
  EXPECT_THAT(system.Calls(),
              ElementsAre("Write Control Panel\\Mouse MouseSensitivity=10", "SetMouseSpeed 10"));

  page.lbl_IsScreenClick();
  EXPECT_EQ(page.Settings().wheelStep, 1);
  EXPECT_EQ(page.Controls().srcSpdPosition, 0);  // shows the step it writes
  EXPECT_EQ(system.Value(kDesktop, "WheelScrollLines"), "1");
  EXPECT_EQ(system.Calls().back(), "SetWheelScrollLines 1");
}

TEST_F(PointerSettingsPageTest, NothingReadNothingWrittenOrApplied) {
  // Before any refresh every step is 0: an apply must not push zeros into the system.
  page.ApplyPointerSettings();
  EXPECT_THAT(system.Calls(), IsEmpty());
  EXPECT_EQ(system.Value(kMouse, "MouseSensitivity"), "10");

  // Without a wheel setting, turning "one screen" off has no line count to
  // write.
  system.EraseValue(kDesktop, "WheelScrollLines");
  Refresh();
  page.lbl_IsScreenClick();
  page.slider_SpdMouseUp(140);
  EXPECT_THAT(system.Calls(),
              ElementsAre("Write Control Panel\\Mouse MouseSensitivity=10", "SetMouseSpeed 10"));
}

TEST_F(PointerSettingsPageTest, MissingMouseKeyIsNeitherReadNorWrittenButChoicesApplyLive) {
  system.EraseKey(kMouse);
  Refresh();
  EXPECT_EQ(page.Settings().speedStep, 0);
  EXPECT_EQ(page.Settings().doubleClickStep, 0);

  system.ClearCalls();
  page.slider_SpdMouseUp(140);
  EXPECT_THAT(system.Calls(), ElementsAre("SetMouseSpeed 10"));
  EXPECT_FALSE(system.KeyExists(kMouseKey));
}

}  // namespace
}  // namespace orbic::perf
