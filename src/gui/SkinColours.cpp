#include "gui/SkinColours.h"

#include <utility>

#include "gui/pages/FunctionMenu.h"

namespace orbic::gui {

namespace {

// Copies the colours a group names into `target`, by part.
template <typename Target, std::size_t N>
void TakeColours(const ui::SkinLayout& layout, char group, Target& target,
                 const std::pair<const char*, std::uint32_t Target::*> (&parts)[N]) {
  const ui::GroupStyle* style = layout.Group(group);
  if (style == nullptr) {
    return;
  }
  for (const auto& [part, member] : parts) {
    if (const auto it = style->colours.find(part); it != style->colours.end()) {
      target.*member = it->second;
    }
  }
}

}  // namespace

perf::LevelLabelColours DpiLabelColours(const ui::SkinLayout& layout) {
  static constexpr std::pair<const char*, perf::Colour perf::LevelLabelColours::*> kParts[] = {
      {"Selected", &perf::LevelLabelColours::selected},
      {"notSelected", &perf::LevelLabelColours::notSelected},
  };
  perf::LevelLabelColours colours;
  TakeColours(layout, 'D', colours, kParts);
  return colours;
}

void ApplyMenuColours(const QWidget& root, const ui::SkinLayout& layout) {
  static constexpr std::pair<const char*, std::uint32_t MenuColours::*> kParts[] = {
      {"Back", &MenuColours::back},    {"Border", &MenuColours::border},
      {"Font", &MenuColours::font},    {"SP", &MenuColours::hoverBack},
      {"SF", &MenuColours::hoverFont},
  };
  MenuColours colours;
  TakeColours(layout, 'G', colours, kParts);
  const QString style = MenuStyleSheet(colours);
  for (const char* surface : kMenuSurfaces) {
    for (QWidget* widget : root.findChildren<QWidget*>(surface)) {
      widget->setStyleSheet(style);
    }
  }
}

}  // namespace orbic::gui
