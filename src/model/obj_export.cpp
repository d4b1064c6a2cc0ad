// Wavefront OBJ export: vertex, texture coordinate and face numbering per sculpt type.
#include "model/file_names.h"
#include "model/obj_export.h"

#include <charconv>
#include <cmath>

#include <QFile>
#include <QFileInfo>

#include "model/atomic_file.h"
#include "model/preview_texture.h"
#include "model/sculpt_data.h"

namespace orvane {

namespace {

constexpr char kEol[] = "\r\n";

int Mod(int a, int n) { return ((a % n) + n) % n; }

void SetReason(QString* reason, const QString& text) {
  if (reason) *reason = text;
}

// Names inside the files are the local 8-bit form of the file name without folder.
std::string FileNameOnly(const QString& path) {
  return QFile::encodeName(QFileInfo(path).fileName()).toStdString();
}

class TMeshWriter {
 public:
  TMeshWriter(const TSculptData& model, const TGridGeometry& grid, bool triangles)
      : m_(model), g_(grid), type_(model.SculptType), triangles_(triangles),
        C_(grid.ColumnCount), R_(grid.RowCount) {}

  std::string Text(const std::string& materialName) {
    const TObjCounts counts = ObjCounts(type_, g_);
    out_.reserve(static_cast<std::size_t>(counts.Vertices) * 40 + static_cast<std::size_t>(counts.TexCoords) * 26 +
                 static_cast<std::size_t>(counts.Triangles) * 40 + 256);
    Line("# Exported from LATHE Series");
    Line("mtllib " + materialName);
    Line("o DUDOV_PELORIN");
    Line((type_ == stSphere ? "# " : "#") + std::to_string(counts.Vertices) + " vertices, " +
         std::to_string(counts.Triangles) + " faces");
    Line("g DUDOV_default");
    Line("usemtl dudov");
    Vertices();
    TexCoords();
    Faces();
    return std::move(out_);
  }

 private:
  void Line(const std::string& text) {
    out_ += text;
    out_ += kEol;
  }

  void Vertex(const TDbl3D& v) {
    out_ += "v ";
    out_ += FormatObjNumber(v.X);
    out_ += ' ';
    out_ += FormatObjNumber(v.Y);
    out_ += ' ';
    out_ += FormatObjNumber(v.Z);
    out_ += kEol;
  }

  void TexCoord(int j, int i) {
    out_ += "vt ";
    out_ += FormatObjNumber(1.0 - static_cast<double>(i) / (C_ - 1));
    out_ += ' ';
    out_ += FormatObjNumber(1.0 - static_cast<double>(j) / (R_ - 1));
    out_ += kEol;
  }

  void Vertices() {
    switch (type_) {
      case stSphere:
        Vertex(m_.Vertices[0][0]);
        for (int j = 1; j <= R_ - 2; ++j)
          for (int i = 0; i <= C_ - 2; ++i) Vertex(m_.Vertices[i][j]);
        Vertex(m_.Vertices[C_ - 1][R_ - 1]);
        break;
      case stTorus:
        for (int j = 0; j <= R_ - 2; ++j)
          for (int i = 0; i <= C_ - 2; ++i) Vertex(m_.Vertices[i][j]);
        break;
      case stPlane:
        for (int j = 0; j < R_; ++j)
          for (int i = 0; i < C_; ++i) Vertex(m_.Vertices[i][j]);
        break;
      default:  // CYLINDER
        for (int j = 0; j < R_; ++j)
          for (int i = 0; i <= C_ - 2; ++i) Vertex(m_.Vertices[i][j]);
        break;
    }
  }

  void TexCoords() {
    for (int j = 0; j < R_; ++j) {
      // A sphere's pole rows need no seam column: the pole is one point.
      const bool poleRow = type_ == stSphere && (j == 0 || j == R_ - 1);
      const int last = poleRow ? C_ - 2 : C_ - 1;
      for (int i = 0; i <= last; ++i) TexCoord(j, i);
    }
  }

  // One corner: the vertex and the texture coordinate of grid row j, column i.
  struct TCorner {
    int V;
    int T;
  };
  TCorner At(int j, int i) const { return {ObjVertexIndex(type_, g_, j, i), ObjTexCoordIndex(type_, g_, j, i)}; }

  void Face(std::initializer_list<TCorner> corners) {
    out_ += 'f';
    for (const TCorner& c : corners) {
      out_ += ' ';
      out_ += std::to_string(c.V);
      out_ += '/';
      out_ += std::to_string(c.T);
      out_ += '/';
    }
    out_ += kEol;
  }

  void Cell(int s, int b) {
    const TCorner a = At(s, b), c1 = At(s, b + 1), c2 = At(s + 1, b + 1), c3 = At(s + 1, b);
    if (triangles_) {
      Face({a, c1, c2});
      Face({a, c2, c3});
    } else {
      Face({a, c1, c2, c3});
    }
  }

