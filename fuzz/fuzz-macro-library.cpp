// Any bytes as a library file of both forms and as single-record and
// whole-library imports. Loading must not crash; the 100-record library keeps
// its occupied records first; both libraries survive a save and a reload; an
// import either adds exactly the file's record or changes nothing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "FuzzCheck.h"
#include "macros/MacroFileTransfer.h"
#include "macros/MacroLibrary.h"

namespace {

using orbic::fuzz::Fail;

using namespace orbic::macros;

void CheckOccupiedFirst(const MacroLibrary& library) {
  if (library.Count() > kLibraryCapacity || library.Names().size() != library.Count()) {
    Fail("count out of range");
  }
  for (std::size_t i = 0; i < kLibraryCapacity; ++i) {
    const bool occupied = i < library.Count();
    if (occupied == library.Record(i).Empty()) {
      Fail("occupied records are not first");
    }
    if (!occupied && library.Record(i) != MacroRecord{}) {
      Fail("a record after the last macro is not zero");
    }
  }
}

// What an import may do: refuse and leave the library alone, or succeed.
template <typename Library>
void CheckImportOne(const Library& before, std::span<const std::uint8_t> bytes,
                    std::size_t recordSize) {
  Library library = before;
  const MacroFileOutcome outcome = ImportOneRecord(library, bytes);
  if (!outcome.Ok()) {
    if (library != before || outcome.detail.empty()) {
      Fail("a refused import changed the library or gave no reason");
    }
    return;
  }
  if (bytes.size() != recordSize || library.Count() != before.Count() + 1 ||
      outcome.index != before.Count()) {
    Fail("an accepted import did not add exactly one record");
  }
  const auto stored = library.Record(outcome.index).Bytes();
  if (!std::equal(stored.begin(), stored.end(), bytes.begin())) {
    Fail("the imported record differs from the file");
  }
  for (std::size_t i = 0; i < before.Count(); ++i) {
    if (library.Record(i) != before.Record(i)) {
      Fail("an import changed another record");
    }
    if (library.Record(i).name == library.Record(outcome.index).name) {
      Fail("an import added a duplicate name");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);

  const MacroLibrary library = MacroLibrary::FromBytes(bytes);
  CheckOccupiedFirst(library);
  if (MacroLibrary::FromBytes(library.Bytes()) != library) {
    Fail("library does not survive save and reload");
  }

  const DriverMacroLibrary driver = DriverMacroLibrary::FromBytes(bytes);
  if (driver.Count() != size / kDriverRecordSize || driver.Names().size() != driver.Count()) {
    Fail("driver library did not take every whole record");
  }
  const auto driverBytes = driver.Bytes();
  if (driverBytes.size() != driver.Count() * kDriverRecordSize ||
      !std::equal(driverBytes.begin(), driverBytes.end(), bytes.begin())) {
    Fail("driver library does not save the bytes it read");
  }

  // The imports, into libraries the same bytes shaped.
  CheckImportOne(library, bytes, kRecordSize);
  CheckImportOne(driver, bytes, kDriverRecordSize);
  if (size >= kRecordSize) {
    CheckImportOne(library, bytes.first(kRecordSize), kRecordSize);
  }
  if (size >= kDriverRecordSize) {
    CheckImportOne(driver, bytes.first(kDriverRecordSize), kDriverRecordSize);
  }

  MacroLibrary all = library;
  const MacroFileOutcome allOutcome =
      ImportAllRecords(all, bytes.subspan(std::min<std::size_t>(size, 7)));
  CheckOccupiedFirst(all);
  if (!allOutcome.Ok() && all != library) {
    Fail("a refused import of a library changed it");
  }
  DriverMacroLibrary driverAll = driver;
  const MacroFileOutcome driverOutcome = ImportAllRecords(driverAll, bytes.subspan(size / 2));
  if (!driverOutcome.Ok() && driverAll != driver) {
    Fail("a refused import of a driver library changed it");
  }
  return 0;
}
