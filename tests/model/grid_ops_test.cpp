// Whole-grid operations on small worlds: flips, mirrors, Maximize, offsets, rotation, smoothing, snapping.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "model/grid_ops.h"
#include "test_world.h"

namespace orvane {
namespace {

using World = TTestWorld;

TPlaneChooser Answer(int plane, std::string* caption = nullptr, int* focus = nullptr) {
  return [=](std::string_view c, int f) {
    if (caption) *caption = std::string(c);
    if (focus) *focus = f;
    return plane;
  };
}

bool AllFinite(const TSculptData& m, const TGridGeometry& g) {
  for (int i = 0; i < g.ColumnCount; ++i)
    for (int j = 0; j < g.RowCount; ++j)
      for (int a = 0; a < 3; ++a)
        if (!std::isfinite(m.Vertices[i][j][a])) return false;
  return true;
}

TEST(Flip, HorizontalReversesColumnsNegatesTheAxisAndKeepsLockedVertices) {
  World w(stSphere, ar32x32);
  const auto before = w.Copy();
  w.m().Locked[3][10] = 1;
  std::string caption;
  int focus = -2;
  FlipHorizontal(w.m(), w.grid, Answer(plYZ, &caption, &focus));
  EXPECT_EQ(caption, "Flip Horizontal");
  EXPECT_EQ(focus, plXY);
  const auto& v = w.m().Vertices;
  for (int i = 0; i < 32; ++i) {
    if (i == 3) continue;
    const TDbl3D& old = before->Vertices[32 - i][10];
    EXPECT_EQ(v[i][10], (TDbl3D{old.X, -old.Y, old.Z})) << i;
  }
  EXPECT_EQ(v[3][10], before->Vertices[3][10]);
}

TEST(Flip, VerticalIsAHalfTurnAboutTheChosenAxis) {
  World w(stCylinder, ar32x32);
  const auto before = w.Copy();
  std::string caption;
  FlipVertical(w.m(), w.grid, Answer(plXY, &caption));
  EXPECT_EQ(caption, "Flip Virtical");
  const TDbl3D& old = before->Vertices[32][32];
  EXPECT_EQ(w.m().Vertices[0][0], (TDbl3D{old.X, -old.Y, -old.Z}));
}

TEST(Flip, CancelledDialogChangesNothing) {
  World w(stSphere, ar64x16);
  w.m().Vertices[4][4].X = 2.0;  // out of range: a cancelled flip does not even clamp
  FlipHorizontal(w.m(), w.grid, Answer(plNone));
  FlipVertical(w.m(), w.grid, Answer(plNone));
  EXPECT_EQ(w.m().Vertices[4][4].X, 2.0);
}

TEST(Mirror, ColumnsReflectAcrossTheMiddleColumn) {
  World w(stPlane, ar32x32);
  auto& v = w.m().Vertices;
  for (int i = 17; i < 33; ++i) v[i][12].Y = 0.01 * i;  // make the halves differ
  v[16][12].X = 0.0625;                                // and move the mirror plane
  const auto before = w.Copy();
  std::string caption;
  int focus = -2;
  MirrorColumns(w.m(), w.grid, Answer(plYZ, &caption, &focus));
  EXPECT_EQ(caption, "Mirror 80-GG From 00-7G");
  EXPECT_EQ(focus, plZX);
  for (int i = 0; i < 16; ++i) {
    const TDbl3D& src = before->Vertices[32 - i][12];
    EXPECT_DOUBLE_EQ(v[i][12].X, 2 * 0.0625 - src.X) << i;
    EXPECT_EQ(v[i][12].Y, src.Y);
    EXPECT_EQ(v[i][12].Z, src.Z);
  }
  EXPECT_EQ(v[16][12], before->Vertices[16][12]);
  EXPECT_EQ(v[20][12], before->Vertices[20][12]);  // the source half stays
}

TEST(Mirror, ClosedTypesKeepTheirSeamAndClampTheReflection) {
  World w(stSphere, ar32x32);
  MirrorColumns(w.m(), w.grid, Answer(plYZ));
  const auto& v = w.m().Vertices;
  for (int j = 0; j < 33; ++j) {
    EXPECT_EQ(v[32][j], v[0][j]);
    EXPECT_GE(v[5][j].X, -1.0);
  }
}

TEST(Mirror, RowsOverwriteTheBottomHalfUnlessLocked) {
  World w(stPlane, ar32x32);
  auto& v = w.m().Vertices;
  v[5][3].Y = 0.25;
  w.m().Locked[6][29] = 1;
  v[6][3].Y = 0.5;
  std::string caption;
  MirrorRows(w.m(), w.grid, Answer(plXY, &caption));
  EXPECT_EQ(caption, "Mirror 08-GG From 00-G7");
  // XY reflects Z across row 16 (z = 0 on a new plane); Y is copied
  EXPECT_DOUBLE_EQ(v[5][29].Z, -v[5][3].Z);
  EXPECT_EQ(v[5][29].Y, 0.25);
  EXPECT_EQ(v[6][29].Y, 0.0);  // locked
}

TEST(Maximize, StretchesEachCoordinateAndKeepsFlatOnes) {
  World w(stPlane, ar32x32);
  auto& v = w.m().Vertices;
  for (int i = 0; i < 33; ++i)
    for (int j = 0; j < 33; ++j) v[i][j].X = 0.5 * i / 32.0;  // X spans 0 .. 0.5, Y is 0 everywhere
  Maximize(w.m(), w.grid);
  EXPECT_DOUBLE_EQ(v[0][0].X, -1.0);
  EXPECT_DOUBLE_EQ(v[32][0].X, 128.0 / 127.0);
  EXPECT_EQ(v[7][7].Y, 0.0);
  EXPECT_TRUE(AllFinite(w.m(), w.grid));
}

TEST(InsideOut, TwiceRestoresTheGrid) {
  World w(stTorus, ar128x8);
  const auto before = w.Copy();
  InsideOut(w.m(), w.grid);
  EXPECT_EQ(w.m().Vertices[0][3], before->Vertices[128][3]);
  EXPECT_EQ(w.m().Vertices[64][3], before->Vertices[64][3]);
  InsideOut(w.m(), w.grid);
  for (int i = 0; i < 129; ++i)
    for (int j = 0; j < 9; ++j) ASSERT_EQ(w.m().Vertices[i][j], before->Vertices[i][j]);
}

TEST(Offset, ShiftsAroundThePeriodOfEachType) {
  World torus(stTorus, ar32x32);
  const auto before = torus.Copy();
  OffsetGrid(torus.m(), torus.grid, 1, 0);
  EXPECT_EQ(torus.m().Vertices[0][5], before->Vertices[31][5]);
  EXPECT_EQ(torus.m().Vertices[1][5], before->Vertices[0][5]);
  EXPECT_EQ(torus.m().Vertices[32][5], torus.m().Vertices[0][5]);

  World thin(stSphere, ar4x256);
  const auto thinBefore = thin.Copy();
  OffsetGrid(thin.m(), thin.grid, -16, 0);  // period 4: no shift at all
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 257; ++j) ASSERT_EQ(thin.m().Vertices[i][j], thinBefore->Vertices[i][j]);

