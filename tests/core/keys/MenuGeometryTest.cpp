#include "keys/MenuGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orbic::keys {

void PrintTo(const Point& point, std::ostream* out) {
  *out << "(" << point.left << ", " << point.top << ")";
}

namespace {

// Each table walks a background edge from one pixel beyond the fit, through
// the exact fit, to one pixel short: only "below" counts as fitting.
struct Case {
  const char* name;
  Size background;
  Point expected;
};

TEST(MenuGeometryTest, MainTopPanel) {
  // Label right 160 + panel 150 = 310; label bottom 230 + panel 170 = 400.
  const Rect label{100, 200, 60, 30};
  const Size panel{150, 170};
  const Case cases[] = {
      {"fits both ways", {311, 401}, {130, 215}},
      {"equal width, equal height", {310, 400}, {-20, 45}},
      {"narrower, lower", {309, 399}, {-20, 45}},
      {"fits across only", {311, 400}, {130, 45}},
      {"fits down only", {310, 401}, {-20, 215}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MainTopPanelPosition(label, panel, c.background), c.expected);
  }
}

TEST(MenuGeometryTest, EngineerTopPanel) {
  // Button left 50 + panel 150 = 200 against the page width.
  const Rect button{50, 20, 80, 24};
  const Size panel{150, 194};
  const int top = 20 + 40 + 100 - 194 + 38;
  const struct {
    int pageWidth;
    int left;
  } cases[] = {{199, 130 - 150 + 10}, {200, 60}, {201, 60}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pageWidth);
    EXPECT_EQ(EngineerTopPanelPosition(button, panel, c.pageWidth, 40, 100), (Point{c.left, top}));
  }
}

TEST(MenuGeometryTest, CategoryPanel) {
  // Top panel right 450 + special width 140 = 590; entry top 148 + height
  // 170 = 318 against the background height.
  const Rect topPanel{300, 100, 150, 194};
  const Rect entry{0, 48, 150, 24};
  const Case cases[] = {
      {"beside, level with the entry", {591, 318}, {452, 148}},
      {"equal width starts at the top panel", {590, 319}, {300, 148}},
      {"narrower starts at the top panel", {589, 319}, {300, 148}},
      {"running past the bottom", {591, 317}, {452, 100 + 72 - 170}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CategoryPanelPosition(topPanel, entry, 140, 170, c.background), c.expected);
  }
}

TEST(MenuGeometryTest, DpiPanel) {
  // Special panel right 592 + DPI width 120 = 712; entry top 148 + height
  // 72 = 220.
  const Rect specialPanel{452, 148, 140, 194};
  const Rect entry{0, 0, 140, 24};
  const Size dpiPanel{120, 72};
  const Case cases[] = {
      {"beside", {713, 220}, {594, 148}},
      {"equal width", {712, 221}, {452, 148}},
      {"running past the bottom", {713, 219}, {594, 148 + 24 - 72}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DpiPanelPosition(specialPanel, entry, dpiPanel, c.background), c.expected);
  }
}

}  // namespace
}  // namespace orbic::keys
