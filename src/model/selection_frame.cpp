// The selection frame: hit test and drawing of its handles, and the transforms of a handle drag.
#include "model/selection_frame.h"

#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPolygon>

#include "model/draw_helpers.h"
#include "model/rounding.h"
#include "model/view_transform.h"

namespace orvane {
namespace {

// Below this a box side counts as zero: scaling by it would divide by (almost) nothing.
constexpr double kTinySide = 1e-12;

int Midpoint(int a, int b) { return RoundToInt((static_cast<double>(a) + b) / 2.0, -kViewPixelLimit, kViewPixelLimit); }

// num / den as a scale factor; a vanishing side or a non-finite quotient keeps the scale 1.
double ScaleFactor(double num, double den) {
  if (!(std::abs(den) >= kTinySide)) return 1.0;
  const double f = num / den;
  return std::isfinite(f) ? f : 1.0;
}

// A transformed coordinate that overflowed or met a NaN falls back to the untransformed one.
double Finite(double v, double fallback) {
  if (std::isfinite(v)) return v;
  return std::isfinite(fallback) ? fallback : 0.0;
}

}  // namespace

int FrameHitTest(const TAppSettings& settings, const TFramePixels& f, int mx, int my) {
  const long long p = ViewMetrics(settings).PointerSize;
  const long long x0 = f.X[0], x3 = f.X[3], y0 = f.Y[0], y3 = f.Y[3];
  const long long x = mx, y = my;
  const auto near = [&](int cx, int cy) { return InSquare(mx, my, cx, cy, static_cast<int>(p)); };

  if (x < x0 - 3 * p || x - 3 * p > x3 || y + 3 * p < y0 || y > y3 + 3 * p) return near(f.CX, f.CY) ? fhPivot : fhNone;

  // Corner handles only when the pivot is off corner 0 in both directions.
  if (f.X[0] != f.CX && f.CY != f.Y[0]) {
    if (near(f.X[3], f.Y[3])) return fhCorner3;
    if (near(f.X[0], f.Y[0])) return fhCorner0;
    if (near(f.X[2], f.Y[2])) return fhCorner2;
    if (near(f.X[1], f.Y[1])) return fhCorner1;
  }
  const bool tall = y3 != y0 && std::llabs(y0 - y3) > 6 * p;
  if (tall) {
    if (near(Midpoint(f.X[2], f.X[0]), Midpoint(f.Y[0], f.Y[2]))) return fhEdgeTop;
    if (near(Midpoint(f.X[1], f.X[3]), Midpoint(f.Y[1], f.Y[3]))) return fhEdgeBottom;
  }
  const bool wide = x0 != x3 && std::llabs(x0 - x3) > 6 * p;
  if (wide) {
    if (near(Midpoint(f.X[1], f.X[0]), Midpoint(f.Y[0], f.Y[1]))) return fhEdgeLeft;
    if (near(Midpoint(f.X[2], f.X[3]), Midpoint(f.Y[2], f.Y[3]))) return fhEdgeRight;
  }
  if ((tall || wide) && near(f.CX, f.CY)) return fhPivot;
  if (x0 - p <= x && x <= x3 + p && y0 - p <= y && y <= y3 + p) return fhInside;
  // The ring: a box of one point has nothing to rotate, so it moves instead.
  return (x0 == x3 && y3 == y0) ? fhInside : fhRotate;
}

void DrawFrame(QPainter& painter, const TAppSettings& settings, const TFramePixels& f) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen box(QColor(128, 128, 128));
  box.setWidth(3);
  box.setCapStyle(Qt::RoundCap);
  box.setJoinStyle(Qt::RoundJoin);
  painter.setPen(box);
  painter.setBrush(Qt::NoBrush);
  QPolygon outline;
  for (int c : {0, 1, 3, 2}) outline << QPoint(f.X[c], f.Y[c]);
  painter.drawPolygon(outline);

  painter.setPen(ViewPen(Qt::black));
  MarkerRect(painter, settings, f.CX, f.CY);

  painter.setBrush(Qt::white);
  static constexpr int kEdges[4][2] = {{0, 1}, {1, 3}, {3, 2}, {2, 0}};
  for (const auto& e : kEdges)
    MarkerRect(painter, settings, Midpoint(f.X[e[0]], f.X[e[1]]), Midpoint(f.Y[e[0]], f.Y[e[1]]));
  for (int c = 0; c < 4; ++c) MarkerRect(painter, settings, f.X[c], f.Y[c]);
  painter.restore();
}

double FrameAngle(double px, double py, double cx, double cy) {
  if (px == cx) return py >= cy ? std::numbers::pi / 2 : -std::numbers::pi / 2;
  return std::atan2(py - cy, px - cx);
}

