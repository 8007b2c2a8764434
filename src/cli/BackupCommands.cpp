// backups and restore: the mouse's settings saved before each write, and the
// way back to one of them.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/Backups.h"
#include "cli/Commands.h"
#include "platform/UserFolders.h"

namespace orbic::cli {

int RunBackups(bool json) {
  const app::BackupFolder folder(platform::BackupFolderPath());
  const std::vector<std::string> all = folder.List();
  if (json) {
    nlohmann::json list = nlohmann::json::array();
    for (const std::string& path : all) {
      list.push_back(path);
    }
    std::cout << nlohmann::json{{"folder", folder.Folder()}, {"backups", list}}.dump(2) << '\n';
    return kExitOk;
  }
  if (all.empty()) {
    std::cerr << "No backups in " << folder.Folder() << '\n';
    return kExitOk;
  }
  // Oldest first, so the newest (what restore takes by default) is the last line.
  for (const std::string& path : all) {
    std::cout << path << '\n';
  }
  return kExitOk;
}

int RunRestore(const GlobalOptions& options, const std::string& file) {
  std::string path = file;
  if (path.empty()) {
    const app::BackupFolder folder(platform::BackupFolderPath());
    path = folder.Newest();
    if (path.empty()) {
      std::cerr << "No backups in " << folder.Folder() << "; nothing was restored.\n";
      return kExitBadInput;
    }
  }
  std::cerr << "Restoring " << path << '\n';
  // A backup is a profile of the mouse: it goes back as "Load Profile" writes one.
  return RunLoad(options, path);
}

}  // namespace orbic::cli
