#include "gui/dialogs/DialogLook.h"

#include <cmath>

#include "gui/SkinEngine.h"
#include "ui/LanguageTable.h"
#include "ui/SkinLayout.h"

namespace orbic::gui {

DialogLook DialogLook::FromSkin(SkinEngine& skin, const ui::LanguageTable& texts,
                                const QString& fontFamily) {
  DialogLook look;
  look.picture = [&skin](std::string_view name) { return skin.Picture(name); };
  look.layout = &skin.Layout();
  look.texts = &texts;
  look.fontFamily = fontFamily;
  return look;
}

QPixmap DialogLook::Picture(std::string_view name) const {
  return picture ? picture(name) : QPixmap();
}

QString DialogLook::Text(std::string_view key, std::string_view fallback) const {
  if (texts != nullptr) {
    if (const std::string* text = texts->Find(key)) {
      return QString::fromStdString(*text);
    }
  }
  return QString::fromUtf8(fallback.data(), static_cast<qsizetype>(fallback.size()));
}

int DialogLook::Value(std::string_view key, int fallback) const {
  if (layout == nullptr) {
    return fallback;
  }
  return layout->Value(key).value_or(fallback);
}

int DialogLook::FontPoints(char group, int fallback) const {
  if (layout == nullptr) {
    return fallback;
  }
  const ui::GroupStyle* style = layout->Group(group);
  return style != nullptr && style->fontSize && *style->fontSize > 0 ? *style->fontSize : fallback;
}

QColor DialogLook::Colour(char group, std::string_view part, QColor fallback) const {
  if (layout == nullptr) {
    return fallback;
  }
  const ui::GroupStyle* style = layout->Group(group);
  if (style == nullptr) {
    return fallback;
  }
  const auto found = style->colours.find(part);
  if (found == style->colours.end()) {
    return fallback;
  }
  const ui::LayoutColour colour = found->second;
  return QColor(static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
                static_cast<int>((colour >> 16) & 0xFFU));
}

QFont DialogLook::Font(int points) const {
  QFont font;
  if (!fontFamily.isEmpty()) {
    font.setFamily(fontFamily);
  }
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(
                                    points * static_cast<double>(SkinEngine::kLayoutDpi) / 72.0))));
  return font;
}

}  // namespace orbic::gui
