#include "perf/LightingPage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "params/DefaultImages.h"
#include "params/ParameterImage.h"

namespace orbic::perf {
namespace {

using params::DataBuf;

// Image byte positions, written out here rather than taken from the code under test.
constexpr std::size_t kA0 = 0, kA1 = 1, kA2 = 2, kA3 = 3, kA4 = 4;
constexpr std::size_t kB2 = 2, kB3 = 3, kB4 = 4, kB5 = 5;

struct LightingBytes {
  std::uint8_t a0 = 0x44;
  std::uint8_t a1 = 0xF8;
  std::uint8_t a3 = 0x38;
  std::uint8_t a4 = 0xFF;
  std::uint8_t b2 = 0x44;
  std::uint8_t b4 = 0x00;
};

DataBuf Buf(const LightingBytes& bytes) {
  DataBuf data;
  data.parameterA[kA0] = bytes.a0;
  data.parameterA[kA1] = bytes.a1;
  data.parameterA[kA2] = 0x06;
  data.parameterA[kA3] = bytes.a3;
  data.parameterA[kA4] = bytes.a4;
  data.parameterB[kB2] = bytes.b2;
  data.parameterB[kB3] = static_cast<std::uint8_t>(~bytes.b2);
  data.parameterB[kB4] = bytes.b4;
  data.parameterB[kB5] = static_cast<std::uint8_t>(~bytes.b4);
  return data;
}

DataBuf Written(const LightingPage& page, DataBuf data = {}) {
  page.WriteToImage(data);
  return data;
}

template <std::size_t N>
std::string Lit(const std::array<std::string_view, N>& bars) {
  std::string lit;
  for (const auto picture : bars) {
    lit += picture == kBarLit ? '1' : (picture == kBarUnlit ? '0' : '?');
  }
  return lit;
}

template <std::size_t N>
std::string Chosen(const std::array<std::string_view, N>& pictures) {
  std::string chosen;
  for (const auto picture : pictures) {
    chosen += picture == kOptionChosen ? '1' : (picture == kOptionNotChosen ? '0' : '?');
  }
  return chosen;
}

ui::BehaviourConfig Presentation(bool lever, int numOrder) {
  ui::BehaviourConfig config;
  config.dpiLedStatus = lever;
  config.numOrder = numOrder;
  return config;
}

TEST(LightingPageTest, FormDefaultsWriteTheirBits) {
  const LightingPage page;
  EXPECT_EQ(page.LedTypeName(), "");
  EXPECT_FALSE(page.IsMcuLed());
  EXPECT_EQ(page.Controls().cb_MCULEDCurrentMode.items[0], "Mode 1");
  EXPECT_FALSE(page.Controls().cb_KeyMode.enabled);  // "No Save" disables the key-mode list

  const DataBuf data = Written(page);
  // Mode switch on, on/off switch off, no save; MCU; all light, 13 LEDs; modes 1..7.
  EXPECT_EQ(data.parameterA[kA0], 0x0C);
  EXPECT_EQ(data.parameterA[kA1], 0x08);
  EXPECT_EQ(data.parameterA[kA3], 0x08);
  EXPECT_EQ(data.parameterA[kA4], 0xFF);
  // Mode 1, step 0, LED off; key mode 1.
  EXPECT_EQ(data.parameterB[kB2], 0x09);
  EXPECT_EQ(data.parameterB[kB3], 0xF6);
  EXPECT_EQ(data.parameterB[kB4], 0x00);
  EXPECT_EQ(data.parameterB[kB5], 0xFF);
}

TEST(LightingPageTest, LedTypeFromImageShowsItsControlsAndWritesBack) {
  // Shown groups in LightingGroup order: RB engineer, MCU engineer, L+DPI switch,
  // MCU modes, RB modes, MCU speed and count.
  struct Case {
    std::uint8_t a0, a1;
    const char* name;
    LedType radio;
    std::array<bool, kLightingGroupCount> shown;
    std::uint8_t a1Written;
  };
  const std::vector<Case> cases = {
      {0x44, 0xF8, "MCULED", LedType::kMcu, {0, 1, 1, 1, 0, 1}, 0xF8},
      {0x00, 0x00, "MCULED", LedType::kMcu, {0, 1, 1, 1, 0, 1}, 0x08},  // MCU sets bit 3
      {0x80, 0x08, "RBLED", LedType::kRb, {1, 0, 1, 0, 1, 0}, 0x08},
      {0x80, 0x18, "RBLED", LedType::kRb, {1, 0, 1, 0, 1, 0}, 0x18},
      {0x80, 0x10, "BreLED", LedType::kBreath, {0, 0, 0, 0, 0, 0}, 0x10},
      {0xFF, 0xF7, "BreLED", LedType::kBreath, {0, 0, 0, 0, 0, 0}, 0xF7},
      {0x80, 0x00, "SyncLED", LedType::kSync, {0, 0, 0, 0, 0, 0}, 0x00},
      {0xFF, 0xE7, "SyncLED", LedType::kSync, {0, 0, 0, 0, 0, 0}, 0xE7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + std::to_string(c.a0) + "/" + std::to_string(c.a1));
    LightingPage page;
    const DataBuf image = Buf({.a0 = c.a0, .a1 = c.a1});
    page.RefreshFromImage(image);
    EXPECT_EQ(page.LedTypeName(), c.name);
    EXPECT_EQ(page.IsMcuLed(), c.radio == LedType::kMcu);
    EXPECT_EQ(page.Controls().ledTypeRadio, c.radio);
    for (std::size_t g = 0; g < kLightingGroupCount; ++g) {
      EXPECT_EQ(page.IsShown(static_cast<LightingGroup>(g)), c.shown[g]) << "group " << g;
    }
    const DataBuf data = Written(page, image);
    EXPECT_EQ(data.parameterA[kA0], c.a0);
    EXPECT_EQ(data.parameterA[kA1], c.a1Written);
  }

  // 0x44: mode switch (bit 2) enabled, on/off switch (bit 0) disabled, save key mode.
  LightingPage page;
  page.RefreshFromImage(Buf({.a0 = 0x44, .a1 = 0xF8}));
  EXPECT_TRUE(page.Controls().rb_LCPIOn);
  EXPECT_TRUE(page.Controls().rb_B4CPIOff);
  EXPECT_TRUE(page.Controls().rb_Save);
  EXPECT_EQ(page.Controls().Img_LCPIOn, kOptionChosen);
  EXPECT_EQ(page.Controls().Img_B4CPIOn, kOptionNotChosen);
}

TEST(LightingPageTest, LedTypeFromMouseUsesTheTopTwoBits) {
  struct Case {
    std::uint8_t byte;
    const char* name;
  };
  for (const Case& c : std::vector<Case>{{0x00, "SyncLED"},
                                         {0x3F, "SyncLED"},
                                         {0x40, "BreLED"},
                                         {0x7F, "BreLED"},
                                         {0x80, "RBLED"},
                                         {0xBF, "RBLED"},
                                         {0xC0, "MCULED"},
                                         {0xFF, "MCULED"}}) {
    LightingPage page;
    page.rb_SyncLEDClick();
    page.SetLedTypeFromMouse(c.byte);
    EXPECT_EQ(page.LedTypeName(), c.name) << int{c.byte};
    EXPECT_EQ(page.Controls().ledTypeRadio == LedType::kMcu, std::string(c.name) == "MCULED");
  }
}

TEST(LightingPageTest, RadioClickedByHandDecidesTheBytesButNotTheName) {
  // Start: MCU with modes 2, 4, 6 enabled (A4 bit 0 clear), mode 4, step 2, LED on.
  const DataBuf image = Buf({.a4 = 0x54, .b2 = 0x44});
  struct Case {
    void (LightingPage::*typeClick)();
    int rbMode;  // 0: leave the RB list alone
    bool ledOff;
    std::uint8_t a0, a1, a4, b2;
  };
  const std::vector<Case> cases = {
      {&LightingPage::rb_MCULEDClick, 0, false, 0x44, 0xF8, 0x55, 0x44},
      {&LightingPage::rb_SyncLEDClick, 0, false, 0xC4, 0xE0, 0x54, 0x00},
      {&LightingPage::rb_SyncLEDClick, 0, true, 0xC4, 0xE0, 0x54, 0x08},
      {&LightingPage::rb_BreLEDClick, 0, false, 0xC4, 0xF0, 0x54, 0x00},
      {&LightingPage::rb_BreLEDClick, 0, true, 0xC4, 0xF0, 0x54, 0x08},
      {&LightingPage::rb_RBLEDClick, 7, false, 0xC4, 0xF8, 0x54, 0x07},  // "OFF", LED on
      {&LightingPage::rb_RBLEDClick, 2, true, 0xC4, 0xF8, 0x54, 0x0A},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    LightingPage page;
    page.RefreshFromImage(image);
    (page.*c.typeClick)();
    if (c.rbMode != 0) {
      page.lbl_RBLEDMode1Click(c.rbMode);
    }
    if (c.ledOff) {
      page.lbl_LEDOffClick();
    }
    EXPECT_EQ(page.LedTypeName(), "MCULED");
    const DataBuf data = Written(page, image);
    EXPECT_EQ(data.parameterA[kA0], c.a0);
    EXPECT_EQ(data.parameterA[kA1], c.a1);
    EXPECT_EQ(data.parameterA[kA4], c.a4);
    EXPECT_EQ(data.parameterB[kB2], c.b2);
    EXPECT_EQ(data.parameterB[kB3], static_cast<std::uint8_t>(~c.b2));
  }
}

TEST(LightingPageTest, CurrentModeStepAndStatusFromImage) {
  struct Case {
    std::uint8_t a0, a1, b2;
    int mcuIndex, rbIndex;
    const char* step;
    int slider;
    bool ledOn;
    std::uint8_t b2Written;
  };
  const std::vector<Case> cases = {
      {0x44, 0xF8, 0x44, 3, 0, "2", 500, true, 0x44},
      {0x44, 0xF8, 0x20, kNoItem, 0, "1", 600, true, 0x20},  // code 0: nothing selected
      {0x44, 0xF8, 0xFF, 6, 0, "7", 0, false, 0xEF},         // bit 4 is always written 0
      {0x44, 0xF8, 0x00, kNoItem, 0, "0", 700, true, 0x00},
      {0x80, 0x08, 0x45, 0, 4, "0", 700, true, 0x05},  // RB ignores the step bits
      {0x80, 0x08, 0x08, 0, kNoItem, "0", 700, false, 0x08},
      {0x80, 0x00, 0x47, 0, 0, "0", 700, true, 0x00},  // Sync keeps only the status
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    LightingPage page;
    const DataBuf image = Buf({.a0 = c.a0, .a1 = c.a1, .b2 = c.b2});
    page.RefreshFromImage(image);
    const LightingControls& controls = page.Controls();
    EXPECT_EQ(controls.cb_MCULEDCurrentMode.itemIndex, c.mcuIndex);
    EXPECT_EQ(controls.cb_RBLEDCurrentMode.itemIndex, c.rbIndex);
    EXPECT_EQ(controls.edt_MCULEDCrtStep, c.step);
    EXPECT_EQ(controls.slider_Breath_Speed, c.slider);
    EXPECT_EQ(controls.rb_LEDOn, c.ledOn);
    EXPECT_EQ(controls.Img_LEDOn, c.ledOn ? kOptionChosen : kOptionNotChosen);
    const DataBuf data = Written(page, image);
    EXPECT_EQ(data.parameterB[kB2], c.b2Written);
    EXPECT_EQ(data.parameterB[kB3], static_cast<std::uint8_t>(~c.b2Written));
  }

  LightingPage page;
  page.RefreshFromImage(Buf({.b2 = 0x44}));
  EXPECT_EQ(page.Controls().cb_MCULEDCurrentMode.items[3], "Mode 4");
  EXPECT_EQ(Chosen(page.Controls().Img_MCULEDMode), "0001000");
  EXPECT_EQ(Lit(page.Controls().Img_MCULEDStep), "00100000");
  page.RefreshFromImage(Buf({.b2 = 0x20}));
  EXPECT_EQ(Chosen(page.Controls().Img_MCULEDMode), "0000000");
}

TEST(LightingPageTest, BrightnessAndLedCountFromImage) {
  struct Case {
    std::uint8_t a3;
    const char* editBefore;  // what the user left in the edit before the refresh
    const char* edit;
    bool allLight;
    std::uint8_t a3Written;
  };
  const std::vector<Case> cases = {
      {0x38, "13", "10", true, 0x38}, {0x00, "5", "13", false, 0x00},
      {0x90, "13", "4", false, 0x90}, {0x9F, "13", "4", true, 0x9F},
      {0xA8, "7", "7", true, 0xA8},    // no count in the nibble: the nibble is kept,
      {0xAD, "13", "13", true, 0xAD},  // not the count of the image read before
      {0xF0, "1", "1", false, 0xF0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.a3});
    LightingPage page;
    page.edt_MCULEDNumChange(c.editBefore);
    const DataBuf image = Buf({.a3 = c.a3});
    page.RefreshFromImage(image);
    EXPECT_EQ(page.Controls().edt_MCULEDNum, c.edit);
    EXPECT_EQ(page.Controls().rb_MCULED3Control, c.allLight);
    EXPECT_EQ(page.Controls().Img_MCULED3Control, c.allLight ? kOptionChosen : kOptionNotChosen);
    EXPECT_EQ(Written(page, image).parameterA[kA3], c.a3Written);
  }

