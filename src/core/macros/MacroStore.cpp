#include "macros/MacroStore.h"

#include <filesystem>
#include <fstream>

#include "base/AtomicFile.h"
#include "base/Resources.h"

namespace orbic::macros {

namespace fs = std::filesystem;

std::string UserDataFolder(const MacroFolderSettings& settings) {
  fs::path base;
  if (!settings.appData.empty() && fs::path(settings.appData).is_absolute()) {
    base = settings.appData;
  } else if (!settings.xdgDataHome.empty() && fs::path(settings.xdgDataHome).is_absolute()) {
    base = settings.xdgDataHome;
  } else if (!settings.home.empty() && fs::path(settings.home).is_absolute()) {
    base = fs::path(settings.home) / ".local" / "share";
  } else {
    return {};
  }
  // The empty last element gives the trailing separator file names are joined to.
  return (base / kUserDataFolderName / "").string();
}

MacroStore::MacroStore(bool eepromMode, MacroFolderSettings folders)
    : eepromMode_(eepromMode), settings_(std::move(folders)) {}

std::string MacroStore::FilePath() const {
  return folder_ + std::string(eepromMode_ ? kMacroFileName : kDriverMacroFileName);
}

void MacroStore::SettleFolder() {
  settled_ = true;
  userFolder_ = false;
  previousFolder_.clear();
  if (!settings_.path.empty()) {
    folder_ = settings_.path;
    return;
  }
  folder_ = settings_.programFolder;
  if (FolderWritable(folder_)) {
    return;
  }
  const std::string user = UserDataFolder(settings_);
  if (user.empty()) {
    return;  // nowhere better: saves fail and say why
  }
  previousFolder_ = folder_;
  folder_ = user;
  userFolder_ = true;
}

std::optional<std::string> MacroStore::ExistingFile(std::string_view name) const {
  std::vector<std::string> candidates{folder_ + std::string(name)};
  if (!previousFolder_.empty()) {
    candidates.push_back(previousFolder_ + std::string(name));
  }
  for (const std::string& path : candidates) {
    if (PathTaken(path)) {
      return path;
    }
  }
  return std::nullopt;
}

bool MacroStore::ReadLibraryFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                                 std::string& error) {
  if (!ReadWholeFile(path, bytes, error)) {
    bytes.clear();
    unreadableFile_ = path;
    return false;
  }
  // A file of another size is not one this program wrote: its whole records
  // are shown, but the next save would cut it to them, so it is left alone.
  if (eepromMode_ ? IsLibraryFileSize(bytes.size()) : IsDriverLibraryFileSize(bytes.size())) {
    return true;
  }
  unreadableFile_ = path;
  const std::string expected = eepromMode_ ? std::to_string(kLibraryFileSize)
                                           : "a multiple of " + std::to_string(kDriverRecordSize);
  error = path + " holds " + std::to_string(bytes.size()) + " bytes, not " + expected +
          "; the macros read from it are kept in memory and the file is not overwritten";
  return false;
}

bool MacroStore::CheckPCMacro(std::string& error) {
  SettleFolder();
  unreadableFile_.clear();
  if (!eepromMode_) {
    return CheckDriverPCMacro(error);
  }
  const std::string target = folder_ + std::string(kMacroFileName);
  const auto defaults = FindResource(kDefaultLibraryResource);
  if (const auto existing = ExistingFile(kMacroFileName)) {
    std::vector<std::uint8_t> bytes;
    if (!ReadLibraryFile(*existing, bytes, error)) {
      // The whole records of a file of the wrong size are shown; an unreadable
      // one leaves the default library.
      library_ = !bytes.empty() ? MacroLibrary::FromBytes(bytes)
                 : defaults     ? MacroLibrary::FromBytes(*defaults)
                                : MacroLibrary{};
      return false;
    }
    library_ = MacroLibrary::FromBytes(bytes);
    if (*existing == target) {
      return true;
    }
    // Left in the program folder by an earlier run: keep a copy where the
    // saves now go.
    return Write(kMacroFileName, library_.Bytes(), error);
  }
  if (!defaults) {
    library_ = MacroLibrary{};
    error = "the default macro library is missing from the program";
    return false;
  }
  library_ = MacroLibrary::FromBytes(*defaults);
  return Write(kMacroFileName, library_.Bytes(), error);
}

bool MacroStore::CheckDriverPCMacro(std::string& error) {
  if (!settled_) {
    SettleFolder();
  }
  driverLibrary_ = DriverMacroLibrary{};
  const auto existing = ExistingFile(kDriverMacroFileName);
  if (!existing) {
    return true;
  }
  std::vector<std::uint8_t> bytes;
  const bool read = ReadLibraryFile(*existing, bytes, error);
  driverLibrary_ = DriverMacroLibrary::FromBytes(bytes);
  return read;
}

bool MacroStore::Write(std::string_view name, std::span<const std::uint8_t> bytes,
                       std::string& error) {
  if (!settled_) {
    SettleFolder();
  }
  const std::string path = folder_ + std::string(name);
  if (path == unreadableFile_) {
    error = path + " could not be read, so it is not overwritten; the macros are kept in memory";
    return false;
  }
  if (userFolder_ && !CreateFolder(folder_, error)) {
    return false;
  }
  return WriteFileAtomically(path, bytes, error);
}

bool MacroStore::RefreshPCMacro(std::string& error) {
  return Write(kMacroFileName, library_.Bytes(), error);
}

bool MacroStore::RefreshDriverPCMacro(std::string& error) {
  return Write(kDriverMacroFileName, driverLibrary_.Bytes(), error);
}

bool MacroStore::Save(std::string& error) {
  return eepromMode_ ? RefreshPCMacro(error) : RefreshDriverPCMacro(error);
}

std::size_t MacroStore::Count() const {
  return eepromMode_ ? library_.Count() : driverLibrary_.Count();
}

std::vector<std::string> MacroStore::Names() const {
  return eepromMode_ ? library_.Names() : driverLibrary_.Names();
}

bool MacroStore::CanCreate() const {
  return eepromMode_ ? !library_.Full() : driverLibrary_.Count() < kDriverLibraryCreateLimit;
}

MacroFileOutcome MacroStore::SavedAfter(MacroFileOutcome outcome) {
  if (!outcome.Ok()) {
    return outcome;
  }
  std::string error;
  if (!Save(error)) {
    outcome.status = MacroFileStatus::kSaveFailed;
    outcome.detail = "imported, but the library was not saved: " + error;
  }
  return outcome;
}

MacroFileOutcome MacroStore::ImportOne(const std::string& path) {
  return SavedAfter(eepromMode_ ? ImportOneFile(library_, path)
                                : ImportOneFile(driverLibrary_, path));
}

MacroFileOutcome MacroStore::ImportAll(const std::string& path) {
  return SavedAfter(eepromMode_ ? ImportAllFile(library_, path)
                                : ImportAllFile(driverLibrary_, path));
}

MacroFileOutcome MacroStore::ExportOne(std::size_t index, const std::string& chosen) const {
  return eepromMode_ ? ExportOneFile(library_, index, chosen)
                     : ExportOneFile(driverLibrary_, index, chosen);
}

MacroFileOutcome MacroStore::ExportAll(const std::string& chosen) const {
  return eepromMode_ ? ExportAllFile(library_, chosen) : ExportAllFile(driverLibrary_, chosen);
}

}  // namespace orbic::macros
