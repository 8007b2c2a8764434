#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/RollingText.h"

namespace orbic::gui {

class SkinEngine;

// What hovering needs to know about the window.
struct HoverContext {
  std::function<bool()> noDeviceState;
  std::function<std::string()> checkedPageRadio;  // "rb_1" .. "rb_7"
  std::function<int()> currentLanguage;           // 1..3
  // True for the label of the action whose operation runs: it keeps its
  // pressed picture while the pointer comes and goes (the overlay that
  // covers the pages takes the pointer from it).
  std::function<bool(const QWidget& label)> pressed;
  bool rollingEnabled = false;  // TR_Enable
};

// The hover looks of the window's buttons: entering a label shows its hover
// picture (or colours), leaving shows the idle one and marks the current page
// and language again. Entering also starts the rolling caption (LabelRun,
// every 200 ms) and leaving gives the label its caption back.
class HoverPictures : public QObject {
  Q_OBJECT

 public:
  static constexpr int kRollingIntervalMs = 200;

  HoverPictures(QWidget& root, SkinEngine& skin, HoverContext context, QObject* parent = nullptr);

  // Watches every control under the root that belongs to a hover family;
  // call again after new controls were created.
  void Install();

  // The label whose caption rolls, or null.
  QWidget* RollingLabel() const { return rollingLabel_; }
  QTimer& RollingTimer() { return labelRun_; }
  // After a language change: the hovered label rolls its new caption from the start.
  void RestartRolling();
  // One LabelRun tick: the hovered caption moves on by one character.
  void LabelRunTimer();

  // The hover family letter of a control name ('A'..'J', 'W' for web), 0 for none.
  static char FamilyOf(const QString& objectName);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Enter(QWidget& label, char family);
  void Leave(QWidget& label, char family);
  void SetPictures(const QString& pictureName, bool allCopies, std::string_view picture);
  void MarkCurrentPage();
  void MarkCurrentLanguage();
  void SetTextColours(QWidget& label, bool hovered);

  QWidget& root_;
  SkinEngine& skin_;
  HoverContext context_;
  app::RollingText rolling_;
  QPointer<QWidget> rollingLabel_;
  QTimer labelRun_;
};

}  // namespace orbic::gui
