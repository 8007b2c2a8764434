#include "gui/pages/ButtonPageView.h"

#include "app/Session.h"
#include "keys/ButtonAssignment.h"
#include "ui/LanguageCaptions.h"

namespace orbic::gui {

namespace {

// Default places (the skin layout moves them): markers in two columns
// beside the mouse picture, the switch options at the bottom right.
constexpr std::array<QPoint, ButtonPageView::kMarkers> kMarkerPlaces = {{
    {160, 150},
    {160, 200},
    {160, 250},
    {160, 300},
    {160, 350},
    {160, 400},
    {670, 200},
    {670, 300},
    {670, 400},
}};
constexpr int kMarkerPictureWidth = 24;
constexpr int kLabelWidth = 180;  // Key_Width
constexpr int kRowHeight = 20;
constexpr int kSwitchLeft = 700;
constexpr int kSwitchTop = 480;
constexpr int kSwitchSpacing = 30;  // ComboKey_D
constexpr int kSwitchCaptionDx = 26;
constexpr int kSwitchCaptionWidth = 240;

constexpr const char* kLabelStyle = "color: rgb(235, 238, 242);";

}  // namespace

ButtonPageView::ButtonPageView(QWidget* group, app::Session& session,
                               const ui::LanguageTable& texts, std::function<void()> changed,
                               FunctionMenu& menu)
    : PageView(group, session, texts, std::move(changed)), menu_(menu) {
  for (int marker = 1; marker <= kMarkers; ++marker) {
    const QPoint at = kMarkerPlaces[static_cast<std::size_t>(marker - 1)];
    auto* picture = Make<PictureLabel>(Numbered("Img_Key", marker),
                                       QRect(at, QSize(kMarkerPictureWidth, kRowHeight)));
    picture->SetPicture("KeyS_01");
    auto* label = Make<ClickLabel>(
        Numbered("Key", marker),
        QRect(at + QPoint(kMarkerPictureWidth + 4, 0), QSize(kLabelWidth, kRowHeight)));
    label->setStyleSheet(kLabelStyle);
    markers_[static_cast<std::size_t>(marker - 1)] = picture;
    labels_[static_cast<std::size_t>(marker - 1)] = label;
    for (ClickLabel* target : {static_cast<ClickLabel*>(picture), label}) {
      QObject::connect(target, &ClickLabel::clicked, &context_,
                       [this, marker] { OpenMenu(marker); });
    }
  }

  using SwitchClick = void (keys::ButtonAssignment::*)();
  constexpr std::array<SwitchClick, kSwitchOptions> kSwitchClicks = {
      &keys::ButtonAssignment::IB_ComboKey1Click, &keys::ButtonAssignment::IB_ComboKey2Click,
      &keys::ButtonAssignment::IB_ComboKey3Click};
  for (int option = 1; option <= kSwitchOptions; ++option) {
    const auto index = static_cast<std::size_t>(option - 1);
    const int top = kSwitchTop + (option - 1) * kSwitchSpacing;
    auto* picture = Make<PictureLabel>(Numbered("Img_ComboKey", option),
                                       QRect(kSwitchLeft, top, kRowHeight, kRowHeight));
    auto* caption =
        Caption(Numbered("lbl_ComboKey", option), Text(ui::kProfileSwitchCaptions[index].key),
                QRect(kSwitchLeft + kSwitchCaptionDx, top, kSwitchCaptionWidth, kRowHeight));
    caption->setStyleSheet(kLabelStyle);
    // The click target covers the picture and its caption.
    auto* target = Make<ClickLabel>(
        Numbered("IB_ComboKey", option),
        QRect(kSwitchLeft, top, kSwitchCaptionDx + kSwitchCaptionWidth, kRowHeight));
    target->raise();
    switchPictures_[index] = picture;
    switchTargets_[index] = target;
    const SwitchClick click = kSwitchClicks[index];
    for (ClickLabel* clickable : {static_cast<ClickLabel*>(picture), target}) {
      QObject::connect(clickable, &ClickLabel::clicked, &context_, [this, click] {
        HideMenus();
        (Session().Settings().assignment.*click)();
        Changed();
      });
    }
  }
  Refresh();
}

void ButtonPageView::OpenMenu(int marker) {
  orbic::app::SettingsModel& settings = Session().Settings();
  ClickLabel* label = labels_[static_cast<std::size_t>(marker - 1)];
  settings.assignment.ShowPnlMain_OnClick(label->objectName().toStdString(),
                                          settings.ShownKeyMode());
  menu_.OpenMain(Group(), label->geometry());
  Changed();
}

void ButtonPageView::HideMenus() {
  Session().Settings().assignment.HideAllMenu();
  menu_.HidePanels();
}

void ButtonPageView::Refresh() {
  orbic::app::SettingsModel& settings = Session().Settings();
  const int keyMode = settings.ShownKeyMode();
  const keys::ButtonAssignment& assignment = settings.assignment;
  const keys::EditingTarget& target = assignment.Target();
  for (int marker = 1; marker <= kMarkers; ++marker) {
    const auto index = static_cast<std::size_t>(marker - 1);
    ShowText(labels_[index], ToQString(settings.keys.Label(keyMode, marker)));
    // The marker of the button being edited shows its pressed picture.
    const bool editing = assignment.Menu().open && target.surface == keys::MenuSurface::kMain &&
                         target.button == marker;
    markers_[index]->SetPicture(editing ? "KeyS_02" : "KeyS_01");
  }
  for (int option = 1; option <= kSwitchOptions; ++option) {
    const auto index = static_cast<std::size_t>(option - 1);
    switchPictures_[index]->SetPicture(assignment.ComboKeyPicture(option));
  }
  const bool gunKeyOffered = assignment.ComboKey3Visible(keyMode);
  switchPictures_[2]->setVisible(gunKeyOffered);
  switchTargets_[2]->setVisible(gunKeyOffered);
  if (auto* caption = Group()->findChild<QLabel*>("lbl_ComboKey3")) {
    caption->setVisible(gunKeyOffered);
  }
}

}  // namespace orbic::gui
