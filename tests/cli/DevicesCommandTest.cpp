// `orbic40-cli devices`: the simulated mouse is listed, and marked only when
// the program would open it.
#include <gmock/gmock.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"

namespace orbic::cli::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kMousePath = "/dev/hidraw-sim-orbic40";

struct DevicesCase {
  const char* name;
  std::vector<std::string> simArgs;
  bool listed;
  bool marked;
  std::uint16_t productId = 0x08A0;
  std::uint16_t version = 0x0104;
  std::size_t featureLength = 8;
};
void PrintTo(const DevicesCase& c, std::ostream* os) {
  *os << c.name;
}

class DevicesTest : public CliTest, public ::testing::WithParamInterface<DevicesCase> {};

TEST_P(DevicesTest, ListsAndMarksTheMouse) {
  const DevicesCase& c = GetParam();
  NewMouse("mouse.json", c.simArgs);

  const RunResult text = Run({"--simulated", Path("mouse.json").string(), "devices"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  if (!c.listed) {
    EXPECT_EQ(text.out, "No HID interfaces found.\n");
  } else if (c.marked) {
    EXPECT_EQ(text.out.front(), '*');
    EXPECT_THAT(text.out, HasSubstr(std::string(kMousePath) + "  (ORBIC40 mouse)"));
  } else {
    EXPECT_EQ(text.out.front(), ' ');
    EXPECT_THAT(text.out, HasSubstr(kMousePath));
    EXPECT_THAT(text.out, Not(HasSubstr("ORBIC40 mouse")));
  }

  const RunResult json = Run({"--simulated", Path("mouse.json").string(), "--json", "devices"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const auto list = nlohmann::json::parse(json.out);
  ASSERT_TRUE(list.is_array());
  ASSERT_EQ(list.size(), c.listed ? 1u : 0u);
  if (c.listed) {
    const auto& entry = list[0];
    EXPECT_EQ(entry.at("path"), kMousePath);
    EXPECT_EQ(entry.at("vendorId"), 0x1BCF);
    EXPECT_EQ(entry.at("productId"), c.productId);
    EXPECT_EQ(entry.at("version"), c.version);
    EXPECT_EQ(entry.at("featureLength"), c.featureLength);
    EXPECT_EQ(entry.at("mouse"), c.marked);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DevicesTest,
    ::testing::Values(
        DevicesCase{"Healthy", {}, true, true},
        DevicesCase{"OtherProduct", {"--ident", "1BCF,08A1"}, true, false, 0x08A1},
        DevicesCase{"OtherVersion", {"--version", "0105"}, true, false, 0x08A0, 0x0105},
        DevicesCase{"FeatureLengthNine", {"--feature-length", "9"}, true, false, 0x08A0, 0x0104, 9},
        // A mouse that would fail its connection start is still the mouse.
        DevicesCase{"MemoryNotReady", {"--memory-ready", "0"}, true, true},
        DevicesCase{"Unplugged", {"--unplugged"}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, DevicesWithoutStateFileIsBadInput) {
  const RunResult result = Run({"--simulated", Path("none.json").string(), "devices"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.err, HasSubstr(Path("none.json").string()));
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(Files().empty());
}

}  // namespace
}  // namespace orbic::cli::test
