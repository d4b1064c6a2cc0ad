// Mapping between model coordinates and 2D view pixels, marker sizes and hit squares.
#pragma once

#include <array>

#include "model/heap_grid.h"
#include "model/settings.h"

namespace orvane {

// The view settings as the drawing code uses them: each one clamped into its legal
// range at every call, so a hand-built settings struct can never divide by zero.
struct TViewMetrics {
  int Zoom = 2;         // view pixels per map level, 2 .. 8
  int Margin = 10;      // pixels before level 0, 0 .. 100
  int PointerSize = 3;  // half size of a point marker, 1 .. 20
  int Grid = 0;         // grid spacing in map levels, 0 .. 8 (0 = none)
};
TViewMetrics ViewMetrics(const TAppSettings& settings);

// A horizontal width factor as the views use it: non-finite gives 1 (a square view),
// negative gives 0, and anything above 8 gives 8.
double ViewWidthFactor(double r);

// Model coordinate to view pixel, for an axis that grows to the right or downwards
// (rising) or one drawn upwards (falling). Results are clamped to +-kViewPixelLimit.
inline constexpr int kViewPixelLimit = 1 << 24;
int ToViewRising(const TAppSettings& settings, double v);
int ToViewFalling(const TAppSettings& settings, double v);
// View pixel back to a model coordinate (exact inverse of the unrounded mapping).
double FromViewRising(const TAppSettings& settings, double p);
double FromViewFalling(const TAppSettings& settings, double p);

// Half size of the point markers: large zooms grow them past the pointer size.
int MarkerSize(const TAppSettings& settings);

// True when (px, py) lies in the square of half size h around (cx, cy), edges included.
bool InSquare(int px, int py, int cx, int cy, int h);

// The rising levels 0 .. 255 of a vertex's X, Y and Z; an index outside the grid's
// capacity reads as the origin (127, 127, 127).
std::array<int, 3> VertexLevels(const TVertexGrid& vertices, int column, int row);

}  // namespace orvane
