#include "gui/pages/FirePageView.h"

#include <QFrame>
#include <QLineEdit>

#include "gui/pages/ClickLabel.h"
#include "gui/pages/PictureLabel.h"

namespace orbic::gui {

namespace {

constexpr int kRowHeight = 22;
constexpr const char* kTextStyle = "color: rgb(235, 238, 242);";

}  // namespace

FirePageView::FirePageView(QWidget* group, app::Session& session, const ui::LanguageTable& texts,
                           std::function<void()> changed)
    : PageView(group, session, texts, std::move(changed)) {
  for (int gun = 1; gun <= kGuns; ++gun) {
    const QRect place(40 + (gun - 1) * 134, 130, 124, 80);
    Make<PictureLabel>(Numbered("Img_Fire", gun), place)
        ->SetPicture(gun == 1 ? "Gun1_02" : Numbered("Gun", gun, "_01").toStdString());
    auto* button = Make<ClickLabel>(Numbered("Btn_Fire", gun), place);
    button->setText(Text("Str" + std::to_string(600 + gun - 1)));
    button->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    button->setStyleSheet(kTextStyle);
  }
  for (int mode = 1; mode <= 5; ++mode) {
    auto* picture = Make<PictureLabel>(Numbered("Img_GunMode", mode),
                                       QRect(560 + (mode - 1) * 84, 230, 80, 24));
    picture->SetPicture(Numbered("GunMode", mode).toStdString());
    picture->hide();
  }
  const struct {
    const char* name;
    const char* key;
    int top;
  } captions[] = {
      {"lbl_Fire_Marco_Count", "Str844", 262}, {"lbl_Fire_Marco_Delay", "Str847", 302},
      {"lbl_Fire_Marco_Y", "Str845", 382},     {"lbl_Fire_Marco_Y_Offset", "Str846", 422},
      {"lbl_Fire_Marco_Color", "Str848", 462}, {"lbl_Fire_Marco_Stop_Release", "Str843", 502},
  };
  for (const auto& caption : captions) {
    Caption(caption.name, Text(caption.key), QRect(40, caption.top, 110, kRowHeight))
        ->setStyleSheet(kTextStyle);
  }
  for (int column = 1; column <= kColumns; ++column) {
    const int left = 160 + (column - 1) * 120;
    const struct {
      const char* prefix;
      const char* suffix;
      int top;
    } edits[] = {
        {"Edt_FireCnt", "", 260}, {"Edt_FireTime", "", 300},    {"Edt_FireX", "", 340},
        {"Edt_FireY", "", 380},   {"Edt_FireY", "Offset", 420},
    };
    for (const auto& edit : edits) {
      auto* field = Make<QLineEdit>(Numbered(edit.prefix, column, edit.suffix),
                                    QRect(left, edit.top, 80, kRowHeight));
      field->setText("0");
      field->setEnabled(false);
    }
    Make<PictureLabel>(Numbered("Img_FireColor", column), QRect(left, 460, 24, 24))
        ->SetPicture("Col_F");
    Make<QFrame>(Numbered("cs_FireColor", column), QRect(left + 3, 463, 18, 18));
    Make<ClickLabel>(Numbered("IB_FireColor", column), QRect(left, 460, 24, 24));
    Make<PictureLabel>(Numbered("Img_FireRKFS", column), QRect(left, 500, 20, 20))
        ->SetPicture("CbS_D");
    Make<ClickLabel>(Numbered("lbl_FireRKFS", column), QRect(left - 4, 498, 28, 24));
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
  for (const auto& row : buttons) {
    Make<PictureLabel>(row.picture, QRect(row.left, 540, 100, 30))->SetPicture("BtnS_01");
    auto* button = Make<ClickLabel>(row.button, QRect(row.left, 540, 100, 30));
    button->setText(Text(row.key));
    button->setAlignment(Qt::AlignCenter);
    button->setStyleSheet(kTextStyle);
  }
}

}  // namespace orbic::gui
