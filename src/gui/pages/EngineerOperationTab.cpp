#include "gui/pages/EngineerOperationTab.h"

#include <QIntValidator>
#include <QRegularExpressionValidator>

#include "app/Session.h"
#include "gui/pages/EngineerTerms.h"
#include "keys/ButtonAssignment.h"
#include "perf/LightingTexts.h"

namespace orbic::gui {

namespace {

using perf::LightingControls;
using perf::LightingPage;

constexpr int kRow = 26;     // row pitch inside a group
constexpr int kHeight = 22;  // height of one control
constexpr int kColourStep = 130;
constexpr const char* kChannels[] = {"R", "G", "B"};
// "1".."255": a stored 255 would be continuous fire, which the list does not
// offer (it shows no item while continuous fire is on).
constexpr int kMaxFireCountItems = 255;

// Radio pairs of the lighting model: a click runs the handler, the model's
// flag says which one is checked.
struct RadioRow {
  const char* group;
  const char* name;
  int left;
  bool LightingControls::*checked;
  void (LightingPage::*click)();
};

constexpr RadioRow kLightingRadios[] = {
    {"gbSaveKeyMode", "rb_Save", 10, &LightingControls::rb_Save, &LightingPage::rb_SaveClick},
    {"gbSaveKeyMode", "rb_NoSave", 90, &LightingControls::rb_NoSave, &LightingPage::rb_NoSaveClick},
    {"gbLEDStatus", "rb_LEDOn", 10, &LightingControls::rb_LEDOn, &LightingPage::rb_LEDOnClick},
    {"gbLEDStatus", "rb_LEDOff", 100, &LightingControls::rb_LEDOff, &LightingPage::rb_LEDOffClick},
    {"gbB4CPI", "rb_B4CPIOn", 10, &LightingControls::rb_B4CPIOn, &LightingPage::rb_B4CPIOnClick},
    {"gbB4CPI", "rb_B4CPIOff", 100, &LightingControls::rb_B4CPIOff,
     &LightingPage::rb_B4CPIOffClick},
    {"gbLCPI", "rb_LCPIOn", 10, &LightingControls::rb_LCPIOn, &LightingPage::rb_LCPIOnClick},
    {"gbLCPI", "rb_LCPIOff", 100, &LightingControls::rb_LCPIOff, &LightingPage::rb_LCPIOffClick},
    {"gbMCULEDControlMode", "rb_MCULED3Control", 10, &LightingControls::rb_MCULED3Control,
     &LightingPage::rb_MCULED3ControlClick},
    {"gbMCULEDControlMode", "rb_MCULED6Control", 100, &LightingControls::rb_MCULED6Control,
     &LightingPage::rb_MCULED6ControlClick},
};

// The LED type radios in LedType order, two by two.
struct LedTypeRow {
  const char* name;
  QPoint at;
  void (LightingPage::*click)();
};

constexpr LedTypeRow kLedTypes[] = {
    {"rb_MCULED", {10, 20}, &LightingPage::rb_MCULEDClick},
    {"rb_RBLED", {100, 20}, &LightingPage::rb_RBLEDClick},
    {"rb_SyncLED", {10, 46}, &LightingPage::rb_SyncLEDClick},
    {"rb_BreLED", {100, 46}, &LightingPage::rb_BreLEDClick},
};

struct CheckRow {
  const char* name;
  int top;
  bool params::DeviceOptions::*checked;
};

constexpr CheckRow kSwitchChecks[] = {
    {"cb_MidPress", 20, &params::DeviceOptions::midPress},
    {"cb_CPIPress", 44, &params::DeviceOptions::cpiPress},
    {"cb_GunPress", 68, &params::DeviceOptions::gunPress},
};

// The groups of the tab and where they lie.
struct BoxRow {
  const char* name;
  QRect geometry;
};

constexpr BoxRow kBoxes[] = {
    {"gbSaveKeyMode", {8, 300, 180, 48}},
    {"gbFireFn", {194, 300, 180, 48}},
    {"gbSwitchFn", {8, 354, 180, 96}},
    {"gbFireMode", {194, 354, 180, 96}},
    {"gbLEDType", {380, 300, 190, 74}},
    {"gbLEDStatus", {576, 224, 196, 48}},
    {"gbB4CPI", {778, 224, 198, 48}},
    {"gbLCPI", {576, 278, 196, 48}},
    {"gbMCULEDControlMode", {778, 278, 198, 48}},
    {"gbMCULEDCurrent", {576, 332, 196, 108}},
    {"gbRBLEDMode", {576, 332, 196, 76}},
    {"gbKeys", {380, 410, 190, 44}},
};

QValidator* Digits(QObject* parent) {
  return new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), parent);
}

}  // namespace

