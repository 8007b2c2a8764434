#include "platform/HidrawNode.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace orbic::platform {
namespace {

namespace fs = std::filesystem;

fs::path UniqueTempDir(const std::string& name) {
  const fs::path dir = fs::path(testing::TempDir()) / (name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(IsHidrawNode, RejectsAnythingButACharacterDevice) {
  const fs::path dir = UniqueTempDir("orbic40-hidraw-node");
  const fs::path regularFile = dir / "hidraw0";
  std::ofstream(regularFile).put('x');
  for (const std::string& path :
       {std::string(), std::string("/dev/hidraw-missing"), regularFile.string(), dir.string()}) {
    EXPECT_FALSE(IsHidrawNode(path)) << path;
  }
  fs::remove_all(dir);
}

// The verdict follows the driver class sysfs gives for the node's device number; a fake sysfs
// tree claims /dev/null for hidraw, then for its real class.
TEST(IsHidrawNode, FollowsTheSubsystemOfTheDeviceNumber) {
  struct stat status {};
  ASSERT_EQ(::stat("/dev/null", &status), 0);
  const std::string number =
      std::to_string(major(status.st_rdev)) + ":" + std::to_string(minor(status.st_rdev));

  const struct {
    const char* subsystemTarget;
    bool expected;
  } kCases[] = {{"../../../../class/hidraw", true}, {"../../../../class/mem", false}};
  for (const auto& c : kCases) {
    const fs::path sysfs = UniqueTempDir("orbic40-fake-sysfs");
    const fs::path deviceDir = sysfs / "dev" / "char" / number;
    fs::create_directories(deviceDir);
    fs::create_symlink(c.subsystemTarget, deviceDir / "subsystem");
    EXPECT_EQ(IsHidrawNode("/dev/null", sysfs), c.expected) << c.subsystemTarget;
    fs::remove_all(sysfs);
  }
  EXPECT_FALSE(IsHidrawNode("/dev/null"));
}

}  // namespace
}  // namespace orbic::platform
