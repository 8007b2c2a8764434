#include "platform/HidrawDescriptor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orbic::platform {
namespace {

TEST(SysfsDescriptorPath, MapsHidrawNodesAndRejectsOtherNames) {
  const struct {
    std::string devicePath;
    std::optional<std::string> expected;
  } kCases[] = {
      {"/dev/hidraw0", "/sys/class/hidraw/hidraw0/device/report_descriptor"},
      {"/dev/hidraw17", "/sys/class/hidraw/hidraw17/device/report_descriptor"},
      {"hidraw3", "/sys/class/hidraw/hidraw3/device/report_descriptor"},
      {"", std::nullopt},
      {"/dev/hidraw", std::nullopt},
      {"/dev/hidraw1a", std::nullopt},
      {"/dev/hidraw1/", std::nullopt},
      {"/dev/hidraw1/../../etc", std::nullopt},
      {"/dev/usb/hiddev0", std::nullopt},
      {"/dev/Hidraw2", std::nullopt},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SysfsDescriptorPath(c.devicePath), c.expected) << c.devicePath;
  }
}

TEST(ReadHidrawDescriptor, GivesNothingForMissingOrNonHidrawNodes) {
  // /dev/null opens but refuses the descriptor ioctls, which exercises the fallback's failure.
  for (const char* path : {"/dev/hidraw-missing", "/dev/null", "/nonexistent/hidraw9"}) {
    EXPECT_TRUE(ReadHidrawDescriptor(path).empty()) << path;
  }
}

}  // namespace
}  // namespace orbic::platform
