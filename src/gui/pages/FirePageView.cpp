#include "gui/pages/FirePageView.h"

#include <QColorDialog>

#include "app/Session.h"
#include "base/UiHost.h"
#include "fire/FirePage.h"

namespace orbic::gui {

namespace {

constexpr int kRowHeight = 22;
constexpr int kCaptionHeight = 36;
constexpr int kOutOfSight = 9640;
constexpr const char* kTextStyle = "color: rgb(235, 238, 242);";

int ColumnLeft(int column) {
  return 210 + (column - 1) * 120;
}

using EditHandler = void (fire::FirePage::*)(int, std::string_view);

}  // namespace

FirePageView::FirePageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                           std::function<void()> changed)
    : PageView(group, session, texts, std::move(changed)) {
  for (int gun = 1; gun <= kGuns; ++gun) {
    const QRect place(40 + (gun - 1) * 134, 130, 124, 80);
    auto* picture = Make<PictureLabel>(Numbered("Img_Fire", gun), place);
    gunPictures_[static_cast<std::size_t>(gun - 1)] = picture;
    picture->SetPicture(gun == 1 ? "Gun1_02" : Numbered("Gun", gun, "_01").toStdString());
    auto* button = Make<ClickLabel>(Numbered("Btn_Fire", gun), place);
    button->setText(Text("Str" + std::to_string(600 + gun - 1)));
    button->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    button->setStyleSheet(kTextStyle);
    QObject::connect(button, &ClickLabel::clicked, button, [this, gun] {
      Session().FirePage().Btn_FireClick(gun);
      Changed();
    });
    QObject::connect(button, &ClickLabel::entered, button, [this, gun] {
      Session().FirePage().Btn_FireMouseEnter(gun);
      Refresh();
    });
    QObject::connect(button, &ClickLabel::left, button, [this, gun] {
      Session().FirePage().Btn_FireMouseLeave(gun);
      Refresh();
    });
  }
  for (int mode = 1; mode <= 5; ++mode) {
    // Gun 6 heads columns 1-2 with modes 1-2, gun 7 columns 1-3 with modes 3-5.
    constexpr std::array<int, 5> kColumnOfMode = {1, 2, 1, 2, 3};
    const int column = kColumnOfMode[static_cast<std::size_t>(mode - 1)];
    auto* picture =
        Make<PictureLabel>(Numbered("Img_GunMode", mode), QRect(ColumnLeft(column), 228, 80, 24));
    picture->SetPicture(Numbered("GunMode", mode).toStdString());
    picture->hide();
    modePictures_[static_cast<std::size_t>(mode - 1)] = picture;
  }
  const struct {
    const char* name;
    const char* key;
    int top;
  } captions[] = {
      {"lbl_Fire_Marco_Count", "Str844", 260}, {"lbl_Fire_Marco_Delay", "Str847", 300},
      {"lbl_Fire_Marco_Y", "Str845", 340},     {"lbl_Fire_Marco_Y_Offset", "Str846", 380},
      {"lbl_Fire_Marco_Color", "Str848", 420}, {"lbl_Fire_Marco_Stop_Release", "Str843", 460},
  };
  // Two lines high, centred on their rows: the longer texts wrap. A click on
  // any of them toggles the stop mode of the first column.
  for (const auto& caption : captions) {
    auto* label = Make<ClickLabel>(caption.name, QRect(40, caption.top - 7, 160, kCaptionHeight));
    label->setText(Text(caption.key));
    label->setStyleSheet(kTextStyle);
    label->setWordWrap(true);
    QObject::connect(label, &ClickLabel::clicked, label, [this] {
      Session().FirePage().lbl_FireRKFSClick(1);
      Changed();
    });
  }
  for (int column = 1; column <= kColumns; ++column) {
    BindColumn(column);
  }
  const struct {
    const char* picture;
    const char* button;
    const char* key;
    int left;
  } buttons[] = {
      {"Img_FireConfirm", "Btn_FireConfirm", "Str620", 760},
      {"Img_FireExit", "Btn_FireExit", "Str621", 880},
  };
  std::array<ClickLabel*, 2> made{};
  for (std::size_t index = 0; index < made.size(); ++index) {
    const auto& row = buttons[index];
    Make<PictureLabel>(row.picture, QRect(row.left, 540, 100, 30))->SetPicture("BtnS_01");
    auto* button = Make<ClickLabel>(row.button, QRect(row.left, 540, 100, 30));
    button->setText(Text(row.key));
    button->setAlignment(Qt::AlignCenter);
    button->setStyleSheet(kTextStyle);
    made[index] = button;
  }
  QObject::connect(made[0], &ClickLabel::clicked, made[0], [this] {
    app::Session& session = Session();
    const app::DeviceOperation::Hold hold = session.Operation().TryBegin();
    if (!hold) {
      return;
    }
    ShowFirstPage();
    const auto outcome = session.FirePage().Btn_FireConfirmClick(session.Channel());
    session.Ui().ModelsChanged();
    // A transfer that did not reach the mouse is told as the Apply path tells it.
    if (outcome && *outcome != fire::FireTransferOutcome::kWritten &&
        *outcome != fire::FireTransferOutcome::kNoMouse) {
      session.Ui().ShowMessage(session.Messages().str109, orbic::MessageStyle::kDialog);
    }
  });
  QObject::connect(made[1], &ClickLabel::clicked, made[1], [this] {
    Session().FirePage().Btn_FireExitClick();
    ShowFirstPage();
    Session().Ui().ModelsChanged();
  });
  content_ = std::make_unique<FireContentView>(group, session, texts, [this] { Changed(); });
  Refresh();
}