EngineerOperationTab::EngineerOperationTab(QWidget* sheet, app::Session& session,
                                           const ui::LanguageTable& texts,
                                           std::function<void()> changed, FunctionMenu& menu,
                                           engineer::EngineerPage& page,
                                           const ui::TermLanguage& language, QWidget* pageGroup)
    : PageView(sheet, session, texts, std::move(changed)),
      pageGroup_(pageGroup),
      menu_(menu),
      page_(page),
      language_(language) {
  for (const BoxRow& row : kBoxes) {
    Make<QGroupBox>(row.name, row.geometry);
  }
  BuildKeyModes();
  BuildCpi();
  BuildLighting();
  BuildOptions();
  Refresh();
}

QGroupBox* EngineerOperationTab::Box(const QString& name, const QRect& geometry) {
  if (auto* box = Group()->findChild<QGroupBox*>(name)) {
    return box;
  }
  return Make<QGroupBox>(name, geometry);
}

void EngineerOperationTab::BuildKeyModes() {
  for (int keyMode = 1; keyMode <= 2; ++keyMode) {
    auto* box = Box(Numbered("gbKeyMode", keyMode), QRect(8 + (keyMode - 1) * 186, 6, 180, 258));
    for (int button = 1; button <= kButtons; ++button) {
      const int number = keyMode * 100 + button;
      const int top = 20 + (button - 1) * kRow;
      Caption(Numbered("lbl_Key", number), Numbered("Key", button), QRect(8, top, 36, kHeight),
              box);
      auto* push =
          Make<QPushButton>(Numbered("btn_Key", number), QRect(46, top, 124, kHeight), box);
      buttons_[static_cast<std::size_t>(keyMode - 1)][static_cast<std::size_t>(button - 1)] = push;
      QObject::connect(push, &QPushButton::clicked, &context_, [this, push] {
        Session().Settings().assignment.TLShowPnlMain_OnClick(push->objectName().toStdString());
        // The menu opens on the page, over the tabs, above the button.
        menu_.OpenEngineer(pageGroup_, QRect(push->mapTo(pageGroup_, QPoint(0, 0)), push->size()),
                           0);
        Changed();
      });
    }
  }
  Caption("lbl_KeyMode", "Key Mode:", QRect(8, 272, 80, kHeight));
  keyMode_ = Make<QComboBox>("cb_KeyMode", QRect(92, 272, 120, kHeight));
  QObject::connect(keyMode_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().lighting.SelectKeyMode(index);
    Changed();
  });
}

