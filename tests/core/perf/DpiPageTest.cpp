#include "perf/DpiPage.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "params/DefaultImages.h"
#include "params/ParameterImage.h"
#include "support/RecordingUiHost.h"

namespace orbic::perf {
namespace {

// Image offsets of the DPI bytes, spelled out apart from the implementation.
constexpr std::size_t kCountByte = 2;
constexpr std::size_t kFirstStepByte = 6;
constexpr std::size_t kFirstColourByte = 26;
constexpr std::size_t kCurrentByte = 0;  // in Parameter B

const LevelLabelColours kLabelColours{MakeColour(1, 2, 3), MakeColour(4, 5, 6)};

std::vector<std::string> Items(int count) {
  std::vector<std::string> items;
  for (int i = 1; i <= count; ++i) {
    items.push_back(std::to_string(i));
  }
  return items;
}

const DpiLevelControls& LevelOf(const DpiPage& page, int n) {
  return page.Controls().levels[static_cast<std::size_t>(n - 1)];
}

// Both count combos, the current-level items and the state of every level agree with `count`.
void ExpectLevelCount(const DpiPage& page, int count) {
  const DpiControls& c = page.Controls();
  EXPECT_EQ(c.levelCount, count);
  EXPECT_EQ(c.cb_CPIStep, count - 2);
  EXPECT_EQ(c.cbb_DPICount, count - 2);
  EXPECT_EQ(c.cb_CurrentCPIItems, Items(count));
  for (int n = 1; n <= kDpiLevelCount; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const DpiLevelControls& level = LevelOf(page, n);
    EXPECT_EQ(level.enabled, n <= count);
    EXPECT_EQ(level.engineerShown, n <= count);
    EXPECT_EQ(level.lbl_DPIColour, n <= count ? kLabelColours.selected : kLabelColours.notSelected);
  }
}

// The combo and exactly one marker name `level` as current.
void ExpectCurrentLevel(const DpiPage& page, int level) {
  EXPECT_EQ(page.Controls().cb_CurrentCPI, level - 1);
  for (int n = 1; n <= kDpiLevelCount; ++n) {
    EXPECT_EQ(LevelOf(page, n).Img_DPI, n == level ? "CbS_E" : "CbS_D") << "marker " << n;
  }
}

DpiPage PageWithLevels(int count, int current, int dpiCount = 11) {
  DpiPage page(dpiCount, kLabelColours);
  page.cbb_DPICountChange(count - 2);
  page.CurrentDPI_OnClick(current);
  return page;
}

params::DataBuf DefaultImage1() {
  params::ParameterImage image;
  image.raw = params::LoadDefaultImages()[0];
  image.SplitImage();
  return image.data;
}

// Writes the page over a copy whose DPI bytes are scrambled: every byte must
// come out as in `expected`, those the page owns and those it must not touch.
void ExpectWritesBack(const DpiPage& page, const params::DataBuf& expected) {
  params::DataBuf out = expected;
  out.parameterA[kCountByte] ^= 0x5A;
  for (std::size_t i = 0; i < 7; ++i) {
    out.parameterA[kFirstStepByte + i] ^= 0x5A;
  }
  for (std::size_t i = 0; i < 21; ++i) {
    out.parameterA[kFirstColourByte + i] ^= 0x5A;
  }
  out.parameterB[kCurrentByte] ^= 0x5A;
  out.parameterB[kCurrentByte + 1] ^= 0x5A;
  page.WriteToImage(out);
  EXPECT_EQ(out.parameterA, expected.parameterA);
  EXPECT_EQ(out.parameterB, expected.parameterB);
  EXPECT_EQ(out.profile, expected.profile);
}

TEST(DpiPage, LevelLabelClickMovesOnlyTheEdgeAndMakesTheHighestLevelCurrent) {
  struct Case {
    int count;
    int current;
    int clicked;
    int expectedCount;
  };
  const std::vector<Case> cases = {
      {2, 1, 2, 2}, {2, 1, 1, 2}, {2, 1, 3, 3}, {4, 2, 4, 3},
      {4, 2, 6, 4}, {7, 1, 7, 6}, {7, 3, 1, 7}, {6, 1, 7, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + " levels, click DPI" + std::to_string(c.clicked));
    DpiPage page = PageWithLevels(c.count, c.current);
    ExpectCurrentLevel(page, c.current);
    page.DPILevel_OnClick(c.clicked);
    ExpectLevelCount(page, c.expectedCount);
    ExpectCurrentLevel(page, c.expectedCount);
  }
}

TEST(DpiPage, CountCombosStayTogetherAndIgnoreItemsOutsideTwoToSeven) {
  DpiPage page(11, kLabelColours);
  ExpectLevelCount(page, 7);

  page.cbb_DPICountChange(3);
  ExpectLevelCount(page, 5);
  ExpectCurrentLevel(page, 5);

  page.cb_CPIStepChange(1);
  ExpectLevelCount(page, 3);
  ExpectCurrentLevel(page, 3);

  for (const int item : {-1, 6, 200}) {
    page.cbb_DPICountChange(item);
    page.cb_CPIStepChange(item);
    ExpectLevelCount(page, 3);
  }

  const LevelLabelColours swapped{kLabelColours.notSelected, kLabelColours.selected};
  page.SetLabelColours(swapped);
  EXPECT_EQ(LevelOf(page, 3).lbl_DPIColour, swapped.selected);
  EXPECT_EQ(LevelOf(page, 4).lbl_DPIColour, swapped.notSelected);
}

TEST(DpiPage, CurrentLevelCanOnlyBeAnEnabledLevel) {
  DpiPage page = PageWithLevels(4, 2);
  ExpectCurrentLevel(page, 2);

  for (const int n : {6, 5, 0, 8}) {
    page.CurrentDPI_OnClick(n);
    ExpectCurrentLevel(page, 2);
  }
  page.CurrentDPI_OnClick(4);
  ExpectCurrentLevel(page, 4);

  page.cb_CurrentCPIChange(0);
  ExpectCurrentLevel(page, 1);
  for (const int item : {4, -1}) {
    page.cb_CurrentCPIChange(item);
    ExpectCurrentLevel(page, 1);
  }
}

TEST(DpiPage, SliderReleaseSnapsToAStepAndSetsTheComboAndLabel) {
  struct Case {
    int dpiCount;
    int x;
    int step;
  };
  const std::vector<Case> cases = {
      {11, 0, 0},    {11, -40, 0},  {11, 15, 0},    {11, 16, 1},  {11, 195, 9},
      {11, 196, 10}, {11, 500, 10}, {12, 1000, 11}, {1, 1000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("DPI_Count " + std::to_string(c.dpiCount) + ", x " + std::to_string(c.x));
    DpiPage page(c.dpiCount);
    page.slider_DPIMouseUp(3, c.x);
    const DpiLevelControls& level = LevelOf(page, 3);
    EXPECT_EQ(level.slider_DPI, c.step * 100);
    EXPECT_EQ(level.cb_CPI, c.step);
    EXPECT_EQ(level.lbl_DPIValue, DefaultStepTexts()[static_cast<std::size_t>(c.step)]);
  }

  DpiPage page = PageWithLevels(3, 3);
  const DpiLevelControls before = LevelOf(page, 5);
  page.slider_DPIMouseUp(5, 196);
  EXPECT_EQ(LevelOf(page, 5).slider_DPI, before.slider_DPI);
  EXPECT_EQ(LevelOf(page, 5).cb_CPI, before.cb_CPI);
}

TEST(DpiPage, StepComboAndSliderMovesUpdateTheValueLabel) {
  DpiPage page(11);
  page.cb_CPIChange(2, 11);  // beyond the slider's reach
  EXPECT_EQ(LevelOf(page, 2).cb_CPI, 11);
  EXPECT_EQ(LevelOf(page, 2).slider_DPI, 1000);
  EXPECT_EQ(LevelOf(page, 2).lbl_DPIValue, "8000");

  page.cb_CPIChange(2, 12);
  EXPECT_EQ(LevelOf(page, 2).cb_CPI, 11);

  page.slider_DPIChange(2, 250);
  EXPECT_EQ(LevelOf(page, 2).lbl_DPIValue, "1000");
  EXPECT_EQ(LevelOf(page, 2).cb_CPI, 11);  // the combo follows only a release
  page.slider_DPI8Change(99);
  EXPECT_EQ(page.Controls().lbl_AIMKeyValue, "500");

  struct Case {
    int k;
    std::string text;
  };
  for (const Case& c : std::vector<Case>{{0, ""}, {1, "500"}, {12, "8000"}, {13, ""}, {-1, ""}}) {
    EXPECT_EQ(page.GetDisplayByIndex(c.k), c.text) << "k " << c.k;
  }
  StepTexts texts = DefaultStepTexts();
  texts[11] = "";  // the language table without Str311
  page.SetStepTexts(texts);
  EXPECT_EQ(page.GetDisplayByIndex(12), "");
}

TEST(DpiPage, ColourEditIsClampedAndRepaintsTheSwatch) {
  struct Case {
    std::string typed;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"128", "128"}, {"300", "255"}, {"256", "255"}, {"", "0"}, {"99999999999999999999", "255"},
      {"12a", "7"},   {"-1", "7"},    {"007", "007"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("typed \"" + c.typed + "\"");
    DpiPage page;
    page.edt_CPIColourChange(2, ColourChannel::kRed, "10");
    page.edt_CPIColourChange(2, ColourChannel::kGreen, "7");
    page.edt_CPIColourChange(2, ColourChannel::kBlue, "20");
    page.edt_CPIColourChange(2, ColourChannel::kGreen, c.typed);
    const DpiLevelControls& level = LevelOf(page, 2);
    EXPECT_EQ(level.edt_CPI[1], c.shown);
    EXPECT_EQ(level.cs_DPICol, MakeColour(10, static_cast<std::uint8_t>(std::stoi(c.shown)), 20));
  }
}

TEST(DpiPage, ColourTargetOpensTheDialogOnlyForAnEnabledLevelWithTheMcuLed) {
  struct Case {
    bool mcuLed;
    int level;
    std::optional<Colour> chosen;
    bool asked;
    bool changed;
  };
  const Colour chosen = MakeColour(0x12, 0x34, 0x56);
  const std::vector<Case> cases = {
      {true, 3, chosen, true, true},    {true, 3, std::nullopt, true, false},
      {false, 3, chosen, false, false}, {true, 5, chosen, false, false},
      {true, 8, chosen, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level) + (c.mcuLed ? " MCU LED" : " other LED"));
    DpiPage page = PageWithLevels(4, 1);
    bool asked = false;
    std::optional<Colour> offered;
    page.lbl_DPIColClick(c.level, c.mcuLed, [&](Colour current) {
      asked = true;
      offered = current;
      return c.chosen;
    });
    EXPECT_EQ(asked, c.asked);
    if (c.asked) {
      EXPECT_EQ(offered, MakeColour(255, 255, 0));  // level 3 starts yellow
    }
    if (c.level > kDpiLevelCount) {
      continue;
    }
    const DpiLevelControls& level = LevelOf(page, c.level);
    if (c.changed) {
      EXPECT_EQ(level.cs_DPICol, chosen);
      EXPECT_EQ(level.edt_CPI, (std::array<std::string, 3>{"18", "52", "86"}));
    } else {
      EXPECT_NE(level.cs_DPICol, chosen);
    }
  }
}

TEST(DpiPage, DefaultImageIsShownAndWrittenBackUnchanged) {
  const params::DataBuf data = DefaultImage1();
  DpiPage page(11, kLabelColours);
  page.RefreshFromImage(data, true);

  ExpectLevelCount(page, 6);
  ExpectCurrentLevel(page, 2);
  const std::vector<int> steps = {1, 4, 6, 7, 9, 10, 7};
  for (int n = 1; n <= kDpiLevelCount; ++n) {
    const DpiLevelControls& level = LevelOf(page, n);
    const int step = steps[static_cast<std::size_t>(n - 1)];
    EXPECT_EQ(level.cb_CPI, step);
    EXPECT_EQ(level.slider_DPI, step * 100);
    EXPECT_EQ(level.lbl_DPIValue, DefaultStepTexts()[static_cast<std::size_t>(step)]);
    EXPECT_TRUE(level.colourShown);
  }
  EXPECT_EQ(LevelOf(page, 1).cs_DPICol, MakeColour(255, 0, 0));
  EXPECT_EQ(LevelOf(page, 3).edt_CPI, (std::array<std::string, 3>{"0", "0", "255"}));
  EXPECT_EQ(LevelOf(page, 3).cs_DPICol, MakeColour(0, 0, 255));
  ExpectWritesBack(page, data);

  page.RefreshFromImage(data, false);
  for (const DpiLevelControls& level : page.Controls().levels) {
    EXPECT_FALSE(level.colourShown);
  }
}

TEST(DpiPage, SixLevelsWithLevelThreeCurrentRoundTrip) {
  params::DataBuf data = DefaultImage1();
  data.parameterA[kCountByte] = 6;
  data.parameterB[kCurrentByte] = 2;
  data.parameterB[kCurrentByte + 1] = 253;
  DpiPage page(11, kLabelColours);
  page.RefreshFromImage(data, true);
  ExpectLevelCount(page, 6);
  ExpectCurrentLevel(page, 3);
  ExpectWritesBack(page, data);
}

TEST(DpiPage, EditsAreWrittenToTheirBytes) {
  params::DataBuf data = DefaultImage1();
  DpiPage page;
  page.RefreshFromImage(data, true);
  page.DPILevel_OnClick(6);  // 5 levels, level 5 current
  page.cb_CPIChange(7, 0);
  page.edt_CPIColourChange(7, ColourChannel::kBlue, "300");
  page.CurrentDPI_OnClick(4);

  params::DataBuf expected = data;
  expected.parameterA[kCountByte] = 5;
  expected.parameterA[kFirstStepByte + 6] = 0;
  expected.parameterA[kFirstColourByte + 6 * 3 + 2] = 255;
  expected.parameterB[kCurrentByte] = 3;
  expected.parameterB[kCurrentByte + 1] = 252;
  ExpectWritesBack(page, expected);
}

// Bytes the controls cannot show are shown safely, written back as read, and
// replaced once the user sets that value.
TEST(DpiPage, UnshowableBytesAreKeptUntilTheUserChangesThem) {
  struct Case {
    std::string name;
    std::function<void(params::DataBuf&)> store;
    std::function<void(const DpiPage&)> expectShown;
    std::function<void(DpiPage&)> userChange;
    std::function<void(params::DataBuf&)> expectAfterChange;
  };
  const std::vector<Case> cases = {
      {"count 9", [](params::DataBuf& d) { d.parameterA[kCountByte] = 9; },
       [](const DpiPage& p) { ExpectLevelCount(p, 7); },
       [](DpiPage& p) { p.cbb_DPICountChange(3); },
       [](params::DataBuf& d) {
         d.parameterA[kCountByte] = 5;
         d.parameterB[kCurrentByte] = 4;
         d.parameterB[kCurrentByte + 1] = 251;
       }},
      {"count 0", [](params::DataBuf& d) { d.parameterA[kCountByte] = 0; },
       [](const DpiPage& p) {
         ExpectLevelCount(p, 2);
         ExpectCurrentLevel(p, 2);
       },
       [](DpiPage& p) { p.DPILevel_OnClick(3); },
       [](params::DataBuf& d) {
         d.parameterA[kCountByte] = 3;
         d.parameterB[kCurrentByte] = 2;
         d.parameterB[kCurrentByte + 1] = 253;
       }},
      {"step 200", [](params::DataBuf& d) { d.parameterA[kFirstStepByte + 3] = 200; },
       [](const DpiPage& p) {
         EXPECT_EQ(LevelOf(p, 4).cb_CPI, std::nullopt);
         EXPECT_EQ(LevelOf(p, 4).lbl_DPIValue, "500");
         EXPECT_EQ(LevelOf(p, 4).slider_DPI, 400);  // kept from before the refresh
       },
       [](DpiPage& p) { p.cb_CPIChange(4, 2); },
       [](params::DataBuf& d) { d.parameterA[kFirstStepByte + 3] = 2; }},
      {"step 255", [](params::DataBuf& d) { d.parameterA[kFirstStepByte + 0] = 255; },
       [](const DpiPage& p) {
         EXPECT_EQ(LevelOf(p, 1).cb_CPI, std::nullopt);
         EXPECT_EQ(LevelOf(p, 1).lbl_DPIValue, "500");
       },
       [](DpiPage& p) { p.slider_DPIMouseUp(1, 56); },
       [](params::DataBuf& d) { d.parameterA[kFirstStepByte + 0] = 3; }},
      {"current 6 of 2 levels",
       [](params::DataBuf& d) {
         d.parameterA[kCountByte] = 2;
         d.parameterB[kCurrentByte] = 6;
         d.parameterB[kCurrentByte + 1] = 249;
       },
       [](const DpiPage& p) {
         ExpectLevelCount(p, 2);
         ExpectCurrentLevel(p, 2);
       },
       [](DpiPage& p) { p.CurrentDPI_OnClick(1); },
       [](params::DataBuf& d) {
         d.parameterB[kCurrentByte] = 0;
         d.parameterB[kCurrentByte + 1] = 255;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    params::DataBuf data = DefaultImage1();
    c.store(data);
    DpiPage page(11, kLabelColours);
    page.RefreshFromImage(data, true);
    c.expectShown(page);
    ExpectWritesBack(page, data);

    // A second refresh with valid bytes forgets what the first one kept.
    DpiPage refreshed(11, kLabelColours);
    refreshed.RefreshFromImage(data, true);
    refreshed.RefreshFromImage(DefaultImage1(), true);
    ExpectWritesBack(refreshed, DefaultImage1());

    c.userChange(page);
    c.expectAfterChange(data);
    ExpectWritesBack(page, data);
  }
}

TEST(DpiPage, AimSliderNeedsAnAimButton) {
  struct Case {
    bool aimButton;
    int dpiCount;
    int x;
    int aim;
  };
  const std::vector<Case> cases = {
      {false, 11, 100, 0}, {true, 11, 16, 1}, {true, 11, 500, 10}, {true, 12, 500, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE((c.aimButton ? "AIM button, x " : "no AIM button, x ") + std::to_string(c.x));
    DpiPage page(c.dpiCount);
    page.RefreshAIMKey(5);
    test::RecordingUiHost ui;
    page.slider_DPI8MouseUp(c.x, c.aimButton, ui);
    const DpiControls& controls = page.Controls();
    EXPECT_EQ(controls.aimValue, c.aim);
    EXPECT_EQ(controls.slider_DPI8, c.aim * 100);
    EXPECT_EQ(controls.cb_AIMKeyValue, c.aim);
    EXPECT_EQ(controls.lbl_AIMKeyValue, DefaultStepTexts()[static_cast<std::size_t>(c.aim)]);
    if (c.aimButton) {
      EXPECT_TRUE(ui.messages.empty());
    } else {
      EXPECT_EQ(ui.messages, std::vector<std::string>{"Please select a AIM Key in Profile!"});
      EXPECT_EQ(ui.styles, std::vector<orbic::MessageStyle>{orbic::MessageStyle::kDialog});
    }
  }
}

TEST(DpiPage, RefreshAimKeyShowsTheAimValue) {
  DpiPage page;
  page.RefreshAIMKey(3);
  EXPECT_EQ(page.Controls().aimValue, 3);
  EXPECT_EQ(page.Controls().slider_DPI8, 300);
  EXPECT_EQ(page.Controls().cb_AIMKeyValue, 3);
  EXPECT_EQ(page.Controls().lbl_AIMKeyValue, "1200");

  // An operand no AIM step matches is kept, and shown as nothing chosen.
  page.RefreshAIMKey(200);
  EXPECT_EQ(page.Controls().aimValue, 200);
  EXPECT_EQ(page.Controls().slider_DPI8, 1000);
  EXPECT_EQ(page.Controls().cb_AIMKeyValue, std::nullopt);
  EXPECT_EQ(page.Controls().lbl_AIMKeyValue, "");
}

}  // namespace
}  // namespace orbic::perf
