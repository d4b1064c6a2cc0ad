#include "model/saved_shape.h"

namespace orvane {

void RememberShape(TSavedShape& saved, const TSculptData& model, const TGridGeometry& grid) {
  saved.SculptType = model.SculptType;
  saved.Aspect = model.Aspect;
  saved.Vertices.clear();
  saved.Vertices.reserve(std::size_t(grid.ColumnCount) * grid.RowCount);
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j) saved.Vertices.push_back(model.Vertices[i][j]);
}

bool ShapeDiffers(const TSavedShape& saved, const TSculptData& model, const TGridGeometry& grid) {
  if (saved.SculptType != model.SculptType || saved.Aspect != model.Aspect) return true;
  if (saved.Vertices.size() != std::size_t(grid.ColumnCount) * grid.RowCount) return true;
  std::size_t k = 0;
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j)
      if (!(saved.Vertices[k++] == model.Vertices[i][j])) return true;
  return false;
}

}  // namespace orvane
