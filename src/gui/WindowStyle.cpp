#include "gui/WindowStyle.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orbic::gui {

namespace {

// The plain surface matches the skin art's graphite background and its
// 1-pixel highlight along the edge.
const QColor kSurfaceTop(30, 32, 37);
const QColor kSurfaceBottom(17, 18, 21);
const QColor kSurfaceHighlight(255, 255, 255, 34);
constexpr qreal kSurfaceRadius = 12;

// Placeholders of the style sheet template, filled from the palette.
struct Slot {
  const char* name;
  QString WindowPalette::*colour;
};

constexpr Slot kSlots[] = {
    {"@surface", &WindowPalette::surface},   {"@raisedLow", &WindowPalette::raisedLow},
    {"@raised", &WindowPalette::raised},     {"@border", &WindowPalette::border},
    {"@text", &WindowPalette::text},         {"@muted", &WindowPalette::muted},
    {"@onAccent", &WindowPalette::onAccent}, {"@accent", &WindowPalette::accent},
};

// Labels are not styled here: the skin layout gives them their fonts and
// colours; the engineer page (gbPage6) is not skinned, so its captions are.
// The combo box arrow is the platform style's, drawn in the
// palette's light button text.
constexpr const char* kTemplate = R"(
QLineEdit, QSpinBox, QPlainTextEdit, QTextEdit {
  background: @surface; color: @text; border: 1px solid @border; border-radius: 4px;
  padding: 0px 4px; selection-background-color: @accent; selection-color: @onAccent;
}
QLineEdit:focus, QSpinBox:focus, QPlainTextEdit:focus, QTextEdit:focus { border-color: @accent; }
QLineEdit:read-only { background: @raisedLow; }
QLineEdit:disabled, QSpinBox:disabled { color: @muted; background: @raisedLow; }

QComboBox {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @raised, stop:1 @raisedLow);
  color: @text; border: 1px solid @border; border-radius: 4px; padding: 0px 18px 0px 6px;
}
QComboBox:hover, QComboBox:focus { border-color: @accent; }
QComboBox:disabled { color: @muted; }
QComboBox::drop-down {
  subcontrol-origin: padding; subcontrol-position: center right; width: 16px; border: none;
}
QComboBox QAbstractItemView {
  background: @surface; color: @text; border: 1px solid @border; outline: none;
  selection-background-color: @accent; selection-color: @onAccent;
}

QListView, QListWidget, QTreeView, QTableView {
  background: @surface; color: @text; border: 1px solid @border; border-radius: 4px;
  outline: none; selection-background-color: @accent; selection-color: @onAccent;
}
QListView:disabled, QListWidget:disabled { color: @muted; }

QCheckBox, QRadioButton { color: @text; spacing: 6px; background: transparent; }
QCheckBox:disabled, QRadioButton:disabled { color: @muted; }
QCheckBox::indicator, QRadioButton::indicator {
  width: 12px; height: 12px; background: @surface; border: 1px solid @border;
}
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: @accent; }
QCheckBox::indicator:checked { background: @accent; border-color: @accent; }
QRadioButton::indicator:checked {
  background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                              stop:0 @accent, stop:0.55 @accent, stop:0.65 @surface);
  border-color: @accent;
}

QSlider { background: transparent; }
QSlider::groove:horizontal {
  height: 6px; background: @surface; border: 1px solid @border; border-radius: 3px;
}
QSlider::sub-page:horizontal { background: @accent; border: 1px solid @accent; border-radius: 3px; }
QSlider::sub-page:horizontal:disabled { background: @muted; border-color: @muted; }
QSlider::handle:horizontal {
  width: 10px; margin: -7px 0px; border-radius: 3px; border: 1px solid @border;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @text, stop:1 #aab0ba);
}
QSlider::handle:horizontal:disabled { background: @raised; }

QGroupBox {
  color: @accent; border: 1px solid @border; border-radius: 6px; margin-top: 16px;
  background: transparent;
}
QGroupBox::title {
  subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0px 2px;
}

QPushButton {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @raised, stop:1 @raisedLow);
  color: @text; border: 1px solid @border; border-radius: 5px; padding: 2px 8px;
}
QPushButton:hover { border-color: @accent; }
QPushButton:pressed, QPushButton:checked { background: @raisedLow; border-color: @accent; }
QPushButton:disabled { color: @muted; }

