#include "macros/MacroFileTransfer.h"

#include <algorithm>
#include <cctype>
#include <type_traits>
#include <vector>

#include "base/AtomicFile.h"

namespace orbic::macros {

namespace {

constexpr std::string_view kExportExtension = ".bin";

// What differs between the two library forms.
template <typename Library>
struct Form;

template <>
struct Form<MacroLibrary> {
  using Record = MacroRecord;
  static constexpr std::size_t kRecordBytes = kRecordSize;
  static constexpr std::size_t kImportOneLimit = orbic::macros::kImportOneLimit;
};

template <>
struct Form<DriverMacroLibrary> {
  using Record = DriverMacroRecord;
  static constexpr std::size_t kRecordBytes = kDriverRecordSize;
  static constexpr std::size_t kImportOneLimit = kDriverLibraryImportOneLimit;
};

MacroFileOutcome Refused(MacroFileStatus status, std::string detail) {
  MacroFileOutcome outcome;
  outcome.status = status;
  outcome.detail = std::move(detail);
  return outcome;
}

std::string Bytes(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

template <typename Library>
bool HasNameField(const Library& library, const NameField& name) {
  for (std::size_t i = 0; i < library.Count(); ++i) {
    if (library.Record(i).name == name) {
      return true;
    }
  }
  return false;
}

template <typename Library>
MacroFileOutcome ImportOne(Library& library, std::span<const std::uint8_t> bytes) {
  using F = Form<Library>;
  if (library.Count() >= F::kImportOneLimit) {
    return Refused(MacroFileStatus::kNoRoom,
                   "the library already holds " + std::to_string(library.Count()) + " macros");
  }
  if (bytes.size() != F::kRecordBytes) {
    return Refused(MacroFileStatus::kWrongLength, "holds " + Bytes(bytes.size()) +
                                                      "; a single macro file holds exactly " +
                                                      std::to_string(F::kRecordBytes));
  }
  const auto record = F::Record::FromBytes(bytes);
  if (record.Empty()) {
    return Refused(MacroFileStatus::kNotAMacro, "holds no macro (its name field is empty)");
  }
  if (HasNameField(library, record.name)) {
    return Refused(MacroFileStatus::kDuplicate,
                   "a macro named \"" + DecodeName(record.name) + "\" is already in the library");
  }
  MacroFileOutcome outcome;
  if constexpr (std::is_same_v<Library, MacroLibrary>) {
    // Room was checked above, so the record always finds its place.
    outcome.index = library.Add(record).value();
  } else {
    outcome.index = library.Add(record);
  }
  return outcome;
}

MacroFileOutcome NotALibrary(std::size_t size, const std::string& wanted) {
  return Refused(MacroFileStatus::kWrongLength,
                 "holds " + Bytes(size) + "; a macro library of this mode holds " + wanted);
}

template <typename Library>
MacroFileOutcome ReadFileThen(Library& library, const std::string& path,
                              MacroFileOutcome (*operation)(Library&,
                                                            std::span<const std::uint8_t>)) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) {
    return Refused(MacroFileStatus::kFileError, error);
  }
  MacroFileOutcome outcome = operation(library, bytes);
  if (!outcome.Ok()) {
    outcome.detail = path + ": " + outcome.detail;
  }
  return outcome;
}

MacroFileOutcome Write(const std::string& chosen, std::span<const std::uint8_t> bytes) {
  MacroFileOutcome outcome;
  outcome.path = ExportFileName(chosen);
  std::string error;
  if (!WriteFileAtomically(outcome.path, bytes, error)) {
    return Refused(MacroFileStatus::kFileError, error);
  }
  return outcome;
}

template <typename Library>
MacroFileOutcome ExportOne(const Library& library, std::size_t index, const std::string& chosen) {
  if (index >= library.Count()) {
    return Refused(MacroFileStatus::kNoSuchMacro, "there is no macro " + std::to_string(index) +
                                                      "; the library holds " +
                                                      std::to_string(library.Count()));
  }
  const auto bytes = library.Record(index).Bytes();
  return Write(chosen, bytes);
}

}  // namespace

