#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "macros/ButtonEdge.h"
#include "macros/DelayOptions.h"
#include "macros/MacroCodec.h"
#include "macros/MacroLines.h"
#include "macros/MacroRecord.h"
#include "macros/RecordingTarget.h"

// Recording keys and mouse buttons into the lines of a macro, with the delays
// between them measured, fixed or left out, and never more bytes than the
// macro can store. Lives on the user-interface thread: the host hands every
// keyboard and mouse-hook event to it there, in the order they happened.
namespace orbic::macros {

// Event bytes a recording may fill. A device slot takes 221 event bytes; the
// recorder has always stopped at 220.
inline constexpr int kEepromByteLimit = 220;
// The driver-path content keeps 4 of its 2016 bytes for the stop mode, the two
// length bytes and the checksum; recording stops where the events would no
// longer fit, so the encoder never has to cut a recorded macro.
inline constexpr int kDriverByteLimit = static_cast<int>(kMaxDriverEventBytes);
// Recording into the middle of a macro is bounded like a device slot in both modes.
inline constexpr int kInsertByteLimit = 220;
// A measured pause counts at most this much (five delay pairs).
inline constexpr int kMaxRecordedDelayMs = kMaxDelayRunMs;

// The keyboard component's event kinds.
enum class KeyHookKind : std::uint8_t {
  kFirstDown = 0,
  kUp = 1,
  kFurtherDown = 2,  // auto-repeat, or another key pressed while one is held
};

// Caption of a record button: the language texts Str400 and Str401.
enum class RecordCaption { kRecord, kStop };

// Where insert-recording puts the events: "Insert Key Front" places them
// before the selected event, "Insert Key Back" after it.
enum class InsertSide { kFront, kBack };

enum class EventOutcome {
  kIgnored,   // not a recordable event now
  kRecorded,  // its lines were added
  kRefused,   // no room: the recording is full and records nothing further
  kStopped,   // it found the limit reached and ended the recording unrecorded
};

struct ControlEnable {
  std::string_view control;
  bool enabled;
  friend bool operator==(const ControlEnable&, const ControlEnable&) = default;
};

struct ControlImage {
  std::string_view control;
  std::string_view image;
  friend bool operator==(const ControlImage&, const ControlImage&) = default;
};

// What a start or a stop changes on the page, by control name.
struct RecordingChange {
  std::string_view captionControl;  // empty: nothing happened
  RecordCaption caption = RecordCaption::kRecord;
  std::vector<ControlEnable> enables;
  std::optional<ControlImage> image;
  std::string_view focus;  // the control given the focus; empty: none
  bool saved = true;       // a stopped recording: whether the library was written

  bool Happened() const { return !captionControl.empty(); }
};

struct KeyEventResult {
  EventOutcome outcome = EventOutcome::kIgnored;
  RecordingChange stop;  // filled when the event ended the recording
};

// What differs between the macro page's recorder and the fire-macro page's twin.
struct RecorderOptions {
  std::bitset<kButtonEdgeCount> recordedEdges;  // by ButtonEdge
  bool roomCheckForButtons = true;
  int byteLimit = kEepromByteLimit;

  // All ten edges, the room rules, and the limit of the library in use.
  static RecorderOptions ForMacroPage(bool eepromMode);
};

class MacroRecorder {
 public:
  MacroRecorder(Clock& clock, RecordingTarget& target, RecorderOptions options);

  // The recording group's delay options, and the insert panel's.
  DelayOptions& RecordDelayOptions() { return recordOptions_; }
  const DelayOptions& RecordDelayOptions() const { return recordOptions_; }
  DelayOptions& InsertDelayOptions() { return insertOptions_; }
  const DelayOptions& InsertDelayOptions() const { return insertOptions_; }

