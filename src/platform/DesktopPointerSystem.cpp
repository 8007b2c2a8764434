#include "platform/DesktopPointerSystem.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>
#include <system_error>
#include <utility>
#include <vector>

#include "base/AtomicFile.h"
#include "base/TextTrim.h"
#include "perf/PointerSettingsSteps.h"
#include "platform/ProcessRunner.h"
#include "ui/IniFile.h"

namespace orbic::platform {

namespace {

constexpr std::string_view kFileName = "pointer.ini";
constexpr std::string_view kFolderName = "orbic40";
constexpr std::string_view kFileHeader =
    "; orbic40 pointer settings, Windows-style values (speed 1..20, double-click ms, wheel "
    "lines)\n";

// A gsettings call that does not answer in this time is abandoned; the page waits on it.
constexpr std::chrono::milliseconds kCommandTimeout{2000};

constexpr std::string_view kGsettings = "gsettings";
constexpr std::string_view kMouseSchema = "org.gnome.desktop.peripherals.mouse";
constexpr std::string_view kSpeedSetting = "speed";
constexpr std::string_view kAccelProfileSetting = "accel-profile";
constexpr std::string_view kDoubleClickSetting = "double-click";
// Profiles in GVariant text, as gsettings prints and parses them.
constexpr std::string_view kFlatProfile = "'flat'";
constexpr std::string_view kDefaultProfile = "'default'";
constexpr std::string_view kAdaptiveProfile = "'adaptive'";

// KDE Plasma: the mouse group of kcminputrc (speed -1..1 and the flat profile) and the
// double-click interval of kdeglobals; a signal tells running programs to read them again, and
// KWin to apply them.
constexpr std::string_view kPlasmaInputFile = "kcminputrc";
constexpr std::string_view kPlasmaGlobalsFile = "kdeglobals";
constexpr std::string_view kPlasmaMouseGroup = "Mouse";
constexpr std::string_view kPlasmaSpeedKey = "XLbInptPointerAcceleration";
constexpr std::string_view kPlasmaFlatKey = "X11LibInputXAccelProfileFlat";
// Under Wayland KWin keeps them per device, in groups "[Libinput][vendor][product][name]"
// written by Plasma's settings for each pointer it has seen; every such group follows.
constexpr std::string_view kPlasmaDeviceGroupPrefix = "Libinput][";
constexpr std::string_view kPlasmaDeviceSpeedKey = "PointerAcceleration";
constexpr std::string_view kPlasmaDeviceProfileKey = "PointerAccelerationProfile";
// libinput's profile bits.
constexpr std::string_view kPlasmaDeviceFlatProfile = "1";
constexpr std::string_view kPlasmaDeviceAdaptiveProfile = "2";
constexpr std::string_view kPlasmaGlobalsGroup = "KDE";
constexpr std::string_view kPlasmaDoubleClickKey = "DoubleClickInterval";
const std::vector<std::vector<std::string>> kPlasmaReconfigure = {
    // KGlobalSettings::notifyChange(SettingsChanged, SETTINGS_MOUSE)
    {"dbus-send", "--session", "--type=signal", "/KGlobalSettings",
     "org.kde.KGlobalSettings.notifyChange", "int32:3", "int32:0"},
    {"dbus-send", "--session", "--type=method_call", "--dest=org.kde.KWin", "/KWin",
     "org.kde.KWin.reconfigure"},
};

// Desktops that read GNOME's mouse schema, by the names they give in XDG_CURRENT_DESKTOP.
constexpr std::array<std::string_view, 5> kGnomeFamily = {"gnome", "unity", "budgie", "pantheon",
                                                          "gnome-flashback"};
constexpr std::string_view kPlasmaName = "kde";

// Pointer speeds: Windows' 1..20 with its default 10 meeting the desktop's default 0.
constexpr int kMinMouseSpeed = 1;
constexpr int kMaxMouseSpeed = 20;
constexpr int kMidMouseSpeed = 10;
constexpr int kDesktopSpeedDigits = 3;

struct KnownValue {
  std::string_view key;
  std::string_view name;
  int windowsDefault;
};

constexpr std::array<KnownValue, 6> kKnownValues = {{
    {perf::kMouseKey, perf::kMouseSensitivityValue, 10},
    {perf::kMouseKey, perf::kMouseSpeedValue, 1},
    {perf::kMouseKey, perf::kMouseThreshold1Value, 6},
    {perf::kMouseKey, perf::kMouseThreshold2Value, 10},
    {perf::kMouseKey, perf::kDoubleClickSpeedValue, 500},
    {perf::kDesktopKey, perf::kWheelScrollLinesValue, 3},
}};

constexpr std::array<std::string_view, 3> kAccelerationFields = {
    perf::kMouseSpeedValue, perf::kMouseThreshold1Value, perf::kMouseThreshold2Value};

constexpr std::array<std::string_view, 2> kKeys = {perf::kMouseKey, perf::kDesktopKey};

bool IsKnownValue(std::string_view key, std::string_view name) {
  return std::any_of(kKnownValues.begin(), kKnownValues.end(),
                     [&](const KnownValue& v) { return v.key == key && v.name == name; });
}

int WindowsDefault(std::string_view name) {
  const auto it = std::find_if(kKnownValues.begin(), kKnownValues.end(),
                               [&](const KnownValue& v) { return v.name == name; });
  return it == kKnownValues.end() ? 0 : it->windowsDefault;
}

std::optional<double> ParseDouble(std::string_view text) {
  text = TrimBlanks(text);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// Locale-independent, so a desktop in a comma-decimal language still gets "0.500".
std::string FormatDesktopSpeed(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, kDesktopSpeedDigits);
  return std::string(buffer.data(), result.ptr);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::optional<std::string> ReadText(const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!orbic::ReadWholeFile(file.string(), bytes, error)) {
    return std::nullopt;
  }
  return std::string(bytes.begin(), bytes.end());
}

// The group name of a header line "[Name]"; nullopt for any other line.
std::optional<std::string_view> GroupOfLine(std::string_view line) {
  line = TrimBlanks(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
    return std::nullopt;
  }
  return line.substr(1, line.size() - 2);
}

// The key of a "key=value" line; nullopt for any other line.
std::optional<std::string_view> KeyOfLine(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    return std::nullopt;
  }
  return TrimBlanks(line.substr(0, equals));
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

std::filesystem::path HomeFromUserDatabase() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

std::map<std::string, std::string, std::less<>> ParseSettingsListing(std::string_view listing,
                                                                     std::string_view schema) {
  std::map<std::string, std::string, std::less<>> settings;
  // One "<schema> <key> <value>" line per setting; the value may hold spaces.
  std::string_view rest = listing;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    const std::size_t afterSchema = line.find(' ');
    if (afterSchema == std::string_view::npos || line.substr(0, afterSchema) != schema) {
      continue;
    }
    const std::string_view keyAndValue = line.substr(afterSchema + 1);
    const std::size_t afterKey = keyAndValue.find(' ');
    if (afterKey == std::string_view::npos) {
      continue;
    }
    settings.emplace(std::string(keyAndValue.substr(0, afterKey)),
                     std::string(TrimBlanks(keyAndValue.substr(afterKey + 1))));
  }
  return settings;
}

std::optional<std::string> IniValueOf(std::string_view text, std::string_view group,
                                      std::string_view key) {
  std::optional<std::string_view> current;
  for (const std::string_view line : Lines(text)) {
    if (const auto header = GroupOfLine(line)) {
      current = header;
    } else if (current == group && KeyOfLine(line) == key) {
      return std::string(TrimBlanks(line.substr(line.find('=') + 1)));
    }
  }
  return std::nullopt;
}

std::vector<std::string> IniGroupsStartingWith(std::string_view text, std::string_view prefix) {
  std::vector<std::string> groups;
  for (const std::string_view line : Lines(text)) {
    const auto header = GroupOfLine(line);
    if (header && header->starts_with(prefix) &&
        std::find(groups.begin(), groups.end(), *header) == groups.end()) {
      groups.emplace_back(*header);
    }
  }
  return groups;
}

std::string WithIniValue(std::string_view text, std::string_view group, std::string_view key,
                         std::string_view value) {
  const std::string entry = std::string(key) + "=" + std::string(value);
  std::vector<std::string> lines;
  for (const std::string_view line : Lines(text)) {
    lines.emplace_back(line);
  }
  std::optional<std::string> current;
  std::optional<std::size_t> groupEnd;  // the line after the group's last entry
  bool done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    if (const auto header = GroupOfLine(lines[i])) {
      current = std::string(*header);
      if (*header == group) {
        groupEnd = i + 1;
      }
    } else if (current == group && KeyOfLine(lines[i]) == key) {
      lines[i] = entry;
      done = true;
    } else if (current == group && !TrimBlanks(lines[i]).empty()) {
      groupEnd = i + 1;
    }
  }
  if (!done && groupEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*groupEnd), entry);
  } else if (!done) {
    if (!lines.empty() && !TrimBlanks(lines.back()).empty()) {
      lines.emplace_back();
    }
    lines.push_back("[" + std::string(group) + "]");
    lines.push_back(entry);
  }
  std::string result;
  for (const std::string& line : lines) {
    result += line + "\n";
  }
  return result;
}

