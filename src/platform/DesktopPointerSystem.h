#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perf/PointerSystem.h"
#include "platform/BackgroundJobs.h"

namespace orbic::platform {

// Which desktop's pointer settings are read and written.
enum class DesktopKind {
  kGnome,   // GNOME and the desktops that read its mouse schema, through gsettings
  kPlasma,  // KDE Plasma: kcminputrc and kdeglobals in the configuration folder
  kOther,   // no known desktop setting: the values are kept for this program only
};

// The desktop named by $XDG_CURRENT_DESKTOP, a colon-separated list such as
// "ubuntu:GNOME"; names compare without regard to case.
DesktopKind DesktopKindFor(std::string_view xdgCurrentDesktop);
DesktopKind CurrentDesktopKind();

// What the page says where no desktop setting is changed.
inline constexpr std::string_view kProgramOnlyNotice =
    "These pointer settings are kept for this program only; the desktop's own pointer "
    "settings are not changed.";

// The pointer settings on a Linux desktop. The registry-style values live in a small per-user
// file, `pointer.ini` in the folder given (see DefaultPointerFolder), written atomically; both
// keys always exist. Speed, acceleration and double-click time also go where the running
// desktop keeps them: gsettings' mouse schema on GNOME, kcminputrc and kdeglobals (followed by a
// reconfigure call) on Plasma; there is no desktop-wide wheel setting, so the wheel lines stay in
// the file.
//
// The desktop's current values are laid over the file's at first use and at every Reload, so a
// change made in the desktop's own settings is what the page shows; values the desktop does not
// give come from the file, else from Windows' defaults when there is no file.
class DesktopPointerSystem : public perf::PointerSystem {
 public:
  // Runs an argument vector; its standard output when it exited with status 0, else nullopt.
  using CommandRunner = std::function<std::optional<std::string>(const std::vector<std::string>&)>;
  // Where the commands run: on a worker thread, so a slow desktop tool never holds up the
  // caller (a reload's values then arrive when the tool answers), or on the caller's thread.
  enum class Execution { kBackground, kInline };

  // `runner` defaults to a child process with a short timeout. `plasmaConfigFolder` defaults to
  // the parent of `folder` (the user's configuration folder).
  DesktopPointerSystem(std::filesystem::path folder, DesktopKind desktop, CommandRunner runner = {},
                       Execution execution = Execution::kBackground,
                       std::filesystem::path plasmaConfigFolder = {});
  ~DesktopPointerSystem() override;
  DesktopPointerSystem(const DesktopPointerSystem&) = delete;
  DesktopPointerSystem& operator=(const DesktopPointerSystem&) = delete;

  const std::filesystem::path& FilePath() const { return file_; }
  DesktopKind Desktop() const { return desktop_; }
  // Returns once every command started so far has run.
  void WaitForCommands();

  void Reload() override;
  std::string_view ScopeNotice() const override;
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
  // What the desktop says, in the settings' own terms; each may be missing.
  struct DesktopValues {
    std::optional<double> speed;  // -1 .. 1
    std::optional<bool> flat;     // acceleration off
    std::optional<int> doubleClickMs;
  };

  // Both run with mutex_ held.
  void EnsureLoaded();
  bool LoadFile();  // whether the file exists, readable or not
  void SeedDefaults();
  bool Overlay(const DesktopValues& desktop);
  bool Save();
  Values* FindKey(std::string_view key);

  // Asks the desktop for its values and lays them over the held ones.
  void QueryDesktop();
  DesktopValues ReadGnome();
  DesktopValues ReadPlasma() const;
  void SetGnome(std::string_view settingKey, std::string value);
  // Sets `key` of `group`, and `deviceKey` of every per-device pointer group when given.
  void SetPlasma(const std::filesystem::path& file, std::string_view group, std::string_view key,
                 const std::string& value, std::string_view deviceKey = {},
                 std::string_view deviceValue = {});
  void Run(std::function<void()> command);

  std::filesystem::path folder_;
  std::filesystem::path file_;
  DesktopKind desktop_;
  std::filesystem::path plasmaFolder_;
  CommandRunner runner_;
  std::mutex mutex_;  // the held values: the worker lays the desktop's over them
  bool loaded_ = false;
  std::map<std::string, Values, std::less<>> store_;
  std::unique_ptr<BackgroundJobs> jobs_;  // null: commands run inline
};

// The value of `key` in the group `[group]` of an INI text as KDE writes it; nullopt when absent.
std::optional<std::string> IniValueOf(std::string_view text, std::string_view group,
                                      std::string_view key);
// The groups of an INI text whose names start with `prefix`, in file order.
std::vector<std::string> IniGroupsStartingWith(std::string_view text, std::string_view prefix);
// The text with `key` of `[group]` set to `value`: the line replaced where it is, else added to
// the group, else the group added at the end; every other line kept as it was.
std::string WithIniValue(std::string_view text, std::string_view group, std::string_view key,
                         std::string_view value);

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
