#include "gui/pages/ListPresses.h"

#include <QMouseEvent>

#include "gui/pages/EventListLook.h"

namespace orbic::gui {

ListPresses::ListPresses(QListWidget* list, Handler handler)
    : QObject(list), list_(list), handler_(std::move(handler)) {
  list->viewport()->installEventFilter(this);
}

bool ListPresses::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease) {
    return false;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint position = mouse->position().toPoint();
  handler_(mouse->button(), ItemAt(list_, position), list_->viewport()->mapTo(list_, position));
  return true;
}

}  // namespace orbic::gui
