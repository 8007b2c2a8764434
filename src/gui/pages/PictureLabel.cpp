#include "gui/pages/PictureLabel.h"

#include <QHash>
#include <QImage>
#include <QPixmap>

#include "gui/SkinResources.h"

namespace orbic::gui {

namespace {

// Pictures are decoded once per run: the pages show the same few dozen
// pictures on hundreds of controls and redraw them after every change.
const QImage& CachedPicture(const QString& name) {
  static QHash<QString, QImage> cache;
  auto found = cache.find(name);
  if (found == cache.end()) {
    found = cache.insert(name, LoadSkinPicture(name.toStdString()));
  }
  return *found;
}

}  // namespace

PictureLabel::PictureLabel(QWidget* parent) : ClickLabel(parent) {}

void PictureLabel::SetPicture(std::string_view name, bool fitSize) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (wanted == picture_) {
    return;
  }
  picture_ = wanted;
  const QImage& image = CachedPicture(picture_);
  if (image.isNull()) {
    clear();
    return;
  }
  setPixmap(QPixmap::fromImage(image));
  if (fitSize) {
    resize(image.size());
  }
}

}  // namespace orbic::gui
