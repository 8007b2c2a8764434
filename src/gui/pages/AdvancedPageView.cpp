#include "gui/pages/AdvancedPageView.h"

#include <QColorDialog>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <functional>

#include "app/Session.h"
#include "perf/PointerSettingsPage.h"

namespace orbic::gui {

namespace {

constexpr int kRowHeight = 22;
constexpr int kLevelTop = 180;
constexpr int kLevelSpacing = 44;
// Level sliders snap in cells of 225 / DPI_Count pixels: 230 pixels hold them all.
constexpr int kDpiSliderWidth = 230;
// Pointer sliders: eleven cells of 26 pixels from -7.
constexpr int kPointerSliderWidth = 290;
constexpr int kPointerLeft = 600;
constexpr int kTickSpacing = 26;
constexpr int kSwatchSize = 14;

constexpr const char* kTextStyle = "color: rgb(235, 238, 242);";
constexpr const char* kHeadingStyle = "color: rgb(64, 196, 255);";

QColor ToQColor(perf::Colour colour) {
  return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                static_cast<int>((colour >> 16) & 0xFFu));
}

QString ColourStyle(perf::Colour colour) {
  return "color: " + ToQColor(colour).name() + ";";
}

}  // namespace

AdvancedPageView::AdvancedPageView(QWidget* group, app::Session& session,
                                   const ui::LanguageTable& texts, std::function<void()> changed)
    : PageView(group, session, texts, std::move(changed)) {
  chooseColour_ = [this](perf::Colour current) -> std::optional<perf::Colour> {
    const QColor chosen = QColorDialog::getColor(ToQColor(current), Group());
    if (!chosen.isValid()) {
      return std::nullopt;
    }
    return perf::MakeColour(static_cast<std::uint8_t>(chosen.red()),
                            static_cast<std::uint8_t>(chosen.green()),
                            static_cast<std::uint8_t>(chosen.blue()));
  };
  BuildDpi();
  BuildFireKey();
  BuildPointer();
  Refresh();
}

