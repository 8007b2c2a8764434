#include "gui/dialogs/SkinButton.h"

#include <QPainter>
#include <array>

namespace orbic::gui {
namespace {
constexpr QSize kPlainSize{90, 28};
constexpr QSize kPlainCloseSize{24, 24};  // a button without caption: the close cross
}  // namespace

SkinButton::SkinButton(const QString& text, QPixmap idle, QPixmap hovered, QPixmap pressed,
                       QWidget* parent)
    : QAbstractButton(parent),
      idle_(std::move(idle)),
      hovered_(std::move(hovered)),
      pressed_(std::move(pressed)) {
  setText(text);
  setFocusPolicy(Qt::NoFocus);  // the field keeps the keys
  setCursor(Qt::PointingHandCursor);
  resize(sizeHint());
}

QSize SkinButton::sizeHint() const {
  if (!idle_.isNull()) {
    return idle_.size();
  }
  return text().isEmpty() ? kPlainCloseSize : kPlainSize;
}

int SkinButton::State() const {
  if (isDown()) {
    return 2;
  }
  return hover_ ? 1 : 0;
}

void SkinButton::enterEvent(QEnterEvent* event) {
  hover_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
  hover_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void SkinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const std::array<const QPixmap*, 3> pictures = {&idle_, &hovered_, &pressed_};
  const QPixmap* picture = pictures[static_cast<std::size_t>(State())];
  if (picture->isNull()) {
    picture = &idle_;
  }
  if (picture->isNull()) {
    painter.fillRect(rect(), State() == 0 ? QColor(0x2A, 0x34, 0x40) : QColor(0x3F, 0xA9, 0xD8));
    painter.setPen(QColor(0x3F, 0xA9, 0xD8));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (text().isEmpty()) {
      const QRect cross = rect().adjusted(6, 6, -7, -7);
      painter.drawLine(cross.topLeft(), cross.bottomRight());
      painter.drawLine(cross.topRight(), cross.bottomLeft());
    }
  } else {
    painter.drawPixmap(rect(), *picture);
  }
  if (!text().isEmpty()) {
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
  }
}

}  // namespace orbic::gui
