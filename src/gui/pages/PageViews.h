#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "gui/pages/MacroFileCommand.h"
#include "ui/TermTable.h"

namespace orbic::app {
class Session;
}
namespace orbic::fire {
class FireContentEditor;
enum class FireEditDialog;
}  // namespace orbic::fire
namespace orbic::macros {
class MacroEditor;
class MacroRecorder;
}  // namespace orbic::macros
namespace orbic::perf {
class PointerSettingsPage;
}

namespace orbic::gui {

class ButtonTestView;
class FunctionMenu;

// The controls of the six page groups, created with their names as
// objectName inside gbPage1..gbPage6 and bound to the core's page models. The
// skin then places every control by its name; views only show and forward.
class PageViews {
 public:
  virtual ~PageViews() = default;
  // The models changed (after a read, a default, a skin change): every
  // control shows the model's values again.
  virtual void Refresh() = 0;

  // Models the session does not own. Each may be null (its controls then stay
  // empty or disabled) and may be replaced at any time; the caller keeps it
  // alive while it is set.
  virtual void SetPointerSettings(perf::PointerSettingsPage* page) = 0;
  virtual void SetMacroEditor(macros::MacroEditor* editor, macros::MacroRecorder* recorder) = 0;
  // What the macro list's Import / Export entries do (the window's file dialogs).
  virtual void SetMacroFileCommand(std::function<void(MacroFileCommand)> command) = 0;

  // The key function menu, for wiring the dialogs and pages its entries open.
  virtual FunctionMenu& Menu() = 0;
  // Opens whatever dialog the macro editor holds open after a command (name,
  // key, delay or value); the window supplies the skinned dialogs.
  virtual void SetMacroDialogs(std::function<void(macros::MacroEditor&)> show) = 0;

  // The engineer page's language (the desktop's, not the skin's).
  virtual void SetFixedLanguage(ui::TermLanguage language) = 0;
  // What the engineer page's buttons do: a header button's name ("Main",
  // "Load", "Apply", "Exit", ...) or "Default", "ImportBaseMacro",
  // "ImportGunMacro".
  virtual void SetEngineerCommand(std::function<void(const QString&)> command) = 0;
  // The engineer page's button test ("Test Keys Position").
  virtual ButtonTestView& ButtonTest() = 0;
  // Runs the fire content editor's edit dialog for its selected line;
  // returns false when the editor refused the value.
  virtual void SetFireEditDialog(
      std::function<bool(fire::FireContentEditor&, fire::FireEditDialog)> run) = 0;
};

// `groups`: gbPage1..gbPage6. Called once during the window's creation,
// before the skin layout is applied.
std::unique_ptr<PageViews> CreatePageViews(const std::array<QWidget*, 6>& groups,
                                           app::Session& session);

}  // namespace orbic::gui