  // The record button: starts a recording into the selected macro, or stops
  // the one running and commits it. Nothing happens without a selected macro
  // or while an insert-recording runs.
  RecordingChange Btn_StartClick();
  // The insert panel's record button: starts recording into the middle of the
  // macro next to `selectedEvent` (an event-list index), when the macro's
  // stored length `macroLength` (L) is below 220; or stops it. The lines stay
  // uncommitted: the panel's OK or Cancel decides.
  RecordingChange Btn_InsertStartClick(std::optional<int> selectedEvent, int macroLength,
                                       InsertSide side);

  KeyEventResult KeyboardHook1Receive(std::uint16_t virtualKey, KeyHookKind kind);
  // A mouse-hook button edge, handed over on the user-interface thread. Each
  // edge is handled as it arrives, with its delay taken then, so edges and
  // keys keep the order they happened in and two clicks in quick succession
  // are never merged into one.
  EventOutcome MouseButtonEdge(ButtonEdge edge);
  // Mouse enter and leave of the record buttons: the click on "Stop" must not
  // enter the macro.
  void SetPointerOverButton(bool over) { pointerOverButton_ = over; }

  bool Recording() const { return recording_; }
  bool PointerOverButton() const { return pointerOverButton_; }
  RecordCaption Caption() const { return caption_; }
  RecordCaption InsertCaption() const { return insertCaption_; }
  int UsedBytes() const { return usedBytes_; }
  int ByteLimit() const { return byteLimit_; }
  // Tick of the previous event that took a delay; none before the first.
  std::optional<std::uint64_t> LastEventTick() const { return lastEventTick_; }
  int LastKey() const { return lastKey_; }  // -1: none yet
  // An event was refused for lack of room: only the releases of keys and
  // buttons the macro holds go in from then on; their room is always kept.
  bool RecordFull() const { return recordFull_; }
  // The refused event was a key press.
  bool KeyUpOverflow() const { return keyUpOverflow_; }
  bool InsertRecording() const { return insertRecording_; }
  int InsertPosition() const { return insertPosition_; }
  // The event-list item the recorder selected last; none before the first line.
  std::optional<int> SelectedItem() const { return selectedItem_; }

 private:
  RecordingChange StartRecording();
  RecordingChange StopRecording();
  RecordingChange StartInsertRecording(int selectedEvent, int macroLength, InsertSide side);
  RecordingChange StopInsertRecording();
  // The stop of whichever recording runs, when a key finds the limit reached.
  RecordingChange StopForLimit();
  void ResetEventState();

  const DelayOptions& ActiveOptions() const;
  // Bytes the releases of every key and button the macro holds down need.
  int HeldReleaseBytes() const;
  bool KeyHeld(std::uint16_t pressCode) const;
  void EnsureHeader();
  void AddLine(std::string line);
  // The delay in front of an event now; none for the first event or without delays.
  std::optional<int> PendingDelayMs() const;
  void NoteEventTime();

  Clock& clock_;
  RecordingTarget& target_;
  RecorderOptions options_;
  DelayOptions recordOptions_{RecordDelayFieldRules()};
  DelayOptions insertOptions_{InsertDelayFieldRules()};

  bool recording_ = false;
  bool pointerOverButton_ = false;
  RecordCaption caption_ = RecordCaption::kRecord;
  RecordCaption insertCaption_ = RecordCaption::kRecord;
  int usedBytes_ = 0;
  int byteLimit_;
  std::optional<std::uint64_t> lastEventTick_;
  int lastKey_ = -1;
  bool recordFull_ = false;
  bool keyUpOverflow_ = false;
  bool insertRecording_ = false;
  InsertSide insertSide_ = InsertSide::kFront;
  // Keys (by press code) and buttons whose press this recording put in the
  // macro and not yet released.
  std::vector<std::uint16_t> keysHeld_;
  std::bitset<kButtonEdgeCount / 2> buttonsHeld_;
  int insertPosition_ = 0;
  std::optional<int> selectedItem_;
};

}  // namespace orbic::macros
