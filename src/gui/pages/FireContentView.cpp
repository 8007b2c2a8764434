#include "gui/pages/FireContentView.h"

#include "app/Session.h"
#include "base/UiHost.h"
#include "fire/FireMacroTable.h"
#include "fire/FirePage.h"
#include "gui/pages/EventListLook.h"
#include "gui/pages/ListPresses.h"
#include "macros/DelayOptions.h"
#include "macros/MacroLineText.h"

namespace orbic::gui {

namespace {

using fire::FireContentEditor;
using fire::FireDelayOption;
using fire::FireInsertItem;

constexpr int kRowHeight = 20;
constexpr const char* kTextStyle = "color: rgb(235, 238, 242);";

// The free right part of the page, beside the parameter columns.
constexpr QRect kNamesPlace(560, 250, 110, 180);
constexpr QRect kEventsPlace(680, 250, 160, 180);
constexpr QRect kStartPlace(850, 250, 110, 30);
// The delay group and, while it is open, the insert panel in its place.
constexpr QRect kGroupPlace(560, 436, 396, 84);
constexpr int kGroupLeft = 568;
constexpr int kFirstRow = 444;
constexpr int kRowStep = 24;

// The panel's value field of each insert item: delay, repeat, X, Y.
enum class InsertValue { kDelay, kRepeat, kX, kY };
constexpr std::array<InsertValue, fire::kFireInsertItemCount> kValueOfItem = {
    InsertValue::kDelay, InsertValue::kDelay, InsertValue::kRepeat, InsertValue::kRepeat,
    InsertValue::kX,     InsertValue::kX,     InsertValue::kY,      InsertValue::kY,
};

QString FireMacroName(int n) {
  return QStringLiteral("Fire Macro%1").arg(n);
}

}  // namespace

FireContentView::FireContentView(QWidget* group, app::Session& session,
                                 const ui::LanguageTable& texts, std::function<void()> changed)
    : PageView(group, session, texts, std::move(changed)) {
  BuildLists();
  BuildDelayGroup();
  BuildInsertPanel();
  BuildMenu();
  Refresh();
}

FireContentEditor& FireContentView::Editor() const {
  return Session().FirePage().Editor();
}

void FireContentView::Report(bool made) {
  const std::string& why = Editor().LastError();
  if (!made && !why.empty()) {
    Session().Ui().ShowMessage(why, orbic::MessageStyle::kDialog);
  }
}

void FireContentView::BuildLists() {
  names_ = Make<QListWidget>("LB_FireMacroName", kNamesPlace);
  events_ = Make<QListWidget>("LB_FireMacro", kEventsPlace);
  for (QListWidget* list : {names_, events_}) {
    StyleEventList(list);
    new ListPresses(
        list, [this, list](Qt::MouseButton button, std::optional<std::size_t> item, QPoint at) {
          if (list == names_) {
            menuShown_ = false;
            if (item && (button == Qt::LeftButton || button == Qt::RightButton)) {
              Editor().LB_FireMacroNameClick(static_cast<int>(*item) + 1);
            }
            Changed();
            return;
          }
          ListPressed(button, item, at);
        });
  }
  QStringList names;
  for (int n = 1; n <= fire::kFireMacroCount; ++n) {
    names << FireMacroName(n);
  }
  ShowList(names_, names);

  startPicture_ = Make<PictureLabel>("Img_FireStart", kStartPlace);
  startPicture_->SetPicture("MacroS_01");
  startButton_ = Make<ClickLabel>("Btn_FireStart", kStartPlace);
  startButton_->setAlignment(Qt::AlignCenter);
  startButton_->setStyleSheet(kTextStyle);
  QObject::connect(startButton_, &ClickLabel::clicked, &context_, [this] {
    Editor().Btn_FireStartClick();
    Changed();
  });
  // The click that stops a recording must not enter the macro.
  QObject::connect(startButton_, &ClickLabel::entered, &context_,
                   [this] { Editor().SetPointerOverRecordButton(true); });
  QObject::connect(startButton_, &ClickLabel::left, &context_,
                   [this] { Editor().SetPointerOverRecordButton(false); });
}

// A press of either button selects the line under the pointer; the right
// button then opens the line menu there. A press below the last line only
// closes the menu.
void FireContentView::ListPressed(Qt::MouseButton button, std::optional<std::size_t> item,
                                  QPoint at) {
  FireContentEditor& editor = Editor();
  menuShown_ = false;
  if (item) {
    editor.LB_FireMacroClick(static_cast<int>(*item));
  }
  if (button == Qt::RightButton && item && editor.ListEnabled() &&
      editor.SelectedItem() == std::optional<int>(static_cast<int>(*item))) {
    menuShown_ = true;
    PlacePopup(menu_, events_, at);
  }
  Changed();
}

void FireContentView::BuildMenu() {
  menu_ = Make<QFrame>("Pnl_DevFireContent", QRect(0, 0, 120, 3 * kMenuEntryHeight + 2));
  menu_->setStyleSheet(kMenuStyle);
  menu_->hide();
  ClickLabel* edit = MenuEntry(menu_, 0, "Btn_FireEdit", "Str435");
  ClickLabel* remove = MenuEntry(menu_, 1, "Btn_FireDel", "Str408");
  ClickLabel* insert = MenuEntry(menu_, 2, "Btn_FireInsert", "Str409");
  QObject::connect(edit, &ClickLabel::clicked, &context_, [this] {
    menuShown_ = false;
    FireContentEditor& editor = Editor();
    const fire::FireEditDialog dialog = editor.Btn_FireEditClick();
    Changed();
    if (dialog != fire::FireEditDialog::kNone && editDialog) {
      Report(editDialog(editor, dialog));
      Changed();
    }
  });
  QObject::connect(remove, &ClickLabel::clicked, &context_, [this] {
    menuShown_ = false;
    Report(Editor().Btn_FireDelClick());
    Changed();
  });
  QObject::connect(insert, &ClickLabel::clicked, &context_, [this] {
    menuShown_ = false;
    Editor().Btn_FireInsertClick();
    Changed();
  });
}

void FireContentView::BuildDelayGroup() {
  delayPicture_ = Make<PictureLabel>("Img_FireDelay", kGroupPlace);
  delayPicture_->setScaledContents(true);
  delayGroup_ = Make<QFrame>("GB_FireDelay", kGroupPlace);
  delayGroup_->setStyleSheet("QFrame#GB_FireDelay { border: none; background: transparent; }");
  // Row 1: the three recording delay options, the field after "Default Delay".
  const struct {
    const char* picture;
    const char* label;
    const char* text;
    std::string_view key;
    void (FireContentEditor::*choose)();
    FireDelayOption option;
    int left;
    int textWidth;
  } lamps[] = {
      {"LED_FireRecDelay", "IB_FireRecDelay", "lbl_FireRecDelay", "Str414",
       &FireContentEditor::IB_FireRecDelayClick, FireDelayOption::kRecord, kGroupLeft, 82},
      {"LED_FireDelayTime", "IB_FireDelayTime", "lbl_FireDelayTime", "Str415",
       &FireContentEditor::IB_FireDelayTimeClick, FireDelayOption::kDelayTime, 678, 84},
      {"LED_FireNoDelay", "IB_FireNoDelay", "lbl_FireNoDelay", "Str416",
       &FireContentEditor::IB_FireNoDelayClick, FireDelayOption::kNone, 854, 70},
  };
  for (const auto& row : lamps) {
    PictureLabel* lamp = Lamp(row.picture, row.label, row.key, QPoint(row.left, kFirstRow),
                              delayControls_, row.text, row.textWidth);
    delayLamps_[static_cast<std::size_t>(row.option)] = lamp;
    const auto choose = row.choose;
    QObject::connect(lamp, &ClickLabel::clicked, &context_, [this, choose] {
      (Editor().*choose)();
      Changed();
    });
  }
  delayEdit_ = Make<QLineEdit>("Edt_FireDelay", QRect(788, kFirstRow, 36, kRowHeight));
  QObject::connect(delayEdit_, &QLineEdit::textEdited, &context_, [this](const QString& text) {
    Editor().Edt_FireDelayChange(text.toStdString());
    Changed();
  });
  auto* ms = Caption("lbl_FireMS", Text("Str418"), QRect(828, kFirstRow, 22, kRowHeight));
  ms->setStyleSheet(kTextStyle);
  delayControls_.push_back(delayEdit_);
  delayControls_.push_back(ms);
  // Rows 2 and 3: the stop mode.
  releaseStop_ =
      Lamp("Img_FireReleaseStop", "IB_FireReleaseStop", "Str436",
           QPoint(kGroupLeft, kFirstRow + kRowStep), delayControls_, "lbl_FireStopRelease", 300);
  releaseContinue_ =
      Lamp("Img_FireReleaseContiue", "IB_FireReleaseContiue", "Str437",
           QPoint(kGroupLeft, kFirstRow + 2 * kRowStep), delayControls_, "lbl_FireStopOver", 300);
  QObject::connect(releaseStop_, &ClickLabel::clicked, &context_, [this] {
    Editor().IB_FireReleaseStopClick();
    Changed();
  });
  QObject::connect(releaseContinue_, &ClickLabel::clicked, &context_, [this] {
    Editor().IB_FireReleaseContiueClick();
    Changed();
  });
}

FireContentView::InsertField FireContentView::MakeInsertField(
    const char* edit, const char* caption, std::string_view key, const char* unit,
    void (FireContentEditor::*change)(std::string_view)) {
  const int row = kFirstRow + kRowStep + 8;
  InsertField field;
  field.edit = Make<QLineEdit>(edit, QRect(kGroupLeft + 96, row, 56, kRowHeight));
  QObject::connect(field.edit, &QLineEdit::textEdited, &context_,
                   [this, change](const QString& text) {
                     // The editor corrects the text; the refresh shows it.
                     (Editor().*change)(text.toStdString());
                     Changed();
                   });
  field.captions.push_back(Caption(caption, Text(key), QRect(kGroupLeft, row, 92, kRowHeight)));
  if (unit != nullptr) {
    field.captions.push_back(
        Caption(unit, Text("Str418"), QRect(kGroupLeft + 156, row, 30, kRowHeight)));
  }
  insertControls_.push_back(field.edit);
  for (QWidget* label : field.captions) {
    label->setStyleSheet(kTextStyle);
    insertControls_.push_back(label);
  }
  return field;
}

void FireContentView::BuildInsertPanel() {
  insertPicture_ = Make<PictureLabel>("Img_FireInsert", kGroupPlace);
  insertPicture_->setScaledContents(true);
  insertGroup_ = Make<QFrame>("Gb_InsertFire", kGroupPlace);
  insertGroup_->setStyleSheet("QFrame#Gb_InsertFire { border: none; background: transparent; }");
  insertKind_ = Make<QComboBox>("CB_InsertFire", QRect(kGroupLeft, kFirstRow, 170, 22));
  for (const char* key :
       {"Str410", "Str411", "Str446", "Str447", "Str440", "Str441", "Str442", "Str443"}) {
    insertKind_->addItem(Text(key));
  }
  QObject::connect(insertKind_, &QComboBox::activated, &context_, [this](int index) {
    Editor().CB_InsertFireChange(index);
    Changed();
  });
  insertControls_.push_back(insertKind_);
  insertDelay_ = MakeInsertField("Edt_InsertFireDelay", "lbl_FireInsertDelay", "Str417",
                                 "lbl_FireInsertMS", &FireContentEditor::Edt_InsertFireDelayChange);
  repeat_ = MakeInsertField("edt_FireRepeat", "lbl_FireRepeat", "Str448", nullptr,
                            &FireContentEditor::edt_FireRepeatChange);
  xValue_ = MakeInsertField("edt_FireXAxisValue", "lbl_FireXAxisValue", "Str444", nullptr,
                            &FireContentEditor::edt_FireXAxisValueChange);
  yValue_ = MakeInsertField("edt_FireYAxisValue", "lbl_FireYAxisValue", "Str445", nullptr,
                            &FireContentEditor::edt_FireYAxisValueChange);
  const struct {
    const char* picture;
    const char* button;
    std::string_view key;
    int left;
  } buttons[] = {
      {"Img_FireOK", "Btn_FireOK", "Str420", 746},
      {"Img_FireCancel", "Btn_FireCancel", "Str422", 852},
  };
  std::array<ClickLabel*, 2> made{};
  for (std::size_t index = 0; index < made.size(); ++index) {
    const auto& row = buttons[index];
    const QRect place(row.left, kFirstRow, 100, 28);
    auto* picture = Make<PictureLabel>(row.picture, place);
    picture->SetPicture("MacroBtnS_01");
    auto* button = Make<ClickLabel>(row.button, place);
    button->setText(Text(row.key));
    button->setAlignment(Qt::AlignCenter);
    button->setStyleSheet(kTextStyle);
    insertControls_.push_back(picture);
    insertControls_.push_back(button);
    made[index] = button;
  }
  QObject::connect(made[0], &ClickLabel::clicked, &context_, [this] {
    Report(Editor().Btn_FireOKClick());
    Changed();
  });
  QObject::connect(made[1], &ClickLabel::clicked, &context_, [this] {
    Editor().Btn_FireCancelClick();
    Changed();
  });
}

void FireContentView::HideMenus() {
  menuShown_ = false;
  menu_->hide();
}

void FireContentView::Refresh() {
  const FireContentEditor& editor = Editor();
  const bool shown = editor.Visible();
  const bool recording = editor.Recording();
  const bool inserting = shown && editor.InsertPanelOpen();

  // The chosen fire macro and its lines.
  const std::optional<int> chosen = editor.SelectedFireMacro();
  ShowSelection(names_, chosen ? std::optional<std::size_t>(*chosen - 1) : std::nullopt);
  const macros::MacroLines& lines = editor.Lines();
  QStringList items;
  std::vector<int> icons;
  for (std::size_t line = 1; line < lines.size(); ++line) {
    const macros::MacroLineText text = macros::EventListText(lines[line]);
    items << ToQString(text.text);
    icons.push_back(text.icon);
  }
  ShowList(events_, items);
  for (int row = 0; row < events_->count(); ++row) {
    ShowLineIcon(events_, row, icons[static_cast<std::size_t>(row)]);
  }
  const std::optional<int> selected = editor.SelectedItem();
  ShowSelection(events_, selected ? std::optional<std::size_t>(*selected) : std::nullopt);
  if (selected && recording) {
    events_->scrollToItem(events_->item(*selected));
  }

  for (QWidget* widget :
       std::initializer_list<QWidget*>{names_, events_, startPicture_, startButton_}) {
    widget->setVisible(shown);
  }
  names_->setEnabled(editor.ListEnabled());
  events_->setEnabled(!recording);
  startButton_->setEnabled(chosen.has_value() && !editor.InsertPanelOpen());
  startButton_->setText(Text(recording ? "Str401" : "Str400"));
  startPicture_->SetPicture(recording ? "MacroS_03" : "MacroS_01");

  const bool menu = shown && menuShown_ && editor.ListEnabled() && selected.has_value();
  menu_->setVisible(menu);
  if (menu) {
    menu_->raise();
  }

  // The delay group, in its place unless the insert panel is open.
  const bool delayShown = shown && !inserting;
  delayPicture_->setGeometry(delayGroup_->geometry());
  delayPicture_->setVisible(delayShown);
  delayGroup_->setVisible(delayShown);
  for (QWidget* widget : delayControls_) {
    widget->setVisible(delayShown);
    widget->setEnabled(!recording);
  }
  const std::array<FireDelayOption, 3> options = {
      FireDelayOption::kRecord, FireDelayOption::kDelayTime, FireDelayOption::kNone};
  for (const FireDelayOption option : options) {
    delayLamps_[static_cast<std::size_t>(option)]->SetPicture(
        editor.DelayOption() == option ? macros::kLampOn : macros::kLampOff);
  }
  ShowText(delayEdit_, ToQString(editor.FireDelayText()));
  delayEdit_->setReadOnly(!editor.FireDelayEditable());
  releaseStop_->SetPicture(editor.ReleaseStopPicture());
  releaseContinue_->SetPicture(editor.ReleaseContinuePicture());

  // The insert panel: the field of the chosen item only.
  insertPicture_->setGeometry(insertGroup_->geometry());
  insertPicture_->setVisible(inserting);
  insertGroup_->setVisible(inserting);
  for (QWidget* widget : insertControls_) {
    widget->setVisible(inserting);
  }
  if (!inserting) {
    return;
  }
  const FireInsertItem item = editor.InsertItem();
  ShowIndex(insertKind_, static_cast<int>(item));
  const InsertValue value = kValueOfItem[static_cast<std::size_t>(item)];
  const std::pair<InsertField*, InsertValue> fields[] = {
      {&insertDelay_, InsertValue::kDelay},
      {&repeat_, InsertValue::kRepeat},
      {&xValue_, InsertValue::kX},
      {&yValue_, InsertValue::kY},
  };
  for (const auto& [field, kind] : fields) {
    field->edit->setVisible(kind == value);
    for (QWidget* caption : field->captions) {
      caption->setVisible(kind == value);
    }
  }
  ShowText(insertDelay_.edit, ToQString(editor.InsertDelayText()));
  ShowText(repeat_.edit, ToQString(editor.RepeatText()));
  ShowText(xValue_.edit, ToQString(editor.XAxisText()));
  ShowText(yValue_.edit, ToQString(editor.YAxisText()));
  // "Insert Stop Repeat" takes no count.
  repeat_.edit->setEnabled(item != FireInsertItem::kRepeatStop);
}

}  // namespace orbic::gui
