#include "macros/MacroEditor.h"

#include <algorithm>
#include <span>
#include <type_traits>

#include "base/HexText.h"
#include "base/UiHost.h"
#include "macros/MacroCodec.h"
#include "macros/MacroLibrary.h"
#include "ui/MessageStrings.h"

namespace orbic::macros {

namespace {

// Length bytes of a record that holds no macro: all zero, or all 0xFF as an
// erased store reads.
constexpr std::uint8_t kErasedLength = 0xFF;
constexpr std::size_t kStopModeOffset = 0;
constexpr std::size_t kLengthOffset = 1;

}  // namespace

// The operations the editor needs from a library, whichever form it has.
class MacroEditor::Library {
 public:
  virtual ~Library() = default;
  virtual bool DriverForm() const = 0;
  virtual std::size_t Count() const = 0;
  virtual std::vector<std::string> Names() const = 0;
  virtual bool Contains(std::string_view name) const = 0;
  virtual std::optional<std::size_t> Add(const NameField& name) = 0;
  virtual void Rename(std::size_t index, const NameField& name) = 0;
  virtual void Remove(std::size_t index) = 0;
  // Whether the record's length says it holds events worth decoding.
  virtual bool HoldsEvents(std::size_t index) const = 0;
  virtual int Length(std::size_t index) const = 0;
  virtual std::uint8_t StopByte(std::size_t index) const = 0;
  virtual void SetStopByte(std::size_t index, std::uint8_t value) = 0;
  // The stored bytes from the stop mode through the checksum, as hex.
  virtual std::string StoredHex(std::size_t index) const = 0;
  virtual DecodedMacro Decode(std::size_t index) const = 0;
  virtual EncodeResult Encode(std::size_t index, const MacroLines& lines, StopMode stopMode) = 0;
  // A recording starts from an empty record (memory mode only: the driver
  // record keeps its bytes until the recording is encoded).
  virtual void ClearForRecording(std::size_t index) = 0;
};

namespace {

template <typename Lib>
class LibraryOf final : public MacroEditor::Library {
 public:
  static constexpr bool kDriver = std::is_same_v<Lib, DriverMacroLibrary>;

  explicit LibraryOf(Lib& library) : library_(library) {}

  bool DriverForm() const override { return kDriver; }
  std::size_t Count() const override { return library_.Count(); }
  std::vector<std::string> Names() const override { return library_.Names(); }
  bool Contains(std::string_view name) const override { return library_.Find(name).has_value(); }
  std::optional<std::size_t> Add(const NameField& name) override { return library_.Add(name); }
  void Rename(std::size_t index, const NameField& name) override {
    library_.Record(index).name = name;
  }
  void Remove(std::size_t index) override { library_.Remove(index); }

  bool HoldsEvents(std::size_t index) const override {
    const auto& content = library_.Record(index).content;
    if constexpr (kDriver) {
      const bool zero = content[1] == 0 && content[2] == 0;
      const bool erased = content[1] == kErasedLength && content[2] == kErasedLength;
      return !zero && !erased;
    } else {
      return content[kLengthOffset] != 0 && content[kLengthOffset] != kErasedLength;
    }
  }
  int Length(std::size_t index) const override {
    return ContentLength(library_.Record(index).content);
  }
  std::uint8_t StopByte(std::size_t index) const override {
    return library_.Record(index).content[kStopModeOffset];
  }
  void SetStopByte(std::size_t index, std::uint8_t value) override {
    library_.Record(index).content[kStopModeOffset] = value;
  }
  std::string StoredHex(std::size_t index) const override {
    const auto& content = library_.Record(index).content;
    // Stop mode, length byte(s), events and checksum; a length that points
    // past the content shows only what is there.
    const std::size_t lengthBytes = kDriver ? 2 : 1;
    const std::size_t shown = std::min(
        content.size(), static_cast<std::size_t>(ContentLength(content)) + lengthBytes + 1);
    return HexBytes(std::span(content).first(shown));
  }
  DecodedMacro Decode(std::size_t index) const override {
    return DecodeMacroContent(library_.Record(index).content);
  }
  EncodeResult Encode(std::size_t index, const MacroLines& lines, StopMode stopMode) override {
    return EncodeMacroLines(lines, stopMode, library_.Record(index).content);
  }
  void ClearForRecording(std::size_t index) override {
    if constexpr (!kDriver) {
      library_.Record(index).content.fill(0);
    }
  }

