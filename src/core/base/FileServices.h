#pragma once

#include <memory>
#include <string>

namespace orbic {

// A held advisory lock; released when destroyed.
class FileLockHold {
 public:
  virtual ~FileLockHold() = default;
};

// What plain C++ file access lacks and the operating system gives: forcing a
// file and a folder to the disk, and locks that other processes respect. The
// platform layer installs the real services when a program starts; without
// them (unit tests of the core) writes stay atomic, only not forced to disk,
// and locks hold nothing.
class FileServices {
 public:
  virtual ~FileServices() = default;
  virtual bool SyncFile(const std::string& path) = 0;
  virtual bool SyncFolder(const std::string& folder) = 0;
  // Renames `from` over `to`, replacing it; false with `cause` when it failed.
  virtual bool MoveOver(const std::string& from, const std::string& to, std::string& cause);
  // Blocks until the lock on `lockPath` (created when missing) is held; null
  // when it cannot be taken.
  virtual std::unique_ptr<FileLockHold> Lock(const std::string& lockPath) = 0;
};

// The services in use; never null (a stand-in that does nothing by default).
FileServices& CurrentFileServices();
void InstallFileServices(FileServices* services);

// Held across a read-modify-write of a file that several programs may change
// at once (a macro library, the gun-key list), so their updates queue up
// instead of one overwriting the other's. The lock is a hidden file beside it.
class FileUpdateLock {
 public:
  explicit FileUpdateLock(const std::string& path);

 private:
  std::unique_ptr<FileLockHold> hold_;
};

}  // namespace orbic
