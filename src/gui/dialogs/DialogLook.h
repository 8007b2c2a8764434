#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <functional>
#include <string_view>

namespace orbic::ui {
class LanguageTable;
class SkinLayout;
}  // namespace orbic::ui

namespace orbic::gui {

class SkinEngine;

// What the small dialogs take from the window: the skin pictures, the current
// skin's layout, the language's 500s texts and its font. Every part may be
// missing; the dialogs then fall back to the first skin's places and English.
struct DialogLook {
  using PictureSource = std::function<QPixmap(std::string_view name)>;

  PictureSource picture;                   // a null pixmap when there is no such picture
  const ui::SkinLayout* layout = nullptr;  // borrowed; must outlive the dialog
  const ui::LanguageTable* texts = nullptr;
  QString fontFamily;

  // The look of the running window. `skin` must have applied a layout.
  static DialogLook FromSkin(SkinEngine& skin, const ui::LanguageTable& texts,
                             const QString& fontFamily);

  QPixmap Picture(std::string_view name) const;
  // The language text `key`, or `fallback` when the table lacks it.
  QString Text(std::string_view key, std::string_view fallback) const;
  // A layout value, or `fallback` when the layout lacks it.
  int Value(std::string_view key, int fallback) const;
  // Size_<group> in points; `fallback` when the layout lacks it.
  int FontPoints(char group, int fallback) const;
  // Color_<group>[_<part>]_R/G/B; `fallback` when the layout lacks it.
  QColor Colour(char group, std::string_view part, QColor fallback) const;
  // The language font at `points` on the skin's 96 dpi scale.
  QFont Font(int points) const;
};

}  // namespace orbic::gui
