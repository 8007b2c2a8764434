#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/KeyCaptureDialog.h"
#include "macros/MacroDelayDialog.h"
#include "macros/MacroInsertPanel.h"
#include "macros/MacroLineText.h"
#include "macros/MacroLines.h"
#include "macros/MacroNameDialog.h"
#include "macros/MacroRecord.h"
#include "macros/MacroValueDialog.h"

namespace orbic {
class UiHost;
}
namespace orbic::ui {
struct MessageStrings;
}

namespace orbic::macros {

class MacroLibrary;
class DriverMacroLibrary;

// Writes the whole library file; false when it could not be written.
using SaveLibrary = std::function<bool()>;

// Shown when the library file could not be written; the change stays in
// memory and reaches the file with the next save that succeeds.
inline constexpr std::string_view kLibrarySaveFailedMessage =
    "The macro library could not be saved.";

// Insert-recording starts only while the stored macro is shorter than this.
inline constexpr int kInsertRecordingLimit = 220;

inline constexpr std::string_view kOptionChosen = "RdS_E";
inline constexpr std::string_view kOptionNotChosen = "RdS_D";

enum class MacroPageState {
  kBrowsing,   // the pop-up menus are available
  kRecording,  // a recording runs: the lists and the delay options are locked
  kInserting,  // the insert panel replaces the delay options
};

enum class EditDialogKind { kNone, kKey, kDelay, kValue };

// What the controls of the macro page show.
struct MacroPageControls {
  std::vector<std::string> LB_PCMacroName;  // position = library index
  std::optional<std::size_t> LB_PCMacroNameIndex;
  std::vector<MacroLineText> LB_macro;  // item i = line i + 1
  std::optional<std::size_t> LB_macroIndex;
  int LB_macroTopIndex = 0;
  MacroLines mmo_macro;
  std::string mmo_wrscript;

  StopMode stopMode = StopMode::kAfterMacroIsOver;  // rb_ReleaseStop / rb_ReleaseContinue
  std::string_view IB_ReleaseStopImage;
  std::string_view IB_ReleaseContiueImage;

  bool Btn_NewEnabled = true;  // also Btn_NewMacro
  bool Btn_StartEnabled = true;
  bool LB_PCMacroNameEnabled = true;
  bool LB_MacroNameEnabled = true;
  bool LB_macroEnabled = true;
  bool Gb_DelayShown = true;
  bool Gb_DelayEnabled = true;
  // lbl_Record_Delay, lbl_Delay_Setting, lbl_No_Delay, lbl_MS, lbl_Stop_Release,
  // lbl_Stop_Over.
  bool delayLabelsShown = true;
  bool Gb_InsertShown = false;
  bool CB_InsertEnabled = false;
  bool Btn_OKEnabled = false;
  bool Btn_CancelEnabled = false;
  bool Pnl_PCMacroShown = false;
  bool Pnl_DevContentShown = false;
  // Shown over the event list when the macro cannot be edited here; empty
  // otherwise.
  std::string macroNotice;
};

// The notice of a macro whose stored events could not all be read: it is
// shown up to the first event not understood and kept as it is stored.
inline constexpr std::string_view kUnreadableEventsNotice =
    "This macro holds events this program cannot read; it is shown up to the first of them "
    "and cannot be edited here.";

// The delay option a decoded macro's header names, for the recording options.
struct DecodedDelay {
  DelayMode mode = DelayMode::kRecord;
  int defaultDelayMs = 0;
};

// The macro page: the library of the current mode shown as a name list, the
// selected macro as event lines, and the commands that change them. Every
// change is encoded into the library record and saved at once; a change the
// record cannot hold is undone and the reason shown, and a failed save is
// reported while the change stays in memory.
//
// Handlers of controls that are disabled or hidden in the current state do
// nothing. A dialog opened by a command is closed (without result) by any
// later command that changes the selection or the lines, so its result can
// never land on another macro or line than the one it was opened for.
class MacroEditor {
 public:
  // Memory mode: the library of 100 records.
  MacroEditor(MacroLibrary& library, SaveLibrary save, const ui::MessageStrings& messages,
              UiHost& ui);
  // Driver mode: the list of long records.
  MacroEditor(DriverMacroLibrary& library, SaveLibrary save, const ui::MessageStrings& messages,
              UiHost& ui);
  ~MacroEditor();
  MacroEditor(const MacroEditor&) = delete;
  MacroEditor& operator=(const MacroEditor&) = delete;

  MacroPageControls Controls() const;
  MacroPageState State() const { return state_; }
  const MacroLines& Lines() const { return lines_; }
  std::optional<std::size_t> SelectedMacro() const { return selectedMacro_; }
  std::optional<std::size_t> SelectedEvent() const { return selectedEvent_; }
  // The header of the macro shown last, when it had events.
  const std::optional<DecodedDelay>& LastDecodedDelay() const { return decodedDelay_; }
  // Runs each time a macro (or none) is shown, after LastDecodedDelay() is
  // set, so the delay options can follow the macro's header.
  void SetOnMacroShown(std::function<void()> shown) { onMacroShown_ = std::move(shown); }
  // The shown macro holds events past the lines shown: edits that would
  // encode the lines again are refused, so they cannot drop the rest.
  bool ReadOnly() const { return readOnly_; }

  // After the library was replaced or changed elsewhere (load, import):
  // shows the library afresh with nothing selected.
  void LibraryReplaced();

