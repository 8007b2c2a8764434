#include "gui/dialogs/SkinnedDialog.h"

#include <QPainter>

#include "gui/WindowShape.h"

namespace orbic::gui {
namespace {

constexpr QSize kFallbackSize{320, 180};
constexpr int kFallbackPoints = 10;
const QColor kFallbackText(235, 238, 242);
const QColor kFallbackField(64, 196, 255);

void SetTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::ButtonText, colour);
  palette.setColor(QPalette::Text, colour);
  widget.setPalette(palette);
}

}  // namespace

SkinnedDialog::SkinnedDialog(const DialogLook& look, const DialogStyle& style,
                             const DialogTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      look_(look),
      style_(style),
      basePoints_(look.FontPoints(style.sizeGroup, kFallbackPoints)),
      textColour_(look.Colour(style.colourGroup, "", kFallbackText)),
      fieldColour_(look.Colour(style.colourGroup, style.fieldPart, kFallbackField)),
      background_(look.Picture("Msg")) {
  setModal(true);
  setWindowTitle(QString());

  title_ = new QLabel(look.Text(texts.titleKey, texts.title), this);
  title_->setObjectName("lbl_Title");
  title_->setTextFormat(Qt::PlainText);
  title_->setFont(look.Font(basePoints_ + kTitleFontStep));
  SetTextColour(*title_, textColour_);
  title_->adjustSize();
  title_->move(Value(style.titleX), Value(style.titleY));

  const QFont buttonFont = look.Font(basePoints_ + kButtonFontStep);
  const auto makeButton = [&](const QString& text, std::string_view base, const char* name) {
    const std::string prefix(base);
    auto* button = new SkinButton(text, look.Picture(prefix + "_01"), look.Picture(prefix + "_02"),
                                  look.Picture(prefix + "_03"), this);
    button->setObjectName(name);
    button->setFont(buttonFont);
    SetTextColour(*button, textColour_);
    return button;
  };
  confirm_ = makeButton(look.Text(texts.confirmKey, texts.confirm), "BtnS", "IB_Confirm");
  clear_ = makeButton(look.Text(texts.clearKey, texts.clear), "BtnS", "IB_Cancel");
  close_ = makeButton(QString(), "ExitS", "IB_Close");

  // The layouts put Clear closer to Confirm than a button picture is wide;
  // both shrink so neither covers the other.
  const QPoint confirmAt(Value(style.confirmX), Value(style.confirmY));
  const QPoint clearAt(Value(style.clearX), Value(style.clearY));
  QSize buttonSize = confirm_->sizeHint();
  if (confirmAt.y() == clearAt.y() && clearAt.x() > confirmAt.x() &&
      clearAt.x() - confirmAt.x() < buttonSize.width() + kButtonGap) {
    buttonSize.setWidth(clearAt.x() - confirmAt.x() - kButtonGap);
  }
  confirm_->setGeometry(QRect(confirmAt, buttonSize));
  clear_->setGeometry(QRect(clearAt, buttonSize));
  close_->setGeometry(QRect(QPoint(Value(style.closeX), Value(style.closeY)), close_->sizeHint()));

  connect(confirm_, &QAbstractButton::clicked, this, &QDialog::accept);
  connect(clear_, &QAbstractButton::clicked, this, [this] { Clear(); });
  connect(close_, &QAbstractButton::clicked, this, &QDialog::reject);
}

void SkinnedDialog::PlaceField(QWidget& field) {
  field.setFont(look_.Font(basePoints_ + kFieldFontStep));
  const int height = QFontMetrics(field.font()).height() + 10;
  field.setGeometry(Value(style_.fieldX), Value(style_.fieldY),
                    std::max(1, Value(style_.fieldWidth)), height);
  field.setStyleSheet(QStringLiteral("QLineEdit { color: %1; background: rgba(0, 0, 0, 96);"
                                     " border: 1px solid %1; border-radius: 3px; }")
                          .arg(fieldColour_.name()));
}

void SkinnedDialog::FitToContents() {
  const QSize base = background_.isNull() ? kFallbackSize : background_.size();
  QRect parts(QPoint(0, 0), base);
  for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect area = child->geometry();
    if (!QRect(QPoint(0, 0), base).contains(area)) {
      parts = parts.united(area.adjusted(0, 0, kMargin, kMargin));
    }
  }
  // Parts placed left of or above the picture are not moved; the window
  // starts at the picture's corner.
  const QSize size(parts.right() + 1, parts.bottom() + 1);
  setFixedSize(size);
  if (!background_.isNull() && size == background_.size()) {
    setMask(ShownPart(background_.toImage()));
  } else {
    clearMask();
  }
}

bool SkinnedDialog::Run() {
  return exec() == QDialog::Accepted;
}

void SkinnedDialog::CentreOnParent() {
  const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  if (owner == nullptr) {
    return;
  }
  const QRect area = owner->frameGeometry();
  move(area.left() + (area.width() - width()) / 2,
       area.top() + (area.height() - height()) / 2 + style_.belowCentre);
}

void SkinnedDialog::showEvent(QShowEvent* event) {
  CentreOnParent();
  QDialog::showEvent(event);
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), QColor(0x1B, 0x1F, 0x25));
    return;
  }
  painter.drawPixmap(QPoint(0, 0), background_);
  if (size() != background_.size()) {
    // Grown beyond the picture: the rest in the picture's own dark tone.
    const QColor fill(0x1B, 0x1F, 0x25);
    painter.fillRect(QRect(background_.width(), 0, width() - background_.width(), height()), fill);
    painter.fillRect(
        QRect(0, background_.height(), background_.width(), height() - background_.height()), fill);
  }
}

}  // namespace orbic::gui
