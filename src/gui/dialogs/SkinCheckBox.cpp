#include "gui/dialogs/SkinCheckBox.h"

#include <QPainter>

namespace orbic::gui {
namespace {
constexpr QSize kPlainBox{16, 16};
constexpr int kGap = 4;
}  // namespace

SkinCheckBox::SkinCheckBox(const QString& text, QPixmap checkedPicture, QPixmap uncheckedPicture,
                           QWidget* parent)
    : QAbstractButton(parent),
      checked_(std::move(checkedPicture)),
      unchecked_(std::move(uncheckedPicture)) {
  setText(text);
  setCheckable(true);
  setFocusPolicy(Qt::NoFocus);  // the field keeps the keys
  setCursor(Qt::PointingHandCursor);
  resize(sizeHint());
}

QSize SkinCheckBox::BoxSize() const {
  return unchecked_.isNull() ? kPlainBox : unchecked_.size();
}

QSize SkinCheckBox::sizeHint() const {
  const QSize box = BoxSize();
  const QFontMetrics metrics(font());
  return {box.width() + kGap + metrics.horizontalAdvance(text()),
          std::max(box.height(), metrics.height())};
}

void SkinCheckBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QSize box = BoxSize();
  const QRect boxRect(QPoint(0, (height() - box.height()) / 2), box);
  const QPixmap& picture = isChecked() ? checked_ : unchecked_;
  if (picture.isNull()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(boxRect.adjusted(0, 0, -1, -1));
    if (isChecked()) {
      painter.fillRect(boxRect.adjusted(3, 3, -3, -3), palette().color(QPalette::WindowText));
    }
  } else {
    painter.drawPixmap(boxRect, picture);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(font());
  painter.drawText(QRect(box.width() + kGap, 0, width() - box.width() - kGap, height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text());
}

}  // namespace orbic::gui
