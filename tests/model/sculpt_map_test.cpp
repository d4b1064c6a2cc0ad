// Sculpt map encoding: levels, conventions, block layout, sampling, type detection, decoding.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/rounding.h"
#include "model/sculpt_data.h"
#include "model/sculpt_map.h"
#include "test_world.h"

namespace orvane {
namespace {

using enum TAxisConvention;

using World = TTestWorld;

int Red(TPackedColour c) { return static_cast<int>(c & 0xFF); }
int Green(TPackedColour c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(TPackedColour c) { return static_cast<int>((c >> 16) & 0xFF); }

TAppSettings SettingsWith(bool secondLife, int tgaSize = 128) {
  TAppSettings s;
  s.SecondLifeCoordinateSystem = secondLife;
  s.TgaSize = tgaSize;
  return s;
}

// ---- level arithmetic -------------------------------------------------------

TEST(Levels, RisingAndFallingAtTheRangeEnds) {
  struct Case { double v; int rising; int falling; };
  const Case cases[] = {
      {-1.0, 0, 255}, {0.0, 127, 128}, {1.0, 254, 1}, {128.0 / 127.0, 255, 0},
      {1.0 / 127.0, 128, 127}, {-1.0 / 127.0, 126, 129},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RisingLevel(c.v), c.rising) << c.v;
    EXPECT_EQ(FallingLevel(c.v), c.falling) << c.v;
  }
}

TEST(Levels, HalvesGoToTheEvenNeighbour) {
  // 127 v + 127 = 63.5 and 64.5 both give 64; 128 - 127 v = 64.5 gives 64.
  EXPECT_EQ(RisingLevel((63.5 - 127.0) / 127.0), 64);
  EXPECT_EQ(RisingLevel((64.5 - 127.0) / 127.0), 64);
  EXPECT_EQ(RisingLevel((65.5 - 127.0) / 127.0), 66);
  EXPECT_EQ(FallingLevel(0.5), 64);
  EXPECT_EQ(FallingLevel((128.0 - 63.5) / 127.0), 64);
  // The value goes through a 32-bit float first: just under a half still ties.
  EXPECT_EQ(RisingLevel((63.5 - 1e-9 - 127.0) / 127.0), 64);
}

TEST(Levels, OutOfRangeLevelsClampInsteadOfWrapping) {
  // One level beyond either end must stay on its own face, not jump to the other.
  const double below = -1.0 - 1.0 / 127.0;  // rising -1, falling 256
  const double above = 129.0 / 127.0;        // rising 256, falling -1
  EXPECT_EQ(RisingLevel(below), 0);
  EXPECT_EQ(FallingLevel(below), 255);
  EXPECT_EQ(RisingLevel(above), 255);
  EXPECT_EQ(FallingLevel(above), 0);
  EXPECT_EQ(RisingLevel(-50.0), 0);
  EXPECT_EQ(FallingLevel(50.0), 0);
  const TPackedColour c = EncodeVertex({below, above, below}, SecondLifeAxes);
  EXPECT_EQ(Red(c), 255);
  EXPECT_EQ(Green(c), 255);
  EXPECT_EQ(Blue(c), 255);
  EXPECT_EQ(c >> 24, 0u);
  // Not a number reads as the centre rather than an arbitrary level.
  EXPECT_EQ(RisingLevel(std::nan("")), 127);
  EXPECT_EQ(FallingLevel(std::nan("")), 128);
}

TEST(Levels, InversesAreExactForEveryLevel) {
  for (int level = 0; level <= 255; ++level) {
    EXPECT_EQ(RisingLevel(RisingValue(level)), level);
    EXPECT_EQ(FallingLevel(FallingValue(level)), level);
  }
  EXPECT_EQ(RisingValue(0), -1.0);
  EXPECT_EQ(RisingValue(255), 128.0 / 127.0);
  EXPECT_EQ(FallingValue(0), 128.0 / 127.0);
  EXPECT_EQ(FallingValue(255), -1.0);
}

// ---- conventions ------------------------------------------------------------

TEST(Conventions, EncodeKnownVertices) {
  struct Case { TDbl3D v; TAxisConvention conv; int r, g, b; };
  const Case cases[] = {
      {{0, 0, 0}, ProgramAxes, 128, 127, 127},
      {{1, 1, 1}, ProgramAxes, 1, 254, 254},
      {{-1, -1, -1}, ProgramAxes, 255, 0, 0},
      {{0.5, 0, 0}, SecondLifeAxes, 64, 127, 128},
      // Which channel carries which axis: only one coordinate non-zero at a time.
      {{1, 0, 0}, ProgramAxes, 128, 254, 127},
      {{0, 1, 0}, ProgramAxes, 1, 127, 127},
      {{0, 0, 1}, ProgramAxes, 128, 127, 254},
      {{1, 0, 0}, SecondLifeAxes, 1, 127, 128},
      {{0, 1, 0}, SecondLifeAxes, 128, 254, 128},
      {{0, 0, 1}, SecondLifeAxes, 128, 127, 1},
  };
  for (const Case& c : cases) {
    const TPackedColour p = EncodeVertex(c.v, c.conv);
    EXPECT_EQ(Red(p), c.r) << c.v.X << "," << c.v.Y << "," << c.v.Z;
    EXPECT_EQ(Green(p), c.g) << c.v.X << "," << c.v.Y << "," << c.v.Z;
    EXPECT_EQ(Blue(p), c.b) << c.v.X << "," << c.v.Y << "," << c.v.Z;
    EXPECT_EQ(p >> 24, 0u);
  }
}

TEST(Conventions, DecodeInvertsEncodeOnWholeSteps) {
  for (TAxisConvention conv : {ProgramAxes, SecondLifeAxes}) {
    for (int l = 0; l <= 255; l += 3) {
      const TDbl3D v{(l - 127) / 127.0, (128 - l) / 127.0, (l % 200 - 90) / 127.0};
      EXPECT_EQ(DecodeColour(EncodeVertex(v, conv), conv), v) << l;
    }
    for (TPackedColour c : {0x000000u, 0xFFFFFFu, 0x7F807Fu, 0x12AB34u}) EXPECT_EQ(EncodeVertex(DecodeColour(c, conv), conv), c);
  }
  // Off-step values come back rounded to the nearest whole step.
  const TDbl3D v{0.3, -0.71, 0.05};
  const TDbl3D back = DecodeColour(EncodeVertex(v, ProgramAxes), ProgramAxes);
  for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(back[axis], QuantiseToLevel(v[axis])) << axis;
}

TEST(Conventions, ProgramMapReadAsSecondLifeSwapsXYAndMirrorsZ) {
  const TDbl3D v{10 / 127.0, -40 / 127.0, 77 / 127.0};
  const TDbl3D read = DecodeColour(EncodeVertex(v, ProgramAxes), SecondLifeAxes);
  EXPECT_DOUBLE_EQ(read.X, v.Y);
  EXPECT_DOUBLE_EQ(read.Y, v.X);
  EXPECT_DOUBLE_EQ(read.Z, 1 / 127.0 - v.Z);
}

TEST(Conventions, ChosenFromTheSettingAndTheAuthorMark) {
  EXPECT_EQ(SaveConvention(SettingsWith(true)), SecondLifeAxes);
  EXPECT_EQ(SaveConvention(SettingsWith(false)), ProgramAxes);
  EXPECT_EQ(LoadConvention(SettingsWith(true), false), SecondLifeAxes);
  EXPECT_EQ(LoadConvention(SettingsWith(true), true), ProgramAxes);
  EXPECT_EQ(LoadConvention(SettingsWith(false), false), ProgramAxes);
  EXPECT_EQ(LoadConvention(SettingsWith(false), true), ProgramAxes);
}

// ---- painting ---------------------------------------------------------------

// Grid column and row painted at a pixel, by the block rule of the map.
int BlockOf(int pos, int a) { return (pos + a / 2) / a; }

struct LayoutCase { int aspect; int tgaSize; };

TEST(Painting, EveryPixelBelongsToItsBlock) {
  const LayoutCase cases[] = {{ar32x32, 64}, {ar32x32, 128}, {ar64x16, 128}, {ar4x256, 512}, {ar256x4, 64}};
  for (const LayoutCase& c : cases) {
    World w(stPlane, c.aspect);  // every vertex of a plane differs from its neighbours
    const TAppSettings settings = SettingsWith(false, c.tgaSize);
    const QImage map = RenderSculptMap(*w.model, w.grid, settings);
    const int a = c.tgaSize / 32;
    const int C = w.grid.ColumnCount;
    ASSERT_EQ(map.width(), a * (C - 1));
    ASSERT_EQ(map.height(), a * (w.grid.RowCount - 1));
    int wrong = 0;
    for (int y = 0; y < map.height(); ++y) {
      for (int x = 0; x < map.width(); ++x) {
        const TDbl3D& v = w.model->Vertices[C - 1 - BlockOf(x, a)][BlockOf(y, a)];
        if (RgbToPacked(map.pixel(x, y)) != EncodeVertex(v, ProgramAxes)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << AspectName(c.aspect) << " at " << c.tgaSize;
  }
}

TEST(Painting, EdgeBlocksAreHalfWidth) {
  // 32x32 at 64: grid column 32 alone in image column 0, column 0 alone in 63,
  // every other column in two image columns; the same for rows.
  World w(stPlane, ar32x32);
  const QImage map = RenderSculptMap(*w.model, w.grid, SettingsWith(false, 64));
  ASSERT_EQ(map.size(), QSize(64, 64));
  std::vector<int> columnWidth(33, 0);
  std::vector<int> rowHeight(33, 0);
  for (int x = 0; x < 64; ++x)
    for (int i = 0; i < 33; ++i)
      if (RgbToPacked(map.pixel(x, 20)) == EncodeVertex(w.model->Vertices[i][10], ProgramAxes)) ++columnWidth[i];
  for (int y = 0; y < 64; ++y)
    for (int j = 0; j < 33; ++j)
      if (RgbToPacked(map.pixel(20, y)) == EncodeVertex(w.model->Vertices[22][j], ProgramAxes)) ++rowHeight[j];
  EXPECT_EQ(columnWidth[32], 1);
  EXPECT_EQ(columnWidth[0], 1);
  EXPECT_EQ(rowHeight[0], 1);
  EXPECT_EQ(rowHeight[32], 1);
  for (int k = 1; k < 32; ++k) {
    EXPECT_EQ(columnWidth[k], 2) << k;
    EXPECT_EQ(rowHeight[k], 2) << k;
  }
  EXPECT_EQ(RgbToPacked(map.pixel(0, 0)), EncodeVertex(w.model->Vertices[32][0], ProgramAxes));
  EXPECT_EQ(RgbToPacked(map.pixel(63, 63)), EncodeVertex(w.model->Vertices[0][32], ProgramAxes));
}

TEST(Painting, UnsupportedSaveSizeGivesNoImage) {
  World w;
  for (int size : {0, 32, 100, 1024}) EXPECT_TRUE(RenderSculptMap(*w.model, w.grid, SettingsWith(true, size)).isNull()) << size;
  EXPECT_EQ(CellPixels(64), 2);
  EXPECT_EQ(CellPixels(512), 16);
}

// ---- shapes and sampling ----------------------------------------------------

TEST(Shapes, RatioAndWidthTables) {
  struct Case { int w, h; int aspect; int step; };
  const Case accepted[] = {
      {64, 64, ar32x32, 2},    {128, 128, ar32x32, 4},  {512, 512, ar32x32, 16}, {512, 128, ar64x16, 8},
      {256, 64, ar64x16, 4},
      {1024, 64, ar128x8, 8},  {4096, 64, ar256x4, 16}, {512, 8, ar256x4, 2},    {64, 256, ar16x64, 4},
      {16, 256, ar8x128, 2},   {64, 4096, ar4x256, 16}, {8, 512, ar4x256, 2},
  };
  for (const Case& c : accepted) {
    const TSculptMapShape s = SculptMapShape(c.w, c.h);
    EXPECT_TRUE(s.Ok) << c.w << "x" << c.h << ": " << s.Reason.toStdString();
    EXPECT_EQ(s.Aspect, c.aspect) << c.w << "x" << c.h;
    EXPECT_EQ(s.Step, c.step) << c.w << "x" << c.h;
  }
  struct Refused { int w, h; const char* why; };
  const Refused refused[] = {
      {32, 32, "32x32 map must be 64, 128, 256 or 512 pixels wide"},  // one pixel per cell
      {100, 100, "must be 64, 128, 256 or 512"},
      {1024, 1024, "must be 64, 128, 256 or 512"},
      {64, 48, "width must be 1, 4, 16 or 64 times"},
      {256, 128, "width must be 1, 4, 16 or 64 times"},
      {4, 256, "4x256 map must be 8, 16, 32 or 64 pixels wide"},
      {0, 0, "empty"},
  };
  for (const Refused& r : refused) {
    const TSculptMapShape s = SculptMapShape(r.w, r.h);
    EXPECT_FALSE(s.Ok) << r.w << "x" << r.h;
    EXPECT_TRUE(s.Reason.contains(QLatin1String(r.why))) << s.Reason.toStdString();
  }
}

// An image whose every pixel names its own position; read back through a
// program-axes decode and re-encode, a sampled vertex tells where it was read.
QImage PositionImage(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, PackedToRgb(static_cast<TPackedColour>(x | (y << 12))));
  return image;
}

TEST(Sampling, ReadsTheExactPixelPositions) {
  const QSize sizes[] = {{64, 64}, {512, 128}, {64, 256}, {4096, 64}, {8, 512}, {512, 512}};
  for (const QSize& size : sizes) {
    const TSculptMapShape shape = SculptMapShape(size.width(), size.height());
    ASSERT_TRUE(shape.Ok);
    TGridGeometry grid;
    ApplyAspect(grid, shape.Aspect);
    TVertexGrid v;
    SampleSculptMap(PositionImage(size.width(), size.height()), shape, grid, ProgramAxes, v);
    const int C = grid.ColumnCount;
    const int R = grid.RowCount;
    const int s = shape.Step;
    int wrong = 0;
    for (int i = 0; i < C; ++i) {
      for (int j = 0; j < R; ++j) {
        const TPackedColour c = EncodeVertex(v[i][j], ProgramAxes);
        const int x = static_cast<int>(c & 0xFFF);
        const int y = static_cast<int>(c >> 12);
        const int k = C - 1 - i;
        const int wantX = k == 0 ? 0 : k * s - 1;
        const int wantY = j == R - 1 ? size.height() - 1 : j * s;
        if (x != wantX || y != wantY) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << size.width() << "x" << size.height();
  }
}

TEST(Sampling, AlphaOfTheImageIsIgnored) {
  QImage image(64, 64, QImage::Format_ARGB32);
  image.fill(qRgba(128, 127, 127, 0));
  const TSculptMapShape shape = SculptMapShape(64, 64);
  TGridGeometry grid;
  TVertexGrid v;
  SampleSculptMap(image, shape, grid, ProgramAxes, v);
  EXPECT_EQ(v[5][7], (TDbl3D{0, 0, 0}));
}

// ---- type detection ---------------------------------------------------------

TEST(Detection, DefaultShapesAreRecognised) {
  for (int type : {stSphere, stTorus, stPlane, stCylinder}) {
    for (int aspect : {ar32x32, ar256x4, ar4x256}) {
      World w(type, aspect);
      EXPECT_EQ(DetectSculptType(w.model->Vertices, w.grid, kDetectSculptType), type)
          << SculptTypeName(type) << " " << AspectName(aspect);
      EXPECT_EQ(DetectSculptType(w.model->Vertices, w.grid, 99), type);
    }
  }
}

TEST(Detection, OpenColumnsMeanPlaneWhateverThePoles) {
  World w(stSphere);
  w.model->Vertices[0][16].X += 1.0 / 127.0;  // left and right image columns now differ
  EXPECT_EQ(DetectSculptType(w.model->Vertices, w.grid, kDetectSculptType), stPlane);
  World t(stTorus);
  t.model->Vertices[4][0].Z += 1.0 / 127.0;  // first and last rows differ in one column
  EXPECT_EQ(DetectSculptType(t.model->Vertices, t.grid, kDetectSculptType), stCylinder);
  World s(stSphere);
  s.model->Vertices[7][32].Y += 1.0 / 127.0;  // the top pole is no longer one point
  EXPECT_EQ(DetectSculptType(s.model->Vertices, s.grid, kDetectSculptType), stCylinder);
}

TEST(Detection, RequestedTypeWins) {
  World w(stPlane);
  for (int type : {stSphere, stTorus, stPlane, stCylinder})
    EXPECT_EQ(DetectSculptType(w.model->Vertices, w.grid, type), type);
}

// ---- decoding into the model ------------------------------------------------

// Every vertex of the loaded grid must be the saved vertex on a whole map step:
// the nearest step, or at an exact half step one of the two neighbours (the
// level rounds halves to even, and the rising level is offset by an odd 127).
void ExpectQuantisedCopy(const TSculptData& loaded, const TSculptData& saved, const TGridGeometry& grid,
                         const std::string& what) {
  int wrong = 0;
  for (int i = 0; i < grid.ColumnCount; ++i) {
    for (int j = 0; j < grid.RowCount; ++j) {
      for (int axis = 0; axis < 3; ++axis) {
        const double got = loaded.Vertices[i][j][axis];
        const double want = saved.Vertices[i][j][axis];
        const double steps = 127.0 * got;
        const bool wholeStep = std::round(steps) == steps || std::abs(std::round(steps) - steps) < 1e-9;
        const bool tie = std::abs(std::abs(RoundHalfEven(127.0 * want) - 127.0 * want) - 0.5) < 1e-6;
        const bool ok = wholeStep && (tie ? std::abs(got - want) <= 0.5 / 127.0 + 1e-9 : got == QuantiseToLevel(want));
        if (!ok) ++wrong;
      }
    }
  }
  EXPECT_EQ(wrong, 0) << what;
}

TEST(Decoding, RoundTripOfEveryAspectTypeAndConvention) {
  struct Size { int tgaSize; std::vector<int> aspects; };
  const Size sizes[] = {
      {128, {ar32x32, ar64x16, ar128x8, ar256x4, ar16x64, ar8x128, ar4x256}},
      {64, {ar64x16}},
      {512, {ar8x128}},
  };
  for (const Size& size : sizes) {
    for (int aspect : size.aspects) {
      for (int type : {stSphere, stTorus, stPlane, stCylinder}) {
        for (bool secondLife : {false, true}) {
          const std::string what = std::string(AspectName(aspect)) + " " + std::string(SculptTypeName(type)) +
                                   (secondLife ? " SL " : " program ") + std::to_string(size.tgaSize);
          World saved(type, aspect);
          const TAppSettings settings = SettingsWith(secondLife, size.tgaSize);
          const QImage map = RenderSculptMap(*saved.model, saved.grid, settings);
          World loaded(stSphere, ar32x32);
          const TSculptMapLoad r =
              DecodeSculptMap(map, false, kDetectSculptType, settings, *loaded.model, loaded.grid);
          ASSERT_TRUE(r.Ok) << what << ": " << r.Reason.toStdString();
          EXPECT_EQ(r.Aspect, aspect) << what;
          EXPECT_EQ(r.Step, size.tgaSize / 32) << what;
          EXPECT_EQ(loaded.model->Aspect, aspect) << what;
          EXPECT_EQ(loaded.model->SculptType, type) << what;
          EXPECT_EQ(loaded.grid.ColumnCount, saved.grid.ColumnCount) << what;
          ExpectQuantisedCopy(*loaded.model, *saved.model, loaded.grid, what);
        }
      }
    }
  }
}

TEST(Decoding, MarkedImageIsReadWithProgramAxes) {
  World saved(stTorus, ar16x64);
  const TAppSettings program = SettingsWith(false);
  const QImage map = RenderSculptMap(*saved.model, saved.grid, program);
  World loaded;
  // The Second Life setting is on, but the mark says the map was written with program axes.
  ASSERT_TRUE(DecodeSculptMap(map, true, kDetectSculptType, SettingsWith(true), *loaded.model, loaded.grid).Ok);
  ExpectQuantisedCopy(*loaded.model, *saved.model, loaded.grid, "marked");
  World unmarked;
  ASSERT_TRUE(DecodeSculptMap(map, false, kDetectSculptType, SettingsWith(true), *unmarked.model, unmarked.grid).Ok);
  const TDbl3D& w = saved.model->Vertices[3][20];
  const TDbl3D& r = unmarked.model->Vertices[3][20];
  EXPECT_DOUBLE_EQ(r.X, QuantiseToLevel(w.Y));
  EXPECT_DOUBLE_EQ(r.Y, QuantiseToLevel(w.X));
}

TEST(Decoding, SuccessClearsFlagsRecountsAndCommits) {
  World saved(stCylinder, ar64x16);
  const QImage map = RenderSculptMap(*saved.model, saved.grid, SettingsWith(true));

  World w(stPlane, ar32x32);
  TSculptData& m = *w.model;
  FillFlags(m.Selected, 1, w.grid);
  FillFlags(m.Locked, 1, w.grid);
  UpdateSelection(m, w.grid);
  ASSERT_EQ(m.SelectedCount, 33 * 33);
  m.Selected[200][3] = 1;  // outside the new grid as well
  w.grid.LatheColumn = 3;

  const TSculptMapLoad r = DecodeSculptMap(map, false, kDetectSculptType, SettingsWith(true), m, w.grid);
  ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
  EXPECT_EQ(r.SculptType, stCylinder);
  EXPECT_EQ(m.SelectedCount, 0);
  EXPECT_EQ(m.SelectionCentre, (TDbl3D{}));
  int flagged = 0;
  for (int i = 0; i < kGridCapacity; ++i)
    for (int j = 0; j < kGridCapacity; ++j) flagged += m.Selected[i][j] + m.Locked[i][j];
  EXPECT_EQ(flagged, 0);
  EXPECT_EQ(w.grid.ColumnCount, 65);
  EXPECT_EQ(w.grid.RowCount, 17);
  EXPECT_EQ(w.grid.LatheColumn, 32);
  EXPECT_EQ(w.grid.ExtrudeRow, 6);
  EXPECT_EQ(w.grid.HoopRow, 6);
  int uncommitted = 0;
  int unstitched = 0;
  int stalePreview = 0;
  for (int i = 0; i < 65; ++i) {
    for (int j = 0; j < 17; ++j) {
      uncommitted += VertexMoved(m, i, j) ? 1 : 0;
      stalePreview += m.PreviewVertices[i][j] == m.Vertices[i][j] ? 0 : 1;
    }
  }
  for (int j = 0; j < 17; ++j) unstitched += m.Vertices[64][j] == m.Vertices[0][j] ? 0 : 1;
  EXPECT_EQ(uncommitted, 0);
  EXPECT_EQ(stalePreview, 0);
  EXPECT_EQ(unstitched, 0);
}

TEST(Decoding, RequestedTypeIsStitchedIn) {
  // A torus map loaded as SPHERE: the poles are made single points.
  World saved(stTorus);
  const QImage map = RenderSculptMap(*saved.model, saved.grid, SettingsWith(true));
  World w;
  ASSERT_TRUE(DecodeSculptMap(map, false, stSphere, SettingsWith(true), *w.model, w.grid).Ok);
  EXPECT_EQ(w.model->SculptType, stSphere);
  for (int i = 1; i < 33; ++i) EXPECT_EQ(w.model->Vertices[i][0], w.model->Vertices[0][0]) << i;
}

// A snapshot of everything a refused load must leave alone.
struct Snapshot {
  std::unique_ptr<TSculptData> model;
  TGridGeometry grid;
  explicit Snapshot(const World& w) : model(std::make_unique<TSculptData>(*w.model)), grid(w.grid) {}
};

void ExpectUntouched(const World& w, const Snapshot& before, const std::string& what) {
  const TSculptData& a = *w.model;
  const TSculptData& b = *before.model;
  EXPECT_EQ(a.Aspect, b.Aspect) << what;
  EXPECT_EQ(a.SculptType, b.SculptType) << what;
  EXPECT_EQ(a.SelectedCount, b.SelectedCount) << what;
  EXPECT_EQ(a.SelectionCentre, b.SelectionCentre) << what;
  EXPECT_EQ(w.grid.ColumnCount, before.grid.ColumnCount) << what;
  EXPECT_EQ(w.grid.RowCount, before.grid.RowCount) << what;
  EXPECT_EQ(w.grid.LatheColumn, before.grid.LatheColumn) << what;
  EXPECT_EQ(w.grid.BendSections, before.grid.BendSections) << what;
  EXPECT_EQ(GridDifferences(a, b), 0) << what;
}

// A non-default model with selection, locks and moved cursors.
World EditedWorld() {
  World w(stTorus, ar8x128);
  w.model->Selected[2][5] = 1;
  w.model->Locked[3][9] = 1;
  w.model->Vertices[1][1].X = 0.123;
  UpdateSelection(*w.model, w.grid);
  CommitBase(*w.model, w.grid);
  w.grid.LatheColumn = 2;
  w.grid.BendSections = {1, 3};
  return w;
}

TEST(Decoding, RefusedImagesLeaveTheModelUntouched) {
  struct Case { QSize size; const char* why; };
  const Case cases[] = {
      {{32, 32}, "32 x 32 pixels is not a sculpt map size"},
      {{100, 100}, "100 x 100 pixels is not a sculpt map size"},
      {{64, 48}, "64 x 48 pixels is not a sculpt map size"},
      {{8192, 8192}, "8192 x 8192 pixels is not a sculpt map size"},
      {{0, 0}, "empty"},
  };
  for (const Case& c : cases) {
    World w = EditedWorld();
    const Snapshot before(w);
    QImage image;
    if (!c.size.isEmpty()) {
      image = QImage(c.size, QImage::Format_RGB32);
      if (c.size.width() < 1000) image.fill(Qt::gray);  // a refused size is never read
    }
    const TSculptMapLoad r = DecodeSculptMap(image, false, kDetectSculptType, SettingsWith(true), *w.model, w.grid);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Reason.contains(QLatin1String(c.why))) << r.Reason.toStdString();
    ExpectUntouched(w, before, c.why);
  }
}

}  // namespace
}  // namespace orvane
