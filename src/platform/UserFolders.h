#pragma once

#include <string>

namespace orbic::platform {

// The user's state folder of the programs: $XDG_STATE_HOME/orbic40, else
// ~/.local/state/orbic40 (on Windows %LOCALAPPDATA%\orbic40).
std::string UserStateFolder();

// Where the mouse's settings are backed up before each write: <state>/backups.
std::string BackupFolderPath();

}  // namespace orbic::platform