 private:
  Lib& library_;
};

// The partner of the key line at `line` (a line index): the nearest line of
// the opposite edge of the same key, following a press, preceding a release.
// Only key lines pair, so a key without a name never pairs with a delay line.
std::optional<std::size_t> PairedKeyLine(const MacroLines& lines, std::size_t line) {
  const auto type = LineType(lines[line]);
  if (type != 1 && type != 2) {
    return std::nullopt;
  }
  const std::string name = KeyNameOfLine(lines[line]);
  const int partnerType = *type == 1 ? 2 : 1;
  const auto pairs = [&](std::size_t j) {
    return LineType(lines[j]) == partnerType && KeyNameOfLine(lines[j]) == name;
  };
  if (*type == 1) {
    for (std::size_t j = line + 1; j < lines.size(); ++j) {
      if (pairs(j)) {
        return j;
      }
    }
  } else {
    for (std::size_t j = line - 1; j >= 1; --j) {
      if (pairs(j)) {
        return j;
      }
    }
  }
  return std::nullopt;
}

}  // namespace

MacroEditor::MacroEditor(MacroLibrary& library, SaveLibrary save,
                         const ui::MessageStrings& messages, UiHost& ui)
    : MacroEditor(std::make_unique<LibraryOf<MacroLibrary>>(library), std::move(save), messages,
                  ui) {}

MacroEditor::MacroEditor(DriverMacroLibrary& library, SaveLibrary save,
                         const ui::MessageStrings& messages, UiHost& ui)
    : MacroEditor(std::make_unique<LibraryOf<DriverMacroLibrary>>(library), std::move(save),
                  messages, ui) {}

MacroEditor::MacroEditor(std::unique_ptr<Library> library, SaveLibrary save,
                         const ui::MessageStrings& messages, UiHost& ui)
    : library_(std::move(library)), save_(std::move(save)), messages_(messages), ui_(ui) {}

MacroEditor::~MacroEditor() = default;

// ---------------------------------------------------------------- controls

MacroPageControls MacroEditor::Controls() const {
  MacroPageControls controls;
  controls.LB_PCMacroName = library_->Names();
  controls.LB_PCMacroNameIndex = selectedMacro_;
  for (std::size_t i = 1; i < lines_.size(); ++i) {
    controls.LB_macro.push_back(EventListText(lines_[i]));
  }
  controls.LB_macroIndex = selectedEvent_;
  controls.LB_macroTopIndex = eventListTopIndex_;
  controls.mmo_macro = lines_;
  controls.mmo_wrscript = wrscript_;

  controls.stopMode = stopMode_;
  const bool untilRelease = stopMode_ == StopMode::kUntilKeyRelease;
  controls.IB_ReleaseStopImage = untilRelease ? kOptionChosen : kOptionNotChosen;
  controls.IB_ReleaseContiueImage = untilRelease ? kOptionNotChosen : kOptionChosen;

  const bool browsing = Browsing();
  const bool recording = state_ == MacroPageState::kRecording;
  const bool inserting = state_ == MacroPageState::kInserting;
  // Memory mode has room for 100 macros; driver mode lets the command
  // refuse instead, as its list has no fixed size.
  const bool full = !library_->DriverForm() && library_->Count() >= kLibraryCapacity;
  controls.Btn_NewEnabled = browsing && !full;
  controls.Btn_StartEnabled = !inserting;
  controls.LB_PCMacroNameEnabled = NameListUsable();
  controls.LB_MacroNameEnabled = browsing;
  controls.LB_macroEnabled = !recording;
  controls.Gb_DelayShown = !inserting;
  controls.Gb_DelayEnabled = browsing;
  controls.delayLabelsShown = !inserting;
  controls.Gb_InsertShown = inserting;
  controls.CB_InsertEnabled = inserting && !insertRecording_;
  controls.Btn_OKEnabled = controls.CB_InsertEnabled;
  controls.Btn_CancelEnabled = controls.CB_InsertEnabled;
  controls.Pnl_PCMacroShown = nameMenuShown_;
  controls.Pnl_DevContentShown = eventMenuShown_;
  if (readOnly_) {
    controls.macroNotice = std::string(kUnreadableEventsNotice);
  }
  return controls;
}

bool MacroEditor::NameListUsable() const {
  // While insert-recording the recorder writes into the shown lines, so
  // showing another macro then would carry its lines into the wrong record.
  return Browsing() || (state_ == MacroPageState::kInserting && !insertRecording_);
}

bool MacroEditor::CanCreate() const {
  return library_->Count() <
         (library_->DriverForm() ? kDriverLibraryCreateLimit : kLibraryCapacity);
}

void MacroEditor::HideMenus() {
  nameMenuShown_ = false;
  eventMenuShown_ = false;
}

void MacroEditor::CloseDialogs() {
  nameDialog_.reset();
  EditDialogClose();
}

void MacroEditor::LibraryReplaced() {
  if (state_ == MacroPageState::kRecording || insertRecording_) {
    return;  // the recorder owns the lines until it stops
  }
  state_ = MacroPageState::kBrowsing;
  HideMenus();
  ShowMacro(std::nullopt);
}

// ---------------------------------------------------------------- lists

void MacroEditor::ShowMacro(std::optional<std::size_t> index) {
  CloseDialogs();
  lines_.clear();
  wrscript_.clear();
  selectedEvent_.reset();
  decodedDelay_.reset();
  readOnly_ = false;
  if (index && *index >= library_->Count()) {
    index.reset();
  }
  selectedMacro_ = index;
  if (index && library_->HoldsEvents(*index)) {
    const DecodedMacro decoded = library_->Decode(*index);
    if (decoded.stopMode) {
      stopMode_ = *decoded.stopMode;
    }
    wrscript_ = library_->StoredHex(*index);
    lines_ = decoded.lines;
    decodedDelay_ = DecodedDelay{decoded.delayMode, decoded.defaultDelayMs};
    readOnly_ = !decoded.complete;
  }
  if (onMacroShown_) {
    onMacroShown_();
  }
}

void MacroEditor::LB_PCMacroNameClick(std::optional<std::size_t> index) {
  if (!NameListUsable()) {
    return;
  }
  HideMenus();
  ShowMacro(index);
}

void MacroEditor::LB_PCMacroNameRightClick(std::optional<std::size_t> index) {
  if (!NameListUsable()) {
    return;
  }
  LB_PCMacroNameClick(index);
  nameMenuShown_ = Browsing();
}

void MacroEditor::LB_macroClick(std::optional<std::size_t> index) {
  if (state_ == MacroPageState::kRecording) {
    return;
  }
  HideMenus();
  const std::size_t events = lines_.empty() ? 0 : lines_.size() - 1;
  selectedEvent_ = index && *index < events ? index : std::nullopt;
}

void MacroEditor::LB_macroRightClick(std::optional<std::size_t> index) {
  if (state_ == MacroPageState::kRecording) {
    return;
  }
  LB_macroClick(index);
  eventMenuShown_ = Browsing() && selectedMacro_ && selectedEvent_ && !readOnly_;
}

void MacroEditor::ClearMacro() {
  HideMenus();
}

// ---------------------------------------------------------------- library commands

void MacroEditor::Btn_NewMacroClick() {
  if (!Browsing()) {
    return;
  }
  // Only the option: the macro selected now keeps its stored stop mode.
  if (CanCreate()) {
    stopMode_ = StopMode::kAfterMacroIsOver;
  }
  Btn_NewClick();
}

void MacroEditor::Btn_NewClick() {
  if (!Browsing()) {
    return;
  }
  HideMenus();
  if (!CanCreate()) {
    return;
  }
  EditDialogClose();
  nameDialog_.emplace(NameDialogPurpose::kCreate);
}

void MacroEditor::Btn_NewNameClick() {
  if (!Browsing() || !selectedMacro_) {
    return;
  }
  HideMenus();
  EditDialogClose();
  nameDialog_.emplace(NameDialogPurpose::kRename);
}

void MacroEditor::NameDialogConfirm() {
  if (!nameDialog_) {
    return;
  }
  const std::string name = nameDialog_->Text();
  const NameDialogPurpose purpose = nameDialog_->Purpose();
  nameDialog_.reset();
  if (name.empty() || !Browsing()) {
    return;
  }
  if (library_->Contains(name)) {
    ui_.ShowMessage(messages_.str106, MessageStyle::kDialog);
    return;
  }
  const auto field = EncodeName(name);
  if (!field) {
    return;  // the dialog keeps names within the field
  }
  if (purpose == NameDialogPurpose::kRename) {
    if (!selectedMacro_) {
      return;
    }
    library_->Rename(*selectedMacro_, *field);
    Save();
    return;
  }
  if (!CanCreate()) {
    return;
  }
  const auto index = library_->Add(*field);
  if (!index) {
    return;
  }
  ShowMacro(index);
  Save();
}

void MacroEditor::Btn_DelPCMacroClick() {
  if (!Browsing() || !selectedMacro_) {
    return;
  }
  HideMenus();
  const std::size_t index = *selectedMacro_;
  library_->Remove(index);
  // The macro before the deleted one (or the first) is shown, so the lines
  // always belong to the selected macro.
  std::optional<std::size_t> next;
  if (library_->Count() > 0) {
    next = index > 0 ? index - 1 : 0;
  }
  ShowMacro(next);
  Save();
}

// ---------------------------------------------------------------- event commands

EditDialogKind MacroEditor::EditDialog() const {
  if (keyDialog_) {
    return EditDialogKind::kKey;
  }
  if (delayDialog_) {
    return EditDialogKind::kDelay;
  }
  if (valueDialog_) {
    return EditDialogKind::kValue;
  }
  return EditDialogKind::kNone;
}

void MacroEditor::Btn_EditClick() {
  if (!Browsing() || !selectedMacro_ || !selectedEvent_ || readOnly_) {
    return;
  }
  HideMenus();
  CloseDialogs();
  const auto type = LineType(lines_[*selectedEvent_ + 1]);
  if (!type) {
    return;
  }
  switch (*type) {
    case 0:
      delayDialog_.emplace();
      break;
    case 1:
      keyDialog_.emplace(keys::KeyEventKind::kPress);
      break;
    case 2:
      keyDialog_.emplace(keys::KeyEventKind::kRelease);
      break;
    case 3:
    case 4:
      valueDialog_.emplace(ValueKind::kX);
      break;
    case 5:
    case 6:
      valueDialog_.emplace(ValueKind::kY);
      break;
    case 7:
      valueDialog_.emplace(ValueKind::kRepeat);
      break;
    default:
      return;  // a repeat stop has nothing to edit
  }
  editLine_ = selectedEvent_;
}

void MacroEditor::EditDialogClose() {
  keyDialog_.reset();
  delayDialog_.reset();
  valueDialog_.reset();
  editLine_.reset();
}

void MacroEditor::EditDialogConfirm() {
  std::string newLine;
  const std::optional<std::size_t> editLine = editLine_;
  if (keyDialog_ && editLine && *editLine + 1 < lines_.size()) {
    const keys::KeyCaptureResult result = keyDialog_->Confirm();
    if (!result.eventText.empty()) {
      const bool press = LineType(lines_[*editLine + 1]) == 1;
      newLine = (press ? "1 " : "2 ") + result.eventText;
    }
  } else if (delayDialog_) {
    newLine = delayDialog_->ConfirmedLine();
  } else if (valueDialog_) {
    newLine = valueDialog_->ConfirmedLine();
  }
  EditDialogClose();
  if (newLine.empty() || !editLine || *editLine + 1 >= lines_.size() || !Browsing()) {
    return;
  }
  const MacroLines before = lines_;
  const auto selectionBefore = selectedEvent_;
  // The other edge of the key follows, so no key is left held down: the
  // partner is found by the key as it was, before the line changes.
  const std::optional<std::size_t> partner = PairedKeyLine(lines_, *editLine + 1);
  lines_[*editLine + 1] = newLine;
  if (partner) {
    if (const auto other = OtherEdgeLine(newLine)) {
      lines_[*partner] = *other;
    }
  }
  selectedEvent_ = editLine;
  Commit(before, selectionBefore);
}

void MacroEditor::Btn_DelClick() {
  if (!Browsing() || !selectedMacro_ || !selectedEvent_ || readOnly_) {
    return;
  }
  HideMenus();
  CloseDialogs();
  const std::size_t line = *selectedEvent_ + 1;
  std::vector<std::size_t> removed{line};
  // A key line takes its partner (the other edge of the same key) with it.
  if (const auto partner = PairedKeyLine(lines_, line)) {
    removed.push_back(*partner);
  }
  const MacroLines before = lines_;
  const auto selectionBefore = selectedEvent_;
  // The selection goes to the item before the deleted one, or the first.
  std::size_t keptBefore = 0;
  for (std::size_t j = 1; j < line; ++j) {
    keptBefore += std::find(removed.begin(), removed.end(), j) == removed.end() ? 1 : 0;
  }
  std::sort(removed.rbegin(), removed.rend());
  for (std::size_t j : removed) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(j));
  }
  if (lines_.size() <= 1) {
    selectedEvent_.reset();
  } else {
    selectedEvent_ = keptBefore > 0 ? keptBefore - 1 : 0;
  }
  Commit(before, selectionBefore);
}

