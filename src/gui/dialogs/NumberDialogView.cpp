#include "gui/dialogs/NumberDialogView.h"

namespace orbic::gui {

NumberDialogView::NumberDialogView(macros::MacroNumberField& model, const DialogTexts& texts,
                                   const DialogLook& look, QWidget* parent)
    : SkinnedDialog(look, kMacroDialogStyle, texts, parent), model_(model) {
  field_ = new QLineEdit(QString::fromStdString(model_.Text()), this);
  field_->setObjectName("Edt_EditTime");
  field_->setAlignment(Qt::AlignCenter);
  PlaceField(*field_);
  FitToContents();
  connect(field_, &QLineEdit::textEdited, this, &NumberDialogView::Edited);
  connect(field_, &QLineEdit::returnPressed, this, &QDialog::accept);
  field_->setFocus();
}

void NumberDialogView::Edited(const QString& text) {
  const int cursor = field_->cursorPosition();
  const bool taken = model_.SetText(text.toStdString());
  const QString shown = QString::fromStdString(model_.Text());
  if (shown == text) {
    return;
  }
  field_->setText(shown);
  // A refused character leaves the cursor where it was before it.
  const int back = taken ? cursor : cursor - static_cast<int>(text.size() - shown.size());
  field_->setCursorPosition(std::clamp(back, 0, static_cast<int>(shown.size())));
}

void NumberDialogView::Clear() {
  model_.Clear();
  field_->clear();
  field_->setFocus();
}

}  // namespace orbic::gui
