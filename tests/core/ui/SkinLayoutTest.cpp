#include "ui/SkinLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/Resources.h"
#include "ui/IniFile.h"

namespace orbic::ui {
namespace {

// Sizes of the pictures the header buttons take theirs from.
std::optional<PictureSize> FixedSizes(std::string_view picture) {
  if (picture == "BtnS_01") {
    return PictureSize{110, 32};
  }
  if (picture == "SetS_01") {
    return PictureSize{124, 34};
  }
  if (picture == "ExitS_01" || picture == "MiniS_01") {
    return PictureSize{24, 24};
  }
  if (picture == "Bar1_D") {
    return PictureSize{30, 18};
  }
  return std::nullopt;
}

struct Reading {
  SkinLayout layout;
  std::vector<std::string> problems;
};

Reading Read(const std::string& body, const std::string& section = "org1") {
  Reading reading;
  reading.layout.Read(IniFile::Parse("[" + section + "]\r\n" + body), section, FixedSizes,
                      reading.problems);
  return reading;
}

bool Mentions(const std::vector<std::string>& problems, std::string_view key) {
  return std::any_of(problems.begin(), problems.end(), [&](const std::string& line) {
    return line.find(std::string(key) + ":") != std::string::npos;
  });
}

std::string EmbeddedText(const std::string& name) {
  const auto resource = FindResource(name);
  if (!resource) {
    return {};
  }
  return std::string(reinterpret_cast<const char*>(resource->data()), resource->size());
}

// The key names of every `key=value` line of `text`.
std::vector<std::string> KeysOf(const std::string& text) {
  std::vector<std::string> keys;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t equals = line.find('=');
    if (line.empty() || line[0] == ';' || equals == std::string::npos) {
      continue;
    }
    std::string key = line.substr(0, equals);
    key.erase(key.find_last_not_of(' ') + 1);
    keys.push_back(key);
  }
  return keys;
}

// One key family per row: the text read and what one control must then hold.
struct FamilyCase {
  const char* name;
  std::string body;
  std::string control;
  std::optional<int> x, y, width, height;
  std::optional<bool> visible;
};

class SkinLayoutFamilies : public testing::TestWithParam<FamilyCase> {};

TEST_P(SkinLayoutFamilies, PlacesTheControl) {
  const FamilyCase& c = GetParam();
  const Reading reading = Read(c.body);
  const ControlLayout* control = reading.layout.Control(c.control);
  ASSERT_NE(control, nullptr) << c.control;
  EXPECT_EQ(control->x, c.x);
  EXPECT_EQ(control->y, c.y);
  EXPECT_EQ(control->width, c.width);
  EXPECT_EQ(control->height, c.height);
  EXPECT_EQ(control->visible, c.visible);
}

const std::string kSpaces = "Btn_Space_F=8\r\nBtn_Space_B=6\r\n";

INSTANTIATE_TEST_SUITE_P(
    Keys, SkinLayoutFamilies,
    testing::Values(
        // Family A: the label lies exactly over its picture, in every page group.
        FamilyCase{"ApplyPicture", "Btn_A2_Enable=1\r\nBtn_A2_X=820\r\nBtn_A2_Y=600\r\n",
                   "Img_Apply_3", 820, 600, 110, 32, true},
        FamilyCase{"ApplyLabel", "Btn_A2_Enable=1\r\nBtn_A2_X=820\r\nBtn_A2_Y=600\r\n",
                   "Btn_Apply_1", 820, 600, 110, 32, true},
        FamilyCase{"ExitTakesItsOwnPicture", "Btn_A4_Enable=1\r\nBtn_A4_X=980\r\nBtn_A4_Y=10\r\n",
                   "Btn_Exit_4", 980, 10, 24, 24, true},
        // Family B: the label is inset by Btn_Space_F in front and Btn_Space_B behind.
        FamilyCase{"PageLabelInset", kSpaces + "Btn_B4_Enable=1\r\nBtn_B4_X=366\r\nBtn_B4_Y=65\r\n",
                   "Btn_Adv_2", 374, 65, 124 - 8 - 6, 34, true},
        FamilyCase{"PagePictureNotInset",
                   kSpaces + "Btn_B4_Enable=1\r\nBtn_B4_X=366\r\nBtn_B4_Y=65\r\n", "Img_Adv_2", 366,
                   65, 124, 34, true},
        FamilyCase{"SaveInsetOverActionPicture",
                   kSpaces + "Btn_B6_Enable=1\r\nBtn_B6_X=50\r\nBtn_B6_Y=600\r\n", "Btn_Save_1", 58,
                   600, 110 - 8 - 6, 32, true},
        // The engineer button takes the Macro place but stays hidden.
        FamilyCase{"EngineerAtMacroPlace",
                   kSpaces + "Btn_B11_Enable=1\r\nBtn_B11_X=626\r\nBtn_B11_Y=65\r\n",
                   "Img_Engineer_1", 626, 65, 124, 34, false},
        // Disabled: hidden, and the position keys are not read.
        FamilyCase{"DisabledButtonHidden", "Btn_A1_Enable=0\r\nBtn_A1_X=9640\r\nBtn_A1_Y=600\r\n",
                   "Btn_Confirm_2", std::nullopt, std::nullopt, std::nullopt, std::nullopt, false},
        FamilyCase{"EnableMeansExactlyOne", "Key3_Enable=2\r\nKey3_X=160\r\nKey3_Y=250\r\n", "Key3",
                   std::nullopt, std::nullopt, std::nullopt, std::nullopt, false},
        // Plain items with numbered families and companion labels.
        FamilyCase{"Marker", "Key8_Enable=1\r\nKey8_X=670\r\nKey8_Y=200\r\nKey_Width=180\r\n",
                   "Key8", 670, 200, 180, std::nullopt, true},
        FamilyCase{"MarkerPicture", "Key8_Enable=1\r\nKey8_X=670\r\nKey8_Y=200\r\n", "Img_Key8",
                   670, 200, std::nullopt, std::nullopt, true},
        FamilyCase{"ComboKeyCaption",
                   "ComboKey2_Enable=1\r\nComboKey2_X=700\r\nComboKey2_Y=510\r\n"
                   "ComboKey_H=20\r\n",
                   "IB_ComboKey2", 700, 510, std::nullopt, 20, true},
        FamilyCase{"RadioPairLabel", "LEDSwitchOn_X=230\r\nLEDSwitchOn_Y=230\r\n", "lbl_LCPIOn",
                   226, 228, std::nullopt, std::nullopt, std::nullopt},
        FamilyCase{"DelayRadioLabel", "RecDelay_X=640\r\nRecDelay_Y=230\r\n", "IB_RecDelay", 638,
                   230, std::nullopt, std::nullopt, std::nullopt},
        FamilyCase{"EditCaption", "InsertAxisEdit_X=720\r\nInsertAxisEdit_Y=200\r\n",
                   "lbl_YAxisValue", 656, 228, std::nullopt, std::nullopt, std::nullopt},
        FamilyCase{"DelayCaption", "InsertDelayEdit_X=730\r\nInsertDelayEdit_Y=300\r\n", "lbl_s_A",
                   774, 300, std::nullopt, std::nullopt, std::nullopt},
        FamilyCase{"ListSize",
                   "PCMacroName_X=40\r\nPCMacroName_Y=160\r\nPCMacroName_W=220\r\n"
                   "PCMacroName_H=360\r\n",
                   "LB_PCMacroName", 40, 160, 220, 360, std::nullopt},
        FamilyCase{"PanelWidthWithSpaces", "M_L_W = 190\r\n", "Pnl_Main", std::nullopt,
                   std::nullopt, 190, std::nullopt, std::nullopt},
        FamilyCase{"SharedPanelWidth", "O_L_W=170\r\n", "Pnl_MyPC", std::nullopt, std::nullopt, 170,
                   std::nullopt, std::nullopt},
        FamilyCase{"DpiSteps", "DPI4_Steps_X=64\r\nDPI4_Steps_Y=314\r\n", "lbl_DPI4", 64, 314,
                   std::nullopt, std::nullopt, std::nullopt},
        FamilyCase{"Label",
                   "Mouse_Speed_Lable_X=580\r\nMouse_Speed_Lable_Y=152\r\n"
                   "Mouse_Speed_Lable_Width=300\r\n",
                   "lbl_Mouse_Speed", 580, 152, 300, std::nullopt, std::nullopt},
        // Rows: tick label i at X + (i - 1) D + 4, Y + 26.
        FamilyCase{"TickRow", "DbSpd_X=600\r\nDbSpd_Y=280\r\nDbSpd_D=30\r\n", "lbl_DbSpd11",
                   600 + 10 * 30 + 4, 306, std::nullopt, std::nullopt, std::nullopt},
        FamilyCase{"TickRowSlider", "ScrSpd_X=600\r\nScrSpd_Y=380\r\nScrSpd_D=30\r\n",
                   "slider_SrcSpd", 600, 380, std::nullopt, std::nullopt, std::nullopt},
        // LED bars: picture i at X + (i - 1) (picture width + D); its number 24 lower.
        FamilyCase{"BarRow", "MCULEDNum_X=560\r\nMCULEDNum_Y=320\r\nMCULEDNum_D=6\r\n",
                   "Img_MCULEDNum_10", 560 + 9 * 36, 320, std::nullopt, std::nullopt, std::nullopt},
        FamilyCase{"BarRowNumber", "MCULEDStep_X=560\r\nMCULEDStep_Y=420\r\nMCULEDStep_D=6\r\n",
                   "lbl_MCULEDStep_3", 560 + 2 * 36, 444, std::nullopt, std::nullopt,
                   std::nullopt}),
    [](const testing::TestParamInfo<FamilyCase>& info) { return std::string(info.param.name); });

TEST(SkinLayout, GroupsGiveFontSizeAndColourToTheirControls) {
  const Reading reading = Read(
      "Size_C=10\r\nColor_C_R=1\r\nColor_C_G=2\r\nColor_C_B=3\r\n"
      "Color_D_Selected_R=64\r\nColor_D_Selected_G=196\r\nColor_D_Selected_B=255\r\n"
      "Key2_Enable=1\r\nKey2_X=160\r\nKey2_Y=200\r\n"
      "LED_On_Lable_Size=9\r\nLED_On_Lable_R=255\r\nLED_On_Lable_G=0\r\nLED_On_Lable_B=0\r\n");
  const ControlLayout* marker = reading.layout.Control("Key2");
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(marker->group, 'C');
  EXPECT_EQ(marker->fontSize, 10);
  EXPECT_EQ(marker->fontColour, 0x030201U);  // red in the low byte
  ASSERT_NE(reading.layout.Group('D'), nullptr);
  EXPECT_EQ(reading.layout.Group('D')->colours.at("Selected"), MakeLayoutColour(64, 196, 255));
  // A label with its own keys keeps its own style.
  const ControlLayout* label = reading.layout.Control("lbl_LEDOn");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->fontSize, 9);
  EXPECT_EQ(label->fontColour, 0x0000FFU);
}

