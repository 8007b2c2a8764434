#pragma once

namespace orbic::perf {

// Snaps a release at `x` pixels on a ruler slider to a cell: cell i covers
// start + step * i < x <= start + step * (i + 1). A release at or left of
// `start` gives cell 0, one beyond the last cell gives `count`. Returns the
// cell times 100 (the slider position); the slider clamps it to its range.
// With no cells (count or step not positive) every release gives 0.
int GetSliderRulerByX(int x, int count, int start, int step);

}  // namespace orbic::perf
