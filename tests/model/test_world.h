// A small world for model tests: one model on the heap and its grid geometry.
#pragma once

#include <memory>

#include "model/sculpt_data.h"

namespace orvane {

struct TTestWorld {
  std::unique_ptr<TSculptData> model = std::make_unique<TSculptData>();
  TGridGeometry grid;

  explicit TTestWorld(int type = stSphere, int aspect = ar32x32) { ResetModel(*model, grid, type, aspect); }
  TSculptData& m() { return *model; }
  // A copy of the whole model, to compare with after an operation.
  std::unique_ptr<TSculptData> Copy() const { return std::make_unique<TSculptData>(*model); }
};

}  // namespace orvane