void AdvancedPageView::BuildDpi() {
  Caption("lbl_DPI_Setting", Text("Str809"), QRect(40, 140, 200, kRowHeight))
      ->setStyleSheet(kHeadingStyle);
  Caption("lbl_DPI", Text("Str810"), QRect(300, 140, 90, kRowHeight))->setStyleSheet(kTextStyle);
  Caption("lbl_DPI_Note", Text("Str811"), QRect(40, 548, 500, kRowHeight))
      ->setStyleSheet(kTextStyle);
  count_ = Make<QComboBox>("cbb_DPICount", QRect(400, 138, 80, kRowHeight));
  for (int count = perf::kMinDpiLevels; count <= perf::kDpiLevelCount; ++count) {
    count_->addItem(QString::number(count));
  }
  QObject::connect(count_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().dpi.cbb_DPICountChange(index);
    Changed();
  });

  for (int n = 1; n <= kLevels; ++n) {
    Level& level = levels_[static_cast<std::size_t>(n - 1)];
    const int top = kLevelTop + (n - 1) * kLevelSpacing;
    level.marker = Make<PictureLabel>(Numbered("Img_DPI", n), QRect(40, top + 2, 20, 20));
    level.label = Make<ClickLabel>(Numbered("lbl_DPI", n), QRect(64, top + 2, 50, kRowHeight));
    level.label->setText(Text("Str" + std::to_string(849 + n - 1)));
    level.slider =
        Make<RulerSlider>(Numbered("slider_DPI", n), QRect(120, top, kDpiSliderWidth, kRowHeight));
    level.value =
        Make<QLabel>(Numbered("lbl_DPI", n, "Value"), QRect(400, top + 2, 60, kRowHeight));
    level.value->setStyleSheet(kTextStyle);
    level.frame = Make<PictureLabel>(Numbered("Img_DPI", n, "Col"), QRect(462, top, 24, 24));
    level.frame->SetPicture("Col_F");
    level.swatch = Make<QFrame>(Numbered("cs_DPI", n, "Col"),
                                QRect(465, top + 3, kSwatchSize + 4, kSwatchSize + 4));
    level.swatch->setAutoFillBackground(true);
    level.colourTarget = Make<ClickLabel>(Numbered("lbl_DPI", n, "Col"), QRect(462, top, 24, 24));
    level.colourTarget->raise();

    QObject::connect(level.label, &ClickLabel::clicked, &context_, [this, n] {
      Session().Settings().dpi.DPILevel_OnClick(n);
      Changed();
    });
    QObject::connect(level.marker, &ClickLabel::clicked, &context_, [this, n] {
      Session().Settings().dpi.CurrentDPI_OnClick(n);
      Changed();
    });
    // The value label follows the thumb while it is dragged.
    QObject::connect(level.slider, &QSlider::sliderMoved, &context_, [this, n](int value) {
      Session().Settings().dpi.slider_DPIChange(n, value);
      Changed();
    });
    QObject::connect(level.slider, &RulerSlider::releasedAt, &context_, [this, n](int x) {
      Session().Settings().dpi.slider_DPIMouseUp(n, x);
      Changed();
    });
    QObject::connect(level.colourTarget, &ClickLabel::clicked, &context_, [this, n] {
      orbic::app::SettingsModel& settings = Session().Settings();
      settings.dpi.lbl_DPIColClick(n, settings.lighting.IsMcuLed(), chooseColour_);
      Changed();
    });
  }

  aimSlider_ = Make<RulerSlider>("slider_DPI8", QRect(120, 520, kDpiSliderWidth, kRowHeight));
  aimValue_ = Make<QLabel>("lbl_AIMKeyValue", QRect(400, 522, 60, kRowHeight));
  aimValue_->setStyleSheet(kTextStyle);
  QObject::connect(aimSlider_, &QSlider::sliderMoved, &context_, [this](int value) {
    Session().Settings().dpi.slider_DPI8Change(value);
    Changed();
  });
  QObject::connect(aimSlider_, &RulerSlider::releasedAt, &context_, [this](int x) {
    orbic::app::SettingsModel& settings = Session().Settings();
    settings.dpi.slider_DPI8MouseUp(x, settings.assignment.AnyAimButton(), Session().Ui());
    Changed();
  });
}

// The rapid-fire key: its rules belong to the burst-fire settings, which keep
// these fields and the engineer page's equal.
void AdvancedPageView::BuildFireKey() {
  Caption("lbl_Fire_Key", Text("Str800"), QRect(580, 470, 200, kRowHeight))
      ->setStyleSheet(kHeadingStyle);
  Caption("lbl_Fire_Key_Count", Text("Str801"), QRect(600, 500, 90, kRowHeight))
      ->setStyleSheet(kTextStyle);
  Caption("lbl_Fire_Key_Time", Text("Str802"), QRect(600, 532, 90, kRowHeight))
      ->setStyleSheet(kTextStyle);
  Caption("lbl_Fire_Key_Continue", Text("Str803"), QRect(826, 500, 120, kRowHeight))
      ->setStyleSheet(kTextStyle);
  fireCount_ = Make<QLineEdit>("Edt_Repeat1", QRect(690, 498, 60, kRowHeight));
  fireTime_ = Make<QLineEdit>("Edt_DelayTime1", QRect(690, 530, 60, kRowHeight));
  for (QLineEdit* edit : {fireCount_, fireTime_}) {
    // Digits only, as the key filter of these fields lets through.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    edit->setAlignment(Qt::AlignCenter);
  }
  fireContinue_ = Make<PictureLabel>("Img_FireContinue", QRect(800, 500, 20, 20));
  auto* continueTarget = Make<ClickLabel>("lbl_FireContinue", QRect(796, 498, 150, kRowHeight));
  QObject::connect(fireCount_, &QLineEdit::textEdited, &context_, [this](const QString& text) {
    Session().Settings().burstFire.Edt_Repeat1Change(text.toStdString());
    Changed();
  });
  QObject::connect(fireCount_, &QLineEdit::editingFinished, &context_, [this] {
    Session().Settings().burstFire.Edt_Repeat1Exit();
    Changed();
  });
  QObject::connect(fireTime_, &QLineEdit::textEdited, &context_, [this](const QString& text) {
    Session().Settings().burstFire.Edt_DelayTime1Change(text.toStdString());
    Changed();
  });
  for (ClickLabel* target : {static_cast<ClickLabel*>(fireContinue_), continueTarget}) {
    QObject::connect(target, &ClickLabel::clicked, &context_, [this] {
      Session().Settings().burstFire.lbl_FireContinueClick();
      Changed();
    });
  }
}

