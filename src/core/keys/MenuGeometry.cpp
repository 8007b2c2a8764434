#include "keys/MenuGeometry.h"

namespace orbic::keys {
namespace {

// The engineer page's buttons sit in a group box: the panel is nudged past
// the box's border and lifted so that it ends just below the button.
constexpr int kEngineerPanelShiftX = 10;
constexpr int kEngineerPanelShiftY = 38;
// Gap between a panel and the side panel it opens.
constexpr int kSidePanelGap = 2;

// A side panel opens to the right of its parent when the parent plus
// `comparedWidth` fits; otherwise it starts at the parent's left edge.
// Vertically it lines up with the entry's top, or with the entry's bottom
// when it would run past the background.
Point SidePanelPosition(const Rect& parent, const Rect& entry, int comparedWidth, int panelHeight,
                        Size background) {
  Point at;
  at.left = parent.Right() + comparedWidth < background.width
                ? parent.left + entry.left + entry.width + kSidePanelGap
                : parent.left;
  at.top = parent.top + entry.top;
  if (at.top + panelHeight > background.height) {
    at.top = parent.top + entry.Bottom() - panelHeight;
  }
  return at;
}

}  // namespace

Point MainTopPanelPosition(const Rect& label, Size panel, Size background) {
  const int middleX = label.left + label.width / 2;
  const int middleY = label.top + label.height / 2;
  return {
      label.Right() + panel.width < background.width ? middleX : middleX - panel.width,
      label.Bottom() + panel.height < background.height ? middleY : middleY - panel.height,
  };
}

Point EngineerTopPanelPosition(const Rect& button, Size panel, int pageWidth, int pageTop,
                               int groupTop) {
  return {
      pageWidth < button.left + panel.width ? button.Right() - panel.width + kEngineerPanelShiftX
                                            : button.left + kEngineerPanelShiftX,
      button.top + pageTop + groupTop - panel.height + kEngineerPanelShiftY,
  };
}

Point CategoryPanelPosition(const Rect& topPanel, const Rect& entry, int specialPanelWidth,
                            int panelHeight, Size background) {
  return SidePanelPosition(topPanel, entry, specialPanelWidth, panelHeight, background);
}

Point DpiPanelPosition(const Rect& specialPanel, const Rect& entry, Size dpiPanel,
                       Size background) {
  return SidePanelPosition(specialPanel, entry, dpiPanel.width, dpiPanel.height, background);
}

}  // namespace orbic::keys
