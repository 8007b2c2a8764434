#pragma once

// Where the panels of the function menu open. Every position is in the
// coordinates of the window background unless a parameter says otherwise.
namespace orbic::keys {

struct Point {
  int left = 0;
  int top = 0;

  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int Right() const { return left + width; }
  constexpr int Bottom() const { return top + height; }
};

// The top panel and the special-keys panel grow to show their last entries
// ("Fire Macro", "Gun Key Fn") only where those entries are offered.
inline constexpr int kMenuPanelHeight = 170;
inline constexpr int kExtendedMenuPanelHeight = 194;

constexpr int MenuPanelHeight(bool extraEntriesInView) {
  return extraEntriesInView ? kExtendedMenuPanelHeight : kMenuPanelHeight;
}

// Main page: the top panel's corner sits at the middle of the clicked label
// and opens towards the side where it fits inside the background.
Point MainTopPanelPosition(const Rect& label, Size panel, Size background);

// Engineer page: `button` is relative to its key-mode group, which lies at
// `groupTop` inside the page, which lies at `pageTop` in the window.
Point EngineerTopPanelPosition(const Rect& button, Size panel, int pageWidth, int pageTop,
                               int groupTop);

// A category panel beside the top panel, level with the hovered entry
// (`entry` is relative to the top panel). Whether it fits on the right is
// judged with the special-keys panel's width for every category.
Point CategoryPanelPosition(const Rect& topPanel, const Rect& entry, int specialPanelWidth,
                            int panelHeight, Size background);

// The DPI sub-panel beside the special-keys panel, level with its DPI entry
// (`entry` is relative to the special-keys panel).
Point DpiPanelPosition(const Rect& specialPanel, const Rect& entry, Size dpiPanel, Size background);

}  // namespace orbic::keys
