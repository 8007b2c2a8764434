#include "macros/MacroFileTransfer.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include "support/FileFaults.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "macros/MacroCodec.h"

namespace orbic::macros {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

NameField Name(const std::string& text) {
  return EncodeName(text).value();
}

MacroRecord Macro(const std::string& name, const MacroLines& lines,
                  StopMode stop = StopMode::kAfterMacroIsOver) {
  MacroRecord record;
  record.name = Name(name);
  EXPECT_TRUE(EncodeMacroLines(lines, stop, record.content).ok);
  return record;
}

DriverMacroRecord DriverMacro(const std::string& name, const MacroLines& lines) {
  DriverMacroRecord record;
  record.name = Name(name);
  EXPECT_TRUE(EncodeMacroLines(lines, StopMode::kUntilKeyRelease, record.content).ok);
  return record;
}

MacroLibrary LibraryOf(const std::vector<std::string>& names) {
  MacroLibrary library;
  for (const std::string& name : names) {
    library.Add(Macro(name, {"00", "1 A CODE:8204", "0 40", "2 A CODE:0204"}));
  }
  return library;
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

class MacroFileTransferTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = temp_.Path(); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  orbic::test::TempFolder temp_;
  fs::path dir_;
};

TEST_F(MacroFileTransferTest, ExportedMacroImportsBackIntoALibraryWithoutIt) {
  const MacroLibrary source = LibraryOf({"Reload", "Jump", "Spray"});
  const MacroFileOutcome exported = ExportOneFile(source, 1, Path("jump"));
  ASSERT_TRUE(exported.Ok()) << exported.detail;
  EXPECT_EQ(exported.path, Path("jump.bin"));
  const Bytes file = ReadBytes(exported.path);
  ASSERT_EQ(file.size(), kRecordSize);

  MacroLibrary target = LibraryOf({"Reload"});
  const MacroFileOutcome imported = ImportOneFile(target, exported.path);
  ASSERT_TRUE(imported.Ok()) << imported.detail;
  EXPECT_EQ(imported.index, 1u);
  EXPECT_EQ(target.Names(), (std::vector<std::string>{"Reload", "Jump"}));
  EXPECT_EQ(target.Record(1), source.Record(1));

  DriverMacroLibrary driverSource;
  driverSource.Add(DriverMacro("Long", {"10", "1 A CODE:8204", "0 3000", "2 A CODE:0204"}));
  const MacroFileOutcome driverExport = ExportOneFile(driverSource, 0, Path("long.bin"));
  ASSERT_TRUE(driverExport.Ok()) << driverExport.detail;
  EXPECT_EQ(driverExport.path, Path("long.bin"));
  ASSERT_EQ(ReadBytes(driverExport.path).size(), kDriverRecordSize);
  DriverMacroLibrary driverTarget;
  ASSERT_TRUE(ImportOneFile(driverTarget, driverExport.path).Ok());
  EXPECT_EQ(driverTarget, driverSource);
}

TEST_F(MacroFileTransferTest, DuplicateOrNamelessRecordIsRefusedAndTheLibraryKept) {
  const ui::MessageStrings messages;
  MacroLibrary library = LibraryOf({"Reload", "Jump"});
  const MacroLibrary before = library;

  // Same name, different events: the name field alone decides.
  const auto duplicate = Macro("Jump", {"00", "1 B CODE:8205"}).Bytes();
  MacroFileOutcome outcome = ImportOneRecord(library, duplicate);
  EXPECT_EQ(outcome.status, MacroFileStatus::kDuplicate);
  EXPECT_EQ(outcome.Message(messages), "This macro already exists");
  EXPECT_EQ(library, before);

  MacroRecord nameless = Macro("x", {"00", "1 B CODE:8205"});
  nameless.name = {};
  outcome = ImportOneRecord(library, nameless.Bytes());
  EXPECT_EQ(outcome.status, MacroFileStatus::kNotAMacro);
  EXPECT_EQ(outcome.Message(messages), "BIN file type error");
  EXPECT_EQ(library, before);

  DriverMacroLibrary driver;
  driver.Add(DriverMacro("Jump", {"00", "1 A CODE:8204"}));
  const DriverMacroLibrary driverBefore = driver;
  EXPECT_EQ(ImportOneRecord(driver, DriverMacro("Jump", {"00"}).Bytes()).status,
            MacroFileStatus::kDuplicate);
  EXPECT_EQ(driver, driverBefore);
}

TEST_F(MacroFileTransferTest, FilesOfTheWrongSizeAreRefusedAndTheLibraryKept) {
  enum class Op { kOneEeprom, kOneDriver, kAllEeprom, kAllDriver };
  struct Case {
    Op op;
    std::size_t size;
  };
  const Case cases[] = {
      {Op::kOneEeprom, 0},
      {Op::kOneEeprom, 255},
      {Op::kOneEeprom, 257},
      {Op::kOneEeprom, 2048},
      {Op::kOneDriver, 256},
      {Op::kOneDriver, 2047},
      {Op::kOneDriver, 4096},
      {Op::kAllEeprom, 0},
      {Op::kAllEeprom, 255},
      {Op::kAllDriver, 0},
      {Op::kAllDriver, 2047},
      {Op::kAllDriver, 256},
      // Library imports take only whole libraries of the mode: a single
      // record, the other mode's library or a cut-off copy would delete or
      // garble macros index by index.
      {Op::kAllEeprom, 256},
      {Op::kAllEeprom, 2048},
      {Op::kAllEeprom, 25599},
      {Op::kAllEeprom, 25601},
      {Op::kAllEeprom, 51200},
      {Op::kAllDriver, 25600},
      {Op::kAllDriver, 3048},
      {Op::kAllDriver, 4097},
  };
  const ui::MessageStrings messages;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.op)) + " size " + std::to_string(c.size));
    // Named bytes, so a record that was wrongly accepted would show up.
    Bytes file(c.size, 0x41);
    WriteBytes(dir_ / "in.bin", file);
    MacroLibrary library = LibraryOf({"Reload"});
    DriverMacroLibrary driver;
    driver.Add(DriverMacro("Reload", {"00", "1 A CODE:8204"}));
    const MacroLibrary before = library;
    const DriverMacroLibrary driverBefore = driver;
    MacroFileOutcome outcome;
    switch (c.op) {
      case Op::kOneEeprom:
        outcome = ImportOneFile(library, Path("in.bin"));
        break;
      case Op::kOneDriver:
        outcome = ImportOneFile(driver, Path("in.bin"));
        break;
      case Op::kAllEeprom:
        outcome = ImportAllFile(library, Path("in.bin"));
        break;
      case Op::kAllDriver:
        outcome = ImportAllFile(driver, Path("in.bin"));
        break;
    }
    EXPECT_EQ(outcome.status, MacroFileStatus::kWrongLength);
    EXPECT_EQ(outcome.Message(messages), "Macro bin length out of range");
    EXPECT_NE(outcome.detail.find("in.bin"), std::string::npos) << outcome.detail;
    EXPECT_NE(outcome.detail.find(std::to_string(c.size) + " byte"), std::string::npos)
        << outcome.detail;
    EXPECT_EQ(library, before);
    EXPECT_EQ(driver, driverBefore);
  }
}

