#include "perf/SliderRuler.h"

#include <gtest/gtest.h>

#include <climits>

namespace orbic::perf {
namespace {

struct RulerCase {
  const char* what;
  int x;
  int count;
  int start;
  int step;
  int expected;
};

// DPI level sliders with DPI_Count = 11: 10 cells of 20 px from -5.
// Pointer sliders: 11 cells of 26 px from -7. Breathing speed: 7 cells of 30 px from -15.
const RulerCase kRulerCases[] = {
    {"dpi: at the left end", 0, 10, -5, 20, 0},
    {"dpi: far left of the ruler", -300, 10, -5, 20, 0},
    {"dpi: on the start", -5, 10, -5, 20, 0},
    {"dpi: last pixel of cell 0", 15, 10, -5, 20, 0},
    {"dpi: first pixel of cell 1", 16, 10, -5, 20, 100},
    {"dpi: last pixel of the last cell", 195, 10, -5, 20, 900},
    {"dpi: just beyond the last cell", 196, 10, -5, 20, 1000},
    {"dpi: far right", 5000, 10, -5, 20, 1000},
    {"pointer: last pixel of cell 0", 19, 11, -7, 26, 0},
    {"pointer: first pixel of cell 1", 20, 11, -7, 26, 100},
    {"pointer: cell 5", 140, 11, -7, 26, 500},
    {"pointer: last pixel of the last cell", 279, 11, -7, 26, 1000},
    {"pointer: beyond all cells", 280, 11, -7, 26, 1100},
    {"breath: cell 3", 100, 7, -15, 30, 300},
    {"breath: beyond all cells", 196, 7, -15, 30, 700},
    {"extreme positions do not overflow", INT_MAX, 11, INT_MIN, 26, 1100},
    {"no cells", 50, 0, -7, 26, 0},
    {"no cell width", 50, 11, -7, 0, 0},
};

TEST(SliderRulerTest, SnapsReleasePositionToCell) {
  for (const RulerCase& c : kRulerCases) {
    EXPECT_EQ(GetSliderRulerByX(c.x, c.count, c.start, c.step), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace orbic::perf
