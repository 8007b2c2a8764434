#pragma once

#include <string>

#include "fire/GunKeyList.h"
#include "macros/MacroStore.h"

namespace orbic::fire {

// Where the gun-key list file lives: the program folder, or the user data
// folder when the program folder cannot be written (an installed program);
// a list left in the program folder is still read then. A file that could
// not be read is never replaced by a shorter list.
class GunKeyStore {
 public:
  explicit GunKeyStore(GunKeyList& list) : list_(list) {}

  // Settles the folder and reads the list. False with `error` when a file
  // exists but cannot be read: the list stays empty.
  bool Load(const macros::MacroFolderSettings& folders, std::string& error);
  // The folder the list is written to.
  const std::string& Folder() const { return folder_; }
  // "Add Gun" and "Delect Gun" on the list, writing its file.
  bool Add(int first, int last, std::string& error);
  bool Delete(int k, std::string& error);

 private:
  bool Writable(std::string& error) const;

  GunKeyList& list_;
  std::string folder_;
  bool userFolder_ = false;
  std::string unreadable_;
};

}  // namespace orbic::fire
