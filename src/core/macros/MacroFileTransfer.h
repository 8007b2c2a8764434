#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "macros/MacroLibrary.h"
#include "ui/MessageStrings.h"

// Macro files the user moves between machines: one record (256 or 2048
// bytes) or a whole library (the layout of "Macro.bin" / "Driver_Macro.bin").
// Every refusal leaves the library exactly as it was.
namespace orbic::macros {

enum class MacroFileStatus {
  kOk,
  kNoRoom,       // the library takes no more single imports
  kWrongLength,  // the file's size fits no record of this form
  kNotAMacro,    // a record of the right size that holds no macro (empty name)
  kDuplicate,    // a macro with the same name field is already there
  kNoSuchMacro,  // export of an index the library does not hold
  kFileError,    // the file could not be read or written
  kSaveFailed,   // imported in memory, but the library file was not saved
};

struct MacroFileOutcome {
  MacroFileStatus status = MacroFileStatus::kOk;
  std::string detail;     // what was wrong, naming the file; empty on success
  std::size_t index = 0;  // import one: the new record's index; import all: records read
  std::string path;       // export: the file written

  bool Ok() const { return status == MacroFileStatus::kOk; }
  // What the user is shown: the language table's text where it has one,
  // else the detail.
  std::string Message(const ui::MessageStrings& messages) const;
};

// Single imports stop here (EEPROM: the library's capacity; driver: the
// import limit of the list).
inline constexpr std::size_t kImportOneLimit = kLibraryCapacity;

// One record from the bytes of a single-macro file: exactly one record of the
// library's form, with a name not already in the library. Added at the end.
MacroFileOutcome ImportOneRecord(MacroLibrary& library, std::span<const std::uint8_t> bytes);
MacroFileOutcome ImportOneRecord(DriverMacroLibrary& library, std::span<const std::uint8_t> bytes);

// A whole-library file, which replaces the library. Only the library sizes
// of the form are taken: exactly 25600 bytes in EEPROM form, a non-zero
// multiple of 2048 in driver form. Any other size is refused, since a record
// file or another form's library read index by index would delete or
// garble the macros.
MacroFileOutcome ImportAllRecords(MacroLibrary& library, std::span<const std::uint8_t> bytes);
MacroFileOutcome ImportAllRecords(DriverMacroLibrary& library, std::span<const std::uint8_t> bytes);

// The name an export is written under: ".bin" is appended unless the chosen
// name already ends in it (in any letter case).
std::string ExportFileName(const std::string& chosen);

// The same operations on files. Exports are written atomically.
MacroFileOutcome ImportOneFile(MacroLibrary& library, const std::string& path);
MacroFileOutcome ImportOneFile(DriverMacroLibrary& library, const std::string& path);
MacroFileOutcome ImportAllFile(MacroLibrary& library, const std::string& path);
MacroFileOutcome ImportAllFile(DriverMacroLibrary& library, const std::string& path);
MacroFileOutcome ExportOneFile(const MacroLibrary& library, std::size_t index,
                               const std::string& chosen);
MacroFileOutcome ExportOneFile(const DriverMacroLibrary& library, std::size_t index,
                               const std::string& chosen);
MacroFileOutcome ExportAllFile(const MacroLibrary& library, const std::string& chosen);
MacroFileOutcome ExportAllFile(const DriverMacroLibrary& library, const std::string& chosen);

}  // namespace orbic::macros
