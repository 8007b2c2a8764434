// skin-art: draws the skin pictures of orbic40 with QPainter and writes them as
// PNGs named after their resources, plus the loading animation as a GIF.
//
//   skin-art <org1.ini> <output folder> [<icon folder>]
//
// With an icon folder it also draws the program's icon there (AppIcon.h).
//
// Geometry that must line up with the layouts (marker and page positions) is
// read from the skin 1 layout; the fixed picture sizes below are the ones the
// layouts were written for (tools/skin-art/make_layouts.py).
#include <gif_lib.h>

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "AppIcon.h"
#include "ui/IniFile.h"
#include "ui/SkinLayout.h"

namespace {

using orbic::ui::ControlLayout;
using orbic::ui::IniFile;
using orbic::ui::PictureSize;
using orbic::ui::SkinLayout;

// The window is shaped: this colour is see-through.
const QColor kSeeThrough(0x80, 0x00, 0x00);

const QColor kBase(24, 26, 30);
const QColor kBaseLow(17, 18, 21);
const QColor kPanel(34, 37, 42);
const QColor kPanelLow(27, 29, 33);
const QColor kRaised(48, 52, 59);
const QColor kRaisedLow(37, 40, 46);
const QColor kBorder(62, 67, 76);
const QColor kHighlight(255, 255, 255, 34);
const QColor kText(226, 230, 236);
const QColor kMuted(120, 127, 138);

// Skin 1's accent colours the shared button pictures; each skin's own accent
// colours its background and page pictures.
const std::array<QColor, 3> kAccents = {QColor(64, 196, 255), QColor(255, 140, 56),
                                        QColor(120, 220, 120)};

constexpr QSize kBackground(1010, 644);
constexpr QSize kPage(970, 480);
constexpr QSize kActionButton(110, 32);
constexpr QSize kPageButton(124, 34);
constexpr QSize kChrome(24, 24);
constexpr QSize kWeb(150, 26);
constexpr QSize kMarker(180, 30);
constexpr QSize kMacroButton(100, 28);
constexpr QSize kMacroStart(110, 30);
constexpr QSize kTick(18, 18);
constexpr QSize kSwatchFrame(26, 26);
constexpr QSize kBar(30, 18);
constexpr QSize kGun(126, 70);
constexpr QSize kGunMode(76, 40);
constexpr QSize kInsertBase(340, 300);
constexpr QSize kRuler(270, 8);
constexpr QSize kThumb(14, 22);
constexpr QSize kMessage(320, 180);
constexpr QSize kWait(200, 192);

QString g_outputFolder;
int g_failures = 0;

QImage Canvas(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// Smoothing a rounded edge against the see-through colour leaves pixels a
// shade off it, which the window's shape keeps and shows as dark red specks:
// they become the see-through colour itself.
QImage WithNearSeeThroughSnapped(const QImage& image) {
  constexpr int kNear = 16;
  QImage snapped = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb seeThrough = kSeeThrough.rgb();
  for (int y = 0; y < snapped.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(snapped.scanLine(y));
    for (int x = 0; x < snapped.width(); ++x) {
      const QRgb pixel = line[x];
      if (qAlpha(pixel) != 0 && std::abs(qRed(pixel) - qRed(seeThrough)) <= kNear &&
          qGreen(pixel) <= kNear && qBlue(pixel) <= kNear) {
        line[x] = seeThrough;
      }
    }
  }
  return snapped;
}

void Save(const QImage& image, const QString& name) {
  const QString path = g_outputFolder + "/" + name + ".png";
  if (!WithNearSeeThroughSnapped(image).save(path, "PNG")) {
    std::fprintf(stderr, "skin-art: cannot write %s\n", qPrintable(path));
    ++g_failures;
  }
}

QFont Font(int pixelSize, bool bold = false) {
  QFont font("Arial");
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QLinearGradient Vertical(const QRectF& rect, const QColor& top, const QColor& bottom) {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

// A rounded surface with a 1-pixel border and a 1-pixel highlight along its top.
void Surface(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top,
             const QColor& bottom, const QColor& border) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF outline = rect.adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(QPen(border, 1));
  painter.setBrush(Vertical(rect, top, bottom));
  painter.drawRoundedRect(outline, radius, radius);
  painter.setClipRect(QRectF(rect.left(), rect.top(), rect.width(), radius + 2));
  painter.setPen(QPen(kHighlight, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(outline.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
  painter.restore();
}

enum class State { Idle, Hover, Selected };

// The three looks every clickable picture family shares.
void ButtonFace(QPainter& painter, const QRectF& rect, qreal radius, State state,
                const QColor& accent) {
  switch (state) {
    case State::Idle:
      Surface(painter, rect, radius, kRaised, kRaisedLow, kBorder);
      break;
    case State::Hover:
      Surface(painter, rect, radius, kRaised.lighter(125), kRaisedLow.lighter(120),
              accent.darker(120));
      break;
    case State::Selected:
      Surface(painter, rect, radius, accent.darker(190), accent.darker(290), accent);
      break;
  }
}

void DrawButtonSet(const QString& family, QSize size, qreal radius, int states) {
  const std::array<State, 3> looks = {State::Idle, State::Hover, State::Selected};
  for (int index = 0; index < states; ++index) {
    QImage image = Canvas(size);
    QPainter painter(&image);
    ButtonFace(painter, QRectF(QPointF(0, 0), size), radius, looks[static_cast<size_t>(index)],
               kAccents[0]);
    if (family == "SetS" && looks[static_cast<size_t>(index)] == State::Selected) {
      // The selected page also carries an accent bar under its caption.
      painter.fillRect(QRectF(16, size.height() - 4, size.width() - 32, 2), kAccents[0]);
    }
    painter.end();
    Save(image, QString("%1_%2").arg(family).arg(index + 1, 2, 10, QChar('0')));
  }
}

// Exit and minimise glyphs over a round face.
void DrawChrome() {
  const std::array<State, 3> looks = {State::Idle, State::Hover, State::Selected};
  for (int index = 0; index < 3; ++index) {
    for (const bool exit : {true, false}) {
      if (!exit && index == 2) {
        continue;  // minimise has idle and hover only
      }
      QImage image = Canvas(kChrome);
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      const State look = looks[static_cast<size_t>(index)];
      const QColor face = look == State::Idle ? kRaisedLow
                          : exit              ? QColor(200, 56, 56)
                                              : kAccents[0].darker(150);
      painter.setPen(QPen(look == State::Idle ? kBorder : face.lighter(130), 1));
      painter.setBrush(face);
      painter.drawEllipse(QRectF(0.5, 0.5, kChrome.width() - 1, kChrome.height() - 1));
      painter.setPen(QPen(kText, 1.6, Qt::SolidLine, Qt::RoundCap));
      if (exit) {
        painter.drawLine(QPointF(8, 8), QPointF(16, 16));
        painter.drawLine(QPointF(16, 8), QPointF(8, 16));
      } else {
        painter.drawLine(QPointF(7.5, 12.5), QPointF(16.5, 12.5));
      }
      painter.end();
      Save(image, QString("%1S_%2").arg(exit ? "Exit" : "Mini").arg(index + 1, 2, 10, QChar('0')));
    }
  }
}

// The web button: a small globe at the left; the caption is the label's.
void DrawWeb() {
  // 01 idle, 02 clicked, 03 hovered.
  const std::array<State, 3> looks = {State::Idle, State::Selected, State::Hover};
  for (int index = 0; index < 3; ++index) {
    QImage image = Canvas(kWeb);
    QPainter painter(&image);
    ButtonFace(painter, QRectF(QPointF(0, 0), kWeb), 13, looks[static_cast<size_t>(index)],
               kAccents[0]);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(index == 0 ? kMuted : kAccents[0], 1.2));
    painter.setBrush(Qt::NoBrush);
    const QRectF globe(8, 5, 16, 16);
    painter.drawEllipse(globe);
    painter.drawEllipse(globe.adjusted(4, 0, -4, 0));
    painter.drawLine(QPointF(8, 13), QPointF(24, 13));
    painter.end();
    Save(image, QString("WebS_%1").arg(index + 1, 2, 10, QChar('0')));
  }
}

// Markers over the mouse: a pill with a socket at each end for the leader line.
void DrawMarkers() {
  for (int index = 0; index < 2; ++index) {
    QImage image = Canvas(kMarker);
    QPainter painter(&image);
    const QRectF rect(QPointF(0, 0), kMarker);
    ButtonFace(painter, rect, kMarker.height() / 2.0, index == 0 ? State::Idle : State::Hover,
               kAccents[0]);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(index == 0 ? kAccents[0].darker(170) : kAccents[0]);
    painter.drawEllipse(QPointF(9, rect.center().y()), 3, 3);
    painter.drawEllipse(QPointF(rect.width() - 9, rect.center().y()), 3, 3);
    painter.end();
    Save(image, QString("KeyS_%1").arg(index + 1, 2, 10, QChar('0')));
  }
}

// Check boxes and radios: off (D) and on (E).
void DrawChoices() {
  for (const bool on : {false, true}) {
    const QString suffix = on ? "E" : "D";
    QImage check = Canvas(kTick);
    QPainter painter(&check);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(on ? kAccents[0] : kBorder.lighter(130), 1));
    painter.setBrush(on ? kAccents[0].darker(250) : kBaseLow);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 15, 15), 3, 3);
    if (on) {
      painter.setPen(QPen(kAccents[0], 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.drawPolyline(QPolygonF({QPointF(5, 9.5), QPointF(8, 12.5), QPointF(13.5, 5.5)}));
    }
    painter.end();
    Save(check, "CbS_" + suffix);

    QImage radio = Canvas(kTick);
    painter.begin(&radio);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(on ? kAccents[0] : kBorder.lighter(130), 1));
    painter.setBrush(kBaseLow);
    painter.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    if (on) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(kAccents[0]);
      painter.drawEllipse(QRectF(5, 5, 8, 8));
    }
    painter.end();
    Save(radio, "RdS_" + suffix);
  }
}

void DrawSmallParts() {
  // Colour swatch frame: the swatch itself shows through the middle.
  QImage frame = Canvas(kSwatchFrame);
  QPainter painter(&frame);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath ring;
  ring.addRoundedRect(QRectF(0.5, 0.5, 25, 25), 5, 5);
  ring.addRect(QRectF(3, 3, 20, 20));
  painter.setPen(QPen(kBorder.lighter(140), 1));
  painter.setBrush(kRaised);
  painter.drawPath(ring);
  painter.end();
  Save(frame, "Col_F");

  // LED bar segments: off and on.
  for (const bool on : {false, true}) {
    QImage bar = Canvas(kBar);
    painter.begin(&bar);
    const QRectF rect(QPointF(0, 0), kBar);
    if (on) {
      Surface(painter, rect, 3, kAccents[0], kAccents[0].darker(160), kAccents[0].lighter(120));
    } else {
      Surface(painter, rect, 3, kRaisedLow, kBaseLow, kBorder);
    }
    painter.end();
    Save(bar, on ? "Bar1_E" : "Bar1_D");
  }

  // Slider ruler (groove) and thumb.
  QImage ruler = Canvas(kRuler);
  painter.begin(&ruler);
  Surface(painter, QRectF(QPointF(0, 0), kRuler), 4, kBaseLow, kBase, kBorder);
  painter.end();
  Save(ruler, "Slider_Ruler");

  QImage thumb = Canvas(kThumb);
  painter.begin(&thumb);
  Surface(painter, QRectF(QPointF(0, 0), kThumb), 4, kText, QColor(170, 176, 186),
          QColor(90, 96, 106));
  painter.fillRect(QRectF(4, 7, 6, 1), kRaisedLow);
  painter.fillRect(QRectF(4, 10, 6, 1), kRaisedLow);
  painter.fillRect(QRectF(4, 13, 6, 1), kRaisedLow);
  painter.end();
  Save(thumb, "Slider_Thumb");

  // Macro page buttons: three looks of the OK/Cancel family and four of the
  // record buttons (01 idle, 02 hover, 03 record ready, 04 recording).
  DrawButtonSet("MacroBtnS", kMacroButton, 6, 3);
  for (int index = 0; index < 4; ++index) {
    QImage image = Canvas(kMacroStart);
    painter.begin(&image);
    const QRectF rect(QPointF(0, 0), kMacroStart);
    ButtonFace(painter, rect, 6, index == 1 ? State::Hover : State::Idle, kAccents[0]);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor dot = index >= 2 ? QColor(230, 70, 70) : kMuted;
    painter.setBrush(index == 3 ? dot : dot.darker(index == 2 ? 100 : 130));
    painter.drawEllipse(QPointF(14, rect.center().y()), index == 3 ? 5 : 4, index == 3 ? 5 : 4);
    painter.end();
    Save(image, QString("MacroS_%1").arg(index + 1, 2, 10, QChar('0')));
  }

  // Insert panels' backgrounds.
  for (const QString& name : {QString("InsertDelayBase"), QString("InsertKeyBase")}) {
    QImage image = Canvas(kInsertBase);
    painter.begin(&image);
    Surface(painter, QRectF(QPointF(0, 0), kInsertBase), 8, kPanel, kPanelLow, kBorder);
    painter.fillRect(QRectF(12, 34, kInsertBase.width() - 24, 1), kBorder);
    painter.end();
    Save(image, name);
  }

  // Dialog background: shaped like the main window, see-through corners.
  QImage message(kMessage, QImage::Format_ARGB32_Premultiplied);
  message.fill(kSeeThrough);
  painter.begin(&message);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(QPointF(0, 0), kMessage), 12, 12);
  painter.fillPath(shape, Vertical(QRectF(QPointF(0, 0), kMessage), kPanel, kBaseLow));
  painter.fillRect(QRectF(12, 40, kMessage.width() - 24, 1), kBorder);
  painter.fillRect(QRectF(12, 40, 60, 1), kAccents[0]);
  painter.end();
  Save(message, "Msg");
}

// Gun silhouettes, drawn in a 120 x 50 box.
QPainterPath Gun(int gun) {
  QPainterPath path;
  auto poly = [&path](std::initializer_list<QPointF> points) {
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
  };
  auto box = [&path](qreal x, qreal y, qreal w, qreal h) { path.addRect(x, y, w, h); };
  switch (gun) {
    case 1:  // pistol
      poly({{20, 12}, {96, 12}, {98, 14}, {98, 23}, {20, 23}});
      box(30, 23, 50, 4);
      poly({{58, 27}, {74, 27}, {84, 47}, {67, 49}});
      poly({{46, 27}, {58, 27}, {58, 30}, {52, 35}, {46, 35}});
      break;
    case 2:  // submachine gun
      poly({{4, 16}, {20, 14}, {20, 26}, {4, 30}});
      box(20, 12, 62, 14);
      box(82, 17, 24, 5);
      poly({{46, 26}, {54, 26}, {56, 46}, {48, 46}});
      poly({{64, 26}, {72, 26}, {74, 40}, {66, 40}});
      break;
    case 3:  // assault rifle, curved magazine
      poly({{0, 16}, {26, 13}, {26, 26}, {2, 32}});
      box(26, 12, 44, 13);
      box(70, 14, 26, 9);
      box(96, 17, 22, 3);
      poly({{52, 25}, {61, 25}, {66, 44}, {57, 46}});
      poly({{34, 25}, {41, 25}, {43, 38}, {36, 38}});
      break;
    case 4:  // carbine with rail and straight magazine
      poly({{0, 14}, {20, 14}, {20, 26}, {0, 28}});
      box(20, 12, 44, 13);
      box(28, 8, 30, 4);
      box(64, 13, 32, 10);
      box(96, 17, 22, 3);
      box(48, 25, 9, 20);
      poly({{34, 25}, {41, 25}, {43, 38}, {36, 38}});
      break;
    case 5:  // sniper rifle with scope and bipod
      poly({{0, 18}, {30, 15}, {30, 26}, {6, 32}});
      box(30, 15, 36, 9);
      box(34, 5, 32, 6);
      box(40, 11, 4, 4);
      box(58, 11, 4, 4);
      box(66, 18, 54, 3);
      poly({{36, 24}, {42, 24}, {44, 36}, {38, 36}});
      poly({{96, 21}, {98, 21}, {92, 40}, {90, 40}});
      poly({{98, 21}, {100, 21}, {106, 40}, {104, 40}});
      break;
    case 6:  // pump shotgun
      poly({{0, 18}, {30, 14}, {30, 25}, {4, 32}});
      box(30, 13, 26, 11);
      box(56, 14, 62, 4);
      box(56, 19, 56, 3);
      box(66, 20, 24, 7);
      poly({{36, 24}, {42, 24}, {44, 36}, {38, 36}});
      break;
    default:  // light machine gun with box magazine and bipod
      poly({{0, 16}, {22, 13}, {22, 27}, {2, 32}});
      box(22, 11, 48, 15);
      box(32, 6, 22, 5);
      box(70, 15, 48, 4);
      box(42, 26, 22, 15);
      poly({{28, 26}, {34, 26}, {36, 38}, {30, 38}});
      poly({{96, 19}, {98, 19}, {92, 38}, {90, 38}});
      poly({{98, 19}, {100, 19}, {106, 38}, {104, 38}});
      break;
  }
  path.setFillRule(Qt::WindingFill);
  return path;
}

void DrawGuns() {
  for (int gun = 1; gun <= 7; ++gun) {
    for (const bool selected : {false, true}) {
      QImage image = Canvas(kGun);
      QPainter painter(&image);
      const QRectF rect(QPointF(0, 0), kGun);
      Surface(painter, rect, 8, selected ? kRaised : kPanel, selected ? kRaisedLow : kPanelLow,
              selected ? kAccents[0] : kBorder);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.translate(3, 10);
      painter.setPen(Qt::NoPen);
      painter.setBrush(selected ? kAccents[0] : QColor(150, 157, 168));
      painter.drawPath(Gun(gun));
      painter.end();
      Save(image, QString("Gun%1_%2").arg(gun).arg(selected ? "02" : "01"));
    }
  }
  // Fire modes: a recoil pattern per mode, as dots climbing the tile.
  for (int mode = 1; mode <= 5; ++mode) {
    QImage image = Canvas(kGunMode);
    QPainter painter(&image);
    Surface(painter, QRectF(QPointF(0, 0), kGunMode), 6, kPanel, kPanelLow, kBorder);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccents[0]);
    for (int shot = 0; shot < 6; ++shot) {
      const qreal drift = std::sin(shot * 0.9 + mode) * (mode * 1.6);
      painter.drawEllipse(QPointF(14 + shot * 10, 30 - shot * (1.5 + mode * 0.6) + drift * 0.3),
                          2.2, 2.2);
    }
    painter.end();
    Save(image, QString("GunMode%1").arg(mode));
  }
}

