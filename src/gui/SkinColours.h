#pragma once

#include <QWidget>

#include "perf/DpiPage.h"
#include "ui/SkinLayout.h"

namespace orbic::gui {

// The DPI page's level-label colours: the layout's `Color_D_Selected_*` and
// `Color_D_notSelected_*`; a colour the layout leaves out keeps the page's own.
perf::LevelLabelColours DpiLabelColours(const ui::SkinLayout& layout);

// The function menus and their macro list under `root` take the layout's
// group G colours, so a skin can restyle them; a colour the layout leaves out
// keeps the menu's own.
void ApplyMenuColours(const QWidget& root, const ui::SkinLayout& layout);

}  // namespace orbic::gui
