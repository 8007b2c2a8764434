#include "ui/LanguageCaptions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Utf16TestBytes.h"
#include "ui/AppliedLanguage.h"
#include "ui/LanguageTable.h"

namespace orbic::ui {
namespace {

std::vector<LanguageTable> EmbeddedTables() {
  std::vector<std::string> problems;
  std::vector<LanguageTable> tables = LoadEmbeddedLanguageTables(problems);
  EXPECT_EQ(problems, std::vector<std::string>{});
  return tables;
}

const ControlCaption* FindCaption(const std::vector<ControlCaption>& captions,
                                  std::string_view control) {
  for (const ControlCaption& caption : captions) {
    if (caption.control == control) {
      return &caption;
    }
  }
  return nullptr;
}

TEST(LanguageCaptions, EveryAssignedKeyExistsAndEveryControlOnce) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  const std::vector<ControlCaption> captions = LanguageCaptions(tables[0]);
  EXPECT_EQ(captions.size(), kHeaderCaptions.size() * kHeaderCopies +
                                 kProfileSwitchCaptions.size() + kFunctionListCaptions.size());
  std::set<std::string> controls;
  for (const ControlCaption& caption : captions) {
    EXPECT_TRUE(controls.insert(caption.control).second) << caption.control;
    for (const LanguageTable& table : tables) {
      EXPECT_TRUE(table.Has(caption.key)) << caption.control << " " << caption.key;
    }
  }
  EXPECT_TRUE(tables[0].Has(kFunctionMarkerKey));
}

TEST(LanguageCaptions, CaptionsOfTable1) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  const std::vector<ControlCaption> captions = LanguageCaptions(tables[0]);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Btn_Confirm_1", "Confirm"},
      {"Btn_Confirm_4", "Confirm"},
      {"Btn_Apply_2", "Apply"},
      {"Btn_Read_3", "Read"},
      {"Btn_Confirm1_1", "Restore"},
      {"Btn_Confirm2_2", "Confirm 2"},
      {"Btn_Confirm3_3", "Confirm 3"},
      {"Btn_Main_4", "Office Mode"},
      {"Btn_Second_1", "Game Mode"},
      {"Btn_Adv_1", "Advanced"},
      {"Btn_Breath_1", "Light"},
      {"Btn_Macro_1", "Macro"},
      {"Btn_Engineer_1", "Macro"},
      {"Btn_Save_1", "Save Profile"},
      {"Btn_Load_1", "Load Profile"},
      {"Btn_Lang1_1", "Chinese"},
      {"Btn_Lang2_1", "English"},
      {"Btn_Lang3_4", "English"},
      {"IB_ComboKey1", "Press 'Middle Click' 3sec to switch Office Mode/Game Mode"},
      {"IB_ComboKey2", "Press 'DPI' 3sec to switch Office Mode/Game Mode"},
      {"IB_ComboKey3", "Press Gun Key Switch Profile1/Profile2"},
      {"Key_Standard", " * Standard Mouse Keys"},
      {"Key_Left", " * Left Click"},
      {"Key_CPIKey", " * DPI"},
      {"Key_CPII", " * DPI +"},
      {"Key_FireMacro", " * Fire Macro"},
      {"Key_TLFireMacro", " * Fire Macro"},
      {"Key_LEDMode", " * LED Mode"},
      {"Key_WWWStop", " * Stop"},
      {"Key_WWWFavorites", " * Favorites"},
  };
  for (const auto& [control, text] : expected) {
    const ControlCaption* caption = FindCaption(captions, control);
    ASSERT_NE(caption, nullptr) << control;
    EXPECT_EQ(caption->text, text) << control;
  }
  EXPECT_EQ(FindCaption(captions, "Btn_Confirm_0"), nullptr);
  EXPECT_EQ(FindCaption(captions, "Btn_Confirm_5"), nullptr);
  EXPECT_EQ(FindCaption(captions, "Key1"), nullptr);  // markers are re-translated instead
}

