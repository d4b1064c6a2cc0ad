// Sculpt map encoding: levels and conventions, painting the map, sampling it back.
#include "model/sculpt_map.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include <QStringList>

#include "model/rounding.h"
#include "model/sculpt_data.h"

namespace orvane {

namespace {

// Cells across the image for each aspect code, and the width-to-height ratio.
struct TAspectShape {
  int Aspect;
  double Ratio;
  int CellsAcross;
};
constexpr std::array<TAspectShape, kAspectCount> kShapes{{
    {ar32x32, 1.0, 32},
    {ar64x16, 4.0, 64},
    {ar128x8, 16.0, 128},
    {ar256x4, 64.0, 256},
    {ar16x64, 0.25, 16},
    {ar8x128, 0.0625, 8},
    {ar4x256, 0.015625, 4},
}};
// The sample steps a map may have; one pixel per cell is too coarse to carry the seams.
constexpr std::array<int, 4> kSteps{2, 4, 8, 16};

// A coordinate that is not a number has no level; it reads as the centre, as
// the model's own clamp treats it.
double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

QString WidthList(int cellsAcross) {
  QStringList widths;
  for (int s : kSteps) widths << QString::number(s * cellsAcross);
  const QString last = widths.takeLast();
  return widths.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

}  // namespace

int RisingLevel(double v) { return RoundToInt(127.0 * Finite(v) + 127.0, 0, 255); }
int FallingLevel(double v) { return RoundToInt(128.0 - 127.0 * Finite(v), 0, 255); }
double RisingValue(int level) { return (level - 127) / 127.0; }
double FallingValue(int level) { return (128 - level) / 127.0; }

TPackedColour EncodeVertex(const TDbl3D& v, TAxisConvention convention) {
  int r = 0;
  int g = 0;
  int b = 0;
  if (convention == TAxisConvention::SecondLifeAxes) {
    r = FallingLevel(v.X);
    g = RisingLevel(v.Y);
    b = FallingLevel(v.Z);
  } else {
    r = FallingLevel(v.Y);
    g = RisingLevel(v.X);
    b = RisingLevel(v.Z);
  }
  return static_cast<TPackedColour>(r) | (static_cast<TPackedColour>(g) << 8) |
         (static_cast<TPackedColour>(b) << 16);
}

TDbl3D DecodeColour(TPackedColour colour, TAxisConvention convention) {
  const int r = static_cast<int>(colour & 0xFFu);
  const int g = static_cast<int>((colour >> 8) & 0xFFu);
  const int b = static_cast<int>((colour >> 16) & 0xFFu);
  if (convention == TAxisConvention::SecondLifeAxes) return {FallingValue(r), RisingValue(g), FallingValue(b)};
  return {RisingValue(g), FallingValue(r), RisingValue(b)};
}

QRgb PackedToRgb(TPackedColour colour) {
  return qRgb(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
              static_cast<int>((colour >> 16) & 0xFFu));
}

TPackedColour RgbToPacked(QRgb rgb) {
  return static_cast<TPackedColour>(qRed(rgb)) | (static_cast<TPackedColour>(qGreen(rgb)) << 8) |
         (static_cast<TPackedColour>(qBlue(rgb)) << 16);
}

TAxisConvention SaveConvention(const TAppSettings& settings) {
  return settings.SecondLifeCoordinateSystem ? TAxisConvention::SecondLifeAxes : TAxisConvention::ProgramAxes;
}

TAxisConvention LoadConvention(const TAppSettings& settings, bool marked) {
  return settings.SecondLifeCoordinateSystem && !marked ? TAxisConvention::SecondLifeAxes
                                                        : TAxisConvention::ProgramAxes;
}

int CellPixels(int tgaSize) {
  switch (tgaSize) {
    case 64: case 128: case 256: case 512: return tgaSize / 32;
    default: return 0;
  }
}

void PaintSculptMap(QImage& canvas, int cellPixels, const TSculptData& model, const TGridGeometry& grid,
                    TAxisConvention convention) {
  if (canvas.isNull() || cellPixels <= 0) return;
  if (canvas.format() != QImage::Format_RGB32 && canvas.format() != QImage::Format_ARGB32)
    canvas = canvas.convertToFormat(QImage::Format_RGB32);
  const int a = cellPixels;
  const int g = a / 2;
  const int C = grid.ColumnCount;
  const int W = canvas.width();
  const int H = canvas.height();
  // Blocks are filled straight into the scanlines: the same pixels as an
  // outline-free rectangle of a x a, without a painter.
  for (int j = 0; j < grid.RowCount; ++j) {
    const int y0 = std::max(0, a * j - g);
    const int y1 = std::min(H, a * j + g);  // exclusive
    for (int k = 0; k < C; ++k) {
      const int x0 = std::max(0, a * k - g);
      const int x1 = std::min(W, a * k + g);  // exclusive
      if (x0 >= x1 || y0 >= y1) continue;
      const QRgb rgb = PackedToRgb(EncodeVertex(model.Vertices[C - 1 - k][j], convention));
      for (int y = y0; y < y1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        std::fill(line + x0, line + x1, rgb);
      }
    }
  }
}

QImage RenderSculptMap(const TSculptData& model, const TGridGeometry& grid, const TAppSettings& settings) {
  const int a = CellPixels(settings.TgaSize);
  if (a == 0) return {};
  QImage colour(a * (grid.ColumnCount - 1), a * (grid.RowCount - 1), QImage::Format_RGB32);
  colour.fill(Qt::black);
  PaintSculptMap(colour, a, model, grid, SaveConvention(settings));
  return colour;
}

TSculptMapShape SculptMapShape(int width, int height) {
  TSculptMapShape shape;
  const QString size = QStringLiteral("%1 x %2 pixels").arg(width).arg(height);
  if (width <= 0 || height <= 0) {
    shape.Reason = QStringLiteral("the image is empty");
    return shape;
  }
  const double ratio = static_cast<double>(width) / height;
  const auto it = std::find_if(kShapes.begin(), kShapes.end(), [&](const TAspectShape& s) { return s.Ratio == ratio; });
  if (it == kShapes.end()) {
    shape.Reason = size + QStringLiteral(" is not a sculpt map size: the width must be 1, 4, 16 or 64 times the "
                                         "height, or the height 4, 16 or 64 times the width");
    return shape;
  }
  const auto step = std::find_if(kSteps.begin(), kSteps.end(), [&](int s) { return s * it->CellsAcross == width; });
  if (step == kSteps.end()) {
    shape.Reason = size + QStringLiteral(" is not a sculpt map size: a %1 map must be %2 pixels wide")
                              .arg(QString::fromLatin1(AspectName(it->Aspect).data(),
                                                       static_cast<qsizetype>(AspectName(it->Aspect).size())),
                                   WidthList(it->CellsAcross));
    return shape;
  }
  shape.Ok = true;
  shape.Aspect = it->Aspect;
  shape.Step = *step;
  std::tie(shape.ColumnCount, shape.RowCount) = AspectToCounts(it->Aspect);
  return shape;
}

void SampleSculptMap(const QImage& image, const TSculptMapShape& shape, const TGridGeometry& grid,
                     TAxisConvention convention, TVertexGrid& vertices) {
  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  const int s = shape.Step;
  const int H = image.height();
  // Each row is read at its block's first line, each column at its block's
  // last pixel column (column C-1 at the left edge), the last row at the bottom line.
  auto sampleRow = [&](int j, int y) {
    vertices[C - 1][j] = DecodeColour(RgbToPacked(image.pixel(0, y)), convention);
    for (int k = 1; k <= C - 1; ++k)
      vertices[C - 1 - k][j] = DecodeColour(RgbToPacked(image.pixel(k * s - 1, y)), convention);
  };
  for (int j = 0; j <= R - 2; ++j) sampleRow(j, j * s);
  sampleRow(R - 1, H - 1);
}

TSculptMapLoad DecodeSculptMap(const QImage& image, bool marked, int requestedType, const TAppSettings& settings,
                               TSculptData& model, TGridGeometry& grid) {
  TSculptMapLoad result;
  result.Marked = marked;
  result.Width = image.width();
  result.Height = image.height();
  if (image.isNull()) {
    result.Reason = QStringLiteral("the image is empty");
    return result;
  }
  const TSculptMapShape shape = SculptMapShape(image.width(), image.height());
  if (!shape.Ok) {
    result.Reason = shape.Reason;
    return result;
  }

  // Everything is worked out on scratch copies so that a refused image leaves
  // the current model exactly as it was.
  TGridGeometry scratchGrid = grid;
  ApplyAspect(scratchGrid, shape.Aspect);
  TVertexGrid scratch;
  SampleSculptMap(image, shape, scratchGrid, LoadConvention(settings, marked), scratch);
  const TSculptType type = DetectSculptType(scratch, scratchGrid, requestedType);

  grid = scratchGrid;
  ResetSectionCursors(grid);
  model.Aspect = shape.Aspect;
  model.SculptType = type;
  model.Vertices = scratch;
  // The old flags would mark unrelated vertices of the new grid; clear the
  // whole capacity so nothing stale survives a later aspect change either.
  for (int i = 0; i < kGridCapacity; ++i) {
    model.Selected[i].fill(0);
    model.Locked[i].fill(0);
  }
  UpdateSelection(model, grid);
  CommitBase(model, grid);

  result.Ok = true;
  result.Aspect = shape.Aspect;
  result.Step = shape.Step;
  result.SculptType = type;
  return result;
}

TSculptType DetectSculptType(const TVertexGrid& vertices, const TGridGeometry& grid, int requestedType) {
  if (requestedType >= 0 && requestedType <= 3) return static_cast<TSculptType>(requestedType);
  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  bool columnsClosed = true;
  for (int j = 0; j < R && columnsClosed; ++j) columnsClosed = vertices[0][j] == vertices[C - 1][j];
  if (!columnsClosed) return stPlane;
  bool poles = true;
  for (int i = 1; i < C && poles; ++i)
    poles = vertices[i][0] == vertices[0][0] && vertices[i][R - 1] == vertices[0][R - 1];
  if (poles) return stSphere;
  bool rowsClosed = true;
  for (int i = 0; i < C && rowsClosed; ++i) rowsClosed = vertices[i][0] == vertices[i][R - 1];
  return rowsClosed ? stTorus : stCylinder;
}

}  // namespace orvane