  LightingPage page;
  const DataBuf image = Buf({.a3 = 0x38});
  page.RefreshFromImage(image);
  page.MCULEDNum_OnClick(1);
  EXPECT_EQ(page.Controls().edt_MCULEDNum, "4");
  EXPECT_EQ(Written(page, image).parameterA[kA3], 0x98);
}

TEST(LightingPageTest, AnUnshownLedCountIsKeptUntilTheUserSetsOne) {
  const DataBuf unshown = Buf({.a3 = 0xAD});
  LightingPage page;
  page.RefreshFromImage(Buf({.a3 = 0x38}));
  page.RefreshFromImage(unshown);
  page.rb_MCULED6ControlClick();  // another field changed: the nibble stays
  EXPECT_EQ(Written(page, unshown).parameterA[kA3], 0xA5);
  page.MCULEDNum_OnClick(2);
  EXPECT_EQ(Written(page, unshown).parameterA[kA3], ((13 - page.MCULEDNumForBar(2)) << 4) | 0x05);

  page.RefreshFromImage(unshown);
  page.edt_MCULEDNumChange("12");
  EXPECT_EQ(Written(page, unshown).parameterA[kA3], 0x1D);

  page.RefreshFromImage(unshown);
  page.RefreshFromImage(Buf({.a3 = 0x38}));  // a later image with a count replaces it
  EXPECT_EQ(Written(page, unshown).parameterA[kA3], 0x3D);
}

TEST(LightingPageTest, LedCountEditCorrectsItself) {
  struct Case {
    std::vector<std::string> typed;
    bool leave;
    const char* edit;
  };
  const std::vector<Case> cases = {
      {{"1", "12"}, false, "12"}, {{"1"}, true, "4"},
      {{"1"}, false, "1"},        {{"12"}, true, "12"},
      {{"0"}, false, "4"},        {{""}, false, "4"},
      {{"2"}, false, "4"},        {{"3"}, false, "4"},
      {{"14"}, false, "13"},      {{"99999999999"}, false, "13"},
      {{"7", "7x"}, false, "7"},  // not a number: the entry is refused
      {{"5", "-5"}, true, "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.back());
    LightingPage page;
    for (const std::string& text : c.typed) {
      page.edt_MCULEDNumChange(text);
    }
    if (c.leave) {
      page.edt_MCULEDNumExit();
    }
    EXPECT_EQ(page.Controls().edt_MCULEDNum, c.edit);
  }
}

TEST(LightingPageTest, SpeedEditCorrectsItself) {
  struct Case {
    std::vector<std::string> typed;
    const char* edit;
    const char* bars;
  };
  const std::vector<Case> cases = {
      {{"5"}, "5", "00000100"}, {{"9"}, "7", "00000001"},      {{"123"}, "7", "00000001"},
      {{""}, "0", "10000000"},  {{"3", "a"}, "3", "00010000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.back());
    LightingPage page;
    for (const std::string& text : c.typed) {
      page.edt_MCULEDCrtStepChange(text);
    }
    EXPECT_EQ(page.Controls().edt_MCULEDCrtStep, c.edit);
    EXPECT_EQ(Lit(page.Controls().Img_MCULEDStep), c.bars);
  }
}

TEST(LightingPageTest, SpeedSliderRunsFromSlowToFast) {
  struct Case {
    int x;
    int slider;
    const char* step;
  };
  for (const Case& c : std::vector<Case>{{-100, 0, "7"},
                                         {0, 0, "7"},
                                         {15, 0, "7"},
                                         {16, 100, "6"},
                                         {105, 300, "4"},
                                         {195, 600, "1"},
                                         {196, 700, "0"},
                                         {200, 700, "0"},
                                         {5000, 700, "0"}}) {
    SCOPED_TRACE(c.x);
    LightingPage page;
    page.edt_MCULEDCrtStepChange("3");
    page.slider_Breath_SpeedMouseUp(c.x);
    EXPECT_EQ(page.Controls().slider_Breath_Speed, c.slider);
    EXPECT_EQ(page.Controls().edt_MCULEDCrtStep, c.step);
    const int step = std::stoi(c.step);
    EXPECT_EQ(page.Controls().Img_MCULEDStep[static_cast<std::size_t>(step)], kBarLit);
  }
}

TEST(LightingPageTest, BarsFollowTheirEditInBothDrawings) {
  struct Case {
    bool lever;
    int numOrder;
    const char* count;
    const char* step;
    const char* countBars;
    const char* stepBars;
  };
  const std::vector<Case> cases = {
      {true, 0, "4", "0", "1000000000", "10000000"},
      {true, 0, "13", "7", "0000000001", "00000001"},
      {true, 0, "1", "3", "0000000000", "00010000"},  // a lone 1 lights nothing
      {false, 0, "6", "2", "1110000000", "11100000"},
      {false, 0, "13", "7", "1111111111", "11111111"},
      {false, 0, "1", "0", "0000000000", "10000000"},
      {true, 1, "4", "0", "0000000001", "10000000"},
      {false, 1, "6", "2", "0000000111", "11100000"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    LightingPage page(Presentation(c.lever, c.numOrder));
    page.edt_MCULEDNumChange(c.count);
    page.edt_MCULEDCrtStepChange(c.step);
    EXPECT_EQ(Lit(page.Controls().Img_MCULEDNum), c.countBars);
    EXPECT_EQ(Lit(page.Controls().Img_MCULEDStep), c.stepBars);
  }
}

TEST(LightingPageTest, BarClicksSetTheCountTheirLabelNames) {
  for (const int numOrder : {0, 1}) {
    LightingPage page(Presentation(true, numOrder));
    EXPECT_EQ(page.MCULEDNumLabel(1), numOrder == 0 ? "4" : "13");
    EXPECT_EQ(page.MCULEDNumLabel(10), numOrder == 0 ? "13" : "4");
    EXPECT_EQ(page.MCULEDNumLabel(11), "");
    for (int bar = 1; bar <= static_cast<int>(kCountBarCount); ++bar) {
      SCOPED_TRACE(std::to_string(numOrder) + " bar " + std::to_string(bar));
      page.MCULEDNum_OnClick(bar);
      EXPECT_EQ(page.Controls().edt_MCULEDNum, page.MCULEDNumLabel(bar));
      std::string expected(kCountBarCount, '0');
      expected[static_cast<std::size_t>(bar - 1)] = '1';
      EXPECT_EQ(Lit(page.Controls().Img_MCULEDNum), expected);
    }
    page.MCULEDNum_OnClick(0);
    page.MCULEDNum_OnClick(11);
    EXPECT_EQ(page.Controls().edt_MCULEDNum, page.MCULEDNumLabel(10));
  }

  LightingPage page(Presentation(false, 0));
  page.MCULEDStep_OnClick(3);
  EXPECT_EQ(page.Controls().edt_MCULEDCrtStep, "2");
  EXPECT_EQ(Lit(page.Controls().Img_MCULEDStep), "11100000");
  page.MCULEDStep_OnClick(9);
  EXPECT_EQ(page.Controls().edt_MCULEDCrtStep, "2");
}

TEST(LightingPageTest, ModeFlagsRebuildTheMcuList) {
  LightingPage page;
  page.RefreshFromImage(Buf({.b2 = 0x44}));  // mode 4 current
  page.cb_ModeClick(1, false);
  const LightingControls& controls = page.Controls();
  EXPECT_EQ(controls.cb_MCULEDCurrentMode.items[0], "------");
  EXPECT_EQ(controls.cb_MCULEDCurrentMode.items[1], "Mode 2");
  EXPECT_EQ(controls.cb_MCULEDCurrentMode.itemIndex, 0);
  EXPECT_FALSE(page.IsMcuModeShown(1));
  EXPECT_TRUE(page.IsMcuModeShown(2));
  // The page no longer shows mode 4 as chosen.
  EXPECT_EQ(controls.Img_MCULEDMode[3], kOptionNotChosen);
  DataBuf data = Written(page);
  EXPECT_EQ(data.parameterA[kA4], 0xFD);
  EXPECT_EQ(data.parameterB[kB2] & 0x07, 1);

  page.cb_ModeClick(1, true);
  EXPECT_EQ(controls.cb_MCULEDCurrentMode.items[0], "Mode 1");
  EXPECT_TRUE(page.IsMcuModeShown(1));
  page.cb_ModeClick(8, false);
  EXPECT_EQ(Written(page).parameterA[kA4], 0xFF);

  // Image A4 0x81: only mode 7 enabled.
  page.RefreshFromImage(Buf({.a4 = 0x81, .b2 = 0x07}));
  for (int mode = 1; mode <= 7; ++mode) {
    EXPECT_EQ(page.IsMcuModeShown(mode), mode == 7) << mode;
  }
  EXPECT_EQ(controls.cb_MCULEDCurrentMode.itemIndex, 6);

  // Enabled MCU modes stay off the page while another type is shown.
  page.RefreshFromImage(Buf({.a0 = 0x80, .a1 = 0x08, .a4 = 0xFF}));
  for (int mode = 1; mode <= 7; ++mode) {
    EXPECT_FALSE(page.IsMcuModeShown(mode)) << mode;
  }
}

TEST(LightingPageTest, ModeChoicesOnTheBreathingPage) {
  LightingPage page;
  const LightingControls& controls = page.Controls();
  page.lbl_MCULEDMode1Click(5);
  EXPECT_EQ(controls.cb_MCULEDCurrentMode.itemIndex, 4);
  EXPECT_EQ(Chosen(controls.Img_MCULEDMode), "0000100");
  EXPECT_EQ(controls.cb_RBLEDCurrentMode.itemIndex, 0);  // a label leaves the RB list

  page.Img_MCULEDMode1Click(3);  // a picture moves the RB list as well
  EXPECT_EQ(controls.cb_MCULEDCurrentMode.itemIndex, 2);
  EXPECT_EQ(controls.cb_RBLEDCurrentMode.itemIndex, 2);
  EXPECT_EQ(Written(page).parameterB[kB2] & 0x07, 3);

  page.rb_RBLEDClick();
  EXPECT_EQ(Chosen(controls.Img_RBLEDMode), "0010000");
  page.Img_RBLEDMode1Click(7);
  EXPECT_EQ(controls.cb_RBLEDCurrentMode.itemIndex, 6);
  EXPECT_EQ(Chosen(controls.Img_RBLEDMode), "0000001");
  page.lbl_RBLEDMode1Click(0);
  page.lbl_RBLEDMode1Click(8);
  page.cb_RBLEDCurrentModeChange(-1);
  EXPECT_EQ(controls.cb_RBLEDCurrentMode.itemIndex, 6);
  EXPECT_EQ(Written(page).parameterB[kB2] & 0x07, 7);
  EXPECT_EQ(controls.cb_RBLEDCurrentMode.items[6], "OFF");

  page.rb_MCULEDClick();
  page.cb_MCULEDCurrentModeChange(1);
  EXPECT_EQ(Chosen(controls.Img_MCULEDMode), "0100000");
}

TEST(LightingPageTest, OptionPairsCheckRadiosPicturesAndBits) {
  LightingPage page;
  const LightingControls& c = page.Controls();
  page.lbl_LEDOnClick();
  page.lbl_B4CPIOnClick();
  page.lbl_LCPIOffClick();
  page.lbl_MCULED6ControlClick();
  page.lbl_SaveKeyModeClick();
  EXPECT_TRUE(c.rb_LEDOn && !c.rb_LEDOff && c.rb_B4CPIOn && !c.rb_B4CPIOff && c.rb_LCPIOff &&
              !c.rb_LCPIOn && c.rb_MCULED6Control && !c.rb_MCULED3Control && c.rb_Save &&
              !c.rb_NoSave);
  EXPECT_EQ(
      std::vector<std::string_view>({c.Img_LEDOn, c.Img_LEDOff, c.Img_B4CPIOn, c.Img_B4CPIOff,
                                     c.Img_LCPIOn, c.Img_LCPIOff, c.Img_MCULED3Control,
                                     c.Img_MCULED6Control, c.Img_SaveKeyMode, c.Img_NoSaveKeyMode}),
      std::vector<std::string_view>(
          {kOptionChosen, kOptionNotChosen, kOptionChosen, kOptionNotChosen, kOptionNotChosen,
           kOptionChosen, kOptionNotChosen, kOptionChosen, kOptionChosen, kOptionNotChosen}));
  DataBuf data = Written(page, Buf({.a0 = 0x0C, .a3 = 0xF8}));
  EXPECT_EQ(data.parameterA[kA0], 0x01);
  EXPECT_EQ(data.parameterA[kA3], 0x00);
  EXPECT_EQ(data.parameterB[kB2] & 0x08, 0);

  page.rb_LEDOffClick();
  page.rb_B4CPIOffClick();
  page.rb_LCPIOnClick();
  page.rb_MCULED3ControlClick();
  page.rb_NoSaveClick();
  data = Written(page, Buf({.a0 = 0x01, .a3 = 0x00}));
  EXPECT_EQ(data.parameterA[kA0], 0x0C);
  EXPECT_EQ(data.parameterA[kA3], 0x08);
  EXPECT_EQ(data.parameterB[kB2] & 0x08, 0x08);
  EXPECT_EQ(c.Img_LEDOff, kOptionChosen);
  EXPECT_EQ(c.Img_NoSaveKeyMode, kOptionChosen);
}

TEST(LightingPageTest, SaveKeyModeAndKeyMode) {
  LightingPage page;
  const ComboBox& keyMode = page.Controls().cb_KeyMode;
  EXPECT_EQ(keyMode.items, (std::vector<std::string>{"Key Mode1", "Key Mode2"}));
  page.rb_SaveClick();
  EXPECT_TRUE(keyMode.enabled);
  page.SelectKeyMode(1);
  EXPECT_EQ(Written(page).parameterB[kB4], 0x80);
  EXPECT_EQ(Written(page).parameterB[kB5], 0x7F);

  page.rb_NoSaveClick();
  EXPECT_FALSE(keyMode.enabled);
  EXPECT_EQ(page.KeyModeIndex(), 0);
  // Opening the Game Mode page still selects key mode 2, and it is written.
  page.SelectKeyMode(1);
  EXPECT_EQ(Written(page).parameterB[kB4], 0x80);
  page.SelectKeyMode(2);
  page.SelectKeyMode(-1);
  EXPECT_EQ(page.KeyModeIndex(), 1);

  page.RefreshFromImage(Buf({.a0 = 0x4C, .b4 = 0x80}));
  EXPECT_TRUE(page.Controls().rb_NoSave);
  EXPECT_FALSE(keyMode.enabled);
  EXPECT_EQ(page.KeyModeIndex(), 1);
  page.RefreshFromImage(Buf({.a0 = 0x44, .b4 = 0x00}));
  EXPECT_TRUE(keyMode.enabled);
  EXPECT_EQ(page.KeyModeIndex(), 0);
}

TEST(LightingPageTest, DefaultImagesRoundTrip) {
  const auto images = params::LoadDefaultImages();
  for (std::size_t i = 0; i < images.size(); ++i) {
    SCOPED_TRACE(i + 1);
    params::ParameterImage image;
    image.raw = images[i];
    image.SplitImage();
    LightingPage page;
    page.RefreshFromImage(image.data);
    const DataBuf written = Written(page, image.data);
    EXPECT_EQ(written.parameterA, image.data.parameterA);
    EXPECT_EQ(written.parameterB, image.data.parameterB);
  }
}

TEST(LightingPageTest, BitsOfOtherOwnersSurvive) {
  // Fire function bit 1 and sensor bits 4-6 of A0, switch methods and smoothing bits
  // 0-2 and 5-7 of A1, DPI bits 0-2 of A3; plus the bytes around them.
  constexpr std::uint8_t kA0Others = 0x72, kA1Others = 0xE7, kA3Others = 0x07;
  for (const bool othersSet : {true, false}) {
    for (auto typeClick : {&LightingPage::rb_MCULEDClick, &LightingPage::rb_RBLEDClick,
                           &LightingPage::rb_SyncLEDClick, &LightingPage::rb_BreLEDClick}) {
      const std::uint8_t fill = othersSet ? 0xFF : 0x00;
      DataBuf image;
      image.parameterA.fill(fill);
      image.parameterB.fill(fill);
      image.parameterA[kA0] = othersSet ? kA0Others : 0x8D;
      image.parameterA[kA1] = othersSet ? kA1Others : 0x18;
      image.parameterA[kA3] = othersSet ? 0xA7 : 0xA8;  // a nibble that names no count
      LightingPage page;
      page.RefreshFromImage(image);
      (page.*typeClick)();
      page.lbl_LEDOnClick();
      page.lbl_B4CPIOffClick();
      page.lbl_LCPIOnClick();
      page.lbl_SaveKeyModeClick();
      page.lbl_MCULED6ControlClick();
      page.edt_MCULEDNumChange("9");
      page.cb_ModeClick(3, false);
      page.MCULEDStep_OnClick(5);
      const DataBuf data = Written(page, image);
      const std::uint8_t others = othersSet ? 0xFF : 0x00;
      EXPECT_EQ(data.parameterA[kA0] & kA0Others, others & kA0Others);
      EXPECT_EQ(data.parameterA[kA1] & kA1Others, others & kA1Others);
      EXPECT_EQ(data.parameterA[kA3] & kA3Others, others & kA3Others);
      EXPECT_EQ(data.parameterA[kA3] >> 4, 4);  // 13 - 9
      for (std::size_t i = 0; i < data.parameterA.size(); ++i) {
        if (i != kA0 && i != kA1 && i != kA3 && i != kA4) {
          EXPECT_EQ(data.parameterA[i], image.parameterA[i]) << "A" << i;
        }
      }
      for (const std::size_t i : {0, 1, 6, 7}) {
        EXPECT_EQ(data.parameterB[i], image.parameterB[i]) << "B" << i;
      }
    }
  }
}

TEST(LightingPageTest, EveryTextKeyResolves) {
  for (std::size_t k = 0; k < kLedModeCount; ++k) {
    EXPECT_FALSE(LightingTermText(kMcuLedModes[k].engineerTerm).empty()) << k;
    EXPECT_FALSE(LightingTermText(kRbLedModes[k].engineerTerm).empty()) << k;
    EXPECT_FALSE(LightingPageText(kMcuLedModes[k].pageKey).empty()) << k;
    EXPECT_FALSE(LightingPageText(kRbLedModes[k].pageKey).empty()) << k;
    const std::string mode = std::to_string(k + 1);
    EXPECT_EQ(LightingCaptionKey("lbl_MCULEDMode" + mode), kMcuLedModes[k].pageKey);
    EXPECT_EQ(LightingCaptionKey("lbl_RBLEDMode" + mode), kRbLedModes[k].pageKey);
  }
  for (const int term : kLedTypeTerms) {
    EXPECT_FALSE(LightingTermText(term).empty()) << term;
  }
  // Each caption sits on the pair it names: "ALL"/"HALF" on the brightness
  // choices, the save-key-mode choices with their own words.
  EXPECT_EQ(LightingPageText(LightingCaptionKey("lbl_MCULED3Control")), "ALL");
  EXPECT_EQ(LightingPageText(LightingCaptionKey("lbl_MCULED6Control")), "HALF");
  EXPECT_EQ(LightingCaptionKey("lbl_SaveKeyMode"), "");
  EXPECT_EQ(LightingTermText(LightingCaptionTerm("lbl_SaveKeyMode")), "Save");
  EXPECT_EQ(LightingTermText(LightingCaptionTerm("lbl_NoSaveKeyMode")), "No Save");
}

}  // namespace
}  // namespace orbic::perf
