#pragma once

#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <functional>
#include <memory>

#include "engineer/EngineerPage.h"
#include "gui/pages/ButtonTestView.h"
#include "gui/pages/EngineerFactoryTab.h"
#include "gui/pages/EngineerOperationTab.h"
#include "gui/pages/FunctionMenu.h"
#include "gui/pages/PageView.h"
#include "ui/TermTable.h"

namespace orbic::gui {

// The engineer page (gbPage6): the logo strip with the page buttons, the
// tabs "Operation" and "Engineer" (hidden until the unlock), the transfer
// buttons and the notes line that explains the control under the pointer.
// Its texts come from the term table in the fixed-text language.
class EngineerPageView final : public PageView {
 public:
  EngineerPageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                   std::function<void()> changed, FunctionMenu& menu);
  ~EngineerPageView() override;

  void Refresh() override;
  void HideMenus() override;

  // Captions, radio texts and list items in `language`.
  void SetLanguage(ui::TermLanguage language);
  // What a page button does, by the header button it stands for ("Main",
  // "Load", "Apply", "Exit", ...) or its own name ("Default",
  // "ImportBaseMacro", "ImportGunMacro"); the window supplies it.
  std::function<void(const QString& command)> command;
  // "Fire Macro" of the function menu: the gun-key list beside the menu.
  void OpenGunKeys();
  // "Test Keys Position", offered once the page is unlocked.
  ButtonTestView& ButtonTest() { return *buttonTest_; }

 private:
  class HintFilter;

  void BuildFrame();
  void ShowHints();
  void LB_ScriptClick(int row);

  FunctionMenu& menu_;
  ui::TermLanguage language_ = ui::TermLanguage::kEnglish;
  engineer::EngineerPage page_;
  QObject context_;
  QTabWidget* tabs_ = nullptr;
  QLabel* content_ = nullptr;          // lbl_Content
  QListWidget* gunKeyMenu_ = nullptr;  // LB_Script
  std::unique_ptr<EngineerOperationTab> operation_;
  std::unique_ptr<EngineerFactoryTab> factory_;
  std::unique_ptr<HintFilter> hintFilter_;
  std::unique_ptr<ButtonTestView> buttonTest_;
};

}  // namespace orbic::gui
