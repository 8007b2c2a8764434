#include "gui/pages/MacroPageView.h"

#include <QHash>

#include "app/Session.h"
#include "gui/pages/EventListLook.h"
#include "gui/pages/ListPresses.h"
#include "macros/MacroEditor.h"
#include "macros/MacroPage.h"
#include "macros/MacroRecorder.h"

namespace orbic::gui {

namespace {

using macros::DelayMode;
using macros::MacroEditor;

constexpr int kRowHeight = 20;
// Wide enough for "Delay Setting" in every language table.
constexpr int kDelayCaptionWidth = 100;

constexpr const char* kTextStyle = "color: rgb(235, 238, 242);";
constexpr const char* kHeadingStyle = "color: rgb(64, 196, 255);";

}  // namespace

MacroPageView::MacroPageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                             std::function<void()> changed)
    : PageView(group, session, texts, std::move(changed)) {
  BuildLists();
  BuildDelayGroup();
  BuildInsertPanel();
  BuildMenus();
  Refresh();
}

void MacroPageView::Command(const std::function<void(MacroEditor&)>& command) {
  if (editor_ == nullptr) {
    return;
  }
  command(*editor_);
  if (showDialogs) {
    showDialogs(*editor_);
  }
  Changed();
}

void MacroPageView::BuildLists() {
  Caption("lbl_Marco_List", Text("Str835"), QRect(40, 136, 220, kRowHeight))
      ->setStyleSheet(kHeadingStyle);
  Caption("lbl_Marco_Content", Text("Str836"), QRect(290, 136, 300, kRowHeight))
      ->setStyleSheet(kHeadingStyle);
  names_ = Make<QListWidget>("LB_PCMacroName", QRect(40, 160, 220, 360));
  events_ = Make<QListWidget>("LB_macro", QRect(290, 160, 300, 360));
  // The six slot names in slot order; kept for the skin and never shown.
  slotNames_ = Make<QListWidget>("LB_MacroName", QRect(40, 160, 220, 120));
  slotNames_->hide();
  notice_ = Caption("lbl_MacroNotice", QString(), QRect(290, 524, 300, 2 * kRowHeight));
  notice_->setWordWrap(true);
  notice_->setStyleSheet(kTextStyle);
  notice_->hide();
  for (QListWidget* list : {names_, events_}) {
    StyleEventList(list);
  }
  new ListPresses(
      names_, [this](Qt::MouseButton button, std::optional<std::size_t> item, QPoint at) {
        if (button == Qt::RightButton) {
          Command([item](MacroEditor& editor) { editor.LB_PCMacroNameRightClick(item); });
          ShowPopup(nameMenu_, names_, at);
        } else if (button == Qt::LeftButton) {
          Command([item](MacroEditor& editor) { editor.LB_PCMacroNameClick(item); });
        }
      });
  new ListPresses(events_,
                  [this](Qt::MouseButton button, std::optional<std::size_t> item, QPoint at) {
                    if (editor_ != nullptr) {
                      editor_->SetEventListTopIndex(events_->indexAt(QPoint(1, 1)).row());
                    }
                    if (button == Qt::RightButton) {
                      Command([item](MacroEditor& editor) { editor.LB_macroRightClick(item); });
                      ShowPopup(eventMenu_, events_, at);
                    } else if (button == Qt::LeftButton) {
                      Command([item](MacroEditor& editor) { editor.LB_macroClick(item); });
                    }
                  });

  auto* newPicture = Make<PictureLabel>("Img_New", QRect(40, 530, 110, 30));
  newPicture->SetPicture("MacroS_01");
  newButton_ = Make<ClickLabel>("Btn_New", QRect(40, 530, 110, 30));
  newButton_->setText(Text("Str432"));
  startPicture_ = Make<PictureLabel>("Img_Start", QRect(290, 530, 110, 30));
  startPicture_->SetPicture("MacroS_03");
  startButton_ = Make<ClickLabel>("Btn_Start", QRect(290, 530, 110, 30));
  for (ClickLabel* button : {newButton_, startButton_}) {
    button->setAlignment(Qt::AlignCenter);
    button->setStyleSheet(kTextStyle);
  }
  QObject::connect(newButton_, &ClickLabel::clicked, &context_,
                   [this] { Command([](MacroEditor& editor) { editor.Btn_NewClick(); }); });
  QObject::connect(startButton_, &ClickLabel::clicked, &context_, [this] {
    if (recorder_ != nullptr) {
      recorder_->Btn_StartClick();
      Changed();
    }
  });
  // The click that stops a recording must not enter the macro.
  QObject::connect(startButton_, &ClickLabel::entered, &context_, [this] {
    if (recorder_ != nullptr) {
      recorder_->SetPointerOverButton(true);
    }
  });
  QObject::connect(startButton_, &ClickLabel::left, &context_, [this] {
    if (recorder_ != nullptr) {
      recorder_->SetPointerOverButton(false);
    }
  });
}

