// Nearest-neighbour picture scaling that gives QPainter::drawImage's exact pixels, faster.
#pragma once

#include <functional>
#include <vector>

#include <QImage>
#include <QRect>

namespace orvane {

// Which source pixel a non-smooth, unrotated drawImage(target, picture, source) puts at
// each device pixel. It is measured by letting QPainter draw a picture of coordinate codes
// once per geometry, so it is exactly QPainter's choice whatever its rounding rules.
struct TScaleMap {
  bool Valid = false;         // the drawing was a plain separable copy into one rectangle
  QRect Covered;              // the device pixels drawImage writes
  std::vector<int> SourceX;   // source column of each covered column, left to right
  std::vector<int> SourceY;   // source row of each covered row, top to bottom
  int SourceLeft = 0;         // the least and the greatest of SourceX
  int SourceRight = -1;
  // Where SourceX steps by one column at a time, long enough to be copied as a block:
  // (first covered column, its source column, length); empty when scaling up.
  struct TRun {
    int Column, Source, Length;
  };
  std::vector<TRun> Runs;
};

// The map for a device (an RGB32 image) of the given size; the last few are kept, so
// only a new zoom, width factor or picture size measures again.
const TScaleMap& ScaleMapFor(QSize device, const QRect& target, QSize picture, const QRect& source);

// Gives the picture's row y, at least its columns SourceLeft .. SourceRight (indexed as in
// the picture); the pointer must stay valid until the next call.
using TSourceRow = std::function<const QRgb*(int y)>;

// What painter.drawImage(target, picture, source) on an image filled with fill gives, for an
// RGB32 image of the map's device size: the covered pixels from the picture's rows, the rest
// fill. Each source row is asked for and gathered once; rows that repeat it are copied.
void DrawScaled(QImage& image, const TSourceRow& sourceRow, const TScaleMap& map, QRgb fill);

}  // namespace orvane
