// Loading a mode text file into the model: recognised by its marker, built by its mode.
#pragma once

#include <QString>

#include "model/grid_geometry.h"
#include "model/sculpt_data.h"

namespace orvane {

// Reads the file into a scratch SPHERE 32x32 and commits it to model and grid only when
// it is a usable LATHE text file; otherwise returns false with the reason, nothing changed.
bool LoadModeTextFile(const QString& file, TSculptData& model, TGridGeometry& grid, QString* reason);

}  // namespace orvane
