#include "platform/ProcessRunner.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orbic::platform {
namespace {

using namespace std::chrono_literals;

TEST(RunProcess, GivesTheOutputOnlyOfAChildThatSucceeded) {
  const struct {
    std::vector<std::string> argv;
    std::optional<std::string> expected;
  } kCases[] = {
      {{"echo", "a b", "c"}, "a b c\n"},
      // No shell: its syntax reaches the program as plain text.
      {{"echo", "$HOME;", "|", "x"}, "$HOME; | x\n"},
      {{"false"}, std::nullopt},
      {{"orbic40-no-such-program"}, std::nullopt},
      {{}, std::nullopt},
      {{"sleep", "30"}, std::nullopt},  // outlives the timeout and is killed
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RunProcess(c.argv, 300ms), c.expected) << (c.argv.empty() ? "" : c.argv[0]);
  }
}

}  // namespace
}  // namespace orbic::platform
