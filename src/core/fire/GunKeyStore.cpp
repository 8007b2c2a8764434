#include "fire/GunKeyStore.h"

#include "base/AtomicFile.h"

namespace orbic::fire {

bool GunKeyStore::Load(const macros::MacroFolderSettings& folders, std::string& error) {
  folder_ = folders.programFolder;
  userFolder_ = false;
  std::string readFrom = folder_;
  if (!FolderWritable(folder_)) {
    if (const std::string user = macros::UserDataFolder(folders); !user.empty()) {
      folder_ = user;
      userFolder_ = true;
      if (PathTaken(GunKeyListPath(user)) || !PathTaken(GunKeyListPath(folders.programFolder))) {
        readFrom = user;
      }
    }
  }
  unreadable_.clear();
  if (!list_.Load(readFrom, error)) {
    unreadable_ = GunKeyListPath(readFrom);
    return false;
  }
  return true;
}

bool GunKeyStore::Writable(std::string& error) const {
  if (!unreadable_.empty()) {
    error = unreadable_ + " could not be read, so it is not overwritten";
    return false;
  }
  return !userFolder_ || CreateFolder(folder_, error);
}

bool GunKeyStore::Add(int first, int last, std::string& error) {
  return Writable(error) && list_.Add(first, last, folder_, error);
}

bool GunKeyStore::Delete(int k, std::string& error) {
  return Writable(error) && list_.Delete(k, folder_, error);
}

}  // namespace orbic::fire
