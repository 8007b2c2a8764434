#include "keys/FixedFunctions.h"

#include <gtest/gtest.h>

#include <string>

#include "keys/CodeLabels.h"

namespace orbic::keys {
namespace {

struct Row {
  int identifier;
  const char* code;
  const char* label;
};

// The function menu's fixed functions as the user sees them.
const Row kRows[] = {
    {900, "010100", "Left Click"},   {901, "010200", "Right Click"},
    {902, "010400", "Middle Click"}, {903, "010800", "Back"},
    {904, "011000", "Forward"},      {1000, "0600F0", "Fire Key"},
    {1001, "090000", "LED ON/OFF"},  {1002, "0A0000", "AIM"},
    {1003, "0D0000", "Gun Key Fn"},  {1004, "000000", "Key Off"},
    {1005, "0F0000", "Profile"},     {1006, "100000", "LED Mode"},
    {2000, "050000", "DPI Loop"},    {2001, "070000", "DPI +"},
    {2002, "080000", "DPI -"},       {1100, "030194", "My Computer"},
    {1101, "030192", "Calculator"},  {1102, "03018A", "E-Mail"},
    {1103, "020807", "Desktop"},     {1300, "0300CD", "Play/Pause"},
    {1301, "0300B7", "Stop"},        {1302, "0300B6", "Previous Track"},
    {1303, "0300B5", "Next Track"},  {1304, "0300E9", "Volume +"},
    {1305, "0300EA", "Volume -"},    {1306, "0300E2", "Mute"},
    {1400, "030223", "Home"},        {1401, "030221", "Search"},
    {1402, "030224", "Web Back"},    {1403, "030225", "Web Forward"},
    {1404, "030226", "Stop"},        {1405, "030227", "Refresh"},
    {1406, "03022A", "Favorites"},
};

TEST(FixedFunctionsTest, EachFunctionHasItsCodeAndLabel) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.identifier);
    EXPECT_EQ(CodeForFunction(row.identifier), row.code);
    EXPECT_EQ(LabelForCode(row.code), row.label);
  }
  EXPECT_EQ(FixedFunctions().size(), std::size(kRows));
}

TEST(FixedFunctionsTest, AimCodeCarriesTheCurrentAimIndex) {
  EXPECT_EQ(CodeForFunction(kAimFunction, 3), "0A0300");
  EXPECT_EQ(CodeForFunction(kAimFunction, 10), "0A0A00");
  // Only the aim function takes the index.
  EXPECT_EQ(CodeForFunction(2001, 3), "070000");
}

TEST(FixedFunctionsTest, UnknownIdentifierGivesEmptyCode) {
  for (int identifier : {0, 1, 6, 899, 905, 1007, 1099, 1104, 1200, 1307, 1407, 1999, 2003}) {
    EXPECT_EQ(CodeForFunction(identifier), "") << identifier;
  }
}

TEST(FixedFunctionsTest, LabelsComeFromTheLanguageLookup) {
  const LabelContext context{
      .text = [](std::string_view key) { return "<" + std::string(key) + ">"; }};
  EXPECT_EQ(LabelForCode("020807", context), "<Str243>");
  EXPECT_EQ(LabelForCode("0A0500", context), "<Str222>");
  EXPECT_EQ(LabelForCode("0E00F0", context), "<Str220>");
  EXPECT_EQ(LabelForCode("0C0607", context), "<Str605>");
  // Keyboard names are not language texts.
  EXPECT_EQ(LabelForCode("020104", context), "Ctrl+A");
}

}  // namespace
}  // namespace orbic::keys
