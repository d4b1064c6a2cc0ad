// Wavefront OBJ import: grid size from the texture coordinates, type from the vertex count.
#include "model/obj_import.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include <QFile>

#include "model/grid_ops.h"
#include "model/obj_export.h"
#include "model/rounding.h"
#include "model/sculpt_data.h"

namespace orvane {

namespace {

// Rounded texture positions are clamped into -1 .. 257: anything outside the grid
// stays outside it without overflowing.
constexpr int kLowPosition = -1;
constexpr int kHighPosition = kGridCapacity;
constexpr int kPositionSpan = kHighPosition - kLowPosition + 1;
// The vertex table never needs more than one entry per grid cell.
constexpr int kMaxObjVertices = kGridCapacity * kGridCapacity;
constexpr double kHighLimit = 1.00787403;

// Cells across from the texture coordinates, and the aspect code each gives.
constexpr std::array<std::pair<int, int>, kAspectCount> kCellsToAspect{
    {{4, ar4x256}, {8, ar8x128}, {16, ar16x64}, {32, ar32x32}, {64, ar64x16}, {128, ar128x8}, {256, ar256x4}}};

int PositionKey(int tu, int tv) { return (tu - kLowPosition) * kPositionSpan + (tv - kLowPosition); }

bool ParseDouble(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && std::isfinite(value);
}

bool ParseInt(std::string_view text, int& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

QString Quoted(std::string_view text) {
  constexpr std::size_t kShown = 40;
  QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(std::min(text.size(), kShown)));
  if (text.size() > kShown) shown += QStringLiteral("...");
  return QLatin1Char('"') + shown + QLatin1Char('"');
}

// One face as read, before its indices can be checked against the whole file.
struct TFaceRead {
  int Line = 0;
  int FirstCorner = 0;
  int CornerCount = 0;
};

// Everything one pass over the file collects.
struct TObjScan {
  int VertexLines = 0;
  int TexCoordLines = 0;
  int FaceLines = 0;
  int Cells = 0;  // the largest Round(1/u) over the usable u
  std::vector<TDbl3D> Vertices;
  std::vector<std::array<double, 2>> TexCoords;
  std::vector<TObjTables::TCorner> Corners;
  std::vector<TFaceRead> Faces;
};

class TObjReader {
 public:
  // Reads every line; returns the reason when the file cannot be used.
  std::optional<QString> Scan(QByteArrayView text, TObjScan& scan) {
    scan_ = &scan;
    const char* p = text.data();
    const char* end = p + text.size();
    int lineNo = 0;
    while (p < end) {
      const char* eol = p;
      while (eol < end && *eol != '\n' && *eol != '\r') ++eol;
      ++lineNo;
      if (eol - p > kMaxObjLineBytes)
        return QStringLiteral("line %1 is longer than %2 characters").arg(lineNo).arg(kMaxObjLineBytes);
      if (auto why = Line(std::string_view(p, static_cast<std::size_t>(eol - p)), lineNo)) return why;
      // Any line end: CR LF, LF or a lone CR.
      p = eol;
      if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
    }
    return std::nullopt;
  }

 private:
  // Splits a line into blank-separated fields after the program's clean-up:
  // tabs are blanks and "," is a decimal point.
  void Fields(std::string_view raw) {
    line_.assign(raw);
    std::replace(line_.begin(), line_.end(), '\t', ' ');
    std::replace(line_.begin(), line_.end(), ',', '.');
    fields_.clear();
    const std::string_view all(line_);
    std::size_t k = 0;
    while (k < all.size()) {
      while (k < all.size() && all[k] == ' ') ++k;
      const std::size_t start = k;
      while (k < all.size() && all[k] != ' ') ++k;
      if (k > start) fields_.push_back(all.substr(start, k - start));
    }
  }

  std::optional<QString> Line(std::string_view raw, int lineNo) {
    Fields(raw);
    if (fields_.empty()) return std::nullopt;
    const std::string_view key = fields_[0];
    if (key == "v") return VertexLine(lineNo);
    if (key == "vt") return TexCoordLine(lineNo);
    if (key == "f") return FaceLine(lineNo);
    return std::nullopt;
  }

  std::optional<QString> VertexLine(int lineNo) {
    ++scan_->VertexLines;
    if (fields_.size() != 4)
      return QStringLiteral("line %1: a vertex needs exactly three coordinates").arg(lineNo);
    TDbl3D v;
    for (int axis = 0; axis < 3; ++axis)
      if (!ParseDouble(fields_[static_cast<std::size_t>(axis) + 1], v[axis]))
        return QStringLiteral("line %1: %2 is not a finite number").arg(lineNo).arg(Quoted(fields_[static_cast<std::size_t>(axis) + 1]));
    if (static_cast<int>(scan_->Vertices.size()) < kMaxObjVertices) scan_->Vertices.push_back(v);
    return std::nullopt;
  }

