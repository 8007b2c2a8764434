#include "gui/pages/EngineerPageView.h"

#include "app/Session.h"
#include "keys/ButtonAssignment.h"

namespace orbic::gui {

namespace {

constexpr int kRowHeight = 22;
constexpr const char* kChannels[] = {"R", "G", "B"};

}  // namespace

EngineerPageView::EngineerPageView(QWidget* group, app::Session& session,
                                   const ui::LanguageTable& texts, std::function<void()> changed,
                                   FunctionMenu& menu)
    : PageView(group, session, texts, std::move(changed)), menu_(menu) {
  BuildKeyModes();
  BuildCpi();
  Caption("lbl_VendorID", "Vendor ID:", QRect(700, 440, 90, kRowHeight));
  Caption("lbl_ProductID", "Product ID:", QRect(700, 470, 90, kRowHeight));
  vendor_ = Make<QLineEdit>("edt_VendorID", QRect(800, 440, 60, kRowHeight));
  product_ = Make<QLineEdit>("edt_ProductID", QRect(800, 470, 60, kRowHeight));
  // Their checks belong to the factory fields, wired with them.
  vendor_->setReadOnly(true);
  product_->setReadOnly(true);
  Refresh();
}

void EngineerPageView::BuildKeyModes() {
  for (int keyMode = 1; keyMode <= 2; ++keyMode) {
    auto* box = Make<QGroupBox>(Numbered("gbKeyMode", keyMode),
                                QRect(10 + (keyMode - 1) * 220, 40, 210, 290));
    box->setTitle(Numbered("Key Mode", keyMode));
    keyModeGroups_[static_cast<std::size_t>(keyMode - 1)] = box;
    for (int button = 1; button <= kButtons; ++button) {
      const int number = keyMode * 100 + button;
      const int top = 20 + (button - 1) * 30;
      Caption(Numbered("lbl_Key", number), Numbered("Key", button), QRect(8, top, 40, kRowHeight),
              box);
      auto* push = Make<QPushButton>(Numbered("btn_Key", number), QRect(50, top, 150, 26), box);
      buttons_[static_cast<std::size_t>(keyMode - 1)][static_cast<std::size_t>(button - 1)] = push;
      QObject::connect(push, &QPushButton::clicked, &context_, [this, push, box] {
        Session().Settings().assignment.TLShowPnlMain_OnClick(push->objectName().toStdString());
        menu_.OpenEngineer(Group(), push->geometry(), box->y());
        Changed();
      });
    }
  }
}

void EngineerPageView::BuildCpi() {
  auto* box = Make<QGroupBox>("gbCPI", QRect(450, 40, 240, 300));
  box->setTitle("CPI");
  Caption("lbl_CPIStep", "CPI Steps:", QRect(8, 20, 90, kRowHeight), box);
  levelCount_ = Make<QComboBox>("cb_CPIStep", QRect(100, 20, 80, kRowHeight), box);
  for (int count = perf::kMinDpiLevels; count <= perf::kDpiLevelCount; ++count) {
    levelCount_->addItem(QString::number(count));
  }
  Caption("lbl_CurrentCPI", "Current CPI:", QRect(8, 48, 90, kRowHeight), box);
  current_ = Make<QComboBox>("cb_CurrentCPI", QRect(100, 48, 80, kRowHeight), box);
  QObject::connect(levelCount_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().dpi.cb_CPIStepChange(index);
    Changed();
  });
  QObject::connect(current_, &QComboBox::activated, &context_, [this](int index) {
    Session().Settings().dpi.cb_CurrentCPIChange(index);
    Changed();
  });
  const perf::DpiPage& dpi = Session().Settings().dpi;
  auto* colours = Make<QGroupBox>("gbMCULEDCPIColor", QRect(700, 40, 290, 260));
  colours->setTitle("MCU LED CPI Color Setting");
  for (int n = 1; n <= perf::kDpiLevelCount; ++n) {
    const int top = 76 + (n - 1) * 30;
    Caption(Numbered("lbl_CPI", n), Numbered("CPI ", n, ":"), QRect(8, top, 60, kRowHeight), box);
    QComboBox* step = Make<QComboBox>(Numbered("cb_CPI", n), QRect(100, top, 80, kRowHeight), box);
    for (int k = 1; k <= perf::kDpiStepCount; ++k) {
      step->addItem(ToQString(dpi.GetDisplayByIndex(k)));
    }
    steps_[static_cast<std::size_t>(n - 1)] = step;
    QObject::connect(step, &QComboBox::activated, &context_, [this, n](int index) {
      Session().Settings().dpi.cb_CPIChange(n, index);
      Changed();
    });
    for (int channel = 0; channel < 3; ++channel) {
      QLineEdit* edit =
          Make<QLineEdit>(Numbered("edt_CPI", n, kChannels[channel]),
                          QRect(60 + channel * 75, 20 + (n - 1) * 32, 40, kRowHeight), colours);
      Caption(Numbered("lbl_CPI", n, kChannels[channel]),
              Numbered("CPI", n, (std::string(" ") + kChannels[channel] + ":").c_str()),
              QRect(8 + channel * 75, 20 + (n - 1) * 32, 52, kRowHeight), colours)
          ->setIndent(0);
      colours_[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(channel)] = edit;
      const auto which = static_cast<perf::ColourChannel>(channel);
      QObject::connect(edit, &QLineEdit::textEdited, &context_,
                       [this, n, which](const QString& text) {
                         Session().Settings().dpi.edt_CPIColourChange(n, which, text.toStdString());
                         Changed();
                       });
    }
  }
}

void EngineerPageView::Refresh() {
  const params::SettingsModel& settings = Session().Settings();
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
  const perf::DpiControls& dpi = settings.dpi.Controls();
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
    for (std::size_t channel = 0; channel < 3; ++channel) {
      ShowText(colours_[level][channel], ToQString(shown.edt_CPI[channel]));
      colours_[level][channel]->setVisible(shown.engineerShown);
    }
  }
  ShowText(vendor_, QString::number(settings.options.vendorCode));
  ShowText(product_, QString::number(settings.options.productCode));
}

}  // namespace orbic::gui
