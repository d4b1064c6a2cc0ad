// Numeric point edits of the Bitmap mode.
#include "modes/bitmap_points.h"

namespace orvane {

namespace {

template <class F>
void ForEachEditable(TSculptData& m, const TGridGeometry& g, F f) {
  for (int i = 0; i < g.ColumnCount; ++i)
    for (int j = 0; j < g.RowCount; ++j)
      if (m.Selected[i][j] == 1 && m.Locked[i][j] == 0) f(m.Vertices[i][j]);
}

}  // namespace

void BitmapNudge(TSculptData& model, const TGridGeometry& grid, int dx, int dy, int dz) {
  ForEachEditable(model, grid, [&](TDbl3D& v) {
    v.X += dx / 127.0;
    v.Y += dy / 127.0;
    v.Z += dz / 127.0;
  });
  ClampVertices(model.Vertices, grid);
  UpdateSelection(model, grid);
}

void BitmapSetLevels(TSculptData& model, const TGridGeometry& grid, int lx, int ly, int lz) {
  const TDbl3D target{(lx - 127) / 127.0, (ly - 127) / 127.0, (lz - 127) / 127.0};
  ForEachEditable(model, grid, [&](TDbl3D& v) { v = target; });
  ClampVertices(model.Vertices, grid);
  UpdateSelection(model, grid);
}

bool FirstSelectedVertex(const TSculptData& model, const TGridGeometry& grid, int& column, int& row) {
  for (int j = 0; j < grid.RowCount; ++j)
    for (int i = 0; i < grid.ColumnCount; ++i)
      if (model.Selected[i][j] != 0) {
        column = i;
        row = j;
        return true;
      }
  return false;
}

}  // namespace orvane
