#include "gui/pages/FunctionMenu.h"

#include <algorithm>

#include "gui/pages/PageView.h"
#include "keys/ButtonAssignment.h"
#include "keys/FixedFunctions.h"
#include "keys/MenuGeometry.h"
#include "ui/LanguageCaptions.h"
#include "ui/LanguageTable.h"

namespace orbic::gui {

namespace {

// The special-keys panel lists its entries in this order, after the DPI entry.
constexpr int kSpecialOrder[] = {1000, 1002, 1006, 1001, 1005, 1004, 1003};

QString Rgb(std::uint32_t colour) {
  return QString("rgb(%1, %2, %3)")
      .arg(colour & 0xFFU)
      .arg((colour >> 8) & 0xFFU)
      .arg((colour >> 16) & 0xFFU);
}

keys::Rect ToRect(const QRect& rect) {
  return {rect.left(), rect.top(), rect.width(), rect.height()};
}

keys::Size SizeOf(const QWidget* widget) {
  return {widget->width(), widget->height()};
}

std::string_view CaptionKey(std::string_view control) {
  for (const ui::CaptionSource& source : ui::kFunctionListCaptions) {
    if (source.control == control) {
      return source.key;
    }
  }
  return {};
}

}  // namespace

QString MenuStyleSheet(const MenuColours& colours) {
  return QString(
             "QFrame { background: %1; border: 1px solid %2; }"
             "QLabel { background: transparent; border: none; color: %3; }"
             "QLabel:hover { background: %4; color: %5; }")
      .arg(Rgb(colours.back), Rgb(colours.border), Rgb(colours.font), Rgb(colours.hoverBack),
           Rgb(colours.hoverFont));
}

FunctionMenu::FunctionMenu(QWidget* group, keys::ButtonAssignment& assignment,
                           const ui::LanguageTable& texts, std::function<void()> changed)
    : assignment_(assignment), texts_(texts), changed_(std::move(changed)), group_(group) {
  using keys::MenuGroup;
  top_ = MakePanel("Pnl_Main", kTopPanelWidth, 9);
  auto* mouseKeys = MakePanel("Pnl_MseKey", kCategoryPanelWidth, 5);
  special_ = MakePanel("Pnl_Special", kSpecialPanelWidth, 8);
  dpi_ = MakePanel("Pnl_CPIKey", kCategoryPanelWidth, 3);
  auto* media = MakePanel("Pnl_Media", kCategoryPanelWidth, 7);
  auto* web = MakePanel("Pnl_WWW", kCategoryPanelWidth, 7);
  auto* others = MakePanel("Pnl_MyPC", kCategoryPanelWidth, 4);
  macroNames_ = new QListWidget(group_);
  macroNames_->setObjectName("LB_Name");
  macroNames_->resize(kCategoryPanelWidth, keys::kMenuPanelHeight);
  macroNames_->setStyleSheet(MenuStyleSheet({}));
  macroNames_->hide();
  categories_ = {mouseKeys, special_, dpi_, media, web, others, macroNames_};

  const auto byGroup = [](MenuGroup wanted) {
    std::vector<int> functions;
    for (const keys::FixedFunction& row : keys::FixedFunctions()) {
      if (row.group == wanted) {
        functions.push_back(row.identifier);
      }
    }
    return functions;
  };
  AddFixedFunctions(mouseKeys, byGroup(MenuGroup::kStandardMouseKeys));
  AddFixedFunctions(dpi_, byGroup(MenuGroup::kDpi));
  AddFixedFunctions(media, byGroup(MenuGroup::kMedia));
  AddFixedFunctions(web, byGroup(MenuGroup::kWeb));
  AddFixedFunctions(others, byGroup(MenuGroup::kOthers));
  ClickLabel* dpiEntry = AddEntry(special_, 0, "Key_CPIKey");
  QObject::connect(dpiEntry, &ClickLabel::entered, &context_,
                   [this, dpiEntry] { OpenDpiPanel(dpiEntry); });
  AddFixedFunctions(special_, {std::begin(kSpecialOrder), std::end(kSpecialOrder)}, 1);
  // Hovering a special key closes the DPI sub-panel.
  for (ClickLabel* entry : special_->findChildren<ClickLabel*>()) {
    if (entry != dpiEntry) {
      QObject::connect(entry, &ClickLabel::entered, &context_, [this] { dpi_->hide(); });
    }
  }

  const struct {
    const char* control;
    QWidget* opens;
  } categories[] = {
      {"Key_Standard", mouseKeys}, {"Key_Special", special_},
      {"Key_Media", media},        {"Key_WWW", web},
      {"Key_MyPC", others},
  };
  int row = 0;
  for (const auto& category : categories) {
    ClickLabel* entry = AddEntry(top_, row++, category.control);
    QWidget* panel = category.opens;
    QObject::connect(entry, &ClickLabel::entered, &context_,
                     [this, panel, entry] { OpenCategory(panel, entry); });
  }
  ClickLabel* combination = AddEntry(top_, row++, "Key_Assembly");
  ClickLabel* macro = AddEntry(top_, row++, "Key_Macro");
  fireMacro_ = AddEntry(top_, row, "Key_FireMacro");
  tlFireMacro_ = AddEntry(top_, row, "Key_TLFireMacro");
  QObject::connect(macro, &ClickLabel::entered, &context_,
                   [this, macro] { OpenCategory(macroNames_, macro); });
  for (ClickLabel* command : {combination, fireMacro_, tlFireMacro_}) {
    QObject::connect(command, &ClickLabel::entered, &context_, [this] { HideCategories(false); });
  }
  QObject::connect(combination, &ClickLabel::clicked, &context_, [this] {
    HidePanels();
    assignment_.Key_AssemblyClick();
    if (openCombination) {
      openCombination();
    }
    changed_();
  });
  QObject::connect(fireMacro_, &ClickLabel::clicked, &context_, [this] {
    assignment_.HideAllMenu();
    HidePanels();
    if (openFirePage) {
      openFirePage();
    }
    changed_();
  });
  QObject::connect(tlFireMacro_, &ClickLabel::clicked, &context_, [this] {
    if (openGunKeys) {
      openGunKeys();
    }
  });
  QObject::connect(macroNames_, &QListWidget::itemClicked, &context_,
                   [this](QListWidgetItem* item) {
                     const int index = macroNames_->row(item);
                     assignment_.HideAllMenu();
                     HidePanels();
                     if (chooseMacro) {
                       chooseMacro(index);
                     }
                     changed_();
                   });
  HidePanels();
}

QFrame* FunctionMenu::MakePanel(const char* name, int width, int entries) {
  auto* panel = new QFrame(group_);
  panel->setObjectName(name);
  panel->setStyleSheet(MenuStyleSheet({}));
  panel->resize(width, entries * kEntryHeight + 2);
  return panel;
}

ClickLabel* FunctionMenu::AddEntry(QFrame* panel, int row, const char* control) {
  auto* entry = new ClickLabel(panel);
  entry->setObjectName(control);
  entry->setAttribute(Qt::WA_Hover);
  entry->setGeometry(1, 1 + row * kEntryHeight, panel->width() - 2, kEntryHeight);
  entry->setText(ToQString(ui::FunctionListCaption(texts_, CaptionKey(control))));
  return entry;
}

void FunctionMenu::AddFixedFunctions(QFrame* panel, const std::vector<int>& functions,
                                     int firstRow) {
  int row = firstRow;
  for (const int function : functions) {
    const keys::FixedFunction* fixed = keys::FindFixedFunction(function);
    if (fixed == nullptr) {
      continue;
    }
    const std::string control(fixed->controlName);
    ClickLabel* entry = AddEntry(panel, row++, control.c_str());
    QObject::connect(entry, &ClickLabel::clicked, &context_,
                     [this, function] { Choose(function); });
  }
}

void FunctionMenu::MoveTo(QWidget* group) {
  if (group == group_) {
    return;
  }
  group_ = group;
  top_->setParent(group);
  for (QWidget* panel : categories_) {
    panel->setParent(group);
  }
}

void FunctionMenu::OpenMain(QWidget* group, const QRect& label) {
  MoveTo(group);
  HidePanels();
  Refresh();
  const keys::Point at = keys::MainTopPanelPosition(ToRect(label), SizeOf(top_), SizeOf(group));
  top_->move(at.left, at.top);
  top_->show();
  top_->raise();
}

void FunctionMenu::OpenEngineer(QWidget* group, const QRect& button, int groupTop) {
  MoveTo(group);
  HidePanels();
  Refresh();
  const keys::Point at =
      keys::EngineerTopPanelPosition(ToRect(button), SizeOf(top_), group->width(), 0, groupTop);
  top_->move(at.left, at.top);
  top_->show();
  top_->raise();
}

void FunctionMenu::HidePanels() {
  top_->hide();
  HideCategories(false);
}

void FunctionMenu::HideCategories(bool keepSpecial) {
  for (QWidget* panel : categories_) {
    if (!(keepSpecial && panel == special_)) {
      panel->hide();
    }
  }
}

void FunctionMenu::Refresh() {
  const keys::MenuState& menu = assignment_.Menu();
  if (!menu.open) {
    HidePanels();
  }
  fireMacro_->setVisible(menu.fireMacroVisible);
  tlFireMacro_->setVisible(menu.tlFireMacroVisible);
  // The last entries of these two panels are in view only where they are offered.
  const int height = keys::MenuPanelHeight(menu.extraEntriesInView);
  top_->resize(top_->width(), height);
  special_->resize(special_->width(), height);
}

void FunctionMenu::OpenCategory(QWidget* panel, ClickLabel* entry) {
  HideCategories(false);
  const keys::Point at =
      keys::CategoryPanelPosition(ToRect(top_->geometry()), ToRect(entry->geometry()),
                                  special_->width(), panel->height(), SizeOf(group_));
  panel->move(at.left, at.top);
  panel->show();
  panel->raise();
}

void FunctionMenu::OpenDpiPanel(ClickLabel* entry) {
  HideCategories(true);
  const keys::Point at = keys::DpiPanelPosition(
      ToRect(special_->geometry()), ToRect(entry->geometry()), SizeOf(dpi_), SizeOf(group_));
  dpi_->move(at.left, at.top);
  dpi_->show();
  dpi_->raise();
}

void FunctionMenu::Choose(int function) {
  HidePanels();
  assignment_.KeyStatusOnClick(function);
  changed_();
}

void FunctionMenu::SetMacroNames(const QStringList& names) {
  bool same = macroNames_->count() == names.size();
  for (int row = 0; same && row < names.size(); ++row) {
    same = macroNames_->item(row)->text() == names[row];
  }
  if (!same) {
    macroNames_->clear();
    macroNames_->addItems(names);
  }
}

}  // namespace orbic::gui
