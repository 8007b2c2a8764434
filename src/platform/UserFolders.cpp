#include "platform/UserFolders.h"

#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace orbic::platform {

namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

#ifndef _WIN32
// $HOME, else the password database's home (a service or a bare root shell may have no HOME).
std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) {
    return home;
  }
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return ".";
}
#endif

}  // namespace

std::string UserStateFolder() {
#ifdef _WIN32
  const std::string local = Environment("LOCALAPPDATA");
  return (fs::path(local.empty() ? "." : local) / "orbic40").string();
#else
  const std::string state = Environment("XDG_STATE_HOME");
  // The XDG base directory rules: a relative path is ignored.
  if (!state.empty() && fs::path(state).is_absolute()) {
    return (fs::path(state) / "orbic40").string();
  }
  return (fs::path(HomeFolder()) / ".local" / "state" / "orbic40").string();
#endif
}

std::string BackupFolderPath() {
  return (fs::path(UserStateFolder()) / "backups").string();
}

}  // namespace orbic::platform
