#include "platform/BackgroundJobs.h"

#include <gtest/gtest.h>

#include <vector>

namespace orbic::platform {
namespace {

TEST(BackgroundJobs, RunsJobsInTheOrderPostedAndDrainsOnRequestAndAtTheEnd) {
  std::vector<int> ran;
  {
    BackgroundJobs jobs;
    for (int i = 0; i < 50; ++i) {
      jobs.Post([&ran, i] { ran.push_back(i); });
    }
    jobs.Drain();
    ASSERT_EQ(ran.size(), 50u);
    for (int i = 0; i < 50; ++i) {
      EXPECT_EQ(ran[static_cast<std::size_t>(i)], i);
    }
    // Jobs still queued when the worker goes are run first.
    for (int i = 50; i < 60; ++i) {
      jobs.Post([&ran, i] { ran.push_back(i); });
    }
  }
  ASSERT_EQ(ran.size(), 60u);
  EXPECT_EQ(ran.back(), 59);
}

}  // namespace
}  // namespace orbic::platform