std::string MacroFileOutcome::Message(const ui::MessageStrings& messages) const {
  switch (status) {
    case MacroFileStatus::kOk:
      return {};
    case MacroFileStatus::kNoRoom:
      return messages.str104;
    case MacroFileStatus::kWrongLength:
      return messages.str103;
    case MacroFileStatus::kNotAMacro:
      return messages.str102;
    case MacroFileStatus::kDuplicate:
      return messages.str106;
    case MacroFileStatus::kNoSuchMacro:
    case MacroFileStatus::kFileError:
    case MacroFileStatus::kSaveFailed:
      break;
  }
  return detail;
}

MacroFileOutcome ImportOneRecord(MacroLibrary& library, std::span<const std::uint8_t> bytes) {
  return ImportOne(library, bytes);
}

MacroFileOutcome ImportOneRecord(DriverMacroLibrary& library, std::span<const std::uint8_t> bytes) {
  return ImportOne(library, bytes);
}

MacroFileOutcome ImportAllRecords(MacroLibrary& library, std::span<const std::uint8_t> bytes) {
  if (!IsLibraryFileSize(bytes.size())) {
    return NotALibrary(bytes.size(), std::to_string(kLibraryFileSize) + " bytes");
  }
  library = MacroLibrary::FromBytes(bytes);
  MacroFileOutcome outcome;
  outcome.index = library.Count();
  return outcome;
}

MacroFileOutcome ImportAllRecords(DriverMacroLibrary& library,
                                  std::span<const std::uint8_t> bytes) {
  // An empty file would otherwise wipe the whole library.
  if (bytes.empty() || !IsDriverLibraryFileSize(bytes.size())) {
    return NotALibrary(bytes.size(),
                       "a whole number of " + std::to_string(kDriverRecordSize) + "-byte records");
  }
  library = DriverMacroLibrary::FromBytes(bytes);
  MacroFileOutcome outcome;
  outcome.index = library.Count();
  return outcome;
}

std::string ExportFileName(const std::string& chosen) {
  const auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  const bool hasExtension =
      chosen.size() >= kExportExtension.size() &&
      std::equal(kExportExtension.begin(), kExportExtension.end(),
                 chosen.end() - static_cast<std::ptrdiff_t>(kExportExtension.size()),
                 [&](char wanted, char actual) { return wanted == lower(actual); });
  return hasExtension ? chosen : chosen + std::string(kExportExtension);
}

MacroFileOutcome ImportOneFile(MacroLibrary& library, const std::string& path) {
  return ReadFileThen<MacroLibrary>(library, path, &ImportOneRecord);
}

MacroFileOutcome ImportOneFile(DriverMacroLibrary& library, const std::string& path) {
  return ReadFileThen<DriverMacroLibrary>(library, path, &ImportOneRecord);
}

MacroFileOutcome ImportAllFile(MacroLibrary& library, const std::string& path) {
  return ReadFileThen<MacroLibrary>(library, path, &ImportAllRecords);
}

MacroFileOutcome ImportAllFile(DriverMacroLibrary& library, const std::string& path) {
  return ReadFileThen<DriverMacroLibrary>(library, path, &ImportAllRecords);
}

MacroFileOutcome ExportOneFile(const MacroLibrary& library, std::size_t index,
                               const std::string& chosen) {
  return ExportOne(library, index, chosen);
}

MacroFileOutcome ExportOneFile(const DriverMacroLibrary& library, std::size_t index,
                               const std::string& chosen) {
  return ExportOne(library, index, chosen);
}

MacroFileOutcome ExportAllFile(const MacroLibrary& library, const std::string& chosen) {
  const auto bytes = library.Bytes();
  return Write(chosen, bytes);
}

MacroFileOutcome ExportAllFile(const DriverMacroLibrary& library, const std::string& chosen) {
  return Write(chosen, library.Bytes());
}

}  // namespace orbic::macros
