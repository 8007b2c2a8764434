#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "fire/FireMacroTable.h"
#include "macros/MacroLines.h"

namespace orbic {
class Clock;
}

namespace orbic::fire {

enum class FireDelayOption { kRecord, kDelayTime, kNone };
enum class FireEditDialog { kNone, kDelay, kKey };

// CB_InsertFire items, in list order.
enum class FireInsertItem {
  kDelayFront,
  kDelayBack,
  kRepeatStart,
  kRepeatStop,
  kXFront,
  kXBack,
  kYFront,
  kYBack,
};
inline constexpr int kFireInsertItemCount = 8;

inline constexpr std::string_view kFireLeftDownLine = "1 LeftKey CODE:00A1";
inline constexpr std::string_view kFireLeftUpLine = "2 LeftKey CODE:0021";

// The hidden editor of the fire page: the events of one fire macro as
// MacroLines (header "00" first; list item i is line i + 1), recorded from
// left-button edges, edited, deleted and inserted line by line. Every change
// is encoded into the working record at once. A fire macro holds at most 21
// event bytes: a change that would need more is refused and a recording
// stops when the next edge would not fit, so nothing reaches the next record.
class FireContentEditor {
 public:
  FireContentEditor(FireMacroTable& table, Clock& clock);

  // Img_Base_5DblClick / hidden again by Confirm and Cancel.
  void Show() { visible_ = true; }
  void Hide();
  bool Visible() const { return visible_; }

  // LB_FireMacroNameClick: fire macro n = 1..10 decoded into lines. Ignored
  // while recording or while the insert panel is open.
  void LB_FireMacroNameClick(int n);
  std::optional<int> SelectedFireMacro() const { return fireMacro_; }
  const macros::MacroLines& Lines() const { return lines_; }
  int ItemCount() const;
  std::optional<int> SelectedItem() const { return selectedItem_; }
  void LB_FireMacroClick(int item);
  // The record bytes as hex (mmo_wrscript).
  const std::string& ScriptText() const { return script_; }
  // Why the last change was refused; empty after a change that was made.
  const std::string& LastError() const { return error_; }
  bool ListEnabled() const { return !recording_ && !insertOpen_; }

  // Stop-mode options (rb_FireReleaseStop / rb_FireReleaseContinue).
  void IB_FireReleaseStopClick() { stopOnRelease_ = true; }
  void IB_FireReleaseContiueClick() { stopOnRelease_ = false; }
  bool StopOnRelease() const { return stopOnRelease_; }
  std::string_view ReleaseStopPicture() const { return stopOnRelease_ ? "RdS_E" : "RdS_D"; }
  std::string_view ReleaseContinuePicture() const { return stopOnRelease_ ? "RdS_D" : "RdS_E"; }

  // Recording delay options; only "Delay Time" makes Edt_FireDelay writable.
  void IB_FireRecDelayClick() { delayOption_ = FireDelayOption::kRecord; }
  void IB_FireDelayTimeClick() { delayOption_ = FireDelayOption::kDelayTime; }
  void IB_FireNoDelayClick() { delayOption_ = FireDelayOption::kNone; }
  FireDelayOption DelayOption() const { return delayOption_; }
  bool FireDelayEditable() const { return delayOption_ == FireDelayOption::kDelayTime; }
  // Kept within 0..2040; empty counts 0.
  void Edt_FireDelayChange(std::string_view text);
  const std::string& FireDelayText() const { return fireDelayText_; }

  // Btn_FireStartClick: starts recording into the chosen fire macro, or stops
  // and encodes. Without a chosen fire macro, or with the insert panel open,
  // nothing happens.
  void Btn_FireStartClick();
  bool Recording() const { return recording_; }
  // The host sets this while the pointer is over the record button, so the
  // click on "Stop" never enters the macro.
  void SetPointerOverRecordButton(bool over) { pointerOverButton_ = over; }
  // A left-button edge seen by the host's mouse hook, delivered on the UI
  // thread (the hook's thread must queue it there). Ignored unless recording.
  void LeftButtonEdge(bool down);

  // Content editing on the selected item.
  FireEditDialog Btn_FireEditClick();
  // The delay dialog's value (0..2040 after its own correction).
  bool ConfirmDelay(int ms);
  // The key dialog's line; a fire macro holds left-button edges only.
  bool ConfirmKeyLine(std::string_view line);
  // Whether the selected line is a press (so its key dialog asks for a press).
  bool SelectedLineIsPress() const;
  // The key dialog's event text (as "LeftKey CODE:00A1") for the selected line,
  // which keeps its edge: a press stays a press.
  bool ConfirmKeyEvent(std::string_view eventText);
  // Deletes the selected line (and its partner edge); false when nothing was
  // deleted (no line, or the change was refused: LastError says why).
  bool Btn_FireDelClick();

  // The insert panel.
  void Btn_FireInsertClick();
  bool InsertPanelOpen() const { return insertOpen_; }
  void CB_InsertFireChange(int index);
  FireInsertItem InsertItem() const { return insertItem_; }
  void Edt_InsertFireDelayChange(std::string_view text);  // 0..2040
  void edt_FireRepeatChange(std::string_view text);       // 0..255
  void edt_FireXAxisValueChange(std::string_view text);   // -128..127
  void edt_FireYAxisValueChange(std::string_view text);   // -128..127
  const std::string& InsertDelayText() const { return insertDelayText_; }
  const std::string& RepeatText() const { return repeatText_; }
  const std::string& XAxisText() const { return xAxisText_; }
  const std::string& YAxisText() const { return yAxisText_; }
  // Inserts the item's line; without a selected item nothing is inserted and
  // the panel stays open, as it does when the line would not fit.
  bool Btn_FireOKClick();
  // Closes the panel and decodes the record again.
  void Btn_FireCancelClick();

  // Called with the fire macro's number after every change the editor makes
  // to a record, so whoever shows the record's parameters reads them again.
  void SetRecordChanged(std::function<void(int)> changed) { recordChanged_ = std::move(changed); }
  // Someone else changed record `fireMacro`: the lines shown are decoded again
  // (the selection kept where it still exists), so the next edit here starts
  // from the record as it is. Ignored while recording.
  void RecordEdited(int fireMacro);

 private:
  void Decode();
  // Encodes `candidate` into the record, or refuses it (record and lines
  // unchanged) when it holds more than 21 event bytes.
  bool Commit(const macros::MacroLines& candidate);
  void NotifyChanged() const;
  void StopRecording();
  void AppendDelayLines(macros::MacroLines& lines, std::uint64_t now) const;
  std::optional<std::size_t> SelectedLineIndex() const;

  FireMacroTable& table_;
  Clock& clock_;
  std::function<void(int)> recordChanged_;
  bool visible_ = false;
  std::optional<int> fireMacro_;
  macros::MacroLines lines_;
  std::optional<int> selectedItem_;
  std::string script_;
  std::string error_;
  bool stopOnRelease_ = false;
  FireDelayOption delayOption_ = FireDelayOption::kRecord;
  std::string fireDelayText_ = "0";
  bool recording_ = false;
  bool pointerOverButton_ = false;
  std::optional<std::uint64_t> lastEdgeMs_;
  bool insertOpen_ = false;
  FireInsertItem insertItem_ = FireInsertItem::kDelayFront;
  std::string insertDelayText_ = "50";
  std::string repeatText_ = "10";
  std::string xAxisText_ = "12";
  std::string yAxisText_ = "12";
};

}  // namespace orbic::fire
