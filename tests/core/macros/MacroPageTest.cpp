#include "macros/MacroPage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestMacros.h"
#include "base/UiHost.h"
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

}  // namespace
}  // namespace orbic::test