void EngineerOperationTab::BuildCpi() {
  auto* box = Box("gbCPI", QRect(380, 6, 190, 262));
  Caption("lbl_CPIStep", "CPI Steps:", QRect(8, 20, 90, kHeight), box);
  levelCount_ = Make<QComboBox>("cb_CPIStep", QRect(96, 20, 84, kHeight), box);
  for (int count = perf::kMinDpiLevels; count <= perf::kDpiLevelCount; ++count) {
    levelCount_->addItem(QString::number(count));
  }
  Caption("lbl_CurrentCPI", "Current CPI:", QRect(8, 20 + kRow, 90, kHeight), box);
  current_ = Make<QComboBox>("cb_CurrentCPI", QRect(96, 20 + kRow, 84, kHeight), box);
  QObject::connect(levelCount_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().dpi.cb_CPIStepChange(index);
    Changed();
  });
  QObject::connect(current_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().dpi.cb_CurrentCPIChange(index);
    Changed();
  });
  const perf::DpiPage& dpi = Session().Settings().dpi;
  auto* colours = Box("gbMCULEDCPIColor", QRect(576, 6, 400, 212));
  mcuColours_ = colours;
  for (int n = 1; n <= perf::kDpiLevelCount; ++n) {
    const auto level = static_cast<std::size_t>(n - 1);
    const int top = 20 + (n + 1) * kRow;
    stepCaptions_[level] =
        Caption(Numbered("lbl_CPI", n), Numbered("CPI ", n, ":"), QRect(8, top, 90, kHeight), box);
    QComboBox* step = Make<QComboBox>(Numbered("cb_CPI", n), QRect(96, top, 84, kHeight), box);
    for (int k = 1; k <= perf::kDpiStepCount; ++k) {
      step->addItem(ToQString(dpi.GetDisplayByIndex(k)));
    }
    steps_[level] = step;
    QObject::connect(step, &QComboBox::activated, &context_, [this, n](int index) {
      Session().Settings().dpi.cb_CPIChange(n, index);
      Changed();
    });
    const int colourTop = 20 + (n - 1) * kRow;
    for (int channel = 0; channel < 3; ++channel) {
      const int left = 8 + channel * kColourStep;
      const auto c = static_cast<std::size_t>(channel);
      colourCaptions_[level][c] =
          Caption(Numbered("lbl_CPI", n, kChannels[channel]),
                  Numbered("CPI", n, (std::string(" ") + kChannels[channel] + ":").c_str()),
                  QRect(left, colourTop, 56, kHeight), colours);
      QLineEdit* edit = Make<QLineEdit>(Numbered("edt_CPI", n, kChannels[channel]),
                                        QRect(left + 58, colourTop, 44, kHeight), colours);
      edit->setValidator(Digits(edit));
      colours_[level][c] = edit;
      const auto which = static_cast<perf::ColourChannel>(channel);
      QObject::connect(edit, &QLineEdit::textEdited, &context_,
                       [this, n, which](const QString& text) {
                         Session().Settings().dpi.edt_CPIColourChange(n, which, text.toStdString());
                         Changed();
                       });
    }
  }
  Caption("lbl_TLAIMKey", "AIM Key:", QRect(380, 274, 90, kHeight));
  aim_ = Make<QComboBox>("cb_AIMKeyValue", QRect(474, 274, 96, kHeight));
  for (int k = 1; k <= perf::kAimStepCount; ++k) {
    aim_->addItem(ToQString(dpi.GetDisplayByIndex(k)));
  }
  QObject::connect(aim_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().assignment.cb_AIMKeyValueChange(index);
    Changed();
  });
}

