#include "gui/dialogs/CombinationKeyDialogView.h"

#include "gui/input/VirtualKeys.h"

namespace orbic::gui {
namespace {

constexpr DialogTexts kTexts{"Str500", "Assembly Key", "Str501", "Confirm", "Str502", "Clear"};
constexpr std::uint16_t kUnmappedKey = 0x00;  // named "None", no key byte

struct BoxPlace {
  keys::ModifierBox box;
  const char* objectName;
  const char* caption;
  LayoutPlace x;
  LayoutPlace y;
};

constexpr std::array kBoxPlaces = {
    BoxPlace{keys::ModifierBox::kCtrl, "CB_Ctrl", "Ctrl", {"MK_C_X", 20}, {"MK_C_Y", 90}},
    BoxPlace{keys::ModifierBox::kShift, "CB_Shift", "Shift", {"MK_S_X", 90}, {"MK_S_Y", 90}},
    BoxPlace{keys::ModifierBox::kAlt, "CB_Alt", "Alt", {"MK_A_X", 160}, {"MK_A_Y", 90}},
    BoxPlace{keys::ModifierBox::kWin, "CB_Win", "Win", {"MK_W_X", 230}, {"MK_W_Y", 90}},
};

}  // namespace

CombinationKeyDialogView::CombinationKeyDialogView(keys::CombinationKeyDialog& model,
                                                   const DialogLook& look, QWidget* parent)
    : SkinnedDialog(look, kCombinationDialogStyle, kTexts, parent), model_(model) {
  setObjectName("TForm2");
  field_ = new KeyCaptureField(this);
  field_->setObjectName("Edt_Assembly");
  field_->setAlignment(Qt::AlignCenter);
  PlaceField(*field_);

  const QFont boxFont = look.Font(BasePoints());
  for (const BoxPlace& place : kBoxPlaces) {
    auto* box = new SkinCheckBox(QString::fromLatin1(place.caption), look.Picture("CbS_E"),
                                 look.Picture("CbS_D"), this);
    box->setObjectName(place.objectName);
    box->setFont(boxFont);
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, TextColour());
    box->setPalette(palette);
    box->setGeometry(QRect(QPoint(Value(place.x), Value(place.y)), box->sizeHint()));
    connect(box, &QAbstractButton::clicked, this,
            [this, which = place.box](bool checked) { BoxClicked(which, checked); });
    boxes_[static_cast<std::size_t>(place.box)] = box;
  }
  FitToContents();
  connect(field_, &KeyCaptureField::keyPressed, this, &CombinationKeyDialogView::KeyPressed);
  ShowModel();
  field_->setFocus();
}

void CombinationKeyDialogView::KeyPressed(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held = event.modifiers();
  model_.KeyDown(PressedVirtualKey(event).value_or(kUnmappedKey),
                 {.shift = held.testFlag(Qt::ShiftModifier),
                  .ctrl = held.testFlag(Qt::ControlModifier),
                  .alt = held.testFlag(Qt::AltModifier)});
  ShowModel();
}

void CombinationKeyDialogView::BoxClicked(keys::ModifierBox box, bool checked) {
  model_.SetBox(box, checked);
  ShowModel();
  field_->setFocus();
}

void CombinationKeyDialogView::Clear() {
  model_.Clear();
  ShowModel();
  field_->setFocus();
  emit cleared();
}

void CombinationKeyDialogView::ShowModel() {
  field_->setText(QString::fromStdString(model_.FieldText()));
  for (const BoxPlace& place : kBoxPlaces) {
    boxes_[static_cast<std::size_t>(place.box)]->setChecked(model_.IsBoxChecked(place.box));
  }
}

}  // namespace orbic::gui
