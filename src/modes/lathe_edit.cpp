// LATHE editing: picking and selecting profile points, moving and transforming them, and revolving the profile.
#include <algorithm>
#include <cmath>

#include "model/grid_ops.h"
#include "model/rounding.h"
#include "model/view_transform.h"
#include "modes/lathe.h"

namespace orvane {

namespace {

double FiniteOr0(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

void TLatheMode::RestoreBase(TSculptData& model) const {
  const TGridGeometry& g = Context.Grid;
  for (int i = 0; i < g.ColumnCount; ++i)
    for (int k = 0; k < g.RowCount; ++k) model.Vertices[i][k] = model.BaseVertices[i][k];
}

void TLatheMode::SnapIfGrid(TSculptData& model) const {
  const int levels = ViewMetrics(Context.Settings).Grid;
  if (levels > 0) SnapToGrid(model, Context.Grid, levels);
}

bool TLatheMode::Press(TSculptData& model, int x, int y, bool add) {
  const TGridGeometry& g = Context.Grid;
  const int column = ProfileColumn();
  const int h = MarkerSize(Context.Settings);
  int hit = -1;
  // From the top row down, so the higher row wins where markers overlap.
  for (int k = g.RowCount - 1; k >= 0 && hit < 0; --k) {
    const TDbl3D& v = model.Vertices[column][k];
    if (InSquare(x, y, ViewX(LatheRadius(v)), ViewY(v.Z), h)) hit = k;
  }
  if (hit >= 0) {
    // A press on a selected point keeps the selection so that all of it can be dragged.
    if (model.Selected[column][hit] == 0 && !add) FillFlags(model.Selected, 0, g);
    model.Selected[column][hit] = 1;
  }
  ApplyAxisRules(model);
  UpdateSelection(model, g);
  return hit >= 0;
}

void TLatheMode::SelectRect(TSculptData& model, int x0, int y0, int x1, int y1, bool add) {
  const TGridGeometry& g = Context.Grid;
  if (!add) FillFlags(model.Selected, 0, g);
  const int left = std::min(x0, x1), right = std::max(x0, x1);
  const int top = std::min(y0, y1), bottom = std::max(y0, y1);
  const int column = ProfileColumn();
  for (int k = 0; k < g.RowCount; ++k) {
    const TDbl3D& v = model.Vertices[column][k];
    const int x = ViewX(LatheRadius(v));
    const int y = ViewY(v.Z);
    if (left <= x && x <= right && top <= y && y <= bottom) model.Selected[column][k] = 1;
  }
  ApplyAxisRules(model);
  UpdateSelection(model, g);
}

void TLatheMode::DragMove(TSculptData& model, double dx, double dy) {
  const TGridGeometry& g = Context.Grid;
  const double grow = FiniteOr0(dx) / 127.0;
  const double rise = FiniteOr0(dy) / 127.0;
  RestoreBase(model);
  for (int i = 0; i < g.ColumnCount; ++i) {
    const double angle = LatheColumnAngle(i, g);
    for (int k = 0; k < g.RowCount; ++k) {
      if (model.Selected[i][k] == 0 || model.Locked[i][k] != 0) continue;
      const TDbl3D& b = model.BaseVertices[i][k];
      TDbl3D& v = model.Vertices[i][k];
      const double radius = LatheRadius(b);
      if (radius > 0) {
        v.X = (b.X / radius) * (radius + grow);
        v.Y = (b.Y / radius) * (radius + grow);
      } else {
        // A point on the axis leaves it along its own column's direction.
        v.X = grow * std::cos(angle);
        v.Y = grow * std::sin(angle);
      }
      v.Z = b.Z - rise;
    }
  }
  SnapIfGrid(model);
  RevolveProfile(model);
  ClampVertices(model.Vertices, g);
  UpdateSelection(model, g);
}

void TLatheMode::UpdateFrame(TSculptData& model, bool recentre) {
  if (model.SelectedCount < 2) return;
  const TGridGeometry& g = Context.Grid;
  double rmin = 2, zmin = 2, rmax = -2, zmax = -2;
  bool any = false;
  for (int i = 0; i < g.ColumnCount; ++i)
    for (int k = 0; k < g.RowCount; ++k) {
      if (model.Selected[i][k] != 1) continue;
      const TDbl3D& v = model.Vertices[i][k];
      const double r = LatheRadius(v);
      rmin = std::min(rmin, r);
      rmax = std::max(rmax, r);
      zmin = std::min(zmin, v.Z);
      zmax = std::max(zmax, v.Z);
      any = true;
    }
  if (!any) return;  // selection marks other than 1 give no box
  model.Frame.X[0] = rmin;
  model.Frame.X[3] = rmax;
  model.Frame.Y[0] = zmin;
  model.Frame.Y[3] = zmax;
  NormaliseFrame(model.Frame, recentre);
}

int TLatheMode::HitTest(TSculptData& model, int x, int y) {
  if (model.SelectedCount < 2) return fhNone;
  return FrameHitTest(Context.Settings, FramePixels(model.Frame), x, y);
}

void TLatheMode::DragHandle(TSculptData& model, int code, int x0, int y0, int x, int y) {
  const bool free = code >= fhFreeCorner0 && code <= fhFreeCorner3;
  if (!free && !(code >= fhCorner0 && code <= fhRotate)) return;
  const TGridGeometry& g = Context.Grid;
  const double r0 = RadiusAt(x0), r1 = RadiusAt(x);
  const double z0 = HeightAt(y0), z1 = HeightAt(y);
  TFrameMatrix matrix;
  TCornerDeform deform;
  if (free) deform = FrameCornerDeform(model, code, r1, z1);
  else matrix = FrameHandleMatrix(model, code, r0, z0, r1, z1);
  const auto transform = [&](double r, double z) {
    return free ? ApplyCornerDeform(deform, r, z) : ApplyFrameMatrix(matrix, r, z);
  };

  RestoreBase(model);
  // Only the profile column is transformed here; the linked columns follow through the revolve.
  const int column = ProfileColumn();
  for (int k = 0; k < g.RowCount; ++k) {
    if (model.Selected[column][k] != 1 || model.Locked[column][k] != 0) continue;
    const TDbl3D& b = model.BaseVertices[column][k];
    const TDPoint p = transform(LatheRadius(b), b.Z);
    TDbl3D& v = model.Vertices[column][k];
    SetRadius(v, b, p.X);
    v.Z = p.Y;
  }
  const TSelectionFrame& base = model.BaseFrame;
  for (int c = 0; c < 4; ++c) {
    const TDPoint p = transform(base.X[c], base.Y[c]);
    model.Frame.X[c] = p.X;
    model.Frame.Y[c] = p.Y;
  }
  const TDPoint pivot = transform(base.CentreX, base.CentreY);
  model.Frame.CentreX = pivot.X;
  model.Frame.CentreY = pivot.Y;

  RevolveProfile(model);
  SnapIfGrid(model);
  ClampVertices(model.Vertices, g);
  UpdateSelection(model, g);
}

void TLatheMode::DragFollow(TSculptData& model, double dx, double dy) {
  if (model.SelectedCount < 2) return;
  double cx = model.BaseFrame.CentreX + FiniteOr0(dx) / 127.0;
  double cy = model.BaseFrame.CentreY - FiniteOr0(dy) / 127.0;
  const int levels = ViewMetrics(Context.Settings).Grid;
  if (levels > 0) {
    const double step = levels / 127.0;
    cx = step * RoundHalfEven(cx / step);
    cy = step * RoundHalfEven(cy / step);
  }
  model.Frame.CentreX = cx;
  model.Frame.CentreY = cy;
}

void TLatheMode::ApplyAxisRules(TSculptData& model) const {
  const TGridGeometry& g = Context.Grid;
  const int column = ProfileColumn();
  const int last = g.RowCount - 1;
  if (model.SculptType == stSphere) {
    // Column 0 holds the poles' master cells: the profile's pole flags go there.
    for (int row : {0, last}) {
      model.Selected[0][row] = model.Selected[column][row];
      model.Locked[0][row] = model.Locked[column][row];
    }
    if (Context.Settings.FixedToAxis) {
      for (int row : {0, last})
        if (model.Selected[0][row] != 0 && model.Locked[0][row] == 0)
          model.Vertices[0][row] = TDbl3D{0.0, 0.0, model.Vertices[column][row].Z};
    }
  }
  for (int k = 0; k <= last; ++k) {
    TDbl3D& v = model.Vertices[column][k];
    if (model.Selected[column][k] != 0 && model.Locked[column][k] == 0 && v.X > 0) v.X = -v.X;
  }
}

void TLatheMode::RevolveProfile(TSculptData& model) const {
  const TGridGeometry& g = Context.Grid;
  const int column = ProfileColumn();
  ClampVertices(model.Vertices, g);
  ApplyAxisRules(model);

  if (Context.Settings.RearrangeType == 1) {
    // Rows between the shown rows are kept evenly spaced on the segment they belong to.
    const int vl = ClampViewLevel(Context.Settings.ViewLevel);
    for (int m = 0; m < (g.RowCount - 1) / vl; ++m) {
      const int a = m * vl, b = (m + 1) * vl;
      if (model.Selected[column][a] == 0 && model.Selected[column][b] == 0) continue;
      const TDbl3D pa = model.Vertices[column][a];
      const TDbl3D pb = model.Vertices[column][b];
      for (int t = 1; t < vl; ++t) {
        if (model.Locked[column][a + t] != 0) continue;
        TDbl3D& v = model.Vertices[column][a + t];
        for (int axis = 0; axis < 3; ++axis) v[axis] = ((vl - t) * pa[axis] + t * pb[axis]) / vl;
      }
    }
  }

  // Only rows that moved are spread, so a column shaped on its own keeps its other rows.
  for (int k = 0; k < g.RowCount; ++k) {
    if (!VertexMoved(model, column, k) || model.Locked[column][k] != 0) continue;
    const double baseRadius = LatheRadius(model.BaseVertices[column][k]);
    const double radius = LatheRadius(model.Vertices[column][k]);
    const double z = model.Vertices[column][k].Z;
    for (int j = 0; j < g.ColumnCount; ++j) {
      if (j == column || Sides[j] != 1 || model.Locked[j][k] != 0) continue;
      const TDbl3D& b = model.BaseVertices[j][k];
      TDbl3D& v = model.Vertices[j][k];
      const double ratio = baseRadius > 0 ? radius / baseRadius : 0.0;
      if (baseRadius > 0 && std::isfinite(ratio)) {
        // Each linked column scales radially by the profile's ratio, keeping its own shape.
        v.X = b.X * ratio;
        v.Y = b.Y * ratio;
      } else {
        // No base radius to scale by (or one too small to divide by): the column's own angle.
        const double angle = LatheColumnAngle(j, g);
        v.X = radius * std::cos(angle);
        v.Y = radius * std::sin(angle);
      }
      v.Z = z;
    }
  }
  ApplyAxisRules(model);
}

}  // namespace orvane
