// A LATHE test world: the model, its geometry, settings and the mode built on them.
#pragma once

#include <cmath>

#include "modes/lathe.h"
#include "test_world.h"

namespace orvane {

struct TLatheWorld {
  TTestWorld world;
  TAppSettings settings;
  TLatheMode mode{TModeContext{world.grid, settings}};

  explicit TLatheWorld(int type = stSphere, int aspect = ar32x32) : world(type, aspect) { Commit(); }

  TSculptData& m() { return world.m(); }
  TGridGeometry& grid() { return world.grid; }
  int Column() const { return world.grid.LatheColumn; }
  // Commits the grid as a finished edit does, and fits the view as activation does.
  void Commit() {
    CommitBase(m(), grid());
    mode.Activate(m());
  }
  // Screen position of profile row k.
  int PX(int k) { return mode.ViewX(LatheRadius(m().Vertices[Column()][k])); }
  int PY(int k) { return mode.ViewY(m().Vertices[Column()][k].Z); }
  // Puts profile row k at radius r (on the profile column's own side) and height z.
  void SetProfile(int k, double r, double z) {
    const double angle = LatheColumnAngle(Column(), grid());
    m().Vertices[Column()][k] = TDbl3D{r * std::cos(angle), r * std::sin(angle), z};
  }
  void SetPoint(int column, int k, double r, double z) {
    const double angle = LatheColumnAngle(column, grid());
    m().Vertices[column][k] = TDbl3D{r * std::cos(angle), r * std::sin(angle), z};
  }
};

}  // namespace orvane
