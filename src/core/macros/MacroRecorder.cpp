#include "macros/MacroRecorder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "base/HexText.h"
#include "keys/VirtualKeys.h"

namespace orbic::macros {
namespace {

// Controls a recording changes, by object name.
constexpr std::string_view kBtnStart = "Btn_Start";
constexpr std::string_view kImgStart = "Img_Start";
constexpr std::string_view kGbDelay = "Gb_Delay";
constexpr std::string_view kLbPcMacroName = "LB_PCMacroName";
constexpr std::string_view kLbMacroName = "LB_MacroName";
constexpr std::string_view kLbMacro = "LB_macro";
constexpr std::string_view kBtnNew = "Btn_New";
constexpr std::string_view kBtnInsertStart = "Btn_InsertStart";
constexpr std::string_view kImgInsertStart = "Img_InsertStart";
constexpr std::string_view kCbInsert = "CB_Insert";
constexpr std::string_view kBtnOk = "Btn_OK";
constexpr std::string_view kBtnCancel = "Btn_Cancel";

// Pictures of the record buttons.
constexpr std::string_view kStartIdleImage = "MacroS_03";
constexpr std::string_view kStartRecordingImage = "MacroS_04";
constexpr std::string_view kInsertIdleImage = "MacroS_01";
constexpr std::string_view kInsertRecordingImage = "MacroS_03";

// Event bytes of a key (opcode and key byte) and of a button (opcode only).
constexpr int kKeyEventBytes = 2;
constexpr int kButtonEventBytes = 1;
constexpr int kDelayPairBytes = 2;

constexpr std::uint8_t kKeyDownOpcode = 0x82;
constexpr std::uint8_t kKeyUpOpcode = 0x02;
constexpr std::uint8_t kModifierDownOpcode = 0x81;
constexpr std::uint8_t kModifierUpOpcode = 0x01;

struct ModifierKey {
  std::uint16_t virtualKey;
  std::uint8_t bit;  // of the keyboard modifier byte
};

// Either side's Shift, Ctrl and Alt are one modifier each; the Windows keys
// keep their sides.
constexpr std::array kModifierKeys = {
    ModifierKey{keys::virtual_key::kShift, 0x02},
    ModifierKey{keys::virtual_key::kLeftShift, 0x02},
    ModifierKey{keys::virtual_key::kRightShift, 0x02},
    ModifierKey{keys::virtual_key::kControl, 0x01},
    ModifierKey{keys::virtual_key::kLeftControl, 0x01},
    ModifierKey{keys::virtual_key::kRightControl, 0x01},
    ModifierKey{keys::virtual_key::kAlt, 0x04},
    ModifierKey{keys::virtual_key::kLeftAlt, 0x04},
    ModifierKey{keys::virtual_key::kRightAlt, 0x04},
    ModifierKey{keys::virtual_key::kLeftWindows, 0x08},
    ModifierKey{keys::virtual_key::kRightWindows, 0x80},
};

// The line of each edge, by ButtonEdge.
constexpr std::array<std::string_view, kButtonEdgeCount> kButtonLines = {
    "1 LeftKey CODE:00A1",  "2 LeftKey CODE:0021",   "1 RightKey CODE:00A2",
    "2 RightKey CODE:0022", "1 MiddleKey CODE:00A4", "2 MiddleKey CODE:0024",
    "1 Forward CODE:00A8",  "2 Forward CODE:0028",   "1 Backward CODE:00B0",
    "2 Backward CODE:0030",
};

// The longest delay not above `ms` that fits in `maxPairs` pairs; none when no
// pair is left.
std::optional<int> DelayWithinPairs(int ms, int maxPairs) {
  if (DelayPairCount(ms) <= maxPairs) {
    return ms;
  }
  if (maxPairs <= 0) {
    return std::nullopt;
  }
  return maxPairs * kMaxDelayPairMs;
}

// A button delay goes in lines of 2040 ms and a remainder; 0 ms gives none.
std::vector<int> SplitButtonDelay(int ms) {
  std::vector<int> lines(static_cast<std::size_t>(ms / kMaxDelayPairMs), kMaxDelayPairMs);
  if (ms % kMaxDelayPairMs > 0) {
    lines.push_back(ms % kMaxDelayPairMs);
  }
  return lines;
}

std::string DelayLine(int ms) {
  return "0 " + std::to_string(ms);
}

// The opcode and operand of a key's edge: a modifier key sets its bit of
// the modifier byte, any other key its key byte.
std::pair<std::uint8_t, std::uint8_t> KeyEvent(std::uint16_t virtualKey, bool down) {
  const auto modifier =
      std::find_if(kModifierKeys.begin(), kModifierKeys.end(),
                   [&](const ModifierKey& m) { return m.virtualKey == virtualKey; });
  if (modifier != kModifierKeys.end()) {
    return {down ? kModifierDownOpcode : kModifierUpOpcode, modifier->bit};
  }
  return {down ? kKeyDownOpcode : kKeyUpOpcode, keys::UsageForVirtualKey(virtualKey)};
}

// What a press puts in the macro, which its release takes back out: keys
// that share a code (either Shift) are one held key.
std::uint16_t PressCode(std::uint16_t virtualKey) {
  const auto [opcode, operand] = KeyEvent(virtualKey, true);
  return static_cast<std::uint16_t>(opcode << 8 | operand);
}

std::string KeyLine(std::uint16_t virtualKey, bool down) {
  const auto [opcode, operand] = KeyEvent(virtualKey, down);
  return std::string(down ? "1 " : "2 ") + keys::KeyNameForVirtualKey(virtualKey) +
         " CODE:" + HexByte(opcode) + HexByte(operand);
}

}  // namespace

RecorderOptions RecorderOptions::ForMacroPage(bool eepromMode) {
  RecorderOptions options;
  options.recordedEdges.set();
  options.roomCheckForButtons = true;
  options.byteLimit = eepromMode ? kEepromByteLimit : kDriverByteLimit;
  return options;
}

MacroRecorder::MacroRecorder(Clock& clock, RecordingTarget& target, RecorderOptions options)
    : clock_(clock), target_(target), options_(options), byteLimit_(options.byteLimit) {}

RecordingChange MacroRecorder::Btn_StartClick() {
  if (insertRecording_) {
    return {};
  }
  return caption_ == RecordCaption::kRecord ? StartRecording() : StopRecording();
}

RecordingChange MacroRecorder::Btn_InsertStartClick(std::optional<int> selectedEvent,
                                                    int macroLength, InsertSide side) {
  if (recording_ && !insertRecording_) {
    return {};
  }
  if (insertCaption_ == RecordCaption::kStop) {
    return StopInsertRecording();
  }
  if (!selectedEvent) {
    return {};
  }
  return StartInsertRecording(*selectedEvent, macroLength, side);
}

void MacroRecorder::ResetEventState() {
  recordFull_ = false;
  keyUpOverflow_ = false;
  keysHeld_.clear();
  buttonsHeld_.reset();
  lastEventTick_.reset();
  lastKey_ = -1;
}

RecordingChange MacroRecorder::StartRecording() {
  byteLimit_ = options_.byteLimit;
  if (!target_.HasSelectedMacro() || !target_.RecordingStarted()) {
    return {};
  }
  selectedItem_.reset();
  usedBytes_ = 0;
  ResetEventState();
  insertRecording_ = false;
  recording_ = true;
  caption_ = RecordCaption::kStop;
  recordOptions_.SetLocked(true);
  // The header goes in at once, naming the options the recording runs under.
  EnsureHeader();

  RecordingChange change;
  change.captionControl = kBtnStart;
  change.caption = caption_;
  change.enables = {{kGbDelay, false},
                    {kLbPcMacroName, false},
                    {kLbMacroName, false},
                    {kLbMacro, false},
                    {kBtnNew, false}};
  change.image = ControlImage{kImgStart, kStartRecordingImage};
  change.focus = kLbMacro;
  return change;
}

RecordingChange MacroRecorder::StopRecording() {
  recording_ = false;
  caption_ = RecordCaption::kRecord;
  recordOptions_.SetLocked(false);

  RecordingChange change;
  change.captionControl = kBtnStart;
  change.caption = caption_;
  change.saved = target_.Commit();
  change.enables = {{kGbDelay, true},
                    {kLbPcMacroName, true},
                    {kLbMacroName, true},
                    {kLbMacro, true},
                    {kBtnNew, true}};
  change.image = ControlImage{kImgStart, kStartIdleImage};
  return change;
}

RecordingChange MacroRecorder::StartInsertRecording(int selectedEvent, int macroLength,
                                                    InsertSide side) {
  const int eventCount = static_cast<int>(target_.Lines().size()) - 1;
  if (selectedEvent < 0 || selectedEvent >= eventCount || macroLength < 0 ||
      macroLength >= kInsertByteLimit || !target_.InsertRecordingStarted()) {
    return {};
  }
  byteLimit_ = kInsertByteLimit;
  usedBytes_ = macroLength;
  insertPosition_ = selectedEvent;
  insertSide_ = side;
  ResetEventState();
  recording_ = true;
  insertRecording_ = true;
  insertCaption_ = RecordCaption::kStop;
  insertOptions_.SetLocked(true);

  RecordingChange change;
  change.captionControl = kBtnInsertStart;
  change.caption = insertCaption_;
  change.enables = {{kCbInsert, false}, {kBtnOk, false}, {kBtnCancel, false}};
  change.image = ControlImage{kImgInsertStart, kInsertRecordingImage};
  return change;
}

RecordingChange MacroRecorder::StopInsertRecording() {
  recording_ = false;
  insertRecording_ = false;
  target_.InsertRecordingStopped();
  lastEventTick_.reset();
  insertCaption_ = RecordCaption::kRecord;
  insertOptions_.SetLocked(false);

  RecordingChange change;
  change.captionControl = kBtnInsertStart;
  change.caption = insertCaption_;
  change.enables = {{kCbInsert, true}, {kBtnOk, true}, {kBtnCancel, true}};
  change.image = ControlImage{kImgInsertStart, kInsertIdleImage};
  return change;
}

RecordingChange MacroRecorder::StopForLimit() {
  return insertRecording_ ? StopInsertRecording() : StopRecording();
}

const DelayOptions& MacroRecorder::ActiveOptions() const {
  return insertRecording_ ? insertOptions_ : recordOptions_;
}

void MacroRecorder::EnsureHeader() {
  if (target_.Lines().empty()) {
    target_.AddLine(0, ActiveOptions().HeaderLine());
  }
}

void MacroRecorder::AddLine(std::string line) {
  const int size = static_cast<int>(target_.Lines().size());
  if (insertRecording_) {
    const int offset = insertSide_ == InsertSide::kFront ? 1 : 2;
    const int index = std::min(insertPosition_ + offset, size);
    target_.AddLine(static_cast<std::size_t>(index), std::move(line));
    ++insertPosition_;
    selectedItem_ = index - 1;
  } else {
    target_.AddLine(static_cast<std::size_t>(size), std::move(line));
    selectedItem_ = size - 1;
  }
}

std::optional<int> MacroRecorder::PendingDelayMs() const {
  const DelayOptions& options = ActiveOptions();
  if (options.Mode() == DelayMode::kNone || !lastEventTick_) {
    return std::nullopt;
  }
  if (options.Mode() == DelayMode::kDefault) {
    return options.FieldValue();
  }
  const std::uint64_t elapsed = clock_.NowMs() - *lastEventTick_;
  return static_cast<int>(
      std::min<std::uint64_t>(elapsed, static_cast<std::uint64_t>(kMaxRecordedDelayMs)));
}

void MacroRecorder::NoteEventTime() {
  if (ActiveOptions().Mode() != DelayMode::kNone) {
    lastEventTick_ = clock_.NowMs();
  }
}

int MacroRecorder::HeldReleaseBytes() const {
  return static_cast<int>(keysHeld_.size()) * kKeyEventBytes +
         static_cast<int>(buttonsHeld_.count()) * kButtonEventBytes;
}

bool MacroRecorder::KeyHeld(std::uint16_t pressCode) const {
  return std::find(keysHeld_.begin(), keysHeld_.end(), pressCode) != keysHeld_.end();
}

KeyEventResult MacroRecorder::KeyboardHook1Receive(std::uint16_t virtualKey, KeyHookKind kind) {
  if (!recording_ || virtualKey == keys::virtual_key::kNoCode) {
    return {};
  }
  EnsureHeader();

  bool down = true;
  switch (kind) {
    case KeyHookKind::kFurtherDown:
    case KeyHookKind::kFirstDown:
      break;
    case KeyHookKind::kUp:
      down = false;
      break;
    default:
      return {};
  }
  const std::uint16_t pressCode = PressCode(virtualKey);
  const bool held = KeyHeld(pressCode);
  // Once full, only the releases of keys the macro holds still go in, so
  // none stays held down for good.
  if (recordFull_ && (down || !held)) {
    return {};
  }
  if (kind == KeyHookKind::kFurtherDown && virtualKey == lastKey_) {
    return {};  // auto-repeat of the key already down
  }
  lastKey_ = virtualKey;

  std::optional<int> delay = PendingDelayMs();
  const int delayBytes = delay ? DelayPairCount(*delay) * kDelayPairBytes : 0;
  // The releases of everything the macro holds always keep their room.
  const int reserved = HeldReleaseBytes();
  if (down) {
    const int ownRelease = held ? 0 : kKeyEventBytes;
    if (usedBytes_ > byteLimit_ - ActiveOptions().Reserve() ||
        usedBytes_ + delayBytes + kKeyEventBytes + reserved + ownRelease > byteLimit_) {
      keyUpOverflow_ = true;
      recordFull_ = true;
      return {EventOutcome::kRefused, {}};
    }
  } else {
    const int othersReserved = reserved - (held ? kKeyEventBytes : 0);
    const int room = byteLimit_ - usedBytes_ - kKeyEventBytes - othersReserved;
    if (room < 0) {
      // Only a key the macro does not hold finds no room. With nothing held
      // the macro is complete and the recording ends.
      if (reserved == 0) {
        return {EventOutcome::kStopped, StopForLimit()};
      }
      return {};
    }
    if (delayBytes > room) {
      // A release is kept with a shorter pause rather than leave its key
      // held down for good in the macro.
      delay = DelayWithinPairs(*delay, room / kDelayPairBytes);
    }
  }

  if (delay) {
    AddLine(DelayLine(*delay));
    usedBytes_ += DelayPairCount(*delay) * kDelayPairBytes;
  }
  NoteEventTime();
  AddLine(KeyLine(virtualKey, down));
  usedBytes_ += kKeyEventBytes;
  if (down && !held) {
    keysHeld_.push_back(pressCode);
  } else if (!down && held) {
    keysHeld_.erase(std::find(keysHeld_.begin(), keysHeld_.end(), pressCode));
  }
  return {EventOutcome::kRecorded, {}};
}

EventOutcome MacroRecorder::MouseButtonEdge(ButtonEdge edge) {
  const auto index = static_cast<std::size_t>(edge);
  if (!recording_ || index >= kButtonEdgeCount || !options_.recordedEdges.test(index) ||
      (IsLeftEdge(edge) && pointerOverButton_)) {
    return EventOutcome::kIgnored;
  }
  EnsureHeader();

  const bool down = IsDownEdge(edge);
  const std::size_t button = index / 2;
  std::vector<int> delayLines;
  if (const std::optional<int> delay = PendingDelayMs()) {
    delayLines = SplitButtonDelay(*delay);
  }

  if (options_.roomCheckForButtons) {
    // Room left for the pause in front of this edge: the releases of what the
    // macro holds (and of the button a press holds) keep theirs.
    const bool held = buttonsHeld_.test(button);
    const int reserved = HeldReleaseBytes();
    const int kept = down ? reserved + (held ? 0 : kButtonEventBytes)
                          : reserved - (held ? kButtonEventBytes : 0);
    const int room = byteLimit_ - usedBytes_ - kButtonEventBytes - kept;
    const int delayBytes = static_cast<int>(delayLines.size()) * kDelayPairBytes;
    // Once full, no further press is taken, so the macro never skips an event
    // in its middle; only releases of buttons it holds still go in, so none
    // stays held down for good.
    const bool fits = down ? !recordFull_ && usedBytes_ <= byteLimit_ - ActiveOptions().Reserve() &&
                                 delayBytes <= room
                           : room >= 0 && (!recordFull_ || held);
    if (!fits) {
      recordFull_ = true;
      return EventOutcome::kRefused;
    }
    if (delayBytes > room) {
      // A release with a shorter pause, rather than a button held for good.
      delayLines.resize(static_cast<std::size_t>(room / kDelayPairBytes));
    }
  }

  for (int ms : delayLines) {
    AddLine(DelayLine(ms));
    usedBytes_ += kDelayPairBytes;
  }
  NoteEventTime();
  AddLine(std::string(kButtonLines[index]));
  usedBytes_ += kButtonEventBytes;
  buttonsHeld_.set(button, down);
  return EventOutcome::kRecorded;
}

}  // namespace orbic::macros
