#include "gui/MessageDialog.h"

#include <QPainter>

#include "gui/WindowShape.h"

namespace orbic::gui {

namespace {

constexpr QRgb kTextColour = qRgb(0xEB, 0xEE, 0xF2);
constexpr QSize kButtonSize{100, 28};
constexpr int kFontPixels = 15;
constexpr const char* kButtonStyle =
    "QPushButton { color: #EBEEF2; background: #2A3440; border: 1px solid #3FA9D8;"
    " border-radius: 4px; }"
    "QPushButton:hover, QPushButton:focus { background: #3FA9D8; color: #FFFFFF; }";

}  // namespace

MessageDialog::MessageDialog(const QString& text, const QString& fontFamily,
                             const QPixmap& background, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), background_(background) {
  setObjectName("MessageDialog");
  setModal(true);
  setWindowTitle(QString());
  QFont font = this->font();
  if (!fontFamily.isEmpty()) {
    font.setFamily(fontFamily);
  }
  font.setPixelSize(kFontPixels);
  setFont(font);

  text_ = new QLabel(DisplayText(text), this);
  text_->setObjectName("lbl_Message");
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  text_->setTextFormat(Qt::PlainText);
  QPalette palette = text_->palette();
  palette.setColor(QPalette::WindowText, QColor(kTextColour));
  text_->setPalette(palette);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName("Btn_MessageOK");
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  ok_->setStyleSheet(kButtonStyle);
  ok_->resize(kButtonSize);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  // The picture's size, taller when the text needs more room.
  const QSize base = background_.isNull() ? kFallbackSize : background_.size();
  const int textWidth = base.width() - 2 * kMargin;
  const int textHeight = text_->heightForWidth(textWidth);
  const int needed = kTextTop + textHeight + kMargin + kButtonSize.height() + kMargin;
  const QSize size(base.width(), std::max(base.height(), needed));
  setFixedSize(size);
  text_->setGeometry(kMargin, kTextTop, textWidth,
                     size.height() - kTextTop - 2 * kMargin - kButtonSize.height());
  ok_->move((size.width() - kButtonSize.width()) / 2,
            size.height() - kMargin - kButtonSize.height());

  if (!background_.isNull() && size == background_.size()) {
    setMask(ShownPart(background_.toImage()));
  }
}

void MessageDialog::SetChoices(const QString& first, const QString& second) {
  ok_->setText(first);
  if (second_ == nullptr) {
    second_ = new QPushButton(this);
    second_->setObjectName("Btn_MessageNo");
    second_->setStyleSheet(kButtonStyle);
    second_->resize(kButtonSize);
    connect(second_, &QPushButton::clicked, this, [this] { done(kSecondChoice); });
  }
  second_->setText(second);
  // Side by side, centred where the one button was.
  constexpr int kGap = 16;
  const int left = (width() - 2 * kButtonSize.width() - kGap) / 2;
  ok_->move(left, ok_->y());
  second_->move(left + kButtonSize.width() + kGap, ok_->y());
}

QString MessageDialog::DisplayText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace('\r', '\n');
  return shown;
}

void MessageDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), QColor(0x1B, 0x1F, 0x25));
    return;
  }
  painter.drawPixmap(rect(), background_);
}

}  // namespace orbic::gui
