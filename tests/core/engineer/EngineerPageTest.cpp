#include "engineer/EngineerPage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engineer/EngineerFieldRules.h"
#include "fire/FireMacroTable.h"

namespace orbic::engineer {
namespace {

struct EditCase {
  const char* typed;
  const char* shown;
  std::optional<int> stored;
};

void ExpectEdits(fire::FieldEdit (*rule)(std::string_view), const std::vector<EditCase>& cases) {
  for (const EditCase& c : cases) {
    const fire::FieldEdit edit = rule(c.typed);
    EXPECT_EQ(edit.text, c.shown) << "typed \"" << c.typed << '"';
    EXPECT_EQ(edit.value, c.stored) << "typed \"" << c.typed << '"';
  }
}

TEST(EngineerFieldRulesTest, EachFieldCorrectsToItsOwnLimits) {
  ExpectEdits(IdentificationCodeEdit, {{"300", "255", 255},
                                       {"", "255", 255},
                                       {"255", "255", 255},
                                       {"0", "0", 0},
                                       {"17", "17", 17},
                                       {"abc", "255", 255},
                                       {"99999999999999999999", "255", 255}});
  ExpectEdits(
      FireColourEdit,
      {{"", "0", 0}, {"256", "255", 255}, {"128", "128", 128}, {"-4", "0", 0}, {"x1", "0", 0}});
  ExpectEdits(YOffsetEdit, {{"-", "-", std::nullopt},
                            {"", "0", 0},
                            {"128", "127", 127},
                            {"127", "127", 127},
                            {"-128", "-128", -128},
                            {"-129", "-128", -128},
                            {"-56", "-56", -56},
                            {"--", "0", 0}});
}

class EngineerPageTest : public ::testing::Test {
 protected:
  params::DeviceOptions options;
  params::DataBuf data;
};

TEST_F(EngineerPageTest, CodesAreCorrectedAndKeptForTheNextWrite) {
  EngineerPage page(options, data);
  page.edt_VendorIDChange("300");
  EXPECT_EQ(page.VendorText(), "255");
  page.edt_ProductIDChange("42");
  EXPECT_EQ(page.ProductText(), "42");
  page.edt_VendorIDChange("7");
  options.WriteCodesToImage(data);
  EXPECT_EQ(data.parameterB[6], 7);
  EXPECT_EQ(data.parameterB[7], 42);
  page.edt_ProductIDChange("");
  EXPECT_EQ(page.ProductText(), "255");
  EXPECT_EQ(options.productCode, 255);
}

TEST_F(EngineerPageTest, ColoursReachTheSettingsAndTheWorkingCopy) {
  EngineerPage page(options, data);
  page.edt_FireMacroColorChange(10, 2, "300");
  page.edt_FireMacroColorChange(10, 0, "");
  page.edt_FireMacroColorChange(3, 1, "77");
  EXPECT_EQ(page.ColourText(10, 2), "255");
  EXPECT_EQ(page.ColourText(10, 0), "0");
  EXPECT_EQ(options.fireMacroColours[9][2], 255);
  EXPECT_EQ(fire::Colour(data, 10), (fire::FireColour{0, 0, 255}));
  EXPECT_EQ(fire::Colour(data, 3), (fire::FireColour{0, 77, 0}));
  // Numbers naming no fire macro or channel change nothing.
  const params::DataBuf before = data;
  page.edt_FireMacroColorChange(11, 0, "5");
  page.edt_FireMacroColorChange(1, 3, "5");
  page.edt_FireMacroColorChange(0, 0, "5");
  EXPECT_EQ(data.fireColourTable, before.fireColourTable);
  EXPECT_EQ(page.ColourText(11, 0), "");
}

TEST_F(EngineerPageTest, StoredYOffsetsShowSignedAndGoBackUnchanged) {
  // Value and complement of fire macros 1..10.
  const std::uint8_t values[] = {0xC8, 0x7F, 0, 0, 0, 0, 0, 0, 0, 0x80};
  for (std::size_t n = 0; n < std::size(values); ++n) {
    data.fireYOffsetTable[2 * n] = values[n];
    data.fireYOffsetTable[2 * n + 1] = static_cast<std::uint8_t>(~values[n]);
  }
  options.RefreshFireTablesFromImage(data);
  EngineerPage page(options, data);
  EXPECT_EQ(page.YOffsetText(1), "-56");
  EXPECT_EQ(page.YOffsetText(2), "127");
  EXPECT_EQ(page.YOffsetText(10), "-128");
  EXPECT_EQ(page.YOffsetText(5), "0");

  params::DataBuf written;
  options.WriteFireTablesToImage(written);
  EXPECT_EQ(written.fireYOffsetTable, data.fireYOffsetTable);
}

TEST_F(EngineerPageTest, YOffsetFieldsCorrectWhatTheProgramSets) {
  EngineerPage page(options, data);
  page.TLRefreshYOffset(4, "200");
  EXPECT_EQ(page.YOffsetText(4), "127");
  EXPECT_EQ(options.yOffsets[3], 127);
  page.TLRefreshYOffset(4, "-");
  EXPECT_EQ(page.YOffsetText(4), "-");
  EXPECT_EQ(options.yOffsets[3], 127);  // nothing to store yet
  page.RefreshFromOptions();
  EXPECT_EQ(page.YOffsetText(4), "-");
  page.TLRefreshYOffset(4, "-5");
  EXPECT_EQ(fire::YOffset(data, 4), -5);
  EXPECT_EQ(data.fireYOffsetTable[6], 0xFB);
  EXPECT_EQ(data.fireYOffsetTable[7], 0x04);

  // Another page's change shows after a refresh.
  options.yOffsets[3] = 9;
  options.vendorCode = 12;
  page.RefreshFromOptions();
  EXPECT_EQ(page.YOffsetText(4), "9");
  EXPECT_EQ(page.VendorText(), "12");
}

}  // namespace
}  // namespace orbic::engineer
