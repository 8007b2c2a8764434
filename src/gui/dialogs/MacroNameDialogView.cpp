#include "gui/dialogs/MacroNameDialogView.h"

namespace orbic::gui {
namespace {
constexpr DialogTexts kTexts{"Str510", "Macro Name", "Str511", "OK", "Str512", "Clear"};
}  // namespace

MacroNameDialogView::MacroNameDialogView(macros::MacroNameDialog& model, const DialogLook& look,
                                         QWidget* parent)
    : SkinnedDialog(look, kMacroDialogStyle, kTexts, parent), model_(model) {
  setObjectName("TForm3");
  field_ = new QLineEdit(QString::fromStdString(model_.Text()), this);
  field_->setObjectName("Edt_MacroName");
  field_->setAlignment(Qt::AlignCenter);
  PlaceField(*field_);
  FitToContents();
  connect(field_, &QLineEdit::textEdited, this, &MacroNameDialogView::Edited);
  connect(field_, &QLineEdit::returnPressed, this, &QDialog::accept);
  field_->setFocus();
}

void MacroNameDialogView::Edited(const QString& text) {
  // The model keeps what the name field can store; the field shows just that.
  model_.SetText(text.toStdString());
  const QString kept = QString::fromStdString(model_.Text());
  if (kept != text) {
    const int cursor = std::min(field_->cursorPosition(), static_cast<int>(kept.size()));
    field_->setText(kept);
    field_->setCursorPosition(cursor);
  }
}

void MacroNameDialogView::Clear() {
  model_.Clear();
  field_->clear();
  field_->setFocus();
}

}  // namespace orbic::gui