QRectF Rect(const ControlLayout* control, QSize fallback) {
  if (control == nullptr || !control->x || !control->y) {
    return {};
  }
  return QRectF(*control->x, *control->y, control->width.value_or(fallback.width()),
                fallback.height());
}

// Anchor of each mouse button on the top-down drawing (190 x 330, front up),
// chosen so that the leader lines from the markers do not cross each other.
const std::array<QPointF, 9> kButtonAnchors = {{
    {46, 50},    // 1 left
    {150, 60},   // 2 right
    {95, 86},    // 3 wheel
    {2, 148},    // 4 forward (left side, front)
    {2, 190},    // 5 back (left side, middle)
    {2, 232},    // 6 left side, rear
    {95, 110},   // 7 DPI
    {188, 168},  // 8 right side
    {95, 238},   // 9 profile
}};

// The drawing is scaled up to fill the page between the marker columns.
constexpr qreal kMouseScale = 1.25;
constexpr QPointF kMouseCentreTop(505, 140);
constexpr QSizeF kMouse(190, 330);

void DrawMouse(QPainter& painter, const QColor& accent) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath body;
  body.moveTo(95, 0);
  body.cubicTo(160, 0, 190, 56, 188, 140);
  body.cubicTo(186, 236, 172, 330, 95, 330);
  body.cubicTo(18, 330, 4, 236, 2, 140);
  body.cubicTo(0, 56, 30, 0, 95, 0);
  painter.setPen(QPen(QColor(92, 99, 110), 1.5));
  painter.setBrush(Vertical(QRectF(QPointF(0, 0), kMouse), QColor(52, 56, 63), QColor(22, 24, 28)));
  painter.drawPath(body);

  // Buttons: the split down the front and the curve that ends them.
  painter.setPen(QPen(QColor(12, 13, 15), 2));
  painter.drawLine(QPointF(95, 4), QPointF(95, 128));
  QPainterPath edge;
  edge.moveTo(12, 118);
  edge.quadTo(95, 146, 178, 118);
  painter.drawPath(edge);
  painter.setPen(QPen(kHighlight, 1));
  painter.drawLine(QPointF(96.5, 6), QPointF(96.5, 126));

  // Wheel with ribs, DPI button behind it, profile button on the palm.
  painter.setPen(QPen(QColor(10, 11, 13), 1));
  painter.setBrush(QColor(70, 76, 86));
  painter.drawRoundedRect(QRectF(86, 38, 18, 54), 8, 8);
  painter.setPen(QPen(QColor(40, 44, 50), 1));
  for (int rib = 0; rib < 8; ++rib) {
    painter.drawLine(QPointF(88, 44.5 + rib * 6), QPointF(102, 44.5 + rib * 6));
  }
  painter.setPen(QPen(QColor(10, 11, 13), 1));
  painter.setBrush(QColor(64, 70, 80));
  painter.drawRoundedRect(QRectF(87, 102, 16, 16), 4, 4);
  painter.drawRoundedRect(QRectF(84, 232, 22, 12), 5, 5);

  // Side buttons.
  painter.setBrush(QColor(58, 63, 72));
  painter.drawRoundedRect(QRectF(-3, 130, 10, 36), 4, 4);
  painter.drawRoundedRect(QRectF(-3, 172, 10, 36), 4, 4);
  painter.drawRoundedRect(QRectF(-3, 214, 10, 36), 4, 4);
  painter.drawRoundedRect(QRectF(183, 150, 10, 36), 4, 4);

  // Light strip around the rear and the logo mark.
  QPainterPath strip;
  strip.moveTo(30, 282);
  strip.quadTo(95, 318, 160, 282);
  painter.setBrush(Qt::NoBrush);
  QColor glow = accent;
  glow.setAlpha(70);
  painter.setPen(QPen(glow, 7, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(strip);
  painter.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(strip);
  painter.setPen(QPen(accent.darker(130), 1.5));
  painter.drawPolygon(QPolygonF({QPointF(95, 180), QPointF(107, 187), QPointF(107, 201),
                                 QPointF(95, 208), QPointF(83, 201), QPointF(83, 187)}));
  painter.restore();
}

// Page 1: the mouse seen from above with leader lines to the nine markers.
void DrawButtonPage(QPainter& painter, const SkinLayout& layout, QPointF pageOrigin,
                    const QColor& accent) {
  const QPointF mouseOrigin = kMouseCentreTop - QPointF(kMouse.width() * kMouseScale / 2, 0);
  painter.save();
  painter.translate(-pageOrigin);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.save();
  painter.translate(mouseOrigin);
  painter.scale(kMouseScale, kMouseScale);
  DrawMouse(painter, accent);
  painter.restore();
  for (int key = 1; key <= 9; ++key) {
    const QRectF marker = Rect(layout.Control("Key" + std::to_string(key)), kMarker);
    if (marker.isEmpty() || marker.x() > kBackground.width()) {
      continue;
    }
    const QPointF anchor = mouseOrigin + kButtonAnchors[static_cast<size_t>(key - 1)] * kMouseScale;
    const bool leftSide = marker.center().x() < anchor.x();
    const QPointF start(leftSide ? marker.right() - 6 : marker.left() + 6, marker.center().y());
    const QPointF elbow(leftSide ? marker.right() + 12 : marker.left() - 12, start.y());
    QColor line = accent;
    line.setAlpha(170);
    painter.setPen(QPen(line, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({start, elbow, anchor}));
    painter.setPen(QPen(accent, 1.5));
    painter.setBrush(QColor(12, 13, 15));
    painter.drawEllipse(anchor, 3.5, 3.5);
  }
  painter.restore();
}

// Section panels on the pages, in window coordinates. A titled panel has a
// rule under its title row; panels whose controls start at the top have none.
struct Section {
  int page;
  QRect rect;
  bool titled;
};

const auto kSections = std::to_array<Section>({
    {2, {24, 128, 496, 444}, true},
    {2, {564, 128, 404, 320}, true},
    {2, {564, 458, 404, 114}, true},
    {3, {24, 128, 490, 444}, false},
    {3, {524, 128, 444, 444}, true},
    // The macro panels carry no rules: the delay panel's title sits lower than
    // the lists' titles.
    {4, {24, 128, 252, 444}, false},
    {4, {280, 128, 320, 444}, false},
    {4, {610, 128, 358, 444}, false},
    {5, {24, 240, 944, 332}, false},
});

void DrawPages(const SkinLayout& layout, int skin) {
  const QColor accent = kAccents[static_cast<size_t>(skin - 1)];
  for (int page = 1; page <= 5; ++page) {
    QImage image = Canvas(kPage);
    QPainter painter(&image);
    const QRectF rect(QPointF(0, 0), kPage);
    Surface(painter, rect, 10, kPanel, kPanelLow, kBorder);
    const ControlLayout* place = layout.Control("Img_P" + std::to_string(page));
    const QPointF origin(place && place->x ? *place->x : 20, place && place->y ? *place->y : 108);
    for (const Section& section : kSections) {
      if (section.page != page) {
        continue;
      }
      const QRectF inner = QRectF(section.rect).translated(-origin);
      Surface(painter, inner, 8, kBase.lighter(112), kBase, kBorder);
      if (section.titled) {
        painter.fillRect(QRectF(inner.left() + 12, inner.top() + 34, inner.width() - 24, 1),
                         kBorder);
        painter.fillRect(QRectF(inner.left() + 12, inner.top() + 34, 48, 1), accent);
      }
    }
    if (page == 1) {
      DrawButtonPage(painter, layout, origin, accent);
    }
    painter.end();
    Save(image, QString("L%1_Back%2").arg(skin).arg(page));
  }
}

void DrawBackground(int skin) {
  const QColor accent = kAccents[static_cast<size_t>(skin - 1)];
  QImage image(kBackground, QImage::Format_ARGB32_Premultiplied);
  image.fill(kSeeThrough);
  QPainter painter(&image);
  const QRectF whole(QPointF(0, 0), kBackground);
  // No antialiasing on the outline: every pixel is either see-through maroon or
  // skin, so the shaped window gets no reddish fringe.
  QPainterPath shape;
  shape.addRoundedRect(whole, 16, 16);
  painter.fillPath(shape, Vertical(whole, QColor(30, 32, 37), kBaseLow));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipPath(shape);
  QRadialGradient glow(QPointF(120, 0), 520);
  QColor tint = accent;
  tint.setAlpha(28);
  glow.setColorAt(0, tint);
  glow.setColorAt(1, Qt::transparent);
  painter.fillRect(whole, glow);
  painter.setClipping(false);
  painter.setPen(QPen(kHighlight, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(whole.adjusted(1.5, 1.5, -1.5, -1.5), 15, 15);

  // Logo: a hexagon mark and the name.
  const QPointF mark(42, 34);
  QPolygonF hexagon;
  for (int corner = 0; corner < 6; ++corner) {
    const double angle = M_PI / 3 * corner + M_PI / 6;
    hexagon << mark + QPointF(14 * std::cos(angle), 14 * std::sin(angle));
  }
  painter.setPen(QPen(accent, 2));
  painter.drawPolygon(hexagon);
  painter.setBrush(accent);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(mark, 4, 4);
  painter.setPen(kText);
  painter.setFont(Font(22, true));
  painter.drawText(QPointF(66, 42), "ORBIC40");
  painter.setPen(kMuted);
  painter.setFont(Font(10));
  painter.drawText(QPointF(68, 56), "GAMING MOUSE");

  // Header and footer rules.
  painter.fillRect(QRectF(20, 103, kBackground.width() - 40, 1), QColor(8, 9, 11));
  painter.fillRect(QRectF(20, 104, kBackground.width() - 40, 1), kHighlight);
  QLinearGradient rule(QPointF(20, 0), QPointF(kBackground.width() - 20, 0));
  QColor fade = accent;
  fade.setAlpha(0);
  rule.setColorAt(0, fade);
  rule.setColorAt(0.5, accent);
  rule.setColorAt(1, fade);
  painter.fillRect(QRectF(20, 103, kBackground.width() - 40, 1), rule);
  painter.fillRect(QRectF(20, 592, kBackground.width() - 40, 1), QColor(8, 9, 11));
  painter.fillRect(QRectF(20, 593, kBackground.width() - 40, 1), kHighlight);
  painter.end();
  Save(image, QString("L%1_BackGround").arg(skin));
}

// The loading animation: a ring of dots with a bright head chasing round, on
// black (the loading window's see-through colour).
bool WriteWaitGif(const QString& path, const QColor& accent) {
  constexpr int kFrames = 12;
  constexpr int kShades = 32;
  constexpr int kDelayCs = 8;
  std::vector<GifColorType> colours;
  for (int shade = 0; shade < kShades; ++shade) {
    const double share = static_cast<double>(shade) / (kShades - 1);
    colours.push_back({static_cast<GifByteType>(accent.red() * share),
                       static_cast<GifByteType>(accent.green() * share),
                       static_cast<GifByteType>(accent.blue() * share)});
  }
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
  if (gif == nullptr) {
    return false;
  }
  ColorMapObject* map = GifMakeMapObject(kShades, colours.data());
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, kWait.width(), kWait.height(), 8, 0, map) == GIF_OK;
  // Loop for ever (NETSCAPE2.0 application extension).
  const GifByteType loop[] = {1, 0, 0};
  ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
       EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
       EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<size_t>(kWait.width()));
  for (int frame = 0; ok && frame < kFrames; ++frame) {
    QImage image(kWait, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF centre(kWait.width() / 2.0, kWait.height() / 2.0);
    for (int dot = 0; dot < kFrames; ++dot) {
      const int age = (frame - dot + kFrames) % kFrames;
      const double brightness = std::max(0.18, 1.0 - age * 0.16);
      const double angle = 2 * M_PI * dot / kFrames - M_PI / 2;
      painter.setBrush(QColor(static_cast<int>(accent.red() * brightness),
                              static_cast<int>(accent.green() * brightness),
                              static_cast<int>(accent.blue() * brightness)));
      painter.drawEllipse(centre + QPointF(52 * std::cos(angle), 52 * std::sin(angle)),
                          age == 0 ? 9.0 : 7.0, age == 0 ? 9.0 : 7.0);
    }
    painter.end();
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, kDelayCs, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
             GIF_OK &&
         EGifPutImageDesc(gif, 0, 0, kWait.width(), kWait.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < kWait.height(); ++y) {
      for (int x = 0; x < kWait.width(); ++x) {
        // The brightest channel of the accent tells how far along the ramp a pixel is.
        const QRgb pixel = image.pixel(x, y);
        const int channel = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
        const int peak = std::max({accent.red(), accent.green(), accent.blue()});
        line[static_cast<size_t>(x)] =
            static_cast<GifPixelType>(std::min(kShades - 1, channel * (kShades - 1) / peak));
      }
      ok = EGifPutLine(gif, line.data(), kWait.width()) == GIF_OK;
    }
  }
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  GifFreeMapObject(map);
  return ok;
}

std::optional<PictureSize> ArtSize(std::string_view picture) {
  if (picture == "BtnS_01") {
    return PictureSize{kActionButton.width(), kActionButton.height()};
  }
  if (picture == "SetS_01") {
    return PictureSize{kPageButton.width(), kPageButton.height()};
  }
  if (picture == "ExitS_01" || picture == "MiniS_01") {
    return PictureSize{kChrome.width(), kChrome.height()};
  }
  if (picture == "Bar1_D") {
    return PictureSize{kBar.width(), kBar.height()};
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: skin-art <org1.ini> <output folder> [<icon folder>]\n");
    return 2;
  }
  QFile layoutFile(argv[1]);
  if (!layoutFile.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "skin-art: cannot read %s\n", argv[1]);
    return 1;
  }
  const QByteArray text = layoutFile.readAll();
  SkinLayout layout;
  std::vector<std::string> problems;
  layout.Read(IniFile::Parse(std::string_view(text.constData(), static_cast<size_t>(text.size()))),
              "org1", ArtSize, problems);
  for (const std::string& problem : problems) {
    std::fprintf(stderr, "skin-art: layout: %s\n", problem.c_str());
  }
  g_outputFolder = argv[2];

  for (int skin = 1; skin <= 3; ++skin) {
    DrawBackground(skin);
    DrawPages(layout, skin);
  }
  DrawButtonSet("BtnS", kActionButton, 7, 3);
  DrawButtonSet("SetS", kPageButton, 8, 3);
  DrawChrome();
  DrawWeb();
  DrawMarkers();
  DrawChoices();
  DrawSmallParts();
  DrawGuns();
  if (!WriteWaitGif(g_outputFolder + "/WaitGif.gif", kAccents[0])) {
    std::fprintf(stderr, "skin-art: cannot write the loading animation\n");
    ++g_failures;
  }
  if (argc == 4 && !DrawAppIcons(argv[3], "io.github.orbic40.orbic40")) {
    ++g_failures;
  }
  return g_failures == 0 && problems.empty() ? 0 : 1;
}
