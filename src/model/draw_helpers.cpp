// Shared 2D view drawing: grid and axis colours, markers, grid lines and the view background.
#include "model/draw_helpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QPolygon>

#include "model/rounding.h"
#include "model/view_picture.h"

namespace orvane {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kMagenta(255, 0, 255);
const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);
const QColor kSilver(192, 192, 192);
const QColor kOutlineGrey(204, 204, 204);

int Mod(int a, int n) { return ((a % n) + n) % n; }

// Pixel coordinates of rounded products, kept well inside int.
int Pixel(double v) { return RoundToInt(v, -kViewPixelLimit, kViewPixelLimit); }

QPolygon OutlinePolygon(std::span<const TDPoint> outline, double scaleX, double offsetX, double scaleY,
                        double offsetY) {
  QPolygon polygon;
  polygon.reserve(static_cast<int>(outline.size()));
  for (const TDPoint& p : outline) polygon << QPoint(Pixel(p.X * scaleX + offsetX), Pixel(p.Y * scaleY + offsetY));
  return polygon;
}

}  // namespace

QColor GridColour(int n, int kind, const TGridGeometry& grid) {
  const bool mode = kind == glModeLines;
  if (kind == glRows && n == grid.CapRows) return kMagenta;
  if (Mod(n, 8) == 0) return kRed;
  if (Mod(n, 4) == 0) return mode ? kRed : kBlue;
  if (Mod(n, 2) == 0) return mode ? QColor(0, 153, 0) : kBlack;
  return mode ? QColor(0, 0, 153) : kGrey;
}

void GridPen(int n, QPen& pen, int kind, const TGridGeometry& grid) { pen.setColor(GridColour(n, kind, grid)); }

QColor GridPointColour(int i, int j, const TGridGeometry& grid) {
  if (Mod(i, 8) == 0 && j == grid.CapRows) return kMagenta;
  if (Mod(i, 8) == 0 && Mod(j, 8) == 0) return kRed;
  if (Mod(i, 4) == 0 && Mod(j, 4) == 0) return kBlue;
  if (Mod(i, 2) == 0 && Mod(j, 2) == 0) return kBlack;
  return kGrey;
}

void GridPointPen(int i, int j, QPen& pen, const TGridGeometry& grid) { pen.setColor(GridPointColour(i, j, grid)); }

QColor AxisColour(int kind, double value) {
  const bool positive = value > 0;
  switch (kind) {
    case 0: return positive ? QColor(255, 0, 0) : QColor(153, 0, 0);
    case 1: return positive ? QColor(0, 153, 0) : QColor(0, 255, 0);
    case 2: return positive ? QColor(0, 0, 255) : QColor(0, 0, 153);
    default: return QColor(255, 255, 255);
  }
}

QPen ViewPen(const QColor& colour) {
  QPen pen(colour);
  pen.setWidth(1);
  pen.setCapStyle(Qt::FlatCap);  // a flat-capped one-pixel line stops before its end point
  return pen;
}

void DrawViewLine(QPainter& painter, int x1, int y1, int x2, int y2) {
  if (x1 == x2 && y1 == y2) return;  // an empty line draws nothing
  // Qt leaves out the pixel at the larger coordinate whichever end it is, so a line
  // drawn right to left or upwards is shifted by one to leave out its end instead.
  if (y1 == y2) {
    if (x2 > x1) painter.drawLine(x1, y1, x2, y2);
    else painter.drawLine(x2 + 1, y1, x1 + 1, y2);
    return;
  }
  if (x1 == x2) {
    if (y2 > y1) painter.drawLine(x1, y1, x2, y2);
    else painter.drawLine(x1, y2 + 1, x2, y1 + 1);
    return;
  }
  // Slanted lines: Bresenham's pixels from the start, the end pixel left out.
  QPolygon pixels;
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int stepX = x1 < x2 ? 1 : -1, stepY = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (int x = x1, y = y1; x != x2 || y != y2;) {
    pixels << QPoint(x, y);
    const int twice = 2 * error;
    if (twice >= dy) { error += dy; x += stepX; }
    if (twice <= dx) { error += dx; y += stepY; }
  }
  painter.drawPoints(pixels);
}

void DrawViewRect(QPainter& painter, int x1, int y1, int x2, int y2) {
  const int left = std::min(x1, x2), right = std::max(x1, x2);
  const int top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (right - left < 1 || bottom - top < 1) return;
  if (painter.pen().style() == Qt::NoPen) {
    painter.fillRect(QRect(left, top, right - left, bottom - top), painter.brush());
    return;
  }
  // A stroked QRect covers one pixel more than its size in each direction.
  painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void MarkerRect(QPainter& painter, const TAppSettings& settings, int x, int y) {
  const int p = ViewMetrics(settings).PointerSize;
  DrawViewRect(painter, x - p, y - p, x + p, y + p);
}

void DrawXorRect(QPainter& painter, int x1, int y1, int x2, int y2) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  QPen pen = ViewPen(Qt::white);
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  DrawViewRect(painter, x1, y1, x2, y2);
  painter.restore();
}