void EngineerOperationTab::BuildLighting() {
  for (const RadioRow& row : kLightingRadios) {
    auto* box = Group()->findChild<QGroupBox*>(row.group);
    auto* radio = Make<QRadioButton>(row.name, QRect(row.left, 20, 86, kHeight), box);
    lightingRadios_.push_back({radio, row.checked});
    const auto click = row.click;
    QObject::connect(radio, &QRadioButton::clicked, &context_, [this, click] {
      (Session().Settings().lighting.*click)();
      Changed();
    });
  }
  auto* types = Group()->findChild<QGroupBox*>("gbLEDType");
  for (std::size_t index = 0; index < ledTypes_.size(); ++index) {
    const LedTypeRow& row = kLedTypes[index];
    auto* radio = Make<QRadioButton>(row.name, QRect(row.at, QSize(88, kHeight)), types);
    ledTypes_[index] = radio;
    const auto click = row.click;
    QObject::connect(radio, &QRadioButton::clicked, &context_, [this, click] {
      (Session().Settings().lighting.*click)();
      Changed();
    });
  }
  // The LED type decides what the mouse can light: a factory choice, open
  // only after the unlock.
  types->setEnabled(false);
  mcuControl_ = Group()->findChild<QGroupBox*>("gbMCULEDControlMode");
  ledModeSwitch_ = Group()->findChild<QGroupBox*>("gbLCPI");

  mcuCurrent_ = Group()->findChild<QGroupBox*>("gbMCULEDCurrent");
  Caption("lbl_MCULEDNum", "LED Number:", QRect(8, 20, 86, kHeight), mcuCurrent_);
  ledNumber_ = Make<QLineEdit>("edt_MCULEDNum", QRect(96, 20, 40, kHeight), mcuCurrent_);
  Caption("lbl_MCULEDNumRange", "(4~13)", QRect(140, 20, 50, kHeight), mcuCurrent_);
  Caption("lbl_MCULEDCrtMode", "Current Mode:", QRect(8, 20 + kRow, 86, kHeight), mcuCurrent_);
  mcuMode_ =
      Make<QComboBox>("cb_MCULEDCurrentMode", QRect(96, 20 + kRow, 92, kHeight), mcuCurrent_);
  Caption("lbl_MCULEDCrtStep", "LED Step:", QRect(8, 20 + 2 * kRow, 86, kHeight), mcuCurrent_);
  ledStep_ =
      Make<QLineEdit>("edt_MCULEDCrtStep", QRect(96, 20 + 2 * kRow, 40, kHeight), mcuCurrent_);
  Caption("lbl_MCULEDCrtStepRange", "(0~7)", QRect(140, 20 + 2 * kRow, 50, kHeight), mcuCurrent_);
  ledNumber_->setValidator(Digits(ledNumber_));
  ledStep_->setValidator(Digits(ledStep_));
  QObject::connect(ledNumber_, &QLineEdit::textEdited, &context_, [this](const QString& text) {
    Session().Settings().lighting.edt_MCULEDNumChange(text.toStdString());
    Changed();
  });
  QObject::connect(ledNumber_, &QLineEdit::editingFinished, &context_, [this] {
    Session().Settings().lighting.edt_MCULEDNumExit();
    Changed();
  });
  QObject::connect(ledStep_, &QLineEdit::textEdited, &context_, [this](const QString& text) {
    Session().Settings().lighting.edt_MCULEDCrtStepChange(text.toStdString());
    Changed();
  });
  QObject::connect(mcuMode_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().lighting.cb_MCULEDCurrentModeChange(index);
    Changed();
  });

  rbMode_ = Group()->findChild<QGroupBox*>("gbRBLEDMode");
  Caption("lbl_RBLEDCrtMode", "Current Mode:", QRect(8, 20, 180, kHeight), rbMode_);
  rbModeList_ = Make<QComboBox>("cb_RBLEDCurrentMode", QRect(8, 20 + kRow, 180, kHeight), rbMode_);
  QObject::connect(rbModeList_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().lighting.cb_RBLEDCurrentModeChange(index);
    Changed();
  });
}

