// The 3D preview's triangle mesh, built from the quantised grid.
#pragma once

#include <cstdint>
#include <vector>

#include "model/grid_geometry.h"

namespace orvane {

struct TSculptData;

// Single-precision lists ready for the GPU: three floats per position and
// normal, two per texture coordinate, three indices per triangle.
struct TPreviewMesh {
  std::vector<float> Positions;
  std::vector<float> TexCoords;
  std::vector<float> Normals;
  std::vector<std::uint32_t> Indices;

  int VertexCount() const { return static_cast<int>(Positions.size() / 3); }
  int TriangleCount() const { return static_cast<int>(Indices.size() / 3); }
};

// Builds the mesh from PreviewVertices, every viewLevel-th column and row
// (1, 2 or 4; anything else counts as 1), rows from the last to the first.
void BuildPreviewMesh(const TSculptData& model, const TGridGeometry& grid, int viewLevel, TPreviewMesh& mesh);

}  // namespace orvane

#include <QImage>

namespace orvane {

// The texture as the GPU takes it: RGBA, rows turned upside down (row 0 is the
// picture's bottom row), alpha from the 8-bit alpha bitmap. When either bitmap is
// not height rows high the result stays unfilled (transparent black).
QImage BuildUploadImage(const QImage& colour, const QImage& alpha, int width, int height);

}  // namespace orvane
