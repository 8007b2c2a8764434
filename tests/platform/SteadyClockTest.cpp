#include "platform/SteadyClock.h"

#include <gtest/gtest.h>

namespace orbic::platform {
namespace {

// A lower bound only: sleeping never takes less than asked, and NowMs must count milliseconds.
TEST(SteadyClock, SleepAdvancesNowByAtLeastTheRequestedMilliseconds) {
  SteadyClock clock;
  const std::uint64_t before = clock.NowMs();
  clock.SleepMs(15);
  EXPECT_GE(clock.NowMs() - before, 15u);
}

}  // namespace
}  // namespace orbic::platform
