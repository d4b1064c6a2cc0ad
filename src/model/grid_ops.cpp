// Whole-grid operations over the used block.
#include "model/grid_ops.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/rounding.h"

namespace orvane {

namespace {

int Mod(int a, int n) { return ((a % n) + n) % n; }

bool Unlocked(const TSculptData& m, int i, int j) { return m.Locked[i][j] == 0; }

// A copy of the used block: every permuting operation reads only the copy.
TVertexGrid CopyUsed(const TSculptData& m, const TGridGeometry& g) {
  TVertexGrid t;
  for (int i = 0; i < g.ColumnCount; ++i)
    for (int j = 0; j < g.RowCount; ++j) t[i][j] = m.Vertices[i][j];
  return t;
}

void Finish(TSculptData& m, const TGridGeometry& g) {
  ClampVertices(m.Vertices, g);
  UpdateSelection(m, g);
}

TDbl3D Scaled(const TDbl3D& v, const TDbl3D& f) { return {v.X * f.X, v.Y * f.Y, v.Z * f.Z}; }

// The coordinate that a plane's first axis names: XY -> X, YZ -> Y, ZX -> Z.
int FirstAxis(int plane) { return plane; }
// The coordinate that mirroring across a plane reflects: XY -> Z, YZ -> X, ZX -> Y.
int NormalAxis(int plane) { return plane == plXY ? 2 : (plane == plYZ ? 0 : 1); }

bool IsPlane(int p) { return p == plXY || p == plYZ || p == plZX; }

}  // namespace

void SnapToGrid(TSculptData& m, const TGridGeometry& g, int gridLevels) {
  if (gridLevels < 1) return;
  const double s = gridLevels / 127.0;
  for (int i = 0; i < g.ColumnCount; ++i) {
    for (int j = 0; j < g.RowCount; ++j) {
      if (!Unlocked(m, i, j) || m.Selected[i][j] != 1) continue;
      TDbl3D& v = m.Vertices[i][j];
      for (int axis = 0; axis < 3; ++axis) v[axis] = s * RoundHalfEven(v[axis] / s);
    }
  }
}

void FlipHorizontal(TSculptData& m, const TGridGeometry& g, const TPlaneChooser& choose) {
  const int plane = choose("Flip Horizontal", plXY);
  if (!IsPlane(plane)) return;
  TDbl3D factors{1, 1, 1};
  factors[FirstAxis(plane)] = -1;
  const TVertexGrid t = CopyUsed(m, g);
  const int C = g.ColumnCount;
  for (int i = 0; i < C; ++i)
    for (int j = 0; j < g.RowCount; ++j)
      if (Unlocked(m, i, j)) m.Vertices[i][j] = Scaled(t[C - 1 - i][j], factors);
  Finish(m, g);
}

void FlipVertical(TSculptData& m, const TGridGeometry& g, const TPlaneChooser& choose) {
  const int plane = choose("Flip Virtical", plYZ);
  if (!IsPlane(plane)) return;
  TDbl3D factors{-1, -1, -1};
  factors[FirstAxis(plane)] = 1;
  const TVertexGrid t = CopyUsed(m, g);
  const int C = g.ColumnCount;
  const int R = g.RowCount;
  for (int i = 0; i < C; ++i)
    for (int j = 0; j < R; ++j)
      if (Unlocked(m, i, j)) m.Vertices[i][j] = Scaled(t[C - 1 - i][R - 1 - j], factors);
  Finish(m, g);
}

void MirrorColumns(TSculptData& m, const TGridGeometry& g, const TPlaneChooser& choose) {
  const int plane = choose("Mirror 80-GG From 00-7G", plZX);
  if (IsPlane(plane)) {
    const int axis = NormalAxis(plane);
    const int C = g.ColumnCount;
    const int mid = g.MidColumn;
    for (int j = 0; j < g.RowCount; ++j) {
      for (int i = 0; i < mid; ++i) {
        if (!Unlocked(m, i, j)) continue;
        TDbl3D v = m.Vertices[C - 1 - i][j];
        v[axis] = 2.0 * m.Vertices[mid][j][axis] - v[axis];
        m.Vertices[i][j] = v;
      }
    }
  }
  Finish(m, g);
}

void MirrorRows(TSculptData& m, const TGridGeometry& g, const TPlaneChooser& choose) {
  const int plane = choose("Mirror 08-GG From 00-G7", plXY);
  if (IsPlane(plane)) {
    const int axis = NormalAxis(plane);
    const int R = g.RowCount;
    const int mid = g.MidRow;
    for (int i = 0; i < g.ColumnCount; ++i) {
      for (int j = 0; j < mid; ++j) {
        if (!Unlocked(m, i, R - 1 - j)) continue;
        TDbl3D v = m.Vertices[i][j];
        v[axis] = 2.0 * m.Vertices[i][mid][axis] - v[axis];
        m.Vertices[i][R - 1 - j] = v;
      }
    }
  }
  Finish(m, g);
}

void Maximize(TSculptData& m, const TGridGeometry& g) {
  TDbl3D lo = m.Vertices[0][0];
  TDbl3D hi = lo;
  for (int i = 0; i < g.ColumnCount; ++i) {
    for (int j = 0; j < g.RowCount; ++j) {
      for (int axis = 0; axis < 3; ++axis) {
        lo[axis] = std::min(lo[axis], m.Vertices[i][j][axis]);
        hi[axis] = std::max(hi[axis], m.Vertices[i][j][axis]);
      }
    }
  }
  for (int axis = 0; axis < 3; ++axis) {
    const double span = hi[axis] - lo[axis];
    if (!(span > 0.0)) continue;  // a flat coordinate has nothing to stretch
    for (int i = 0; i < g.ColumnCount; ++i)
      for (int j = 0; j < g.RowCount; ++j) {
        double& v = m.Vertices[i][j][axis];
        v = (v - lo[axis]) * (255.0 / 127.0) / span - 1.0;
      }
  }
  Finish(m, g);
}

void InsideOut(TSculptData& m, const TGridGeometry& g) {
  const int C = g.ColumnCount;
  for (int j = 0; j < g.RowCount; ++j)
    for (int i = 0; i <= (C - 1) / 2 - 1; ++i) std::swap(m.Vertices[i][j], m.Vertices[C - 1 - i][j]);
  Finish(m, g);
}

void OffsetGrid(TSculptData& m, const TGridGeometry& g, int a, int b) {
  const int C = g.ColumnCount;
  const int R = g.RowCount;
  const int d = m.SculptType == stPlane ? C : C - 1;
  const int e = m.SculptType == stTorus ? R - 1 : R;
  const TVertexGrid t = CopyUsed(m, g);
  for (int i = 0; i < d; ++i)
    for (int j = 0; j < e; ++j) m.Vertices[Mod(i + a, d)][Mod(j + b, e)] = t[i][j];
  Finish(m, g);
}

bool CanRotateQuarter(const TGridGeometry& g) { return g.ColumnCount == g.RowCount; }

void RotateGrid(TSculptData& m, const TGridGeometry& g, bool quarter, bool half) {
  const int C = g.ColumnCount;
  const int R = g.RowCount;
  const TVertexGrid t = CopyUsed(m, g);
  if (half) {
    for (int i = 0; i < C; ++i)
      for (int j = 0; j < R; ++j) m.Vertices[i][j] = t[C - 1 - i][R - 1 - j];
  }
  // A quarter turn maps columns onto rows: only a square grid has room for it.
  if (quarter && CanRotateQuarter(g)) {
    for (int i = 0; i < C; ++i)
      for (int j = 0; j < R; ++j) m.Vertices[i][j] = t[j][C - 1 - i];
  }
  Finish(m, g);
}

void Magnet(TSculptData& m, const TGridGeometry& g) {
  for (int i = 0; i < g.ColumnCount; ++i)
    for (int j = 0; j < g.RowCount; ++j)
      if (Unlocked(m, i, j) && m.Selected[i][j] == 1) m.Vertices[i][j] = m.SelectionCentre;
  UpdateSelection(m, g);
}

void GaussSmooth(TSculptData& m, const TGridGeometry& g, double rc, double rr) {
  if (!(rc > 0.0)) rc = 0.0;  // also NaN
  if (!(rr > 0.0)) rr = 0.0;
  if (rc == 0.0 && rr == 0.0) return;
  rc = std::min(rc, 3.0);
  rr = std::min(rr, 3.0);
  int hc = static_cast<int>(RoundHalfEven(3.0 * rc));
  int hr = static_cast<int>(RoundHalfEven(3.0 * rr));
  if (rc > 0.0) hc = std::max(hc, 1);
  if (rr > 0.0) hr = std::max(hr, 1);
  const double sigma = hc > hr ? rc : rr;

  const int C = g.ColumnCount;
  const int R = g.RowCount;
  const bool columnsClosed = m.SculptType != stPlane;
  const bool rowsClosed = m.SculptType == stTorus;
  // Source index of a column or row beyond the grid: around the period for a closed
  // direction (the last entry repeats the first), else the edge entry repeated.
  auto column = [&](int k) {
    if (k >= 0 && k < C) return k;
    return columnsClosed ? Mod(k, C - 1) : std::clamp(k, 0, C - 1);
  };
  auto row = [&](int k) {
    if (k >= 0 && k < R) return k;
    return rowsClosed ? Mod(k, R - 1) : std::clamp(k, 0, R - 1);
  };

  const TVertexGrid t = CopyUsed(m, g);
  std::vector<double> weights;
  weights.reserve(std::size_t(2 * hc + 1) * std::size_t(2 * hr + 1));
  for (int di = -hc; di <= hc; ++di)
    for (int dj = -hr; dj <= hr; ++dj) weights.push_back(std::exp(-(di * di + dj * dj) / (2.0 * sigma * sigma)));

  for (int i = 0; i < C; ++i) {
    for (int j = 0; j < R; ++j) {
      if (m.Selected[i][j] != 1 || !Unlocked(m, i, j)) continue;
      TDbl3D sum{};
      double total = 0.0;
      std::size_t w = 0;
      for (int di = -hc; di <= hc; ++di) {
        for (int dj = -hr; dj <= hr; ++dj, ++w) {
          const TDbl3D& s = t[column(i + di)][row(j + dj)];
          sum.X += weights[w] * s.X;
          sum.Y += weights[w] * s.Y;
          sum.Z += weights[w] * s.Z;
          total += weights[w];
        }
      }
      const TDbl3D f{sum.X / total, sum.Y / total, sum.Z / total};
      TDbl3D& v = m.Vertices[i][j];
      v = sigma >= 1.0 ? f : TDbl3D{(1 - sigma) * v.X + sigma * f.X, (1 - sigma) * v.Y + sigma * f.Y,
                                    (1 - sigma) * v.Z + sigma * f.Z};
    }
  }
}

}  // namespace orvane
