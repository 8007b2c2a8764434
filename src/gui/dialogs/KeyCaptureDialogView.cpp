#include "gui/dialogs/KeyCaptureDialogView.h"

#include "gui/input/VirtualKeys.h"

namespace orbic::gui {
namespace {

constexpr DialogTexts kTexts{"Str520", "Input One Key", "Str511", "OK", "Str512", "Clear"};
// Outside the key table: named "None", no key byte.
constexpr std::uint16_t kUnmappedKey = 0x00;

}  // namespace

KeyCaptureDialogView::KeyCaptureDialogView(keys::KeyCaptureDialog& model, const DialogLook& look,
                                           QWidget* parent)
    : SkinnedDialog(look, kMacroDialogStyle, kTexts, parent), model_(model) {
  setObjectName("TForm5");
  field_ = new KeyCaptureField(this);
  field_->setObjectName("Edt_EditKey");
  field_->setAlignment(Qt::AlignCenter);
  field_->setText(QString::fromStdString(model_.FieldText()));
  PlaceField(*field_);
  FitToContents();
  connect(field_, &KeyCaptureField::keyPressed, this, &KeyCaptureDialogView::KeyPressed);
  field_->setFocus();
}

void KeyCaptureDialogView::KeyPressed(const QKeyEvent& event) {
  model_.KeyDown(PressedVirtualKey(event).value_or(kUnmappedKey));
  field_->setText(QString::fromStdString(model_.FieldText()));
}

void KeyCaptureDialogView::Clear() {
  model_.Clear();
  field_->clear();
  field_->setFocus();
}

}  // namespace orbic::gui
