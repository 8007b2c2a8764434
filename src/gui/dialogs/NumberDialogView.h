#pragma once

#include <QLineEdit>

#include "gui/dialogs/SkinnedDialog.h"
#include "macros/MacroNumberField.h"

namespace orbic::gui {

// A dialog whose field is a macro number field: what the user types passes the
// field's rules (digits, an allowed "-", limits, an emptied field's "0"), and
// text the rules refuse leaves the previous text standing.
class NumberDialogView : public SkinnedDialog {
  Q_OBJECT

 public:
  QLineEdit& Field() { return *field_; }

 protected:
  NumberDialogView(macros::MacroNumberField& model, const DialogTexts& texts,
                   const DialogLook& look, QWidget* parent);

  void Clear() override;

 private:
  void Edited(const QString& text);

  macros::MacroNumberField& model_;
  QLineEdit* field_;
};

}  // namespace orbic::gui
