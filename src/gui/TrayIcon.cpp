#include "gui/TrayIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>

namespace orbic::gui {

namespace {

constexpr int kIconSize = 64;

QPixmap DrawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal unit = size / 64.0;
  // A mouse body with a split between the buttons and the wheel, in the
  // skin's dark grey and accent blue.
  QPainterPath body;
  body.addRoundedRect(QRectF(14 * unit, 4 * unit, 36 * unit, 56 * unit), 18 * unit, 18 * unit);
  painter.fillPath(body, QColor(0x20, 0x26, 0x2E));
  painter.setPen(QPen(QColor(0x3F, 0xA9, 0xD8), 3 * unit));
  painter.drawPath(body);
  painter.drawLine(QPointF(32 * unit, 6 * unit), QPointF(32 * unit, 26 * unit));
  painter.drawLine(QPointF(15 * unit, 26 * unit), QPointF(49 * unit, 26 * unit));
  painter.setBrush(QColor(0x3F, 0xA9, 0xD8));
  painter.drawRoundedRect(QRectF(29 * unit, 11 * unit, 6 * unit, 10 * unit), 3 * unit, 3 * unit);
  return pixmap;
}

}  // namespace

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) {
    return;
  }
  icon_ = std::make_unique<QSystemTrayIcon>(ApplicationIcon());
  icon_->show();
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::Shown() const {
  return icon_ != nullptr && icon_->isVisible();
}

void TrayIcon::SetToolTip(const QString& text) {
  if (icon_) {
    icon_->setToolTip(text);
  }
}

QIcon TrayIcon::ApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, kIconSize}) {
    icon.addPixmap(DrawIcon(size));
  }
  return icon;
}

}  // namespace orbic::gui
