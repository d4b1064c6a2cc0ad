// The texture overlay's shapes as pixel spans, measured from QPainter itself.
#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

#include "model/grid_geometry.h"

namespace orvane {

// One run of covered pixels: row Y, columns X0 .. X1-1, relative to a shape's anchor.
struct TPixelSpan {
  int Y = 0;
  int X0 = 0;
  int X1 = 0;
};
using TStamp = std::vector<TPixelSpan>;

// Every shape the overlay draws for one texture geometry. Each is painted once with the
// overlay's own QPainter calls and read back, so that stamping it gives exactly the pixels
// QPainter would, at a fraction of the cost; non-antialiased drawing at whole-pixel
// positions is the same shape wherever it is put.
struct TOverlayStamps {
  TStamp ColumnLine;    // 2 wide, (x, 0) .. (x, H-1), anchored at x
  TStamp RowLine;       // 2 wide, (0, y) .. (W-1, y), anchored at y
  TStamp ColumnAccent;  // 3 wide, (x, 0) .. (x, H), anchored at x
  TStamp RowAccent;     // 3 wide, (0, y) .. (W, y), anchored at y
  TStamp LockDot;       // radius 6, anchored at its centre
  TStamp SelectDot;     // radius 5, anchored at its centre
  TStamp Labels;        // the grid labels, anchored at (0, 0)
};

// The stamps of the grid's texture size, measured on first use and kept for the next
// call with the same geometry and application font (one set per thread).
const TOverlayStamps& OverlayStamps(const TGridGeometry& grid);

// Writes the RGB32 colour, or 255 into a Grayscale8 alpha, over the stamp put at (x, y);
// whatever falls outside the image is left out.
void StampColour(QImage& image, const TStamp& stamp, int x, int y, QRgb colour);
void StampAlpha(QImage& alpha, const TStamp& stamp, int x, int y);

}  // namespace orvane
