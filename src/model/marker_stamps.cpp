// Marker stamps: each shape and size painted once with QPainter and read back as spans.
#include "model/marker_stamps.h"

#include <cstdlib>
#include <map>
#include <utility>

#include <QPainter>

#include "model/draw_helpers.h"

namespace orvane {

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kPen = qRgb(0, 0, 0);
const QRgb kBrush = qRgb(255, 0, 0);

// The spans of the pixels of one colour, relative to the anchor.
TStamp SpansOf(const QImage& scratch, QRgb colour, int anchor) {
  TStamp stamp;
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = 0; x < scratch.width();) {
      if (line[x] != colour) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < scratch.width() && line[x] == colour) ++x;
      stamp.push_back({y - anchor, start - anchor, x - anchor});
    }
  }
  return stamp;
}

int ReachOf(const TStamp& stamp) {
  int reach = 0;
  for (const TPixelSpan& s : stamp) reach = std::max({reach, std::abs(s.Y), std::abs(s.X0), std::abs(s.X1 - 1)});
  return reach;
}

TMarkerStamp Measure(TMarkerShape shape, int h) {
  const int o = h + 4;  // the centre, with room on every side
  QImage scratch(2 * o + 1, 2 * o + 1, QImage::Format_RGB32);
  scratch.fill(kWhite);
  {
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(ViewPen(QColor(kPen)));
    painter.setBrush(QColor(kBrush));
    if (shape == TMarkerShape::Square) DrawViewRect(painter, o - h, o - h, o + h, o + h);
    else painter.drawEllipse(QRect(o - h, o - h, 2 * h - 1, 2 * h - 1));
  }
  TMarkerStamp stamp;
  stamp.Outline = SpansOf(scratch, kPen, o);
  stamp.Inside = SpansOf(scratch, kBrush, o);
  stamp.Reach = std::max(ReachOf(stamp.Outline), ReachOf(stamp.Inside));
  return stamp;
}

void Paint(QImage& image, const TStamp& stamp, int x, int y, QRgb colour) {
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (const TPixelSpan& s : stamp) {
    auto* line = reinterpret_cast<QRgb*>(bits + (y + s.Y) * stride);
    std::fill(line + x + s.X0, line + x + s.X1, colour);
  }
}

}  // namespace

const TMarkerStamp& MarkerStamp(TMarkerShape shape, int h) {
  thread_local std::map<std::pair<int, int>, TMarkerStamp> cache;
  const std::pair<int, int> key(static_cast<int>(shape), h);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, Measure(shape, h)).first;
  return it->second;
}

bool StampMarker(QImage& image, const TMarkerStamp& stamp, int x, int y, QRgb pen, std::optional<QRgb> brush) {
  const long long r = stamp.Reach;
  if (image.format() != QImage::Format_RGB32 || x - r < 0 || y - r < 0 || x + r >= image.width() ||
      y + r >= image.height())
    return false;
  if (brush) Paint(image, stamp.Inside, x, y, *brush);
  Paint(image, stamp.Outline, x, y, pen);
  return true;
}

}  // namespace orvane
