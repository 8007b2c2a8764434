#include "fire/FireContentEditor.h"

#include <algorithm>

#include "base/Clock.h"
#include "base/HexText.h"
#include "fire/FireParameterRules.h"
#include "macros/MacroCodec.h"

namespace orbic::fire {
namespace {

constexpr std::string_view kHeaderNone = "00";
constexpr std::string_view kHeaderRecord = "10";
constexpr std::string_view kHeaderDelayTime = "01";
constexpr std::uint64_t kMaxRecordedDelayMs = 10200;
constexpr int kMaxDelayLineMs = 2040;
constexpr int kMaxRepeatOperand = 255;
// Type digits of the line form.
constexpr char kDelayType = '0';
constexpr char kKeyDownType = '1';
constexpr char kKeyUpType = '2';
// A key line ends in " CODE:" and four digits.
constexpr std::size_t kKeyLineTail = 10;

std::string DelayLine(int ms) {
  return "0 " + std::to_string(ms);
}

std::string MoveLine(bool x, int value) {
  const auto byte = static_cast<std::uint8_t>(static_cast<std::int8_t>(value));
  const char* prefix = x ? (value >= 0 ? "3 FB" : "4 FB") : (value >= 0 ? "5 FA" : "6 FA");
  return prefix + HexByte(byte);
}

char LineType(const std::string& line) {
  return line.empty() ? '\0' : line.front();
}

// The key name of a key line: between the type and the code tail.
std::optional<std::string> KeyName(const std::string& line) {
  const char type = LineType(line);
  if ((type != kKeyDownType && type != kKeyUpType) || line.size() < 2 + kKeyLineTail) {
    return std::nullopt;
  }
  return line.substr(2, line.size() - 2 - kKeyLineTail);
}

std::optional<std::size_t> EventBytes(const macros::MacroLines& lines) {
  const auto bytes = macros::MacroEventBytes(lines);
  if (!bytes) {
    return std::nullopt;
  }
  return bytes->size();
}

std::string RecordHex(const FireMacroRecord& record, std::size_t count) {
  std::string hex;
  for (std::size_t i = 0; i < std::min(count, record.size()); ++i) {
    hex += HexByte(record[i]);
  }
  return hex;
}

int ClampedNumber(std::string_view text, int min, int max) {
  return static_cast<int>(std::clamp<long long>(ParseEditNumber(text).value_or(0), min, max));
}

}  // namespace

FireContentEditor::FireContentEditor(FireMacroTable& table, Clock& clock)
    : table_(table), clock_(clock) {}

void FireContentEditor::Hide() {
  if (recording_) {
    StopRecording();
  }
  insertOpen_ = false;
  visible_ = false;
}

int FireContentEditor::ItemCount() const {
  return lines_.empty() ? 0 : static_cast<int>(lines_.size()) - 1;
}

void FireContentEditor::LB_FireMacroClick(int item) {
  if (item >= 0 && item < ItemCount()) {
    selectedItem_ = item;
  }
}

std::optional<std::size_t> FireContentEditor::SelectedLineIndex() const {
  if (!selectedItem_ || *selectedItem_ >= ItemCount()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(*selectedItem_) + 1;
}

void FireContentEditor::LB_FireMacroNameClick(int n) {
  if (n < 1 || n > kFireMacroCount || !ListEnabled()) {
    return;
  }
  fireMacro_ = n;
  Decode();
}

void FireContentEditor::Decode() {
  lines_.clear();
  selectedItem_.reset();
  script_.clear();
  error_.clear();
  if (!fireMacro_) {
    return;
  }
  const FireMacroRecord& record = table_.Record(*fireMacro_);
  const std::uint8_t rawLength = record[record::kLength];
  if (rawLength == 0 || rawLength == 0xFF) {
    return;
  }
  const std::size_t length = std::min<std::size_t>(rawLength, record::kMaxLength);
  script_ = RecordHex(record, length + 2);
  if (record[record::kStopMode] == record::kStopOnRelease) {
    stopOnRelease_ = true;
  } else if (record[record::kStopMode] == record::kRunToEnd) {
    stopOnRelease_ = false;
  }
  lines_.emplace_back(kHeaderNone);
  std::size_t i = record::kEvents;
  while (i <= length) {
    const std::uint8_t code = record[i];
    const auto size = EventSize(code);
    if (!size || i + *size - 1 > length) {
      break;  // an unknown byte ends the macro
    }
    const std::uint8_t operand = *size == 2 ? record[i + 1] : 0;
    switch (code) {
      case event::kLeftDown:
        lines_.emplace_back(kFireLeftDownLine);
        break;
      case event::kLeftUp:
        lines_.emplace_back(kFireLeftUpLine);
        break;
      case event::kRepeatStop:
        lines_.emplace_back("8 00FC");
        break;
      case event::kMoveX:
        lines_.push_back(MoveLine(true, static_cast<std::int8_t>(operand)));
        break;
      case event::kMoveY:
        lines_.push_back(MoveLine(false, static_cast<std::int8_t>(operand)));
        break;
      case event::kRepeatStart:
        lines_.push_back("7 FD" + HexByte(operand));
        break;
      case event::kDelay:
        lines_.push_back(DelayLine(operand * event::kMsPerDelayUnit));
        break;
      default:
        break;
    }
    i += *size;
  }
  if (ItemCount() > 0) {
    selectedItem_ = ItemCount() - 1;
  }
}

bool FireContentEditor::Commit(const macros::MacroLines& candidate) {
  if (!fireMacro_) {
    return false;
  }
  std::string why;
  const auto events = macros::MacroEventBytes(candidate, &why);
  if (!events) {
    error_ = why;
    return false;
  }
  if (events->size() > record::kMaxEventBytes) {
    error_ = "a fire macro holds at most " + std::to_string(record::kMaxEventBytes) +
             " event bytes; this change needs " + std::to_string(events->size());
    return false;
  }
  error_.clear();
  lines_ = candidate;
  FireMacroRecord& record = table_.Record(*fireMacro_);
  record.fill(0);
  if (events->empty()) {
    script_.clear();
    NotifyChanged();
    return true;
  }
  record[record::kStopMode] = stopOnRelease_ ? record::kStopOnRelease : record::kRunToEnd;
  record[record::kLength] = static_cast<std::uint8_t>(events->size() + 1);
  std::copy(events->begin(), events->end(), record.begin() + record::kEvents);
  FireMacroChecksum(record);
  script_ = RecordHex(record, events->size() + 3);
  NotifyChanged();
  return true;
}

void FireContentEditor::NotifyChanged() const {
  if (recordChanged_ && fireMacro_) {
    recordChanged_(*fireMacro_);
  }
}

void FireContentEditor::Edt_FireDelayChange(std::string_view text) {
  fireDelayText_ = std::to_string(ClampedNumber(text, 0, kMaxDelayLineMs));
}

void FireContentEditor::Btn_FireStartClick() {
  if (recording_) {
    StopRecording();
    return;
  }
  if (!fireMacro_ || insertOpen_) {
    return;
  }
  lines_.clear();
  selectedItem_.reset();
  script_.clear();
  error_.clear();
  table_.Record(*fireMacro_).fill(0);
  NotifyChanged();
  switch (delayOption_) {
    case FireDelayOption::kRecord:
      lines_.emplace_back(kHeaderRecord);
      break;
    case FireDelayOption::kDelayTime:
      lines_.push_back(std::string(kHeaderDelayTime) + fireDelayText_);
      break;
    case FireDelayOption::kNone:
      lines_.emplace_back(kHeaderNone);
      break;
  }
  lastEdgeMs_.reset();
  recording_ = true;
}

void FireContentEditor::StopRecording() {
  recording_ = false;
  lastEdgeMs_.reset();
  const macros::MacroLines recorded = lines_;
  if (!Commit(recorded)) {
    // Edges are only taken while they fit, so this cannot happen; an empty
    // record is still better than a half-written one.
    lines_.clear();
    table_.Record(*fireMacro_).fill(0);
    NotifyChanged();
  }
}

void FireContentEditor::AppendDelayLines(macros::MacroLines& lines, std::uint64_t now) const {
  if (!lastEdgeMs_) {
    return;  // the first edge of a recording has no delay in front
  }
  std::uint64_t delay = 0;
  switch (delayOption_) {
    case FireDelayOption::kRecord:
      delay = std::min(now - *lastEdgeMs_, kMaxRecordedDelayMs);
      break;
    case FireDelayOption::kDelayTime:
      delay = static_cast<std::uint64_t>(ClampedNumber(fireDelayText_, 0, kMaxDelayLineMs));
      break;
    case FireDelayOption::kNone:
      return;
  }
  for (; delay >= static_cast<std::uint64_t>(kMaxDelayLineMs); delay -= kMaxDelayLineMs) {
    lines.push_back(DelayLine(kMaxDelayLineMs));
  }
  if (delay > 0) {
    lines.push_back(DelayLine(static_cast<int>(delay)));
  }
}

void FireContentEditor::LeftButtonEdge(bool down) {
  if (!recording_ || pointerOverButton_) {
    return;
  }
  const std::uint64_t now = clock_.NowMs();
  macros::MacroLines candidate = lines_;
  AppendDelayLines(candidate, now);
  candidate.emplace_back(down ? kFireLeftDownLine : kFireLeftUpLine);
  const auto size = EventBytes(candidate);
  if (!size || *size > record::kMaxEventBytes) {
    StopRecording();  // the record is full
    return;
  }
  lines_ = std::move(candidate);
  if (delayOption_ != FireDelayOption::kNone) {
    lastEdgeMs_ = now;
  } else if (!lastEdgeMs_) {
    lastEdgeMs_ = now;
  }
  selectedItem_ = ItemCount() - 1;
}

FireEditDialog FireContentEditor::Btn_FireEditClick() {
  const auto line = SelectedLineIndex();
  if (!line || !ListEnabled()) {
    return FireEditDialog::kNone;
  }
  switch (LineType(lines_[*line])) {
    case kDelayType:
      return FireEditDialog::kDelay;
    case kKeyDownType:
    case kKeyUpType:
      return FireEditDialog::kKey;
    default:
      return FireEditDialog::kNone;
  }
}

bool FireContentEditor::ConfirmDelay(int ms) {
  const auto line = SelectedLineIndex();
  if (!line || LineType(lines_[*line]) != kDelayType) {
    return false;
  }
  macros::MacroLines candidate = lines_;
  candidate[*line] = DelayLine(std::clamp(ms, 0, kMaxDelayLineMs));
  return Commit(candidate);
}

bool FireContentEditor::SelectedLineIsPress() const {
  const auto line = SelectedLineIndex();
  return line && LineType(lines_[*line]) == kKeyDownType;
}

bool FireContentEditor::ConfirmKeyEvent(std::string_view eventText) {
  const std::string type(1, SelectedLineIsPress() ? kKeyDownType : kKeyUpType);
  return ConfirmKeyLine(type + " " + std::string(eventText));
}

bool FireContentEditor::ConfirmKeyLine(std::string_view newLine) {
  const auto line = SelectedLineIndex();
  if (!line || (LineType(lines_[*line]) != kKeyDownType && LineType(lines_[*line]) != kKeyUpType)) {
    return false;
  }
  if (newLine != kFireLeftDownLine && newLine != kFireLeftUpLine) {
    error_ = "a fire macro holds only left-button presses and releases";
    return false;
  }
  macros::MacroLines candidate = lines_;
  candidate[*line] = std::string(newLine);
  return Commit(candidate);
}

bool FireContentEditor::Btn_FireDelClick() {
  const auto line = SelectedLineIndex();
  if (!line || !ListEnabled()) {
    return false;
  }
  macros::MacroLines candidate = lines_;
  std::size_t removedFirst = *line;
  const char type = LineType(candidate[*line]);
  const auto name = KeyName(candidate[*line]);
  std::optional<std::size_t> partner;
  if (name && type == kKeyDownType) {
    for (std::size_t i = *line + 1; i < candidate.size() && !partner; ++i) {
      if (KeyName(candidate[i]) == name) {
        partner = i;
      }
    }
  } else if (name && type == kKeyUpType) {
    for (std::size_t i = *line - 1; i >= 1 && !partner; --i) {
      if (KeyName(candidate[i]) == name) {
        partner = i;
      }
    }
  }
  if (partner) {
    candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(std::max(*line, *partner)));
    removedFirst = std::min(*line, *partner);
  }
  candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(removedFirst));
  if (!Commit(candidate)) {
    return false;
  }
  // The item before the removed one, or the first item.
  const int item = static_cast<int>(removedFirst) - 2;
  if (ItemCount() == 0) {
    selectedItem_.reset();
  } else {
    selectedItem_ = std::clamp(item, 0, ItemCount() - 1);
  }
  return true;
}