  World plane(stPlane, ar32x32);
  OffsetGrid(plane.m(), plane.grid, 0, -1);  // plane rows have period R
  EXPECT_EQ(plane.m().Vertices[4][32].Z, -1.0);
}

TEST(Rotate, HalfAndQuarterTurns) {
  World w(stPlane, ar32x32);
  const auto before = w.Copy();
  RotateGrid(w.m(), w.grid, false, true);
  EXPECT_EQ(w.m().Vertices[0][0], before->Vertices[32][32]);
  World q(stPlane, ar32x32);
  RotateGrid(q.m(), q.grid, true, false);
  EXPECT_EQ(q.m().Vertices[3][7], before->Vertices[7][29]);
  EXPECT_TRUE(CanRotateQuarter(q.grid));

  World wide(stPlane, ar64x16);
  const auto wideBefore = wide.Copy();
  EXPECT_FALSE(CanRotateQuarter(wide.grid));
  RotateGrid(wide.m(), wide.grid, true, false);  // refused: the grid is not square
  EXPECT_EQ(wide.m().Vertices[10][3], wideBefore->Vertices[10][3]);
}

TEST(Magnet, PullsSelectedUnlockedVerticesToTheCentre) {
  World w(stPlane, ar32x32);
  auto& m = w.m();
  m.Selected[0][0] = m.Selected[32][32] = m.Selected[32][0] = 1;
  m.Locked[32][0] = 1;
  UpdateSelection(m, w.grid);
  const TDbl3D centre = m.SelectionCentre;
  Magnet(m, w.grid);
  EXPECT_EQ(m.Vertices[0][0], centre);
  EXPECT_EQ(m.Vertices[32][32], centre);
  EXPECT_EQ(m.Vertices[32][0], (TDbl3D{1, 0, -1}));
}

TEST(GaussSmooth, SmallRadiusBlendsLargeRadiusReplaces) {
  // A spike in a flat plane: its smoothed height is a known Gaussian mean.
  World w(stPlane, ar32x32);
  auto& m = w.m();
  m.Vertices[10][10].Y = 1.0;
  m.Selected[10][10] = 1;
  GaussSmooth(m, w.grid, 0.2, 0.2);
  // half width 1, sigma 0.2: F = w0 / sum(w) with neighbours at distance 1 and sqrt 2
  const double a = std::exp(-1 / 0.08), b = std::exp(-2 / 0.08);
  const double f = 1.0 / (1 + 4 * a + 4 * b);
  EXPECT_NEAR(m.Vertices[10][10].Y, 0.2 * f + 0.8 * 1.0, 1e-12);
  EXPECT_EQ(m.Vertices[11][10].Y, 0.0);  // not selected

  World big(stPlane, ar32x32);
  big.m().Vertices[10][10].Y = 1.0;
  big.m().Selected[10][10] = 1;
  GaussSmooth(big.m(), big.grid, 2.5, 2.5);  // half width 8, sigma 2.5: the mean replaces
  double total = 0;
  for (int di = -8; di <= 8; ++di)
    for (int dj = -8; dj <= 8; ++dj) total += std::exp(-(di * di + dj * dj) / 12.5);
  EXPECT_NEAR(big.m().Vertices[10][10].Y, 1.0 / total, 1e-12);
}

TEST(GaussSmooth, ClosedDirectionsWrapEvenWhenTheWindowExceedsThePeriod) {
  // 4x256 SPHERE: period 4 around, half width 9 > 4. A ring of equal radius stays a ring.
  World w(stCylinder, ar4x256);
  auto& m = w.m();
  FillFlags(m.Selected, 1, w.grid);
  UpdateSelection(m, w.grid);
  const auto before = w.Copy();
  GaussSmooth(m, w.grid, 3.0, 0.0);
  ASSERT_TRUE(AllFinite(m, w.grid));
  // every column of a row holds the same Z after smoothing around, equal to the old Z
  for (int j = 0; j < 257; j += 37)
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(m.Vertices[i][j].Z, before->Vertices[i][j].Z, 1e-12);
  // column 0 is the Gaussian mean over columns taken around the period of 4
  double sum = 0, total = 0;
  for (int di = -9; di <= 9; ++di) {
    const double weight = std::exp(-(di * di) / 18.0);
    sum += weight * before->Vertices[((di % 4) + 4) % 4][100].X;
    total += weight;
  }
  EXPECT_NEAR(m.Vertices[0][100].X, sum / total, 1e-12);
  EXPECT_NEAR(m.Vertices[2][100].X, -sum / total, 1e-12);
}

TEST(GaussSmooth, ZeroRadiusAndLockedCellsAreLeftAlone) {
  World w(stPlane, ar32x32);
  auto& m = w.m();
  m.Vertices[5][5].Y = 1.0;
  m.Selected[5][5] = 1;
  GaussSmooth(m, w.grid, 0.0, 0.0);
  EXPECT_EQ(m.Vertices[5][5].Y, 1.0);
  m.Locked[5][5] = 1;
  GaussSmooth(m, w.grid, 2.0, 2.0);
  EXPECT_EQ(m.Vertices[5][5].Y, 1.0);
  GaussSmooth(m, w.grid, std::numeric_limits<double>::quiet_NaN(), -1.0);
  EXPECT_EQ(m.Vertices[5][5].Y, 1.0);
}

TEST(SnapToGrid, RoundsSelectedUnlockedCoordinatesToTheGridStep) {
  World w(stPlane, ar32x32);
  auto& m = w.m();
  m.Vertices[1][1] = {0.3, 0.3, 0.3};
  m.Vertices[2][1] = {0.3, 0.3, 0.3};
  m.Vertices[3][1] = {0.3, 0.3, 0.3};
  m.Selected[1][1] = m.Selected[2][1] = 1;
  m.Locked[2][1] = 1;
  SnapToGrid(m, w.grid, 8);
  EXPECT_DOUBLE_EQ(m.Vertices[1][1].X, 40.0 / 127.0);  // 0.3 * 127 / 8 = 4.7625 -> 5
  EXPECT_EQ(m.Vertices[2][1].X, 0.3);
  EXPECT_EQ(m.Vertices[3][1].X, 0.3);
}

TEST(GridOps, NoOperationLetsNonFiniteCoordinatesOut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  World w(stTorus, ar32x32);
  auto& m = w.m();
  m.Vertices[3][3] = {nan, std::numeric_limits<double>::infinity(), 0.1};
  FillFlags(m.Selected, 1, w.grid);
  Maximize(m, w.grid);
  EXPECT_TRUE(AllFinite(m, w.grid));
  m.Vertices[4][4] = {nan, nan, nan};
  FlipHorizontal(m, w.grid, Answer(plZX));
  EXPECT_TRUE(AllFinite(m, w.grid));
  OffsetGrid(m, w.grid, 3, -2);
  RotateGrid(m, w.grid, true, true);
  InsideOut(m, w.grid);
  EXPECT_TRUE(AllFinite(m, w.grid));
}

}  // namespace
}  // namespace orvane
