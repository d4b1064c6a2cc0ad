// Point markers of the 2D views stamped from shapes measured once with QPainter.
#pragma once

#include <optional>

#include <QImage>

#include "model/overlay_stamps.h"

namespace orvane {

enum class TMarkerShape { Square, Circle };

// A marker of half size h around its centre, as the views paint it with a one-pixel pen:
// the square as DrawViewRect(x - h, y - h, x + h, y + h), the circle as the ellipse in
// QRect(x - h, y - h, 2h - 1, 2h - 1). Outline holds the pen's pixels, Inside the
// brush's pixels that the pen leaves.
struct TMarkerStamp {
  TStamp Outline;
  TStamp Inside;
  int Reach = 0;  // no pixel lies further than this from the centre
};

// Measured on first use for each shape and size (h from 1 up; one set per thread).
const TMarkerStamp& MarkerStamp(TMarkerShape shape, int h);

// Paints the marker into an RGB32 image: the brush colour inside (none: left as it is),
// then the pen colour on the outline. False, with nothing drawn, when the marker would not
// lie wholly inside the image; the caller then paints it with QPainter, whose clipping at
// the image's edge a stamp need not reproduce.
bool StampMarker(QImage& image, const TMarkerStamp& stamp, int x, int y, QRgb pen, std::optional<QRgb> brush);

}  // namespace orvane
