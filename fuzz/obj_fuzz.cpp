// libFuzzer target: any bytes read as an OBJ file must import or be refused, never crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include <QByteArrayView>
#include <QString>

#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/sculpt_data.h"

using namespace orvane;

namespace {

struct TFuzzWorld {
  std::unique_ptr<TSculptData> Model = std::make_unique<TSculptData>();
  std::unique_ptr<TSculptData> Again = std::make_unique<TSculptData>();
  TGridGeometry Grid;
  TGridGeometry AgainGrid;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TFuzzWorld w;
  ResetModel(*w.Model, w.Grid, stCylinder, ar16x64);
  w.Model->Vertices[3][4] = {0.25, -0.5, 0.75};
  const TDbl3D marker = w.Model->Vertices[3][4];
  const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const TObjImport r = ImportObjText(*w.Model, w.Grid, text);
  if (!r.Ok) {
    // A refusal says why and leaves the model as it was.
    if (r.Reason.isEmpty() || w.Model->SculptType != stCylinder || w.Model->Aspect != ar16x64 ||
        w.Grid.ColumnCount != 17 || !(w.Model->Vertices[3][4] == marker))
      std::abort();
    return 0;
  }
  for (int i = 0; i < w.Grid.ColumnCount; ++i)
    for (int j = 0; j < w.Grid.RowCount; ++j)
      for (int axis = 0; axis < 3; ++axis) {
        const double v = w.Model->Vertices[i][j][axis];
        if (!std::isfinite(v) || v < -1.0 || v > 128.0 / 127.0) std::abort();
      }
  // Whatever was imported exports and imports again as the same grid.
  const QByteArray mesh = ObjMeshText(*w.Model, w.Grid, (size & 1) != 0, QStringLiteral("fuzz.mtl"));
  ResetModel(*w.Again, w.AgainGrid, stSphere, ar32x32);
  const TObjImport again = ImportObjText(*w.Again, w.AgainGrid, mesh);
  if (!again.Ok || again.Aspect != r.Aspect || again.SculptType != r.SculptType || again.Maximized) std::abort();
  for (int i = 0; i < w.Grid.ColumnCount; ++i)
    for (int j = 0; j < w.Grid.RowCount; ++j)
      for (int axis = 0; axis < 3; ++axis)
        if (std::fabs(w.Again->Vertices[i][j][axis] - w.Model->Vertices[i][j][axis]) > 5.1e-9) std::abort();
  return 0;
}
