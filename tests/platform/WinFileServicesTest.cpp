// File writes and locks on Windows: a rename over an existing file, a flush, and locks that
// another holder respects.
#include "platform/WinFileServices.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "base/AtomicFile.h"
#include "support/FileFaults.h"
#include "support/TempFolder.h"

namespace orbic::platform {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether another holder could take the lock at once (a handle of its own, as another
// program would have).
bool LockFree(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  OVERLAPPED region{};
  const bool taken =
      LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &region);
  if (taken) {
    UnlockFileEx(handle, 0, 1, 0, &region);
  }
  CloseHandle(handle);
  return taken;
}

class WinFileServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallFileServices(&services_); }
  void TearDown() override { InstallFileServices(nullptr); }

  WinFileServices services_;
  test::TempFolder temp_;
};

TEST_F(WinFileServicesTest, AWriteReplacesTheOldFileWhole) {
  const fs::path target = temp_.Path() / "Macro.bin";
  std::ofstream(target, std::ios::binary) << "old contents, longer than the new";
  const std::vector<std::uint8_t> bytes{'n', 'e', 'w'};
  std::string error;

  ASSERT_TRUE(WriteFileAtomically(target.string(), bytes, error)) << error;

  EXPECT_EQ(ReadText(target), "new");
  EXPECT_FALSE(test::TemporaryFilesLeftIn(temp_.Path()));
  EXPECT_TRUE(services_.SyncFile(target.string()));
  EXPECT_FALSE(services_.SyncFile((temp_.Path() / "absent").string()));
}

TEST_F(WinFileServicesTest, AFailedMoveSaysWhyAndLeavesBothFiles) {
  const fs::path from = temp_.Path() / "from";
  std::ofstream(from) << "x";
  std::string cause;
  // A folder is not replaced by a file.
  fs::create_directory(temp_.Path() / "folder");
  EXPECT_FALSE(services_.MoveOver(from.string(), (temp_.Path() / "folder").string(), cause));
  EXPECT_FALSE(cause.empty());
  EXPECT_TRUE(fs::exists(from));
  EXPECT_TRUE(fs::is_directory(temp_.Path() / "folder"));
}

TEST_F(WinFileServicesTest, ALockHeldKeepsOthersOutUntilItIsReleased) {
  const std::string lockPath = (temp_.Path() / ".Macro.bin.lock").string();
  {
    const auto hold = services_.Lock(lockPath);
    ASSERT_NE(hold, nullptr);
    EXPECT_FALSE(LockFree(lockPath));
  }
  EXPECT_TRUE(LockFree(lockPath));
  EXPECT_EQ(services_.Lock((temp_.Path() / "no-folder" / "x.lock").string()), nullptr);
}

}  // namespace
}  // namespace orbic::platform
