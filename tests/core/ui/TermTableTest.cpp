#include "ui/TermTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace orbic::ui {
namespace {

TEST(TermTable, StoredOrderIsById35And36AfterId56) {
  std::vector<int> ids;
  for (const TermRow& row : TermTable()) {
    ids.push_back(row.id);
  }
  std::vector<int> expected;
  for (int id = 0; id <= 56; ++id) {
    if (id != 35 && id != 36) {
      expected.push_back(id);
    }
  }
  expected.push_back(35);
  expected.push_back(36);
  for (int id = 57; id <= 138; ++id) {
    expected.push_back(id);
  }
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(ids.size(), kTermCount);
}

TEST(TermTable, EveryRowHasEnglishAndSimplifiedChineseButNoTraditionalText) {
  for (const TermRow& row : TermTable()) {
    EXPECT_FALSE(row.english.empty()) << int{row.id};
    EXPECT_FALSE(row.simplifiedChinese.empty()) << int{row.id};
    EXPECT_TRUE(row.traditionalChinese.empty()) << int{row.id};
  }
}

TEST(TermTable, EnglishTexts) {
  const std::vector<std::pair<int, std::string>> texts = {
      {0, "Office Mode"},
      {1, "Gaming Mode"},
      {2, "Advanced"},
      {3, "Breathing Light"},
      {4, "Macro"},
      {5, "Engineer Mode"},
      {6, "Load"},
      {7, "Save"},
      {8, "Test Keys Position"},
      {9, "Default"},
      {10, "Apply"},
      {11, "Import Base Macro"},
      {12, "Import Fire Macro"},
      {13, "Operation"},
      {14, "Engineer"},
      {15, "LED Type"},
      {16, "MCU LED"},
      {17, "RB LED"},
      {18, "Sync LED"},
      {19, "Breath LED"},
      {20, "LED Status"},
      {21, "On"},
      {22, "Off"},
      {23, "LED Switch(M+CPI)"},
      {24, "Fire Function"},
      {25, "Fn+Left Key"},
      {26, "Left Key"},
      {27, "Fire Mode"},
      {28, "Fire Count:"},
      {29, "Fire Time:"},
      {30, "LED Mode(L+CPI)"},
      {31, "MCU LED Ligth Mode"},
      {32, "All Ligth"},
      {33, "Half Ligth"},
      {34, "MCU LED CPI Color Setting"},
      {35, "Vendor ID:"},
      {36, "Product ID:"},
      {37, "MCU LED Setting"},
      {38, "LED Number:"},
      {39, "Current Mode:"},
      {47, "LED Step:"},
      {48, "RB LED Mode"},
      {49, "Current Mode:"},
      {50, "Colors Breath Fast"},
      {51, "Colors Breath Middle"},
      {52, "Colors Breath Slow"},
      {53, "CPI Breath Fast"},
      {54, "CPI Breath Middle"},
      {55, "CPI Breath Slow"},
      {56, "OFF"},
      {57, "Switch Key Mode"},
      {58, "Press Middle Key"},
      {59, "Press CPI Key"},
      {60, "Press Gun Key"},
      {61, "Is Save Key Mode"},
      {62, "Save"},
      {63, "No Save"},
      {64, "Sensor Ori:"},
      {65, "0°"},
      {66, "90°"},
      {67, "180°"},
      {68, "270°"},
      {69, "X Reverse"},
      {70, "Y Reverse"},
      {71, "XY Swap XY Reverse"},
      {72, "XY Swap XY NoReverse"},
      {73, "Keys Number"},
      {74, "6-Keys"},
      {75, "9-Keys"},
      {76, "CPI"},
      {77, "CPI Steps:"},
      {78, "Current CPI:"},
      {86, "AIM Key:"},
      {87, "Key Mode:"},
      {88, "Key Mode1"},
      {89, "Key Mode2"},
      {90, "Gun Parameter Setting"},
      {91, "Gun Start Index:"},
      {92, "Gun Stop Index:"},
      {93, "Add Gun"},
      {94, "Delect Gun"},
      {95, "MCU LED Mode Select"},
      {96, "Fire Macro Color Setting"},
      {127, "Fire Macro Y Offset"},
      {138, "Notes: "},
  };
  for (const auto& [id, text] : texts) {
    EXPECT_EQ(LookupTerm(id, TermLanguage::kEnglish), text) << id;
  }
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(LookupTerm(39 + n, TermLanguage::kEnglish), "Mode " + std::to_string(n));
    EXPECT_EQ(LookupTerm(78 + n, TermLanguage::kEnglish), "CPI " + std::to_string(n) + ":");
  }
  for (int macro = 1; macro <= 10; ++macro) {
    const int first = 97 + (macro - 1) * 3;
    const std::string name = "Macro" + std::to_string(macro);
    EXPECT_EQ(LookupTerm(first, TermLanguage::kEnglish), name + " R:");
    EXPECT_EQ(LookupTerm(first + 1, TermLanguage::kEnglish), name + " G:");
    EXPECT_EQ(LookupTerm(first + 2, TermLanguage::kEnglish), name + " B:");
    EXPECT_EQ(LookupTerm(127 + macro, TermLanguage::kEnglish), name + " Y Offset:");
  }
}

