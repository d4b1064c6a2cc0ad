// Mode text files: which mode wrote a file, and bringing the grid they build into range.
#pragma once

#include <QByteArrayView>

#include "model/grid_geometry.h"
#include "model/heap_grid.h"

namespace orvane {

enum class TModeTextKind { None, Lathe, Extrude, Bend };

// The first of the markers "--LATHE DATA V3", "--EXTRUDE DATA V3", "--BEND DATA V1"
// found as a whole line (letters in any case), in that order of preference.
TModeTextKind DetectModeText(QByteArrayView text);

// Divides every used coordinate by the largest magnitude when that exceeds 1.
void FitToUnit(TVertexGrid& vertices, const TGridGeometry& grid);

}  // namespace orvane