// A label key names its text; the control that shows it may be named
// otherwise, and an option's text is placed by the option's picture.
TEST(SkinLayout, LabelKeysReachTheControlsShowingTheirText) {
  const Reading reading = Read(
      "Gun_Marco_Fire_Count_Lable_X=40\r\nGun_Marco_Fire_Count_Lable_Y=262\r\n"
      "Marco_Delay_Setting_Lable_X=664\r\n"
      "MCULEDMode3_X=828\r\nMCULEDMode3_Y=178\r\n"
      "LED_Mode_3_Lable_X=5\r\nLED_Mode_3_Lable_Size=10\r\n");
  const ControlLayout* count = reading.layout.Control("lbl_Fire_Marco_Count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->x, 40);
  EXPECT_EQ(count->y, 262);
  ASSERT_NE(reading.layout.Control("lbl_Delay_Setting"), nullptr);
  EXPECT_EQ(reading.layout.Control("lbl_Delay_Setting")->x, 664);
  EXPECT_EQ(reading.layout.Control("lbl_Gun_Marco_Fire_Count"), nullptr);
  // Both mode lists take the font; the MCU label stays over its picture.
  for (const char* name : {"lbl_MCULEDMode3", "lbl_RBLEDMode3"}) {
    const ControlLayout* mode = reading.layout.Control(name);
    ASSERT_NE(mode, nullptr) << name;
    EXPECT_EQ(mode->fontSize, 10) << name;
  }
  EXPECT_EQ(reading.layout.Control("lbl_MCULEDMode3")->x, 828 - 4);
  EXPECT_EQ(reading.layout.Control("lbl_RBLEDMode3")->x, std::nullopt);
}

TEST(SkinLayout, MissingOrBadKeysKeepThePreviousValueAndAreReportedOnce) {
  SkinLayout layout;
  std::vector<std::string> problems;
  layout.Read(IniFile::Parse("[org1]\r\nKey1_Enable=1\r\nKey1_X=160\r\nKey1_Y=150\r\n"
                             "MacroNameHeight=20\r\nSize_A=11\r\n"),
              "org1", FixedSizes, problems);
  ASSERT_EQ(layout.Control("Key1")->x, 160);

  // Second application: X is not a number, Y is gone, the height is "20px".
  problems.clear();
  const std::string broken =
      "[org1]\r\nKey1_Enable=1\r\nKey1_X=16O\r\nMacroNameHeight=20px\r\nSize_A=\r\n"
      "Color_B_R=300\r\nColor_B_G=0\r\nColor_B_B=0\r\n";
  layout.Read(IniFile::Parse(broken), "org1", FixedSizes, problems);
  const std::size_t firstCount = problems.size();
  layout.Read(IniFile::Parse(broken), "org1", FixedSizes, problems);

  EXPECT_EQ(problems.size(), firstCount) << "the same problem is listed once";
  EXPECT_EQ(layout.Control("Key1")->x, 160);
  EXPECT_EQ(layout.Control("Key1")->y, 150);
  EXPECT_TRUE(Mentions(problems, "Key1_X"));
  EXPECT_TRUE(Mentions(problems, "Key1_Y"));
  EXPECT_EQ(layout.MacroNameHeight(), 20);
  EXPECT_EQ(layout.Control("LB_FireMacro")->itemHeight, 20);
  EXPECT_TRUE(Mentions(problems, "MacroNameHeight"));
  EXPECT_EQ(layout.Group('A')->fontSize, 11);
  EXPECT_TRUE(Mentions(problems, "Size_A"));
  // A colour channel beyond a byte would spill into the next one: clamped.
  EXPECT_EQ(layout.Group('B')->colours.at(""), MakeLayoutColour(255, 0, 0));
  EXPECT_TRUE(Mentions(problems, "Color_B_R"));
}

TEST(SkinLayout, MissingEnableLeavesTheItemAsItWas) {
  SkinLayout layout;
  std::vector<std::string> problems;
  layout.Read(IniFile::Parse("[org1]\r\nKey9_Enable=1\r\nKey9_X=670\r\nKey9_Y=250\r\n"), "org1",
              FixedSizes, problems);
  layout.Read(IniFile::Parse("[org1]\r\nKey9_X=10\r\nKey9_Y=10\r\n"), "org1", FixedSizes, problems);
  EXPECT_EQ(layout.Control("Img_Key9")->visible, true);
  EXPECT_EQ(layout.Control("Img_Key9")->x, 670);
  EXPECT_TRUE(Mentions(problems, "Key9_Enable"));
}

TEST(SkinLayout, MissingSectionOrUnknownPictureIsReported) {
  Reading wrongSection = Read("Key1_Enable=1\r\n", "org3");
  wrongSection.layout.Read(IniFile::Parse("[org1]\r\nKey1_Enable=1\r\n"), "org3", FixedSizes,
                           wrongSection.problems);
  EXPECT_NE(std::find(wrongSection.problems.begin(), wrongSection.problems.end(),
                      "section [org3] is missing; the layout is left as it was"),
            wrongSection.problems.end());

  SkinLayout layout;
  std::vector<std::string> problems;
  layout.Read(IniFile::Parse("[org1]\r\nBtn_A2_Enable=1\r\nBtn_A2_X=820\r\nBtn_A2_Y=600\r\n"),
              "org1", nullptr, problems);
  EXPECT_EQ(layout.Control("Img_Apply_1")->x, 820);
  EXPECT_FALSE(layout.Control("Btn_Apply_1")->width.has_value());
  EXPECT_TRUE(Mentions(problems, "Btn_A2_Enable"));
}

// The shipped layouts: complete, and skin 1 as the window expects it.
class ShippedSkinLayout : public testing::TestWithParam<int> {};

TEST_P(ShippedSkinLayout, CarriesExactlyTheKeysTheReaderReads) {
  const std::string name = SkinLayoutName(GetParam());
  const std::string text = EmbeddedText(name);
  ASSERT_FALSE(text.empty()) << name;
  ASSERT_TRUE(IniFile::Parse(text).HasSection(name));

  SkinLayout layout;
  std::vector<std::string> problems;
  ReadEmbeddedSkinLayout(GetParam(), FixedSizes, layout, problems);
  EXPECT_TRUE(problems.empty()) << problems.front();

  std::multiset<std::string> inFile;
  for (const std::string& key : KeysOf(text)) {
    inFile.insert(key);
  }
  for (const std::string& key : SkinLayout::Keys()) {
    EXPECT_EQ(inFile.count(key), 1U) << key;
  }
  const std::vector<std::string> read = SkinLayout::Keys();
  for (const std::string& key : inFile) {
    // The spare button B12 is carried but never read.
    if (!key.starts_with("Btn_B12_")) {
      EXPECT_NE(std::find(read.begin(), read.end(), key), read.end()) << key;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkinLayout, testing::Values(1, 2, 3));

TEST(ShippedSkinLayout, SkinOneTellingRows) {
  SkinLayout layout;
  std::vector<std::string> problems;
  ReadEmbeddedSkinLayout(1, FixedSizes, layout, problems);
  ASSERT_TRUE(problems.empty());

  EXPECT_EQ(layout.Group('A')->fontSize, 11);
  EXPECT_EQ(layout.Group('B')->fontSize, 12);
  struct Place {
    const char* control;
    int x, y;
  };
  for (const Place& place :
       {Place{"Img_Apply_1", 820, 600}, Place{"Img_Confirm1_2", 310, 600},
        Place{"Img_Mini_3", 950, 10}, Place{"Img_Exit_4", 980, 10}, Place{"Img_Main_1", 106, 65},
        Place{"Img_Second_1", 236, 65}, Place{"Img_Adv_1", 366, 65}, Place{"Img_Breath_1", 496, 65},
        Place{"Img_Macro_1", 626, 65}, Place{"Img_Engineer_1", 626, 65},
        Place{"Img_Save_1", 50, 600}, Place{"Img_Load_1", 170, 600}}) {
    const ControlLayout* control = layout.Control(place.control);
    ASSERT_NE(control, nullptr) << place.control;
    EXPECT_EQ(control->x, place.x) << place.control;
    EXPECT_EQ(control->y, place.y) << place.control;
  }
  for (const char* shown : {"Img_Apply_1", "Img_Confirm1_1", "Img_Save_4", "Img_Load_4",
                            "Img_Exit_1", "Img_Mini_1", "Img_Main_2", "Img_Macro_3"}) {
    EXPECT_EQ(layout.Control(shown)->visible, true) << shown;
  }
  for (const char* hidden : {"Img_Confirm_1", "Img_Confirm2_2", "Img_Confirm3_3", "Img_Read_4",
                             "Img_Lang1_1", "Btn_Lang2_2", "Img_Lang3_3", "Img_Engineer_2"}) {
    EXPECT_EQ(layout.Control(hidden)->visible, false) << hidden;
  }
  // The mouse has nine buttons: every marker is shown, the first six at x = 160.
  for (int key = 1; key <= 9; ++key) {
    const std::string marker = "Key" + std::to_string(key);
    EXPECT_EQ(layout.Control(marker)->visible, true) << marker;
    EXPECT_EQ(layout.Control("Img_" + marker)->visible, true) << marker;
    if (key <= 6) {
      EXPECT_EQ(layout.Control(marker)->x, 160) << marker;
    }
  }
  EXPECT_EQ(layout.MacroNameHeight(), 20);
  for (const char* list :
       {"LB_PCMacroName", "LB_MacroName", "LB_macro", "LB_FireMacroName", "LB_FireMacro"}) {
    EXPECT_EQ(layout.Control(list)->itemHeight, 20) << list;
  }
}

}  // namespace
}  // namespace orbic::ui
