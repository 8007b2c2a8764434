#include "ui/BehaviourConfig.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/Resources.h"
#include "ui/IniFile.h"

namespace orbic::ui {
namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

// Every key at its shipped value, in file order.
Lines ShippedLines() {
  return {{"Web_Enable", "1"},  {"Web", "https://orbic40.example.org/"},
          {"Web_X", "420"},     {"Web_Y", "5"},
          {"Rev_Manu_ID", "0"}, {"Rev_Pro_ID", "0"},
          {"Path", ""},         {"TR_Enable", "0"},
          {"GD_Enable", "0"},   {"DPILED_Status", "1"},
          {"Gun6_Num", "2"},    {"Gun7_Num", "3"},
          {"Num_Order", "0"},   {"Ap_Mode", "0"},
          {"DPI_Count", "11"}};
}

// An [org] text with `changes` applied: a new value, or std::nullopt to drop the key.
std::string OrgText(
    const std::vector<std::pair<std::string, std::optional<std::string>>>& changes) {
  std::string text = "[org]\r\n";
  for (auto [key, value] : ShippedLines()) {
    bool dropped = false;
    for (const auto& [changedKey, changedValue] : changes) {
      if (changedKey == key) {
        dropped = !changedValue.has_value();
        value = changedValue.value_or("");
      }
    }
    if (!dropped) {
      text += key + "=" + value + "\r\n";
    }
  }
  return text;
}

BehaviourConfig Read(const std::string& text, std::vector<std::string>& problems) {
  return ReadBehaviourConfiguration(IniFile::Parse(text), problems);
}

void ExpectShippedValues(const BehaviourConfig& config) {
  EXPECT_TRUE(config.webEnable);
  EXPECT_EQ(config.webX, 420);
  EXPECT_EQ(config.webY, 5);
  EXPECT_EQ(config.revManuId, 0);
  EXPECT_EQ(config.revProId, 0);
  EXPECT_EQ(config.path, "");
  EXPECT_FALSE(config.trEnable);
  EXPECT_FALSE(config.gdEnable);
  EXPECT_TRUE(config.dpiLedStatus);
  EXPECT_EQ(config.gun6Num, 2);
  EXPECT_EQ(config.gun7Num, 3);
  EXPECT_EQ(config.numOrder, 0);
  EXPECT_EQ(config.apMode, 0);
  EXPECT_TRUE(config.eepromMode);
  EXPECT_EQ(config.dpiCount, 11);
}

TEST(BehaviourConfig, EmbeddedConfigurationReadsCleanlyWithShippedValues) {
  const auto resource = FindResource("org");
  ASSERT_TRUE(resource);
  const std::string text(resource->begin(), resource->end());
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_NE(text.find(';'), std::string::npos);

  std::vector<std::string> problems;
  const BehaviourConfig config = LoadEmbeddedBehaviourConfiguration(problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  ExpectShippedValues(config);
  EXPECT_EQ(config.web, "https://orbic40.example.org/");
}

TEST(BehaviourConfig, NumbersAreClampedToTheirRanges) {
  struct Case {
    std::string key;
    std::string value;
    std::function<int(const BehaviourConfig&)> field;
    int expected;
  };
  const auto gun6 = [](const BehaviourConfig& c) { return c.gun6Num; };
  const auto gun7 = [](const BehaviourConfig& c) { return c.gun7Num; };
  const auto order = [](const BehaviourConfig& c) { return c.numOrder; };
  const auto webX = [](const BehaviourConfig& c) { return c.webX; };
  const std::vector<Case> cases = {
      {"Gun6_Num", "0", gun6, 1},   {"Gun6_Num", "1", gun6, 1},    {"Gun6_Num", "5", gun6, 2},
      {"Gun6_Num", "-9", gun6, 1},  {"Gun7_Num", "-1", gun7, 1},   {"Gun7_Num", "2", gun7, 2},
      {"Gun7_Num", "9", gun7, 3},   {"Num_Order", "-3", order, 0}, {"Num_Order", "1", order, 1},
      {"Num_Order", "4", order, 1}, {"Web_X", "-20", webX, -20},   {"Web_X", "5000", webX, 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key + "=" + c.value);
    std::vector<std::string> problems;
    const BehaviourConfig config = Read(OrgText({{c.key, c.value}}), problems);
    EXPECT_EQ(c.field(config), c.expected);
    EXPECT_TRUE(problems.empty());
  }
}

TEST(BehaviourConfig, FlagsAreTrueOnlyForOne) {
  for (const auto& [value, expected] : std::vector<std::pair<std::string, bool>>{
           {"1", true}, {"0", false}, {"2", false}, {"-1", false}}) {
    SCOPED_TRACE(value);
    std::vector<std::string> problems;
    const BehaviourConfig config = Read(OrgText({{"Web_Enable", value},
                                                 {"TR_Enable", value},
                                                 {"GD_Enable", value},
                                                 {"DPILED_Status", value}}),
                                        problems);
    EXPECT_EQ(config.webEnable, expected);
    EXPECT_EQ(config.trEnable, expected);
    EXPECT_EQ(config.gdEnable, expected);
    EXPECT_EQ(config.dpiLedStatus, expected);
  }
}

TEST(BehaviourConfig, DriverModeOnlyForApModeOneAndItTurnsGunHoldSwitchOff) {
  struct Case {
    std::string apMode;
    bool eepromMode;
    bool gdEnable;
  };
  const std::vector<Case> cases = {
      {"0", true, true}, {"1", false, false}, {"2", true, true},
      {"7", true, true}, {"-1", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("Ap_Mode=" + c.apMode);
    std::vector<std::string> problems;
    const BehaviourConfig config =
        Read(OrgText({{"GD_Enable", "1"}, {"Ap_Mode", c.apMode}}), problems);
    EXPECT_EQ(config.eepromMode, c.eepromMode);
    EXPECT_EQ(config.gdEnable, c.gdEnable);
    EXPECT_EQ(config.apMode, std::stoi(c.apMode));
  }
}

TEST(BehaviourConfig, StringsAndSpacedKeysAreTakenAsWritten) {
  std::vector<std::string> problems;
  const BehaviourConfig config =
      Read("; shipped comment\r\n//------\r\n" +
               OrgText({{"Path", "C:\\Macros"}, {"Web", "http://a.example/?x=1&y=2"}}) +
               "Gun7_Num   =   1 \r\n",  // a second occurrence is ignored
           problems);
  EXPECT_EQ(config.path, "C:\\Macros");
  EXPECT_EQ(config.web, "http://a.example/?x=1&y=2");
  EXPECT_EQ(config.gun7Num, 3);

  const BehaviourConfig spaced =
      Read(OrgText({{"Gun7_Num", std::nullopt}}) + "  Gun7_Num   =   1 \r\n", problems);
  EXPECT_EQ(spaced.gun7Num, 1);
  EXPECT_TRUE(problems.empty());
}

TEST(BehaviourConfig, MissingOrNonIntegerValueKeepsShippedValueAndNamesTheKey) {
  struct Case {
    std::string key;
    std::optional<std::string> value;
    std::string mention;
  };
  const std::vector<Case> cases = {
      {"Web_X", std::nullopt, "missing"},
      {"Gun6_Num", "two", "\"two\""},
      {"DPI_Count", "11px", "\"11px\""},
      {"Ap_Mode", "", "\"\""},
      {"DPILED_Status", "yes", "\"yes\""},
      {"Path", std::nullopt, "missing"},
      {"Rev_Pro_ID", "99999999999", "\"99999999999\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    std::vector<std::string> problems;
    const BehaviourConfig config = Read(OrgText({{c.key, c.value}}), problems);
    ExpectShippedValues(config);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(c.key), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find(c.mention), std::string::npos) << problems[0];
  }

  std::vector<std::string> problems;
  ExpectShippedValues(Read("[other]\r\nGun6_Num=1\r\n", problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("[org]"), std::string::npos) << problems[0];
}

TEST(BehaviourConfig, DpiCountIsKeptWithinTheDpiStepList) {
  struct Case {
    std::string value;
    int expected;
    bool reported;
  };
  const std::vector<Case> cases = {
      {"1", 1, false}, {"12", 12, false}, {"0", 1, true}, {"-5", 1, true}, {"40", 12, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("DPI_Count=" + c.value);
    std::vector<std::string> problems;
    EXPECT_EQ(Read(OrgText({{"DPI_Count", c.value}}), problems).dpiCount, c.expected);
    ASSERT_EQ(problems.size(), c.reported ? 1u : 0u);
    if (c.reported) {
      EXPECT_NE(problems[0].find("DPI_Count"), std::string::npos) << problems[0];
    }
  }
}

}  // namespace
}  // namespace orbic::ui
