#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perf/PointerSystem.h"

namespace orbic::platform {

// The pointer settings on a Linux desktop. The registry-style values live in a small per-user
// file, `pointer.ini` in the folder given (see DefaultPointerFolder), written atomically; both
// keys always exist. Speed, acceleration and double-click time are applied live through
// `gsettings` (GNOME's peripherals schema, which other desktops share); there is no desktop-wide
// wheel setting, so the wheel lines stay in the file.
//
// On first use the file is read and the values the desktop currently has are laid over it, so a
// change made in the desktop's own settings since the last run is what the page shows; values the
// desktop does not give come from the file, else from Windows' defaults when there is no file.
class DesktopPointerSystem : public perf::PointerSystem {
 public:
  // Runs an argument vector; its standard output when it exited with status 0, else nullopt.
  using CommandRunner = std::function<std::optional<std::string>(const std::vector<std::string>&)>;

  // `runner` defaults to a child process with a short timeout.
  explicit DesktopPointerSystem(std::filesystem::path folder, CommandRunner runner = {});

  const std::filesystem::path& FilePath() const { return file_; }

  bool KeyExists(std::string_view key) override;
  std::optional<std::string> ReadValue(std::string_view key, std::string_view name) override;
  // Only the six known values, as decimal integers; false for anything else or when the file
  // cannot be written (the value held is then left as it was).
  bool WriteValue(std::string_view key, std::string_view name, std::string_view text) override;
  void SetMouseSpeed(int speed) override;
  void SetMouseAcceleration(int threshold1, int threshold2, int acceleration) override;
  void SetDoubleClickTime(int milliseconds) override;
  void SetWheelScrollLines(int lines) override;

 private:
  using Values = std::map<std::string, int, std::less<>>;

  void EnsureLoaded();
  bool LoadFile();  // whether the file exists, readable or not
  void SeedDefaults();
  bool OverlayDesktop();
  bool Save();
  Values* FindKey(std::string_view key);
  // Every setting of the mouse schema, key -> printed value, from one
  // gsettings call (each call is a process start); empty when it fails.
  std::map<std::string, std::string, std::less<>> QueryAll();
  void Set(std::string_view settingKey, std::string value);

  std::filesystem::path folder_;
  std::filesystem::path file_;
  CommandRunner runner_;
  bool loaded_ = false;
  std::map<std::string, Values, std::less<>> store_;
};

// $XDG_CONFIG_HOME/orbic40 when that is an absolute path, else $HOME/.config/orbic40 (the home
// folder from the user database when HOME is unset).
std::filesystem::path DefaultPointerFolder();
// The same choice from given texts; an empty path when neither gives an absolute folder.
std::filesystem::path PointerFolderFor(std::string_view xdgConfigHome, std::string_view home);

// The settings of `schema` in the output of `gsettings list-recursively`: one
// "<schema> <key> <value>" line each, the value trimmed and free to hold spaces.
// Lines of other schemas and lines without a value are skipped; the first of
// two lines with one key wins.
std::map<std::string, std::string, std::less<>> ParseSettingsListing(std::string_view listing,
                                                                     std::string_view schema);

// The gsettings speed (-1.0 .. 1.0) for a pointer speed 1..20, with Windows' default 10 at the
// desktop's default 0; speeds outside 1..20 are clamped. And back, rounded to the nearest speed.
double DesktopSpeedForMouseSpeed(int speed);
int MouseSpeedForDesktopSpeed(double desktopSpeed);

}  // namespace orbic::platform
