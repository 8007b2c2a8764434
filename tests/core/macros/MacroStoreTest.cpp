#include "macros/MacroStore.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif
#include "support/FileFaults.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Resources.h"
#include "macros/MacroCodec.h"

namespace orbic::macros {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

NameField Name(const std::string& text) {
  return EncodeName(text).value();
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

class MacroStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = temp_.Path();
    fs::create_directory(dir_ / "program");
  }

  std::string Folder(const std::string& name) const { return (dir_ / name).string() + "/"; }
  MacroFolderSettings Program() const {
    MacroFolderSettings settings;
    settings.programFolder = Folder("program");
    return settings;
  }
  // A program folder no file can be created in, whoever runs the test: its
  // parent is a plain file.
  MacroFolderSettings Unwritable() const {
    WriteBytes(dir_ / "plain", Bytes{1});
    MacroFolderSettings settings;
    settings.programFolder = Folder("plain/program");
    settings.xdgDataHome = (dir_ / "xdg").string();
    settings.home = (dir_ / "home").string();
    return settings;
  }

  orbic::test::TempFolder temp_;
  fs::path dir_;
};

TEST_F(MacroStoreTest, MissingMacroFileIsCreatedFromTheDefaultLibrary) {
  MacroStore store(true, Program());
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  EXPECT_EQ(store.Folder(), Folder("program"));
  EXPECT_EQ(store.FilePath(), Folder("program") + "Macro.bin");
  const Bytes written = ReadBytes(dir_ / "program" / "Macro.bin");
  const auto defaults = FindResource("PCMacroData");
  ASSERT_TRUE(defaults.has_value());
  ASSERT_EQ(written.size(), kLibraryFileSize);
  EXPECT_TRUE(std::equal(written.begin(), written.end(), defaults->begin()));
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_TRUE(store.CanCreate());
  // Nothing but the library is left in the folder (no probe, no temporary).
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "program"), fs::directory_iterator()), 1);
}

