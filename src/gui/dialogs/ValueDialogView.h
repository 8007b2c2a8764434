#pragma once

#include "gui/dialogs/NumberDialogView.h"
#include "macros/MacroValueDialog.h"

namespace orbic::gui {

// The value dialog of the macro editor: an X or Y movement (-128 .. 127) or a
// repeat count (0 .. 255). After Run() returned true the caller confirms the
// model (MacroEditor::EditDialogConfirm).
class ValueDialogView : public NumberDialogView {
  Q_OBJECT

 public:
  ValueDialogView(macros::MacroValueDialog& model, const DialogLook& look,
                  QWidget* parent = nullptr);
};

}  // namespace orbic::gui
