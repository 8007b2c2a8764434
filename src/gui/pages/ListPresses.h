#pragma once

#include <QListWidget>
#include <QObject>
#include <QPoint>
#include <cstddef>
#include <functional>
#include <optional>

namespace orbic::gui {

// Presses on a list's viewport, handed to the page with the item under them
// (none below the last item) and the place in the list's coordinates. The
// page decides what a press selects, so the list's own handling is skipped.
class ListPresses : public QObject {
 public:
  using Handler = std::function<void(Qt::MouseButton, std::optional<std::size_t>, QPoint)>;
  ListPresses(QListWidget* list, Handler handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* list_;
  Handler handler_;
};

}  // namespace orbic::gui
