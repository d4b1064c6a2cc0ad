// Aspect table and grid geometry.
#include "model/grid_geometry.h"

#include <algorithm>
#include <tuple>

namespace orvane {

namespace {
constexpr std::array<int, kAspectCount> kAspectColumns{33, 65, 129, 257, 17, 9, 5};
constexpr std::array<std::string_view, kAspectCount> kAspectNames{
    "32x32", "64x16", "128x8", "256x4", "16x64", "8x128", "4x256"};
constexpr std::array<std::string_view, 4> kTypeNames{"SPHERE", "TORUS", "PLANE", "CYLINDER"};
}  // namespace

std::pair<int, int> AspectToCounts(int aspect) {
  const int columns = (aspect >= 1 && aspect <= 6) ? kAspectColumns[aspect] : 33;
  return {columns, 1024 / (columns - 1) + 1};
}

void ResetSectionCursors(TGridGeometry& grid) {
  grid.LatheColumn = grid.MidColumn;
  grid.ExtrudeRow = grid.CapRows;
  grid.HoopRow = grid.CapRows;
}

void ApplyAspect(TGridGeometry& grid, int aspect) {
  std::tie(grid.ColumnCount, grid.RowCount) = AspectToCounts(aspect);
  grid.MidColumn = (grid.ColumnCount - 1) / 2;
  grid.MidRow = (grid.RowCount - 1) / 2;
  grid.BendSections = {0, grid.MidColumn};
  grid.BendTorusSections = {grid.RowCount - 1, grid.MidRow};
  grid.CapRows = std::clamp(grid.MidRow - 2, 1, 8);
  grid.TextureWidth = (grid.ColumnCount - 1) * 16;
  grid.TextureHeight = (grid.RowCount - 1) * 16;

  // A cursor left over from a wider grid would point past the used block (or
  // onto the seam column) and let the section buttons step outside the grid.
  if (grid.LatheColumn < 0 || grid.LatheColumn > grid.ColumnCount - 2) grid.LatheColumn = grid.MidColumn;
  if (grid.ExtrudeRow < 0 || grid.ExtrudeRow > grid.RowCount - 1) grid.ExtrudeRow = grid.CapRows;
  if (grid.HoopRow < 0 || grid.HoopRow > grid.RowCount - 1) grid.HoopRow = grid.CapRows;
}

std::string_view AspectName(int aspect) {
  return (aspect >= 0 && aspect < kAspectCount) ? kAspectNames[aspect] : std::string_view{};
}

std::string_view SculptTypeName(int type) {
  return (type >= 0 && type < 4) ? kTypeNames[type] : std::string_view{};
}

}  // namespace orvane
