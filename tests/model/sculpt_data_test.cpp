// The model's invariants: default shapes, seams and poles, selection counts, clamping, frames.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "model/marks.h"
#include "model/sculpt_data.h"
#include "test_world.h"

namespace orvane {
namespace {

constexpr double R = 96.0 / 127.0;

using World = TTestWorld;

TEST(DefaultShape, Sphere32IsAClosedCanWithPoles) {
  World w(stSphere, ar32x32);
  const auto& v = w.model->Vertices;
  for (int i = 0; i < 33; ++i) {
    EXPECT_NEAR(v[i][0].X, 0.0, 1e-15);
    EXPECT_NEAR(v[i][0].Y, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(v[i][0].Z, -R);
    EXPECT_DOUBLE_EQ(v[i][32].Z, R);
    EXPECT_NEAR(std::hypot(v[i][32].X, v[i][32].Y), 0.0, 1e-15);
  }
  // bottom disc rows 1..7, wall rows 8..24 from -R to +R, top disc rows 25..31
  EXPECT_NEAR(std::hypot(v[3][4].X, v[3][4].Y), 4 * R / 8, 1e-12);
  EXPECT_DOUBLE_EQ(v[3][4].Z, -R);
  EXPECT_DOUBLE_EQ(v[5][8].Z, -R);
  EXPECT_DOUBLE_EQ(v[5][24].Z, R);
  EXPECT_NEAR(v[5][16].Z, 0.0, 1e-15);
  EXPECT_NEAR(std::hypot(v[5][16].X, v[5][16].Y), R, 1e-12);
  EXPECT_NEAR(std::hypot(v[3][28].X, v[3][28].Y), 4 * R / 8, 1e-12);
  // column 8 is a quarter turn
  EXPECT_NEAR(v[8][16].X, 0.0, 1e-12);
  EXPECT_NEAR(v[8][16].Y, R, 1e-12);
  for (int j = 0; j < 33; ++j) EXPECT_EQ(v[32][j], v[0][j]);
}

TEST(DefaultShape, PlaneSpansTheFullCubeFace) {
  World w(stPlane, ar64x16);
  const auto& v = w.model->Vertices;
  EXPECT_EQ(v[0][0], (TDbl3D{-1, 0, -1}));
  EXPECT_EQ(v[64][16], (TDbl3D{1, 0, 1}));
  EXPECT_EQ(v[32][8], (TDbl3D{0, 0, 0}));
}

TEST(DefaultShape, TorusAndCylinderAreClosed) {
  World torus(stTorus, ar32x32);
  const auto& t = torus.model->Vertices;
  EXPECT_NEAR(t[0][0].Y, 0.3, 1e-12);   // rho = 0.6 - 0.3 at phi 0
  EXPECT_NEAR(t[0][16].Y, 0.9, 1e-12);  // rho = 0.6 + 0.3 at phi pi
  EXPECT_NEAR(t[0][8].Z, -0.3, 1e-12);
  for (int i = 0; i < 33; ++i) EXPECT_EQ(t[i][0], t[i][32]);

  World cyl(stCylinder, ar16x64);
  const auto& c = cyl.model->Vertices;
  EXPECT_DOUBLE_EQ(c[0][0].Z, -R);
  EXPECT_DOUBLE_EQ(c[0][64].Z, R);
  EXPECT_DOUBLE_EQ(c[0][0].X, R);
  for (int j = 0; j < 65; ++j) EXPECT_EQ(c[16][j], c[0][j]);
}

TEST(DefaultShape, ResetClearsFlagsAndSetsCursors) {
  World w(stSphere, ar256x4);
  w.model->Selected[3][2] = 1;
  w.model->Locked[4][2] = 1;
  w.grid.LatheColumn = 7;
  ResetModel(*w.model, w.grid, stCylinder, ar256x4);
  EXPECT_EQ(w.model->Selected[3][2], 0);
  EXPECT_EQ(w.model->Locked[4][2], 0);
  EXPECT_EQ(w.model->SelectedCount, 0);
  EXPECT_EQ(w.grid.LatheColumn, 128);
  EXPECT_EQ(w.grid.ExtrudeRow, 1);
  EXPECT_EQ(w.grid.HoopRow, 1);
  EXPECT_EQ(w.model->SculptType, stCylinder);
  EXPECT_EQ(w.model->Aspect, ar256x4);
}

TEST(Stitch, SpherePolesTakeColumnZeroFlagsAndPositions) {
  World w(stSphere, ar32x32);
  auto& m = *w.model;
  m.Selected[5][0] = 1;  // a pole duplicate is never the master
  UpdateSelection(m, w.grid);
  EXPECT_EQ(m.Selected[5][0], 0);
  EXPECT_EQ(m.SelectedCount, 0);

  m.Vertices[0][32] = {0.1, 0.2, 0.3};
  m.Locked[0][32] = 1;
  m.Selected[0][32] = 1;
  UpdateSelection(m, w.grid);
  for (int i = 0; i < 33; ++i) {
    EXPECT_EQ(m.Vertices[i][32], (TDbl3D{0.1, 0.2, 0.3}));
    EXPECT_EQ(m.Locked[i][32], 1);
  }
  EXPECT_EQ(m.SelectedCount, 1);
  EXPECT_EQ(m.SelectionCentre, (TDbl3D{0.1, 0.2, 0.3}));
}

TEST(Stitch, TorusFirstRowTakesTheLastRow) {
  World w(stTorus, ar64x16);
  auto& m = *w.model;
  const TDbl3D before = m.Vertices[3][0];
  m.Vertices[3][0] = {0.5, 0.5, 0.5};  // edits to the duplicate row are lost
  Stitch(m, w.grid);
  EXPECT_EQ(m.Vertices[3][0], before);
  m.Vertices[3][16] = {0.25, 0, 0};  // edits to the master row propagate
  Stitch(m, w.grid);
  EXPECT_EQ(m.Vertices[3][0], (TDbl3D{0.25, 0, 0}));
}

TEST(Stitch, SeamColumnFollowsColumnZeroAndPlaneIsLeftAlone) {
  World cyl(stCylinder, ar8x128);
  cyl.model->Vertices[0][40] = {0.5, -0.5, 0.25};
  cyl.model->Selected[0][40] = 1;
  Stitch(*cyl.model, cyl.grid);
  EXPECT_EQ(cyl.model->Vertices[8][40], (TDbl3D{0.5, -0.5, 0.25}));
  EXPECT_EQ(cyl.model->Selected[8][40], 1);

  World plane(stPlane, ar32x32);
  plane.model->Vertices[32][5] = {0.5, 0.5, 0.5};
  plane.model->Vertices[7][0] = {0.5, 0.5, 0.5};
  Stitch(*plane.model, plane.grid);
  EXPECT_EQ(plane.model->Vertices[32][5], (TDbl3D{0.5, 0.5, 0.5}));
  EXPECT_EQ(plane.model->Vertices[7][0], (TDbl3D{0.5, 0.5, 0.5}));
}

TEST(Selection, EveryPhysicalVertexCountsOnce) {
  struct Case { int type, aspect, expected; };
  const Case cases[] = {
      {stSphere, ar32x32, 2 + 31 * 32}, {stTorus, ar32x32, 32 * 32}, {stPlane, ar32x32, 33 * 33},
      {stCylinder, ar32x32, 32 * 33},  {stSphere, ar256x4, 2 + 3 * 256}, {stTorus, ar4x256, 4 * 256},
      {stPlane, ar4x256, 5 * 257},     {stCylinder, ar64x16, 64 * 17},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " aspect " << c.aspect);
    World w(c.type, c.aspect);
    FillFlags(w.model->Selected, 1, w.grid);
    UpdateSelection(*w.model, w.grid);
    EXPECT_EQ(w.model->SelectedCount, c.expected);
    InvertFlags(w.model->Selected, w.grid);
    UpdateSelection(*w.model, w.grid);
    EXPECT_EQ(w.model->SelectedCount, 0);
    EXPECT_EQ(w.model->SelectionCentre, TDbl3D{});
  }
}

TEST(Selection, CentreIsTheMeanOfDistinctSelectedVertices) {
  World w(stPlane, ar32x32);
  auto& m = *w.model;
  m.Selected[0][0] = 1;   // (-1, 0, -1)
  m.Selected[32][32] = 1; // ( 1, 0,  1)
  m.Selected[16][0] = 1;  // ( 0, 0, -1)
  UpdateSelection(m, w.grid);
  EXPECT_EQ(m.SelectedCount, 3);
  EXPECT_DOUBLE_EQ(m.SelectionCentre.X, 0.0);
  EXPECT_DOUBLE_EQ(m.SelectionCentre.Z, -1.0 / 3.0);
}

TEST(Flags, LockSelectedOnlyTouchesSelectedCells) {
  World w(stPlane, ar32x32);
  auto& m = *w.model;
  m.Selected[2][3] = 1;
  m.Locked[4][4] = 1;
  LockSelected(m, 1, w.grid);
  EXPECT_EQ(m.Locked[2][3], 1);
  EXPECT_EQ(m.Locked[4][4], 1);
  LockSelected(m, 0, w.grid);
  EXPECT_EQ(m.Locked[2][3], 0);
  EXPECT_EQ(m.Locked[4][4], 1);
  // flags outside the used block are never written
  FillFlags(m.Locked, 1, w.grid);
  EXPECT_EQ(m.Locked[33][0], 0);
  EXPECT_EQ(m.Locked[0][33], 0);
}

TEST(Clamp, CoordinatesStayInsideTheMapRange) {
  World w(stPlane, ar32x32);
  auto& v = w.model->Vertices;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  v[0][0] = {1.5, -3.0, 1.0};
  v[1][0] = {nan, inf, -inf};
  v[40][40] = {9.0, 9.0, 9.0};  // outside the used block: untouched
  ClampVertices(v, w.grid);
  EXPECT_EQ(v[0][0], (TDbl3D{128.0 / 127.0, -1.0, 1.0}));
  EXPECT_EQ(v[1][0], (TDbl3D{0.0, 0.0, 0.0}));  // non-finite values become 0
  EXPECT_EQ(v[40][40], (TDbl3D{9.0, 9.0, 9.0}));
}

TEST(CommitBase, CopiesTheUsedBlockAndTheFrame) {
  World w(stSphere, ar32x32);
  auto& m = *w.model;
  CommitBase(m, w.grid);
  EXPECT_FALSE(VertexMoved(m, 5, 5));
  m.Vertices[5][5].Z = std::nextafter(m.Vertices[5][5].Z, 2.0);  // exact comparison: any change counts
  m.Frame.CentreX = 0.4;
  EXPECT_TRUE(VertexMoved(m, 5, 5));
  CommitBase(m, w.grid);
  EXPECT_FALSE(VertexMoved(m, 5, 5));
  EXPECT_EQ(m.BaseFrame, m.Frame);
}

TEST(PreviewVertices, RoundThroughFloatHalvesToEven) {
  World w(stPlane, ar32x32);
  auto& m = *w.model;
  m.Vertices[0][0] = {0.5, 0.3, -1.0};  // 63.5 -> 64, 38.1 -> 38
  m.Vertices[1][0] = {1.5 / 127.0, 2.5 / 127.0, 128.0 / 127.0};
  UpdateSelection(m, w.grid);
  EXPECT_EQ(m.PreviewVertices[0][0], (TDbl3D{64.0 / 127.0, 38.0 / 127.0, -1.0}));
  EXPECT_EQ(m.PreviewVertices[1][0], (TDbl3D{2.0 / 127.0, 2.0 / 127.0, 128.0 / 127.0}));
}

TEST(Frame, NormaliseCompletesCornersAndCentres) {
  TSelectionFrame f;
  f.X = {0.2, 9, 9, 0.205};
  f.Y = {-0.5, 9, 9, 0.5};
  NormaliseFrame(f, true);
  EXPECT_EQ(f.X[1], 0.2);
  EXPECT_EQ(f.Y[1], 0.5);
  EXPECT_EQ(f.X[2], 0.205);
  EXPECT_EQ(f.Y[2], -0.5);
  EXPECT_EQ(f.CentreX, 0.2);  // narrower than one level: pivot on corner 0
  EXPECT_EQ(f.CentreY, 0.0);
  f.X[3] = 0.3;
  NormaliseFrame(f, true);
  EXPECT_DOUBLE_EQ(f.CentreX, 0.25);
  f.X[3] = 0.9;
  NormaliseFrame(f, false);  // pivot stays
  EXPECT_DOUBLE_EQ(f.CentreX, 0.25);
}

TEST(Marks, FillPatternInvertCount) {
  TMarkArray m;
  PatternMarks(m, 2);
  EXPECT_EQ((std::array<int, 8>{m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7]}),
            (std::array<int, 8>{1, 1, 0, 0, 1, 1, 0, 0}));
  PatternMarks(m, 1);
  EXPECT_EQ((std::array<int, 4>{m[0], m[1], m[2], m[3]}), (std::array<int, 4>{1, 0, 1, 0}));
  EXPECT_EQ(CountMarks(m), 129);
  m[2] = 2;
  InvertMarks(m);
  EXPECT_EQ((std::array<int, 4>{m[0], m[1], m[2], m[3]}), (std::array<int, 4>{0, 1, 2, 1}));
  TMarkArray copy;
  CopyMarks(m, copy);
  EXPECT_EQ(copy, m);
  FillMarks(m, 0);
  EXPECT_EQ(CountMarks(m), 0);
  TSculptData fresh;
  EXPECT_EQ(CountMarks(fresh.ColumnMarks), 257);
  EXPECT_EQ(CountMarks(fresh.RowMarks), 257);
}

}  // namespace
}  // namespace orvane