void MacroPageView::BuildMenus() {
  nameMenu_ = Make<QFrame>("Pnl_PCMacro", QRect(0, 0, 220, 7 * kMenuEntryHeight + 2));
  eventMenu_ = Make<QFrame>("Pnl_DevContent", QRect(0, 0, 120, 3 * kMenuEntryHeight + 2));
  const struct {
    QFrame* panel;
    const char* name;
    std::string_view key;
    void (MacroEditor::*command)();
  } entries[] = {
      {nameMenu_, "Btn_NewMacro", "Str432", &MacroEditor::Btn_NewMacroClick},
      {nameMenu_, "Btn_NewName", "Str402", &MacroEditor::Btn_NewNameClick},
      {nameMenu_, "Btn_DelPCMacro", "Str433", &MacroEditor::Btn_DelPCMacroClick},
      // Import and export need the window's file dialogs: see FileEntry below.
      {nameMenu_, "Btn_ImportOne", "Str406", nullptr},
      {nameMenu_, "Btn_Import", "Str407", nullptr},
      {nameMenu_, "Btn_ExportOne", "Str404", nullptr},
      {nameMenu_, "Btn_Export", "Str405", nullptr},
      {eventMenu_, "Btn_Edit", "Str435", &MacroEditor::Btn_EditClick},
      {eventMenu_, "Btn_Del", "Str408", &MacroEditor::Btn_DelClick},
      {eventMenu_, "Btn_Insert", "Str409", &MacroEditor::Btn_InsertClick},
  };
  int nameRow = 0;
  int eventRow = 0;
  for (const auto& entry : entries) {
    const int row = entry.panel == nameMenu_ ? nameRow++ : eventRow++;
    ClickLabel* label = MenuEntry(entry.panel, row, entry.name, entry.key);
    if (entry.command == nullptr) {
      ConnectFileEntry(label);
      continue;
    }
    const auto command = entry.command;
    QObject::connect(label, &ClickLabel::clicked, &context_, [this, command] {
      Command([command](MacroEditor& editor) { (editor.*command)(); });
    });
  }
  for (QFrame* menu : {nameMenu_, eventMenu_}) {
    menu->setStyleSheet(kMenuStyle);
    menu->hide();
  }
}

void MacroPageView::ConnectFileEntry(ClickLabel* label) {
  static const QHash<QString, MacroFileCommand> kCommands{
      {"Btn_ImportOne", MacroFileCommand::kImportOne},
      {"Btn_Import", MacroFileCommand::kImportAll},
      {"Btn_ExportOne", MacroFileCommand::kExportOne},
      {"Btn_Export", MacroFileCommand::kExportAll},
  };
  const MacroFileCommand command = kCommands.value(label->objectName());
  fileEntries_.push_back(label);
  if (command == MacroFileCommand::kExportOne) {
    exportOne_ = label;
  }
  QObject::connect(label, &ClickLabel::clicked, &context_, [this, command] {
    if (editor_ == nullptr || !fileCommand) {
      return;
    }
    // The menu closes before the file dialog opens.
    editor_->ClearMacro();
    nameMenu_->hide();
    fileCommand(command);
    Changed();
  });
}