TEST(LanguageCaptions, MarkerCaptionsFollowTheNewTable) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  struct Case {
    std::string caption;
    int newTable;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"Left Click", 2, "Left Key"},
      {"Left Key", 0, "Left Click"},
      {"Left Click", 1, "Left Click"},
      {"DPI +", 2, "DPI Up"},
      {"AKM", 2, "AKM Fire"},
      {"SCAR-L Fire", 0, "SCAR-L"},
      {"My own macro", 2, "My own macro"},  // found in no table: kept
      {"Macro 3", 0, "Macro 3"},
      {"", 2, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RetranslateCaption(c.caption, tables, tables[c.newTable]), c.expected)
        << c.caption << " -> table " << c.newTable + 1;
  }
}

TEST(LanguageCaptions, EveryFunctionLabelSurvivesEveryLanguageChange) {
  // A marker shows the bare text of a function entry or a gun preset. After any
  // change of table it must show the same function's text in the new table; a
  // wording shared with another key would send it to the wrong function.
  const std::vector<LanguageTable> tables = EmbeddedTables();
  std::vector<std::string> labelKeys;
  for (const CaptionSource& source : kFunctionListCaptions) {
    labelKeys.emplace_back(source.key);
  }
  for (int number = 600; number <= 606; ++number) {
    labelKeys.push_back(TextKey(number));
  }
  for (const LanguageTable& from : tables) {
    for (const LanguageTable& to : tables) {
      for (const std::string& key : labelKeys) {
        EXPECT_EQ(RetranslateCaption(from.Text(key), tables, to), to.Text(key))
            << key << ": " << from.Text(key);
      }
    }
  }
}

TEST(LanguageCaptions, ApplyingATableSetsFontTitleMessagesAndMarkers) {
  const std::vector<LanguageTable> tables = EmbeddedTables();
  MarkerCaptions markers = {"Left Click", "Right Click",  "Middle Click", "Back", "Forward",
                            "DPI Loop",   "My own macro", "AKM",          ""};
  const AppliedLanguage applied = ApplyLanguageTable(tables[2], tables, markers);
  EXPECT_EQ(applied.languageFont, "Arial Narrow");
  EXPECT_EQ(applied.applicationTitle, "Trelmark Gaming Mouse");
  EXPECT_EQ(applied.messages.str100, "No Device Found");
  EXPECT_EQ(applied.captions, LanguageCaptions(tables[2]));
  const MarkerCaptions expectedMarkers = {"Left Key",     "Right Key",   "Middle Key",
                                          "Back Key",     "Forward Key", "DPI Cycle",
                                          "My own macro", "AKM Fire",    ""};
  EXPECT_EQ(applied.markerCaptions, expectedMarkers);
  const DpiStepTexts table3Steps = {"500",  "800",  "1000", "1200", "1600", "2000",
                                    "2400", "3200", "4000", "4800", "6400", ""};
  EXPECT_EQ(applied.dpiStepTexts, table3Steps);
  EXPECT_EQ(applied.table.Text("Str800"), tables[2].Text("Str800"));

  const AppliedLanguage back = ApplyLanguageTable(tables[0], tables, applied.markerCaptions);
  EXPECT_EQ(back.markerCaptions, markers);
  EXPECT_EQ(back.applicationTitle, "Quorvex");
  EXPECT_EQ(back.languageFont, "Arial");
  EXPECT_EQ(back.dpiStepTexts.back(), "8000");

  std::vector<std::string> problems;
  const LanguageTable untitled =
      LanguageTable::Parse(testing::Utf16LeBytes(u"[x]\r\n\"Str000=Confirm\"\r\n"), "x", problems);
  const AppliedLanguage plain = ApplyLanguageTable(untitled, tables, markers);
  EXPECT_EQ(plain.applicationTitle, kStartupApplicationTitle);
  EXPECT_EQ(plain.languageFont, "");
}

}  // namespace
}  // namespace orbic::ui
