// LATHE mode state: the view mapping, fitting the view to the profile, the read-out and the background.
#include "modes/lathe.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numbers>

#include "model/draw_helpers.h"
#include "model/image_files.h"
#include "model/marks.h"
#include "model/rounding.h"
#include "model/view_transform.h"

namespace orvane {

double LatheColumnAngle(int column, const TGridGeometry& grid) {
  const int steps = grid.ColumnCount - 1;
  return steps > 0 ? 2.0 * std::numbers::pi * column / steps : 0.0;
}

double LatheRadius(const TDbl3D& v) { return std::sqrt(v.X * v.X + v.Y * v.Y); }

void SetRadius(TDbl3D& target, const TDbl3D& source, double rho) {
  const double length = std::hypot(source.X, source.Y);
  if (length > 0 && std::isfinite(length)) {
    target.X = rho * (source.X / length);
    target.Y = rho * (source.Y / length);
  } else {
    target.X = rho;
    target.Y = 0.0;
  }
}

TLatheMode::TLatheMode(TModeContext context) : Context(context) { FillMarks(Sides, 1); }

int TLatheMode::ProfileColumn() const {
  const TGridGeometry& g = Context.Grid;
  const int column = g.LatheColumn;
  if (column >= 0 && column <= g.ColumnCount - 2) return column;
  return std::clamp(g.MidColumn, 0, std::max(0, g.ColumnCount - 2));
}

int TLatheMode::ViewX(double radius) const {
  const TViewMetrics m = ViewMetrics(Context.Settings);
  return RoundToInt((AxisOffset * ViewScale + radius * 127.0) * m.Zoom, -kViewPixelLimit, kViewPixelLimit) + m.Margin;
}

int TLatheMode::ViewY(double height) const { return ToViewRising(Context.Settings, height); }

double TLatheMode::RadiusAt(double x) const {
  const TViewMetrics m = ViewMetrics(Context.Settings);
  return ((x - m.Margin) / m.Zoom - AxisOffset * ViewScale) / 127.0;
}

double TLatheMode::HeightAt(double y) const { return FromViewRising(Context.Settings, y); }

void TLatheMode::FitLatheView(const TSculptData& model) {
  const TGridGeometry& g = Context.Grid;
  const int column = ProfileColumn();
  int best = 0;
  double bestRadius = 0.0;
  for (int k = 0; k < g.RowCount; ++k) {
    const double r = LatheRadius(model.Vertices[column][k]);
    if (r > bestRadius) {
      bestRadius = r;
      best = k;
    }
  }
  const TDbl3D& p = model.Vertices[column][best];
  double theta = LatheColumnAngle(column, g);
  if (p.X != 0) theta = std::atan2(p.Y, p.X);
  else if (p.Y > 0) theta = std::numbers::pi / 2;
  else if (p.Y < 0) theta = 3 * std::numbers::pi / 2;
  const double u = std::abs(std::cos(theta));
  const double w = std::abs(std::sin(theta));
  // Both are at least 1/sqrt(2) on the larger side, so the scale stays within 1 .. sqrt(2).
  const double d = u > w ? p.X : p.Y;
  ViewScale = 1.0 / (u > w ? u : w);
  if (!std::isfinite(ViewScale)) ViewScale = 1.0;
  AxisOffset = d > 0 ? 127 : 128;
}

std::pair<int, int> TLatheMode::LatheReadout(int x, int y) const {
  const TViewMetrics m = ViewMetrics(Context.Settings);
  constexpr int kLimit = 1 << 24;
  int h = RoundToInt((x - m.Margin) / (m.Zoom * ViewScale), -kLimit, kLimit);
  if (AxisOffset == 128) h = 255 - h;
  const int v = RoundToInt(static_cast<double>(y - m.Margin) / m.Zoom, -kLimit, kLimit);
  return {h, v};
}

bool TLatheMode::LoadLatheBackground(const QString& name, QString* reason) {
  QImage a, b;
  try {
    // The canvas is as wide as the widest view (sqrt 2); the picture is scaled to the current view.
    if (!LoadBackground(name, a, b, std::numbers::sqrt2, ViewScale, reason)) return false;
  } catch (const std::exception& e) {
    if (reason) *reason = QString::fromLocal8Bit(e.what());
    return false;
  }
  if (!UsableBackground(&a, &b)) {
    if (reason) *reason = QStringLiteral("the picture could not be prepared as a background");
    return false;
  }
  Background = std::move(a);
  BackgroundDim = std::move(b);
  BackgroundLoaded = true;
  BackgroundShown = true;
  return true;
}

}  // namespace orvane
