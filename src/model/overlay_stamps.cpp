// Overlay stamps: each shape painted once on a scratch picture and read back as spans.
#include "model/overlay_stamps.h"

#include <algorithm>
#include <functional>

#include <QFont>
#include <QPainter>

#include "model/grid_labels.h"

namespace orvane {

namespace {

// Room around a measured shape, so that nothing of it is clipped on the scratch picture.
constexpr int kPad = 16;
const QRgb kWhite = qRgb(255, 255, 255);

// The spans of every pixel that is no longer white, relative to the anchor.
TStamp ReadSpans(const QImage& scratch, int anchorX, int anchorY) {
  TStamp stamp;
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = 0; x < scratch.width();) {
      if (line[x] == kWhite) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < scratch.width() && line[x] != kWhite) ++x;
      stamp.push_back({y - anchorY, start - anchorX, x - anchorX});
    }
  }
  return stamp;
}

TStamp Measure(int width, int height, const std::function<void(QPainter&)>& draw) {
  QImage scratch(width, height, QImage::Format_RGB32);
  scratch.fill(kWhite);
  {
    QPainter painter(&scratch);
    draw(painter);
  }
  return ReadSpans(scratch, kPad, kPad);
}

// The overlay's lines and dots, exactly as DrawOverlay paints them with QPainter.
void Line(QPainter& p, int width, int x1, int y1, int x2, int y2) {
  p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(x1, y1, x2, y2);
}

void Dot(QPainter& p, int cx, int cy, int r) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::black);
  p.drawEllipse(QRect(cx - r, cy - r, 2 * r - 1, 2 * r - 1));
}

TOverlayStamps MeasureStamps(const TGridGeometry& g) {
  const int W = g.TextureWidth, H = g.TextureHeight, o = kPad;
  TOverlayStamps s;
  s.ColumnLine = Measure(2 * o, H + 2 * o, [&](QPainter& p) { Line(p, 2, o, o, o, o + H - 1); });
  s.RowLine = Measure(W + 2 * o, 2 * o, [&](QPainter& p) { Line(p, 2, o, o, o + W - 1, o); });
  s.ColumnAccent = Measure(2 * o, H + 2 * o, [&](QPainter& p) { Line(p, 3, o, o, o, o + H); });
  s.RowAccent = Measure(W + 2 * o, 2 * o, [&](QPainter& p) { Line(p, 3, o, o, o + W, o); });
  s.LockDot = Measure(2 * o, 2 * o, [&](QPainter& p) { Dot(p, o, o, 6); });
  s.SelectDot = Measure(2 * o, 2 * o, [&](QPainter& p) { Dot(p, o, o, 5); });
  QImage labels(W, H, QImage::Format_RGB32);
  labels.fill(kWhite);
  DrawGridLabels(labels, g);
  s.Labels = ReadSpans(labels, 0, 0);
  return s;
}

// Calls write(line, x0, x1) for the part of each span that falls inside the image.
template <class Write>
void ForEachClippedSpan(int width, int height, const TStamp& stamp, int x, int y, Write write) {
  for (const TPixelSpan& s : stamp) {
    const int row = y + s.Y;
    if (row < 0 || row >= height) continue;
    const int x0 = std::max(0, x + s.X0), x1 = std::min(width, x + s.X1);
    if (x0 < x1) write(row, x0, x1);
  }
}

}  // namespace

const TOverlayStamps& OverlayStamps(const TGridGeometry& grid) {
  struct TCache {
    int W = -1, H = -1, C = -1, R = -1;
    QString Font;
    TOverlayStamps Stamps;
  };
  thread_local TCache cache;
  // The labels' look follows the application font; a new one is measured anew.
  const QString font = QFont().key();
  if (cache.W != grid.TextureWidth || cache.H != grid.TextureHeight || cache.C != grid.ColumnCount ||
      cache.R != grid.RowCount || cache.Font != font) {
    cache.Stamps = MeasureStamps(grid);
    cache.W = grid.TextureWidth;
    cache.H = grid.TextureHeight;
    cache.C = grid.ColumnCount;
    cache.R = grid.RowCount;
    cache.Font = font;
  }
  return cache.Stamps;
}

void StampColour(QImage& image, const TStamp& stamp, int x, int y, QRgb colour) {
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  ForEachClippedSpan(image.width(), image.height(), stamp, x, y, [&](int row, int x0, int x1) {
    auto* line = reinterpret_cast<QRgb*>(bits + row * stride);
    std::fill(line + x0, line + x1, colour);
  });
}

void StampAlpha(QImage& alpha, const TStamp& stamp, int x, int y) {
  uchar* bits = alpha.bits();
  const qsizetype stride = alpha.bytesPerLine();
  ForEachClippedSpan(alpha.width(), alpha.height(), stamp, x, y, [&](int row, int x0, int x1) {
    std::fill(bits + row * stride + x0, bits + row * stride + x1, uchar(255));
  });
}

}  // namespace orvane
