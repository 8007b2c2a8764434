#include "gui/pages/EngineerPageView.h"

#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QStatusTipEvent>
#include <iterator>

#include "app/Session.h"
#include "engineer/EngineerCaptions.h"
#include "engineer/EngineerHints.h"
#include "engineer/GunKeyMenu.h"
#include "gui/pages/EngineerTerms.h"

namespace orbic::gui {

namespace {

constexpr int kButtonHeight = 26;
constexpr int kGunKeyItemHeight = 20;
constexpr int kGunKeyMenuWidth = 150;

// The page's buttons, where they lie and what they do: the header button
// they stand for, or a command of their own.
struct ButtonRow {
  const char* name;
  QRect geometry;
  const char* command;
};

constexpr ButtonRow kPageButtons[] = {
    {"Btn_Main_6", {196, 6, 108, kButtonHeight}, "Main"},
    {"Btn_Switch_6", {310, 6, 108, kButtonHeight}, "Second"},
    {"Btn_Adv_6", {424, 6, 108, kButtonHeight}, "Adv"},
    {"Btn_Breath_6", {538, 6, 108, kButtonHeight}, "Breath"},
    {"Btn_Macro_6", {652, 6, 108, kButtonHeight}, "Macro"},
    {"Btn_Engineer_6", {766, 6, 108, kButtonHeight}, "Engineer"},
    {"Btn_Close", {964, 6, 28, kButtonHeight}, "Exit"},
    {"Btn_Load_6", {8, 532, 100, kButtonHeight}, "Load"},
    {"Btn_Save_6", {114, 532, 100, kButtonHeight}, "Save"},
    {"Btn_Default", {220, 532, 100, kButtonHeight}, "Default"},
    {"Btn_ImportBaseMacro", {326, 532, 150, kButtonHeight}, "ImportBaseMacro"},
    {"Btn_ImportGunMacro", {482, 532, 150, kButtonHeight}, "ImportGunMacro"},
    {"btn_TestKeys", {638, 532, 150, kButtonHeight}, ""},
    {"btn_Write", {884, 532, 108, kButtonHeight}, "Apply"},
};

// Hidden from the start: the page's own button (it is the page shown) and the
// buttons the unlock brings out, the button test among them.
constexpr const char* kHiddenButtons[] = {"Btn_Engineer_6", "Btn_Default", "Btn_ImportBaseMacro",
                                          "Btn_ImportGunMacro", "btn_TestKeys"};

}  // namespace

// The notes line: a control's hint reaches the page as a status tip when the
// pointer enters it, and an empty one when it leaves.
class EngineerPageView::HintFilter final : public QObject {
 public:
  explicit HintFilter(QLabel* content) : content_(content) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::StatusTip) {
      content_->setText(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QLabel* content_;
};

EngineerPageView::EngineerPageView(QWidget* group, app::Session& session,
                                   const ui::LanguageTable& texts, std::function<void()> changed,
                                   FunctionMenu& menu)
    : PageView(group, session, texts, changed),
      menu_(menu),
      page_(session.Settings().options, session.Image().data) {
  BuildFrame();
  auto* operationSheet = new QWidget;
  operationSheet->setObjectName("ts_Operator");
  auto* factorySheet = new QWidget;
  factorySheet->setObjectName("ts_Engineer");
  tabs_->addTab(operationSheet, "Operation");
  tabs_->addTab(factorySheet, "Engineer");
  tabs_->setTabVisible(1, false);  // the unlock shows it
  tabs_->setCurrentIndex(0);
  operation_ = std::make_unique<EngineerOperationTab>(operationSheet, session, texts, changed,
                                                      menu_, page_, language_, group);
  factory_ = std::make_unique<EngineerFactoryTab>(factorySheet, session, texts, changed, page_);

  gunKeyMenu_ = Make<QListWidget>("LB_Script", QRect(0, 0, kGunKeyMenuWidth, kGunKeyItemHeight));
  gunKeyMenu_->setUniformItemSizes(true);
  gunKeyMenu_->hide();
  QObject::connect(gunKeyMenu_, &QListWidget::itemClicked, &context_,
                   [this](QListWidgetItem* item) { LB_ScriptClick(gunKeyMenu_->row(item)); });

  buttonTest_ = std::make_unique<ButtonTestView>(group, session);

  SetLanguage(language_);
  ShowHints();
  Refresh();
}

EngineerPageView::~EngineerPageView() {
  Group()->removeEventFilter(hintFilter_.get());
}

void EngineerPageView::BuildFrame() {
  // The logo strip: dragging it moves the window, a double-click unlocks.
  auto* logo = Make<QLabel>("Img_Logo4", QRect(0, 0, Group()->width(), 38));
  logo->setText("  ORBIC40");
  logo->setStyleSheet("font-weight: bold; font-size: 16px;");
  tabs_ = Make<QTabWidget>("Pg_Parameter", QRect(8, 40, 984, 488));
  for (const ButtonRow& row : kPageButtons) {
    auto* button = Make<QPushButton>(row.name, row.geometry);
    button->setFocusPolicy(Qt::NoFocus);
    const QString name = QString::fromLatin1(row.command);
    if (!name.isEmpty()) {
      QObject::connect(button, &QPushButton::clicked, &context_, [this, name] {
        if (command) {
          command(name);
        }
      });
    }
  }
  Group()->findChild<QPushButton*>("Btn_Close")->setText(QString::fromUtf8("\u2715"));
  for (const char* name : kHiddenButtons) {
    Group()->findChild<QWidget*>(name)->hide();
  }
  Caption("lbl_Notes", "Notes: ", QRect(8, 564, 60, 32))
      ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  content_ = Caption("lbl_Content", "", QRect(70, 564, 922, 34));
  content_->setWordWrap(true);
  content_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// Every control carries its hint as its status tip; the page shows the tips.
void EngineerPageView::ShowHints() {
  for (QWidget* widget : Group()->findChildren<QWidget*>()) {
    QString enclosing;
    for (QWidget* up = widget->parentWidget(); up != nullptr && up != Group();
         up = up->parentWidget()) {
      if (qobject_cast<QGroupBox*>(up) != nullptr) {
        enclosing = up->objectName();
        break;
      }
    }
    const std::string_view hint =
        engineer::EngineerHint(widget->objectName().toStdString(), enclosing.toStdString());
    if (!hint.empty()) {
      widget->setStatusTip(ToQString(hint));
    }
  }
  hintFilter_ = std::make_unique<HintFilter>(content_);
  Group()->installEventFilter(hintFilter_.get());
}

void EngineerPageView::SetLanguage(ui::TermLanguage language) {
  language_ = language;
  const auto caption = [this](std::string_view control, const QString& text) {
    const QString name = ToQString(control);
    for (QWidget* widget : Group()->findChildren<QWidget*>(name)) {
      if (widget->metaObject()->indexOfProperty("title") >= 0) {
        widget->setProperty("title", text);
      } else if (widget->metaObject()->indexOfProperty("text") >= 0) {
        widget->setProperty("text", text);
      }
      // A tab sheet's caption is its tab's text.
      if (const int index = tabs_->indexOf(widget); index >= 0) {
        tabs_->setTabText(index, text);
      }
    }
  };
  for (const ui::TermCaption& row : ui::kTermCaptions) {
    caption(row.control, TermText(row.termId, language));
  }
  for (const engineer::CaptionTerm& row : engineer::EngineerCaptionTerms()) {
    caption(row.control, TermText(row.termId, language));
  }
  for (const engineer::FixedCaption& row : engineer::kEngineerFixedCaptions) {
    caption(row.control, ToQString(row.text));
  }
  Refresh();
}

void EngineerPageView::Refresh() {
  page_.RefreshFromOptions();
  if (operation_) {
    operation_->Refresh();
  }
  if (factory_) {
    factory_->Refresh();
  }
}

void EngineerPageView::HideMenus() {
  if (gunKeyMenu_ != nullptr) {
    gunKeyMenu_->hide();
  }
}

void EngineerPageView::OpenGunKeys() {
  const fire::GunKeyList& list = Session().Settings().gunKeys;
  gunKeyMenu_->clear();
  for (const std::string& name : list.Names()) {
    gunKeyMenu_->addItem(ToQString(name));
  }
  for (int row = 0; row < gunKeyMenu_->count(); ++row) {
    gunKeyMenu_->item(row)->setSizeHint(QSize(kGunKeyMenuWidth, kGunKeyItemHeight));
  }
  const QRect top = menu_.TopPanel()->geometry();
  const int rows = std::max(1, gunKeyMenu_->count());
  const int height = rows * kGunKeyItemHeight + 2 * gunKeyMenu_->frameWidth();
  const int left = top.right() + kGunKeyMenuWidth < Group()->width()
                       ? top.right() + 1
                       : top.left() - kGunKeyMenuWidth;
  gunKeyMenu_->setGeometry(left, std::max(0, top.bottom() - height), kGunKeyMenuWidth, height);
  gunKeyMenu_->show();
  gunKeyMenu_->raise();
}

void EngineerPageView::LB_ScriptClick(int row) {
  orbic::app::SettingsModel& settings = Session().Settings();
  menu_.HidePanels();
  settings.assignment.HideAllMenu();
  gunKeyMenu_->hide();
  const int target = engineer::EngineerTargetNumber(settings.assignment.Target());
  engineer::LB_ScriptClick(target, row + 1, settings.gunKeys, settings.keys,
                           Session().Image().data);
  Changed();
}

}  // namespace orbic::gui
