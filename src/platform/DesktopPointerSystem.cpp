#include "platform/DesktopPointerSystem.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

DesktopPointerSystem::DesktopPointerSystem(std::filesystem::path folder, CommandRunner runner)
    : folder_(std::move(folder)), runner_(std::move(runner)) {
  if (!folder_.empty()) {
    file_ = folder_ / kFileName;
  }
  if (!runner_) {
    runner_ = [](const std::vector<std::string>& argv) {
      return RunProcess(argv, kCommandTimeout);
    };
  }
}

void DesktopPointerSystem::EnsureLoaded() {
  if (loaded_) {
    return;
  }
  loaded_ = true;
  for (const std::string_view key : kKeys) {
    store_[std::string(key)];
  }
  const bool fileFound = LoadFile();
  if (!fileFound) {
    SeedDefaults();
  }
  const bool desktopChanged = OverlayDesktop();
  if (!fileFound || desktopChanged) {
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

bool DesktopPointerSystem::OverlayDesktop() {
  // A desktop that cannot tell its speed offers nothing readable: no point asking more.
  const std::map<std::string, std::string, std::less<>> desktop = QueryAll();
  const auto Query = [&desktop](std::string_view settingKey) -> std::optional<std::string> {
    const auto it = desktop.find(settingKey);
    return it == desktop.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  const std::optional<std::string> speedText = Query(kSpeedSetting);
  const std::optional<double> speed = speedText ? ParseDouble(*speedText) : std::nullopt;
  if (!speed) {
    return false;
  }
  Values& mouse = store_[std::string(perf::kMouseKey)];
  const Values before = mouse;
  mouse[std::string(perf::kMouseSensitivityValue)] = MouseSpeedForDesktopSpeed(*speed);

  if (const std::optional<std::string> profile = Query(kAccelProfileSetting)) {
    const std::string_view name = TrimBlanks(*profile);
    const auto accelerationIt = mouse.find(perf::kMouseSpeedValue);
    const bool accelerated = accelerationIt != mouse.end() && accelerationIt->second != 0;
    const bool flat = name == kFlatProfile;
    const bool accelerating = name == kDefaultProfile || name == kAdaptiveProfile;
    // Flat clears all three, so "Enhance pointer precision" shows off; an accelerating profile
    // keeps thresholds the file already had on.
    if (flat || (accelerating && !accelerated)) {
      for (const std::string_view field : kAccelerationFields) {
        mouse[std::string(field)] = flat ? 0 : WindowsDefault(field);
      }
    }
  }

  if (const std::optional<std::string> doubleClick = Query(kDoubleClickSetting)) {
    const std::optional<int> milliseconds = perf::ParsePointerValue(TrimBlanks(*doubleClick));
    if (milliseconds && *milliseconds > 0) {
      mouse[std::string(perf::kDoubleClickSpeedValue)] = *milliseconds;
    }
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
  EnsureLoaded();
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

std::map<std::string, std::string, std::less<>> DesktopPointerSystem::QueryAll() {
  const std::optional<std::string> listing =
      runner_({std::string(kGsettings), "list-recursively", std::string(kMouseSchema)});
  if (!listing) {
    return {};
  }
  return ParseSettingsListing(*listing, kMouseSchema);
}

void DesktopPointerSystem::Set(std::string_view settingKey, std::string value) {
  // Failures are ignored: the value is kept in the file either way.
  runner_({std::string(kGsettings), "set", std::string(kMouseSchema), std::string(settingKey),
           std::move(value)});
}

void DesktopPointerSystem::SetMouseSpeed(int speed) {
  Set(kSpeedSetting, FormatDesktopSpeed(DesktopSpeedForMouseSpeed(speed)));
}

void DesktopPointerSystem::SetMouseAcceleration(int /*threshold1*/, int /*threshold2*/,
                                                int acceleration) {
  // The desktop has no thresholds, only acceleration on or off; 'default' is what its own
  // settings panel chooses for "on" (adaptive for mice).
  Set(kAccelProfileSetting, std::string(acceleration == 0 ? kFlatProfile : kDefaultProfile));
}

void DesktopPointerSystem::SetDoubleClickTime(int milliseconds) {
  if (milliseconds <= 0) {
    return;
  }
  Set(kDoubleClickSetting, std::to_string(milliseconds));
}

void DesktopPointerSystem::SetWheelScrollLines(int /*lines*/) {
  // Linux has no desktop-wide wheel setting; the value written to the file is all there is.
}

}  // namespace orbic::platform
