// Model-wide operations: reset, default shapes, stitching, selection summary, clamping.
#include "model/sculpt_data.h"

#include <cmath>
#include <numbers>

#include "model/marks.h"
#include "model/preview_vertices.h"

namespace orvane {

namespace {

constexpr double kDefaultRadius = 96.0 / 127.0;

void CopyCell(TSculptData& m, int toI, int toJ, int fromI, int fromJ) {
  m.Vertices[toI][toJ] = m.Vertices[fromI][fromJ];
  m.Selected[toI][toJ] = m.Selected[fromI][fromJ];
  m.Locked[toI][toJ] = m.Locked[fromI][fromJ];
}

double ColumnAngle(int i, const TGridGeometry& g) {
  return 2.0 * std::numbers::pi * i / (g.ColumnCount - 1);
}

void BuildSphere(TVertexGrid& v, const TGridGeometry& g) {
  const double R = kDefaultRadius;
  const int P = g.CapRows;
  const int last = g.RowCount - 1;
  for (int i = 0; i <= g.ColumnCount - 2; ++i) {
    const double c = std::cos(ColumnAngle(i, g));
    const double s = std::sin(ColumnAngle(i, g));
    for (int j = 0; j <= last; ++j) {
      if (j < P) {
        const double rho = j * R / P;
        v[i][j] = {rho * c, rho * s, -R};
      } else if (j <= last - P) {
        const double z = (static_cast<double>(j - P) / (last - 2 * P)) * 2.0 * R - R;
        v[i][j] = {R * c, R * s, z};
      } else {
        const double rho = (last - j) * R / P;
        v[i][j] = {rho * c, rho * s, R};
      }
    }
  }
}

void BuildTorus(TVertexGrid& v, const TGridGeometry& g) {
  const double a = 0.3;
  for (int j = 0; j < g.RowCount; ++j) {
    const double phi = 2.0 * std::numbers::pi * j / (g.RowCount - 1);
    const double rho = 2.0 * a - a * std::cos(phi);
    for (int i = 0; i < g.ColumnCount; ++i) {
      const double theta = ColumnAngle(i, g);
      v[i][j] = {-rho * std::sin(theta), rho * std::cos(theta), -a * std::sin(phi)};
    }
  }
}

void BuildPlane(TVertexGrid& v, const TGridGeometry& g) {
  for (int j = 0; j < g.RowCount; ++j)
    for (int i = 0; i < g.ColumnCount; ++i)
      v[i][j] = {static_cast<double>(i) / (g.ColumnCount - 1) * 2.0 - 1.0, 0.0,
                 static_cast<double>(j) / (g.RowCount - 1) * 2.0 - 1.0};
}

void BuildCylinder(TVertexGrid& v, const TGridGeometry& g) {
  const double R = kDefaultRadius;
  for (int j = 0; j < g.RowCount; ++j) {
    const double z = (static_cast<double>(j) / (g.RowCount - 1)) * 2.0 * R - R;
    for (int i = 0; i <= g.ColumnCount - 2; ++i) {
      const double theta = ColumnAngle(i, g);
      v[i][j] = {R * std::cos(theta), R * std::sin(theta), z};
    }
    v[g.ColumnCount - 1][j] = v[0][j];
  }
}

double ClampCoordinate(double c) {
  if (!std::isfinite(c)) c = 0.0;
  if (c < kMinCoord) return kMinCoord;
  if (c > kMaxCoord) return kMaxCoord;
  return c;
}

}  // namespace

TSculptData::TSculptData() {
  FillMarks(ColumnMarks, 1);
  FillMarks(RowMarks, 1);
}

void ResetModel(TSculptData& model, TGridGeometry& grid, int type, int aspect) {
  ApplyAspect(grid, aspect);
  model.Aspect = aspect;
  model.SculptType = static_cast<std::uint8_t>(type);
  model.SelectedCount = 0;
  model.SelectionCentre = {};
  FillFlags(model.Selected, 0, grid);
  FillFlags(model.Locked, 0, grid);
  BuildDefaultShape(model.Vertices, type, grid);
  Stitch(model, grid);
  UpdatePreviewVertices(model, grid);
  ResetSectionCursors(grid);
}

void BuildDefaultShape(TVertexGrid& vertices, int type, const TGridGeometry& grid) {
  switch (type) {
    case stSphere: BuildSphere(vertices, grid); break;
    case stTorus: BuildTorus(vertices, grid); break;
    case stPlane: BuildPlane(vertices, grid); break;
    case stCylinder: BuildCylinder(vertices, grid); break;
    default: break;
  }
}

void Stitch(TSculptData& model, const TGridGeometry& grid) {
  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  const int type = model.SculptType;
  if (type == stSphere) {
    for (int i = 1; i <= C - 1; ++i) {
      CopyCell(model, i, 0, 0, 0);
      CopyCell(model, i, R - 1, 0, R - 1);
    }
  }
  if (type == stTorus) {
    for (int i = 0; i <= C - 1; ++i) CopyCell(model, i, 0, i, R - 1);
  }
  if (type == stSphere || type == stTorus || type == stCylinder) {
    for (int j = 0; j <= R - 1; ++j) CopyCell(model, C - 1, j, 0, j);
  }
}

void UpdateSelection(TSculptData& model, const TGridGeometry& grid) {
  Stitch(model, grid);
  UpdatePreviewVertices(model, grid);

  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  int count = 0;
  TDbl3D sum{};
  auto add = [&](int i, int j) {
    if (model.Selected[i][j] == 0) return;
    ++count;
    sum.X += model.Vertices[i][j].X;
    sum.Y += model.Vertices[i][j].Y;
    sum.Z += model.Vertices[i][j].Z;
  };
  // Every physical vertex counts once: seam and pole duplicates are skipped.
  auto addBlock = [&](int rowFrom, int rowTo, int columnTo) {
    for (int j = rowFrom; j <= rowTo; ++j)
      for (int i = 0; i <= columnTo; ++i) add(i, j);
  };
  switch (model.SculptType) {
    case stSphere:
      add(0, 0);
      addBlock(1, R - 2, C - 2);
      add(0, R - 1);
      break;
    case stTorus: addBlock(0, R - 2, C - 2); break;
    case stPlane: addBlock(0, R - 1, C - 1); break;
    case stCylinder: addBlock(0, R - 1, C - 2); break;
    default: break;
  }
  model.SelectedCount = count;
  model.SelectionCentre = count == 0 ? TDbl3D{} : TDbl3D{sum.X / count, sum.Y / count, sum.Z / count};
}

void CommitBase(TSculptData& model, const TGridGeometry& grid) {
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j) model.BaseVertices[i][j] = model.Vertices[i][j];
  model.BaseFrame = model.Frame;
}

