#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "base/FileServices.h"

namespace orbic::test {

// While it lives, every file write fails as on a full disk: the data never
// reaches the disk, so the write must leave the old file as it was.
class FullDisk final : public FileServices {
 public:
  FullDisk() : previous_(CurrentFileServices()) { InstallFileServices(this); }
  ~FullDisk() override { InstallFileServices(&previous_); }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  bool SyncFile(const std::string&) override { return false; }
  bool SyncFolder(const std::string&) override { return true; }
  std::unique_ptr<FileLockHold> Lock(const std::string&) override {
    return std::make_unique<FileLockHold>();
  }

 private:
  FileServices& previous_;
};

// Whether a write left a temporary file of its own in `folder`.
inline bool TemporaryFilesLeftIn(const std::filesystem::path& folder) {
  std::error_code code;
  for (std::filesystem::directory_iterator it(folder, code), end; !code && it != end;
       it.increment(code)) {
    if (it->path().filename().string().ends_with(".orbic40-part")) {
      return true;
    }
  }
  return false;
}

}  // namespace orbic::test