DesktopKind DesktopKindFor(std::string_view xdgCurrentDesktop) {
  std::string_view rest = xdgCurrentDesktop;
  while (!rest.empty()) {
    const std::size_t end = rest.find(':');
    const std::string name = Lower(TrimBlanks(rest.substr(0, end)));
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (std::find(kGnomeFamily.begin(), kGnomeFamily.end(), name) != kGnomeFamily.end()) {
      return DesktopKind::kGnome;
    }
    if (name == kPlasmaName) {
      return DesktopKind::kPlasma;
    }
  }
  return DesktopKind::kOther;
}

DesktopKind CurrentDesktopKind() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  return DesktopKindFor(desktop ? desktop : "");
}

double DesktopSpeedForMouseSpeed(int speed) {
  const int clamped = std::clamp(speed, kMinMouseSpeed, kMaxMouseSpeed);
  const int span =
      clamped <= kMidMouseSpeed ? kMidMouseSpeed - kMinMouseSpeed : kMaxMouseSpeed - kMidMouseSpeed;
  return static_cast<double>(clamped - kMidMouseSpeed) / span;
}

int MouseSpeedForDesktopSpeed(double desktopSpeed) {
  if (!std::isfinite(desktopSpeed)) {
    return kMidMouseSpeed;
  }
  const double clamped = std::clamp(desktopSpeed, -1.0, 1.0);
  const int span = clamped <= 0 ? kMidMouseSpeed - kMinMouseSpeed : kMaxMouseSpeed - kMidMouseSpeed;
  return static_cast<int>(std::lround(kMidMouseSpeed + clamped * span));
}