// ---------------------------------------------------------------- insert panel

void MacroEditor::Btn_InsertClick() {
  if (!Browsing() || !selectedMacro_ || !selectedEvent_ || readOnly_) {
    return;
  }
  HideMenus();
  CloseDialogs();
  state_ = MacroPageState::kInserting;
  rememberedEvent_ = selectedEvent_;
  rememberedTopIndex_ = eventListTopIndex_;
  insertPanel_.CB_InsertChange(0);
}

void MacroEditor::CB_InsertChange(int index) {
  if (state_ != MacroPageState::kInserting || insertRecording_) {
    return;
  }
  insertPanel_.CB_InsertChange(index);
}

void MacroEditor::Btn_OKClick() {
  if (state_ != MacroPageState::kInserting || insertRecording_) {
    return;
  }
  const InsertItemLayout& layout = insertPanel_.Layout();
  if (layout.recorded) {
    // The recorded lines are in place; they only need committing.
    if (selectedMacro_) {
      const EncodeResult result = library_->Encode(*selectedMacro_, lines_, stopMode_);
      if (!result.ok) {
        ShowEncodeRefusal(result.error);
        // Drop what was recorded on this panel: the record still holds the
        // macro as it was when the panel opened.
        const auto remembered = rememberedEvent_;
        ShowMacro(selectedMacro_);
        LB_macroClick(remembered);
        return;
      }
      wrscript_ = result.hex;
    }
  } else {
    if (!selectedMacro_ || !selectedEvent_) {
      return;  // nothing to insert against; the panel stays open
    }
    const auto line = insertPanel_.LineToInsert();
    if (!line) {
      return;
    }
    const MacroLines before = lines_;
    const auto selectionBefore = selectedEvent_;
    const std::size_t at = *selectedEvent_ + (layout.after ? 1 : 0);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at + 1), *line);
    selectedEvent_ = at;
    const EncodeResult result = library_->Encode(*selectedMacro_, lines_, stopMode_);
    if (!result.ok) {
      lines_ = before;
      selectedEvent_ = selectionBefore;
      ShowEncodeRefusal(result.error);
      return;
    }
    wrscript_ = result.hex;
  }
  state_ = MacroPageState::kBrowsing;
  if (selectedMacro_) {
    Save();
  }
}