AdvancedPageView::Scale AdvancedPageView::MakeScale(const char* slider, const char* tick,
                                                    const char* caption, std::string_view key,
                                                    int top) {
  Caption(caption, Text(key), QRect(580, top - 28, 300, kRowHeight))->setStyleSheet(kHeadingStyle);
  Scale scale;
  scale.slider =
      Make<RulerSlider>(slider, QRect(kPointerLeft, top, kPointerSliderWidth, kRowHeight));
  scale.slider->setRange(0, (kScaleSteps - 1) * perf::kSliderUnitsPerStep);
  for (int step = 1; step <= kScaleSteps; ++step) {
    QLabel* label = Caption(Numbered(tick, step), QString::number(step),
                            QRect(kPointerLeft + (step - 1) * kTickSpacing + 4, top + 26, 20, 16));
    label->setStyleSheet(kTextStyle);
    scale.ticks[static_cast<std::size_t>(step - 1)] = label;
  }
  return scale;
}

void AdvancedPageView::BuildPointer() {
  speed_ = MakeScale("slider_Spd", "lbl_Spd", "lbl_Mouse_Speed", "Str804", 180);
  doubleClick_ = MakeScale("slider_DbSpd", "lbl_DbSpd", "lbl_Double_Click", "Str806", 280);
  wheel_ = MakeScale("slider_SrcSpd", "lbl_ScrSpd", "lbl_Roller_Speed", "Str807", 380);
  isControl_ = Make<PictureLabel>("Img_IsControl", QRect(kPointerLeft, 230, 20, 20));
  Caption("lbl_Is_Control", Text("Str805"), QRect(626, 230, 260, kRowHeight))
      ->setStyleSheet(kTextStyle);
  isControlTarget_ = Make<ClickLabel>("lbl_IsControl", QRect(596, 228, 290, kRowHeight));
  isScreen_ = Make<PictureLabel>("Img_IsScreen", QRect(kPointerLeft, 430, 20, 20));
  Caption("lbl_Roll_All_Screen", Text("Str808"), QRect(626, 430, 260, kRowHeight))
      ->setStyleSheet(kTextStyle);
  isScreenTarget_ = Make<ClickLabel>("lbl_IsScreen", QRect(596, 428, 290, kRowHeight));
  // Above the scales: where the settings take effect, when that is not the desktop.
  pointerNotice_ = Caption("lbl_PointerScope", QString(), QRect(580, 104, 380, 44));
  pointerNotice_->setWordWrap(true);
  pointerNotice_->setStyleSheet(kTextStyle);
  pointerNotice_->hide();

  using SliderRelease = std::function<void(perf::PointerSettingsPage&, int)>;
  const auto onRelease = [this](RulerSlider* slider, SliderRelease release) {
    QObject::connect(slider, &RulerSlider::releasedAt, &context_,
                     [this, release = std::move(release)](int x) {
                       if (pointer_ != nullptr) {
                         release(*pointer_, x);
                         Changed();
                       }
                     });
  };
  onRelease(speed_.slider,
            [](perf::PointerSettingsPage& page, int x) { page.slider_SpdMouseUp(x); });
  onRelease(doubleClick_.slider,
            [](perf::PointerSettingsPage& page, int x) { page.slider_DbSpdMouseUp(x); });
  onRelease(wheel_.slider,
            [](perf::PointerSettingsPage& page, int x) { page.slider_SrcSpdMouseUp(x); });
  for (ClickLabel* target : {static_cast<ClickLabel*>(isControl_), isControlTarget_}) {
    QObject::connect(target, &ClickLabel::clicked, &context_, [this] {
      if (pointer_ != nullptr) {
        pointer_->lbl_IsControlClick();
        Changed();
      }
    });
  }
  for (ClickLabel* target : {static_cast<ClickLabel*>(isScreen_), isScreenTarget_}) {
    QObject::connect(target, &ClickLabel::clicked, &context_, [this] {
      if (pointer_ != nullptr) {
        pointer_->lbl_IsScreenClick();
        Changed();
      }
    });
  }
}