TFrameMatrix FrameHandleMatrix(const TSculptData& model, int code, double sx, double sy, double x, double y) {
  const TSelectionFrame& b = model.BaseFrame;
  const double w = b.X[3] - b.X[0];
  const double h = b.Y[3] - b.Y[0];
  TFrameMatrix m;
  // Codes 1 .. 8: each direction is scaled about the far side (X[3] or Y[3]), about
  // the near side (X[0] or Y[0]), or not at all (then the pivot is the near side).
  enum Side { kNone, kAboutNear, kAboutFar };
  static constexpr Side kScale[8][2] = {
      {kAboutFar, kAboutFar},  {kAboutFar, kAboutNear}, {kAboutNear, kAboutFar}, {kAboutNear, kAboutNear},
      {kNone, kAboutFar},      {kNone, kAboutNear},     {kAboutFar, kNone},      {kAboutNear, kNone}};
  if (code >= fhCorner0 && code <= fhEdgeRight) {
    const Side sideX = kScale[code - 1][0], sideY = kScale[code - 1][1];
    if (sideX != kNone) m.M00 = sideX == kAboutFar ? ScaleFactor(b.X[3] - x, w) : ScaleFactor(x - b.X[0], w);
    if (sideY != kNone) m.M11 = sideY == kAboutFar ? ScaleFactor(b.Y[3] - y, h) : ScaleFactor(y - b.Y[0], h);
    m.PivotX = sideX == kAboutFar ? b.X[3] : b.X[0];
    m.PivotY = sideY == kAboutFar ? b.Y[3] : b.Y[0];
    return m;
  }
  if (code != fhRotate) return m;  // any other code moves nothing
  // The angles are measured about the live pivot, the turn applied about the base one.
  const TSelectionFrame& f = model.Frame;
  double theta = FrameAngle(x, y, f.CentreX, f.CentreY) - FrameAngle(sx, sy, f.CentreX, f.CentreY);
  if (!std::isfinite(theta)) theta = 0.0;
  m.M00 = std::cos(theta);
  m.M01 = -std::sin(theta);
  m.M10 = std::sin(theta);
  m.M11 = std::cos(theta);
  m.PivotX = b.CentreX;
  m.PivotY = b.CentreY;
  return m;
}

TCornerDeform FrameCornerDeform(const TSculptData& model, int code, double x, double y) {
  const TSelectionFrame& b = model.BaseFrame;
  // Per code: the pivot corner and the corners that give the edge lengths in x and y.
  int pivot = 0, edgeX = 0, edgeY = 0;
  switch (code) {
    case fhFreeCorner0: pivot = 3; edgeX = 1; edgeY = 2; break;
    case fhFreeCorner1: pivot = 2; edgeX = 0; edgeY = 3; break;
    case fhFreeCorner2: pivot = 1; edgeX = 3; edgeY = 0; break;
    case fhFreeCorner3: pivot = 0; edgeX = 2; edgeY = 1; break;
    default: return TCornerDeform{};
  }
  TCornerDeform k;
  k.PivotX = b.X[pivot];
  k.PivotY = b.Y[pivot];
  k.EdgeX = b.X[edgeX] - b.X[pivot];
  k.EdgeY = b.Y[edgeY] - b.Y[pivot];
  k.MoveX = x - k.PivotX;
  k.MoveY = y - k.PivotY;
  // A mouse position that is not a number leaves the corner where it was.
  if (!std::isfinite(k.MoveX)) k.MoveX = k.EdgeX;
  if (!std::isfinite(k.MoveY)) k.MoveY = k.EdgeY;
  return k;
}

TDPoint ApplyFrameMatrix(const TFrameMatrix& m, double x, double y) {
  const double dx = x - m.PivotX;
  const double dy = y - m.PivotY;
  return TDPoint{Finite(m.M00 * dx + m.M01 * dy + m.PivotX, x), Finite(m.M10 * dx + m.M11 * dy + m.PivotY, y)};
}

TDPoint ApplyCornerDeform(const TCornerDeform& k, double x, double y) {
  const double e = k.EdgeX * k.EdgeY;
  if (!(std::abs(e) >= kTinySide)) return TDPoint{Finite(x, 0.0), Finite(y, 0.0)};
  const double dx = x - k.PivotX;
  const double dy = y - k.PivotY;
  return TDPoint{Finite(k.PivotX + (e - k.EdgeX * dy + k.MoveX * dy) * dx / e, x),
                 Finite(k.PivotY + (e - k.EdgeY * dx + k.MoveY * dx) * dy / e, y)};
}

}  // namespace orvane
