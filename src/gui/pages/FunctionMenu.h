#pragma once

#include <QFrame>
#include <QListWidget>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "gui/pages/ClickLabel.h"

namespace orbic::keys {
class ButtonAssignment;
}
namespace orbic::ui {
class LanguageTable;
}

namespace orbic::gui {

// The colours of the function menus and their macro list: the skin layout's
// `Color_G_Back`, `_Border`, `_Font`, and `_SP`/`_SF` for the entry under the
// pointer (background and text). A colour is R + 256 G + 65536 B.
struct MenuColours {
  std::uint32_t back = 0x2E2926;
  std::uint32_t border = 0x544B46;
  std::uint32_t font = 0xF2EEEB;
  std::uint32_t hoverBack = 0xFFC440;
  std::uint32_t hoverFont = 0x24201E;
};
QString MenuStyleSheet(const MenuColours& colours);
// The panels and the list the colours go to.
inline constexpr const char* kMenuSurfaces[] = {"Pnl_Main",   "Pnl_MseKey", "Pnl_Special",
                                                "Pnl_CPIKey", "Pnl_Media",  "Pnl_WWW",
                                                "Pnl_MyPC",   "LB_Name"};

// The cascading function menu of the button editor: the top panel `Pnl_Main`,
// the category panels (`Pnl_MseKey`, `Pnl_Special` with `Pnl_CPIKey`,
// `Pnl_Media`, `Pnl_WWW`, `Pnl_MyPC`) and the macro list `LB_Name`. One menu
// serves the button page and the engineer page; it moves into the page group
// that opened it. The assignment model decides what a choice does.
class FunctionMenu {
 public:
  static constexpr int kEntryHeight = 24;
  static constexpr int kTopPanelWidth = 190;       // M_L_W
  static constexpr int kSpecialPanelWidth = 190;   // SP_L_W
  static constexpr int kCategoryPanelWidth = 170;  // O_L_W

  FunctionMenu(QWidget* group, keys::ButtonAssignment& assignment, const ui::LanguageTable& texts,
               std::function<void()> changed);

  // Opens beside a label of the button page (`label` in `group`'s coordinates).
  void OpenMain(QWidget* group, const QRect& label);
  // Opens above an engineer button; `button` is relative to its key-mode group,
  // which lies at `groupTop` inside the page.
  void OpenEngineer(QWidget* group, const QRect& button, int groupTop);
  // Hides every panel (the model's menu state is the caller's).
  void HidePanels();
  // Panels and entries as the model's menu state says.
  void Refresh();

  // The names of the macro library, listed under "Base Macro".
  void SetMacroNames(const QStringList& names);
  // What "User-defined", a macro name and "Fire Macro" do; each is optional
  // until the dialog or page behind it is wired.
  std::function<void()> openCombination;
  std::function<void(int index)> chooseMacro;
  std::function<void()> openFirePage;
  std::function<void()> openGunKeys;

  QFrame* TopPanel() const { return top_; }

 private:
  QFrame* MakePanel(const char* name, int width, int entries);
  ClickLabel* AddEntry(QFrame* panel, int row, const char* control);
  void AddFixedFunctions(QFrame* panel, const std::vector<int>& functions, int firstRow = 0);
  void OpenCategory(QWidget* panel, ClickLabel* entry);
  void OpenDpiPanel(ClickLabel* entry);
  void HideCategories(bool keepSpecial);
  void Choose(int function);
  void MoveTo(QWidget* group);

  keys::ButtonAssignment& assignment_;
  const ui::LanguageTable& texts_;
  std::function<void()> changed_;
  QObject context_;
  QWidget* group_;
  QFrame* top_ = nullptr;
  QFrame* special_ = nullptr;
  QFrame* dpi_ = nullptr;
  std::vector<QWidget*> categories_;  // every panel besides the top panel
  QListWidget* macroNames_ = nullptr;
  ClickLabel* fireMacro_ = nullptr;
  ClickLabel* tlFireMacro_ = nullptr;
};

}  // namespace orbic::gui
