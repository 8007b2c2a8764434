#pragma once

#include <QFrame>
#include <QListWidget>
#include <QPixmap>
#include <QPoint>
#include <QStringList>
#include <cstddef>
#include <optional>

// What the macro pages' owner-drawn lists and pop-up menus share: the item
// height, the line-type icons, the colours, and the setters that keep a
// list's scroll position across refreshes.
namespace orbic::gui {

inline constexpr int kListItemHeight = 20;  // MacroNameHeight
inline constexpr int kMenuEntryHeight = 24;
// The item data that holds the icon's line type.
inline constexpr int kLineIconRole = Qt::UserRole;

inline constexpr const char* kListStyle =
    "QListWidget { background: rgb(30, 32, 36); color: rgb(235, 238, 242); "
    "border: 1px solid rgb(70, 75, 84); }"
    "QListWidget::item:selected { background: rgb(64, 196, 255); color: rgb(30, 32, 36); }";
inline constexpr const char* kMenuStyle =
    "QFrame { background: rgb(38, 41, 46); border: 1px solid rgb(70, 75, 84); }"
    "QLabel { background: transparent; border: none; color: rgb(235, 238, 242); }"
    "QLabel:hover { background: rgb(64, 196, 255); color: rgb(30, 32, 36); }"
    "QLabel:disabled { color: rgb(96, 100, 108); }";

// The event list's icon of a line type: a square of the item's height with
// the type digit, one colour per kind of event; "?" for a line without one.
QPixmap LineIcon(int type);

// Gives the list's icon look and item height.
void StyleEventList(QListWidget* list);

// Shows `items` in `list` only when they differ, keeping the scroll position.
void ShowList(QListWidget* list, const QStringList& items);
// Sets the icon of `row` to the line type's, only when it changed.
void ShowLineIcon(QListWidget* list, int row, int type);
void ShowSelection(QListWidget* list, std::optional<std::size_t> index);

// The item under `position` of a list's viewport; none below the last item.
std::optional<std::size_t> ItemAt(QListWidget* list, const QPoint& position);

// Moves `popup` to `at` (in `list` coordinates), kept inside its parent.
void PlacePopup(QFrame* popup, QListWidget* list, const QPoint& at);

}  // namespace orbic::gui