void EngineerOperationTab::BuildOptions() {
  auto* fireFn = Group()->findChild<QGroupBox*>("gbFireFn");
  fireFnOn_ = Make<QRadioButton>("rb_FireFnOn", QRect(8, 20, 98, kHeight), fireFn);
  fireFnOff_ = Make<QRadioButton>("rb_FireFnOff", QRect(108, 20, 68, kHeight), fireFn);
  for (QRadioButton* radio : {fireFnOn_, fireFnOff_}) {
    QObject::connect(radio, &QRadioButton::clicked, &context_, [this, radio] {
      Session().Settings().options.fireFnLeftKey = radio == fireFnOff_;
      Changed();
    });
  }
  auto* switches = Group()->findChild<QGroupBox*>("gbSwitchFn");
  for (const CheckRow& row : kSwitchChecks) {
    auto* box = Make<QCheckBox>(row.name, QRect(10, row.top, 160, kHeight), switches);
    checks_.push_back({box, row.checked});
  }
  auto* smooth = Make<QCheckBox>("cb_Smooth", QRect(380, 382, 190, kHeight));
  checks_.push_back({smooth, &params::DeviceOptions::smooth});
  for (const Check& check : checks_) {
    const auto flag = check.checked;
    QObject::connect(check.box, &QCheckBox::clicked, &context_, [this, flag](bool checked) {
      Session().Settings().options.*flag = checked;
      Changed();
    });
  }

  auto* fireMode = Group()->findChild<QGroupBox*>("gbFireMode");
  Caption("lbl_FireCount", "Fire Count:", QRect(8, 20, 72, kHeight), fireMode);
  fireCount_ = Make<QComboBox>("cb_FireCount", QRect(82, 20, 70, kHeight), fireMode);
  for (int count = 1; count <= kMaxFireCountItems; ++count) {
    fireCount_->addItem(QString::number(count));
  }
  Caption("lbl_FireTime", "Fire Time:", QRect(8, 20 + kRow, 72, kHeight), fireMode);
  fireTime_ = Make<QLineEdit>("edt_FireTime", QRect(82, 20 + kRow, 44, kHeight), fireMode);
  fireTime_->setValidator(Digits(fireTime_));
  Caption("lbl_FireTimeUnit", "(*8ms)", QRect(128, 20 + kRow, 46, kHeight), fireMode);
  QObject::connect(fireCount_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().burstFire.cb_FireCountChange(index);
    Changed();
  });
  QObject::connect(fireTime_, &QLineEdit::textChanged, &context_, [this](const QString& text) {
    Session().Settings().burstFire.edt_FireTimeChange(text.toStdString());
    Changed();
  });

  Caption("lbl_SensorOri", "Sensor Ori:", QRect(780, 336, 196, kHeight));
  sensor_ = Make<QComboBox>("cb_SensorOri", QRect(780, 360, 196, kHeight));
  sensor_->setEnabled(false);  // a factory choice, open only after the unlock
  Group()->findChild<QLabel*>("lbl_SensorOri")->setEnabled(false);
  QObject::connect(sensor_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().options.sensorOrientation = index;
    Changed();
  });

  Caption("lbl_VendorID", "Vendor ID:", QRect(780, 392, 84, kHeight));
  Caption("lbl_ProductID", "Product ID:", QRect(780, 420, 84, kHeight));
  vendor_ = Make<QLineEdit>("edt_VendorID", QRect(868, 392, 48, kHeight));
  product_ = Make<QLineEdit>("edt_ProductID", QRect(868, 420, 48, kHeight));
  for (QLineEdit* code : {vendor_, product_}) {
    code->setValidator(Digits(code));
  }
  QObject::connect(vendor_, &QLineEdit::textChanged, &context_, [this](const QString& text) {
    page_.edt_VendorIDChange(text.toStdString());
    Changed();
  });
  QObject::connect(product_, &QLineEdit::textChanged, &context_, [this](const QString& text) {
    page_.edt_ProductIDChange(text.toStdString());
    Changed();
  });

  auto* keys = Group()->findChild<QGroupBox*>("gbKeys");
  Make<QRadioButton>("rb_6Keys", QRect(10, 18, 80, kHeight), keys);
  Make<QRadioButton>("rb_9Keys", QRect(100, 18, 80, kHeight), keys)->setChecked(true);
  keys->hide();  // holds no setting
}

void EngineerOperationTab::Refresh() {
  const orbic::app::SettingsModel& settings = Session().Settings();
  for (int keyMode = 1; keyMode <= 2; ++keyMode) {
    for (int button = 1; button <= kButtons; ++button) {
      QPushButton* push =
          buttons_[static_cast<std::size_t>(keyMode - 1)][static_cast<std::size_t>(button - 1)];
      const QString label = ToQString(settings.keys.Label(keyMode, button));
      if (push->text() != label) {
        push->setText(label);
      }
    }
  }
  RefreshCpi();
  RefreshLighting();
  RefreshOptions();
}