std::filesystem::path PointerFolderFor(std::string_view xdgConfigHome, std::string_view home) {
  const std::filesystem::path xdg(xdgConfigHome);
  if (!xdgConfigHome.empty() && xdg.is_absolute()) {
    return xdg / kFolderName;
  }
  const std::filesystem::path homePath(home);
  if (!home.empty() && homePath.is_absolute()) {
    return homePath / ".config" / kFolderName;
  }
  return {};
}

std::filesystem::path DefaultPointerFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path folder = PointerFolderFor(xdg ? xdg : "", home ? home : "");
  if (folder.empty()) {
    folder = PointerFolderFor("", HomeFromUserDatabase().string());
  }
  return folder;
}

DesktopPointerSystem::DesktopPointerSystem(std::filesystem::path folder, DesktopKind desktop,
                                           CommandRunner runner, Execution execution,
                                           std::filesystem::path plasmaConfigFolder)
    : folder_(std::move(folder)),
      desktop_(desktop),
      plasmaFolder_(std::move(plasmaConfigFolder)),
      runner_(std::move(runner)) {
  if (!folder_.empty()) {
    file_ = folder_ / kFileName;
  }
  if (plasmaFolder_.empty()) {
    plasmaFolder_ = folder_.parent_path();
  }
  if (!runner_) {
    runner_ = [](const std::vector<std::string>& argv) {
      return RunProcess(argv, kCommandTimeout);
    };
  }
  if (execution == Execution::kBackground) {
    jobs_ = std::make_unique<BackgroundJobs>();
  }
}