TEST(TermTable, SimplifiedChineseAndUnknownIds) {
  const std::vector<std::pair<int, std::string>> texts = {
      {0, "办公模式"},   {1, "游戏模式"},   {13, "操作人员界面"}, {14, "工程人员界面"},
      {35, "厂商编码:"}, {36, "产品编码:"}, {138, "注释: "},
  };
  for (const auto& [id, text] : texts) {
    EXPECT_EQ(LookupTerm(id, TermLanguage::kSimplifiedChinese), text) << id;
  }
  EXPECT_EQ(LookupTerm(35, TermLanguage::kTraditionalChinese), "");
  for (const int id : {-1, 139, 255, 256, 1000}) {
    EXPECT_EQ(LookupTerm(id, TermLanguage::kEnglish), std::nullopt) << id;
    EXPECT_EQ(LookupTerm(id, TermLanguage::kSimplifiedChinese), std::nullopt) << id;
  }
}

TEST(TermTable, FixedTextLanguageFromLocale) {
  const std::vector<std::pair<std::string, TermLanguage>> cases = {
      {"zh_CN", TermLanguage::kSimplifiedChinese},
      {"zh-CN", TermLanguage::kSimplifiedChinese},
      {"zh_CN.UTF-8", TermLanguage::kSimplifiedChinese},
      {"zh_CN.GB18030@stroke", TermLanguage::kSimplifiedChinese},
      {"ZH_cn", TermLanguage::kSimplifiedChinese},
      {"zh_Hans_CN", TermLanguage::kSimplifiedChinese},
      {"zh-Hans-CN", TermLanguage::kSimplifiedChinese},
      {"zh_TW", TermLanguage::kEnglish},
      {"zh_HK", TermLanguage::kEnglish},
      {"zh_SG", TermLanguage::kEnglish},
      {"zh_Hant_CN", TermLanguage::kEnglish},
      {"zh", TermLanguage::kEnglish},
      {"en_US.UTF-8", TermLanguage::kEnglish},
      {"de_DE", TermLanguage::kEnglish},
      {"C", TermLanguage::kEnglish},
      {"", TermLanguage::kEnglish},
      {"cn", TermLanguage::kEnglish},
      {"zh_CNX", TermLanguage::kEnglish},
      {"_CN", TermLanguage::kEnglish},
  };
  for (const auto& [locale, language] : cases) {
    EXPECT_EQ(FixedTextLanguage(locale), language) << locale;
  }
  EXPECT_EQ(FixedTextFont(TermLanguage::kEnglish), "MS Sans Serif");
  EXPECT_EQ(FixedTextFont(TermLanguage::kSimplifiedChinese), "MS Sans Serif");
  EXPECT_EQ(FixedTextFont(TermLanguage::kTraditionalChinese), "Microsoft JhengHei");
}

TEST(TermTable, PageButtonsAndTabsTakeTermsZeroToFourteen) {
  for (std::size_t i = 0; i < kTermCaptions.size(); ++i) {
    EXPECT_EQ(kTermCaptions[i].termId, static_cast<int>(i));
  }
  EXPECT_EQ(LookupTerm(kTermCaptions[8].termId, TermLanguage::kEnglish), "Test Keys Position");
  EXPECT_EQ(kTermCaptions[8].control, "btn_TestKeys");
  EXPECT_EQ(LookupTerm(kTermCaptions[13].termId, TermLanguage::kSimplifiedChinese), "操作人员界面");
}

}  // namespace
}  // namespace orbic::ui
