#include "gui/pages/EngineerFactoryTab.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "app/Session.h"
#include "base/UiHost.h"

namespace orbic::gui {

namespace {

constexpr int kRow = 26;
constexpr int kHeight = 22;
constexpr int kColourStep = 136;
constexpr int kModeStep = 102;
constexpr const char* kChannels[] = {"R", "G", "B"};

}  // namespace

EngineerFactoryTab::EngineerFactoryTab(QWidget* sheet, app::Session& session,
                                       const ui::LanguageTable& texts,
                                       std::function<void()> changed, engineer::EngineerPage& page)
    : PageView(sheet, session, texts, std::move(changed)), page_(page) {
  Caption("lbl_VendorID_Rd", "Vendor ID:", QRect(8, 12, 84, kHeight));
  Caption("lbl_ProductID_Rd", "Product ID:", QRect(8, 40, 84, kHeight));
  readVendor_ = Make<QLineEdit>("edt_VendorID_Rd", QRect(96, 12, 48, kHeight));
  readProduct_ = Make<QLineEdit>("edt_ProductID_Rd", QRect(96, 40, 48, kHeight));
  // What the mouse reported at connection; never written back.
  readVendor_->setReadOnly(true);
  readProduct_->setReadOnly(true);
  BuildGunKeys();
  BuildFireTables();
  BuildModes();
  Refresh();
}

void EngineerFactoryTab::BuildGunKeys() {
  auto* box = Make<QGroupBox>("gbGunParam", QRect(8, 72, 230, 378));
  Caption("lbl_SOSStartIndex", "Gun Start Index:", QRect(8, 20, 112, kHeight), box);
  Caption("lbl_SOSNumber", "Gun Stop Index:", QRect(8, 20 + kRow, 112, kHeight), box);
  first_ = Make<QComboBox>("cb_SOSStartIndex", QRect(124, 20, 94, kHeight), box);
  last_ = Make<QComboBox>("cb_SOSNumber", QRect(124, 20 + kRow, 94, kHeight), box);
  for (QComboBox* combo : {first_, last_}) {
    for (int n = 1; n <= params::kFireMacroCount; ++n) {
      combo->addItem(QString::number(n));
    }
    combo->setCurrentIndex(0);
  }
  auto* add = Make<QPushButton>("btn_AddScript", QRect(8, 80, 102, 26), box);
  auto* remove = Make<QPushButton>("btn_DelScript", QRect(116, 80, 102, 26), box);
  add->setText("Add Gun");
  remove->setText("Delect Gun");
  names_ = Make<QListWidget>("LB_ScriptName", QRect(8, 114, 210, 252), box);
  QObject::connect(add, &QPushButton::clicked, &context_, [this] {
    std::string error;
    // An unselected combo names no fire macro, which the list refuses.
    if (!Session().AddGunKey(first_->currentIndex() + 1, last_->currentIndex() + 1, error)) {
      ShowError(error);
    }
    Changed();
  });
  QObject::connect(remove, &QPushButton::clicked, &context_, [this] {
    const std::optional<int> selected = Session().Settings().gunKeys.Selected();
    std::string error;
    if (selected && !Session().DeleteGunKey(*selected, error)) {
      ShowError(error);
    }
    Changed();
  });
  QObject::connect(names_, &QListWidget::itemClicked, &context_, [this](QListWidgetItem* item) {
    Session().Settings().gunKeys.Select(names_->row(item) + 1);
    Changed();
  });
}

// A refused entry (a full list) says nothing; a file that was not written does.
void EngineerFactoryTab::ShowError(const std::string& error) {
  if (!error.empty()) {
    Session().Ui().ShowMessage(error, orbic::MessageStyle::kDialog);
  }
}

void EngineerFactoryTab::BuildFireTables() {
  auto* colours = Make<QGroupBox>("gbFireMacroColor", QRect(246, 6, 420, 296));
  auto* offsets = Make<QGroupBox>("gbFireMacroYOffset", QRect(674, 6, 300, 296));
  const auto digits = QRegularExpression("[0-9]{0,3}");
  for (int n = 1; n <= params::kFireMacroCount; ++n) {
    const int top = 20 + (n - 1) * kRow;
    for (int channel = 0; channel < engineer::kColourChannels; ++channel) {
      const int left = 8 + channel * kColourStep;
      Caption(Numbered("lbl_FireMacroColor", n, kChannels[channel]),
              Numbered("Macro", n, (std::string(" ") + kChannels[channel] + ":").c_str()),
              QRect(left, top, 72, kHeight), colours);
      QLineEdit* edit = Make<QLineEdit>(Numbered("edt_FireMacroColor", n, kChannels[channel]),
                                        QRect(left + 74, top, 44, kHeight), colours);
      edit->setValidator(new QRegularExpressionValidator(digits, edit));
      colours_[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(channel)] = edit;
      QObject::connect(edit, &QLineEdit::textChanged, &context_,
                       [this, n, channel](const QString& text) {
                         page_.edt_FireMacroColorChange(n, channel, text.toStdString());
                         Changed();
                       });
    }
    Caption(Numbered("lbl_YOffset", n), Numbered("Macro", n, " Y Offset:"),
            QRect(8, top, 130, kHeight), offsets);
    QLineEdit* offset =
        Make<QLineEdit>(Numbered("edt_YOffset", n), QRect(142, top, 56, kHeight), offsets);
    // Edited on the fire macro page; shown here.
    offset->setReadOnly(true);
    yOffsets_[static_cast<std::size_t>(n - 1)] = offset;
    QObject::connect(offset, &QLineEdit::textChanged, &context_, [this, n](const QString& text) {
      page_.TLRefreshYOffset(n, text.toStdString());
      Changed();
    });
  }
}

void EngineerFactoryTab::BuildModes() {
  auto* box = Make<QGroupBox>("gbMCULEDMode", QRect(246, 310, 728, 52));
  for (int mode = 1; mode <= static_cast<int>(perf::kLedModeCount); ++mode) {
    auto* check = Make<QCheckBox>(Numbered("cb_Mode", mode),
                                  QRect(10 + (mode - 1) * kModeStep, 20, 96, kHeight), box);
    modes_[static_cast<std::size_t>(mode - 1)] = check;
    QObject::connect(check, &QCheckBox::clicked, &context_, [this, mode](bool checked) {
      Session().Settings().lighting.cb_ModeClick(mode, checked);
      Changed();
    });
  }
}

void EngineerFactoryTab::Refresh() {
  const std::array<int, 2> read = Session().ReadIdentification();
  ShowText(readVendor_, QString::number(read[0]));
  ShowText(readProduct_, QString::number(read[1]));

  const fire::GunKeyList& gunKeys = Session().Settings().gunKeys;
  QStringList names;
  for (const std::string& name : gunKeys.Names()) {
    names << ToQString(name);
  }
  bool same = names_->count() == names.size();
  for (int row = 0; same && row < names.size(); ++row) {
    same = names_->item(row)->text() == names[row];
  }
  if (!same) {
    names_->clear();
    names_->addItems(names);
  }
  if (const std::optional<int> selected = gunKeys.Selected()) {
    names_->setCurrentRow(*selected - 1);
    names_->scrollToItem(names_->currentItem());
  }
  if (const auto range = gunKeys.SelectedRange()) {
    ShowIndex(first_, range->first - 1);
    ShowIndex(last_, range->second - 1);
  }

  for (int n = 1; n <= params::kFireMacroCount; ++n) {
    for (int channel = 0; channel < engineer::kColourChannels; ++channel) {
      ShowText(colours_[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(channel)],
               ToQString(page_.ColourText(n, channel)));
    }
    ShowText(yOffsets_[static_cast<std::size_t>(n - 1)], ToQString(page_.YOffsetText(n)));
  }
  const perf::LightingControls& lighting = Session().Settings().lighting.Controls();
  for (std::size_t mode = 0; mode < modes_.size(); ++mode) {
    modes_[mode]->setChecked(lighting.cb_Mode[mode]);
  }
}

}  // namespace orbic::gui