  // --- lists and menus
  // Click on the name list: shows the macro at `index`; none (a press below
  // the last item) unselects.
  void LB_PCMacroNameClick(std::optional<std::size_t> index);
  // Right button on the name list: selects the item, then opens Pnl_PCMacro.
  void LB_PCMacroNameRightClick(std::optional<std::size_t> index);
  // Click on the event list; none unselects.
  void LB_macroClick(std::optional<std::size_t> index);
  // Right button on the event list: selects the item, then opens
  // Pnl_DevContent when a macro and an event are selected.
  void LB_macroRightClick(std::optional<std::size_t> index);
  void ClearMacro();  // hides the pop-up menus
  void SetEventListTopIndex(int topIndex) { eventListTopIndex_ = topIndex; }

  // --- library commands
  void Btn_NewMacroClick();  // chooses "Stop after the macro is over" first
  void Btn_NewClick();       // keeps the stop-mode option
  void Btn_NewNameClick();   // rename the selected macro
  void Btn_DelPCMacroClick();
  MacroNameDialog* NameDialog() { return nameDialog_ ? &*nameDialog_ : nullptr; }
  // The name dialog's OK: creates or renames; the dialog closes either way.
  void NameDialogConfirm();
  void NameDialogClose() { nameDialog_.reset(); }

  // --- event commands
  void Btn_EditClick();
  EditDialogKind EditDialog() const;
  keys::KeyCaptureDialog* KeyDialog() { return keyDialog_ ? &*keyDialog_ : nullptr; }
  MacroDelayDialog* DelayDialog() { return delayDialog_ ? &*delayDialog_ : nullptr; }
  MacroValueDialog* ValueDialog() { return valueDialog_ ? &*valueDialog_ : nullptr; }
  // OK of the open edit dialog: replaces the line in place when the dialog
  // holds a value; the dialog closes either way.
  void EditDialogConfirm();
  void EditDialogClose();
  // Deletes the selected event; a key line takes its partner with it.
  void Btn_DelClick();

  // --- insert panel
  void Btn_InsertClick();
  MacroInsertPanel& InsertPanel() { return insertPanel_; }
  const MacroInsertPanel& InsertPanel() const { return insertPanel_; }
  void CB_InsertChange(int index);
  void Btn_OKClick();
  void Btn_CancelClick();

  // --- stop mode: chosen for the selected macro and saved at once
  void IB_ReleaseStopClick();
  void IB_ReleaseContiueClick();

  // --- hooks for the recorder
  //
  // Recording into the selected macro:
  //   BeginRecording() needs a selected macro; it empties the lines, the list
  //   and the diagnostic text (memory mode also empties the record) and locks
  //   the page. AppendRecordedLine() adds a line (the header first, when the
  //   lines are empty) and selects the last item. EndRecording() encodes the
  //   lines into the record, saves, and unlocks the page. A recording the
  //   record cannot hold loses its last lines until it fits, and the user is
  //   told.
  bool BeginRecording();
  void AppendRecordedLine(std::string line);
  void EndRecording();
  //
  // Insert-recording (insert items 2 and 3, panel open):
  //   SelectedMacroLength() is the stored L of the selected macro and
  //   SelectedEvent() the insert position. PendingLength() is the L the
  //   lines shown now would store (the bytes a recording starts from); it
  //   exceeds the stored L when lines recorded earlier on the open panel are
  //   not committed yet.
  //   BeginInsertRecording() needs an event selected and a pending L below
  //   220; it
  //   locks CB_Insert, OK, Cancel and the name list. InsertRecordedLine()
  //   inserts a line at a line index (1 = before the first event; clamped
  //   to the end) and selects its item. EndInsertRecording() unlocks them;
  //   nothing is encoded until OK, which commits the lines (the recorder
  //   clears its RecordFull then). Cancel drops them.
  int SelectedMacroLength() const;
  int PendingLength() const;
  bool BeginInsertRecording();
  bool InsertRecordedLine(std::size_t lineIndex, std::string line);
  void EndInsertRecording();
  bool InsertRecording() const { return insertRecording_; }

  // Which library this editor works on; implemented per library form.
  class Library;

 private:
  MacroEditor(std::unique_ptr<Library> library, SaveLibrary save,
              const ui::MessageStrings& messages, UiHost& ui);

  void ShowMacro(std::optional<std::size_t> index);
  void CloseDialogs();
  void HideMenus();
  bool Browsing() const { return state_ == MacroPageState::kBrowsing; }
  bool NameListUsable() const;
  bool CanCreate() const;
  void SetStopMode(StopMode mode);
  // Encodes the lines into the selected record. On refusal restores
  // `before` and `selectionBefore`, tells the user why and returns false.
  bool Commit(const MacroLines& before, std::optional<std::size_t> selectionBefore);
  void ShowEncodeRefusal(const std::string& reason);
  void Save();

  std::unique_ptr<Library> library_;
  SaveLibrary save_;
  const ui::MessageStrings& messages_;
  UiHost& ui_;

  MacroPageState state_ = MacroPageState::kBrowsing;
  bool insertRecording_ = false;
  std::optional<std::size_t> selectedMacro_;
  std::optional<std::size_t> selectedEvent_;
  MacroLines lines_;
  std::string wrscript_;
  StopMode stopMode_ = StopMode::kAfterMacroIsOver;
  std::optional<DecodedDelay> decodedDelay_;
  std::function<void()> onMacroShown_;
  bool readOnly_ = false;
  int eventListTopIndex_ = 0;
  bool nameMenuShown_ = false;
  bool eventMenuShown_ = false;

  std::optional<MacroNameDialog> nameDialog_;
  std::optional<std::size_t> editLine_;  // list index of the event being edited
  std::optional<keys::KeyCaptureDialog> keyDialog_;
  std::optional<MacroDelayDialog> delayDialog_;
  std::optional<MacroValueDialog> valueDialog_;

  MacroInsertPanel insertPanel_;
  std::optional<std::size_t> rememberedEvent_;
  int rememberedTopIndex_ = 0;
};

}  // namespace orbic::macros
