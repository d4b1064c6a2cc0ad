// Shared 2D view drawing: grid and axis colours, markers, grid lines and the view background.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <span>

#include "model/grid_geometry.h"
#include "model/settings.h"
#include "model/types.h"
#include "model/view_transform.h"

namespace orvane {

// Kinds of GridPen: grid columns, grid rows, and a mode's own section lines.
enum TGridLineKind : int { glColumns = 0, glRows = 1, glModeLines = 2 };

// The colour of grid line n of a kind: the cap row, every 8th, 4th and 2nd line stand out.
QColor GridColour(int n, int kind, const TGridGeometry& grid);
void GridPen(int n, QPen& pen, int kind, const TGridGeometry& grid);
// The colour of grid point (i, j) by the same emphasis.
QColor GridPointColour(int i, int j, const TGridGeometry& grid);
void GridPointPen(int i, int j, QPen& pen, const TGridGeometry& grid);
// The colour of an axis half: X red, Y green, Z blue; bright or dark by the sign of value.
QColor AxisColour(int kind, double value);

// A one-pixel pen whose lines leave out their end pixel, as every view line does.
QPen ViewPen(const QColor& colour);

// Line from (x1, y1) towards (x2, y2), the end pixel left out.
void DrawViewLine(QPainter& painter, int x1, int y1, int x2, int y2);
// Rectangle covering x1 .. x2-1 and y1 .. y2-1 (corners in any order): outline with the
// painter's pen, inside with its brush.
void DrawViewRect(QPainter& painter, int x1, int y1, int x2, int y2);
// The 2P x 2P marker around (x, y), P = "Pointer Size", with the painter's pen and brush.
void MarkerRect(QPainter& painter, const TAppSettings& settings, int x, int y);
// A white dotted XOR rectangle between two corners; drawing it twice restores the image.
void DrawXorRect(QPainter& painter, int x1, int y1, int x2, int y2);

// The two axis lines of a view whose horizontal axis shows kind a in direction p and
// whose vertical axis shows kind b in direction q (p, q = +1 or -1).
void DrawAxes(QPainter& painter, const TAppSettings& settings, int a, int b, double p, double q);
// Silver grid lines every "Grid" levels; fx, fy move them onto the levels that a
// falling axis maps to round model values; r stretches the horizontal direction.
void DrawGridLines(QPainter& painter, const TAppSettings& settings, bool fx, bool fy, double r);

// What a mode shows behind its view.
struct TViewBackground {
  bool Show = false;          // a picture is loaded and switched on
  const QImage* A = nullptr;  // the picture shown outside the outlines (513 high)
  const QImage* B = nullptr;  // the dimmed picture shown inside them (same size as A)
  double WidthFactor = 1.0;
  bool FlagX = false;
  bool FlagY = false;
  std::span<const TDPoint> Outline1;  // in map levels
  std::span<const TDPoint> Outline2;  // in map levels, may be empty
};

// Sizes the view image for the zoom, margin and width factor, paints it white, the
// outlines (grey, or cut out of the pictures) and the grid lines. A picture pair that
// is not 513 high and equally sized is left out, as if none were loaded.
void DrawViewBackground(QImage& image, const TAppSettings& settings, const TViewBackground& background);

// True when a and b can be composited: both 513 high, equally sized, not empty.
bool UsableBackground(const QImage* a, const QImage* b);
inline constexpr int kBackgroundSide = 513;

}  // namespace orvane
