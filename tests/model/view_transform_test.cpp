// View transforms, their inverses, marker sizes, hit squares and vertex levels.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/view_transform.h"

namespace orvane {
namespace {

TAppSettings View(int zoom, int margin, int pointer = 3) {
  TAppSettings s;
  s.Zoom = zoom;
  s.Margin = margin;
  s.PointerSize = pointer;
  return s;
}

TEST(ViewTransform, KnownPixelsAtZoom4Margin10) {
  const TAppSettings s = View(4, 10);
  EXPECT_EQ(ToViewRising(s, 0.0), 518);
  EXPECT_EQ(ToViewFalling(s, 0.0), 522);
  EXPECT_EQ(ToViewRising(s, -1.0), 10);
  EXPECT_EQ(ToViewFalling(s, 128.0 / 127.0), 10);
  EXPECT_EQ(ToViewRising(s, 128.0 / 127.0), 255 * 4 + 10);
  EXPECT_EQ(ToViewFalling(s, -1.0), 255 * 4 + 10);
  EXPECT_EQ(FromViewRising(s, 518), 0.0);
  EXPECT_EQ(FromViewFalling(s, 522), 0.0);
}

// Every map level and every zoom: level pixels go back to the exact level value, and
// the level value comes out on the level pixel again.
TEST(ViewTransform, LevelPixelsRoundTripExactly) {
  for (int zoom = 2; zoom <= 8; ++zoom) {
    for (int margin : {0, 10, 37}) {
      const TAppSettings s = View(zoom, margin);
      for (int level = 0; level <= 255; ++level) {
        const int pixel = level * zoom + margin;
        const double rising = (level - 127.0) / 127.0;
        const double falling = (128.0 - level) / 127.0;
        ASSERT_EQ(FromViewRising(s, pixel), rising) << zoom << " " << level;
        ASSERT_EQ(FromViewFalling(s, pixel), falling) << zoom << " " << level;
        ASSERT_EQ(ToViewRising(s, rising), pixel) << zoom << " " << level;
        ASSERT_EQ(ToViewFalling(s, falling), pixel) << zoom << " " << level;
        ASSERT_EQ(ToViewRising(s, FromViewRising(s, pixel + 1)), pixel + 1);
        ASSERT_EQ(ToViewFalling(s, FromViewFalling(s, pixel + 1)), pixel + 1);
      }
    }
  }
}

// Half pixels round to even: neither up (std::round) nor down (floor).
TEST(ViewTransform, HalfPixelsRoundToEven) {
  struct Case {
    int zoom;
    double levels;  // 127 v + 127
    int pixel;
  };
  const Case cases[] = {{2, 0.25, 0}, {2, 1.25, 2}, {3, 0.5, 2}, {3, 2.5, 8}, {2, 0.75, 2}};
  for (const Case& c : cases) {
    const TAppSettings s = View(c.zoom, 0);
    EXPECT_EQ(ToViewRising(s, (c.levels - 127.0) / 127.0), c.pixel) << c.zoom << " " << c.levels;
    EXPECT_EQ(ToViewFalling(s, (128.0 - c.levels) / 127.0), c.pixel) << c.zoom << " " << c.levels;
  }
}

TEST(ViewTransform, OutOfRangeSettingsAndValuesStayFinite) {
  TAppSettings s = View(0, -5);  // a zoom of 0 reads as 2, a negative margin as 0
  EXPECT_EQ(ToViewRising(s, 0.0), 254);
  EXPECT_EQ(FromViewRising(s, 254), 0.0);
  s = View(99, 500);  // read as 8 and 100
  EXPECT_EQ(ToViewRising(s, -1.0), 100);
  EXPECT_EQ(FromViewFalling(s, 100), 128.0 / 127.0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double v : {nan, inf, -inf, 1e300, -1e300}) {
    EXPECT_LE(std::abs(ToViewRising(s, v)), kViewPixelLimit + 100) << v;
    EXPECT_LE(std::abs(ToViewFalling(s, v)), kViewPixelLimit + 100) << v;
  }
  EXPECT_EQ(ToViewRising(s, 1e300), kViewPixelLimit + 100);
  EXPECT_EQ(ToViewFalling(s, 1e300), -kViewPixelLimit + 100);
}

TEST(ViewTransform, WidthFactorFallbacks) {
  EXPECT_EQ(ViewWidthFactor(1.5), 1.5);
  EXPECT_EQ(ViewWidthFactor(0.0), 0.0);
  EXPECT_EQ(ViewWidthFactor(-2.0), 0.0);
  EXPECT_EQ(ViewWidthFactor(100.0), 8.0);
  EXPECT_EQ(ViewWidthFactor(std::numeric_limits<double>::quiet_NaN()), 1.0);
  EXPECT_EQ(ViewWidthFactor(std::numeric_limits<double>::infinity()), 1.0);
}

TEST(MarkerSize, GrowsWithZoomOnlyPastTwicePointerSize) {
  struct Case {
    int zoom, pointer, size;
  };
  const Case cases[] = {{8, 3, 4}, {8, 4, 4}, {8, 5, 5}, {6, 2, 3}, {5, 2, 2},
                        {2, 1, 1}, {3, 1, 1}, {7, 3, 3}, {2, 20, 20}, {8, 0, 4}};  // pointer 0 reads as 1
  for (const Case& c : cases) EXPECT_EQ(MarkerSize(View(c.zoom, 10, c.pointer)), c.size) << c.zoom << " " << c.pointer;
}

TEST(InSquare, EdgesBelongToTheSquare) {
  struct Case {
    int px, py;
    bool in;
  };
  // Square of half size 3 around (10, 20).
  const Case cases[] = {{10, 20, true}, {7, 17, true},  {13, 23, true},  {13, 17, true}, {6, 20, false},
                        {14, 20, false}, {10, 16, false}, {10, 24, false}, {14, 24, false}};
  for (const Case& c : cases) EXPECT_EQ(InSquare(c.px, c.py, 10, 20, 3), c.in) << c.px << "," << c.py;
  EXPECT_TRUE(InSquare(5, 5, 5, 5, 0));
  EXPECT_FALSE(InSquare(6, 5, 5, 5, 0));
  // No overflow at the ends of the int range.
  EXPECT_FALSE(InSquare(std::numeric_limits<int>::min(), 0, std::numeric_limits<int>::max(), 0, 20));
  EXPECT_TRUE(InSquare(std::numeric_limits<int>::max(), 0, std::numeric_limits<int>::max() - 20, 0, 20));
}

TEST(VertexLevels, RisingLevelsRoundedToEvenAndClamped) {
  TVertexGrid grid;
  grid[3][4] = TDbl3D{-1.0, 0.0, 128.0 / 127.0};
  grid[5][6] = TDbl3D{63.5 / 127.0, -0.5 / 127.0, 1.5 / 127.0};  // 190.5, 126.5, 128.5
  grid[7][8] = TDbl3D{2.0, -3.0, std::numeric_limits<double>::quiet_NaN()};
  EXPECT_EQ(VertexLevels(grid, 3, 4), (std::array<int, 3>{0, 127, 255}));
  EXPECT_EQ(VertexLevels(grid, 5, 6), (std::array<int, 3>{190, 126, 128}));
  EXPECT_EQ(VertexLevels(grid, 7, 8), (std::array<int, 3>{255, 0, 127}));
  for (auto [i, j] : {std::pair{-1, 0}, {0, -1}, {kGridCapacity, 0}, {0, kGridCapacity}})
    EXPECT_EQ(VertexLevels(grid, i, j), (std::array<int, 3>{127, 127, 127})) << i << "," << j;
  EXPECT_EQ(VertexLevels(grid, 256, 256), (std::array<int, 3>{127, 127, 127}));  // last cell, still zero
}

}  // namespace
}  // namespace orvane