  void Faces() {
    if (type_ != stSphere) {
      for (int s = 0; s <= R_ - 2; ++s)
        for (int b = 0; b <= C_ - 2; ++b) Cell(s, b);
      return;
    }
    for (int b = 0; b <= C_ - 2; ++b) Face({{1, ObjTexCoordIndex(type_, g_, 0, b)}, At(1, b + 1), At(1, b)});
    for (int s = 1; s <= R_ - 3; ++s)
      for (int b = 0; b <= C_ - 2; ++b) Cell(s, b);
    // The third corner is the previous column's vertex with its own texture
    // coordinate: the face turns the same way as the others and the picture lines up.
    const int pole = ObjCounts(type_, g_).Vertices;
    for (int b = 0; b <= C_ - 2; ++b)
      Face({At(R_ - 2, b), {pole, ObjTexCoordIndex(type_, g_, R_ - 1, b)}, At(R_ - 2, Mod(b - 1, C_ - 1))});
  }

  const TSculptData& m_;
  const TGridGeometry& g_;
  int type_;
  bool triangles_;
  int C_;
  int R_;
  std::string out_;
};

// Removes a file this export created when a later step fails.
void RemoveCreated(const QString& path, bool existedBefore) {
  if (!path.isEmpty() && !existedBefore) QFile::remove(path);
}

}  // namespace

std::string FormatObjNumber(double value) {
  if (!std::isfinite(value)) value = 0.0;
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 8);
  return std::string(buffer, r.ptr);
}

TObjCounts ObjCounts(int sculptType, const TGridGeometry& grid) {
  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  switch (sculptType) {
    case stSphere: return {(C - 1) * (R - 2) + 2, (C - 1) + (R - 2) * C + (C - 1), 2 * (C - 1) * (R - 2)};
    case stTorus: return {(C - 1) * (R - 1), C * R, 2 * (C - 1) * (R - 1)};
    case stPlane: return {C * R, C * R, 2 * (C - 1) * (R - 1)};
    default: return {(C - 1) * R, C * R, 2 * (C - 1) * (R - 1)};
  }
}

int ObjVertexIndex(int sculptType, const TGridGeometry& grid, int j, int i) {
  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  switch (sculptType) {
    case stSphere:
      if (j <= 0) return 1;
      if (j >= R - 1) return (C - 1) * (R - 2) + 2;
      return 2 + (j - 1) * (C - 1) + Mod(i, C - 1);
    case stTorus: return Mod(j, R - 1) * (C - 1) + Mod(i, C - 1) + 1;
    case stPlane: return j * C + i + 1;
    default: return j * (C - 1) + Mod(i, C - 1) + 1;
  }
}

int ObjTexCoordIndex(int sculptType, const TGridGeometry& grid, int j, int i) {
  if (sculptType == stSphere) return j == 0 ? i + 1 : j * grid.ColumnCount + i;
  return j * grid.ColumnCount + i + 1;
}

QByteArray ObjMeshText(const TSculptData& model, const TGridGeometry& grid, bool triangles,
                       const QString& materialFileName) {
  TMeshWriter writer(model, grid, triangles);
  const std::string text = writer.Text(FileNameOnly(materialFileName));
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray ObjMaterialText(const QString& textureFileName) {
  const std::string text = std::string("newmtl dudov") + kEol + "map_Kd " + FileNameOnly(textureFileName) + kEol;
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

bool ExportObj(const TSculptData& model, const TGridGeometry& grid, const TTextureSet& textures, QString& name,
               bool triangles, const TAppSettings& settings, const TWarnFunction& warn, QString* reason,
               TObjFileNames* written) {
  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  if (C < 3 || R < 5 || C > kGridCapacity || R > kGridCapacity || model.SculptType > stCylinder) {
    SetReason(reason, QStringLiteral("the model has no grid that can be exported"));
    return false;
  }
  const QString base = name.left(ExtensionStart(name));
  if (QFileInfo(base).fileName().isEmpty()) {
    SetReason(reason, QStringLiteral("no file name given"));
    return false;
  }

  // With overwrite off the writers pick names that are free, so whatever they
  // write is new; with it on, a file already there is replaced and must stay.
  const auto existed = [&](const QString& path) { return settings.FileOverWrite && QFileInfo::exists(path); };

  QString texture = base + QStringLiteral(".png");
  const bool textureExisted = existed(texture);
  QString why;
  if (SaveImage(texture, textures.PaintedColour, textures.PaintedAlpha, settings, warn, &why) != 0) {
    SetReason(reason, why.isEmpty() ? QStringLiteral("the texture picture cannot be written") : why);
    return false;
  }

  const QString mesh = UniqueFileName(base, QStringLiteral(".obj"), settings, warn);
  const QString material = mesh.left(ExtensionStart(mesh)) + QStringLiteral(".mtl");
  const bool materialExisted = QFileInfo::exists(material);
  if (!WriteFileAtomically(material, ObjMaterialText(texture), &why)) {
    RemoveCreated(texture, textureExisted);
    SetReason(reason, why);
    return false;
  }
  if (!WriteFileAtomically(mesh, ObjMeshText(model, grid, triangles, material), &why)) {
    RemoveCreated(material, materialExisted);
    RemoveCreated(texture, textureExisted);
    SetReason(reason, why);
    return false;
  }
  name = mesh;
  if (written) *written = {texture, material, mesh};
  return true;
}

}  // namespace orvane
