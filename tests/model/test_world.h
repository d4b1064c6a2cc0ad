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

// How many cells of the full 257 x 257 capacity differ between two models in their
// vertices, drag base, selection or locks: 0 when a refused operation left a model alone.
inline int GridDifferences(const TSculptData& a, const TSculptData& b) {
  int differ = 0;
  for (int i = 0; i < kGridCapacity; ++i) {
    for (int j = 0; j < kGridCapacity; ++j) {
      differ += a.Vertices[i][j] == b.Vertices[i][j] ? 0 : 1;
      differ += a.BaseVertices[i][j] == b.BaseVertices[i][j] ? 0 : 1;
      differ += a.Selected[i][j] == b.Selected[i][j] ? 0 : 1;
      differ += a.Locked[i][j] == b.Locked[i][j] ? 0 : 1;
    }
  }
  return differ;
}

}  // namespace orvane
