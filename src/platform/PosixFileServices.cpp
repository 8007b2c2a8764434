#include "platform/PosixFileServices.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace orbic::platform {
namespace {

bool SyncPath(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

class FlockHold final : public FileLockHold {
 public:
  explicit FlockHold(int fd) : fd_(fd) {}
  ~FlockHold() override { ::close(fd_); }  // closing releases the lock
  FlockHold(const FlockHold&) = delete;
  FlockHold& operator=(const FlockHold&) = delete;

 private:
  int fd_;
};

}  // namespace

bool PosixFileServices::SyncFile(const std::string& path) {
  return SyncPath(path, O_RDONLY);
}

bool PosixFileServices::SyncFolder(const std::string& folder) {
  return SyncPath(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
}

std::unique_ptr<FileLockHold> PosixFileServices::Lock(const std::string& lockPath) {
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    return nullptr;
  }
  int result = 0;
  do {
    result = ::flock(fd, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FlockHold>(fd);
}

}  // namespace orbic::platform
