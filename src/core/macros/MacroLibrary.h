#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroRecord.h"

// The user's macros: in memory mode a fixed library of 100 records (the file
// "Macro.bin"), in driver mode a list of long records ("Driver_Macro.bin").
// Occupied records always come first, so a name's position in the macro list
// is its index here.
namespace orbic::macros {

inline constexpr std::size_t kLibraryCapacity = 100;
inline constexpr std::size_t kLibraryFileSize = kLibraryCapacity * kRecordSize;  // 25600

// The sizes a library file of each form can have; anything else is not a
// library of that form (a single record, another mode's library, a cut-off
// copy), and reading it as one would lose or invent records.
constexpr bool IsLibraryFileSize(std::size_t size) {
  return size == kLibraryFileSize;
}
constexpr bool IsDriverLibraryFileSize(std::size_t size) {
  return size % kDriverRecordSize == 0;
}

class MacroLibrary {
 public:
  // The occupied records, 0 .. 100.
  std::size_t Count() const { return count_; }
  bool Full() const { return count_ == kLibraryCapacity; }

  const MacroRecord& Record(std::size_t index) const { return records_.at(index); }
  MacroRecord& Record(std::size_t index) { return records_.at(index); }

  std::vector<std::string> Names() const;
  std::optional<std::size_t> Find(std::string_view name) const;

  // Adds an empty macro with `name` at the end; nothing when the library is
  // full or the name is empty.
  std::optional<std::size_t> Add(const NameField& name);
  // Adds a whole record at the end; nothing when full or the record is empty.
  std::optional<std::size_t> Add(const MacroRecord& record);
  // Moves the records after `index` down by one and clears the last.
  void Remove(std::size_t index);

  std::array<std::uint8_t, kLibraryFileSize> Bytes() const;
  // Reads the first 25600 bytes of `bytes` (fewer leave the rest empty).
  // Empty records between occupied ones are closed up, so the occupied
  // records stay first whatever the file held.
  static MacroLibrary FromBytes(std::span<const std::uint8_t> bytes);

  friend bool operator==(const MacroLibrary&, const MacroLibrary&) = default;

 private:
  std::array<MacroRecord, kLibraryCapacity> records_{};
  std::size_t count_ = 0;
};

// Creating is limited to this many driver macros; importing is not.
inline constexpr std::size_t kDriverLibraryCreateLimit = 100;
inline constexpr std::size_t kDriverLibraryImportOneLimit = 9999;

class DriverMacroLibrary {
 public:
  std::size_t Count() const { return records_.size(); }

  const DriverMacroRecord& Record(std::size_t index) const { return records_.at(index); }
  DriverMacroRecord& Record(std::size_t index) { return records_.at(index); }

  std::vector<std::string> Names() const;
  std::optional<std::size_t> Find(std::string_view name) const;

  std::size_t Add(const NameField& name);
  std::size_t Add(const DriverMacroRecord& record);
  void Remove(std::size_t index);

  std::vector<std::uint8_t> Bytes() const;
  // Whole 2048-byte records only; a cut-off tail is ignored.
  static DriverMacroLibrary FromBytes(std::span<const std::uint8_t> bytes);

  friend bool operator==(const DriverMacroLibrary&, const DriverMacroLibrary&) = default;

 private:
  std::vector<DriverMacroRecord> records_;
};

}  // namespace orbic::macros
