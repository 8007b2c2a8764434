#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <vector>

#include "gui/pages/ClickLabel.h"
#include "gui/pages/MacroFileCommand.h"
#include "gui/pages/PageView.h"
#include "gui/pages/PictureLabel.h"
#include "macros/MacroLines.h"

namespace orbic::macros {
class MacroEditor;
class MacroRecorder;
class MacroNumberField;
}  // namespace orbic::macros

namespace orbic::gui {

// The macro page (gbPage4): the library's name list, the selected macro's
// event list, the recording delay and stop-mode options, the record button
// and the insert panel, bound to a macro editor and its recorder. Without an
// editor the lists stay empty and the commands do nothing.
class MacroPageView final : public PageView {
 public:
  MacroPageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                std::function<void()> changed);

  void SetEditor(macros::MacroEditor* editor, macros::MacroRecorder* recorder);
  macros::MacroEditor* Editor() const { return editor_; }
  // Called after a command that may have opened one of the editor's dialogs
  // (name, key, delay, value); the window shows it.
  std::function<void(macros::MacroEditor&)> showDialogs;

  // The name list's library file entries; the window asks for the file and
  // runs them. Until set, the entries are disabled.
  std::function<void(MacroFileCommand)> fileCommand;

  void Refresh() override;
  void HideMenus() override;

 private:
  void BuildLists();
  void BuildMenus();
  void BuildDelayGroup();
  void BuildInsertPanel();
  QLineEdit* NumberEdit(const char* name, const QRect& geometry,
                        macros::MacroNumberField& (*field)(macros::MacroEditor&));
  // Runs `command` on the editor (when there is one) and refreshes.
  void Command(const std::function<void(macros::MacroEditor&)>& command);
  void ConnectFileEntry(ClickLabel* label);
  void ShowPopup(QFrame* popup, QListWidget* list, const QPoint& at);

  QObject context_;
  macros::MacroEditor* editor_ = nullptr;
  macros::MacroRecorder* recorder_ = nullptr;
  QListWidget* names_ = nullptr;      // LB_PCMacroName
  QListWidget* events_ = nullptr;     // LB_macro
  QListWidget* slotNames_ = nullptr;  // LB_MacroName
  QLabel* notice_ = nullptr;          // why the shown macro cannot be edited
  QFrame* nameMenu_ = nullptr;        // Pnl_PCMacro
  QFrame* eventMenu_ = nullptr;       // Pnl_DevContent
  ClickLabel* newButton_ = nullptr;
  ClickLabel* startButton_ = nullptr;
  PictureLabel* startPicture_ = nullptr;
  QFrame* delayGroup_ = nullptr;  // Gb_Delay
  std::vector<QWidget*> delayControls_;
  std::vector<PictureLabel*> delayLamps_;  // record, default, none
  QLineEdit* delayEdit_ = nullptr;         // Edt_Delay
  PictureLabel* releaseStop_ = nullptr;
  PictureLabel* releaseContinue_ = nullptr;
  QFrame* insertGroup_ = nullptr;  // Gb_Insert
  std::vector<QWidget*> insertControls_;
  QComboBox* insertKind_ = nullptr;
  QLineEdit* insertDelay_ = nullptr;
  QLineEdit* xValue_ = nullptr;
  QLineEdit* yValue_ = nullptr;
  QLineEdit* repeat_ = nullptr;
  std::vector<PictureLabel*> insertLamps_;  // record, none, default
  ClickLabel* insertStart_ = nullptr;
  ClickLabel* okButton_ = nullptr;
  ClickLabel* cancelButton_ = nullptr;
  std::vector<ClickLabel*> fileEntries_;
  ClickLabel* exportOne_ = nullptr;
};

}  // namespace orbic::gui
