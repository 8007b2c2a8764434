#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroFileTransfer.h"
#include "macros/MacroLibrary.h"

// The user's macro library of the current mode and its file on disk.
namespace orbic::macros {

inline constexpr std::string_view kMacroFileName = "Macro.bin";
inline constexpr std::string_view kDriverMacroFileName = "Driver_Macro.bin";
inline constexpr std::string_view kDefaultLibraryResource = "PCMacroData";
inline constexpr std::string_view kUserDataFolderName = "orbic40";

// Where the library file may live. The caller reads the environment; the
// store reads none itself.
struct MacroFolderSettings {
  // The configuration's Path: when set, put directly in front of the file
  // name (so it ends with a separator) and used as it stands.
  std::string path;
  // The program's own folder, with a trailing separator.
  std::string programFolder;
  // $XDG_DATA_HOME and $HOME, empty when unset. When the program folder
  // cannot be written (an installed program), the files live in
  // $XDG_DATA_HOME/orbic40/, else $HOME/.local/share/orbic40/.
  std::string xdgDataHome;
  std::string home;
  // %APPDATA% on Windows (empty elsewhere); when set it comes first:
  // %APPDATA%\orbic40\.
  std::string appData;
};

// The user data folder with a trailing separator; empty when neither value
// gives an absolute folder.
std::string UserDataFolder(const MacroFolderSettings& settings);

class MacroStore {
 public:
  MacroStore(bool eepromMode, MacroFolderSettings folders);

  bool EepromMode() const { return eepromMode_; }
  // The prefix the library file is read from and written to; settled by the
  // first load or save.
  const std::string& Folder() const { return folder_; }
  // Folder() followed by the file name of the current mode.
  std::string FilePath() const;

  // Loads the library of the current mode. In EEPROM mode a missing
  // "Macro.bin" is made from the default library and written; in driver mode
  // a missing "Driver_Macro.bin" gives an empty library and creates nothing.
  // False with `error` when a file could not be read or created; the library
  // in memory is usable either way, and a file that could not be read is
  // never overwritten afterwards.
  bool CheckPCMacro(std::string& error);
  bool CheckDriverPCMacro(std::string& error);

  // Writes the whole library of the mode, atomically. A failed save returns
  // false with `error` and leaves the library in memory as it is.
  bool RefreshPCMacro(std::string& error);
  bool RefreshDriverPCMacro(std::string& error);
  bool Save(std::string& error);

  MacroLibrary& Library() { return library_; }
  const MacroLibrary& Library() const { return library_; }
  DriverMacroLibrary& DriverLibrary() { return driverLibrary_; }
  const DriverMacroLibrary& DriverLibrary() const { return driverLibrary_; }

  // The macro list of the page: names in library order, list position =
  // library index.
  std::size_t Count() const;
  std::vector<std::string> Names() const;
  // "New Macro" is enabled while this holds.
  bool CanCreate() const;

  // The library commands of the macro list. The imports save the library
  // when they change it; a failed save gives kSaveFailed with the import kept
  // in memory.
  MacroFileOutcome ImportOne(const std::string& path);
  MacroFileOutcome ImportAll(const std::string& path);
  MacroFileOutcome ExportOne(std::size_t index, const std::string& chosen) const;
  MacroFileOutcome ExportAll(const std::string& chosen) const;

 private:
  void SettleFolder();
  // The file of the mode in Folder(), or where an earlier version of it
  // still lies when Folder() has none; nothing when neither exists.
  std::optional<std::string> ExistingFile(std::string_view name) const;
  bool ReadLibraryFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                       std::string& error);
  bool Write(std::string_view name, std::span<const std::uint8_t> bytes, std::string& error);
  MacroFileOutcome SavedAfter(MacroFileOutcome outcome);

  bool eepromMode_;
  MacroFolderSettings settings_;
  std::string folder_;
  // The program folder, when the files moved to the user data folder: files
  // left there by an earlier run are still read.
  std::string previousFolder_;
  bool settled_ = false;
  bool userFolder_ = false;
  // Set when an existing library file could not be read: saving over it
  // would lose the macros it holds.
  std::string unreadableFile_;
  MacroLibrary library_;
  DriverMacroLibrary driverLibrary_;
};

}  // namespace orbic::macros
