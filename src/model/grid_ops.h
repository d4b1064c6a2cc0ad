// Whole-grid operations: snapping, flips, mirrors, Maximize, Inside Out, offset, rotation, magnet, smoothing.
#pragma once

#include <functional>
#include <string_view>

#include "model/grid_geometry.h"
#include "model/sculpt_data.h"

namespace orvane {

// Symmetry planes of the plane dialog.
enum TPlane : int { plNone = -1, plXY = 0, plYZ = 1, plZX = 2 };

// Asks the user for a symmetry plane: shows the dialog with the caption and the
// first focus on the given plane; returns the plane, or plNone when closed.
using TPlaneChooser = std::function<int(std::string_view caption, int firstFocus)>;

// Rounds every unlocked, selected coordinate to a multiple of gridLevels map levels.
void SnapToGrid(TSculptData& model, const TGridGeometry& grid, int gridLevels);

// Mirrors the columns about the chosen plane's first axis.
void FlipHorizontal(TSculptData& model, const TGridGeometry& grid, const TPlaneChooser& choose);
// A half turn about the chosen plane's first axis: columns and rows reversed.
void FlipVertical(TSculptData& model, const TGridGeometry& grid, const TPlaneChooser& choose);
// Columns 0 .. MidColumn-1 become the reflection of the other half across the middle column.
void MirrorColumns(TSculptData& model, const TGridGeometry& grid, const TPlaneChooser& choose);
// Rows R-1 .. R-MidRow become the reflection of rows 0 .. MidRow-1 across the middle row.
void MirrorRows(TSculptData& model, const TGridGeometry& grid, const TPlaneChooser& choose);

// Stretches each coordinate to the full map range; a constant coordinate is kept.
void Maximize(TSculptData& model, const TGridGeometry& grid);
// Reverses the column order, turning the surface inside out.
void InsideOut(TSculptData& model, const TGridGeometry& grid);
// Shifts the grid by a columns and b rows around the sculpt type's periods.
void OffsetGrid(TSculptData& model, const TGridGeometry& grid, int a, int b);
// Rotates the grid by a half turn and/or a quarter turn (the quarter needs a square grid).
void RotateGrid(TSculptData& model, const TGridGeometry& grid, bool quarter, bool half);
// Whether a quarter turn is possible for this grid.
bool CanRotateQuarter(const TGridGeometry& grid);
// Pulls every unlocked, selected vertex onto the selection centre.
void Magnet(TSculptData& model, const TGridGeometry& grid);
// Gaussian smoothing of the unlocked, selected vertices; radii in cells (columns, rows).
void GaussSmooth(TSculptData& model, const TGridGeometry& grid, double rc, double rr);

}  // namespace orvane