void DrawAxes(QPainter& painter, const TAppSettings& settings, int a, int b, double p, double q) {
  const TViewMetrics m = ViewMetrics(settings);
  const int e = 256 * m.Zoom + 1 + 2 * m.Margin;
  // Each line splits at its own coordinate: the vertical one at height x, the
  // horizontal one at width y.
  const int x = (p > 0 ? 127 : 128) * m.Zoom + m.Margin;
  painter.setPen(ViewPen(AxisColour(b, q)));
  DrawViewLine(painter, x, 0, x, x);
  painter.setPen(ViewPen(AxisColour(b, -q)));
  DrawViewLine(painter, x, x, x, e);
  const int y = (q > 0 ? 127 : 128) * m.Zoom + m.Margin;
  painter.setPen(ViewPen(AxisColour(a, p)));
  DrawViewLine(painter, 0, y, y, y);
  painter.setPen(ViewPen(AxisColour(a, -p)));
  DrawViewLine(painter, y, y, e, y);
}

void DrawGridLines(QPainter& painter, const TAppSettings& settings, bool fx, bool fy, double r) {
  const TViewMetrics m = ViewMetrics(settings);
  const int g = m.Grid;
  if (g <= 0) return;
  r = ViewWidthFactor(r);
  const int z = m.Zoom, margin = m.Margin;
  const int right = Pixel(255.0 * z * r) + margin + 1;
  const int bottom = 255 * z + margin + 1;
  // Unflagged lines sit one level early, where a rising axis puts round model values.
  const int dx = (g == 1 || fx) ? 0 : -1;
  const int dy = (g == 1 || fy) ? 0 : -1;
  painter.setPen(ViewPen(kSilver));
  const auto vertical = [&](int x) { DrawViewLine(painter, x, margin, x, bottom); };
  const auto horizontal = [&](int y) { DrawViewLine(painter, margin, y, right, y); };
  vertical(margin);
  horizontal(margin);
  for (int k = 1; k <= 255 / g; ++k) {
    vertical(Pixel(static_cast<double>(g * k + dx) * z * r) + margin);
    horizontal((g * k + dy) * z + margin);
  }
  vertical(Pixel(255.0 * z * r) + margin);
  horizontal(255 * z + margin);
}

bool UsableBackground(const QImage* a, const QImage* b) {
  return a != nullptr && b != nullptr && !a->isNull() && a->height() == kBackgroundSide && a->size() == b->size();
}

namespace {

// The outlines' mask in the pictures' own pixels (black inside) and the part of the pictures
// the view shows.
struct TPictureLayers {
  QImage A, B, Mask;
  QRect Source;
};

TPictureLayers PictureLayers(const TViewBackground& background, double r) {
  TPictureLayers layers;
  layers.A = background.A->convertToFormat(QImage::Format_RGB32);
  layers.B = background.B->convertToFormat(QImage::Format_RGB32);
  const int p = layers.A.width();
  constexpr double s = 512.0 / 255.0;  // map level 255 is the picture's last pixel
  const bool square = p == kBackgroundSide;
  const int o = square ? 0 : static_cast<int>(RoundHalfEven(p - kBackgroundSide * r)) / 2;

  layers.Mask = QImage(p, kBackgroundSide, QImage::Format_RGB32);
  layers.Mask.fill(Qt::white);
  {
    QPainter shapes(&layers.Mask);
    shapes.setRenderHint(QPainter::Antialiasing, false);
    shapes.setPen(ViewPen(kBlack));
    shapes.setBrush(kBlack);
    const double scaleX = square ? s : r * s;
    for (auto outline : {background.Outline1, background.Outline2})
      if (!outline.empty()) shapes.drawPolygon(OutlinePolygon(outline, scaleX, o, s, 0.0));
  }
  layers.Source = square ? QRect(0, 0, kBackgroundSide, kBackgroundSide)
                         : QRect(QPoint(o, 0), QPoint(p - o - 1, kBackgroundSide - 1));
  return layers;
}

// The white view with the composited pictures scaled into it.
void DrawPicture(QImage& image, const QRect& target, const TPictureLayers& layers) {
  // A width factor far below the picture's leaves no source columns: nothing to copy.
  if (layers.Source.width() <= 0) image.fill(Qt::white);
  else DrawCompositePicture(image, target, layers.Mask, layers.A, layers.B, layers.Source);
}

}  // namespace

void DrawViewBackground(QImage& image, const TAppSettings& settings, const TViewBackground& background) {
  const TViewMetrics m = ViewMetrics(settings);
  const int z = m.Zoom, margin = m.Margin;
  const double r = ViewWidthFactor(background.WidthFactor);
  const int stretched = Pixel(255.0 * z * r);
  const int w = stretched + 2 * margin + 1;
  const int h = 255 * z + 2 * margin + 1;
  if (image.width() != w || image.height() != h || image.format() != QImage::Format_RGB32)
    image = QImage(w, h, QImage::Format_RGB32);

  const bool picture = background.Show && UsableBackground(background.A, background.B);
  if (picture) {
    const TPictureLayers layers = PictureLayers(background, r);
    DrawPicture(image, QRect(margin, margin, stretched + 1, 255 * z + 1), layers);
  } else {
    image.fill(Qt::white);
  }
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (!picture) {
    painter.setPen(ViewPen(kOutlineGrey));
    painter.setBrush(kOutlineGrey);
    for (auto outline : {background.Outline1, background.Outline2})
      if (!outline.empty()) painter.drawPolygon(OutlinePolygon(outline, z * r, margin, z, margin));
  }
  painter.setBrush(Qt::NoBrush);
  DrawGridLines(painter, settings, background.FlagX, background.FlagY, r);
}

}  // namespace orvane