QTabWidget::pane { border: 1px solid @border; border-radius: 6px; top: -1px; }
QTabBar::tab {
  background: @raisedLow; color: @text; border: 1px solid @border; padding: 3px 12px;
  border-top-left-radius: 5px; border-top-right-radius: 5px;
}
QTabBar::tab:selected { background: @raised; border-bottom-color: @accent; }

QScrollBar:vertical { background: @surface; width: 10px; margin: 0px; border: none; }
QScrollBar::handle:vertical { background: @raised; border-radius: 4px; min-height: 20px; }
QScrollBar::handle:vertical:hover { background: @border; }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }
QScrollBar:horizontal { background: @surface; height: 10px; margin: 0px; border: none; }
QScrollBar::handle:horizontal { background: @raised; border-radius: 4px; min-width: 20px; }
QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal { width: 0px; }
QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal { background: none; }

QToolTip { background: @raised; color: @text; border: 1px solid @border; }

#gbPage6 QLabel { color: @text; }
#gbPage6 QLabel:disabled { color: @muted; }
)";

}  // namespace

QString WindowStyleSheet(const WindowPalette& palette) {
  QString sheet = QString::fromLatin1(kTemplate);
  // Longer names first, so "@raisedLow" is not taken for "@raised".
  for (const Slot& slot : kSlots) {
    sheet.replace(QString::fromLatin1(slot.name), palette.*slot.colour);
  }
  return sheet;
}

QPalette WindowColours(const WindowPalette& palette) {
  const QColor surface(palette.surface);
  const QColor raised(palette.raised);
  const QColor text(palette.text);
  const QColor muted(palette.muted);
  QPalette colours;
  colours.setColor(QPalette::Window, QColor(palette.raisedLow));
  colours.setColor(QPalette::Base, surface);
  colours.setColor(QPalette::AlternateBase, raised);
  colours.setColor(QPalette::Button, raised);
  colours.setColor(QPalette::Light, raised.lighter(130));
  colours.setColor(QPalette::Mid, QColor(palette.border));
  colours.setColor(QPalette::Dark, surface.darker(130));
  colours.setColor(QPalette::ToolTipBase, raised);
  colours.setColor(QPalette::Highlight, QColor(palette.accent));
  colours.setColor(QPalette::HighlightedText, QColor(palette.onAccent));
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText}) {
    colours.setColor(QPalette::Active, role, text);
    colours.setColor(QPalette::Inactive, role, text);
    colours.setColor(QPalette::Disabled, role, muted);
  }
  colours.setColor(QPalette::PlaceholderText, muted);
  return colours;
}

QPixmap PlainSurface(QSize size) {
  QPixmap surface(size);
  surface.fill(Qt::transparent);
  if (size.isEmpty()) {
    return surface;
  }
  QPainter painter(&surface);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF whole(QPointF(0, 0), size);
  QPainterPath shape;
  shape.addRoundedRect(whole, kSurfaceRadius, kSurfaceRadius);
  QLinearGradient fill(whole.topLeft(), whole.bottomLeft());
  fill.setColorAt(0, kSurfaceTop);
  fill.setColorAt(1, kSurfaceBottom);
  painter.fillPath(shape, fill);
  painter.setPen(QPen(kSurfaceHighlight, 1));
  painter.drawRoundedRect(whole.adjusted(1.5, 1.5, -1.5, -1.5), kSurfaceRadius - 1,
                          kSurfaceRadius - 1);
  painter.end();
  return surface;
}

void StyleWindow(QWidget& window) {
  window.setPalette(WindowColours());
  window.setStyleSheet(WindowStyleSheet());
}

void FitPageSurfaces(QWidget& window) {
  for (QLabel* base : window.findChildren<QLabel*>()) {
    if (!base->objectName().startsWith(QLatin1String("Img_Base_"))) {
      continue;
    }
    const QWidget* group = base->parentWidget();
    const QPixmap shown = base->pixmap();
    if (group == nullptr || shown.isNull() || shown.size() == group->size()) {
      continue;
    }
    // A skin background of another size would show its header strip and
    // rules cut off on this page.
    base->setGeometry(group->rect());
    base->setPixmap(PlainSurface(group->size()));
  }
}

}  // namespace orbic::gui
