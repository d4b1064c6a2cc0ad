// The Bitmap mode's numeric point edits: nudging and setting the selected vertices by map levels.
#pragma once

#include "model/grid_geometry.h"
#include "model/sculpt_data.h"

namespace orvane {

// Moves every unlocked vertex whose Selected entry is exactly 1 by whole levels.
void BitmapNudge(TSculptData& model, const TGridGeometry& grid, int dx, int dy, int dz);

// Sets every unlocked vertex whose Selected entry is exactly 1 to the given levels.
void BitmapSetLevels(TSculptData& model, const TGridGeometry& grid, int lx, int ly, int lz);

// The first selected vertex, scanning each row's columns in turn; false when none.
bool FirstSelectedVertex(const TSculptData& model, const TGridGeometry& grid, int& column, int& row);

}  // namespace orvane
