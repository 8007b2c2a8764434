#include "fire/GunKeyList.h"

#include <algorithm>
#include <filesystem>

#include "base/AtomicFile.h"

namespace orbic::fire {
namespace {

constexpr keys::KeyCode kEmptyEntry{};

bool IsFireMacroNumber(int n) {
  return n >= 1 && n <= kGunKeyListSize;
}

}  // namespace

std::string GunKeyListPath(const std::string& folder) {
  return folder + kGunKeyFileName;
}

bool GunKeyList::Load(const std::string& folder, std::string& error) {
  const std::string path = GunKeyListPath(folder);
  std::error_code code;
  if (!std::filesystem::exists(path, code)) {
    fileExists_ = false;
    return true;
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, error)) {
    return false;
  }
  fileExists_ = true;
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const std::size_t at = k * keys::kCodeLength;
    if (at + keys::kCodeLength > bytes.size()) {
      break;
    }
    entries_[k] = {bytes[at], bytes[at + 1], bytes[at + 2]};
  }
  selected_.reset();
  // The list has no gaps; a file with an empty entry between used ones would
  // hide the entries after it, so they move up and the file is written again.
  const auto read = entries_;
  std::stable_partition(entries_.begin(), entries_.end(),
                        [](const keys::KeyCode& entry) { return entry != kEmptyEntry; });
  if (entries_ != read) {
    return Save(folder, error);
  }
  return true;
}

int GunKeyList::Count() const {
  // The file keeps the entries without gaps; a damaged file may not, so the
  // count is of the leading used entries, which is all the list ever shows.
  const auto firstEmpty = std::find(entries_.begin(), entries_.end(), kEmptyEntry);
  return static_cast<int>(firstEmpty - entries_.begin());
}

std::vector<std::string> GunKeyList::Names() const {
  std::vector<std::string> names;
  for (int k = 1; k <= Count(); ++k) {
    names.push_back(kGunKeyEntryText + std::to_string(k));
  }
  return names;
}

void GunKeyList::Select(int k) {
  if (k >= 1 && k <= Count()) {
    selected_ = k;
  }
}

std::optional<std::pair<int, int>> GunKeyList::SelectedRange() const {
  if (!selected_) {
    return std::nullopt;
  }
  const keys::KeyCode& entry = Entry(*selected_);
  return std::pair<int, int>{entry.byte1, entry.byte2};
}

std::array<std::uint8_t, kGunKeyListSize * keys::kCodeLength> GunKeyList::FileBytes() const {
  std::array<std::uint8_t, kGunKeyListSize * keys::kCodeLength> bytes{};
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const auto code = entries_[k].Bytes();
    std::copy(code.begin(), code.end(), bytes.begin() + static_cast<std::ptrdiff_t>(k * 3));
  }
  return bytes;
}

bool GunKeyList::Save(const std::string& folder, std::string& error) {
  if (!WriteFileAtomically(GunKeyListPath(folder), FileBytes(), error)) {
    return false;
  }
  fileExists_ = true;
  return true;
}

bool GunKeyList::Add(int first, int last, const std::string& folder, std::string& error) {
  const int count = Count();
  if (count >= kGunKeyListSize) {
    return false;
  }
  // An unselected combo would give fire macro 0, which no gun key can play.
  if (!IsFireMacroNumber(first) || !IsFireMacroNumber(last) || first > last) {
    error =
        "a gun key needs a first and a last fire macro from 1 to 10, the first not after "
        "the last";
    return false;
  }
  const auto before = entries_;
  const auto selectedBefore = selected_;
  entries_[static_cast<std::size_t>(count)] =
      keys::GunKeyCode(static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(last));
  selected_ = count + 1;
  if (!Save(folder, error)) {
    entries_ = before;
    selected_ = selectedBefore;
    return false;
  }
  return true;
}

bool GunKeyList::Delete(int k, const std::string& folder, std::string& error) {
  const int count = Count();
  if (k < 1 || k > count) {
    return false;
  }
  const auto before = entries_;
  const auto selectedBefore = selected_;
  std::move(entries_.begin() + k, entries_.end(), entries_.begin() + (k - 1));
  entries_.back() = kEmptyEntry;
  if (count - 1 == 0) {
    selected_.reset();
  } else {
    selected_ = std::max(1, k - 1);
  }
  if (!Save(folder, error)) {
    entries_ = before;
    selected_ = selectedBefore;
    return false;
  }
  return true;
}

std::optional<int> GunKeyList::GunKeyPosition(const keys::KeyCode& code) const {
  if (!fileExists_ || code.type != keys::code_type::kGunKey) {
    return std::nullopt;
  }
  const int count = Count();
  for (int k = 1; k <= count; ++k) {
    if (Entry(k) == code) {
      return k;
    }
  }
  return std::nullopt;
}

}  // namespace orbic::fire
