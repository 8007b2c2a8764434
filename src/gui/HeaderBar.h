#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <string_view>

#include "ui/BehaviourConfig.h"

namespace orbic::gui {

class SkinEngine;

// One header button: a picture Img_<name>_N with a transparent text label
// Btn_<name>_N over it, in each of the page groups 1 to 4.
struct HeaderButton {
  std::string_view name;
  std::string_view idlePicture;
  bool aboveOverlay;  // exit and minimise work while the pages are covered
};

// clang-format off
inline constexpr std::array<HeaderButton, 20> kHeaderButtons = {{
    {"Confirm", "BtnS_01", false},  {"Apply", "BtnS_01", false},
    {"Confirm1", "BtnS_01", false}, {"Confirm2", "BtnS_01", false},
    {"Confirm3", "BtnS_01", false}, {"Read", "BtnS_01", false},
    {"Save", "BtnS_01", false},     {"Load", "BtnS_01", false},
    {"Main", "SetS_01", false},     {"Second", "SetS_01", false},
    {"Adv", "SetS_01", false},      {"Breath", "SetS_01", false},
    {"Macro", "SetS_01", false},    {"Engineer", "SetS_01", false},
    {"Lang1", "SetS_01", false},    {"Lang2", "SetS_01", false},
    {"Lang3", "SetS_01", false},    {"Web", "WebS_01", false},
    {"Exit", "ExitS_01", true},     {"Mini", "MiniS_01", true},
}};
// clang-format on

// The header row of page groups 1 to 4. It creates the pictures and labels
// and turns a press and release on the same label into `clicked(name)`
// ("Apply", "Main", "Lang2", "Exit", ...); what a click does is the window's.
class HeaderBar : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCopies = 4;

  // `groups`: gbPage1..gbPage4. The web button sits where the behaviour
  // configuration puts it; every other button is placed by the skin layout.
  HeaderBar(const std::array<QWidget*, kCopies>& groups, const ui::BehaviourConfig& config,
            SkinEngine& skin, QObject* parent = nullptr);

  // Exit and minimise (pictures and labels) above the page overlays.
  void RaiseChrome();
  // The label Btn_<name>_<copy>, or null.
  QLabel* Label(std::string_view name, int copy) const;
  QLabel* Picture(std::string_view name, int copy) const;

  // "Apply" for "Btn_Apply_3"; empty for a name outside the header.
  static QString ButtonOf(const QString& labelName);

 signals:
  void clicked(const QString& name);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QWidget*, kCopies> groups_;
  QPointer<QObject> pressed_;
};

}  // namespace orbic::gui
