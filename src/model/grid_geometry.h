// Grid geometry derived from the aspect code, and the section cursors of the modes.
#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "model/types.h"

namespace orvane {

// Process-wide values recomputed by ApplyAspect whenever the aspect changes.
// Owned by the workspace and passed by reference; never a global.
struct TGridGeometry {
  int ColumnCount = 33;
  int RowCount = 33;
  int MidColumn = 16;
  int MidRow = 16;
  int CapRows = 8;
  int TextureWidth = 512;
  int TextureHeight = 512;

  // Section cursors: the modes own their meaning, the model resets them.
  int LatheColumn = 16;
  int ExtrudeRow = 8;
  int HoopRow = 8;
  std::array<int, 2> BendSections{0, 16};
  std::array<int, 2> BendTorusSections{32, 16};
};

// (ColumnCount, RowCount) of an aspect code; codes outside 1..6 give 33 columns.
std::pair<int, int> AspectToCounts(int aspect);

// Recompute the geometry for an aspect code, reset the BEND cursors, and pull
// any other cursor that the new grid no longer has back to its default.
void ApplyAspect(TGridGeometry& grid, int aspect);

// Cursors to their defaults: LatheColumn to MidColumn, ExtrudeRow and HoopRow to CapRows.
void ResetSectionCursors(TGridGeometry& grid);

// "32x32", "64x16", ... ; empty for a code outside 0..6.
std::string_view AspectName(int aspect);
// "SPHERE", "TORUS", "PLANE", "CYLINDER"; empty for an unknown type.
std::string_view SculptTypeName(int type);

}  // namespace orvane
