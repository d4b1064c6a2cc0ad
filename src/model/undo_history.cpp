// Snapshots and the undo ring.
#include "model/undo_history.h"

namespace orvane {

namespace {

int Step(int index, int delta) { return ((index + delta) % kHistorySize + kHistorySize) % kHistorySize; }

// The grid geometry of the model's own aspect, then the restore of the cursors.
void RestoreTail(const TSculptData& model, TGridGeometry& grid) { ApplyAspect(grid, model.Aspect); }

}  // namespace

void TakeSnapshot(const TSculptData& model, TSculptSnapshot& s) {
  s.SculptType = model.SculptType;
  s.Aspect = model.Aspect;
  const auto [C, R] = AspectToCounts(model.Aspect);
  for (int j = 0; j < R; ++j) {
    for (int i = 0; i < C; ++i) {
      const int k = j * C + i;
      s.Selected[k] = model.Selected[i][j];
      s.Locked[k] = model.Locked[i][j];
      s.Vertices[k] = model.Vertices[i][j];
      s.BaseVertices[k] = model.BaseVertices[i][j];
      s.PreviewVertices[k] = model.PreviewVertices[i][j];
    }
  }
  s.SelectionCentre = model.SelectionCentre;
  s.SelectedCount = model.SelectedCount;
  s.Frame = model.Frame;
  s.BaseFrame = model.BaseFrame;
}

void RestoreSnapshot(const TSculptSnapshot& s, TSculptData& model) {
  model.SculptType = s.SculptType;
  model.Aspect = s.Aspect;
  const auto [C, R] = AspectToCounts(s.Aspect);
  for (int j = 0; j < R; ++j) {
    for (int i = 0; i < C; ++i) {
      const int k = j * C + i;
      model.Selected[i][j] = s.Selected[k];
      model.Locked[i][j] = s.Locked[k];
      model.Vertices[i][j] = s.Vertices[k];
      model.BaseVertices[i][j] = s.BaseVertices[k];
      model.PreviewVertices[i][j] = s.PreviewVertices[k];
    }
  }
  model.SelectionCentre = s.SelectionCentre;
  model.SelectedCount = s.SelectedCount;
  model.Frame = s.Frame;
  model.BaseFrame = s.BaseFrame;
}

void StartHistory(TUndoHistory& h, const TSculptData& model) {
  h.Valid.fill(0);
  h.Current = 0;
  h.Newest = 0;
  TakeSnapshot(model, (*h.Entries)[0]);
  h.Valid[0] = 1;
}

void PushSnapshot(TUndoHistory& h, const TSculptData& model) {
  const int oldNewest = h.Newest;
  const bool hadRedo = h.Current != h.Newest;
  h.Current = Step(h.Current, 1);
  // The redo states after the new entry are abandoned; once the ring has wrapped
  // they would otherwise look like older history to a later undo.
  if (hadRedo) {
    for (int k = h.Current; k != oldNewest;) {
      k = Step(k, 1);
      h.Valid[k] = 0;
    }
  }
  h.Newest = h.Current;
  TakeSnapshot(model, (*h.Entries)[h.Current]);
  h.Valid[h.Current] = 1;
}

bool CanUndo(const TUndoHistory& h) {
  const int previous = Step(h.Current, -1);
  return previous != h.Newest && h.Valid[previous] != 0;
}

bool CanRedo(const TUndoHistory& h) { return h.Current != h.Newest && h.Valid[Step(h.Current, 1)] != 0; }

void Undo(TUndoHistory& h, TSculptData& model, TGridGeometry& grid) {
  if (!CanUndo(h)) return;
  h.Current = Step(h.Current, -1);
  RestoreSnapshot((*h.Entries)[h.Current], model);
  RestoreTail(model, grid);
}

void Redo(TUndoHistory& h, TSculptData& model, TGridGeometry& grid) {
  if (!CanRedo(h)) return;
  h.Current = Step(h.Current, 1);
  RestoreSnapshot((*h.Entries)[h.Current], model);
  RestoreTail(model, grid);
}

}  // namespace orvane
