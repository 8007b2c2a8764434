#include "app/DeviceOperation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orbic::test {
namespace {

using app::DeviceOperation;

TEST(DeviceOperation, ASecondOperationIsRefusedUntilTheFirstEnds) {
  DeviceOperation operation;
  {
    DeviceOperation::Hold first = operation.TryBegin();
    ASSERT_TRUE(first);
    EXPECT_TRUE(operation.Running());
    EXPECT_FALSE(operation.TryBegin());
    // Handed on, the hold still holds; the moved-from one holds nothing.
    DeviceOperation::Hold moved = std::move(first);
    EXPECT_FALSE(first);
    first.Release();
    EXPECT_TRUE(operation.Running());
  }
  EXPECT_FALSE(operation.Running());
  EXPECT_TRUE(operation.TryBegin());
}

TEST(DeviceOperation, WhatWaitsForTheEndRunsOnceWhenItEnds) {
  DeviceOperation operation;
  std::string log;
  operation.WhenIdle([&] { log += "now;"; });
  EXPECT_EQ(log, "now;");

  DeviceOperation::Hold hold = operation.TryBegin();
  operation.WhenIdle([&] { log += "early;"; });
  operation.WhenIdle([&] {
    // The operation has ended when this runs: a new one may start.
    log += operation.Running() ? "running;" : "idle;";
    log += operation.TryBegin() ? "began;" : "refused;";
  });
  EXPECT_EQ(log, "now;");
  hold.Release();
  EXPECT_EQ(log, "now;idle;began;");
  EXPECT_FALSE(operation.Running());
}

}  // namespace
}  // namespace orbic::test
