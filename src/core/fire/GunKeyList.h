#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "keys/KeyCode.h"
#include "keys/LabelSources.h"

namespace orbic::fire {

inline constexpr int kGunKeyListSize = 10;
inline constexpr const char* kGunKeyFileName = "ORBIC40 Fire Macro.bin";
// Entry k is shown as this text followed by k.
inline constexpr const char* kGunKeyEntryText = "Fire Macro";

// The engineer's gun keys (0C first last), in order with no gaps, and their
// file: ten 3-byte entries, empty ones 00 00 00. It is no part of the image.
class GunKeyList final : public keys::GunKeySource {
 public:
  // The file in `folder` (with its trailing separator). A missing file means
  // an empty list that no file backs; a file shorter than 30 bytes leaves the
  // entries it does not reach as they were. Entries after an empty one move
  // up and the file is written again. False with `error` when the file exists
  // but cannot be read, or that rewrite fails (the list is then still whole).
  bool Load(const std::string& folder, std::string& error);

  // "Add Gun": fire macros `first`..`last` (1..10, first <= last). Refused
  // when the list is full or the numbers name no fire macros. The whole list
  // is then written to the file in `folder`, atomically; when that fails the
  // list stays as it was and `error` says why.
  bool Add(int first, int last, const std::string& folder, std::string& error);
  // "Delect Gun": removes entry k (1-based), moving the later ones up, and
  // writes the file as Add does.
  bool Delete(int k, const std::string& folder, std::string& error);

  int Count() const;
  // Entry k (1..Count()).
  const keys::KeyCode& Entry(int k) const { return entries_[static_cast<std::size_t>(k - 1)]; }
  // "Fire Macro1" ... for the used entries, in order.
  std::vector<std::string> Names() const;
  bool FileExists() const { return fileExists_; }
  // The entry selected in the list box after the last change (1-based), if any.
  std::optional<int> Selected() const { return selected_; }
  void Select(int k);
  // The fire macros of the selected entry, for the two combos.
  std::optional<std::pair<int, int>> SelectedRange() const;

  // The 30 bytes of the file.
  std::array<std::uint8_t, kGunKeyListSize * keys::kCodeLength> FileBytes() const;

  // Position of the first entry holding `code`, when a list file is in use.
  std::optional<int> GunKeyPosition(const keys::KeyCode& code) const override;

 private:
  bool Save(const std::string& folder, std::string& error);

  std::array<keys::KeyCode, kGunKeyListSize> entries_{};
  bool fileExists_ = false;
  std::optional<int> selected_;
};

// The list file's path in `folder`.
std::string GunKeyListPath(const std::string& folder);

}  // namespace orbic::fire
