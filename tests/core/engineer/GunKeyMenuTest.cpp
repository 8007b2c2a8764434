#include "engineer/GunKeyMenu.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engineer/EngineerCaptions.h"
#include "engineer/EngineerHints.h"
#include "support/TempFolder.h"
#include "ui/TermTable.h"

namespace orbic::engineer {
namespace {

namespace fs = std::filesystem;

class GunKeyMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = temp_.Path();
    std::string error;
    ASSERT_TRUE(list.Add(1, 3, dir_.string() + "/", error)) << error;
    ASSERT_TRUE(list.Add(4, 7, dir_.string() + "/", error)) << error;
    keys.DataBufToCodes(data);
  }

  orbic::test::TempFolder temp_;
  fs::path dir_;
  fire::GunKeyList list;
  params::DataBuf data;
  keys::KeyAssignments keys{[](std::string_view code) { return std::string(code); }};
};

TEST_F(GunKeyMenuTest, EntryGoesIntoTheTargetsCodeAndProfileBytes) {
  // "Fire Macro2" for btn_Key203: key mode 2, button 3, Profile bytes 33..35.
  EXPECT_EQ(LB_ScriptClick(203, 2, list, keys, data), "Fire Macro2");
  EXPECT_EQ(keys.Code(2, 3), "0C0407");
  EXPECT_EQ(data.profile[33], 0x0C);
  EXPECT_EQ(data.profile[34], 0x04);
  EXPECT_EQ(data.profile[35], 0x07);
  EXPECT_EQ(data.profile[6], 0x00);  // key mode 1, button 3 untouched

  EXPECT_EQ(LB_ScriptClick(109, 1, list, keys, data), "Fire Macro1");
  EXPECT_EQ(keys.Code(1, 9), "0C0103");
  EXPECT_EQ(data.profile[24], 0x0C);
  EXPECT_EQ(data.profile[26], 0x03);
}

// Entry 3 holds the code of entry 1: the button shows the entry chosen, also
// after the labels are worked out again, until it gets another code.
TEST_F(GunKeyMenuTest, TheChosenEntrysOwnCaptionIsShownWhenCodesRepeat) {
  std::string error;
  ASSERT_TRUE(list.Add(1, 3, dir_.string() + "/", error)) << error;
  keys::KeyAssignments labelled{[this](std::string_view code) {
    const std::optional<keys::KeyCode> parsed = keys::ParseCodeString(code);
    const std::optional<int> at = parsed ? list.GunKeyPosition(*parsed) : std::nullopt;
    return at ? "Fire Macro" + std::to_string(*at) : std::string(code);
  }};
  labelled.DataBufToCodes(data);
  EXPECT_EQ(LB_ScriptClick(104, 3, list, labelled, data), "Fire Macro3");
  EXPECT_EQ(labelled.Label(1, 4), "Fire Macro3");
  labelled.RefreshLabels();
  EXPECT_EQ(labelled.Label(1, 4), "Fire Macro3");
  EXPECT_EQ(LB_ScriptClick(104, 1, list, labelled, data), "Fire Macro1");
  EXPECT_EQ(labelled.Label(1, 4), "Fire Macro1");
  labelled.Assign(1, 4, "0C0103", data);  // a code from elsewhere: labelled by its code
  EXPECT_EQ(labelled.Label(1, 4), "Fire Macro1");
}

TEST_F(GunKeyMenuTest, TargetsAndEntriesThatNameNothingChangeNothing) {
  const params::DataBuf before = data;
  for (const auto& [target, entry] : std::vector<std::pair<int, int>>{
           {100, 1}, {110, 1}, {200, 1}, {210, 1}, {301, 1}, {-1, 1}, {101, 0}, {101, 3}}) {
    EXPECT_EQ(LB_ScriptClick(target, entry, list, keys, data), std::nullopt)
        << target << " / " << entry;
  }
  EXPECT_EQ(data.profile, before.profile);
}

TEST(EngineerTargetNumberTest, MenuTargetsBecomeButtonNumbers) {
  EXPECT_EQ(EngineerTargetNumber({keys::MenuSurface::kEngineer, 2, 3}), 203);
  EXPECT_EQ(EngineerTargetNumber({keys::MenuSurface::kEngineer, 1, 9}), 109);
  EXPECT_EQ(EngineerTargetNumber({keys::MenuSurface::kEngineer, 1, -1}), -1);
}

TEST(EngineerHintTest, OwnHintFirstThenTheGroups) {
  // A colour edit has its own hint, its caption takes the group's.
  EXPECT_EQ(EngineerHint("edt_FireMacroColor10B", "gbFireMacroColor"),
            "用户可以根据自己喜好设定每档CPI的颜色。");
  EXPECT_EQ(EngineerHint("lbl_FireMacroColor10B", "gbFireMacroColor"),
            "基本的10种枪键宏定义对应的颜色参数。");
  EXPECT_EQ(EngineerHint("gbFireMacroColor", ""), "基本的10种枪键宏定义对应的颜色参数。");
  EXPECT_EQ(EngineerHint("edt_ProductID", ""), EngineerHint("lbl_VendorID", ""));
  EXPECT_TRUE(EngineerHint("edt_ProductID", "").starts_with("厂商编码为方案供应商"));
  EXPECT_EQ(EngineerHint("btn_Key204", "gbKeyMode2"),
            "按键模式2鼠标按键参数设定，用户可根据自己的使用情况，选择不同的按键参数。");
  EXPECT_EQ(
      EngineerHint("Btn_Default", ""),
      "\"恢复默认值\"按钮，让工厂在设定软件正确识别鼠标后，重新吧鼠标内部的参数恢复到新IC的默认"
      "参数。请谨慎使用。");
  // Controls without a hint: the vendor code read from the mouse, the page buttons.
  EXPECT_EQ(EngineerHint("edt_VendorID_Rd", ""), "");
  EXPECT_EQ(EngineerHint("Btn_Main_6", ""), "");
  EXPECT_EQ(EngineerHint("", ""), "");
}

TEST(EngineerCaptionsTest, FamiliesTakeConsecutiveTerms) {
  struct Case {
    const char* control;
    const char* english;
  };
  const std::vector<Case> cases = {
      {"lbl_FireMacroColor1R", "Macro1 R:"},
      {"lbl_FireMacroColor10B", "Macro10 B:"},
      {"lbl_FireMacroColor4G", "Macro4 G:"},
      {"lbl_YOffset10", "Macro10 Y Offset:"},
      {"lbl_CPI7", "CPI 7:"},
      {"cb_Mode6", "Mode 6"},
      {"cb_Mode7", "OFF"},
      {"lbl_VendorID_Rd", "Vendor ID:"},
      {"rb_B4CPIOff", "Off"},
      {"lbl_Notes", "Notes: "},
  };
  const std::vector<CaptionTerm>& terms = EngineerCaptionTerms();
  for (const Case& c : cases) {
    const auto row = std::find_if(terms.begin(), terms.end(),
                                  [&c](const CaptionTerm& t) { return t.control == c.control; });
    ASSERT_NE(row, terms.end()) << c.control;
    EXPECT_EQ(ui::LookupTerm(row->termId, ui::TermLanguage::kEnglish), c.english) << c.control;
  }
  // No control is captioned twice.
  for (auto row = terms.begin(); row != terms.end(); ++row) {
    EXPECT_EQ(std::count_if(row, terms.end(),
                            [&row](const CaptionTerm& t) { return t.control == row->control; }),
              1)
        << row->control;
  }
}

}  // namespace
}  // namespace orbic::engineer
