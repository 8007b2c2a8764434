#include "gui/dialogs/DelayDialogView.h"

namespace orbic::gui {
namespace {
constexpr DialogTexts kTexts{"Str521", "Input Delay Time", "Str511", "OK", "Str512", "Clear"};
}  // namespace

DelayDialogView::DelayDialogView(macros::MacroDelayDialog& model, const DialogLook& look,
                                 QWidget* parent)
    : NumberDialogView(model.Field(), kTexts, look, parent) {
  setObjectName("TForm6");
}

}  // namespace orbic::gui