TEST_F(MacroFileTransferTest, ImportOneMayFillTheHundredthRecordButNoMore) {
  std::vector<std::string> names;
  for (int i = 0; i < 99; ++i) {
    names.push_back("m" + std::to_string(i));
  }
  MacroLibrary library = LibraryOf(names);
  const MacroFileOutcome last = ImportOneRecord(library, Macro("last", {"00"}).Bytes());
  ASSERT_TRUE(last.Ok()) << last.detail;
  EXPECT_EQ(last.index, 99u);
  EXPECT_TRUE(library.Full());

  const MacroLibrary full = library;
  const MacroFileOutcome refused = ImportOneRecord(library, Macro("more", {"00"}).Bytes());
  EXPECT_EQ(refused.status, MacroFileStatus::kNoRoom);
  EXPECT_EQ(refused.Message(ui::MessageStrings{}), "storage space shortage");
  EXPECT_EQ(library, full);
}

TEST_F(MacroFileTransferTest, ImportAllReplacesTheLibraryWithAWholeLibraryFile) {
  MacroLibrary library = LibraryOf({"a", "b", "c", "d", "e"});
  // Empty records between macros in the file are closed up.
  MacroLibrary file = LibraryOf({"x", "y", "z"});
  file.Record(1) = MacroRecord{};
  const auto fileBytes = file.Bytes();
  const MacroFileOutcome outcome = ImportAllRecords(library, fileBytes);
  ASSERT_TRUE(outcome.Ok()) << outcome.detail;
  EXPECT_EQ(outcome.index, 2u);
  EXPECT_EQ(library.Names(), (std::vector<std::string>{"x", "z"}));
  EXPECT_EQ(library.Record(0), file.Record(0));
  for (std::size_t i = library.Count(); i < kLibraryCapacity; ++i) {
    ASSERT_EQ(library.Record(i), MacroRecord{}) << i;
  }
}

