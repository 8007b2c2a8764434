#pragma once

#include <array>

#include "gui/dialogs/KeyCaptureField.h"
#include "gui/dialogs/SkinCheckBox.h"
#include "gui/dialogs/SkinnedDialog.h"
#include "keys/CombinationKeyDialog.h"

namespace orbic::gui {

// The combination-key dialog: one key captured in the field plus the Ctrl,
// Shift, Alt and Win boxes. A key pressed with Shift, Ctrl or Alt held, or a
// modifier key itself, captures nothing (the boxes choose modifiers). After
// Run() returned true the caller applies the model's Confirm() to the editing
// target (ButtonAssignment::ApplyCombinationResult).
class CombinationKeyDialogView : public SkinnedDialog {
  Q_OBJECT

 public:
  CombinationKeyDialogView(keys::CombinationKeyDialog& model, const DialogLook& look,
                           QWidget* parent = nullptr);

  KeyCaptureField& Field() { return *field_; }
  SkinCheckBox& Box(keys::ModifierBox box) { return *boxes_[static_cast<std::size_t>(box)]; }

 signals:
  // "Clear" was pressed: the caller forgets the last confirmed combination.
  void cleared();

 protected:
  void Clear() override;

 private:
  void KeyPressed(const QKeyEvent& event);
  void BoxClicked(keys::ModifierBox box, bool checked);
  void ShowModel();

  keys::CombinationKeyDialog& model_;
  KeyCaptureField* field_;
  std::array<SkinCheckBox*, 4> boxes_{};
};

}  // namespace orbic::gui
