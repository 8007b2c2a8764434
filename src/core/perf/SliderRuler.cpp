#include "perf/SliderRuler.h"

#include <cstdint>

namespace orbic::perf {

int GetSliderRulerByX(int x, int count, int start, int step) {
  if (count <= 0 || step <= 0 || x <= start) {
    return 0;
  }
  // 64-bit so that extreme positions cannot overflow the distance.
  const std::int64_t distance = static_cast<std::int64_t>(x) - start;
  const std::int64_t cell = (distance - 1) / step;
  const std::int64_t snapped = cell < count ? cell : count;
  return static_cast<int>(snapped * 100);
}

}  // namespace orbic::perf
