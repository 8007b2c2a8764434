#include "base/FileServices.h"

#include <filesystem>
#include <system_error>

namespace orbic {
namespace {

class NoFileServices final : public FileServices {
 public:
  bool SyncFile(const std::string&) override { return true; }
  bool SyncFolder(const std::string&) override { return true; }
  std::unique_ptr<FileLockHold> Lock(const std::string&) override {
    return std::make_unique<FileLockHold>();
  }
};

NoFileServices noServices;
FileServices* installed = &noServices;

}  // namespace

bool FileServices::MoveOver(const std::string& from, const std::string& to, std::string& cause) {
  std::error_code code;
  std::filesystem::rename(from, to, code);
  if (code) {
    cause = code.message();
    return false;
  }
  return true;
}

FileServices& CurrentFileServices() {
  return *installed;
}

void InstallFileServices(FileServices* services) {
  installed = services != nullptr ? services : &noServices;
}

FileUpdateLock::FileUpdateLock(const std::string& path) {
  const std::filesystem::path target(path);
  const std::filesystem::path lock =
      target.parent_path() / ("." + target.filename().string() + ".lock");
  hold_ = CurrentFileServices().Lock(lock.string());
}

}  // namespace orbic
