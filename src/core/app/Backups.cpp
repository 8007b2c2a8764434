#include "app/Backups.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "base/AtomicFile.h"

namespace orbic::app {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "orbic40-";
constexpr std::string_view kSuffix = ".bin";
// "YYYYMMDD-HHMMSS-mmm"
constexpr std::string_view kStampShape = "########-######-###";

}  // namespace

BackupFolder::BackupFolder(std::string folder, TimeSource now)
    : folder_(std::move(folder)), now_(std::move(now)) {}

std::string BackupFolder::NameFor(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto ms = floor<milliseconds>(time);
  const auto day = floor<days>(ms);
  const year_month_day date{day};
  const hh_mm_ss clock{ms - day};
  char stamp[64];
  std::snprintf(
      stamp, sizeof stamp, "%04d%02u%02u-%02d%02d%02d-%03d", static_cast<int>(date.year()),
      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
      static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
      static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
  return std::string(kPrefix) + stamp + std::string(kSuffix);
}

bool BackupFolder::IsBackupName(const std::string& name) {
  if (name.size() != kPrefix.size() + kStampShape.size() + kSuffix.size() ||
      !name.starts_with(kPrefix) || !name.ends_with(kSuffix)) {
    return false;
  }
  for (std::size_t i = 0; i < kStampShape.size(); ++i) {
    const char ch = name[kPrefix.size() + i];
    const bool fits = kStampShape[i] == '#' ? std::isdigit(static_cast<unsigned char>(ch)) != 0
                                            : ch == kStampShape[i];
    if (!fits) {
      return false;
    }
  }
  return true;
}

std::string BackupFolder::Save(const params::Image& image, std::string& error) const {
  if (!CreateFolder(folder_, error)) {
    return {};
  }
  // A new backup must sort after every one there (two writes in one
  // millisecond, a clock set back): it takes the next millisecond after the
  // newest, so pruning by name never removes the backup just made.
  const std::string newest = fs::path(Newest()).filename().string();
  auto time = now_();
  std::string name = NameFor(time);
  for (int tries = 0; tries < 100000 && !newest.empty() && name <= newest; ++tries) {
    time += std::chrono::milliseconds(1);
    name = NameFor(time);
  }
  const std::string path = (fs::path(folder_) / name).string();
  if (!WriteFileAtomically(path, image, error)) {
    return {};
  }
  Prune();
  return path;
}

std::vector<std::string> BackupFolder::List() const {
  std::vector<std::string> names;
  std::error_code code;
  for (fs::directory_iterator it(folder_, code), end; !code && it != end; it.increment(code)) {
    const std::string name = it->path().filename().string();
    if (IsBackupName(name) && it->is_regular_file(code)) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  for (std::string& name : names) {
    name = (fs::path(folder_) / name).string();
  }
  return names;
}

std::string BackupFolder::Newest() const {
  const std::vector<std::string> all = List();
  return all.empty() ? std::string() : all.back();
}

void BackupFolder::Prune() const {
  const std::vector<std::string> all = List();
  if (all.size() <= kKept) {
    return;
  }
  std::error_code ignored;  // a backup that cannot be removed is only kept longer
  for (std::size_t i = 0; i + kKept < all.size(); ++i) {
    fs::remove(all[i], ignored);
  }
}

}  // namespace orbic::app
