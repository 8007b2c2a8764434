#pragma once

#include <functional>
#include <memory>
#include <string>

#include "macros/MacroEditor.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroStore.h"
#include "macros/RecordingTarget.h"

namespace orbic {
class Clock;
}

// The macro page as one piece: the library of the current mode with its file,
// the editor over it and the recorder that writes into the editor's lines.
namespace orbic::macros {

// The insert panel's record button on an editor and its recorder: records
// next to the selected event under the panel's delay options, counting the
// lines already recorded on the open panel, or stops the insert-recording
// that runs.
RecordingChange InsertStartClick(MacroEditor& editor, MacroRecorder& recorder);

class MacroPage {
 public:
  // `store` must outlive the page; its library is the one edited.
  MacroPage(MacroStore& store, Clock& clock, const ui::MessageStrings& messages, UiHost& ui);
  ~MacroPage();
  MacroPage(const MacroPage&) = delete;
  MacroPage& operator=(const MacroPage&) = delete;

  MacroStore& Store() { return store_; }
  MacroEditor& Editor() { return *editor_; }
  MacroRecorder& Recorder() { return *recorder_; }

  // The insert panel's record button (InsertStartClick).
  RecordingChange Btn_InsertStartClick() { return InsertStartClick(*editor_, *recorder_); }
  // The last save's problem, empty after a good save.
  const std::string& LastSaveError() const { return lastSaveError_; }

  // Runs after every library file written (edits, recordings, imports), so
  // copies of the library's macros elsewhere can follow it.
  void SetAfterSave(std::function<void()> afterSave) { afterSave_ = std::move(afterSave); }

  // The name list's file commands. The imports show the library afresh (an
  // imported single macro selected); exports need no selection but Export
  // One, which writes the selected macro.
  MacroFileOutcome ImportOne(const std::string& path);
  MacroFileOutcome ImportAll(const std::string& path);
  MacroFileOutcome ExportOne(const std::string& chosen) const;
  MacroFileOutcome ExportAll(const std::string& chosen) const;

 private:
  class EditorTarget;

  bool Save();
  // The recording options follow the header of the macro shown.
  void FollowShownMacro();
  void AfterImport(const MacroFileOutcome& outcome);

  MacroStore& store_;
  std::string lastSaveError_;
  std::function<void()> afterSave_;
  std::unique_ptr<MacroEditor> editor_;
  std::unique_ptr<EditorTarget> target_;
  std::unique_ptr<MacroRecorder> recorder_;
};

}  // namespace orbic::macros
