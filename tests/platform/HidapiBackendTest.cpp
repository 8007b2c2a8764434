#include "platform/HidapiBackend.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace orbic::platform {
namespace {

using device::HidHandle;
using device::kInvalidHandle;

// This machine may have no HID devices at all; what must hold is that every listed interface
// has a path, appears once, and that a listed node is reported as present.
TEST(HidapiBackend, EnumerateListsEachPresentInterfaceOnce) {
  HidapiBackend backend;
  std::set<std::string> paths;
  for (const auto& info : backend.Enumerate()) {
    EXPECT_FALSE(info.path.empty());
    EXPECT_TRUE(paths.insert(info.path).second) << "listed twice: " << info.path;
    EXPECT_TRUE(backend.CanOpen(info.path)) << info.path;
  }
}

TEST(HidapiBackend, CanOpenRequiresAPresentCharacterDevice) {
  const std::filesystem::path regularFile =
      std::filesystem::temp_directory_path() / "orbic40-canopen-regular-file";
  std::ofstream(regularFile).put('x');
  HidapiBackend backend;
  EXPECT_TRUE(backend.CanOpen("/dev/null"));
  EXPECT_FALSE(backend.CanOpen(""));
  EXPECT_FALSE(backend.CanOpen("/dev/hidraw-missing"));
  EXPECT_FALSE(backend.CanOpen(regularFile.string()));
  std::filesystem::remove(regularFile);
}

// /dev/null opens but is no hidraw node; handing it to hidapi 0.13 corrupts the heap.
TEST(HidapiBackend, OpenRefusesMissingAndNonHidrawNodes) {
  HidapiBackend backend;
  for (const char* path : {"", "/dev/hidraw-missing", "/dev/null"}) {
    EXPECT_EQ(backend.Open(path), kInvalidHandle) << path;
  }
}

// Handles the backend never gave out: feature calls fail without touching the buffer and Close
// does nothing.
TEST(HidapiBackend, UnknownHandlesFailWithoutTouchingTheBuffer) {
  HidapiBackend backend;
  for (const HidHandle handle : {kInvalidHandle, HidHandle{0}, HidHandle{1}, HidHandle{4096}}) {
    std::array<std::uint8_t, 8> report = {4, 1, 2, 3, 4, 5, 6, 7};
    const std::array<std::uint8_t, 8> original = report;
    EXPECT_FALSE(backend.SetFeature(handle, report.data(), report.size())) << handle;
    EXPECT_FALSE(backend.GetFeature(handle, report.data(), report.size())) << handle;
    EXPECT_EQ(report, original) << handle;
    backend.Close(handle);
  }
}

}  // namespace
}  // namespace orbic::platform