void FireContentEditor::Btn_FireInsertClick() {
  if (!fireMacro_ || recording_) {
    return;
  }
  insertOpen_ = true;
  CB_InsertFireChange(0);
}

void FireContentEditor::CB_InsertFireChange(int index) {
  if (index >= 0 && index < kFireInsertItemCount) {
    insertItem_ = static_cast<FireInsertItem>(index);
  }
}

void FireContentEditor::Edt_InsertFireDelayChange(std::string_view text) {
  insertDelayText_ = std::to_string(ClampedNumber(text, 0, kMaxDelayLineMs));
}

void FireContentEditor::edt_FireRepeatChange(std::string_view text) {
  repeatText_ = std::to_string(ClampedNumber(text, 0, kMaxRepeatOperand));
}

void FireContentEditor::edt_FireXAxisValueChange(std::string_view text) {
  xAxisText_ = XStepEdit(text).text;
}

void FireContentEditor::edt_FireYAxisValueChange(std::string_view text) {
  yAxisText_ = XStepEdit(text).text;  // the same -128..127 rule
}

bool FireContentEditor::Btn_FireOKClick() {
  const auto line = SelectedLineIndex();
  if (!insertOpen_ || !line) {
    return false;
  }
  std::string newLine;
  bool before = true;
  switch (insertItem_) {
    case FireInsertItem::kDelayFront:
    case FireInsertItem::kDelayBack:
      newLine = DelayLine(ClampedNumber(insertDelayText_, 0, kMaxDelayLineMs));
      before = insertItem_ == FireInsertItem::kDelayFront;
      break;
    case FireInsertItem::kRepeatStart:
      newLine =
          "7 FD" +
          HexByte(static_cast<std::uint8_t>(ClampedNumber(repeatText_, 0, kMaxRepeatOperand)));
      break;
    case FireInsertItem::kRepeatStop:
      newLine = "8 00FC";
      before = false;
      break;
    case FireInsertItem::kXFront:
    case FireInsertItem::kXBack:
      newLine = MoveLine(true, ClampedNumber(xAxisText_, -128, 127));
      before = insertItem_ == FireInsertItem::kXFront;
      break;
    case FireInsertItem::kYFront:
    case FireInsertItem::kYBack:
      newLine = MoveLine(false, ClampedNumber(yAxisText_, -128, 127));
      before = insertItem_ == FireInsertItem::kYFront;
      break;
  }
  const std::size_t at = before ? *line : *line + 1;
  macros::MacroLines candidate = lines_;
  candidate.insert(candidate.begin() + static_cast<std::ptrdiff_t>(at), newLine);
  if (!Commit(candidate)) {
    return false;
  }
  selectedItem_ = static_cast<int>(at) - 1;
  insertOpen_ = false;
  return true;
}

void FireContentEditor::Btn_FireCancelClick() {
  insertOpen_ = false;
  Decode();
}

void FireContentEditor::RecordEdited(int fireMacro) {
  if (recording_ || !fireMacro_ || *fireMacro_ != fireMacro) {
    return;
  }
  const std::optional<int> selected = selectedItem_;
  Decode();
  if (selected && *selected < ItemCount()) {
    selectedItem_ = selected;
  }
}

}  // namespace orbic::fire
