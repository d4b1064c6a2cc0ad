// Quantisation of the grid for the 3D preview.
#include "model/preview_vertices.h"

#include "model/rounding.h"
#include "model/sculpt_data.h"

namespace orvane {

void UpdatePreviewVertices(TSculptData& model, const TGridGeometry& grid) {
  for (int i = 0; i < grid.ColumnCount; ++i) {
    for (int j = 0; j < grid.RowCount; ++j) {
      const TDbl3D& v = model.Vertices[i][j];
      model.PreviewVertices[i][j] = {QuantiseToLevel(v.X), QuantiseToLevel(v.Y), QuantiseToLevel(v.Z)};
    }
  }
}

}  // namespace orvane