void MacroPageView::ShowPopup(QFrame* popup, QListWidget* list, const QPoint& at) {
  if (editor_ == nullptr) {
    return;
  }
  PlacePopup(popup, list, at);
  Refresh();
}

void MacroPageView::BuildDelayGroup() {
  delayGroup_ = Make<QFrame>("Gb_Delay", QRect(620, 170, 340, 280));
  delayGroup_->lower();
  const struct {
    const char* picture;
    const char* label;
    const char* text;
    std::string_view key;
    DelayMode mode;
    int top;
    int textWidth;
  } lamps[] = {
      {"LED_NoDelay", "IB_NoDelay", "lbl_No_Delay", "Str839", DelayMode::kNone, 200, 200},
      {"LED_RecDelay", "IB_RecDelay", "lbl_Record_Delay", "Str837", DelayMode::kRecord, 232, 200},
      // "Delay Setting" is followed on its row by the delay field and "ms".
      {"LED_DelayTime", "IB_DelayTime", "lbl_Delay_Setting", "Str838", DelayMode::kDefault, 264,
       kDelayCaptionWidth},
  };
  delayLamps_.resize(3);
  for (const auto& row : lamps) {
    PictureLabel* lamp = Lamp(row.picture, row.label, row.key, QPoint(640, row.top), delayControls_,
                              row.text, row.textWidth);
    delayLamps_[static_cast<std::size_t>(row.mode)] = lamp;
    const DelayMode mode = row.mode;
    QObject::connect(lamp, &ClickLabel::clicked, &context_, [this, mode] {
      if (recorder_ != nullptr) {
        recorder_->RecordDelayOptions().Choose(mode);
        Changed();
      }
    });
  }
  delayEdit_ = Make<QLineEdit>("Edt_Delay", QRect(770, 264, 60, kRowHeight));
  delayEdit_->setAlignment(Qt::AlignCenter);
  QObject::connect(delayEdit_, &QLineEdit::textEdited, &context_, [this](const QString& text) {
    if (recorder_ != nullptr) {
      recorder_->RecordDelayOptions().FieldChange(text.toStdString());
    }
    Changed();
  });
  auto* ms = Caption("lbl_MS", Text("Str840"), QRect(836, 264, 40, kRowHeight));
  ms->setStyleSheet(kTextStyle);
  delayControls_.push_back(delayEdit_);
  delayControls_.push_back(ms);
  releaseStop_ = Lamp("Img_ReleaseStop", "IB_ReleaseStop", "Str841", QPoint(640, 380),
                      delayControls_, "lbl_Stop_Release", 260);
  releaseContinue_ = Lamp("Img_ReleaseContiue", "IB_ReleaseContiue", "Str842", QPoint(640, 410),
                          delayControls_, "lbl_Stop_Over", 260);
  QObject::connect(releaseStop_, &ClickLabel::clicked, &context_,
                   [this] { Command([](MacroEditor& editor) { editor.IB_ReleaseStopClick(); }); });
  QObject::connect(releaseContinue_, &ClickLabel::clicked, &context_, [this] {
    Command([](MacroEditor& editor) { editor.IB_ReleaseContiueClick(); });
  });
}

QLineEdit* MacroPageView::NumberEdit(const char* name, const QRect& geometry,
                                     macros::MacroNumberField& (*field)(MacroEditor&)) {
  auto* edit = Make<QLineEdit>(name, geometry);
  edit->setAlignment(Qt::AlignCenter);
  QObject::connect(edit, &QLineEdit::textEdited, &context_, [this, field](const QString& text) {
    if (editor_ != nullptr) {
      // Text the field refuses leaves the previous text, shown again below.
      field(*editor_).SetText(text.toStdString());
    }
    Changed();
  });
  insertControls_.push_back(edit);
  return edit;
}

