#include "platform/WinFileServices.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <system_error>

namespace orbic::platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string LastErrorText() {
  return std::system_category().message(static_cast<int>(::GetLastError()));
}

class LockFileHold final : public FileLockHold {
 public:
  explicit LockFileHold(HANDLE handle) : handle_(handle) {}
  ~LockFileHold() override {
    OVERLAPPED region{};
    ::UnlockFileEx(handle_, 0, 1, 0, &region);
    ::CloseHandle(handle_);
  }
  LockFileHold(const LockFileHold&) = delete;
  LockFileHold& operator=(const LockFileHold&) = delete;

 private:
  HANDLE handle_;
};

}  // namespace

bool WinFileServices::SyncFile(const std::string& path) {
  // Flushing needs write access to the file.
  const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  const bool flushed = ::FlushFileBuffers(handle) != FALSE;
  ::CloseHandle(handle);
  return flushed;
}

bool WinFileServices::SyncFolder(const std::string&) {
  return true;
}

bool WinFileServices::MoveOver(const std::string& from, const std::string& to, std::string& cause) {
  // Write-through: the call returns only once the new name is on the disk.
  if (!::MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    cause = LastErrorText();
    return false;
  }
  return true;
}

std::unique_ptr<FileLockHold> WinFileServices::Lock(const std::string& lockPath) {
  const HANDLE handle = ::CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return nullptr;
  }
  // The first byte stands for the whole file; without LOCKFILE_FAIL_IMMEDIATELY this waits.
  OVERLAPPED region{};
  if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &region)) {
    ::CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<LockFileHold>(handle);
}

}  // namespace orbic::platform