TEST_F(MacroFileTransferTest, DriverImportAllTakesTheRecordsOfTheFile) {
  DriverMacroLibrary library;
  library.Add(DriverMacro("old", {"00", "1 A CODE:8204"}));
  DriverMacroLibrary file;
  file.Add(DriverMacro("one", {"00", "1 B CODE:8205"}));
  file.Add(DriverMacro("two", {"00", "0 2041", "1 C CODE:8206"}));
  const MacroFileOutcome outcome = ImportAllRecords(library, file.Bytes());
  ASSERT_TRUE(outcome.Ok()) << outcome.detail;
  EXPECT_EQ(outcome.index, 2u);
  EXPECT_EQ(library, file);
}

TEST_F(MacroFileTransferTest, ExportNamesAndFailures) {
  const std::pair<std::string, std::string> names[] = {
      {"a", "a.bin"},       {"a.bin", "a.bin"},
      {"a.BIN", "a.BIN"},   {"a.bin.txt", "a.bin.txt.bin"},
      {"abin", "abin.bin"}, {"dir/x.", "dir/x..bin"},
  };
  for (const auto& [chosen, written] : names) {
    EXPECT_EQ(ExportFileName(chosen), written) << chosen;
  }

  const MacroLibrary library = LibraryOf({"Reload"});
  EXPECT_EQ(ExportOneFile(library, 1, Path("x")).status, MacroFileStatus::kNoSuchMacro);
  EXPECT_FALSE(fs::exists(Path("x.bin")));
  const MacroFileOutcome noFolder = ExportAllFile(library, Path("missing/all"));
  EXPECT_EQ(noFolder.status, MacroFileStatus::kFileError);
  EXPECT_NE(noFolder.Message(ui::MessageStrings{}).find("missing"), std::string::npos);

  const MacroFileOutcome all = ExportAllFile(library, Path("all"));
  ASSERT_TRUE(all.Ok()) << all.detail;
  const Bytes written = ReadBytes(all.path);
  ASSERT_EQ(written.size(), kLibraryFileSize);
  EXPECT_EQ(MacroLibrary::FromBytes(written), library);
  EXPECT_FALSE(test::TemporaryFilesLeftIn(fs::path(Path("all.bin")).parent_path()));
}

TEST_F(MacroFileTransferTest, AFileThatCannotBeReadIsReported) {
  MacroLibrary library = LibraryOf({"Reload"});
  const MacroLibrary before = library;
  MacroFileOutcome outcome = ImportOneFile(library, Path("absent.bin"));
  EXPECT_EQ(outcome.status, MacroFileStatus::kFileError);
  EXPECT_NE(outcome.detail.find("absent.bin"), std::string::npos);
  fs::create_directory(dir_ / "folder.bin");
  outcome = ImportAllFile(library, Path("folder.bin"));
  EXPECT_EQ(outcome.status, MacroFileStatus::kFileError);
  EXPECT_EQ(library, before);
}

}  // namespace
}  // namespace orbic::macros
