#include "AppIcon.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

// Shapes are laid out on a 256-unit square, the SVG's view box.
constexpr double kUnits = 256;
constexpr std::array<int, 6> kPngSizes = {16, 32, 48, 64, 128, 256};

const QColor kTile(0x18, 0x1B, 0x20);
const QColor kBody(0x2C, 0x33, 0x3D);
const QColor kAccent(0x3F, 0xA9, 0xD8);

struct Shape {
  QPainterPath path;
  QColor fill;       // invalid: not filled
  QColor stroke;     // invalid: no outline
  double width = 0;  // outline width in units
};

QPainterPath RoundedRect(double x, double y, double w, double h, double r) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, w, h), r, r);
  return path;
}

QPainterPath Line(QPointF from, QPointF to) {
  QPainterPath path(from);
  path.lineTo(to);
  return path;
}

// A dark tile holding the mouse seen from above: body, the split between the
// two buttons and the wheel, in the skin's accent colour.
std::vector<Shape> IconShapes() {
  return {
      {RoundedRect(8, 8, 240, 240, 52), kTile, QColor(), 0},
      {RoundedRect(74, 30, 108, 196, 54), kBody, kAccent, 12},
      {Line({128, 34}, {128, 104}), QColor(), kAccent, 10},
      {Line({78, 104}, {178, 104}), QColor(), kAccent, 10},
      {RoundedRect(116, 54, 24, 36, 12), kAccent, QColor(), 0},
      {RoundedRect(104, 186, 48, 10, 5), kAccent, QColor(), 0},
  };
}

QString Number(double value) {
  return QString::number(value, 'g', 6);
}

QString SvgPathData(const QPainterPath& path) {
  QString data;
  QPointF start;
  QPointF last;
  // A subpath that ends where it started is closed, so its outline joins there.
  const auto closeIfBack = [&] {
    if (!data.isEmpty() && last == start) {
      data += "Z";
    }
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (!e.isCurveTo()) {
      last = QPointF(e.x, e.y);
    }
    if (e.isMoveTo()) {
      closeIfBack();
      start = last;
      data += "M" + Number(e.x) + " " + Number(e.y);
    } else if (e.isLineTo()) {
      data += "L" + Number(e.x) + " " + Number(e.y);
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      const QPainterPath::Element c2 = path.elementAt(i + 1);
      const QPainterPath::Element end = path.elementAt(i + 2);
      data += "C" + Number(e.x) + " " + Number(e.y) + " " + Number(c2.x) + " " + Number(c2.y) +
              " " + Number(end.x) + " " + Number(end.y);
      last = QPointF(end.x, end.y);
      i += 2;
    }
  }
  closeIfBack();
  return data;
}

QString SvgColour(const QColor& colour) {
  return colour.isValid() ? colour.name() : QString("none");
}

bool WriteSvg(const QString& path, const std::vector<Shape>& shapes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return false;
  }
  QTextStream out(&file);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
         "viewBox=\"0 0 256 256\">\n";
  for (const Shape& shape : shapes) {
    out << "  <path d=\"" << SvgPathData(shape.path) << "\" fill=\"" << SvgColour(shape.fill)
        << "\"";
    if (shape.stroke.isValid()) {
      out << " stroke=\"" << SvgColour(shape.stroke) << "\" stroke-width=\"" << Number(shape.width)
          << "\" stroke-linecap=\"round\"";
    }
    out << "/>\n";
  }
  out << "</svg>\n";
  out.flush();
  return out.status() == QTextStream::Ok && file.error() == QFile::NoError;
}

QImage Render(int size, const std::vector<Shape>& shapes) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = size / kUnits;
  painter.scale(scale, scale);
  for (const Shape& shape : shapes) {
    // Outlines keep at least one device pixel, so the small sizes still show them.
    const QPen pen = shape.stroke.isValid() ? QPen(shape.stroke, std::max(shape.width, 1.0 / scale),
                                                   Qt::SolidLine, Qt::RoundCap)
                                            : QPen(Qt::NoPen);
    painter.setPen(pen);
    painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
    painter.drawPath(shape.path);
  }
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

bool DrawAppIcons(const QString& folder, const QString& appId) {
  const std::vector<Shape> shapes = IconShapes();
  bool ok = true;
  for (const int size : kPngSizes) {
    const QString dir = QString("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
    const QString path = dir + "/" + appId + ".png";
    if (!QDir().mkpath(dir) || !Render(size, shapes).save(path, "PNG")) {
      std::fprintf(stderr, "skin-art: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  const QString dir = folder + "/hicolor/scalable/apps";
  const QString path = dir + "/" + appId + ".svg";
  if (!QDir().mkpath(dir) || !WriteSvg(path, shapes)) {
    std::fprintf(stderr, "skin-art: cannot write %s\n", qPrintable(path));
    ok = false;
  }
  return ok;
}