void MacroEditor::Btn_CancelClick() {
  if (state_ != MacroPageState::kInserting || insertRecording_) {
    return;
  }
  state_ = MacroPageState::kBrowsing;
  ShowMacro(selectedMacro_);
  LB_macroClick(rememberedEvent_);
  eventListTopIndex_ = rememberedTopIndex_;
}

// ---------------------------------------------------------------- stop mode

void MacroEditor::IB_ReleaseStopClick() {
  SetStopMode(StopMode::kUntilKeyRelease);
}

void MacroEditor::IB_ReleaseContiueClick() {
  SetStopMode(StopMode::kAfterMacroIsOver);
}

void MacroEditor::SetStopMode(StopMode mode) {
  if (!Browsing()) {
    return;  // the options are locked or hidden
  }
  stopMode_ = mode;
  if (!selectedMacro_) {
    return;
  }
  const auto byte = static_cast<std::uint8_t>(mode);
  if (library_->StopByte(*selectedMacro_) == byte) {
    return;
  }
  // Saved at once: a choice that only reached the file with some later
  // change would be lost on exit.
  library_->SetStopByte(*selectedMacro_, byte);
  Save();
}

// ---------------------------------------------------------------- committing

bool MacroEditor::Commit(const MacroLines& before, std::optional<std::size_t> selectionBefore) {
  if (!selectedMacro_) {
    return false;
  }
  const EncodeResult result = library_->Encode(*selectedMacro_, lines_, stopMode_);
  if (!result.ok) {
    lines_ = before;
    selectedEvent_ = selectionBefore;
    ShowEncodeRefusal(result.error);
    return false;
  }
  wrscript_ = result.hex;
  Save();
  return true;
}

