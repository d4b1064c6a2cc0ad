// One-character names of grid columns and rows, and their labels on the texture.
#pragma once

#include <string>

#include "model/grid_geometry.h"

class QImage;

namespace orvane {

// The name of the picture position n counted from the left (columns) or top (rows):
// "G" for the last position, otherwise "0" .. "F" by n div 2, repeating every 32.
std::string ColumnLabel(const TGridGeometry& grid, int n);
std::string RowLabel(const TGridGeometry& grid, int n);

// Writes the two-character name (column label, row label) into every 32 x 32 square
// of a TextureWidth x TextureHeight bitmap, in black with no background.
void DrawGridLabels(QImage& bitmap, const TGridGeometry& grid);

}  // namespace orvane
