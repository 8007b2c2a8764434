#pragma once

#include "perf/DpiPage.h"
#include "ui/SkinLayout.h"

namespace orbic::gui {

// The DPI page's level-label colours: the layout's `Color_D_Selected_*` and
// `Color_D_notSelected_*`; a colour the layout leaves out keeps the page's own.
perf::LevelLabelColours DpiLabelColours(const ui::SkinLayout& layout);

}  // namespace orbic::gui
