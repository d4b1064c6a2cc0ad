// OBJ export: number and line formats, numbering per sculpt type, caps, faces and the three files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include "model/image_files.h"
#include "model/obj_export.h"
#include "model/preview_texture.h"
#include "model/rounding.h"
#include "test_world.h"

namespace orvane {
namespace {

// Distinct, in-range vertices so that every grid position can be told apart.
void Scramble(TTestWorld& w, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> d(-1.0, 1.0);
  for (int i = 0; i < w.grid.ColumnCount; ++i)
    for (int j = 0; j < w.grid.RowCount; ++j) w.m().Vertices[i][j] = {d(rng), d(rng), d(rng)};
  Stitch(w.m(), w.grid);
}

std::vector<std::string> Lines(const QByteArray& text) {
  std::vector<std::string> lines;
  const std::string all = text.toStdString();
  std::size_t start = 0;
  for (std::size_t k; (k = all.find("\r\n", start)) != std::string::npos; start = k + 2)
    lines.push_back(all.substr(start, k - start));
  EXPECT_EQ(start, all.size()) << "text after the last CR LF";
  return lines;
}

std::vector<std::string> Split(const std::string& line, char by = ' ') {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t k; (k = line.find(by, start)) != std::string::npos; start = k + 1) fields.push_back(line.substr(start, k - start));
  fields.push_back(line.substr(start));
  return fields;
}

// The parsed mesh: vertex lines as text, texture positions as grid (column, row), faces as corners.
struct TParsedObj {
  std::vector<std::string> Header;
  std::vector<std::string> VertexText;
  std::vector<std::pair<int, int>> TexPosition;  // (i, j)
  struct TCorner {
    int V, T;
    friend bool operator==(const TCorner&, const TCorner&) = default;
  };
  std::vector<std::vector<TCorner>> Faces;
};

TParsedObj Parse(const QByteArray& text, const TGridGeometry& g) {
  TParsedObj obj;
  for (const std::string& line : Lines(text)) {
    if (line.starts_with("v ")) {
      obj.VertexText.push_back(line.substr(2));
    } else if (line.starts_with("vt ")) {
      const auto f = Split(line);
      const double u = std::stod(f[1]);
      const double v = std::stod(f[2]);
      obj.TexPosition.push_back({static_cast<int>(std::lround((1 - u) * (g.ColumnCount - 1))),
                                 static_cast<int>(std::lround((1 - v) * (g.RowCount - 1)))});
    } else if (line.starts_with("f ")) {
      std::vector<TParsedObj::TCorner> face;
      const auto f = Split(line);
      for (std::size_t k = 1; k < f.size(); ++k) {
        const auto parts = Split(f[k], '/');
        EXPECT_EQ(parts.size(), 3u) << line;
        EXPECT_EQ(parts.back(), "") << line;
        face.push_back({std::stoi(parts[0]), std::stoi(parts[1])});
      }
      obj.Faces.push_back(face);
    } else {
      obj.Header.push_back(line);
    }
  }
  return obj;
}

std::string VertexText(const TDbl3D& v) {
  return FormatObjNumber(v.X) + " " + FormatObjNumber(v.Y) + " " + FormatObjNumber(v.Z);
}

struct TCase {
  int Type;
  int Aspect;
};
std::vector<TCase> AllTypesSomeAspects() {
  std::vector<TCase> cases;
  for (int type : {stSphere, stTorus, stPlane, stCylinder})
    for (int aspect : {ar32x32, ar64x16, ar256x4, ar8x128, ar4x256}) cases.push_back({type, aspect});
  return cases;
}
std::string Name(const TCase& c, bool triangles) {
  return std::string(SculptTypeName(c.Type)) + " " + std::string(AspectName(c.Aspect)) + (triangles ? " tri" : " quad");
}

TEST(ObjExportFormat, NumbersAreFixedEightDecimalsWithAPoint) {
  const struct {
    double Value;
    const char* Text;
  } cases[] = {
      {0.0, "0.00000000"},          {1.0, "1.00000000"},          {-1.0, "-1.00000000"},
      {128.0 / 127.0, "1.00787402"}, {1.0 / 3.0, "0.33333333"},    {2.0 / 3.0, "0.66666667"},
      {-0.5, "-0.50000000"},        {123456.789, "123456.78900000"}, {-1e-10, "-0.00000000"},
      {0.00390625, "0.00390625"},   {NAN, "0.00000000"},          {-INFINITY, "0.00000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatObjNumber(c.Value), c.Text) << c.Value;

  // The same digits as printf's "%1.8f" in the C locale, for values across the range.
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> d(-3.0, 3.0);
  for (int k = 0; k < 2000; ++k) {
    const double v = k % 2 ? d(rng) : QuantiseToLevel(d(rng));
    char expected[64];
    std::snprintf(expected, sizeof expected, "%1.8f", v);
    ASSERT_EQ(FormatObjNumber(v), expected) << v;
  }
}

TEST(ObjExportFormat, HeaderCountsAndLineEnds) {
  for (const TCase& c : AllTypesSomeAspects()) {
    for (bool triangles : {true, false}) {
      SCOPED_TRACE(Name(c, triangles));
      TTestWorld w(c.Type, c.Aspect);
      const QByteArray text = ObjMeshText(w.m(), w.grid, triangles, QStringLiteral("/some/folder/ball_001.mtl"));
      ASSERT_FALSE(text.startsWith("\xEF\xBB\xBF"));
      EXPECT_EQ(text.count("\n"), text.count("\r\n"));
      const TParsedObj obj = Parse(text, w.grid);
      const TObjCounts n = ObjCounts(c.Type, w.grid);
      const int C = w.grid.ColumnCount, R = w.grid.RowCount;
      const std::string comment = (c.Type == stSphere ? "# " : "#") + std::to_string(n.Vertices) + " vertices, " +
                                  std::to_string(n.Triangles) + " faces";
      EXPECT_EQ(obj.Header, (std::vector<std::string>{"# Exported from LATHE Series", "mtllib ball_001.mtl",
                                                       "o DUDOV_PELORIN", comment, "g DUDOV_default", "usemtl dudov"}));
      // The counts the format promises, independently of the helper above.
      const int vertices[] = {(C - 1) * (R - 2) + 2, (C - 1) * (R - 1), C * R, (C - 1) * R};
      const int texCoords = c.Type == stSphere ? 2 * (C - 1) + (R - 2) * C : C * R;
      EXPECT_EQ(static_cast<int>(obj.VertexText.size()), vertices[c.Type]);
      EXPECT_EQ(static_cast<int>(obj.TexPosition.size()), texCoords);
      const int triangleCount = c.Type == stSphere ? 2 * (C - 1) * (R - 2) : 2 * (C - 1) * (R - 1);
      EXPECT_EQ(n.Triangles, triangleCount);
      EXPECT_EQ(static_cast<int>(obj.Faces.size()), triangles ? triangleCount : 1024);
      EXPECT_TRUE(text.contains("\r\nvt 1.00000000 1.00000000\r\n"));
      EXPECT_EQ(obj.VertexText.front(), VertexText(w.m().Vertices[0][0]));
    }
  }
}

TEST(ObjExportFormat, KnownFaceLinesOfA32x32Grid) {
  const struct {
    int Type;
    bool Triangles;
    int FaceIndex;  // 0-based among the face lines
    const char* Line;
    const char* Comment;
  } cases[] = {
      {stPlane, true, 0, "f 1/1/ 2/2/ 35/35/", "#1089 vertices, 2048 faces"},
      {stTorus, false, 31, "f 32/32/ 1/33/ 33/66/ 64/65/", "#1024 vertices, 2048 faces"},
      {stSphere, true, 0, "f 1/1/ 3/34/ 2/33/", "# 994 vertices, 1984 faces"},
  };
  for (const auto& c : cases) {
    TTestWorld w(c.Type, ar32x32);
    const std::vector<std::string> lines = Lines(ObjMeshText(w.m(), w.grid, c.Triangles, QStringLiteral("x.mtl")));
    EXPECT_EQ(lines[3], c.Comment);
    std::vector<std::string> faces;
    for (const auto& l : lines)
      if (l.starts_with("f ")) faces.push_back(l);
    ASSERT_GT(faces.size(), static_cast<std::size_t>(c.FaceIndex));
    EXPECT_EQ(faces[static_cast<std::size_t>(c.FaceIndex)], c.Line);
  }
}

// Every corner pairs the vertex and the texture coordinate of one grid position, and
// every line is used: the numbering of the vertex lines matches that of the texture lines.
TEST(ObjExportNumbering, EveryCornerNamesTheVertexAtItsTexturePosition) {
  unsigned seed = 1;
  for (const TCase& c : AllTypesSomeAspects()) {
    for (bool triangles : {true, false}) {
      SCOPED_TRACE(Name(c, triangles));
      TTestWorld w(c.Type, c.Aspect);
      Scramble(w, seed++);
      const TParsedObj obj = Parse(ObjMeshText(w.m(), w.grid, triangles, QStringLiteral("x.mtl")), w.grid);
      std::vector<int> vertexUses(obj.VertexText.size() + 1, 0), texUses(obj.TexPosition.size() + 1, 0);
      for (const auto& face : obj.Faces) {
        for (const auto& corner : face) {
          ASSERT_GE(corner.V, 1);
          ASSERT_LE(corner.V, static_cast<int>(obj.VertexText.size()));
          ASSERT_GE(corner.T, 1);
          ASSERT_LE(corner.T, static_cast<int>(obj.TexPosition.size()));
          ++vertexUses[static_cast<std::size_t>(corner.V)];
          ++texUses[static_cast<std::size_t>(corner.T)];
          const auto [i, j] = obj.TexPosition[static_cast<std::size_t>(corner.T - 1)];
          ASSERT_EQ(obj.VertexText[static_cast<std::size_t>(corner.V - 1)], VertexText(w.m().Vertices[i][j]))
              << "corner " << corner.V << "/" << corner.T << " at column " << i << ", row " << j;
        }
      }
      for (std::size_t k = 1; k < vertexUses.size(); ++k) EXPECT_GT(vertexUses[k], 0) << "vertex " << k << " unused";
      for (std::size_t k = 1; k < texUses.size(); ++k) EXPECT_GT(texUses[k], 0) << "vt " << k << " unused";
      // Texture lines run row after row, columns in order.
      for (std::size_t k = 1; k < obj.TexPosition.size(); ++k) {
        const auto a = obj.TexPosition[k - 1], b = obj.TexPosition[k];
        EXPECT_TRUE(b.second == a.second ? b.first == a.first + 1 : (b.second == a.second + 1 && b.first == 0)) << k;
      }
    }
  }
}

// In grid coordinates every face covers one cell (or half of it) turning the same way,
// the sphere's caps and the seam included.
TEST(ObjExportNumbering, FacesTurnTheSameWayRoundTheGrid) {
  for (const TCase& c : AllTypesSomeAspects()) {
    for (bool triangles : {true, false}) {
      SCOPED_TRACE(Name(c, triangles));
      TTestWorld w(c.Type, c.Aspect);
      const TParsedObj obj = Parse(ObjMeshText(w.m(), w.grid, triangles, QStringLiteral("x.mtl")), w.grid);
      const int period = w.grid.ColumnCount - 1;
      const bool closed = c.Type != stPlane;
      for (std::size_t f = 0; f < obj.Faces.size(); ++f) {
        const auto& face = obj.Faces[f];
        const auto p = [&](int k) { return obj.TexPosition[static_cast<std::size_t>(face[static_cast<std::size_t>(k)].T - 1)]; };
        const auto dx = [&](int k) {
          int d = p(k).first - p(0).first;
          if (closed && d > period / 2) d -= period;
          if (closed && d < -period / 2) d += period;
          return d;
        };
        const int cross = dx(1) * (p(2).second - p(0).second) - dx(2) * (p(1).second - p(0).second);
        ASSERT_EQ(cross, 1) << "face " << f;
      }
    }
  }
}

TEST(ObjExportSphere, CapsAreTrianglesRoundThePolesAndTheLastCornerIsConsistent) {
  for (int aspect : {ar32x32, ar256x4, ar4x256}) {
    for (bool triangles : {true, false}) {
      SCOPED_TRACE(std::string(AspectName(aspect)) + (triangles ? " tri" : " quad"));
      TTestWorld w(stSphere, aspect);
      Scramble(w, 99);
      const TParsedObj obj = Parse(ObjMeshText(w.m(), w.grid, triangles, QStringLiteral("x.mtl")), w.grid);
      const int C = w.grid.ColumnCount, R = w.grid.RowCount;
      const int lastPole = static_cast<int>(obj.VertexText.size());
      EXPECT_EQ(obj.VertexText.back(), VertexText(w.m().Vertices[0][R - 1]));
      for (int b = 0; b <= C - 2; ++b) {
        const auto& first = obj.Faces[static_cast<std::size_t>(b)];
        ASSERT_EQ(first.size(), 3u);
        EXPECT_EQ(first[0].V, 1);
        EXPECT_EQ(obj.TexPosition[static_cast<std::size_t>(first[0].T - 1)], std::make_pair(b, 0));
        const auto& last = obj.Faces[obj.Faces.size() - static_cast<std::size_t>(C - 1 - b)];
        ASSERT_EQ(last.size(), 3u);
        EXPECT_EQ(last[1].V, lastPole);
        EXPECT_EQ(obj.TexPosition[static_cast<std::size_t>(last[1].T - 1)], std::make_pair(b, R - 1));
        // The third corner: the previous column of row R-2, with that position's texture coordinate.
        EXPECT_EQ(obj.TexPosition[static_cast<std::size_t>(last[2].T - 1)], std::make_pair((b + C - 2) % (C - 1), R - 2));
      }
      for (std::size_t f = static_cast<std::size_t>(C - 1); f + static_cast<std::size_t>(C - 1) < obj.Faces.size(); ++f)
        EXPECT_EQ(obj.Faces[f].size(), triangles ? 3u : 4u);
    }
  }
}

TEST(ObjExportFaces, TrianglesAreTheQuadranglesSplitAlongOneDiagonal) {
  for (const TCase& c : AllTypesSomeAspects()) {
    SCOPED_TRACE(Name(c, true));
    TTestWorld w(c.Type, c.Aspect);
    const TParsedObj tri = Parse(ObjMeshText(w.m(), w.grid, true, QStringLiteral("x.mtl")), w.grid);
    const TParsedObj quad = Parse(ObjMeshText(w.m(), w.grid, false, QStringLiteral("x.mtl")), w.grid);
    std::vector<std::vector<TParsedObj::TCorner>> split;
    for (const auto& q : quad.Faces) {
      if (q.size() == 3) {
        split.push_back(q);
      } else {
        ASSERT_EQ(q.size(), 4u);
        split.push_back({q[0], q[1], q[2]});
        split.push_back({q[0], q[2], q[3]});
      }
    }
    EXPECT_EQ(split, tri.Faces);
    EXPECT_EQ(tri.VertexText, quad.VertexText);
    EXPECT_EQ(tri.TexPosition, quad.TexPosition);
  }
}

// ---- the three files ----

struct TExportDir {
  QTemporaryDir Dir;
  TTestWorld World{stTorus, ar64x16};
  TTextureSet Textures;
  QStringList Warnings;
  TExportDir() { ResetTexture(Textures, World.grid); }
  QString Path(const QString& name) const { return Dir.filePath(name); }
  QStringList Files() const { return QDir(Dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name); }
  bool Export(QString& name, bool overwrite, QString* reason = nullptr, TObjFileNames* written = nullptr) {
    TAppSettings settings;
    settings.FileOverWrite = overwrite;
    return ExportObj(World.m(), World.grid, Textures, name, true, settings,
                     [this](const QString& text) { Warnings << text; }, reason, written);
  }
  QByteArray Read(const QString& name) const {
    QFile f(Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

TEST(ObjExportFiles, TextureMaterialAndMeshNameEachOther) {
  TExportDir d;
  QString name = d.Path(QStringLiteral("ball.obj"));
  QString reason;
  TObjFileNames written;
  ASSERT_TRUE(d.Export(name, true, &reason, &written)) << reason.toStdString();
  EXPECT_EQ(name, d.Path(QStringLiteral("ball.obj")));
  EXPECT_EQ(written.Texture, d.Path(QStringLiteral("ball.png")));
  EXPECT_EQ(written.Material, d.Path(QStringLiteral("ball.mtl")));
  EXPECT_EQ(d.Files(), QStringList({"ball.mtl", "ball.obj", "ball.png"}));
  EXPECT_EQ(d.Read(QStringLiteral("ball.mtl")), QByteArray("newmtl dudov\r\nmap_Kd ball.png\r\n"));
  EXPECT_EQ(d.Read(QStringLiteral("ball.obj")), ObjMeshText(d.World.m(), d.World.grid, true, QStringLiteral("ball.mtl")));
  QImage picture;
  ASSERT_EQ(LoadImage(d.Path(QStringLiteral("ball.png")), picture), 0);
  EXPECT_EQ(picture.size(), QSize(d.World.grid.TextureWidth, d.World.grid.TextureHeight));
  EXPECT_EQ(picture.pixel(100, 100), d.Textures.PaintedColour.pixel(100, 100));
  EXPECT_TRUE(d.Warnings.isEmpty());
}

TEST(ObjExportFiles, AutoRenameNamesTheMaterialAfterTheMeshAsWritten) {
  const struct {
    const char* Label;
    QStringList Existing;
    const char* Texture;
    const char* Mesh;
    const char* Material;
  } cases[] = {
      {"an earlier export", {"ball.obj", "ball.mtl", "ball.png"}, "ball_001.png", "ball_001.obj", "ball_001.mtl"},
      {"a mesh only", {"ball.obj"}, "ball.png", "ball_001.obj", "ball_001.mtl"},
      {"a picture only", {"ball.png"}, "ball_001.png", "ball.obj", "ball.mtl"},
      {"a numbered mesh", {"ball_007.obj", "ball_007.png"}, "ball_008.png", "ball_008.obj", "ball_008.mtl"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    TExportDir d;
    for (const QString& f : c.Existing) {
      QFile file(d.Path(f));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write("earlier " + f.toUtf8());
    }
    const QString base = QFileInfo(c.Existing.front()).completeBaseName();
    QString name = d.Path(base + QStringLiteral(".obj"));
    QString reason;
    ASSERT_TRUE(d.Export(name, false, &reason)) << reason.toStdString();
    EXPECT_EQ(QFileInfo(name).fileName(), QString::fromLatin1(c.Mesh));
    const QByteArray mesh = d.Read(QString::fromLatin1(c.Mesh));
    EXPECT_TRUE(mesh.contains("\r\nmtllib " + QByteArray(c.Material) + "\r\n")) << c.Mesh;
    EXPECT_EQ(d.Read(QString::fromLatin1(c.Material)), "newmtl dudov\r\nmap_Kd " + QByteArray(c.Texture) + "\r\n");
    // Nothing that was there before is touched.
    for (const QString& f : c.Existing) EXPECT_EQ(d.Read(f), "earlier " + f.toUtf8()) << f.toStdString();
    // One warning per renamed file, naming it.
    QStringList expected;
    if (c.Existing.contains(base + QStringLiteral(".png"))) expected << d.Path(QString::fromLatin1(c.Texture));
    if (c.Existing.contains(base + QStringLiteral(".obj"))) expected << d.Path(QString::fromLatin1(c.Mesh));
    ASSERT_EQ(d.Warnings.size(), expected.size());
    for (qsizetype k = 0; k < expected.size(); ++k)
      EXPECT_EQ(d.Warnings[k], QStringLiteral("FileName is Renamed to \"") + expected[k] + QStringLiteral("\"."));
  }
}

TEST(ObjExportFiles, OverwriteReplacesAllThreeSilently) {
  TExportDir d;
  QString name = d.Path(QStringLiteral("ball.obj"));
  ASSERT_TRUE(d.Export(name, true));
  ResetModel(d.World.m(), d.World.grid, stPlane, ar64x16);
  ASSERT_TRUE(d.Export(name, true));
  EXPECT_EQ(d.Files(), QStringList({"ball.mtl", "ball.obj", "ball.png"}));
  EXPECT_EQ(d.Read(QStringLiteral("ball.obj")), ObjMeshText(d.World.m(), d.World.grid, true, QStringLiteral("ball.mtl")));
  EXPECT_TRUE(d.Warnings.isEmpty());
}

TEST(ObjExportFiles, AFailedExportLeavesNothingItCreated) {
  {
    SCOPED_TRACE("missing folder");
    TExportDir d;
    QString name = d.Path(QStringLiteral("no/such/folder/ball.obj"));
    const QString before = name;
    QString reason;
    EXPECT_FALSE(d.Export(name, true, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(name, before);
    EXPECT_TRUE(d.Files().isEmpty());
  }
  {
    SCOPED_TRACE("the mesh cannot be written");
    TExportDir d;
    ASSERT_TRUE(QDir(d.Dir.path()).mkdir(QStringLiteral("ball.obj")));
    QString name = d.Path(QStringLiteral("ball.obj"));
    QString reason;
    EXPECT_FALSE(d.Export(name, true, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("ball.obj"))) << reason.toStdString();
    EXPECT_EQ(d.Files(), QStringList({"ball.obj"}));  // the picture and the material are gone again
  }
  {
    SCOPED_TRACE("no texture picture");
    TExportDir d;
    d.Textures = TTextureSet{};
    QString name = d.Path(QStringLiteral("ball.obj"));
    QString reason;
    EXPECT_FALSE(d.Export(name, true, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(d.Files().isEmpty());
  }
}

}  // namespace
}  // namespace orvane
