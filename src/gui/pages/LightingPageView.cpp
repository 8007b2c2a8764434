#include "gui/pages/LightingPageView.h"

#include "app/Session.h"
#include "perf/LightingTexts.h"

namespace orbic::gui {

namespace {

using perf::LightingControls;
using perf::LightingPage;

constexpr int kRowHeight = 20;
constexpr int kPairLabelDx = 24;
constexpr int kPairLabelWidth = 60;
constexpr int kBarWidth = 30;  // the bar pictures' width
constexpr int kBarSpacing = 6;
constexpr int kBarLeft = 560;
// The speed slider snaps seven cells of 30 pixels from -15.
constexpr int kSpeedSliderWidth = 220;

constexpr const char* kTextStyle = "color: rgb(235, 238, 242);";

struct PairRow {
  const char* picture;
  const char* label;
  std::string_view LightingControls::*shows;
  void (LightingPage::*click)();
  QPoint at;
};

const PairRow kPairs[] = {
    {"Img_LEDOn",
     "lbl_LEDOn",
     &LightingControls::Img_LEDOn,
     &LightingPage::lbl_LEDOnClick,
     {230, 180}},
    {"Img_LEDOff",
     "lbl_LEDOff",
     &LightingControls::Img_LEDOff,
     &LightingPage::lbl_LEDOffClick,
     {330, 180}},
    {"Img_LCPIOn",
     "lbl_LCPIOn",
     &LightingControls::Img_LCPIOn,
     &LightingPage::lbl_LCPIOnClick,
     {230, 230}},
    {"Img_LCPIOff",
     "lbl_LCPIOff",
     &LightingControls::Img_LCPIOff,
     &LightingPage::lbl_LCPIOffClick,
     {330, 230}},
    {"Img_B4CPIOn",
     "lbl_B4CPIOn",
     &LightingControls::Img_B4CPIOn,
     &LightingPage::lbl_B4CPIOnClick,
     {230, 280}},
    {"Img_B4CPIOff",
     "lbl_B4CPIOff",
     &LightingControls::Img_B4CPIOff,
     &LightingPage::lbl_B4CPIOffClick,
     {330, 280}},
    {"Img_SaveKeyMode",
     "lbl_SaveKeyMode",
     &LightingControls::Img_SaveKeyMode,
     &LightingPage::lbl_SaveKeyModeClick,
     {230, 330}},
    {"Img_NoSaveKeyMode",
     "lbl_NoSaveKeyMode",
     &LightingControls::Img_NoSaveKeyMode,
     &LightingPage::lbl_NoSaveKeyModeClick,
     {330, 330}},
    {"Img_MCULED3Control",
     "lbl_MCULED3Control",
     &LightingControls::Img_MCULED3Control,
     &LightingPage::lbl_MCULED3ControlClick,
     {230, 380}},
    {"Img_MCULED6Control",
     "lbl_MCULED6Control",
     &LightingControls::Img_MCULED6Control,
     &LightingPage::lbl_MCULED6ControlClick,
     {330, 380}},
};

struct CaptionRow {
  const char* name;
  QRect geometry;
};

const CaptionRow kCaptions[] = {
    {"lbl_LED_Status", {40, 180, 180, kRowHeight}},
    {"lbl_LLED_Status", {40, 230, 180, kRowHeight}},
    {"lbl_MCPI_Status", {40, 280, 180, kRowHeight}},
    {"lbl_Led_Light", {40, 380, 180, kRowHeight}},
    {"lbl_Led_Mode", {540, 140, 200, kRowHeight}},
    {"lbl_LED_Effect_Setting", {540, 396, 300, kRowHeight}},
};

constexpr std::array<QPoint, perf::kLedModeCount> kModePlaces = {{
    {560, 180},
    {660, 180},
    {760, 180},
    {860, 180},
    {560, 220},
    {660, 220},
    {760, 220},
}};

}  // namespace

LightingPageView::LightingPageView(QWidget* group, app::Session& session,
                                   const ui::LanguageTable& texts, std::function<void()> changed)
    : PageView(group, session, texts, std::move(changed)) {
  for (const CaptionRow& row : kCaptions) {
    Caption(row.name, Text(perf::LightingCaptionKey(row.name)), row.geometry)
        ->setStyleSheet(kTextStyle);
  }
  BuildPairs();
  BuildModes();
  BuildBars();
  Refresh();
}

ClickLabel* LightingPageView::CaptionedLabel(const QString& name, const QRect& geometry) {
  auto* label = Make<ClickLabel>(name, geometry);
  const std::string control = name.toStdString();
  const int term = perf::LightingCaptionTerm(control);
  label->setText(term == perf::kNoTerm ? Text(perf::LightingCaptionKey(control))
                                       : ToQString(perf::LightingTermText(term)));
  label->setStyleSheet(kTextStyle);
  return label;
}

void LightingPageView::Act(void (perf::LightingPage::*handler)()) {
  (Session().Settings().lighting.*handler)();
  Changed();
}

void LightingPageView::BuildPairs() {
  for (const PairRow& row : kPairs) {
    Pair pair;
    pair.picture = Make<PictureLabel>(row.picture, QRect(row.at, QSize(kRowHeight, kRowHeight)));
    pair.label = CaptionedLabel(
        row.label, QRect(row.at + QPoint(kPairLabelDx, 0), QSize(kPairLabelWidth, kRowHeight)));
    pair.shows = row.shows;
    const auto click = row.click;
    for (ClickLabel* target : {static_cast<ClickLabel*>(pair.picture), pair.label}) {
      QObject::connect(target, &ClickLabel::clicked, &context_, [this, click] { Act(click); });
    }
    pairs_.push_back(pair);
  }
  for (const char* name : {"Img_LCPIOn", "lbl_LCPIOn", "Img_LCPIOff", "lbl_LCPIOff"}) {
    modeSwitch_.push_back(Group()->findChild<QWidget*>(name));
  }
  modeSwitch_.push_back(Group()->findChild<QWidget*>("lbl_LLED_Status"));
}

void LightingPageView::BuildModes() {
  for (int mode = 1; mode <= static_cast<int>(perf::kLedModeCount); ++mode) {
    const auto index = static_cast<std::size_t>(mode - 1);
    const QPoint at = kModePlaces[index];
    const QRect picture(at, QSize(kRowHeight, kRowHeight));
    const QRect label(at + QPoint(kPairLabelDx, 0), QSize(72, kRowHeight));
    Choice& mcu = mcuModes_[index];
    mcu.picture = Make<PictureLabel>(Numbered("Img_MCULEDMode", mode), picture);
    mcu.label = CaptionedLabel(Numbered("lbl_MCULEDMode", mode), label);
    Choice& rb = rbModes_[index];
    rb.picture = Make<PictureLabel>(Numbered("Img_RBLEDMode", mode), picture);
    rb.label = CaptionedLabel(Numbered("lbl_RBLEDMode", mode), label);
    LightingPage& lighting = Session().Settings().lighting;
    const auto connect = [this, &lighting, mode](ClickLabel* target,
                                                 void (LightingPage::*click)(int)) {
      QObject::connect(target, &ClickLabel::clicked, &context_, [this, &lighting, click, mode] {
        (lighting.*click)(mode);
        Changed();
      });
    };
    connect(mcu.picture, &LightingPage::Img_MCULEDMode1Click);
    connect(mcu.label, &LightingPage::lbl_MCULEDMode1Click);
    connect(rb.picture, &LightingPage::Img_RBLEDMode1Click);
    connect(rb.label, &LightingPage::lbl_RBLEDMode1Click);
  }
}

void LightingPageView::BuildBars() {
  LightingPage& lighting = Session().Settings().lighting;
  const auto makeRow = [this](auto& bars, const char* picture, const char* label, int top,
                              auto click) {
    for (int bar = 1; bar <= static_cast<int>(bars.size()); ++bar) {
      Bar& made = bars[static_cast<std::size_t>(bar - 1)];
      const int left = kBarLeft + (bar - 1) * (kBarWidth + kBarSpacing);
      made.picture = Make<PictureLabel>(Numbered(picture, bar), QRect(left, top, kBarWidth, 20));
      made.label = Caption(Numbered(label, bar), QString(), QRect(left, top + 24, kBarWidth, 16));
      made.label->setAlignment(Qt::AlignHCenter);
      made.label->setStyleSheet(kTextStyle);
      QObject::connect(made.picture, &ClickLabel::clicked, &context_, [this, click, bar] {
        click(bar);
        Changed();
      });
      speedAndCount_.push_back(made.picture);
      speedAndCount_.push_back(made.label);
    }
  };
  makeRow(countBars_, "Img_MCULEDNum_", "lbl_MCULEDNum_", 320,
          [&lighting](int bar) { lighting.MCULEDNum_OnClick(bar); });
  makeRow(speedBars_, "Img_MCULEDStep_", "lbl_MCULEDStep_", 420,
          [&lighting](int bar) { lighting.MCULEDStep_OnClick(bar); });
  for (int bar = 1; bar <= static_cast<int>(speedBars_.size()); ++bar) {
    speedBars_[static_cast<std::size_t>(bar - 1)].label->setText(QString::number(bar));
  }
  speedSlider_ =
      Make<RulerSlider>("slider_Breath_Speed", QRect(kBarLeft, 470, kSpeedSliderWidth, kRowHeight));
  speedSlider_->setRange(0, perf::kMaxSpeedStep * 100);
  auto* slow = Caption("lbl_LED_Effect_Slow", Text("Str857"), QRect(kBarLeft, 494, 60, 16));
  auto* fast = Caption("lbl_LED_Effect_Fast", Text("Str858"),
                       QRect(kBarLeft + kSpeedSliderWidth - 60, 494, 60, 16));
  fast->setAlignment(Qt::AlignRight);
  for (QLabel* label : {slow, fast}) {
    label->setStyleSheet(kTextStyle);
    speedAndCount_.push_back(label);
  }
  speedAndCount_.push_back(speedSlider_);
  QObject::connect(speedSlider_, &RulerSlider::releasedAt, &context_, [this, &lighting](int x) {
    lighting.slider_Breath_SpeedMouseUp(x);
    Changed();
  });
}

void LightingPageView::Refresh() {
  const LightingPage& lighting = Session().Settings().lighting;
  const LightingControls& controls = lighting.Controls();
  for (const Pair& pair : pairs_) {
    pair.picture->SetPicture(controls.*pair.shows);
  }
  const bool rbShown = lighting.IsShown(perf::LightingGroup::kRbModeChoices);
  for (std::size_t index = 0; index < perf::kLedModeCount; ++index) {
    const bool mcuShown = lighting.IsMcuModeShown(static_cast<int>(index) + 1);
    mcuModes_[index].picture->SetPicture(controls.Img_MCULEDMode[index]);
    rbModes_[index].picture->SetPicture(controls.Img_RBLEDMode[index]);
    for (ClickLabel* widget :
         {static_cast<ClickLabel*>(mcuModes_[index].picture), mcuModes_[index].label}) {
      widget->setVisible(mcuShown);
    }
    for (ClickLabel* widget :
         {static_cast<ClickLabel*>(rbModes_[index].picture), rbModes_[index].label}) {
      widget->setVisible(rbShown);
    }
  }
  for (std::size_t bar = 0; bar < speedBars_.size(); ++bar) {
    speedBars_[bar].picture->SetPicture(controls.Img_MCULEDStep[bar]);
  }
  for (std::size_t bar = 0; bar < countBars_.size(); ++bar) {
    countBars_[bar].picture->SetPicture(controls.Img_MCULEDNum[bar]);
    ShowText(countBars_[bar].label, ToQString(lighting.MCULEDNumLabel(static_cast<int>(bar) + 1)));
  }
  speedSlider_->setValue(controls.slider_Breath_Speed);
  const bool speedShown = lighting.IsShown(perf::LightingGroup::kMcuSpeedAndCount);
  for (QWidget* widget : speedAndCount_) {
    widget->setVisible(speedShown);
  }
  const bool switchShown = lighting.IsShown(perf::LightingGroup::kLedModeSwitch);
  for (QWidget* widget : modeSwitch_) {
    if (widget != nullptr) {
      widget->setVisible(switchShown);
    }
  }
}

}  // namespace orbic::gui
