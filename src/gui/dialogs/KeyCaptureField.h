#pragma once

#include <QKeyEvent>
#include <QLineEdit>

namespace orbic::gui {

// The read-only field of the key dialogs: every key pressed in it is reported
// and goes no further, so Tab, Enter and Esc are captured like any other key
// instead of moving the focus or closing the dialog.
class KeyCaptureField : public QLineEdit {
  Q_OBJECT

 public:
  explicit KeyCaptureField(QWidget* parent = nullptr);

 signals:
  void keyPressed(const QKeyEvent& event);

 protected:
  bool event(QEvent* event) override;
};

}  // namespace orbic::gui