void MacroPageView::BuildInsertPanel() {
  insertGroup_ = Make<QFrame>("Gb_Insert", QRect(620, 160, 360, 360));
  insertGroup_->lower();
  insertKind_ = Make<QComboBox>("CB_Insert", QRect(640, 190, 200, 22));
  for (const char* key : {"Str410", "Str411", "Str412", "Str413", "Str446", "Str447", "Str440",
                          "Str441", "Str442", "Str443"}) {
    insertKind_->addItem(Text(key));
  }
  QObject::connect(insertKind_, &QComboBox::activated, &context_, [this](int index) {
    Command([index](MacroEditor& editor) { editor.CB_InsertChange(index); });
  });
  insertControls_.push_back(insertKind_);
  insertDelay_ = NumberEdit("Edt_InsertDelay", QRect(730, 300, 60, kRowHeight),
                            [](MacroEditor& editor) -> macros::MacroNumberField& {
                              return editor.InsertPanel().Delay();
                            });
  xValue_ = NumberEdit(
      "edt_XAxisValue", QRect(720, 230, 60, kRowHeight),
      [](MacroEditor& editor) -> macros::MacroNumberField& { return editor.InsertPanel().X(); });
  yValue_ = NumberEdit(
      "edt_YAxisValue", QRect(720, 258, 60, kRowHeight),
      [](MacroEditor& editor) -> macros::MacroNumberField& { return editor.InsertPanel().Y(); });
  repeat_ = NumberEdit("edt_Repeat", QRect(720, 286, 60, kRowHeight),
                       [](MacroEditor& editor) -> macros::MacroNumberField& {
                         return editor.InsertPanel().Repeat();
                       });
  const struct {
    const char* name;
    std::string_view key;
    QRect geometry;
  } captions[] = {
      {"lbl_Delay", "Str417", {656, 300, 74, kRowHeight}},
      {"lbl_s_A", "Str418", {794, 300, 40, kRowHeight}},
      {"lbl_XAxisValue", "Str444", {640, 230, 80, kRowHeight}},
      {"lbl_YAxisValue", "Str445", {640, 258, 80, kRowHeight}},
      {"lbl_Repeat", "Str448", {640, 286, 80, kRowHeight}},
  };
  for (const auto& caption : captions) {
    QLabel* label = Caption(caption.name, Text(caption.key), caption.geometry);
    label->setStyleSheet(kTextStyle);
    insertControls_.push_back(label);
  }
  const struct {
    const char* picture;
    const char* label;
    std::string_view key;
    void (macros::MacroInsertPanel::*choose)();
  } lamps[] = {
      {"LED_InsertRecDelay", "IB_InsertRecDelay", "Str414",
       &macros::MacroInsertPanel::IB_InsertRecDelayClick},
      {"LED_InsertNoDelay", "IB_InsertNoDelay", "Str416",
       &macros::MacroInsertPanel::IB_InsertNoDelayClick},
      {"LED_InsertDelayTime", "IB_InsertDelayTime", "Str415",
       &macros::MacroInsertPanel::IB_InsertDelayTimeClick},
  };
  int top = 340;
  for (const auto& row : lamps) {
    PictureLabel* lamp = Lamp(row.picture, row.label, row.key, QPoint(640, top), insertControls_);
    top += 24;
    insertLamps_.push_back(lamp);
    const auto choose = row.choose;
    QObject::connect(lamp, &ClickLabel::clicked, &context_, [this, choose] {
      Command([choose](MacroEditor& editor) { (editor.InsertPanel().*choose)(); });
    });
  }
  const struct {
    const char* picture;
    const char* label;
    std::string_view key;
    int left;
    ClickLabel** button;
  } buttons[] = {
      {"Img_OK", "Btn_OK", "Str420", 640, &okButton_},
      {"Img_Cancel", "Btn_Cancel", "Str422", 760, &cancelButton_},
      {"Img_InsertStart", "Btn_InsertStart", "Str400", 880, &insertStart_},
  };
  for (const auto& row : buttons) {
    auto* picture = Make<PictureLabel>(row.picture, QRect(row.left, 480, 100, 30));
    picture->SetPicture(row.button == &insertStart_ ? "MacroS_01" : "MacroBtnS_01");
    auto* button = Make<ClickLabel>(row.label, QRect(row.left, 480, 100, 30));
    button->setText(Text(row.key));
    button->setAlignment(Qt::AlignCenter);
    button->setStyleSheet(kTextStyle);
    *row.button = button;
    insertControls_.push_back(picture);
    insertControls_.push_back(button);
  }
  QObject::connect(okButton_, &ClickLabel::clicked, &context_,
                   [this] { Command([](MacroEditor& editor) { editor.Btn_OKClick(); }); });
  QObject::connect(cancelButton_, &ClickLabel::clicked, &context_,
                   [this] { Command([](MacroEditor& editor) { editor.Btn_CancelClick(); }); });
  QObject::connect(insertStart_, &ClickLabel::clicked, &context_, [this] {
    if (editor_ == nullptr || recorder_ == nullptr) {
      return;
    }
    macros::InsertStartClick(*editor_, *recorder_);
    Changed();
  });
}