bool VertexMoved(const TSculptData& model, int column, int row) {
  const TDbl3D& a = model.Vertices[column][row];
  const TDbl3D& b = model.BaseVertices[column][row];
  return a.X != b.X || a.Y != b.Y || a.Z != b.Z;
}

void ClampVertices(TVertexGrid& vertices, const TGridGeometry& grid) {
  for (int i = 0; i < grid.ColumnCount; ++i) {
    for (int j = 0; j < grid.RowCount; ++j) {
      TDbl3D& v = vertices[i][j];
      v.X = ClampCoordinate(v.X);
      v.Y = ClampCoordinate(v.Y);
      v.Z = ClampCoordinate(v.Z);
    }
  }
}

void FillFlags(TFlagPlane& plane, std::uint8_t value, const TGridGeometry& grid) {
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j) plane[i][j] = value;
}

void InvertFlags(TFlagPlane& plane, const TGridGeometry& grid) {
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j) plane[i][j] ^= 1;
}

void LockSelected(TSculptData& model, std::uint8_t value, const TGridGeometry& grid) {
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j)
      if (model.Selected[i][j] != 0) model.Locked[i][j] = value;
}

void NormaliseFrame(TSelectionFrame& frame, bool recomputeCentre) {
  frame.X[1] = frame.X[0];
  frame.Y[1] = frame.Y[3];
  frame.X[2] = frame.X[3];
  frame.Y[2] = frame.Y[0];
  if (!recomputeCentre) return;
  frame.CentreX = std::abs(frame.X[0] - frame.X[3]) <= MapStep ? frame.X[0] : (frame.X[0] + frame.X[3]) / 2.0;
  frame.CentreY = std::abs(frame.Y[0] - frame.Y[3]) <= MapStep ? frame.Y[0] : (frame.Y[0] + frame.Y[3]) / 2.0;
}

}  // namespace orvane