TEST_F(MacroStoreTest, ExistingLibraryIsLoadedAndSavedBackAtomically) {
  MacroLibrary library;
  library.Add(Name("Reload"));
  library.Add(Name("Jump"));
  WriteBytes(dir_ / "program" / "Macro.bin", library.Bytes());

  MacroStore store(true, Program());
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  EXPECT_EQ(store.Names(), (std::vector<std::string>{"Reload", "Jump"}));

  store.Library().Add(Name("Spray"));
  ASSERT_TRUE(store.Save(error)) << error;
  EXPECT_EQ(MacroLibrary::FromBytes(ReadBytes(dir_ / "program" / "Macro.bin")), store.Library());
  EXPECT_FALSE(test::TemporaryFilesLeftIn(dir_ / "program"));

  // A save that cannot complete leaves the old file whole and the macros in
  // memory, and says why.
  const Bytes onDisk = ReadBytes(dir_ / "program" / "Macro.bin");
  store.Library().Add(Name("Crouch"));
  error.clear();
  {
    const test::FullDisk full;
    EXPECT_FALSE(store.RefreshPCMacro(error));
  }
  EXPECT_FALSE(test::TemporaryFilesLeftIn(dir_ / "program"));
  EXPECT_NE(error.find("Macro.bin"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(dir_ / "program" / "Macro.bin"), onDisk);
  EXPECT_EQ(store.Names().back(), "Crouch");
}

TEST_F(MacroStoreTest, ConfiguredPathIsAPrefixJoinedToTheFileName) {
  MacroFolderSettings settings = Program();
  settings.path = (dir_ / "macros_").string();  // no separator: a file name prefix
  MacroStore store(true, settings);
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  EXPECT_TRUE(fs::exists(dir_ / "macros_Macro.bin"));
  EXPECT_FALSE(fs::exists(dir_ / "program" / "Macro.bin"));
}

TEST_F(MacroStoreTest, UnwritableProgramFolderMovesTheFilesToTheUserDataFolder) {
  struct Case {
    std::string xdg;
    std::string home;
    std::string expected;      // relative to the test folder
    std::string appData = "";  // relative to the test folder
  };
  const Case cases[] = {
      {"xdg", "home", "xdg/orbic40/"},
      {"", "home", "home/.local/share/orbic40/"},
      {"relative/xdg", "home", "home/.local/share/orbic40/"},  // not absolute: ignored
      {"xdg", "home", "appdata/orbic40/", "appdata"},          // Windows: %APPDATA% first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xdg + " " + c.appData);
    MacroFolderSettings settings = Unwritable();
    settings.xdgDataHome = c.xdg.empty() || c.xdg[0] == 'r' ? c.xdg : (dir_ / c.xdg).string();
    settings.home = (dir_ / c.home).string();
    if (!c.appData.empty()) {
      settings.appData = (dir_ / c.appData).string();
    }
    MacroStore store(true, settings);
    std::string error;
    ASSERT_TRUE(store.CheckPCMacro(error)) << error;
    // Compared as paths: Windows joins with its own separator.
    EXPECT_EQ(fs::path(store.Folder()).lexically_normal(), (dir_ / c.expected).lexically_normal());
    EXPECT_EQ(ReadBytes(dir_ / c.expected / "Macro.bin").size(), kLibraryFileSize);
    store.Library().Add(Name("Saved"));
    ASSERT_TRUE(store.Save(error)) << error;

    MacroStore again(true, settings);
    ASSERT_TRUE(again.CheckPCMacro(error)) << error;
    EXPECT_EQ(again.Names(), (std::vector<std::string>{"Saved"}));
    fs::remove_all(dir_ / "xdg");
    fs::remove_all(dir_ / "home");
    fs::remove_all(dir_ / "appdata");
  }

  // Nowhere to go: the failure is reported, the library still works in memory.
  MacroFolderSettings nowhere = Unwritable();
  nowhere.xdgDataHome.clear();
  nowhere.home.clear();
  MacroStore store(true, nowhere);
  std::string error;
  EXPECT_FALSE(store.CheckPCMacro(error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(store.Library().Add(Name("kept")).has_value());
}

TEST_F(MacroStoreTest, LibraryLeftInAReadOnlyProgramFolderIsCarriedToTheUserFolder) {
#ifdef _WIN32
  // Windows folders have no write bit: a read-only attribute on a folder does not stop files
  // being created in it, so the program folder cannot be made unwritable this way.
  GTEST_SKIP() << "folder permissions are access lists on Windows";
#else
  if (geteuid() == 0) {
    GTEST_SKIP() << "permissions do not stop root";
  }
#endif
  MacroLibrary library;
  library.Add(Name("Old"));
  WriteBytes(dir_ / "program" / "Macro.bin", library.Bytes());
  fs::permissions(dir_ / "program", fs::perms::owner_read | fs::perms::owner_exec);
  MacroFolderSettings settings = Program();
  settings.xdgDataHome = (dir_ / "xdg").string();
  MacroStore store(true, settings);
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  EXPECT_EQ(store.Names(), (std::vector<std::string>{"Old"}));
  EXPECT_EQ(MacroLibrary::FromBytes(ReadBytes(dir_ / "xdg" / "orbic40" / "Macro.bin")), library);
}

TEST_F(MacroStoreTest, UnreadableLibraryIsReportedAndNeverOverwritten) {
  fs::create_directory(dir_ / "program" / "Macro.bin");
  MacroStore store(true, Program());
  std::string error;
  EXPECT_FALSE(store.CheckPCMacro(error));
  EXPECT_NE(error.find("Macro.bin"), std::string::npos) << error;
  EXPECT_EQ(store.Count(), 0u);
  error.clear();
  EXPECT_FALSE(store.Save(error));
  EXPECT_NE(error.find("not overwritten"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(dir_ / "program" / "Macro.bin"));
}

TEST_F(MacroStoreTest, LibraryOfAnotherSizeIsShownButNeverOverwritten) {
  MacroLibrary library;
  library.Add(Name("one"));
  library.Add(Name("two"));
  const auto whole = library.Bytes();
  // Cut short, and grown by a stray byte: either would lose bytes at the next save.
  for (const std::size_t size : {std::size_t{2 * kRecordSize + 10}, kLibraryFileSize + 1}) {
    Bytes bytes(whole.begin(), whole.end());
    bytes.resize(size, 0x33);
    WriteBytes(dir_ / "program" / "Macro.bin", bytes);
    MacroStore store(true, Program());
    std::string error;
    EXPECT_FALSE(store.CheckPCMacro(error)) << size;
    EXPECT_NE(error.find(std::to_string(size)), std::string::npos) << error;
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"one", "two"})) << size;
    store.Library().Add(Name("three"));
    error.clear();
    EXPECT_FALSE(store.Save(error)) << size;
    EXPECT_NE(error.find("not overwritten"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(dir_ / "program" / "Macro.bin"), bytes) << size;
  }
}

TEST_F(MacroStoreTest, DriverLibraryReadsWholeRecordsAndCreatesNothingWhenMissing) {
  MacroStore empty(false, Program());
  std::string error;
  ASSERT_TRUE(empty.CheckPCMacro(error)) << error;
  EXPECT_EQ(empty.Count(), 0u);
  EXPECT_TRUE(fs::is_empty(dir_ / "program"));

  DriverMacroLibrary library;
  library.Add(Name("one"));
  library.Add(Name("two"));
  WriteBytes(dir_ / "program" / "Driver_Macro.bin", library.Bytes());
  MacroStore store(false, Program());
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  EXPECT_EQ(store.Names(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(store.FilePath(), Folder("program") + "Driver_Macro.bin");
  store.DriverLibrary().Add(Name("three"));
  ASSERT_TRUE(store.Save(error)) << error;
  EXPECT_EQ(DriverMacroLibrary::FromBytes(ReadBytes(dir_ / "program" / "Driver_Macro.bin")).Names(),
            (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_FALSE(fs::exists(dir_ / "program" / "Macro.bin"));
}

TEST_F(MacroStoreTest, DriverLibraryWithACutRecordIsShownButNeverOverwritten) {
  DriverMacroLibrary library;
  library.Add(Name("one"));
  library.Add(Name("two"));
  Bytes bytes = library.Bytes();
  bytes.resize(bytes.size() + 700, 0x55);  // a record cut off
  WriteBytes(dir_ / "program" / "Driver_Macro.bin", bytes);
  MacroStore store(false, Program());
  std::string error;
  EXPECT_FALSE(store.CheckPCMacro(error));
  EXPECT_NE(error.find(std::to_string(bytes.size())), std::string::npos) << error;
  EXPECT_EQ(store.Names(), (std::vector<std::string>{"one", "two"}));
  store.DriverLibrary().Add(Name("three"));
  error.clear();
  EXPECT_FALSE(store.Save(error));
  EXPECT_NE(error.find("not overwritten"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(dir_ / "program" / "Driver_Macro.bin"), bytes);
}

TEST_F(MacroStoreTest, NewMacroIsOfferedWhileTheLibraryHasRoom) {
  MacroStore store(true, Program());
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(store.CanCreate()) << i;
    store.Library().Add(Name("m" + std::to_string(i)));
  }
  EXPECT_FALSE(store.CanCreate());
  EXPECT_EQ(store.Names().size(), 100u);
  EXPECT_EQ(store.Names()[42], "m42");
  store.Library().Remove(42);
  EXPECT_TRUE(store.CanCreate());

  MacroStore driver(false, Program());
  ASSERT_TRUE(driver.CheckPCMacro(error)) << error;
  for (int i = 0; i < 100; ++i) {
    driver.DriverLibrary().Add(Name("d" + std::to_string(i)));
  }
  EXPECT_FALSE(driver.CanCreate());
}

TEST_F(MacroStoreTest, ImportsAreSavedAndFailuresLeaveTheFileAlone) {
  MacroStore store(true, Program());
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  MacroRecord record;
  record.name = Name("Burst");
  ASSERT_TRUE(EncodeMacroLines({"00", "1 LeftKey CODE:00A1", "0 16", "2 LeftKey CODE:0021"},
                               StopMode::kUntilKeyRelease, record.content)
                  .ok);
  WriteBytes(dir_ / "burst.bin", record.Bytes());

  const MacroFileOutcome imported = store.ImportOne((dir_ / "burst.bin").string());
  ASSERT_TRUE(imported.Ok()) << imported.detail;
  EXPECT_EQ(MacroLibrary::FromBytes(ReadBytes(dir_ / "program" / "Macro.bin")).Names(),
            (std::vector<std::string>{"Burst"}));

  const Bytes onDisk = ReadBytes(dir_ / "program" / "Macro.bin");
  EXPECT_EQ(store.ImportOne((dir_ / "burst.bin").string()).status, MacroFileStatus::kDuplicate);
  WriteBytes(dir_ / "short.bin", Bytes(100, 1));
  EXPECT_EQ(store.ImportAll((dir_ / "short.bin").string()).status, MacroFileStatus::kWrongLength);
  EXPECT_EQ(ReadBytes(dir_ / "program" / "Macro.bin"), onDisk);

  const MacroFileOutcome exported = store.ExportOne(0, (dir_ / "out").string());
  ASSERT_TRUE(exported.Ok()) << exported.detail;
  EXPECT_EQ(ReadBytes(exported.path), ReadBytes(dir_ / "burst.bin"));

  // Saving fails: the import stays in memory and the caller hears of it.
  MacroRecord other = record;
  other.name = Name("Other");
  WriteBytes(dir_ / "other.bin", other.Bytes());
  const test::FullDisk full;
  const MacroFileOutcome unsaved = store.ImportOne((dir_ / "other.bin").string());
  EXPECT_EQ(unsaved.status, MacroFileStatus::kSaveFailed);
  EXPECT_FALSE(unsaved.Message(ui::MessageStrings{}).empty());
  EXPECT_EQ(store.Names(), (std::vector<std::string>{"Burst", "Other"}));
}

}  // namespace
}  // namespace orbic::macros
