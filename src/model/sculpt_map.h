// Sculpt maps: the vertex grid as an image of 8-bit colour levels, written and read back.
#pragma once

#include <cstdint>

#include <QImage>
#include <QString>

#include "model/grid_geometry.h"
#include "model/heap_grid.h"
#include "model/image_files.h"
#include "model/settings.h"
#include "model/types.h"

namespace orvane {

struct TSculptData;

// Red in bits 0-7, green in 8-15, blue in 16-23, the rest zero.
using TPackedColour = std::uint32_t;

// Which coordinate each colour channel carries, and in which direction.
enum class TAxisConvention {
  ProgramAxes,     // R = falling Y, G = rising X, B = rising Z
  SecondLifeAxes,  // R = falling X, G = rising Y, B = falling Z
};

// Any requested type outside 0..3 asks for detection from the grid.
inline constexpr int kDetectSculptType = 4;

// Round(127 v + 127) and Round(128 - 127 v), clamped into 0..255 so that a
// coordinate just outside the range cannot wrap to the opposite face.
int RisingLevel(double v);
int FallingLevel(double v);
// The inverses, exact in double precision: (L - 127)/127 and (128 - L)/127.
double RisingValue(int level);
double FallingValue(int level);

TPackedColour EncodeVertex(const TDbl3D& v, TAxisConvention convention);
TDbl3D DecodeColour(TPackedColour colour, TAxisConvention convention);

// Conversions between the packed colour and a QImage pixel (alpha dropped).
QRgb PackedToRgb(TPackedColour colour);
TPackedColour RgbToPacked(QRgb rgb);

// The convention a save uses under the current settings.
TAxisConvention SaveConvention(const TAppSettings& settings);
// The convention a load uses: a file carrying the author mark was always
// written with ProgramAxes; anything else is read by the current setting.
TAxisConvention LoadConvention(const TAppSettings& settings, bool marked);

// Pixels per cell for a "TgaSize" (the side of a 32x32 map): 64 -> 2 ... 512 -> 16;
// 0 for any other size.
int CellPixels(int tgaSize);

// Paints one a x a block per used vertex of Vertices onto an RGB32 canvas of
// a(C-1) x a(R-1) pixels: grid column C-1-k at block k from the left, row j at
// block j from the top, block k covering a k - a/2 .. a k + a/2 - 1 (clipped).
void PaintSculptMap(QImage& canvas, int cellPixels, const TSculptData& model, const TGridGeometry& grid,
                    TAxisConvention convention);

// The colour image of the current model at the settings' TgaSize and convention
// (a null image when TgaSize is not 64, 128, 256 or 512).
QImage RenderSculptMap(const TSculptData& model, const TGridGeometry& grid, const TAppSettings& settings);

// Builds the colour and alpha images (alpha 0 everywhere when "SculptTransparent"
// is on, else 255) and writes them with SaveImage; name comes back as written.
// Returns false with the reason in *reason when nothing usable was written.
bool SaveSculptMap(const TSculptData& model, const TGridGeometry& grid, QString& name,
                   const TAppSettings& settings, const TWarnFunction& warn, QString* reason = nullptr);

// What an image's size says about the map it holds.
struct TSculptMapShape {
  bool Ok = false;
  QString Reason;     // why the size is refused when !Ok
  int Aspect = -1;    // aspect code
  int Step = 0;       // SampleStep: pixels per cell
  int ColumnCount = 0;
  int RowCount = 0;
};

// Aspect code by the exact width/height ratio and SampleStep by the exact width.
TSculptMapShape SculptMapShape(int width, int height);

// The outcome of reading a sculpt map. On failure the model and geometry are untouched.
struct TSculptMapLoad {
  bool Ok = false;
  QString Reason;  // why the file or image is refused when !Ok
  bool Marked = false;
  int Aspect = -1;
  int Step = 0;
  int SculptType = -1;
  int Width = 0;
  int Height = 0;
};

// Samples an image into a grid: rows 0..R-2 at y = j s, the last row at y = H-1;
// grid column C-1 at x = 0 and column C-1-k at x = k s - 1. The geometry must
// match the shape (ApplyAspect with shape.Aspect).
void SampleSculptMap(const QImage& image, const TSculptMapShape& shape, const TGridGeometry& grid,
                     TAxisConvention convention, TVertexGrid& vertices);

// Decodes an image into the model. On success: Aspect, geometry, SculptType and
// Vertices replaced; Selected and Locked cleared; stitched, selection recounted,
// PreviewVertices updated, BaseVertices committed, section cursors reset.
// On failure nothing in model or grid changes.
TSculptMapLoad DecodeSculptMap(const QImage& image, bool marked, int requestedType, const TAppSettings& settings,
                               TSculptData& model, TGridGeometry& grid);

// Reads a sculpt map file (header size-checked before decoding) and decodes it
// as DecodeSculptMap does; an unreadable file is a failure with the reader's reason.
TSculptMapLoad LoadSculptMap(const QString& name, int requestedType, const TAppSettings& settings,
                             TSculptData& model, TGridGeometry& grid);

// A requested type 0..3 unchanged; otherwise PLANE when the first and last
// columns differ, else SPHERE with both poles single points, else TORUS when the
// first and last rows agree, else CYLINDER. Equality is exact.
TSculptType DetectSculptType(const TVertexGrid& vertices, const TGridGeometry& grid, int requestedType);

}  // namespace orvane
