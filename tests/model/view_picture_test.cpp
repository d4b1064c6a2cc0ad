// The view background with a picture against the straightforward drawing: fill, mask,
// composite, QPainter's scaled drawImage; over zooms, width factors, moving outlines.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include <QPainter>
#include <QPolygon>

#include "model/draw_helpers.h"
#include "model/rounding.h"
#include "model/view_picture.h"

namespace orvane {
namespace {

QImage Noise(int w, int h, std::mt19937& random) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
  }
  return image;
}

int Pixel(double v) { return RoundToInt(v, -kViewPixelLimit, kViewPixelLimit); }

// The picture part of DrawViewBackground done the plain way: every pixel through QPainter.
QImage Reference(const TAppSettings& settings, const TViewBackground& bg) {
  const TViewMetrics m = ViewMetrics(settings);
  const double r = ViewWidthFactor(bg.WidthFactor);
  const int stretched = Pixel(255.0 * m.Zoom * r);
  QImage image(stretched + 2 * m.Margin + 1, 255 * m.Zoom + 2 * m.Margin + 1, QImage::Format_RGB32);
  image.fill(Qt::white);
  const int p = bg.A->width();
  constexpr double s = 512.0 / 255.0;
  const bool square = p == kBackgroundSide;
  const int o = square ? 0 : static_cast<int>(RoundHalfEven(p - kBackgroundSide * r)) / 2;
  QImage mask(p, kBackgroundSide, QImage::Format_RGB32);
  mask.fill(Qt::white);
  {
    QPainter shapes(&mask);
    shapes.setRenderHint(QPainter::Antialiasing, false);
    shapes.setPen(ViewPen(Qt::black));
    shapes.setBrush(Qt::black);
    const double scaleX = square ? s : r * s;
    for (auto outline : {bg.Outline1, bg.Outline2}) {
      if (outline.empty()) continue;
      QPolygon polygon;
      for (const TDPoint& q : outline) polygon << QPoint(Pixel(q.X * scaleX + o), Pixel(q.Y * s));
      shapes.drawPolygon(polygon);
    }
  }
  const QImage composite = CompositePictures(mask, *bg.A, *bg.B);
  const QRect source = square ? QRect(0, 0, kBackgroundSide, kBackgroundSide)
                              : QRect(QPoint(o, 0), QPoint(p - o - 1, kBackgroundSide - 1));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (source.width() > 0)
    painter.drawImage(QRect(m.Margin, m.Margin, stretched + 1, 255 * m.Zoom + 1), composite, source);
  return image;
}

// A lathe-like outline: a wobbly closed curve in map levels, moved a little each step.
std::vector<TDPoint> Outline(int step, std::mt19937& random) {
  std::vector<TDPoint> points;
  const int n = 12 + int(random() % 50);
  for (int k = 0; k < n; ++k) {
    const double t = 2 * std::numbers::pi * k / n;
    const double radius = 60 + 40 * std::sin(3 * t + step * 0.1) + double(random() % 7);
    points.push_back({127 + radius * std::cos(t) + step, 127 + radius * std::sin(t) - step});
  }
  return points;
}

std::string FirstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "size differs";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return {};
}

struct TCase {
  int Zoom;
  double WidthFactor;
  int PictureWidth;
};

class ViewPictureTest : public ::testing::TestWithParam<TCase> {};

TEST_P(ViewPictureTest, EqualsTheStraightforwardDrawingWhileOutlinesMove) {
  const TCase c = GetParam();
  std::mt19937 random(7u + unsigned(c.Zoom) * 31u + unsigned(c.PictureWidth));
  TAppSettings settings;
  settings.Zoom = c.Zoom;
  QImage a = Noise(c.PictureWidth, kBackgroundSide, random), b = Noise(c.PictureWidth, kBackgroundSide, random);
  QImage view;
  for (int step = 0; step < 6; ++step) {
    if (step == 4) a = Noise(c.PictureWidth, kBackgroundSide, random);  // a new picture mid-drag
    const std::vector<TDPoint> one = Outline(step, random), two = Outline(-step, random);
    TViewBackground bg;
    bg.Show = true;
    bg.A = &a;
    bg.B = &b;
    bg.WidthFactor = c.WidthFactor;
    bg.Outline1 = one;
    if (step % 2) bg.Outline2 = two;
    DrawViewBackground(view, settings, bg);
    EXPECT_EQ(FirstDifference(view, Reference(settings, bg)), "") << "step " << step;
  }
}

INSTANTIATE_TEST_SUITE_P(ZoomsAndWidths, ViewPictureTest,
                         ::testing::Values(TCase{2, 1.0, 513}, TCase{3, 1.0, 513}, TCase{8, 1.0, 513},
                                           TCase{2, 1.0, 725}, TCase{5, 1.0, 725}, TCase{8, 1.0, 725},
                                           TCase{2, std::numbers::sqrt2, 725}, TCase{8, std::numbers::sqrt2, 725},
                                           TCase{4, 1.2, 725}, TCase{2, 0.75, 725}, TCase{7, 0.5, 513}));

TEST(ViewPicture, ACompositeChangedOnlyByTheMaskIsRedoneThere) {
  std::mt19937 random(3);
  const QImage a = Noise(64, 40, random), b = Noise(64, 40, random);
  QImage mask(64, 40, QImage::Format_RGB32);
  mask.fill(Qt::white);
  QImage view(90, 70, QImage::Format_RGB32);
  const QRect target(5, 5, 81, 61), source(0, 0, 64, 40);
  for (int step = 0; step < 4; ++step) {
    mask.setPixel(int(random() % 64), int(random() % 40), step % 2 ? qRgb(0, 0, 0) : qRgb(37, 90, 200));
    DrawCompositePicture(view, target, mask, a, b, source);
    QImage expected(view.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.drawImage(target, CompositePictures(mask, a, b), source);
    painter.end();
    EXPECT_EQ(FirstDifference(view, expected), "") << "step " << step;
  }
}

}  // namespace
}  // namespace orvane
