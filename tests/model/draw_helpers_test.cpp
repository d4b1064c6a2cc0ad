// Pixel rules of the shared view drawing: colours, markers, XOR, axes, grid lines, background.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include <QDir>
#include <QImage>
#include <QPainter>

#include "model/draw_helpers.h"

namespace orvane {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kOutline = 0xFFCCCCCC;

TAppSettings View(int zoom, int margin, int grid = 0, int pointer = 3) {
  TAppSettings s;
  s.Zoom = zoom;
  s.Margin = margin;
  s.Grid = grid;
  s.PointerSize = pointer;
  return s;
}

QImage Blank(int w, int h, QRgb colour = kWhite) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

// Whole-image comparison; on a mismatch the actual image and a diff (differing pixels
// red on grey) are written next to the test's temporary files and named in the failure.
::testing::AssertionResult SameImage(const QImage& actual, const QImage& expected, const std::string& name) {
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << name << ": size " << actual.width() << "x" << actual.height()
                                         << ", expected " << expected.width() << "x" << expected.height();
  QImage diff = Blank(actual.width(), actual.height(), qRgb(128, 128, 128));
  int differing = 0;
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (actual.pixel(x, y) != expected.pixel(x, y)) {
        ++differing;
        diff.setPixel(x, y, qRgb(255, 0, 0));
      }
  if (differing == 0) return ::testing::AssertionSuccess();
  const QString base = QDir(QString::fromStdString(::testing::TempDir())).filePath(QString::fromStdString(name));
  actual.save(base + ".out.png");
  diff.save(base + ".diff.png");
  return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ; see "
                                       << (base + ".out.png").toStdString() << " and .diff.png";
}

// ---- colour rules ----

TEST(GridColours, FirstMatchingRuleWins) {
  TGridGeometry g;  // CapRows 8
  struct Case {
    int n, kind;
    QColor colour;
  };
  const Case cases[] = {
      {8, glRows, QColor(255, 0, 255)},   {8, glColumns, QColor(255, 0, 0)}, {8, glModeLines, QColor(255, 0, 0)},
      {16, glRows, QColor(255, 0, 0)},    {0, glColumns, QColor(255, 0, 0)}, {4, glColumns, QColor(0, 0, 255)},
      {4, glModeLines, QColor(255, 0, 0)}, {12, glRows, QColor(0, 0, 255)}, {2, glColumns, QColor(0, 0, 0)},
      {6, glModeLines, QColor(0, 153, 0)}, {1, glRows, QColor(128, 128, 128)}, {7, glModeLines, QColor(0, 0, 153)},
      {-4, glColumns, QColor(0, 0, 255)},  {-3, glColumns, QColor(128, 128, 128)},
  };
  for (const Case& c : cases) {
    QPen pen(Qt::green, 5);
    GridPen(c.n, pen, c.kind, g);
    EXPECT_EQ(pen.color(), c.colour) << c.n << " kind " << c.kind;
    EXPECT_EQ(pen.width(), 5);  // only the colour is the rule's business
  }
  g.CapRows = 3;  // a cap row that is not a multiple of anything
  EXPECT_EQ(GridColour(3, glRows, g), QColor(255, 0, 255));
  EXPECT_EQ(GridColour(3, glColumns, g), QColor(128, 128, 128));
}

TEST(GridColours, GridPointsByBothIndices) {
  TGridGeometry g;  // CapRows 8
  struct Case {
    int i, j;
    QColor colour;
  };
  const Case cases[] = {
      {0, 8, QColor(255, 0, 255)},  {16, 8, QColor(255, 0, 255)}, {4, 8, QColor(0, 0, 255)},
      {8, 16, QColor(255, 0, 0)},   {0, 0, QColor(255, 0, 0)},    {8, 4, QColor(0, 0, 255)},
      {4, 12, QColor(0, 0, 255)},   {4, 2, QColor(0, 0, 0)},      {2, 6, QColor(0, 0, 0)},
      {1, 0, QColor(128, 128, 128)}, {0, 1, QColor(128, 128, 128)}, {3, 3, QColor(128, 128, 128)},
  };
  for (const Case& c : cases) {
    QPen pen;
    GridPointPen(c.i, c.j, pen, g);
    EXPECT_EQ(pen.color(), c.colour) << c.i << "," << c.j;
  }
}

TEST(GridColours, AxisHalvesBrightOrDarkBySign) {
  struct Case {
    int kind;
    double value;
    QColor colour;
  };
  const Case cases[] = {
      {0, 1, QColor(255, 0, 0)}, {0, -1, QColor(153, 0, 0)}, {0, 0, QColor(153, 0, 0)},
      {1, 1, QColor(0, 153, 0)}, {1, -1, QColor(0, 255, 0)}, {2, 1, QColor(0, 0, 255)},
      {2, -1, QColor(0, 0, 153)}, {3, 1, QColor(255, 255, 255)}, {-1, -1, QColor(255, 255, 255)},
      {0, std::numeric_limits<double>::quiet_NaN(), QColor(153, 0, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(AxisColour(c.kind, c.value), c.colour) << c.kind << " " << c.value;
}

// ---- primitive pixel rules ----

TEST(ViewPixels, LinesLeaveOutTheirEndPixel) {
  struct Case {
    int x1, y1, x2, y2;
    int count;  // pixels drawn
    QPoint last, end;
  };
  const Case cases[] = {
      {2, 5, 12, 5, 10, {11, 5}, {12, 5}}, {12, 6, 2, 6, 10, {3, 6}, {2, 6}},
      {4, 1, 4, 9, 8, {4, 8}, {4, 9}},     {7, 9, 7, 1, 8, {7, 2}, {7, 1}},
      {5, 5, 6, 5, 1, {5, 5}, {6, 5}},     {6, 5, 5, 5, 1, {6, 5}, {5, 5}},
      {1, 1, 9, 5, 8, {8, 5}, {9, 5}},     {9, 5, 1, 1, 8, {2, 1}, {1, 1}},
      {3, 9, 7, 1, 8, {7, 2}, {7, 1}},
  };
  for (const Case& c : cases) {
    QImage image = Blank(16, 12);
    QPainter p(&image);
    p.setPen(ViewPen(Qt::black));
    DrawViewLine(p, c.x1, c.y1, c.x2, c.y2);
    p.end();
    EXPECT_EQ(Count(image, qRgb(0, 0, 0)), c.count) << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2;
    EXPECT_EQ(image.pixel(c.x1, c.y1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(c.last), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(c.end), kWhite);
  }
  QImage image = Blank(8, 8);
  QPainter p(&image);
  p.setPen(ViewPen(Qt::black));
  DrawViewLine(p, 3, 3, 3, 3);  // an empty line draws nothing
  p.end();
  EXPECT_EQ(Count(image, kWhite), 64);
}

// A marker covers x - P .. x + P - 1: outline with the pen, inside with the brush.
TEST(ViewPixels, MarkerRectangleCoversTwicePointerSize) {
  for (int pointer : {1, 2, 3, 7}) {
    QImage image = Blank(40, 40);
    QPainter p(&image);
    p.setPen(ViewPen(Qt::black));
    p.setBrush(QColor(255, 0, 0));
    MarkerRect(p, View(2, 10, 0, pointer), 20, 20);
    p.end();
    const int side = 2 * pointer;
    EXPECT_EQ(Count(image, qRgb(0, 0, 0)), side == 2 ? 4 : 4 * side - 4) << pointer;
    EXPECT_EQ(Count(image, qRgb(255, 0, 0)), side == 2 ? 0 : (side - 2) * (side - 2)) << pointer;
    EXPECT_EQ(image.pixel(20 - pointer, 20 - pointer), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20 + pointer - 1, 20 + pointer - 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20 + pointer, 20), kWhite);
    EXPECT_EQ(image.pixel(20, 20 + pointer), kWhite);
    EXPECT_EQ(image.pixel(20 - pointer - 1, 20), kWhite);
  }
}

TEST(ViewPixels, XorRectangleTwiceRestoresTheImage) {
  QImage image(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) & 255));
  const QImage original = image;
  QPainter p(&image);
  DrawXorRect(p, 50, 40, 5, 3);  // corners in either order
  p.end();
  const QImage once = image;
  int changed = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (once.pixel(x, y) == original.pixel(x, y)) continue;
      ++changed;
      const bool onBorder = (x == 5 || x == 49 || y == 3 || y == 39) && x >= 5 && x <= 49 && y >= 3 && y <= 39;
      EXPECT_TRUE(onBorder) << x << "," << y;
      EXPECT_EQ(once.pixel(x, y) & 0xFFFFFF, ~original.pixel(x, y) & 0xFFFFFF) << x << "," << y;  // XOR white
    }
  EXPECT_GT(changed, 40);  // dotted: part of the 160 border pixels
  EXPECT_LT(changed, 160);
  QPainter again(&image);
  DrawXorRect(again, 50, 40, 5, 3);
  again.end();
  EXPECT_TRUE(SameImage(image, original, "xor_twice"));
  // The painter's own state survives: a later plain line still draws in copy mode.
  QImage plain = Blank(8, 8, qRgb(10, 20, 30));
  QPainter q(&plain);
  q.setPen(ViewPen(QColor(1, 2, 3)));
  DrawXorRect(q, 1, 1, 6, 6);
  DrawViewLine(q, 0, 7, 8, 7);
  q.end();
  EXPECT_EQ(plain.pixel(3, 7), qRgb(1, 2, 3));
}

// ---- axes ----

// The expected axes drawn pixel by pixel: column x split at height x, row y split at width y.
QImage ExpectedAxes(QSize size, QRgb background, int x, int y, int e, QRgb up, QRgb down, QRgb left, QRgb right) {
  QImage image = Blank(size.width(), size.height(), background);
  for (int v = 0; v < e; ++v) image.setPixel(x, v, v < x ? up : down);
  for (int u = 0; u < e; ++u) image.setPixel(u, y, u < y ? left : right);
  return image;
}

TEST(Axes, HalvesSplitAtTheirOwnCoordinate) {
  struct Case {
    int a, b;
    double p, q;
    QRgb up, down, left, right;
  };
  const QRgb red = qRgb(255, 0, 0), darkRed = qRgb(153, 0, 0), green = qRgb(0, 153, 0), lime = qRgb(0, 255, 0);
  const QRgb blue = qRgb(0, 0, 255), darkBlue = qRgb(0, 0, 153);
  const Case cases[] = {
      {0, 2, 1, 1, blue, darkBlue, red, darkRed},     // X right, Z up
      {0, 2, -1, 1, blue, darkBlue, darkRed, red},    // X left
      {1, 2, 1, -1, darkBlue, blue, green, lime},     // Y right, Z down
      {2, 1, -1, -1, lime, green, darkBlue, blue},    // Z left, Y down
  };
  const int zoom = 2, margin = 3, e = 256 * zoom + 1 + 2 * margin;
  for (const Case& c : cases) {
    QImage image = Blank(e + 2, e + 2, qRgb(0, 0, 0));
    QPainter p(&image);
    DrawAxes(p, View(zoom, margin), c.a, c.b, c.p, c.q);
    p.end();
    const int x = (c.p > 0 ? 127 : 128) * zoom + margin;
    const int y = (c.q > 0 ? 127 : 128) * zoom + margin;
    const QImage expected = ExpectedAxes(image.size(), qRgb(0, 0, 0), x, y, e, c.up, c.down, c.left, c.right);
    EXPECT_TRUE(SameImage(image, expected,
                          "axes_" + std::to_string(c.a) + std::to_string(c.b) + (c.p > 0 ? "p" : "n") + (c.q > 0 ? "p" : "n")));
  }
}

// ---- grid lines ----

struct GridCase {
  const char* name;
  int grid, zoom, margin;
  bool fx, fy;
  double r;
  std::set<int> levelsX, levelsY;  // levels carrying a line
};

std::set<int> Levels(std::initializer_list<int> ends, int first, int step, int last) {
  std::set<int> s(ends);
  for (int v = first; v <= last; v += step) s.insert(v);
  return s;
}

// Lines by the pixel rules: a vertical line at Round(level Z r) + M from y = M down to
// level 255 inclusive, a horizontal one at level Z + M from x = M to the right edge.
QImage ExpectedGrid(QSize size, const GridCase& c) {
  QImage image = Blank(size.width(), size.height());
  const int right = static_cast<int>(std::nearbyint(255.0 * c.zoom * c.r)) + c.margin;
  const int bottom = 255 * c.zoom + c.margin;
  for (int level : c.levelsX) {
    const int x = static_cast<int>(std::nearbyint(level * c.zoom * c.r)) + c.margin;
    for (int y = c.margin; y <= bottom; ++y) image.setPixel(x, y, kSilver);
  }
  for (int level : c.levelsY) {
    const int y = level * c.zoom + c.margin;
    for (int x = c.margin; x <= right; ++x) image.setPixel(x, y, kSilver);
  }
  return image;
}

TEST(GridLines, LinesFallOnTheFlaggedLevels) {
  const std::set<int> early8 = Levels({0, 255}, 7, 8, 247);
  const std::set<int> round8 = Levels({0, 255}, 8, 8, 248);
  const std::set<int> every = Levels({}, 0, 1, 255);
  const std::set<int> early4 = Levels({0, 255}, 3, 4, 251);
  const std::set<int> early3 = Levels({0, 255}, 2, 3, 254);
  ASSERT_EQ(early8.size(), 33u);  // 31 interior lines and the two borders
  const GridCase cases[] = {
      {"grid8_plain", 8, 2, 3, false, false, 1.0, early8, early8},
      {"grid8_fx", 8, 2, 3, true, false, 1.0, round8, early8},
      {"grid8_fy", 8, 3, 0, false, true, 1.0, early8, round8},
      {"grid1_flags", 1, 2, 5, false, true, 1.0, every, every},
      {"grid1_plain", 1, 2, 5, false, false, 1.0, every, every},
      {"grid4_wide", 4, 2, 4, false, false, 1.5, early4, early4},
      {"grid3_narrow", 3, 2, 4, false, false, 0.75, early3, early3},
      {"grid0", 0, 2, 4, true, true, 1.0, {}, {}},
  };
  for (const GridCase& c : cases) {
    const int w = static_cast<int>(std::nearbyint(255.0 * c.zoom * c.r)) + 2 * c.margin + 3;
    const int h = 255 * c.zoom + 2 * c.margin + 3;
    QImage image = Blank(w, h);
    QPainter p(&image);
    DrawGridLines(p, View(c.zoom, c.margin, c.grid), c.fx, c.fy, c.r);
    p.end();
    EXPECT_TRUE(SameImage(image, ExpectedGrid(image.size(), c), c.name));
  }
}

// Stretched columns round half to even: level 7 at zoom 2 and r = 0.75 is 10.5 pixels.
TEST(GridLines, StretchedColumnsRoundHalfToEven) {
  const int margin = 4;
  QImage image = Blank(400, 520);
  QPainter p(&image);
  DrawGridLines(p, View(2, margin, 8), false, false, 0.75);
  p.end();
  const int y = margin + 3;  // between rows
  EXPECT_EQ(image.pixel(margin + 10, y), kSilver);
  EXPECT_EQ(image.pixel(margin + 11, y), kWhite);
  EXPECT_EQ(image.pixel(margin + 22, y), kSilver);  // level 15: 22.5
  EXPECT_EQ(image.pixel(margin + 382, y), kSilver);  // level 255: 382.5
  EXPECT_EQ(image.pixel(margin + 383, y), kWhite);
  EXPECT_EQ(image.pixel(margin + 382, margin + 255 * 2), kSilver);
  EXPECT_EQ(image.pixel(margin + 382, margin + 255 * 2 + 1), kWhite);
}

// ---- view background ----

const TDPoint kSquare[] = {{64, 64}, {192, 64}, {192, 192}, {64, 192}};
const TDPoint kSmallSquare[] = {{8, 200}, {24, 200}, {24, 216}, {8, 216}};

TEST(ViewBackground, SizedByZoomMarginAndWidthFactor) {
  struct Case {
    int zoom, margin;
    double r;
    int w, h;
  };
  const Case cases[] = {
      {2, 10, 1.0, 531, 531},  {4, 0, 0.5, 511, 1021}, {2, 10, 0.0, 21, 531}, {3, 5, 1.5, 1159, 776},
      {2, 10, -1.0, 21, 531},  {2, 10, std::numeric_limits<double>::quiet_NaN(), 531, 531},
      {2, 1, 1.0 / 3.0, 173, 513},  // Round(170 + epsilon)
  };
  for (const Case& c : cases) {
    QImage image = Blank(7, 7, qRgb(1, 2, 3));
    TViewBackground bg;
    bg.WidthFactor = c.r;
    DrawViewBackground(image, View(c.zoom, c.margin), bg);
    EXPECT_EQ(image.size(), QSize(c.w, c.h)) << c.zoom << " " << c.margin << " " << c.r;
    EXPECT_EQ(Count(image, kWhite), c.w * c.h) << "white all over without outlines or grid";
  }
}

TEST(ViewBackground, OutlinesFilledGreyWithoutAPicture) {
  QImage image;
  TViewBackground bg;
  bg.Outline1 = kSquare;
  bg.Outline2 = kSmallSquare;
  const int zoom = 2, margin = 10;
  DrawViewBackground(image, View(zoom, margin), bg);
  // A filled polygon with its pen includes its vertices: (128 Z + 1)^2 and (16 Z + 1)^2.
  EXPECT_EQ(Count(image, kOutline), 257 * 257 + 33 * 33);
  EXPECT_EQ(image.pixel(64 * zoom + margin, 64 * zoom + margin), kOutline);
  EXPECT_EQ(image.pixel(192 * zoom + margin, 192 * zoom + margin), kOutline);
  EXPECT_EQ(image.pixel(64 * zoom + margin - 1, 128 * zoom + margin), kWhite);
  EXPECT_EQ(image.pixel(16 * zoom + margin, 208 * zoom + margin), kOutline);
}

TEST(ViewBackground, GridDrawnOverTheOutline) {
  QImage image;
  TViewBackground bg;
  bg.Outline1 = kSquare;
  bg.FlagX = true;
  DrawViewBackground(image, View(2, 10, 8), bg);
  EXPECT_EQ(image.pixel(10 + 2 * 128, 10 + 2 * 100), kSilver);  // flagged column at level 128
  EXPECT_EQ(image.pixel(10 + 2 * 100, 10 + 2 * 127), kSilver);  // unflagged row at level 127
  EXPECT_EQ(image.pixel(10 + 2 * 100, 10 + 2 * 100), kOutline);
}

struct PicturePair {
  QImage a, b;
};

// A uniform picture pair with marked pixels at the ends of the copied source rectangle.
PicturePair Pictures(int width, int height, int o) {
  PicturePair pp{Blank(width, height, qRgb(10, 200, 30)), Blank(width, height, qRgb(1, 2, 3))};
  if (height == 513) {
    pp.a.setPixel(o, 0, qRgb(250, 0, 0));
    pp.a.setPixel(width - o - 1, 512, qRgb(0, 0, 250));
  }
  return pp;
}

TEST(ViewBackground, PictureOutsideDimmedPictureInside) {
  const PicturePair pp = Pictures(513, 513, 0);
  QImage image;
  TViewBackground bg;
  bg.Show = true;
  bg.A = &pp.a;
  bg.B = &pp.b;
  bg.Outline1 = kSquare;
  const int zoom = 2, margin = 10;
  DrawViewBackground(image, View(zoom, margin), bg);
  ASSERT_EQ(image.size(), QSize(531, 531));
  EXPECT_EQ(image.pixel(margin, margin), qRgb(250, 0, 0));                   // source (0, 0)
  EXPECT_EQ(image.pixel(margin + 510, margin + 510), qRgb(0, 0, 250));       // source (512, 512)
  EXPECT_EQ(image.pixel(margin + 256, margin + 256), qRgb(1, 2, 3));         // inside: B exactly
  EXPECT_EQ(image.pixel(margin + 40, margin + 256), qRgb(10, 200, 30));      // outside: A exactly
  EXPECT_EQ(image.pixel(margin - 1, margin + 256), kWhite);                  // margin stays white
  EXPECT_EQ(image.pixel(margin + 511, margin + 256), kWhite);
  // The inside is the square's 128 levels (plus its outline pixel) at zoom 2, within a pixel.
  const int inside = Count(image, qRgb(1, 2, 3));
  EXPECT_NEAR(std::sqrt(static_cast<double>(inside)), 257.0, 2.0);
  EXPECT_EQ(Count(image, kOutline), 0);
}

TEST(ViewBackground, WidePictureCroppedToTheWidthFactor) {
  const int o = 2;  // Round(1030 - 513 * 2) div 2
  const PicturePair pp = Pictures(1030, 513, o);
  QImage image;
  TViewBackground bg;
  bg.Show = true;
  bg.A = &pp.a;
  bg.B = &pp.b;
  bg.WidthFactor = 2.0;
  bg.Outline1 = kSquare;
  const int zoom = 2, margin = 10;
  DrawViewBackground(image, View(zoom, margin), bg);
  ASSERT_EQ(image.size(), QSize(1020 + 21, 531));
  EXPECT_EQ(image.pixel(margin, margin), qRgb(250, 0, 0));
  EXPECT_EQ(image.pixel(margin + 1020, margin + 510), qRgb(0, 0, 250));
  EXPECT_EQ(image.pixel(margin + 512, margin + 256), qRgb(1, 2, 3));  // level 128 stretched by 2
  EXPECT_EQ(image.pixel(margin + 100, margin + 256), qRgb(10, 200, 30));
}

// Pictures that cannot be composited are left out: the view looks as if none were loaded.
TEST(ViewBackground, UnusablePicturesFallBackToTheGreyOutline) {
  const PicturePair good = Pictures(513, 513, 0);
  const PicturePair low = Pictures(513, 512, 0);
  const QImage narrowB = Blank(512, 513);
  const QImage none;
  struct Case {
    const char* name;
    bool show;
    const QImage* a;
    const QImage* b;
  };
  const Case cases[] = {
      {"not shown", false, &good.a, &good.b}, {"512 high", true, &low.a, &low.b},
      {"B narrower", true, &good.a, &narrowB}, {"A empty", true, &none, &none},
      {"no B", true, &good.a, nullptr},
  };
  for (const Case& c : cases) {
    QImage image;
    TViewBackground bg;
    bg.Show = c.show;
    bg.A = c.a;
    bg.B = c.b;
    bg.Outline1 = kSquare;
    DrawViewBackground(image, View(2, 10), bg);
    EXPECT_EQ(Count(image, qRgb(10, 200, 30)), 0) << c.name;
    EXPECT_EQ(Count(image, kOutline), 257 * 257) << c.name;
  }
}

TEST(ViewBackground, ExtremeWidthFactorsWithAWidePictureStayInBounds) {
  const PicturePair pp = Pictures(1030, 513, 0);
  for (double r : {0.0, 0.01, 8.0, 50.0}) {
    QImage image;
    TViewBackground bg;
    bg.Show = true;
    bg.A = &pp.a;
    bg.B = &pp.b;
    bg.WidthFactor = r;
    bg.Outline1 = kSquare;
    DrawViewBackground(image, View(2, 10), bg);
    EXPECT_EQ(image.height(), 531) << r;
    EXPECT_EQ(image.width(), static_cast<int>(std::nearbyint(510.0 * std::min(r, 8.0))) + 21) << r;
  }
}

}  // namespace
}  // namespace orvane
