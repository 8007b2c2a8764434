#include "gui/HeaderBar.h"

#include <QMouseEvent>

#include "gui/SkinEngine.h"

namespace orbic::gui {

namespace {

QString Named(const char* kind, std::string_view name, int copy) {
  return QString::fromLatin1(kind) +
         QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + "_" +
         QString::number(copy);
}

}  // namespace

HeaderBar::HeaderBar(const std::array<QWidget*, kCopies>& groups, const ui::BehaviourConfig& config,
                     SkinEngine& skin, QObject* parent)
    : QObject(parent), groups_(groups) {
  for (int copy = 1; copy <= kCopies; ++copy) {
    QWidget* group = groups_[static_cast<std::size_t>(copy - 1)];
    // Pictures first, labels after, so every label lies over its picture.
    for (const HeaderButton& button : kHeaderButtons) {
      auto* picture = new QLabel(group);
      picture->setObjectName(Named("Img_", button.name, copy));
      skin.SetPicture(picture, button.idlePicture);
    }
    for (const HeaderButton& button : kHeaderButtons) {
      auto* label = new QLabel(group);
      label->setObjectName(Named("Btn_", button.name, copy));
      label->setAlignment(Qt::AlignCenter);
      label->setAttribute(Qt::WA_Hover);
      label->setCursor(Qt::PointingHandCursor);
      label->setGeometry(Picture(button.name, copy)->geometry());
      label->installEventFilter(this);
    }
    // The web button's place is a behaviour setting, not a layout one; its
    // label covers the whole picture.
    QLabel* webPicture = Picture("Web", copy);
    webPicture->move(config.webX, config.webY);
    Label("Web", copy)->setGeometry(webPicture->geometry());
  }
  RaiseChrome();
}

void HeaderBar::RaiseChrome() {
  for (int copy = 1; copy <= kCopies; ++copy) {
    for (const HeaderButton& button : kHeaderButtons) {
      if (button.aboveOverlay) {
        Picture(button.name, copy)->raise();
        Label(button.name, copy)->raise();
      }
    }
  }
}

QLabel* HeaderBar::Label(std::string_view name, int copy) const {
  if (copy < 1 || copy > kCopies) {
    return nullptr;
  }
  return groups_[static_cast<std::size_t>(copy - 1)]->findChild<QLabel*>(
      Named("Btn_", name, copy), Qt::FindDirectChildrenOnly);
}

QLabel* HeaderBar::Picture(std::string_view name, int copy) const {
  if (copy < 1 || copy > kCopies) {
    return nullptr;
  }
  return groups_[static_cast<std::size_t>(copy - 1)]->findChild<QLabel*>(
      Named("Img_", name, copy), Qt::FindDirectChildrenOnly);
}

QString HeaderBar::ButtonOf(const QString& labelName) {
  if (!labelName.startsWith("Btn_")) {
    return {};
  }
  const qsizetype underscore = labelName.lastIndexOf('_');
  if (underscore <= 4) {
    return {};
  }
  const QString name = labelName.mid(4, underscore - 4);
  for (const HeaderButton& button : kHeaderButtons) {
    if (name == QString::fromUtf8(button.name.data(), static_cast<qsizetype>(button.name.size()))) {
      return name;
    }
  }
  return {};
}

// A click is a press and a release on the same label, as a button behaves:
// sliding off before releasing cancels it.
bool HeaderBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      pressed_ = watched;
    }
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* label = qobject_cast<QWidget*>(watched);
    const bool inside = label != nullptr && label->rect().contains(mouse->position().toPoint());
    const bool click = pressed_ == watched && mouse->button() == Qt::LeftButton && inside;
    pressed_ = nullptr;
    if (click) {
      emit clicked(ButtonOf(watched->objectName()));
    }
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace orbic::gui