void MacroPageView::SetEditor(MacroEditor* editor, macros::MacroRecorder* recorder) {
  editor_ = editor;
  recorder_ = recorder;
  Refresh();
}

void MacroPageView::HideMenus() {
  if (editor_ != nullptr) {
    editor_->ClearMacro();
  }
  nameMenu_->hide();
  eventMenu_->hide();
}

void MacroPageView::Refresh() {
  const bool usable = editor_ != nullptr;
  const macros::MacroPageControls controls =
      usable ? editor_->Controls() : macros::MacroPageControls{};
  QStringList names;
  for (const std::string& name : controls.LB_PCMacroName) {
    names << ToQString(name);
  }
  ShowList(names_, names);
  ShowSelection(names_, controls.LB_PCMacroNameIndex);
  QStringList slotNames;
  for (const std::string& name : Session().Settings().macroSlots.LB_MacroName()) {
    slotNames << ToQString(name);
  }
  ShowList(slotNames_, slotNames);
  QStringList lines;
  for (const macros::MacroLineText& line : controls.LB_macro) {
    lines << ToQString(line.text);
  }
  ShowList(events_, lines);
  for (int row = 0; row < events_->count(); ++row) {
    ShowLineIcon(events_, row, controls.LB_macro[static_cast<std::size_t>(row)].icon);
  }
  ShowSelection(events_, controls.LB_macroIndex);
  notice_->setText(ToQString(controls.macroNotice));
  notice_->setVisible(!controls.macroNotice.empty());
  names_->setEnabled(usable && controls.LB_PCMacroNameEnabled);
  events_->setEnabled(usable && controls.LB_macroEnabled);
  newButton_->setEnabled(usable && controls.Btn_NewEnabled);
  startButton_->setEnabled(usable && recorder_ != nullptr && controls.Btn_StartEnabled);
  nameMenu_->setVisible(usable && controls.Pnl_PCMacroShown);
  for (ClickLabel* entry : fileEntries_) {
    entry->setEnabled(usable && fileCommand != nullptr &&
                      (entry != exportOne_ || controls.LB_PCMacroNameIndex.has_value()));
  }
  eventMenu_->setVisible(usable && controls.Pnl_DevContentShown);
  for (QFrame* menu : {nameMenu_, eventMenu_}) {
    if (menu->isVisible()) {
      menu->raise();
    }
  }

  // Recording: caption and picture of the record button, the delay options.
  const bool recording = recorder_ != nullptr && recorder_->Recording();
  startButton_->setText(Text(
      recorder_ != nullptr && recorder_->Caption() == macros::RecordCaption::kStop ? "Str401"
                                                                                   : "Str400"));
  startPicture_->SetPicture(recording && !recorder_->InsertRecording() ? "MacroS_04" : "MacroS_03");
  delayGroup_->setVisible(controls.Gb_DelayShown);
  for (QWidget* widget : delayControls_) {
    if (widget != nullptr) {
      widget->setVisible(controls.Gb_DelayShown);
      // The delay options belong to the recorder, the stop mode to the editor.
      const bool stopMode = widget->objectName().contains("Release");
      widget->setEnabled(controls.Gb_DelayEnabled && (stopMode ? usable : recorder_ != nullptr));
    }
  }
  if (recorder_ != nullptr) {
    const macros::DelayOptions& options = recorder_->RecordDelayOptions();
    for (const DelayMode mode : {DelayMode::kRecord, DelayMode::kDefault, DelayMode::kNone}) {
      delayLamps_[static_cast<std::size_t>(mode)]->SetPicture(options.Lamp(mode));
    }
    ShowText(delayEdit_, ToQString(options.FieldText()));
    delayEdit_->setReadOnly(!options.FieldEditable());
  }
  releaseStop_->SetPicture(controls.IB_ReleaseStopImage);
  releaseContinue_->SetPicture(controls.IB_ReleaseContiueImage);

  // The insert panel: the fields of the chosen item only.
  insertGroup_->setVisible(controls.Gb_InsertShown);
  for (QWidget* widget : insertControls_) {
    widget->setVisible(controls.Gb_InsertShown);
  }
  if (!usable || !controls.Gb_InsertShown) {
    return;
  }
  const macros::MacroInsertPanel& panel = editor_->InsertPanel();
  const macros::InsertItemLayout& layout = panel.Layout();
  insertGroup_->setStyleSheet("QFrame#Gb_Insert { border: none; }");
  ShowIndex(insertKind_, static_cast<int>(panel.Item()));
  insertKind_->setEnabled(controls.CB_InsertEnabled);
  okButton_->setEnabled(controls.Btn_OKEnabled);
  cancelButton_->setEnabled(controls.Btn_CancelEnabled);
  ShowText(insertDelay_, ToQString(panel.Delay().Text()));
  ShowText(xValue_, ToQString(panel.X().Text()));
  ShowText(yValue_, ToQString(panel.Y().Text()));
  ShowText(repeat_, ToQString(panel.Repeat().Text()));
  insertDelay_->setReadOnly(!panel.DelayFieldEditable());
  const auto show = [this](const char* name, bool shown) {
    if (auto* widget = Group()->findChild<QWidget*>(name)) {
      widget->setVisible(shown);
    }
  };
  const bool delayShown = layout.delayTimeShown || layout.recordingShown;
  for (const char* name : {"Edt_InsertDelay", "lbl_Delay", "lbl_s_A"}) {
    show(name, delayShown);
  }
  for (const char* name : {"edt_XAxisValue", "lbl_XAxisValue"}) {
    show(name, layout.xShown);
  }
  for (const char* name : {"edt_YAxisValue", "lbl_YAxisValue"}) {
    show(name, layout.yShown);
  }
  for (const char* name : {"edt_Repeat", "lbl_Repeat"}) {
    show(name, layout.repeatShown);
  }
  repeat_->setEnabled(layout.repeatEnabled);
  for (const char* name :
       {"LED_InsertRecDelay", "IB_InsertRecDelay", "LED_InsertNoDelay", "IB_InsertNoDelay",
        "LED_InsertDelayTime", "IB_InsertDelayTime", "Img_InsertStart", "Btn_InsertStart"}) {
    show(name, layout.recordingShown);
  }
  const DelayMode modes[] = {DelayMode::kRecord, DelayMode::kNone, DelayMode::kDefault};
  for (std::size_t lamp = 0; lamp < insertLamps_.size(); ++lamp) {
    insertLamps_[lamp]->SetPicture(panel.InsertDelayMode() == modes[lamp] ? macros::kLampOn
                                                                          : macros::kLampOff);
  }
  if (recorder_ != nullptr) {
    insertStart_->setText(
        Text(recorder_->InsertCaption() == macros::RecordCaption::kStop ? "Str401" : "Str400"));
  }
}

}  // namespace orbic::gui
