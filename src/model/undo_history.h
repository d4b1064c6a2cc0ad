// The undo history: a ring of 256 compact snapshots of the model, allocated once.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "model/grid_geometry.h"
#include "model/sculpt_data.h"
#include "model/zeroed_table.h"

namespace orvane {

// The largest used block: 257 x 5 or 5 x 257 vertices.
inline constexpr int kSnapshotCapacity = 1285;
inline constexpr int kHistorySize = 256;

// The used block of the model, stored row after row (k = j * ColumnCount + i).
struct TSculptSnapshot {
  std::uint8_t SculptType = 0;
  std::int32_t SelectedCount = 0;
  TDbl3D SelectionCentre{};
  std::int32_t Aspect = 0;
  std::array<TDbl3D, kSnapshotCapacity> Vertices{};
  std::array<TDbl3D, kSnapshotCapacity> BaseVertices{};
  std::array<TDbl3D, kSnapshotCapacity> PreviewVertices{};
  std::array<std::uint8_t, kSnapshotCapacity> Selected{};
  std::array<std::uint8_t, kSnapshotCapacity> Locked{};
  TSelectionFrame Frame;
  TSelectionFrame BaseFrame;
};

struct TUndoHistory {
  int Current = 0;
  int Newest = 0;
  // Valid[k]: entry k holds a state that undo or redo may restore.
  std::array<std::uint8_t, kHistorySize> Valid{};
  // About 24 MB, of which only the entries in use are ever mapped.
  using TEntries = std::array<TSculptSnapshot, kHistorySize>;
  TZeroedPtr<TEntries> Entries = MakeZeroed<TEntries>();
};

void TakeSnapshot(const TSculptData& model, TSculptSnapshot& snapshot);
void RestoreSnapshot(const TSculptSnapshot& snapshot, TSculptData& model);

// Forgets everything and records the model as the only state.
void StartHistory(TUndoHistory& history, const TSculptData& model);
// Records the model as the newest state; any redo states are dropped.
void PushSnapshot(TUndoHistory& history, const TSculptData& model);
bool CanUndo(const TUndoHistory& history);
bool CanRedo(const TUndoHistory& history);
// Step back or forward and restore that state, with its grid geometry.
void Undo(TUndoHistory& history, TSculptData& model, TGridGeometry& grid);
void Redo(TUndoHistory& history, TSculptData& model, TGridGeometry& grid);

}  // namespace orvane
