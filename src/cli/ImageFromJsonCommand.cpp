// image from-json: the settings `decode --json` prints, made in a base image
// through the same page handlers as `image set`.
#include <iostream>

#include "base/AtomicFile.h"
#include "cli/Commands.h"
#include "cli/JsonSettings.h"
#include "cli/OfflineImage.h"
#include "cli/SettingChanges.h"
#include "cli/SettingsReport.h"

namespace orbic::cli {

namespace {

using nlohmann::json;

// The settings file is small; anything near the read limit is not one.
constexpr std::size_t kSettingsLimit = 1 << 20;

bool ReadSettings(const std::string& path, json& settings, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!orbic::ReadWholeFile(path, bytes, error, kSettingsLimit)) {
    return false;
  }
  try {
    settings = json::parse(bytes.begin(), bytes.end());
  } catch (const json::exception& e) {
    error = path + ": not JSON: " + e.what();
    return false;
  }
  return true;
}

// What the pages show now at `pointer`, or null when the output has no such place.
json Shown(const json& shown, const std::string& pointer) {
  const json::json_pointer at(pointer);
  return shown.contains(at) ? shown.at(at) : json();
}

}  // namespace

int RunImageFromJson(const GlobalOptions& options, const std::string& settingsPath,
                     const std::string& basePath, const std::string& outPath) {
  json settings;
  std::string error;
  if (!ReadSettings(settingsPath, settings, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  std::vector<JsonSettingChange> changes;
  if (!JsonSettingChanges(settings, changes, error)) {
    std::cerr << settingsPath << ": " << error << '\n';
    return kExitBadInput;
  }
  const auto offline = OfflineImage::Open(basePath, options);
  if (!offline) {
    return kExitBadInput;
  }
  orbic::app::SettingsModel& model = *offline->model;
  params::ParameterImage& image = offline->image;

  // Only what differs from what the pages show is changed, so a setting given
  // as it already is never clicks a page control (and a null stays null). A
  // second pass redoes a setting a later one moved (a smaller DPI count moves
  // the current level).
  for (int pass = 0; pass < 2; ++pass) {
    for (const JsonSettingChange& change : changes) {
      if (change.change.empty()) {
        continue;  // report-only: the repairs of the image decode read, labels, step texts
      }
      const json shown = SettingsJson(model, image.raw, offline->split);
      if (Shown(shown, change.pointer) == change.value) {
        continue;
      }
      if (change.value.is_null()) {
        std::cerr << settingsPath << ": " << change.pointer
                  << ": null cannot be set; the image holds " << Shown(shown, change.pointer).dump()
                  << '\n';
        return kExitBadInput;
      }
      const std::string problem =
          ApplySettingChange(model, image.data, offline->messages, change.change);
      if (!problem.empty()) {
        std::cerr << settingsPath << ": " << change.pointer << ": " << change.value.dump() << ": "
                  << problem << '\n';
        return kExitBadInput;
      }
    }
  }
  image.AssembleImage();

  // What decode will show of the new image: every setting given must be there.
  const auto result = OfflineImage::FromImage(image.raw, options);
  const json decoded = SettingsJson(*result->model, result->image.raw, result->split);
  for (const JsonSettingChange& change : changes) {
    if (change.change.empty()) {
      continue;
    }
    const json made = Shown(decoded, change.pointer);
    if (made != change.value) {
      std::cerr << settingsPath << ": " << change.pointer << ": " << change.value.dump()
                << " cannot be made together with the other settings; the image would hold "
                << made.dump() << '\n';
      return kExitBadInput;
    }
  }
  if (!orbic::WriteFileAtomically(outPath, image.raw, error)) {
    std::cerr << error << '\n';
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace orbic::cli
