#pragma once

#include "gui/dialogs/KeyCaptureField.h"
#include "gui/dialogs/SkinnedDialog.h"
#include "keys/KeyCaptureDialog.h"

namespace orbic::gui {

// The key-capture dialog of the macro editors: any key pressed in the field
// (modifiers, the Windows keys, Tab, Enter and Esc included) replaces the one
// captured before, and the field shows the model's text. A key the program has
// no code for is captured as the unnamed key. After Run() returned true the
// caller confirms the model (MacroEditor::EditDialogConfirm).
class KeyCaptureDialogView : public SkinnedDialog {
  Q_OBJECT

 public:
  KeyCaptureDialogView(keys::KeyCaptureDialog& model, const DialogLook& look,
                       QWidget* parent = nullptr);

  KeyCaptureField& Field() { return *field_; }

 protected:
  void Clear() override;

 private:
  void KeyPressed(const QKeyEvent& event);

  keys::KeyCaptureDialog& model_;
  KeyCaptureField* field_;
};

}  // namespace orbic::gui
