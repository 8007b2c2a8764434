#include "gui/dialogs/DialogHost.h"

#include <QDir>

#include "fire/FireContentEditor.h"
#include "fire/FirePage.h"
#include "gui/dialogs/CombinationKeyDialogView.h"
#include "gui/dialogs/DelayDialogView.h"
#include "gui/dialogs/KeyCaptureDialogView.h"
#include "gui/dialogs/MacroNameDialogView.h"
#include "gui/dialogs/ValueDialogView.h"
#include "macros/MacroEditor.h"
#include "macros/MacroPage.h"
#include "ui/MessageStrings.h"

namespace orbic::gui {

void DialogHost::ShowMacroDialogs(macros::MacroEditor& editor) {
  const DialogLook look = look_();
  if (macros::MacroNameDialog* name = editor.NameDialog()) {
    MacroNameDialogView view(*name, look, &parent_);
    if (runner_(view)) {
      editor.NameDialogConfirm();
    } else {
      editor.NameDialogClose();
    }
  } else if (keys::KeyCaptureDialog* key = editor.KeyDialog()) {
    KeyCaptureDialogView view(*key, look, &parent_);
    runner_(view) ? editor.EditDialogConfirm() : editor.EditDialogClose();
  } else if (macros::MacroDelayDialog* delay = editor.DelayDialog()) {
    DelayDialogView view(*delay, look, &parent_);
    runner_(view) ? editor.EditDialogConfirm() : editor.EditDialogClose();
  } else if (macros::MacroValueDialog* value = editor.ValueDialog()) {
    ValueDialogView view(*value, look, &parent_);
    runner_(view) ? editor.EditDialogConfirm() : editor.EditDialogClose();
  }
}

bool DialogHost::ShowFireEditDialog(fire::FireContentEditor& editor, fire::FireEditDialog dialog) {
  const DialogLook look = look_();
  if (dialog == fire::FireEditDialog::kDelay) {
    macros::MacroDelayDialog delay;
    DelayDialogView view(delay, look, &parent_);
    // An emptied field changes nothing.
    if (!runner_(view) || delay.Field().Text().empty()) {
      return true;
    }
    return editor.ConfirmDelay(delay.Field().Value());
  }
  if (dialog != fire::FireEditDialog::kKey || !editor.SelectedItem()) {
    return true;
  }
  keys::KeyCaptureDialog key(editor.SelectedLineIsPress() ? keys::KeyEventKind::kPress
                                                          : keys::KeyEventKind::kRelease);
  KeyCaptureDialogView view(key, look, &parent_);
  if (!runner_(view)) {
    return true;
  }
  const keys::KeyCaptureResult result = key.Confirm();
  return result.eventText.empty() || editor.ConfirmKeyEvent(result.eventText);
}

std::string DialogHost::RunMacroFileCommand(MacroFileCommand command, macros::MacroPage& page,
                                            const std::function<QString(bool save)>& choose,
                                            const ui::MessageStrings& messages) {
  using Command = MacroFileCommand;
  const bool save = command == Command::kExportOne || command == Command::kExportAll;
  const QString chosen = choose(save);
  if (chosen.isEmpty()) {
    return {};
  }
  const std::string path = QDir::toNativeSeparators(chosen).toStdString();
  macros::MacroFileOutcome outcome;
  switch (command) {
    case Command::kImportOne:
      outcome = page.ImportOne(path);
      break;
    case Command::kImportAll:
      outcome = page.ImportAll(path);
      break;
    case Command::kExportOne:
      outcome = page.ExportOne(path);
      break;
    case Command::kExportAll:
      outcome = page.ExportAll(path);
      break;
  }
  return outcome.Ok() ? std::string() : outcome.Message(messages);
}

bool DialogHost::ShowCombinationDialog(keys::CombinationKeyDialog& dialog) {
  // Every opening starts empty: no key, no boxes.
  dialog = keys::CombinationKeyDialog{};
  CombinationKeyDialogView view(dialog, look_(), &parent_);
  return runner_(view);
}

}  // namespace orbic::gui
