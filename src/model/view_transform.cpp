// Mapping between model coordinates and 2D view pixels, marker sizes and hit squares.
#include "model/view_transform.h"

#include <algorithm>
#include <cmath>

#include "model/rounding.h"

namespace orvane {

TViewMetrics ViewMetrics(const TAppSettings& settings) {
  return TViewMetrics{std::clamp(settings.Zoom, 2, 8), std::clamp(settings.Margin, 0, 100),
                      std::clamp(settings.PointerSize, 1, 20), std::clamp(settings.Grid, 0, 8)};
}

double ViewWidthFactor(double r) {
  if (!std::isfinite(r)) return 1.0;
  return std::clamp(r, 0.0, 8.0);
}

int ToViewRising(const TAppSettings& settings, double v) {
  const TViewMetrics m = ViewMetrics(settings);
  return RoundToInt((127.0 * v + 127.0) * m.Zoom, -kViewPixelLimit, kViewPixelLimit) + m.Margin;
}

int ToViewFalling(const TAppSettings& settings, double v) {
  const TViewMetrics m = ViewMetrics(settings);
  return RoundToInt((128.0 - 127.0 * v) * m.Zoom, -kViewPixelLimit, kViewPixelLimit) + m.Margin;
}

double FromViewRising(const TAppSettings& settings, double p) {
  const TViewMetrics m = ViewMetrics(settings);
  return ((p - m.Margin) / m.Zoom - 127.0) / 127.0;
}

double FromViewFalling(const TAppSettings& settings, double p) {
  const TViewMetrics m = ViewMetrics(settings);
  return (128.0 - (p - m.Margin) / m.Zoom) / 127.0;
}

int MarkerSize(const TAppSettings& settings) {
  const TViewMetrics m = ViewMetrics(settings);
  return m.Zoom > 2 * m.PointerSize ? m.Zoom / 2 : m.PointerSize;
}

bool InSquare(int px, int py, int cx, int cy, int h) {
  // 64-bit so that extreme pixels cannot overflow the bounds.
  const long long x = px, y = py, l = cx, t = cy, d = h;
  return l - d <= x && x <= l + d && t - d <= y && y <= t + d;
}

std::array<int, 3> VertexLevels(const TVertexGrid& vertices, int column, int row) {
  if (column < 0 || column >= kGridCapacity || row < 0 || row >= kGridCapacity) return {127, 127, 127};
  const TDbl3D& v = vertices[column][row];
  std::array<int, 3> levels{};
  // Stored vertices stay within -1 .. 128/127; anything else still shows as 0 .. 255,
  // and a non-finite coordinate shows where ClampVertices would put it (0, level 127).
  for (int axis = 0; axis < 3; ++axis)
    levels[axis] = std::isfinite(v[axis]) ? RoundToInt(127.0 * v[axis] + 127.0, 0, 255) : 127;
  return levels;
}

}  // namespace orvane
