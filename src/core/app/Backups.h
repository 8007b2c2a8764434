#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "params/ParameterImage.h"

namespace orbic::app {

// The folder of mouse images saved before each write to the mouse, so the
// settings a write replaced can always be put back. Names carry the UTC time
// to the millisecond ("orbic40-20261211-013920-123.bin"), so their order is
// their age; only the newest kKept are kept. The folder is given by the
// program (the core reads no environment).
class BackupFolder {
 public:
  static constexpr std::size_t kKept = 20;
  using TimeSource = std::function<std::chrono::system_clock::time_point()>;

  explicit BackupFolder(std::string folder, TimeSource now = std::chrono::system_clock::now);

  const std::string& Folder() const { return folder_; }

  // Writes `image` (atomically) under a fresh name and removes the oldest
  // beyond kKept. Returns the new file's path, or an empty string with `error`
  // naming the folder and the cause.
  std::string Save(const params::Image& image, std::string& error) const;

  // The backups in the folder, oldest first, as full paths. A missing folder has none.
  std::vector<std::string> List() const;
  // The newest backup's path, or empty when there is none.
  std::string Newest() const;

  // The file name a backup made at `time` gets.
  static std::string NameFor(std::chrono::system_clock::time_point time);
  static bool IsBackupName(const std::string& name);

 private:
  void Prune() const;

  std::string folder_;
  TimeSource now_;
};

}  // namespace orbic::app
