#include "platform/HidrawNode.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <system_error>

namespace orbic::platform {

bool IsHidrawNode(const std::string& path, const std::filesystem::path& sysfsRoot) {
  struct stat status {};
  if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISCHR(status.st_mode)) {
    return false;
  }
  // /sys/dev/char/<major>:<minor>/subsystem links to the driver class, ".../class/hidraw".
  const std::string number =
      std::to_string(major(status.st_rdev)) + ":" + std::to_string(minor(status.st_rdev));
  std::error_code error;
  const std::filesystem::path subsystem =
      std::filesystem::read_symlink(sysfsRoot / "dev" / "char" / number / "subsystem", error);
  return !error && subsystem.filename() == "hidraw";
}

}  // namespace orbic::platform
