// The shape as it was last saved or loaded, to tell whether closing would lose work.
#pragma once

#include <vector>

#include "model/grid_geometry.h"
#include "model/sculpt_data.h"

namespace orvane {

struct TSavedShape {
  int SculptType = -1;
  int Aspect = -1;
  std::vector<TDbl3D> Vertices;  // the used block, column after column
};

void RememberShape(TSavedShape& saved, const TSculptData& model, const TGridGeometry& grid);
// True when the type, the aspect or any vertex differs; selections and locks are not work.
bool ShapeDiffers(const TSavedShape& saved, const TSculptData& model, const TGridGeometry& grid);

}  // namespace orvane
