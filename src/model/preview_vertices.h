// The preview's copy of the grid, quantised to whole map levels.
#pragma once

#include "model/grid_geometry.h"

namespace orvane {

struct TSculptData;

// PreviewVertices[i][j] := Round(127 v) / 127 per coordinate over the used block.
void UpdatePreviewVertices(TSculptData& model, const TGridGeometry& grid);

}  // namespace orvane
