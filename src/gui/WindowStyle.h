#pragma once

#include <QPalette>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

namespace orbic::gui {

// The look of the standard controls on the skinned pages (edits, drop-down
// lists, list boxes, check boxes, radio buttons, sliders, group frames, push
// buttons, tabs and scroll bars): a dark graphite surface, light text and the
// skin's accent for focus and selection, so they sit on the skin pictures
// instead of showing the desktop's light theme. Labels are left alone: their
// fonts and colours are the skin layout's.
struct WindowPalette {
  QString surface = QStringLiteral("#1b1d21");  // edit and list backgrounds
  QString raised = QStringLiteral("#30343b");   // buttons, drop-down faces
  QString raisedLow = QStringLiteral("#25282e");
  QString border = QStringLiteral("#464b54");
  QString text = QStringLiteral("#ebeef2");
  QString muted = QStringLiteral("#6c717a");  // disabled text
  QString accent = QStringLiteral("#40c4ff");
  QString onAccent = QStringLiteral("#111316");  // text on the accent
};

// The style sheet of the window's controls in `palette`.
QString WindowStyleSheet(const WindowPalette& palette = {});

// The same colours as a palette, for what the style sheet does not cover
// (captions without colours of their own, the platform style's arrows).
QPalette WindowColours(const WindowPalette& palette = {});

// A plain rounded graphite surface of `size`, for a page group that is not
// the skin background's size (the engineer page).
QPixmap PlainSurface(QSize size);

// The palette and the style sheet on `window`. Given before the controls are
// made, each control is styled once, when it is first shown; given after, Qt
// restyles every control there is at once.
void StyleWindow(QWidget& window);

// Gives every page group whose background label (Img_Base_<n>) does not match
// the skin background's size a plain surface instead of a cut-off skin picture.
void FitPageSurfaces(QWidget& window);

}  // namespace orbic::gui
