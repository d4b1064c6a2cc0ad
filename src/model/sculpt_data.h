// The one editable model: the vertex grid, its sculpt type and aspect, flags and frame.
#pragma once

#include <cstdint>

#include "model/grid_geometry.h"
#include "model/heap_grid.h"
#include "model/types.h"

namespace orvane {

// Grids hold 257 x 257 entries allocated once; only the leading
// ColumnCount x RowCount block is in use. Indexing is [column][row].
struct TSculptData {
  std::uint8_t SculptType = stSphere;
  std::int32_t SelectedCount = 0;
  TDbl3D SelectionCentre{};
  std::int32_t Aspect = ar32x32;
  TVertexGrid Vertices;         // edited and saved
  TVertexGrid BaseVertices;     // committed copy; the drag base
  TVertexGrid PreviewVertices;  // Vertices rounded to whole map levels
  TFlagPlane Selected;
  TFlagPlane Locked;
  TSelectionFrame Frame;
  TSelectionFrame BaseFrame;

  // Overlay marks of the preview texture; the modes copy theirs in when they draw.
  TMarkArray ColumnMarks;
  TMarkArray RowMarks;

  TSculptData();
};

// The "New" model: geometry, type, cleared flags, default shape, stitched.
void ResetModel(TSculptData& model, TGridGeometry& grid, int type, int aspect);

// Writes the default shape of a sculpt type into a grid.
void BuildDefaultShape(TVertexGrid& vertices, int type, const TGridGeometry& grid);

// Copies seam and pole duplicates (vertex, Selected, Locked) from their master cells.
void Stitch(TSculptData& model, const TGridGeometry& grid);

// Stitch, refresh PreviewVertices, recount SelectedCount and SelectionCentre.
void UpdateSelection(TSculptData& model, const TGridGeometry& grid);

// BaseVertices := Vertices over the used block; BaseFrame := Frame.
void CommitBase(TSculptData& model, const TGridGeometry& grid);

// True when Vertices[i][j] differs from BaseVertices[i][j] (exact comparison).
bool VertexMoved(const TSculptData& model, int column, int row);

// Every used coordinate into -1 .. 128/127; non-finite values become 0 first.
void ClampVertices(TVertexGrid& vertices, const TGridGeometry& grid);

void FillFlags(TFlagPlane& plane, std::uint8_t value, const TGridGeometry& grid);
void InvertFlags(TFlagPlane& plane, const TGridGeometry& grid);
// Locked := value on every used cell whose Selected entry is nonzero.
void LockSelected(TSculptData& model, std::uint8_t value, const TGridGeometry& grid);

// Completes corners 1 and 2 from corners 0 and 3; optionally recentres the pivot.
void NormaliseFrame(TSelectionFrame& frame, bool recomputeCentre);

}  // namespace orvane