void AdvancedPageView::SetPointerSettings(perf::PointerSettingsPage* page) {
  pointer_ = page;
  Refresh();
}

void AdvancedPageView::Refresh() {
  RefreshDpi();
  RefreshPointer();
}

void AdvancedPageView::RefreshDpi() {
  const orbic::app::SettingsModel& settings = Session().Settings();
  const perf::DpiControls& dpi = settings.dpi.Controls();
  ShowIndex(count_, dpi.cbb_DPICount);
  for (int n = 1; n <= kLevels; ++n) {
    const perf::DpiLevelControls& shown = dpi.levels[static_cast<std::size_t>(n - 1)];
    Level& level = levels_[static_cast<std::size_t>(n - 1)];
    level.slider->setRange(0, dpi.sliderMax);
    level.slider->setValue(shown.slider_DPI);
    level.slider->setEnabled(shown.enabled);
    ShowText(level.value, ToQString(shown.lbl_DPIValue));
    level.marker->SetPicture(shown.Img_DPI);
    level.marker->setEnabled(shown.enabled);
    level.label->setStyleSheet(ColourStyle(shown.lbl_DPIColour));
    QPalette palette = level.swatch->palette();
    palette.setColor(QPalette::Window, ToQColor(shown.cs_DPICol));
    level.swatch->setPalette(palette);
    for (QWidget* colour : {static_cast<QWidget*>(level.frame), static_cast<QWidget*>(level.swatch),
                            static_cast<QWidget*>(level.colourTarget)}) {
      colour->setVisible(shown.colourShown);
    }
    level.colourTarget->setEnabled(shown.enabled);
  }
  aimSlider_->setRange(0, dpi.sliderMax);
  aimSlider_->setValue(dpi.slider_DPI8);
  ShowText(aimValue_, ToQString(dpi.lbl_AIMKeyValue));

  // The burst-fire model keeps these texts equal with the engineer page's.
  const fire::BurstFireSettings& burst = settings.burstFire;
  ShowText(fireCount_, ToQString(burst.RepeatText()));
  fireCount_->setEnabled(burst.RepeatEnabled());
  ShowText(fireTime_, ToQString(burst.DelayTimeText()));
  fireContinue_->SetPicture(burst.ContinuousPicture());
}

void AdvancedPageView::RefreshPointer() {
  const bool usable = pointer_ != nullptr;
  for (const Scale* scale : {&speed_, &doubleClick_, &wheel_}) {
    scale->slider->setEnabled(usable);
  }
  for (QWidget* check :
       {static_cast<QWidget*>(isControl_), static_cast<QWidget*>(isControlTarget_),
        static_cast<QWidget*>(isScreen_), static_cast<QWidget*>(isScreenTarget_)}) {
    check->setEnabled(usable);
  }
  const QString notice = usable ? ToQString(pointer_->ScopeNotice()) : QString();
  pointerNotice_->setText(notice);
  pointerNotice_->setVisible(!notice.isEmpty());
  if (!usable) {
    isControl_->SetPicture(perf::kCheckOffPicture);
    isScreen_->SetPicture(perf::kCheckOffPicture);
    return;
  }
  const perf::PointerSettingsControls& controls = pointer_->Controls();
  speed_.slider->setValue(controls.spdPosition);
  doubleClick_.slider->setValue(controls.dbSpdPosition);
  wheel_.slider->setValue(controls.srcSpdPosition);
  wheel_.slider->setEnabled(controls.srcSpdEnabled);
  isControl_->SetPicture(pointer_->IsControlPicture());
  isScreen_->SetPicture(pointer_->IsScreenPicture());
}

}  // namespace orbic::gui
