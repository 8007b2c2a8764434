#include "macros/MacroPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "TestMacros.h"
#include "base/UiHost.h"
#include "keys/VirtualKeys.h"
#include "sim/VirtualClock.h"
#include "support/TempFolder.h"
#include "ui/MessageStrings.h"

// The macro page's library file commands and its after-save callback.
namespace orbic::test {
namespace {

namespace fs = std::filesystem;

struct MacroPageRig {
  MacroPageRig() { folder = temp_.Path(); }

  macros::MacroFolderSettings Folders() const { return {"", folder.string() + "/", "", "", ""}; }

  orbic::test::TempFolder temp_;
  fs::path folder;
  sim::VirtualClock clock;
  ui::MessageStrings messages;
  orbic::NullUiHost ui;
};

TEST(MacroPage, ExportOneNeedsASelectionAndImportsRunTheAfterSaveCallback) {
  MacroPageRig rig;
  macros::MacroStore store(true, rig.Folders());
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  store.Library() = macros::MacroLibrary{};
  ASSERT_TRUE(store.Library().Add(TypingMacro("Reload", 2)).has_value());
  macros::MacroPage page(store, rig.clock, rig.messages, rig.ui);
  int saves = 0;
  page.SetAfterSave([&saves] { ++saves; });
  page.Editor().LibraryReplaced();

  const std::string chosen = (rig.folder / "one").string();
  EXPECT_EQ(page.ExportOne(chosen).status, macros::MacroFileStatus::kNoSuchMacro);
  page.Editor().LB_PCMacroNameClick(0);
  const macros::MacroFileOutcome exported = page.ExportOne(chosen);
  ASSERT_TRUE(exported.Ok()) << exported.detail;
  EXPECT_EQ(fs::file_size(chosen + ".bin"), macros::kRecordSize);
  EXPECT_EQ(saves, 0);  // an export changes no library

  // A duplicate is refused without a save; into a library without it, the
  // import is saved, selected and reported to the callback.
  EXPECT_EQ(page.ImportOne(chosen + ".bin").status, macros::MacroFileStatus::kDuplicate);
  EXPECT_EQ(saves, 0);
  store.Library() = macros::MacroLibrary{};
  ASSERT_TRUE(store.Library().Add(TypingMacro("Jump")).has_value());
  page.Editor().LibraryReplaced();
  const macros::MacroFileOutcome imported = page.ImportOne(chosen + ".bin");
  ASSERT_TRUE(imported.Ok()) << imported.detail;
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(page.Editor().SelectedMacro(), std::optional<std::size_t>(imported.index));
  EXPECT_EQ(store.Library().Names().at(imported.index), "Reload");

  // Edits saved by the editor reach the callback too.
  page.Editor().Btn_DelPCMacroClick();
  EXPECT_EQ(saves, 2);
  EXPECT_TRUE(page.LastSaveError().empty());
}

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::vector<char> bytes(size, 0x41);  // every record named with 'A' units
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(MacroPage, ImportAllTakesOnlyALibraryOfTheModeAndOtherwiseChangesNothing) {
  struct Case {
    bool eepromMode;
    std::size_t size;
  };
  // A single record, the other mode's library, a cut-off copy.
  const Case cases[] = {{true, 256},   {true, 2048},   {true, 25344}, {true, 25856},
                        {false, 2047}, {false, 25600}, {false, 3000}, {false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.eepromMode) + " " + std::to_string(c.size));
    MacroPageRig rig;
    macros::MacroStore store(c.eepromMode, rig.Folders());
    std::string error;
    ASSERT_TRUE(store.CheckPCMacro(error)) << error;
    if (c.eepromMode) {
      store.Library() = macros::MacroLibrary{};
      ASSERT_TRUE(store.Library().Add(TypingMacro("Reload")).has_value());
      ASSERT_TRUE(store.Library().Add(TypingMacro("Jump")).has_value());
    } else {
      store.DriverLibrary().Add(DriverTypingMacro("Reload"));
      store.DriverLibrary().Add(DriverTypingMacro("Jump"));
    }
    ASSERT_TRUE(store.Save(error)) << error;
    const auto before = FileBytes(store.FilePath());
    macros::MacroPage page(store, rig.clock, rig.messages, rig.ui);
    int saves = 0;
    page.SetAfterSave([&saves] { ++saves; });
    page.Editor().LibraryReplaced();

    const fs::path file = rig.folder / "library.bin";
    WriteFile(file, c.size);
    const macros::MacroFileOutcome outcome = page.ImportAll(file.string());
    EXPECT_EQ(outcome.status, macros::MacroFileStatus::kWrongLength);
    EXPECT_EQ(outcome.Message(rig.messages), rig.messages.str103);
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"Reload", "Jump"}));
    EXPECT_EQ(FileBytes(store.FilePath()), before);
    EXPECT_EQ(saves, 0);
  }
}

// A page with one macro "1 A / 2 A" (L = 5) selected, its first event chosen.
struct InsertRig : MacroPageRig {
  InsertRig() {
    std::string error;
    EXPECT_TRUE(store.CheckPCMacro(error)) << error;
    store.Library() = macros::MacroLibrary{};
    macros::MacroRecord record;
    record.name = *macros::EncodeName("m");
    EXPECT_TRUE(macros::EncodeMacroLines({"00", "1 A CODE:8204", "2 A CODE:0204"},
                                         macros::StopMode::kAfterMacroIsOver, record.content)
                    .ok);
    EXPECT_TRUE(store.Library().Add(record).has_value());
    page.Editor().LibraryReplaced();
    page.Editor().LB_PCMacroNameClick(0);
    page.Editor().LB_macroClick(0);
    page.Editor().Btn_InsertClick();
    page.Editor().CB_InsertChange(static_cast<int>(macros::InsertItem::kKeyBack));
  }
  void Tap(std::uint16_t key) {
    page.Recorder().KeyboardHook1Receive(key, macros::KeyHookKind::kFirstDown);
    page.Recorder().KeyboardHook1Receive(key, macros::KeyHookKind::kUp);
  }