void MacroEditor::ShowEncodeRefusal(const std::string& reason) {
  // Lines that hold well-formed events but too many of them: the language's
  // "storage space shortage". Anything else names the faulty line.
  ui_.ShowMessage(MacroEventBytes(lines_) ? messages_.str104 : reason, MessageStyle::kDialog);
}

void MacroEditor::Save() {
  if (!save_ || !save_()) {
    ui_.ShowMessage(std::string(kLibrarySaveFailedMessage), MessageStyle::kDialog);
  }
}

// ---------------------------------------------------------------- recorder hooks

bool MacroEditor::BeginRecording() {
  if (!Browsing() || !selectedMacro_) {
    return false;
  }
  HideMenus();
  CloseDialogs();
  lines_.clear();
  wrscript_.clear();
  selectedEvent_.reset();
  library_->ClearForRecording(*selectedMacro_);
  state_ = MacroPageState::kRecording;
  return true;
}

void MacroEditor::AppendRecordedLine(std::string line) {
  if (state_ != MacroPageState::kRecording) {
    return;
  }
  lines_.push_back(std::move(line));
  if (lines_.size() > 1) {
    selectedEvent_ = lines_.size() - 2;
  }
}

void MacroEditor::EndRecording() {
  if (state_ != MacroPageState::kRecording) {
    return;
  }
  state_ = MacroPageState::kBrowsing;
  if (!selectedMacro_) {
    return;
  }
  EncodeResult result = library_->Encode(*selectedMacro_, lines_, stopMode_);
  if (!result.ok) {
    ShowEncodeRefusal(result.error);
    // Keep the longest start of the recording that the record holds.
    while (!result.ok && lines_.size() > 1) {
      lines_.pop_back();
      result = library_->Encode(*selectedMacro_, lines_, stopMode_);
    }
    selectedEvent_ = lines_.size() > 1 ? std::optional(lines_.size() - 2) : std::nullopt;
  }
  wrscript_ = result.hex;
  Save();
}

int MacroEditor::SelectedMacroLength() const {
  return selectedMacro_ ? library_->Length(*selectedMacro_) : 0;
}

int MacroEditor::PendingLength() const {
  const auto events = MacroEventBytes(lines_);
  return events && !events->empty() ? static_cast<int>(events->size()) + 1 : 0;
}

bool MacroEditor::BeginInsertRecording() {
  if (state_ != MacroPageState::kInserting || insertRecording_ || !insertPanel_.Layout().recorded ||
      !selectedMacro_ || !selectedEvent_ || PendingLength() >= kInsertRecordingLimit) {
    return false;
  }
  insertRecording_ = true;
  insertPanel_.SetLocked(true);
  return true;
}

bool MacroEditor::InsertRecordedLine(std::size_t lineIndex, std::string line) {
  if (!insertRecording_ || lines_.empty()) {
    return false;
  }
  lineIndex = std::clamp<std::size_t>(lineIndex, 1, lines_.size());
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lineIndex), std::move(line));
  selectedEvent_ = lineIndex - 1;
  return true;
}

void MacroEditor::EndInsertRecording() {
  insertRecording_ = false;
  insertPanel_.SetLocked(false);
}

}  // namespace orbic::macros
