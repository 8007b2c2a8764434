#pragma once

#include <QHash>
#include <QImage>
#include <QLabel>
#include <QMultiHash>
#include <QPixmap>
#include <QString>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ui/SkinLayout.h"

namespace orbic::gui {

// Lays the window out from a skin: every control found by its objectName gets
// the place, visibility, font and colours of the skin layout, and picture
// controls get their skin pictures. Decoded pictures are kept, since hovering
// swaps the same few dozen pictures all the time.
class SkinEngine {
 public:
  using PictureSource = std::function<QImage(const QString& name)>;

  static constexpr int kSkins = 3;
  // Layout font sizes are points on a 96 dpi screen; the skin is drawn in
  // pixels, so the fonts are too.
  static constexpr int kLayoutDpi = 96;

  // `source` gives a skin picture by resource name (a null image when missing);
  // `problems` receives each layout problem once, the first time it is seen.
  explicit SkinEngine(PictureSource source, std::ostream* problems = nullptr);

  // The decoded picture `name`; a null pixmap when the skin has none.
  QPixmap Picture(std::string_view name);
  // Puts picture `name` into `label`, which takes the picture's size unless
  // the layout gives the label its own.
  void SetPicture(QLabel* label, std::string_view name);
  // The same for every label called `objectName` under `root`.
  void SetPicture(const QWidget& root, const QString& objectName, std::string_view name);
  // The same, but a label out of sight (on a hidden page) gets its picture
  // when it is first shown: the large page pictures of pages nobody has
  // opened yet need not be decoded at start-up.
  void SetPictureWhenShown(const QWidget& root, const QString& objectName, std::string_view name);

  // Reads the layout of skin `skin` and applies it to every named control
  // under `root`, with `fontFamily` for the styled texts (empty: unchanged).
  void ApplyLayout(const QWidget& root, int skin, const QString& fontFamily);
  // The skin's background into Img_Base_1..5 and its page pictures into
  // Img_P1..Img_P5.
  void ApplySkinPictures(const QWidget& root, int skin);
  // The pictures every control starts with.
  void ApplyStartupPictures(const QWidget& root);

  const ui::SkinLayout& Layout() const { return layout_; }
  const std::vector<std::string>& Problems() const { return problems_; }

  // "L<skin>_BackGround".
  static std::string BackgroundName(int skin);

 private:
  void ReportNewProblems();
  // Labels lying over their pictures (markers, option captions) fitted to them.
  static void CoverPictures(const QMultiHash<QString, QWidget*>& named);

  PictureSource source_;
  std::ostream* problemStream_;
  QHash<QString, QPixmap> pictures_;
  ui::SkinLayout layout_;
  std::vector<std::string> problems_;
  std::size_t reported_ = 0;
};

}  // namespace orbic::gui