  macros::MacroStore store{true, Folders()};
  macros::MacroPage page{store, clock, messages, ui};
};

TEST(MacroPage, ASecondInsertRecordingOnTheOpenPanelCountsTheLinesRecordedBefore) {
  InsertRig rig;
  rig.page.Editor().InsertPanel().IB_InsertNoDelayClick();
  // Each tap is four bytes; the first recording stops itself at the limit.
  ASSERT_TRUE(rig.page.Btn_InsertStartClick().Happened());
  for (int i = 0; i < 60 && rig.page.Recorder().InsertRecording(); ++i) {
    rig.Tap(0x42);
  }
  if (rig.page.Recorder().InsertRecording()) {
    rig.page.Btn_InsertStartClick();
  }
  const int afterFirst = rig.page.Editor().PendingLength();
  EXPECT_LE(afterFirst, macros::kInsertByteLimit);
  // A second recording on the same panel starts from what is pending now,
  // and finds no room, or only room that is really left.
  if (rig.page.Btn_InsertStartClick().Happened()) {
    for (int i = 0; i < 60 && rig.page.Recorder().InsertRecording(); ++i) {
      rig.Tap(0x43);
    }
    if (rig.page.Recorder().InsertRecording()) {
      rig.page.Btn_InsertStartClick();
    }
  }
  EXPECT_LE(rig.page.Editor().PendingLength(), macros::kInsertByteLimit);
  const macros::MacroLines recorded = rig.page.Editor().Lines();
  rig.page.Editor().Btn_OKClick();
  EXPECT_EQ(rig.page.Editor().State(), macros::MacroPageState::kBrowsing);
  // Everything recorded on the panel is kept, in the record and the file.
  EXPECT_EQ(rig.page.Editor().Lines(), recorded);
  EXPECT_EQ(macros::DecodeMacroContent(rig.store.Library().Record(0).content).lines.size(),
            recorded.size());
  EXPECT_GT(recorded.size(), 40u);
}

TEST(MacroPage, InsertRecordingUsesThePanelsDelayOptionAndField) {
  InsertRig rig;
  rig.page.Editor().InsertPanel().IB_InsertDelayTimeClick();
  ASSERT_TRUE(rig.page.Editor().InsertPanel().Delay().SetText("120"));
  // The recording group's own options say otherwise.
  rig.page.Recorder().RecordDelayOptions().Choose(macros::DelayMode::kNone);
  ASSERT_TRUE(rig.page.Btn_InsertStartClick().Happened());
  // The panel's options are held while the recording runs.
  rig.page.Editor().InsertPanel().IB_InsertNoDelayClick();
  EXPECT_EQ(rig.page.Editor().InsertPanel().InsertDelayMode(), macros::DelayMode::kDefault);
  rig.Tap(0x42);
  rig.page.Btn_InsertStartClick();
  EXPECT_EQ(rig.page.Editor().Lines(),
            (macros::MacroLines{"00", "1 A CODE:8204", "1 B CODE:8205", "0 120", "2 B CODE:0205",
                                "2 A CODE:0204"}));
}

TEST(MacroPage, ShowingAMacroSetsTheRecordingDelayOptionsFromItsHeader) {
  MacroPageRig rig;
  macros::MacroStore store(true, rig.Folders());
  std::string error;
  ASSERT_TRUE(store.CheckPCMacro(error)) << error;
  store.Library() = macros::MacroLibrary{};
  const struct {
    const char* name;
    macros::MacroLines lines;
    macros::DelayMode mode;
    const char* field;
  } cases[] = {
      // The first four delays decide.
      {"fixed",
       {"00", "1 A CODE:8204", "0 96", "2 A CODE:0204", "0 96", "1 B CODE:8205", "0 96",
        "2 B CODE:0205", "0 96"},
       macros::DelayMode::kDefault,
       "96"},
      {"none", {"00", "1 A CODE:8204", "2 A CODE:0204"}, macros::DelayMode::kNone, "96"},
      {"measured",
       {"00", "1 A CODE:8204", "0 16", "2 A CODE:0204", "0 48", "1 B CODE:8205"},
       macros::DelayMode::kRecord,
       "96"},
  };
  for (const auto& c : cases) {
    macros::MacroRecord record;
    record.name = *macros::EncodeName(c.name);
    ASSERT_TRUE(
        macros::EncodeMacroLines(c.lines, macros::StopMode::kAfterMacroIsOver, record.content).ok);
    ASSERT_TRUE(store.Library().Add(record).has_value());
  }
  macros::MacroPage page(store, rig.clock, rig.messages, rig.ui);
  page.Editor().LibraryReplaced();
  const macros::DelayOptions& options = page.Recorder().RecordDelayOptions();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    page.Editor().LB_PCMacroNameClick(i);
    EXPECT_EQ(options.Mode(), cases[i].mode) << cases[i].name;
    EXPECT_EQ(options.FieldText(), cases[i].field) << cases[i].name;
  }
}

}  // namespace
}  // namespace orbic::test
