#include "macros/MacroLineText.h"

#include <gtest/gtest.h>

#include <vector>

#include "macros/MacroCodec.h"
#include "macros/MacroDelayDialog.h"
#include "macros/MacroNameDialog.h"
#include "macros/MacroNumberField.h"
#include "macros/MacroValueDialog.h"

namespace orbic::macros {
namespace {

TEST(MacroLineText, EventListItems) {
  struct Case {
    const char* line;
    const char* text;
    int icon;
  };
  const Case cases[] = {
      {"0 50", "50 ms", 0},
      {"0 0", "0 ms", 0},
      {"1 A CODE:8204", "A", 1},
      {"2 Left Windows CODE:0108", "Left Windows", 2},
      {"1 LeftKey CODE:00A1", "LeftKey", 1},
      {"1  CODE:8200", "", 1},  // a key code no key has
      {"3 FB00", "X-Axis  0", 3},
      {"3 FB7F", "X-Axis  127", 3},
      {"4 FBFF", "X-Axis  -1", 4},
      {"4 FB80", "X-Axis  -128", 4},
      {"5 FA0C", "Y-Axis  12", 5},
      {"6 FAF4", "Y-Axis  -12", 6},
      {"7 FD09", "Rep-Start  10", 7},
      {"7 FDFF", "Rep-Start  256", 7},
      {"8 00FC", "Rep-Stop", 8},
      {"3 FBzz", "FBzz", 3},  // a damaged operand shows as it stands
      {"x", "", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EventListText(c.line), (MacroLineText{c.text, c.icon})) << c.line;
  }
}

TEST(MacroLineText, BuiltLinesEncodeToTheirEvents) {
  struct Case {
    std::string line;
    const char* expected;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {MovementLine(MovementAxis::kX, 0), "3 FB00", {0xFB, 0x00}},
      {MovementLine(MovementAxis::kX, -1), "4 FBFF", {0xFB, 0xFF}},
      {MovementLine(MovementAxis::kY, 127), "5 FA7F", {0xFA, 0x7F}},
      {MovementLine(MovementAxis::kY, -128), "6 FA80", {0xFA, 0x80}},
      {MovementLine(MovementAxis::kX, 500), "3 FB7F", {0xFB, 0x7F}},
      {RepeatStartLine(10), "7 FD09", {0xFD, 0x09}},
      {RepeatStartLine(1), "7 FD00", {0xFD, 0x00}},
      {RepeatStartLine(0), "7 FD00", {0xFD, 0x00}},  // no byte for count - 1: stored as 1
      {RepeatStartLine(256), "7 FDFF", {0xFD, 0xFF}},
      {DelayLine(50), "0 50", {0xFE, 0x06}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.line, c.expected);
    EXPECT_EQ(MacroEventBytes({"00", c.line}), c.bytes) << c.line;
  }
}

TEST(MacroLineText, KeyNameIsBetweenPrefixAndCode) {
  EXPECT_EQ(KeyNameOfLine("1 Right Shift CODE:02E5"), "Right Shift");
  EXPECT_EQ(KeyNameOfLine("2 A CODE:0204"), "A");
  EXPECT_EQ(KeyNameOfLine("0 50"), "");
}

TEST(MacroNumberField, CorrectsToItsRules) {
  const NumberFieldRules delay{.min = 0, .max = 2040, .emptyBecomesZero = true};
  const NumberFieldRules insertDelay{.min = 0, .max = 2040, .maxChars = 5};
  const NumberFieldRules movement{
      .min = -128, .max = 127, .allowMinus = true, .emptyBecomesZero = true};
  const NumberFieldRules repeat{.min = 0,
                                .max = 255,
                                .allowMinus = true,
                                .emptyBecomesZero = true,
                                .negativeBecomesZero = true};
  struct Case {
    NumberFieldRules rules;
    const char* typed;
    bool accepted;
    const char* text;
    int value;
  };
  const Case cases[] = {
      {delay, "50", true, "50", 50},
      {delay, "", true, "0", 0},
      {delay, "3000", true, "2040", 2040},
      {delay, "99999999999999999999999999", true, "2040", 2040},
      {delay, "5a", false, "7", 7},
      {delay, "-5", false, "7", 7},
      {insertDelay, "", true, "", 0},
      {insertDelay, "123456", false, "7", 7},
      {insertDelay, "00050", true, "00050", 50},
      {movement, "-", true, "-", 0},  // while typing
      {movement, "-12", true, "-12", -12},
      {movement, "-129", true, "-128", -128},
      {movement, "200", true, "127", 127},
      {movement, "", true, "0", 0},
      {movement, "1-2", false, "7", 7},
      {movement, "--1", false, "7", 7},
      {repeat, "-5", true, "0", 0},
      {repeat, "-", true, "0", 0},
      {repeat, "300", true, "255", 255},
  };
  for (const Case& c : cases) {
    MacroNumberField field(c.rules, "7");
    EXPECT_EQ(field.SetText(c.typed), c.accepted) << c.typed;
    EXPECT_EQ(field.Text(), c.text) << c.typed;
    EXPECT_EQ(field.Value(), c.value) << c.typed;
  }
}

TEST(MacroEditDialogs, EmptyFieldConfirmsNothing) {
  MacroDelayDialog delay;
  EXPECT_EQ(delay.ConfirmedLine(), "");
  delay.Field().SetText("2100");
  EXPECT_EQ(delay.ConfirmedLine(), "0 2040");
  delay.Field().Clear();
  EXPECT_EQ(delay.ConfirmedLine(), "");

  MacroValueDialog repeat(ValueKind::kRepeat);
  EXPECT_EQ(repeat.ConfirmedLine(), "");
  repeat.Field().SetText("0");
  EXPECT_EQ(repeat.ConfirmedLine(), "7 FD00");
  MacroValueDialog y(ValueKind::kY);
  y.Field().SetText("-3");
  EXPECT_EQ(y.ConfirmedLine(), "6 FAFD");
}

TEST(MacroNameDialog, KeepsSixteenUtf16Units) {
  struct Case {
    std::string typed;
    bool whole;
    std::string kept;
  };
  const std::string smile = "\xF0\x9F\x98\x80";  // outside the basic plane: two units
  std::string eightSmiles;
  for (int i = 0; i < 8; ++i) {
    eightSmiles += smile;
  }
  const Case cases[] = {
      {"Sixteen chars!!!", true, "Sixteen chars!!!"},
      {"Seventeen chars!!", false, "Seventeen chars!"},
      {"\xC3\xA9t\xC3\xA9", true, "\xC3\xA9t\xC3\xA9"},
      {eightSmiles, true, eightSmiles},
      {eightSmiles + "a", false, eightSmiles},
      {"fifteen chars!!" + smile, false, "fifteen chars!!"},  // never half a character
  };
  for (const Case& c : cases) {
    MacroNameDialog dialog(NameDialogPurpose::kCreate);
    EXPECT_EQ(dialog.SetText(c.typed), c.whole) << c.typed;
    EXPECT_EQ(dialog.Text(), c.kept) << c.typed;
    EXPECT_TRUE(EncodeName(dialog.Text()).has_value());
  }
  MacroNameDialog dialog(NameDialogPurpose::kRename);
  dialog.SetText("ok");
  EXPECT_FALSE(dialog.SetText("bad \xFF"));
  EXPECT_FALSE(dialog.SetText(std::string("nul\0x", 5)));
  EXPECT_EQ(dialog.Text(), "ok");
}

}  // namespace
}  // namespace orbic::macros