void EngineerOperationTab::RefreshCpi() {
  const perf::DpiControls& dpi = Session().Settings().dpi.Controls();
  ShowIndex(levelCount_, dpi.cb_CPIStep);
  QStringList currentItems;
  for (const std::string& item : dpi.cb_CurrentCPIItems) {
    currentItems << ToQString(item);
  }
  ShowItems(current_, currentItems, dpi.cb_CurrentCPI);
  for (std::size_t level = 0; level < steps_.size(); ++level) {
    const perf::DpiLevelControls& shown = dpi.levels[level];
    ShowIndex(steps_[level], shown.cb_CPI.value_or(-1));
    steps_[level]->setVisible(shown.engineerShown);
    stepCaptions_[level]->setVisible(shown.engineerShown);
    for (std::size_t channel = 0; channel < 3; ++channel) {
      ShowText(colours_[level][channel], ToQString(shown.edt_CPI[channel]));
      colours_[level][channel]->setVisible(shown.engineerShown);
      colourCaptions_[level][channel]->setVisible(shown.engineerShown);
    }
  }
  ShowIndex(aim_, dpi.cb_AIMKeyValue.value_or(-1));
}

void EngineerOperationTab::RefreshLighting() {
  const LightingPage& lighting = Session().Settings().lighting;
  const LightingControls& shown = lighting.Controls();
  for (const Radio& radio : lightingRadios_) {
    if (shown.*radio.checked) {
      radio.button->setChecked(true);
    }
  }
  ledTypes_[static_cast<std::size_t>(shown.ledTypeRadio)]->setChecked(true);
  using perf::LightingGroup;
  mcuControl_->setVisible(lighting.IsShown(LightingGroup::kMcuEngineer));
  mcuCurrent_->setVisible(lighting.IsShown(LightingGroup::kMcuEngineer));
  mcuColours_->setVisible(lighting.IsShown(LightingGroup::kMcuEngineer));
  rbMode_->setVisible(lighting.IsShown(LightingGroup::kRbEngineer));
  ledModeSwitch_->setVisible(lighting.IsShown(LightingGroup::kLedModeSwitch));
  ShowText(ledNumber_, ToQString(shown.edt_MCULEDNum));
  ShowText(ledStep_, ToQString(shown.edt_MCULEDCrtStep));
  ShowItems(mcuMode_,
            TermItems("cb_MCULEDCurrentMode", shown.cb_MCULEDCurrentMode.items, language_),
            shown.cb_MCULEDCurrentMode.itemIndex);
  mcuMode_->setEnabled(shown.cb_MCULEDCurrentMode.enabled);
  ShowItems(rbModeList_,
            TermItems("cb_RBLEDCurrentMode", shown.cb_RBLEDCurrentMode.items, language_),
            shown.cb_RBLEDCurrentMode.itemIndex);
  rbModeList_->setEnabled(shown.cb_RBLEDCurrentMode.enabled);
  ShowItems(keyMode_, TermItems("cb_KeyMode", shown.cb_KeyMode.items, language_),
            shown.cb_KeyMode.itemIndex);
  keyMode_->setEnabled(shown.cb_KeyMode.enabled);
}

void EngineerOperationTab::RefreshOptions() {
  const orbic::app::SettingsModel& settings = Session().Settings();
  const params::DeviceOptions& options = settings.options;
  (options.fireFnLeftKey ? fireFnOff_ : fireFnOn_)->setChecked(true);
  for (const Check& check : checks_) {
    check.box->setChecked(options.*check.checked);
  }
  const fire::BurstFireSettings& burst = settings.burstFire;
  ShowIndex(fireCount_, burst.Continuous() ? -1 : burst.FireCountIndex());
  ShowText(fireTime_, ToQString(burst.FireTimeText()));
  ShowItems(sensor_, TermItems("cb_SensorOri", language_), options.sensorOrientation);
  ShowText(vendor_, ToQString(page_.VendorText()));
  ShowText(product_, ToQString(page_.ProductText()));
}

}  // namespace orbic::gui
