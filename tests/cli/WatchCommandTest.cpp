#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliRunner.h"

namespace orbic::cli::test {
namespace {

struct WatchCase {
  const char* name;
  std::vector<std::string> simArgs;
  std::vector<std::string> events;  // over three ticks
};
void PrintTo(const WatchCase& c, std::ostream* os) {
  *os << c.name;
}

class WatchTest : public CliTest, public ::testing::WithParamInterface<WatchCase> {};

TEST_P(WatchTest, PrintsOneLinePerEvent) {
  const WatchCase& c = GetParam();
  NewMouse("mouse.json", c.simArgs);

  const RunResult result =
      Run({"--simulated", Path("mouse.json").string(), "--json", "watch", "--ticks", "3"});
  ASSERT_EQ(result.exitCode, 0) << result.err;

  std::vector<std::string> events;
  std::istringstream lines(result.out);
  for (std::string line; std::getline(lines, line);) {
    const auto event = nlohmann::json::parse(line);
    events.push_back(event.at("event"));
    EXPECT_TRUE(event.at("timeMs").is_number());
  }
  EXPECT_EQ(events, c.events);
}

INSTANTIATE_TEST_SUITE_P(Cases, WatchTest,
                         ::testing::Values(
                             // Read once; later ticks see the same count and stay quiet.
                             WatchCase{"Healthy", {}, {"found", "read"}},
                             // A read that fails is tried again on the next tick.
                             WatchCase{"ChunksNeverAnswered",
                                       {"--never-ack", "5"},
                                       {"found", "failed", "found", "failed", "found", "failed"}},
                             WatchCase{"WrongVersion", {"--version", "0105"}, {"absent"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The rule the permission message points to: this mouse's hidraw nodes only.
TEST_F(CliTest, UdevRuleGrantsTheSeatAccessToThisMouseOnly) {
  const RunResult result = Run({"udev-rule"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  std::istringstream lines(result.out);
  int rules = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.front() == '#') {
      continue;
    }
    ++rules;
    EXPECT_THAT(line, ::testing::HasSubstr("SUBSYSTEM==\"hidraw\""));
    EXPECT_THAT(line, ::testing::HasSubstr("ATTRS{idVendor}==\"1bcf\""));
    EXPECT_THAT(line, ::testing::HasSubstr("ATTRS{idProduct}==\"08a0\""));
    EXPECT_THAT(line, ::testing::HasSubstr("TAG+=\"uaccess\""));
  }
  EXPECT_EQ(rules, 1);
}

}  // namespace
}  // namespace orbic::cli::test
