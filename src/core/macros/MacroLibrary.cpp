#include "macros/MacroLibrary.h"

#include <algorithm>

namespace orbic::macros {

namespace {

template <typename Records>
std::vector<std::string> NamesOf(const Records& records, std::size_t count) {
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    names.push_back(DecodeName(records[i].name));
  }
  return names;
}

template <typename Records>
std::optional<std::size_t> FindIn(const Records& records, std::size_t count,
                                  std::string_view name) {
  for (std::size_t i = 0; i < count; ++i) {
    if (DecodeName(records[i].name) == name) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> MacroLibrary::Names() const {
  return NamesOf(records_, count_);
}

std::optional<std::size_t> MacroLibrary::Find(std::string_view name) const {
  return FindIn(records_, count_, name);
}

std::optional<std::size_t> MacroLibrary::Add(const NameField& name) {
  MacroRecord record;
  record.name = name;
  return Add(record);
}

std::optional<std::size_t> MacroLibrary::Add(const MacroRecord& record) {
  if (Full() || record.Empty()) {
    return std::nullopt;
  }
  records_[count_] = record;
  return count_++;
}

void MacroLibrary::Remove(std::size_t index) {
  if (index >= count_) {
    return;
  }
  std::move(records_.begin() + static_cast<std::ptrdiff_t>(index) + 1, records_.end(),
            records_.begin() + static_cast<std::ptrdiff_t>(index));
  records_.back() = MacroRecord{};
  --count_;
}

std::array<std::uint8_t, kLibraryFileSize> MacroLibrary::Bytes() const {
  std::array<std::uint8_t, kLibraryFileSize> bytes{};
  for (std::size_t i = 0; i < kLibraryCapacity; ++i) {
    const auto record = records_[i].Bytes();
    std::copy(record.begin(), record.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(i * kRecordSize));
  }
  return bytes;
}

MacroLibrary MacroLibrary::FromBytes(std::span<const std::uint8_t> bytes) {
  MacroLibrary library;
  for (std::size_t i = 0; i < kLibraryCapacity && (i + 1) * kRecordSize <= bytes.size(); ++i) {
    const MacroRecord record = MacroRecord::FromBytes(bytes.subspan(i * kRecordSize, kRecordSize));
    if (!record.Empty()) {
      library.records_[library.count_++] = record;
    }
  }
  return library;
}

std::vector<std::string> DriverMacroLibrary::Names() const {
  return NamesOf(records_, records_.size());
}

std::optional<std::size_t> DriverMacroLibrary::Find(std::string_view name) const {
  return FindIn(records_, records_.size(), name);
}

std::size_t DriverMacroLibrary::Add(const NameField& name) {
  DriverMacroRecord record;
  record.name = name;
  return Add(record);
}

std::size_t DriverMacroLibrary::Add(const DriverMacroRecord& record) {
  records_.push_back(record);
  return records_.size() - 1;
}

void DriverMacroLibrary::Remove(std::size_t index) {
  if (index < records_.size()) {
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
  }
}

std::vector<std::uint8_t> DriverMacroLibrary::Bytes() const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(records_.size() * kDriverRecordSize);
  for (const DriverMacroRecord& record : records_) {
    const auto block = record.Bytes();
    bytes.insert(bytes.end(), block.begin(), block.end());
  }
  return bytes;
}

DriverMacroLibrary DriverMacroLibrary::FromBytes(std::span<const std::uint8_t> bytes) {
  DriverMacroLibrary library;
  for (std::size_t at = 0; at + kDriverRecordSize <= bytes.size(); at += kDriverRecordSize) {
    library.records_.push_back(DriverMacroRecord::FromBytes(bytes.subspan(at, kDriverRecordSize)));
  }
  return library;
}

}  // namespace orbic::macros
