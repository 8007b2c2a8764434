#include <gtest/gtest.h>

#include <filesystem>

#include "app/SettingsTransfer.h"
#include "keys/VirtualKeys.h"
#include "macros/MacroCodec.h"
#include "macros/MacroPage.h"
#include "support/SessionRig.h"
#include "support/TempFolder.h"

// A macro recorded on the macro page, saved with the library, loaded again,
// assigned to a button and written to the mouse comes back unchanged.
namespace orbic::test {
namespace {

namespace fs = std::filesystem;
using macros::ButtonEdge;
using macros::KeyHookKind;

struct PageRig : SessionRig {
  PageRig() { folder = temp_.Path(); }

  macros::MacroFolderSettings Folders() const { return {"", folder.string() + "/", "", "", ""}; }

  orbic::test::TempFolder temp_;
  fs::path folder;
};

TEST(RecordedMacroEndToEnd, RecordSaveReloadAssignWriteAndReadBack) {
  PageRig rig;
  ASSERT_EQ(rig.session.ConnectNow(), app::ConnectionOutcome::kRead);

  macros::MacroRecord recorded;
  {
    macros::MacroStore store(true, rig.Folders());
    std::string error;
    ASSERT_TRUE(store.CheckPCMacro(error)) << error;
    macros::MacroPage page(store, rig.clock, rig.session.Messages(), rig.ui);
    macros::MacroEditor& editor = page.Editor();
    editor.Btn_NewMacroClick();
    ASSERT_NE(editor.NameDialog(), nullptr);
    ASSERT_TRUE(editor.NameDialog()->SetText("Reload"));
    editor.NameDialogConfirm();
    ASSERT_EQ(editor.SelectedMacro(), 0u);

    // Shift+R, a pause, then a left click; the click on Stop is not recorded.
    macros::MacroRecorder& recorder = page.Recorder();
    ASSERT_TRUE(recorder.Btn_StartClick().Happened());
    recorder.KeyboardHook1Receive(keys::virtual_key::kShift, KeyHookKind::kFirstDown);
    rig.clock.SleepMs(40);
    recorder.KeyboardHook1Receive('R', KeyHookKind::kFirstDown);
    recorder.KeyboardHook1Receive('R', KeyHookKind::kFurtherDown);  // auto-repeat
    rig.clock.SleepMs(120);
    recorder.KeyboardHook1Receive('R', KeyHookKind::kUp);
    recorder.KeyboardHook1Receive(keys::virtual_key::kShift, KeyHookKind::kUp);
    rig.clock.SleepMs(3000);
    recorder.MouseButtonEdge(ButtonEdge::kLeftDown);
    rig.clock.SleepMs(16);
    recorder.MouseButtonEdge(ButtonEdge::kLeftUp);
    recorder.SetPointerOverButton(true);
    recorder.MouseButtonEdge(ButtonEdge::kLeftDown);
    recorder.MouseButtonEdge(ButtonEdge::kLeftUp);
    ASSERT_TRUE(recorder.Btn_StartClick().saved);
    EXPECT_EQ(editor.Lines(), (macros::MacroLines{
                                  "10",
                                  "1 Shift CODE:8102",
                                  "0 40",
                                  "1 R CODE:8215",
                                  "0 120",
                                  "2 R CODE:0215",
                                  "0 0",
                                  "2 Shift CODE:0102",
                                  "0 2040",
                                  "0 960",
                                  "1 LeftKey CODE:00A1",
                                  "0 16",
                                  "2 LeftKey CODE:0021",
                              }));
    recorded = store.Library().Record(0);
    // Stored as recorded; reading merges the 2040 + 960 ms run into one line.
    EXPECT_EQ(macros::MacroEventBytes(macros::DecodeMacroContent(recorded.content).lines),
              macros::MacroEventBytes(editor.Lines()));
  }

  // A new start of the program reads the library file.
  macros::MacroStore reloaded(true, rig.Folders());
  std::string error;
  ASSERT_TRUE(reloaded.CheckPCMacro(error)) << error;
  ASSERT_EQ(reloaded.Library().Record(0), recorded);

  orbic::app::SettingsModel& settings = rig.session.Settings();
  settings.assignment.ShowPnlMain_OnClick("Key5", 1);
  ASSERT_EQ(settings.macroAssignment.LB_NameClick(reloaded.Library(), 0).slot, 1);
  app::SettingsTransfer transfer(rig.session);
  ASSERT_EQ(transfer.Apply(), app::TransferOutcome::kWritten);

  rig.session.RefreshErrorAP();
  transfer.Read();
  ASSERT_EQ(rig.session.LastOutcome(), app::ConnectionOutcome::kRead);
  EXPECT_EQ(settings.macroSlots.Slot(1).record, recorded);
  EXPECT_EQ(settings.keys.Code(1, 5), "060121");
  EXPECT_EQ(settings.keys.Label(1, 5), "Reload");
}

}  // namespace
}  // namespace orbic::test
