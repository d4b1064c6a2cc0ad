// Stamped point markers against the same markers painted with QPainter.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include <QPainter>

#include "model/draw_helpers.h"
#include "model/marker_stamps.h"

namespace orvane {
namespace {

void PaintMarker(QImage& image, TMarkerShape shape, int h, int x, int y, QRgb pen, std::optional<QRgb> brush) {
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(ViewPen(QColor(pen)));
  painter.setBrush(brush ? QBrush(QColor(*brush)) : QBrush(Qt::NoBrush));
  if (shape == TMarkerShape::Square) DrawViewRect(painter, x - h, y - h, x + h, y + h);
  else painter.drawEllipse(QRect(x - h, y - h, 2 * h - 1, 2 * h - 1));
}

std::string FirstDifference(const QImage& a, const QImage& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return {};
}

TEST(MarkerStamps, StampedMarkersEqualPaintedOnesAtEverySize) {
  std::mt19937 random(11);
  for (TMarkerShape shape : {TMarkerShape::Square, TMarkerShape::Circle}) {
    for (int h = 1; h <= 20; ++h) {
      QImage stamped(70, 60, QImage::Format_RGB32);
      for (int y = 0; y < stamped.height(); ++y)
        for (int x = 0; x < stamped.width(); ++x) stamped.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
      QImage painted = stamped.copy();
      // Overlapping markers, some at or beyond the edges, where the stamp declines.
      int declined = 0;
      for (int k = 0; k < 30; ++k) {
        const int x = int(random() % 90) - 10, y = int(random() % 80) - 10;
        const QRgb pen = 0xFF000000u | (random() & 0xFFFFFFu);
        const std::optional<QRgb> brush =
            k % 3 == 0 ? std::nullopt : std::optional<QRgb>(0xFF000000u | (random() & 0xFFFFFFu));
        if (!StampMarker(stamped, MarkerStamp(shape, h), x, y, pen, brush)) {
          ++declined;
          PaintMarker(stamped, shape, h, x, y, pen, brush);
        }
        PaintMarker(painted, shape, h, x, y, pen, brush);
      }
      EXPECT_LT(declined, 30) << "h " << h;
      EXPECT_EQ(FirstDifference(stamped, painted), "") << "shape " << int(shape) << ", h " << h;
    }
  }
}

TEST(MarkerStamps, AMarkerAtTheEdgeIsLeftToThePainter) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QImage before = image.copy();
  EXPECT_FALSE(StampMarker(image, MarkerStamp(TMarkerShape::Square, 3), 1, 10, qRgb(0, 0, 0), std::nullopt));
  EXPECT_FALSE(StampMarker(image, MarkerStamp(TMarkerShape::Circle, 3), 10, 19, qRgb(0, 0, 0), std::nullopt));
  EXPECT_EQ(image, before);
  EXPECT_TRUE(StampMarker(image, MarkerStamp(TMarkerShape::Square, 3), 10, 10, qRgb(0, 0, 0), std::nullopt));
  EXPECT_NE(image, before);
}

}  // namespace
}  // namespace orvane
