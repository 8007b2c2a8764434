#pragma once

#include <QString>
#include <functional>
#include <string>

#include "gui/dialogs/DialogLook.h"
#include "gui/pages/MacroFileCommand.h"

class QWidget;

namespace orbic::fire {
class FireContentEditor;
enum class FireEditDialog;
}  // namespace orbic::fire
namespace orbic::keys {
class CombinationKeyDialog;
}
namespace orbic::macros {
class MacroEditor;
class MacroPage;
}  // namespace orbic::macros
namespace orbic::ui {
struct MessageStrings;
}

namespace orbic::gui {

class SkinnedDialog;

// Opens the small skinned dialogs the pages ask for (macro name, key, delay,
// value, combination key, the fire editor's key and delay) in the window's
// current look, and hands their results to the core models.
class DialogHost {
 public:
  // Runs a dialog modally; true when the user confirmed.
  using Runner = std::function<bool(SkinnedDialog&)>;

  DialogHost(QWidget& parent, std::function<DialogLook()> look, const Runner& runner)
      : parent_(parent), look_(std::move(look)), runner_(runner) {}

  // The dialog the macro editor has open, if any.
  void ShowMacroDialogs(macros::MacroEditor& editor);
  // The fire content editor's delay or key dialog; false when the edit was refused.
  bool ShowFireEditDialog(fire::FireContentEditor& editor, fire::FireEditDialog dialog);
  // Opens `dialog` emptied; true when the user confirmed the combination.
  bool ShowCombinationDialog(keys::CombinationKeyDialog& dialog);
  // The macro list's Import One / Import All / Export One / Export All: a file
  // chosen with `choose` (an empty text when cancelled), the page does the
  // rest. Returns the message to show when it failed, else an empty text.
  std::string RunMacroFileCommand(MacroFileCommand command, macros::MacroPage& page,
                                  const std::function<QString(bool save)>& choose,
                                  const ui::MessageStrings& messages);

 private:
  QWidget& parent_;
  std::function<DialogLook()> look_;
  const Runner& runner_;
};

}  // namespace orbic::gui
