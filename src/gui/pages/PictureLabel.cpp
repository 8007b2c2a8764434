#include "gui/pages/PictureLabel.h"

#include <QImage>
#include <QPixmap>
#include <QPixmapCache>
#include <QSet>

#include "gui/SkinResources.h"

namespace orbic::gui {

namespace {

// Pictures are decoded and converted once: the pages show the same few
// dozen pictures on hundreds of controls and redraw them after every change,
// and a pixmap is shared by every label that shows it. Qt's own cache is
// emptied with the application, before the platform's pixmaps go.
QPixmap CachedPicture(const QString& name) {
  static QSet<QString> missing;
  const QString key = QStringLiteral("orbic40-skin:") + name;
  QPixmap picture;
  if (QPixmapCache::find(key, &picture) || missing.contains(name)) {
    return picture;
  }
  const QImage image = LoadSkinPicture(name.toStdString());
  if (image.isNull()) {
    missing.insert(name);
    return picture;
  }
  picture = QPixmap::fromImage(image);
  QPixmapCache::insert(key, picture);
  return picture;
}

}  // namespace

PictureLabel::PictureLabel(QWidget* parent) : ClickLabel(parent) {}

void PictureLabel::SetPicture(std::string_view name, bool fitSize) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  const QPixmap picture = CachedPicture(wanted);
  // The skin may have drawn into this label by name as well, so the name kept
  // here is no proof of what it shows: only the very pixmap is.
  const QPixmap shown = pixmap();
  if (wanted == picture_ && shown.cacheKey() == picture.cacheKey() &&
      shown.isNull() == picture.isNull()) {
    return;
  }
  picture_ = wanted;
  if (picture.isNull()) {
    clear();
    return;
  }
  setPixmap(picture);
  if (fitSize) {
    resize(picture.size());
  }
}

}  // namespace orbic::gui
