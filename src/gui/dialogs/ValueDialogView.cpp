#include "gui/dialogs/ValueDialogView.h"

namespace orbic::gui {
namespace {
constexpr DialogTexts kTexts{"Str523", "Input Value", "Str511", "OK", "Str512", "Clear"};
}  // namespace

ValueDialogView::ValueDialogView(macros::MacroValueDialog& model, const DialogLook& look,
                                 QWidget* parent)
    : NumberDialogView(model.Field(), kTexts, look, parent) {
  setObjectName("TForm7");
}

}  // namespace orbic::gui