  std::optional<QString> TexCoordLine(int lineNo) {
    ++scan_->TexCoordLines;
    if (scan_->TexCoordLines > kMaxObjTexCoords) return std::nullopt;  // past the table: ignored
    if (fields_.size() < 3) return QStringLiteral("line %1: a texture coordinate needs u and v").arg(lineNo);
    std::array<double, 2> uv{};
    for (std::size_t k = 0; k < 2; ++k)
      if (!ParseDouble(fields_[k + 1], uv[k]))
        return QStringLiteral("line %1: %2 is not a finite number").arg(lineNo).arg(Quoted(fields_[k + 1]));
    // Only a u whose reciprocal rounds to a grid size counts; smaller ones would
    // overflow the conversion and name no aspect anyway.
    if (uv[0] >= kMinObjU) scan_->Cells = std::max(scan_->Cells, static_cast<int>(RoundHalfEven(1.0 / uv[0])));
    scan_->TexCoords.push_back(uv);
    return std::nullopt;
  }

  // One index of a corner: positive from the start, negative counted back from the
  // lines read so far; 0 when the field is empty. False when it is not an index.
  static bool Index(std::string_view text, int linesSoFar, int& index) {
    if (text.empty()) {
      index = 0;
      return true;
    }
    if (!ParseInt(text, index) || index == 0) return false;
    if (index < 0) {
      index = linesSoFar + 1 + index;
      if (index < 1) return false;
    }
    return true;
  }

  std::optional<QString> FaceLine(int lineNo) {
    ++scan_->FaceLines;
    const int corners = static_cast<int>(fields_.size()) - 1;
    // Only triangles and quadrangles go into the table, and only as many as it holds.
    if (corners < 3 || corners > 4 || static_cast<int>(scan_->Faces.size()) >= kMaxObjFaces) return std::nullopt;
    scan_->Faces.push_back({lineNo, static_cast<int>(scan_->Corners.size()), corners});
    for (int k = 1; k <= corners; ++k) {
      const std::string_view corner = fields_[static_cast<std::size_t>(k)];
      const std::size_t slash = corner.find('/');
      const std::string_view vertexField = corner.substr(0, slash);
      std::string_view textureField;
      if (slash != std::string_view::npos) textureField = corner.substr(slash + 1, corner.find('/', slash + 1) - slash - 1);
      TObjTables::TCorner c;
      int texture = 0;
      if (vertexField.empty() || !Index(vertexField, scan_->VertexLines, c.Vertex) ||
          !Index(textureField, scan_->TexCoordLines, texture))
        return QStringLiteral("line %1: %2 is not a valid corner").arg(lineNo).arg(Quoted(corner));
      c.Texture = texture == 0 ? -1 : texture;
      scan_->Corners.push_back(c);
    }
    return std::nullopt;
  }

