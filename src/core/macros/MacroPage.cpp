#include "macros/MacroPage.h"

namespace orbic::macros {

// Recorded lines go through the editor, which owns the lines, the event list
// and the library record.
class MacroPage::EditorTarget final : public RecordingTarget {
 public:
  EditorTarget(MacroEditor& editor, const std::string& lastSaveError)
      : editor_(editor), lastSaveError_(lastSaveError) {}

  bool HasSelectedMacro() const override { return editor_.SelectedMacro().has_value(); }
  const MacroLines& Lines() const override { return editor_.Lines(); }
  bool RecordingStarted() override { return editor_.BeginRecording(); }
  void AddLine(std::size_t index, std::string line) override {
    if (editor_.InsertRecording()) {
      editor_.InsertRecordedLine(index, std::move(line));
    } else {
      editor_.AppendRecordedLine(std::move(line));
    }
  }
  bool Commit() override {
    editor_.EndRecording();
    return lastSaveError_.empty();
  }
  bool InsertRecordingStarted() override { return editor_.BeginInsertRecording(); }
  void InsertRecordingStopped() override { editor_.EndInsertRecording(); }

 private:
  MacroEditor& editor_;
  const std::string& lastSaveError_;
};

RecordingChange InsertStartClick(MacroEditor& editor, MacroRecorder& recorder) {
  const MacroInsertPanel& panel = editor.InsertPanel();
  const InsertSide side =
      panel.Item() == InsertItem::kKeyBack ? InsertSide::kBack : InsertSide::kFront;
  if (!recorder.InsertRecording()) {
    // The panel holds the options the user sees; the recorder takes them as
    // they stand when the recording starts.
    DelayOptions& options = recorder.InsertDelayOptions();
    options.Choose(panel.InsertDelayMode());
    options.SetFieldValue(panel.Delay().Value());
  }
  const std::optional<std::size_t> event = editor.SelectedEvent();
  return recorder.Btn_InsertStartClick(
      event ? std::optional<int>(static_cast<int>(*event)) : std::nullopt, editor.PendingLength(),
      side);
}

namespace {

std::unique_ptr<MacroEditor> MakeEditor(MacroStore& store, SaveLibrary save,
                                        const ui::MessageStrings& messages, UiHost& ui) {
  if (store.EepromMode()) {
    return std::make_unique<MacroEditor>(store.Library(), std::move(save), messages, ui);
  }
  return std::make_unique<MacroEditor>(store.DriverLibrary(), std::move(save), messages, ui);
}

}  // namespace

MacroPage::MacroPage(MacroStore& store, Clock& clock, const ui::MessageStrings& messages,
                     UiHost& ui)
    : store_(store) {
  editor_ = MakeEditor(
      store_, [this] { return Save(); }, messages, ui);
  target_ = std::make_unique<EditorTarget>(*editor_, lastSaveError_);
  recorder_ = std::make_unique<MacroRecorder>(clock, *target_,
                                              RecorderOptions::ForMacroPage(store_.EepromMode()));
  editor_->SetOnMacroShown([this] { FollowShownMacro(); });
}

void MacroPage::FollowShownMacro() {
  const std::optional<DecodedDelay>& decoded = editor_->LastDecodedDelay();
  if (!decoded) {
    return;  // no header to follow: the options stay as the user left them
  }
  DelayOptions& options = recorder_->RecordDelayOptions();
  options.Choose(decoded->mode);
  if (decoded->mode == DelayMode::kDefault) {
    options.SetFieldValue(decoded->defaultDelayMs);
  }
}

MacroPage::~MacroPage() = default;

bool MacroPage::Save() {
  lastSaveError_.clear();
  if (!store_.Save(lastSaveError_)) {
    return false;
  }
  if (afterSave_) {
    afterSave_();
  }
  return true;
}

void MacroPage::AfterImport(const MacroFileOutcome& outcome) {
  // A failed save still leaves the import in memory, and the page shows it.
  if (!outcome.Ok() && outcome.status != MacroFileStatus::kSaveFailed) {
    return;
  }
  editor_->LibraryReplaced();
  if (outcome.Ok() && afterSave_) {
    afterSave_();
  }
}

MacroFileOutcome MacroPage::ImportOne(const std::string& path) {
  MacroFileOutcome outcome = store_.ImportOne(path);
  AfterImport(outcome);
  if (outcome.Ok() || outcome.status == MacroFileStatus::kSaveFailed) {
    editor_->LB_PCMacroNameClick(outcome.index);
  }
  return outcome;
}

MacroFileOutcome MacroPage::ImportAll(const std::string& path) {
  MacroFileOutcome outcome = store_.ImportAll(path);
  AfterImport(outcome);
  return outcome;
}

MacroFileOutcome MacroPage::ExportOne(const std::string& chosen) const {
  const std::optional<std::size_t> selected = editor_->SelectedMacro();
  if (!selected) {
    MacroFileOutcome outcome;
    outcome.status = MacroFileStatus::kNoSuchMacro;
    outcome.detail = "no macro is selected";
    return outcome;
  }
  return store_.ExportOne(*selected, chosen);
}

MacroFileOutcome MacroPage::ExportAll(const std::string& chosen) const {
  return store_.ExportAll(chosen);
}

}  // namespace orbic::macros
