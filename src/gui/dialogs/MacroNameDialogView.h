#pragma once

#include <QLineEdit>

#include "gui/dialogs/SkinnedDialog.h"
#include "macros/MacroNameDialog.h"

namespace orbic::gui {

// The macro name dialog over its core model: one centred field of at most 16
// characters. After Run() returned true the caller confirms the model
// (MacroEditor::NameDialogConfirm); otherwise it closes it.
class MacroNameDialogView : public SkinnedDialog {
  Q_OBJECT

 public:
  MacroNameDialogView(macros::MacroNameDialog& model, const DialogLook& look,
                      QWidget* parent = nullptr);

  QLineEdit& Field() { return *field_; }

 protected:
  void Clear() override;

 private:
  void Edited(const QString& text);

  macros::MacroNameDialog& model_;
  QLineEdit* field_;
};

}  // namespace orbic::gui