  TObjScan* scan_ = nullptr;
  std::string line_;
  std::vector<std::string_view> fields_;
};

// Indices past the end of the file's tables.
std::optional<QString> CheckCornerIndices(const TObjScan& scan) {
  for (const TFaceRead& face : scan.Faces) {
    for (int k = face.FirstCorner; k < face.FirstCorner + face.CornerCount; ++k) {
      const TObjTables::TCorner& c = scan.Corners[static_cast<std::size_t>(k)];
      if (c.Vertex > scan.VertexLines)
        return QStringLiteral("line %1: vertex %2 does not exist (the file has %3)")
            .arg(face.Line).arg(c.Vertex).arg(scan.VertexLines);
      if (c.Texture > scan.TexCoordLines)
        return QStringLiteral("line %1: texture coordinate %2 does not exist (the file has %3)")
            .arg(face.Line).arg(c.Texture).arg(scan.TexCoordLines);
    }
  }
  return std::nullopt;
}

// The grid filled from the vertex lines in export order (no texture coordinates).
void FillInFileOrder(const std::vector<TDbl3D>& v, const TGridGeometry& g, TVertexGrid& grid) {
  const int C = g.ColumnCount;
  const int R = g.RowCount;
  std::size_t k = 0;
  for (int i = 0; i < C; ++i) grid[i][0] = v[k];
  ++k;
  for (int j = 1; j <= R - 2; ++j) {
    for (int i = 0; i <= C - 2; ++i) grid[i][j] = v[k++];
    grid[C - 1][j] = grid[0][j];
  }
  for (int i = 0; i < C; ++i) grid[i][R - 1] = v[k];
}

// The grid filled through the texture coordinates; returns the positions not found.
int FillByTexCoords(const TObjTables& t, int type, const TGridGeometry& g, TVertexGrid& grid) {
  const int C = g.ColumnCount;
  const int R = g.RowCount;
  int unmatched = 0;
  // Grid cell [i][j] sits at texture position (C-1-i, R-1-j).
  const auto lookup = [&](int tu, int tv, std::initializer_list<std::pair<int, int>> cells) {
    const int k = FindVertexByTexCoord(tu, tv, t);
    if (k < 0 || k >= static_cast<int>(t.Vertices.size())) {
      ++unmatched;
      return;
    }
    for (const auto& [i, j] : cells) grid[i][j] = t.Vertices[static_cast<std::size_t>(k)];
  };
  const auto middleRows = [&](int first, int last) {
    for (int j = first; j <= last; ++j) {
      lookup(C - 1, R - 1 - j, {{0, j}, {C - 1, j}});
      for (int i = 1; i <= C - 2; ++i) lookup(C - 1 - i, R - 1 - j, {{i, j}});
    }
  };
  switch (type) {
    case stSphere: {
      const int k = FindVertexByTexCoord(C - 1, R - 1, t);
      const int m = FindVertexByTexCoord(1, 0, t);
      for (int i = 0; i < C; ++i) {
        if (k >= 0 && k < static_cast<int>(t.Vertices.size())) grid[i][0] = t.Vertices[static_cast<std::size_t>(k)];
        if (m >= 0 && m < static_cast<int>(t.Vertices.size())) grid[i][R - 1] = t.Vertices[static_cast<std::size_t>(m)];
      }
      unmatched += (k < 0 || k >= static_cast<int>(t.Vertices.size())) + (m < 0 || m >= static_cast<int>(t.Vertices.size()));
      middleRows(1, R - 2);
      break;
    }
    case stTorus:
      lookup(C - 1, R - 1, {{0, 0}, {C - 1, 0}, {0, R - 1}, {C - 1, R - 1}});
      for (int i = 1; i <= C - 2; ++i) lookup(C - 1 - i, R - 1, {{i, 0}, {i, R - 1}});
      middleRows(1, R - 2);
      break;
    case stPlane:
      for (int j = 0; j < R; ++j)
        for (int i = 0; i < C; ++i) lookup(C - 1 - i, R - 1 - j, {{i, j}});
      break;
    default:  // CYLINDER
      middleRows(0, R - 1);
      break;
  }
  return unmatched;
}

int TypeFromVertexCount(int n, const TGridGeometry& g) {
  for (int type : {stSphere, stTorus, stPlane, stCylinder})
    if (ObjCounts(type, g).Vertices == n) return type;
  return -1;
}

QString AspectText(int aspect) {
  const std::string_view name = AspectName(aspect);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

void IndexTexCoords(TObjTables& tables) {
  const std::size_t count = tables.TexCoords.size();
  // The first corner naming each texture coordinate, then the first such
  // coordinate at each position: the same answer as the search in file order.
  std::vector<std::int32_t> firstCorner(count + 1, -1);
  for (const TObjTables::TCorner& c : tables.Corners)
    if (c.Texture >= 1 && static_cast<std::size_t>(c.Texture) <= count && firstCorner[static_cast<std::size_t>(c.Texture)] < 0)
      firstCorner[static_cast<std::size_t>(c.Texture)] = c.Vertex - 1;
  tables.FirstVertexAt.assign(static_cast<std::size_t>(kPositionSpan) * kPositionSpan, -1);
  for (std::size_t k = 0; k < count; ++k) {
    const TIntPoint p = tables.TexCoords[k];
    if (p.X < kLowPosition || p.X > kHighPosition || p.Y < kLowPosition || p.Y > kHighPosition) continue;
    std::int32_t& slot = tables.FirstVertexAt[static_cast<std::size_t>(PositionKey(p.X, p.Y))];
    if (slot < 0) slot = firstCorner[k + 1];
  }
}

int FindVertexByTexCoord(int tu, int tv, const TObjTables& tables) {
  if (tu < kLowPosition || tu > kHighPosition || tv < kLowPosition || tv > kHighPosition) return -1;
  const std::size_t key = static_cast<std::size_t>(PositionKey(tu, tv));
  return key < tables.FirstVertexAt.size() ? tables.FirstVertexAt[key] : -1;
}

bool HasOutOfRange(const TVertexGrid& vertices, const TGridGeometry& grid) {
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j)
      for (int axis = 0; axis < 3; ++axis) {
        const double v = vertices[i][j][axis];
        if (!(v >= -1.0 && v < kHighLimit)) return true;
      }
  return false;
}

TObjImport ImportObjText(TSculptData& model, TGridGeometry& grid, QByteArrayView text) {
  TObjImport result;
  if (text.size() > kMaxObjFileBytes) {
    result.Reason = QStringLiteral("the file is larger than %1 MiB").arg(kMaxObjFileBytes >> 20);
    return result;
  }
  TObjScan scan;
  TObjReader reader;
  if (auto why = reader.Scan(text, scan)) {
    result.Reason = *why;
    return result;
  }
  result.VertexLines = scan.VertexLines;
  result.TexCoordLines = scan.TexCoordLines;
  result.FaceLines = scan.FaceLines;
  if (auto why = CheckCornerIndices(scan)) {
    result.Reason = *why;
    return result;
  }

  // Everything is built on scratch copies so that a refused file changes nothing.
  TGridGeometry g = grid;
  TVertexGrid scratch;
  int type = stSphere;
  const auto size = std::find_if(kCellsToAspect.begin(), kCellsToAspect.end(),
                                 [&](const auto& e) { return e.first == scan.Cells; });
  if (size == kCellsToAspect.end()) {
    // No usable texture coordinates: a sphere whose vertex count names the aspect.
    int aspect = -1;
    for (int a = 0; a < kAspectCount && aspect < 0; ++a) {
      TGridGeometry probe;
      ApplyAspect(probe, a);
      if (ObjCounts(stSphere, probe).Vertices == scan.VertexLines) aspect = a;
    }
    if (aspect < 0) {
      result.Reason = QStringLiteral("the texture coordinates give no grid size, and %1 vertices are not a "
                                     "sphere of any aspect").arg(scan.VertexLines);
      return result;
    }
    ApplyAspect(g, aspect);
    FillInFileOrder(scan.Vertices, g, scratch);
    result.Aspect = aspect;
  } else {
    result.Aspect = size->second;
    result.FromTexCoords = true;
    ApplyAspect(g, result.Aspect);
    const int C = g.ColumnCount;
    const int R = g.RowCount;
    const int sphereTriangles = ObjCounts(stSphere, g).Triangles;
    if (scan.FaceLines != 1024 && scan.FaceLines != 2048 && scan.FaceLines != sphereTriangles) {
      result.Reason = QStringLiteral("%1 faces do not fit a %2 grid (1024, 2048 or %3 expected)")
                          .arg(scan.FaceLines).arg(AspectText(result.Aspect)).arg(sphereTriangles);
      return result;
    }
    type = TypeFromVertexCount(scan.VertexLines, g);
    if (type < 0) {
      result.Reason = QStringLiteral("%1 vertices fit no sculpt type of a %2 grid (sphere %3, torus %4, plane %5, "
                                     "cylinder %6)")
                          .arg(scan.VertexLines).arg(AspectText(result.Aspect))
                          .arg(ObjCounts(stSphere, g).Vertices).arg(ObjCounts(stTorus, g).Vertices)
                          .arg(ObjCounts(stPlane, g).Vertices).arg(ObjCounts(stCylinder, g).Vertices);
      return result;
    }
    TObjTables tables;
    tables.Corners = std::move(scan.Corners);
    tables.Vertices = std::move(scan.Vertices);
    tables.TexCoords.reserve(scan.TexCoords.size());
    for (const auto& uv : scan.TexCoords)
      tables.TexCoords.push_back({RoundToInt(uv[0] * (C - 1), kLowPosition, kHighPosition),
                                  RoundToInt(uv[1] * (R - 1), kLowPosition, kHighPosition)});
    IndexTexCoords(tables);
    BuildDefaultShape(scratch, type, g);
    result.Unmatched = FillByTexCoords(tables, type, g, scratch);
  }
  result.SculptType = type;

  // Commit: the old flags would mark unrelated vertices of the new grid.
  grid = g;
  ResetSectionCursors(grid);
  model.Aspect = result.Aspect;
  model.SculptType = static_cast<std::uint8_t>(type);
  model.Vertices = scratch;
  for (int i = 0; i < kGridCapacity; ++i) {
    model.Selected[i].fill(0);
    model.Locked[i].fill(0);
  }
  Stitch(model, grid);
  if (HasOutOfRange(model.Vertices, grid)) {
    Maximize(model, grid);  // clamps, stitches and recounts the selection too
    result.Maximized = true;
  } else {
    ClampVertices(model.Vertices, grid);
    UpdateSelection(model, grid);
  }
  CommitBase(model, grid);
  result.Ok = true;
  return result;
}

TObjImport ImportObj(TSculptData& model, TGridGeometry& grid, const QString& name) {
  TObjImport result;
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    result.Reason = QStringLiteral("cannot open the file: %1").arg(file.errorString());
    return result;
  }
  if (file.size() > kMaxObjFileBytes) {
    result.Reason = QStringLiteral("the file is larger than %1 MiB").arg(kMaxObjFileBytes >> 20);
    return result;
  }
  // Read one byte past the limit: a pipe or a growing file reports no size.
  const QByteArray bytes = file.read(kMaxObjFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    result.Reason = QStringLiteral("cannot read the file: %1").arg(file.errorString());
    return result;
  }
  return ImportObjText(model, grid, bytes);
}

}  // namespace orvane
