#pragma once

#include "gui/dialogs/NumberDialogView.h"
#include "macros/MacroDelayDialog.h"

namespace orbic::gui {

// The delay dialog of the macro editor: digits only, 0 .. 2040 ms. After Run()
// returned true the caller confirms the model (MacroEditor::EditDialogConfirm).
class DelayDialogView : public NumberDialogView {
  Q_OBJECT

 public:
  DelayDialogView(macros::MacroDelayDialog& model, const DialogLook& look,
                  QWidget* parent = nullptr);
};

}  // namespace orbic::gui
