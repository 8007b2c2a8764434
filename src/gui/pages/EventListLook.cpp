#include "gui/pages/EventListLook.h"

#include <QHash>
#include <QPainter>
#include <QSignalBlocker>
#include <algorithm>

namespace orbic::gui {

QPixmap LineIcon(int type) {
  static QHash<int, QPixmap> icons;
  const auto found = icons.constFind(type);
  if (found != icons.constEnd()) {
    return *found;
  }
  static const QColor kColours[] = {
      {150, 156, 166}, {64, 196, 255}, {64, 140, 200},  {120, 200, 120}, {120, 200, 120},
      {200, 180, 90},  {200, 180, 90}, {200, 120, 200}, {200, 120, 200},
  };
  QPixmap icon(kListItemHeight, kListItemHeight);
  icon.fill(type >= 0 && type <= 8 ? kColours[type] : QColor(70, 75, 84));
  QPainter painter(&icon);
  painter.setPen(QColor(30, 32, 36));
  painter.drawText(icon.rect(), Qt::AlignCenter, type >= 0 ? QString::number(type) : "?");
  painter.end();
  icons.insert(type, icon);
  return icon;
}

void StyleEventList(QListWidget* list) {
  list->setStyleSheet(kListStyle);
  list->setUniformItemSizes(true);
  list->setIconSize(QSize(kListItemHeight, kListItemHeight));
}

void ShowList(QListWidget* list, const QStringList& items) {
  bool same = list->count() == items.size();
  for (int row = 0; same && row < items.size(); ++row) {
    same = list->item(row)->text() == items[row];
  }
  if (!same) {
    list->clear();
    list->addItems(items);
  }
}

void ShowLineIcon(QListWidget* list, int row, int type) {
  QListWidgetItem* item = list->item(row);
  if (item != nullptr && (item->data(kLineIconRole).toInt() != type || item->icon().isNull())) {
    item->setData(kLineIconRole, type);
    item->setIcon(QIcon(LineIcon(type)));
  }
}

void ShowSelection(QListWidget* list, std::optional<std::size_t> index) {
  const QSignalBlocker blocker(list);
  if (index && static_cast<int>(*index) < list->count()) {
    list->setCurrentRow(static_cast<int>(*index));
  } else {
    list->clearSelection();
    list->setCurrentRow(-1);
  }
}

std::optional<std::size_t> ItemAt(QListWidget* list, const QPoint& position) {
  const QModelIndex index = list->indexAt(position);
  if (!index.isValid()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(index.row());
}

void PlacePopup(QFrame* popup, QListWidget* list, const QPoint& at) {
  QWidget* parent = popup->parentWidget();
  const QPoint place = list->mapTo(parent, at);
  popup->move(std::min(place.x(), parent->width() - popup->width()),
              std::min(place.y(), parent->height() - popup->height()));
}

}  // namespace orbic::gui
