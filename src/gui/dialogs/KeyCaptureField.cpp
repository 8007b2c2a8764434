#include "gui/dialogs/KeyCaptureField.h"

namespace orbic::gui {

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setFocusPolicy(Qt::StrongFocus);
  setContextMenuPolicy(Qt::NoContextMenu);
}

bool KeyCaptureField::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyRelease:
      event->accept();
      return true;
    case QEvent::KeyPress:
      event->accept();
      emit keyPressed(static_cast<const QKeyEvent&>(*event));
      return true;
    default:
      return QLineEdit::event(event);
  }
}

}  // namespace orbic::gui