void FirePageView::BindColumn(int column) {
  Column& view = columns_[static_cast<std::size_t>(column - 1)];
  const int left = ColumnLeft(column);
  const struct {
    const char* prefix;
    const char* suffix;
    int top;
    QLineEdit* Column::*field;
    EditHandler handler;
  } edits[] = {
      {"Edt_FireCnt", "", 260, &Column::count, &fire::FirePage::Edt_FireCntChange},
      {"Edt_FireTime", "", 300, &Column::interval, &fire::FirePage::Edt_FireTimeChange},
      // The X step has no caption: its edits stay out of sight.
      {"Edt_FireX", "", kOutOfSight, &Column::x, &fire::FirePage::Edt_FireXChange},
      {"Edt_FireY", "", 340, &Column::y, &fire::FirePage::Edt_FireYChange},
      {"Edt_FireY", "Offset", 380, &Column::yOffset, &fire::FirePage::Edt_FireYOffsetChange},
  };
  for (const auto& edit : edits) {
    const QRect place = edit.top == kOutOfSight ? QRect(kOutOfSight, 0, 80, kRowHeight)
                                                : QRect(left, edit.top, 80, kRowHeight);
    auto* field = Make<QLineEdit>(Numbered(edit.prefix, column, edit.suffix), place);
    field->setAlignment(Qt::AlignCenter);
    view.*edit.field = field;
    const EditHandler handler = edit.handler;
    // The model corrects the text; the refresh shows the correction.
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [this, column, handler](const QString& text) {
                       (Session().FirePage().*handler)(column, text.toStdString());
                       Changed();
                     });
  }
  view.colourFrame =
      Make<PictureLabel>(Numbered("Img_FireColor", column), QRect(left, 420, 24, 24));
  view.colourFrame->SetPicture("Col_F");
  view.colour = Make<QFrame>(Numbered("cs_FireColor", column), QRect(left + 3, 423, 18, 18));
  view.colourButton = Make<ClickLabel>(Numbered("IB_FireColor", column), QRect(left, 420, 24, 24));
  QObject::connect(view.colourButton, &ClickLabel::clicked, view.colourButton,
                   [this, column] { ChooseColour(column); });
  view.stopPicture = Make<PictureLabel>(Numbered("Img_FireRKFS", column), QRect(left, 460, 20, 20));
  view.stopPicture->SetPicture("CbS_D");
  view.stopButton =
      Make<ClickLabel>(Numbered("lbl_FireRKFS", column), QRect(left - 4, 458, 28, 24));
  QObject::connect(view.stopButton, &ClickLabel::clicked, view.stopButton, [this, column] {
    Session().FirePage().lbl_FireRKFSClick(column);
    Changed();
  });
}

void FirePageView::ChooseColour(int column) {
  const fire::FireColumn& shown = Session().FirePage().Column(column);
  if (!shown.visible) {
    return;
  }
  const QColor current(shown.colour.red, shown.colour.green, shown.colour.blue);
  std::optional<QColor> chosen;
  if (chooseColour) {
    chosen = chooseColour(current);
  } else if (const QColor picked = QColorDialog::getColor(current, Group()); picked.isValid()) {
    chosen = picked;
  }
  if (!chosen) {
    return;
  }
  Session().FirePage().ColourChosen(column, {chosen->red(), chosen->green(), chosen->blue()});
  Changed();
}

void FirePageView::ShowFirstPage() {
  Session().Pages().visibleGroup = 1;
}

void FirePageView::Refresh() {
  const fire::FirePage& page = Session().FirePage();
  for (int gun = 1; gun <= kGuns; ++gun) {
    gunPictures_[static_cast<std::size_t>(gun - 1)]->SetPicture(page.GunPicture(gun));
  }
  for (int mode = 1; mode <= static_cast<int>(modePictures_.size()); ++mode) {
    modePictures_[static_cast<std::size_t>(mode - 1)]->setVisible(page.GunModeImageVisible(mode));
  }
  for (int column = 1; column <= kColumns; ++column) {
    const fire::FireColumn& shown = page.Column(column);
    Column& view = columns_[static_cast<std::size_t>(column - 1)];
    const std::pair<QLineEdit*, const std::string*> edits[] = {
        {view.count, &shown.count}, {view.interval, &shown.interval}, {view.x, &shown.x},
        {view.y, &shown.y},         {view.yOffset, &shown.yOffset},
    };
    for (const auto& [edit, text] : edits) {
      ShowText(edit, ToQString(*text));
      edit->setVisible(shown.visible);
      edit->setEnabled(shown.visible && shown.parsed);
    }
    view.colour->setStyleSheet(QString("background: rgb(%1, %2, %3);")
                                   .arg(shown.colour.red)
                                   .arg(shown.colour.green)
                                   .arg(shown.colour.blue));
    view.stopPicture->SetPicture(shown.StopPicture());
    for (QWidget* widget : std::initializer_list<QWidget*>{
             view.colourFrame, view.colour, view.colourButton, view.stopPicture, view.stopButton}) {
      widget->setVisible(shown.visible);
    }
  }
  content_->Refresh();
}

}  // namespace orbic::gui
