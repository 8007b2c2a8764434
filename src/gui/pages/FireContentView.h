#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <array>
#include <functional>
#include <vector>

#include "fire/FireContentEditor.h"
#include "gui/pages/ClickLabel.h"
#include "gui/pages/PageView.h"
#include "gui/pages/PictureLabel.h"

namespace orbic::gui {

// The fire page's hidden content editor: the ten fire macros, the events of
// the chosen one, the record button, the recording delay and stop-mode
// options, the line menu and the insert panel. Everything shows while the
// session's fire content editor is visible and forwards to it.
class FireContentView final : public PageView {
 public:
  FireContentView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                  std::function<void()> changed);

  // Runs the dialog `kind` for the editor's selected line and confirms its
  // value; returns false when the editor refused the value. Until set, "Edit"
  // only closes the menu.
  std::function<bool(fire::FireContentEditor&, fire::FireEditDialog)> editDialog;

  void Refresh() override;
  void HideMenus() override;

 private:
  // The insert panel's value fields, one per kind of inserted line.
  struct InsertField {
    QLineEdit* edit = nullptr;
    std::vector<QWidget*> captions;
  };

  fire::FireContentEditor& Editor() const;
  void BuildLists();
  void BuildMenu();
  void BuildDelayGroup();
  void BuildInsertPanel();
  InsertField MakeInsertField(const char* edit, const char* caption, std::string_view key,
                              const char* unit,
                              void (fire::FireContentEditor::*change)(std::string_view));
  // A change the editor may refuse: when it did, the editor's reason is shown.
  void Report(bool made);
  void ListPressed(Qt::MouseButton button, std::optional<std::size_t> item, QPoint at);

  QObject context_;
  QListWidget* names_ = nullptr;   // LB_FireMacroName
  QListWidget* events_ = nullptr;  // LB_FireMacro
  PictureLabel* startPicture_ = nullptr;
  ClickLabel* startButton_ = nullptr;
  QFrame* menu_ = nullptr;  // Pnl_DevFireContent
  bool menuShown_ = false;
  QFrame* delayGroup_ = nullptr;  // GB_FireDelay
  PictureLabel* delayPicture_ = nullptr;
  std::vector<QWidget*> delayControls_;
  std::array<PictureLabel*, 3> delayLamps_{};  // record, delay time, none
  QLineEdit* delayEdit_ = nullptr;             // Edt_FireDelay
  PictureLabel* releaseStop_ = nullptr;
  PictureLabel* releaseContinue_ = nullptr;
  QFrame* insertGroup_ = nullptr;  // Gb_InsertFire
  PictureLabel* insertPicture_ = nullptr;
  std::vector<QWidget*> insertControls_;
  QComboBox* insertKind_ = nullptr;
  InsertField insertDelay_;
  InsertField repeat_;
  InsertField xValue_;
  InsertField yValue_;
};

}  // namespace orbic::gui