DesktopPointerSystem::~DesktopPointerSystem() {
  // The jobs still queued touch the held values: they run before those go.
  jobs_.reset();
}

void DesktopPointerSystem::WaitForCommands() {
  if (jobs_) {
    jobs_->Drain();
  }
}

void DesktopPointerSystem::Run(std::function<void()> command) {
  if (jobs_) {
    jobs_->Post(std::move(command));
  } else {
    command();
  }
}

std::string_view DesktopPointerSystem::ScopeNotice() const {
  return desktop_ == DesktopKind::kOther ? kProgramOnlyNotice : std::string_view{};
}

void DesktopPointerSystem::EnsureLoaded() {
  if (loaded_) {
    return;
  }
  loaded_ = true;
  for (const std::string_view key : kKeys) {
    store_[std::string(key)];
  }
  if (!LoadFile()) {
    SeedDefaults();
    Save();  // a folder that cannot be written leaves the values held in memory
  }
}

bool DesktopPointerSystem::LoadFile() {
  std::error_code code;
  if (file_.empty() || !std::filesystem::exists(file_, code)) {
    return false;
  }
  std::vector<std::uint8_t> bytes;
  std::string error;
  // An unreadable file holds no values; it is replaced at the next write.
  if (!orbic::ReadWholeFile(file_.string(), bytes, error)) {
    return true;
  }
  const ui::IniFile ini = ui::IniFile::Parse(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  for (const KnownValue& known : kKnownValues) {
    if (const std::optional<int> value = ini.IntValue(known.key, known.name)) {
      store_[std::string(known.key)][std::string(known.name)] = *value;
    }
  }
  return true;
}

void DesktopPointerSystem::SeedDefaults() {
  for (const KnownValue& known : kKnownValues) {
    store_[std::string(known.key)][std::string(known.name)] = known.windowsDefault;
  }
}

void DesktopPointerSystem::Reload() {
  {
    const std::lock_guard lock(mutex_);
    EnsureLoaded();
  }
  QueryDesktop();
}

void DesktopPointerSystem::QueryDesktop() {
  switch (desktop_) {
    case DesktopKind::kGnome:
      // gsettings may take its time: the values land when it answers.
      Run([this] {
        const DesktopValues values = ReadGnome();
        const std::lock_guard lock(mutex_);
        if (Overlay(values)) {
          Save();
        }
      });
      return;
    case DesktopKind::kPlasma: {
      const DesktopValues values = ReadPlasma();
      const std::lock_guard lock(mutex_);
      if (Overlay(values)) {
        Save();
      }
      return;
    }
    case DesktopKind::kOther:
      return;
  }
}

DesktopPointerSystem::DesktopValues DesktopPointerSystem::ReadGnome() {
  DesktopValues values;
  const std::optional<std::string> listing =
      runner_({std::string(kGsettings), "list-recursively", std::string(kMouseSchema)});
  if (!listing) {
    return values;
  }
  const auto settings = ParseSettingsListing(*listing, kMouseSchema);
  const auto Query = [&settings](std::string_view settingKey) -> std::optional<std::string> {
    const auto it = settings.find(settingKey);
    return it == settings.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  // A desktop that cannot tell its speed offers nothing readable.
  const std::optional<std::string> speedText = Query(kSpeedSetting);
  values.speed = speedText ? ParseDouble(*speedText) : std::nullopt;
  if (!values.speed) {
    return values;
  }
  if (const std::optional<std::string> profile = Query(kAccelProfileSetting)) {
    const std::string_view name = TrimBlanks(*profile);
    if (name == kFlatProfile) {
      values.flat = true;
    } else if (name == kDefaultProfile || name == kAdaptiveProfile) {
      values.flat = false;
    }
  }
  if (const std::optional<std::string> doubleClick = Query(kDoubleClickSetting)) {
    values.doubleClickMs = perf::ParsePointerValue(TrimBlanks(*doubleClick));
  }
  return values;
}

DesktopPointerSystem::DesktopValues DesktopPointerSystem::ReadPlasma() const {
  DesktopValues values;
  if (const auto input = ReadText(plasmaFolder_ / kPlasmaInputFile)) {
    if (const auto speed = IniValueOf(*input, kPlasmaMouseGroup, kPlasmaSpeedKey)) {
      values.speed = ParseDouble(*speed);
    }
    if (const auto flat = IniValueOf(*input, kPlasmaMouseGroup, kPlasmaFlatKey)) {
      if (*flat == "true" || *flat == "false") {
        values.flat = *flat == "true";
      }
    }
    // A Wayland session writes only the device groups: the first one that has a value speaks
    // where the mouse group is silent.
    for (const std::string& group : IniGroupsStartingWith(*input, kPlasmaDeviceGroupPrefix)) {
      if (!values.speed) {
        if (const auto speed = IniValueOf(*input, group, kPlasmaDeviceSpeedKey)) {
          values.speed = ParseDouble(*speed);
        }
      }
      if (!values.flat) {
        const auto profile = IniValueOf(*input, group, kPlasmaDeviceProfileKey);
        if (profile == kPlasmaDeviceFlatProfile || profile == kPlasmaDeviceAdaptiveProfile) {
          values.flat = profile == kPlasmaDeviceFlatProfile;
        }
      }
    }
  }
  if (const auto globals = ReadText(plasmaFolder_ / kPlasmaGlobalsFile)) {
    if (const auto ms = IniValueOf(*globals, kPlasmaGlobalsGroup, kPlasmaDoubleClickKey)) {
      values.doubleClickMs = perf::ParsePointerValue(*ms);
    }
  }
  return values;
}

bool DesktopPointerSystem::Overlay(const DesktopValues& desktop) {
  EnsureLoaded();
  Values& mouse = store_[std::string(perf::kMouseKey)];
  const Values before = mouse;
  if (desktop.speed) {
    mouse[std::string(perf::kMouseSensitivityValue)] = MouseSpeedForDesktopSpeed(*desktop.speed);
  }
  if (desktop.flat) {
    const auto accelerationIt = mouse.find(perf::kMouseSpeedValue);
    const bool accelerated = accelerationIt != mouse.end() && accelerationIt->second != 0;
    // Flat clears all three, so "Enhance pointer precision" shows off; an accelerating profile
    // keeps thresholds the file already had on.
    if (*desktop.flat || !accelerated) {
      for (const std::string_view field : kAccelerationFields) {
        mouse[std::string(field)] = *desktop.flat ? 0 : WindowsDefault(field);
      }
    }
  }
  if (desktop.doubleClickMs && *desktop.doubleClickMs > 0) {
    mouse[std::string(perf::kDoubleClickSpeedValue)] = *desktop.doubleClickMs;
  }
  return mouse != before;
}

bool DesktopPointerSystem::Save() {
  if (file_.empty()) {
    return false;
  }
  std::string text(kFileHeader);
  for (const std::string_view key : kKeys) {
    text += "[" + std::string(key) + "]\n";
    for (const auto& [name, value] : store_[std::string(key)]) {
      text += name + "=" + std::to_string(value) + "\n";
    }
  }
  std::error_code code;
  std::filesystem::create_directories(folder_, code);
  std::string error;
  return orbic::WriteFileAtomically(
      file_.string(), std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
      error);
}

DesktopPointerSystem::Values* DesktopPointerSystem::FindKey(std::string_view key) {
  const auto it = store_.find(key);
  return it == store_.end() ? nullptr : &it->second;
}

bool DesktopPointerSystem::KeyExists(std::string_view key) {
  return std::find(kKeys.begin(), kKeys.end(), key) != kKeys.end();
}

std::optional<std::string> DesktopPointerSystem::ReadValue(std::string_view key,
                                                           std::string_view name) {
  bool first = false;
  {
    const std::lock_guard lock(mutex_);
    first = !loaded_;
  }
  if (first) {
    Reload();
  }
  const std::lock_guard lock(mutex_);
  const Values* values = FindKey(key);
  if (values == nullptr) {
    return std::nullopt;
  }
  const auto it = values->find(name);
  if (it == values->end()) {
    return std::nullopt;
  }
  return std::to_string(it->second);
}

bool DesktopPointerSystem::WriteValue(std::string_view key, std::string_view name,
                                      std::string_view text) {
  const std::lock_guard lock(mutex_);
  EnsureLoaded();
  Values* values = FindKey(key);
  const std::optional<int> value = perf::ParsePointerValue(text);
  if (values == nullptr || !IsKnownValue(key, name) || !value) {
    return false;
  }
  const std::string valueName(name);
  const auto previous = values->find(valueName);
  const std::optional<int> old =
      previous == values->end() ? std::nullopt : std::optional<int>(previous->second);
  (*values)[valueName] = *value;
  if (Save()) {
    return true;
  }
  if (old) {
    (*values)[valueName] = *old;
  } else {
    values->erase(valueName);
  }
  return false;
}

void DesktopPointerSystem::SetGnome(std::string_view settingKey, std::string value) {
  // Failures are ignored: the value is kept in the file either way.
  Run([this, argv = std::vector<std::string>{std::string(kGsettings), "set",
                                             std::string(kMouseSchema), std::string(settingKey),
                                             std::move(value)}] { runner_(argv); });
}

void DesktopPointerSystem::SetPlasma(const std::filesystem::path& file, std::string_view group,
                                     std::string_view key, const std::string& value,
                                     std::string_view deviceKey, std::string_view deviceValue) {
  const std::filesystem::path path = plasmaFolder_ / file;
  std::string text = WithIniValue(ReadText(path).value_or(""), group, key, value);
  if (!deviceKey.empty()) {
    for (const std::string& device : IniGroupsStartingWith(text, kPlasmaDeviceGroupPrefix)) {
      text = WithIniValue(text, device, deviceKey, deviceValue);
    }
  }
  std::error_code code;
  std::filesystem::create_directories(plasmaFolder_, code);
  std::string error;
  if (!orbic::WriteFileAtomically(
          path.string(), std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
          error)) {
    return;  // the value is kept in the program's file either way
  }
  Run([this] {
    for (const std::vector<std::string>& argv : kPlasmaReconfigure) {
      runner_(argv);
    }
  });
}

void DesktopPointerSystem::SetMouseSpeed(int speed) {
  const std::string value = FormatDesktopSpeed(DesktopSpeedForMouseSpeed(speed));
  if (desktop_ == DesktopKind::kGnome) {
    SetGnome(kSpeedSetting, value);
  } else if (desktop_ == DesktopKind::kPlasma) {
    SetPlasma(kPlasmaInputFile, kPlasmaMouseGroup, kPlasmaSpeedKey, value, kPlasmaDeviceSpeedKey,
              value);
  }
}

void DesktopPointerSystem::SetMouseAcceleration(int /*threshold1*/, int /*threshold2*/,
                                                int acceleration) {
  // The desktops have no thresholds, only acceleration on or off; 'default' is what GNOME's own
  // settings panel chooses for "on" (adaptive for mice).
  if (desktop_ == DesktopKind::kGnome) {
    SetGnome(kAccelProfileSetting, std::string(acceleration == 0 ? kFlatProfile : kDefaultProfile));
  } else if (desktop_ == DesktopKind::kPlasma) {
    SetPlasma(kPlasmaInputFile, kPlasmaMouseGroup, kPlasmaFlatKey,
              acceleration == 0 ? "true" : "false", kPlasmaDeviceProfileKey,
              acceleration == 0 ? kPlasmaDeviceFlatProfile : kPlasmaDeviceAdaptiveProfile);
  }
}

void DesktopPointerSystem::SetDoubleClickTime(int milliseconds) {
  if (milliseconds <= 0) {
    return;
  }
  if (desktop_ == DesktopKind::kGnome) {
    SetGnome(kDoubleClickSetting, std::to_string(milliseconds));
  } else if (desktop_ == DesktopKind::kPlasma) {
    SetPlasma(kPlasmaGlobalsFile, kPlasmaGlobalsGroup, kPlasmaDoubleClickKey,
              std::to_string(milliseconds));
  }
}

void DesktopPointerSystem::SetWheelScrollLines(int /*lines*/) {
  // Linux has no desktop-wide wheel setting; the value written to the file is all there is.
}

}  // namespace orbic::platform
