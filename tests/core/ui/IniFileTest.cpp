#include "ui/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orbic::ui {
namespace {

TEST(IniFile, ReadsSectionsKeysAndIgnoresCommentsAndDecoration) {
  const std::string text =
      "stray=before any section\r\n"
      "//=============\r\n"
      "  [first]  \r\n"
      "; comment=not a key\r\n"
      "// decoration = not a key either\r\n"
      "Plain=1\r\n"
      "  M_L_W  =  190  \r\n"
      "Url=https://host/?a=b\r\n"
      "Empty=\r\n"
      "no equals sign here\r\n"
      "\r\n"
      "   \t\r\n"
      "Plain=second occurrence\r\n"
      "[second]\n"
      "Plain=2\n"
      "last=no line end";
  const IniFile ini = IniFile::Parse(text);

  EXPECT_TRUE(ini.HasSection("first"));
  EXPECT_TRUE(ini.HasSection("second"));
  EXPECT_FALSE(ini.HasSection("third"));
  EXPECT_EQ(ini.Value("first", "Plain"), "1");
  EXPECT_EQ(ini.Value("second", "Plain"), "2");
  EXPECT_EQ(ini.Value("first", "M_L_W"), "190");
  EXPECT_EQ(ini.Value("first", "Url"), "https://host/?a=b");
  EXPECT_EQ(ini.Value("first", "Empty"), "");
  EXPECT_EQ(ini.Value("second", "last"), "no line end");
  EXPECT_EQ(ini.Value("first", "; comment"), std::nullopt);
  EXPECT_EQ(ini.Value("first", "// decoration"), std::nullopt);
  EXPECT_EQ(ini.Value("first", "stray"), std::nullopt);
  EXPECT_EQ(ini.Value("first", "plain"), std::nullopt);  // names are case-sensitive
  EXPECT_EQ(ini.Value("third", "Plain"), std::nullopt);
}

TEST(IniFile, IntValueIsAPlainDecimalConversion) {
  struct Case {
    std::string value;
    std::optional<int> expected;
  };
  const std::vector<Case> cases = {
      {"0", 0},
      {"190", 190},
      {"-7", -7},
      {"+3", 3},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {"1 2", std::nullopt},
      {"1.5", std::nullopt},
      {"0x10", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"+-5", std::nullopt},
      {"--5", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("value \"" + c.value + "\"");
    const IniFile ini = IniFile::Parse("[s]\r\nKey = " + c.value + " \r\n");
    EXPECT_EQ(ini.IntValue("s", "Key"), c.expected);
  }
  const IniFile ini = IniFile::Parse("[s]\nKey=1\n");
  EXPECT_EQ(ini.IntValue("s", "Other"), std::nullopt);
  EXPECT_EQ(ini.IntValue("t", "Key"), std::nullopt);
}

TEST(IniFile, MalformedTextNeverBreaksTheReader) {
  const std::vector<std::string> texts = {
      "",           "[",
      "]",          "[]",
      "=",          "[s]\n=value",
      "[s\nKey=1",  std::string("[s]\nK=\0x\n", 10),
      "\r\r\r\n\n", "[s]\r\nKey=1\r",
  };
  for (const std::string& text : texts) {
    const IniFile ini = IniFile::Parse(text);
    EXPECT_EQ(ini.Value("s", ""), std::nullopt);
  }
  EXPECT_EQ(IniFile::Parse("[s]\r\nKey=1\r").IntValue("s", "Key"), 1);
  EXPECT_EQ(IniFile::Parse("[s\nKey=1").Value("s", "Key"), std::nullopt);
}

}  // namespace
}  // namespace orbic::ui
