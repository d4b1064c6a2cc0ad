// The undo ring: linear and wrapped histories, cut redo ranges, aspect changes, no allocation per push.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "model/undo_history.h"
#include "test_world.h"

// Counts allocations so the test can prove that a push allocates nothing.
namespace {
std::atomic<long> gAllocations{0};
}
void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace orvane {
namespace {

struct World : TTestWorld {
  std::unique_ptr<TUndoHistory> history = std::make_unique<TUndoHistory>();
  World() {
    CommitBase(*model, grid);
    StartHistory(*history, *model);
  }
  // An edit that leaves a readable trace: vertex [1][1].X holds the edit number.
  void Edit(int n) {
    model->Vertices[1][1].X = n / 1000.0;
    UpdateSelection(*model, grid);
    CommitBase(*model, grid);
    PushSnapshot(*history, *model);
  }
  int State() const { return static_cast<int>(model->Vertices[1][1].X * 1000.0 + 0.5); }
  int UndoAll() {
    int steps = 0;
    while (CanUndo(*history)) {
      Undo(*history, *model, grid);
      ++steps;
    }
    return steps;
  }
};

TEST(UndoHistory, StartsWithNothingToUndoOrRedo) {
  World w;
  EXPECT_FALSE(CanUndo(*w.history));
  EXPECT_FALSE(CanRedo(*w.history));
}

TEST(UndoHistory, OneEditUndoneAndRedone) {
  World w;
  const TDbl3D start = w.model->Vertices[1][1];
  w.Edit(7);
  ASSERT_TRUE(CanUndo(*w.history));
  Undo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.model->Vertices[1][1], start);
  EXPECT_EQ(w.model->BaseVertices[1][1], start);
  EXPECT_FALSE(CanUndo(*w.history));
  ASSERT_TRUE(CanRedo(*w.history));
  Redo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.State(), 7);
  EXPECT_FALSE(CanRedo(*w.history));
}

TEST(UndoHistory, PushAfterUndoCutsTheRedoRange) {
  World w;
  w.Edit(1);
  w.Edit(2);
  w.Edit(3);
  Undo(*w.history, *w.model, w.grid);
  Undo(*w.history, *w.model, w.grid);
  w.Edit(4);
  EXPECT_FALSE(CanRedo(*w.history));
  Undo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.State(), 1);
}

TEST(UndoHistory, WrappedRingGives255Undos) {
  World w;
  for (int n = 1; n <= 300; ++n) w.Edit(n);
  EXPECT_EQ(w.UndoAll(), 255);
  EXPECT_EQ(w.State(), 45);
  // with Current = Newest + 1 after a full walk back, redo runs forward again
  Redo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.State(), 46);
}

TEST(UndoHistory, RedoAcrossTheRingEnd) {
  World w;
  for (int n = 1; n <= 256; ++n) w.Edit(n);  // Newest is entry 0 again
  EXPECT_EQ(w.history->Newest, 0);
  Undo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.history->Current, 255);
  ASSERT_TRUE(CanRedo(*w.history));
  Redo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.history->Current, 0);
  EXPECT_EQ(w.State(), 256);
}

TEST(UndoHistory, AfterAWrapUndoNeverReachesAbandonedRedoStates) {
  World w;
  for (int n = 1; n <= 300; ++n) w.Edit(n);
  for (int k = 0; k < 10; ++k) Undo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.State(), 290);
  w.Edit(1000);  // states 291 .. 300 are abandoned
  int steps = 0;
  while (CanUndo(*w.history)) {
    Undo(*w.history, *w.model, w.grid);
    ++steps;
    ASSERT_TRUE(w.State() <= 290) << "undo reached an abandoned state " << w.State();
  }
  EXPECT_EQ(w.State(), 45);  // the oldest state still held
  EXPECT_EQ(steps, 246);
}

TEST(UndoHistory, UndoAcrossAnAspectChangeRestoresTheGeometry) {
  World w;
  w.grid.LatheColumn = 16;
  ResetModel(*w.model, w.grid, stTorus, ar64x16);
  CommitBase(*w.model, w.grid);
  PushSnapshot(*w.history, *w.model);
  w.grid.LatheColumn = 40;
  Undo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.model->Aspect, ar32x32);
  EXPECT_EQ(w.model->SculptType, stSphere);
  EXPECT_EQ(w.grid.ColumnCount, 33);
  EXPECT_EQ(w.grid.RowCount, 33);
  EXPECT_EQ(w.grid.LatheColumn, 16);
  EXPECT_DOUBLE_EQ(w.model->Vertices[0][0].Z, -96.0 / 127.0);
  Redo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.grid.ColumnCount, 65);
  EXPECT_EQ(w.model->SculptType, stTorus);
}

TEST(UndoHistory, SnapshotsKeepFlagsFramesAndCounts) {
  World w;
  w.model->Selected[2][5] = 1;
  w.model->Locked[3][6] = 1;
  w.model->Frame.CentreX = 0.25;
  UpdateSelection(*w.model, w.grid);
  CommitBase(*w.model, w.grid);
  PushSnapshot(*w.history, *w.model);
  w.Edit(9);
  w.model->Selected[2][5] = 0;
  Undo(*w.history, *w.model, w.grid);
  EXPECT_EQ(w.model->Selected[2][5], 1);
  EXPECT_EQ(w.model->Locked[3][6], 1);
  EXPECT_EQ(w.model->SelectedCount, 1);
  EXPECT_EQ(w.model->BaseFrame.CentreX, 0.25);
}

TEST(UndoHistory, PushAndUndoAllocateNothing) {
  World w;
  const long before = gAllocations.load();
  for (int n = 1; n <= 300; ++n) PushSnapshot(*w.history, *w.model);
  for (int n = 0; n < 100; ++n) Undo(*w.history, *w.model, w.grid);
  EXPECT_EQ(gAllocations.load(), before);
}

}  // namespace
}  // namespace orvane
