// OBJ import: round trips of every type, the vertex-count path, rescaling, lookups and hardening.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/preview_texture.h"
#include "test_world.h"

namespace orvane {
namespace {

// Distinct, in-range vertices (the range's two ends included).
void Scramble(TTestWorld& w, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> d(-1.0, 128.0 / 127.0);
  for (int i = 0; i < w.grid.ColumnCount; ++i)
    for (int j = 0; j < w.grid.RowCount; ++j) w.m().Vertices[i][j] = {d(rng), d(rng), d(rng)};
  w.m().Vertices[1][1] = {-1.0, 128.0 / 127.0, 0.0};
  Stitch(w.m(), w.grid);
  CommitBase(w.m(), w.grid);
}

// A world that an import must replace completely, or leave exactly as it is.
std::unique_ptr<TTestWorld> BusyWorld() {
  auto w = std::make_unique<TTestWorld>(stPlane, ar16x64);
  Scramble(*w, 5);
  for (int i = 0; i < 6; ++i) {
    w->m().Selected[i][3] = 1;
    w->m().Locked[i][4] = 1;
  }
  UpdateSelection(w->m(), w->grid);
  CommitBase(w->m(), w->grid);
  w->grid.LatheColumn = 3;
  w->grid.ExtrudeRow = 40;
  return w;
}

void ExpectSameWorld(const TTestWorld& a, const TTestWorld& b) {
  EXPECT_EQ(a.model->Aspect, b.model->Aspect);
  EXPECT_EQ(a.model->SculptType, b.model->SculptType);
  EXPECT_EQ(a.model->SelectedCount, b.model->SelectedCount);
  EXPECT_EQ(a.grid.ColumnCount, b.grid.ColumnCount);
  EXPECT_EQ(a.grid.RowCount, b.grid.RowCount);
  EXPECT_EQ(a.grid.LatheColumn, b.grid.LatheColumn);
  EXPECT_EQ(a.grid.ExtrudeRow, b.grid.ExtrudeRow);
  for (int i = 0; i < kGridCapacity; ++i)
    for (int j = 0; j < kGridCapacity; ++j) {
      ASSERT_EQ(a.model->Vertices[i][j], b.model->Vertices[i][j]) << i << "," << j;
      ASSERT_EQ(a.model->BaseVertices[i][j], b.model->BaseVertices[i][j]) << i << "," << j;
      ASSERT_EQ(a.model->Selected[i][j], b.model->Selected[i][j]) << i << "," << j;
      ASSERT_EQ(a.model->Locked[i][j], b.model->Locked[i][j]) << i << "," << j;
    }
}

// What every successful import leaves: flags cleared, stitched, committed, cursors reset.
void ExpectCleanImport(const TTestWorld& w) {
  const int C = w.grid.ColumnCount, R = w.grid.RowCount;
  EXPECT_EQ(w.model->SelectedCount, 0);
  EXPECT_EQ(w.grid.LatheColumn, w.grid.MidColumn);
  EXPECT_EQ(w.grid.ExtrudeRow, w.grid.CapRows);
  EXPECT_EQ(w.grid.HoopRow, w.grid.CapRows);
  for (int i = 0; i < kGridCapacity; ++i)
    for (int j = 0; j < kGridCapacity; ++j) {
      ASSERT_EQ(w.model->Selected[i][j], 0);
      ASSERT_EQ(w.model->Locked[i][j], 0);
    }
  for (int i = 0; i < C; ++i)
    for (int j = 0; j < R; ++j) {
      ASSERT_EQ(w.model->BaseVertices[i][j], w.model->Vertices[i][j]);
      for (int axis = 0; axis < 3; ++axis) {
        ASSERT_TRUE(std::isfinite(w.model->Vertices[i][j][axis]));
        ASSERT_GE(w.model->Vertices[i][j][axis], -1.0);
        ASSERT_LE(w.model->Vertices[i][j][axis], 128.0 / 127.0);
      }
    }
  auto stitched = std::make_unique<TSculptData>(*w.model);
  Stitch(*stitched, w.grid);
  for (int i = 0; i < C; ++i)
    for (int j = 0; j < R; ++j) ASSERT_EQ(stitched->Vertices[i][j], w.model->Vertices[i][j]) << "not stitched";
}

// The same grid to the eight printed decimals.
void ExpectSameVertices(const TTestWorld& want, const TTestWorld& got) {
  for (int i = 0; i < want.grid.ColumnCount; ++i)
    for (int j = 0; j < want.grid.RowCount; ++j)
      for (int axis = 0; axis < 3; ++axis)
        ASSERT_NEAR(got.model->Vertices[i][j][axis], want.model->Vertices[i][j][axis], 5.000001e-9)
            << "column " << i << ", row " << j << ", axis " << axis;
}

QByteArray Export(const TTestWorld& w, bool triangles) {
  return ObjMeshText(*w.model, w.grid, triangles, QStringLiteral("m.mtl"));
}

// Line-wise edits of an exported file.
QByteArray EditLines(const QByteArray& text, const std::function<std::string(std::string)>& edit) {
  std::string out;
  for (const QByteArray& line : text.split('\n')) {
    if (line.isEmpty()) continue;
    std::string l = line.toStdString();
    if (!l.empty() && l.back() == '\r') l.pop_back();
    out += edit(l);
  }
  return QByteArray::fromStdString(out);
}
std::string Keep(const std::string& l) { return l + "\r\n"; }

struct TCase {
  int Type;
  int Aspect;
};

TEST(ObjRoundTrip, EveryTypeAndAspectComesBackTheSame) {
  unsigned seed = 10;
  for (int type : {stSphere, stTorus, stPlane, stCylinder}) {
    for (int aspect : {ar32x32, ar64x16, ar256x4, ar16x64, ar4x256}) {
      for (bool triangles : {true, false}) {
        SCOPED_TRACE(std::string(SculptTypeName(type)) + " " + std::string(AspectName(aspect)) +
                     (triangles ? " tri" : " quad"));
        TTestWorld source(type, aspect);
        Scramble(source, seed++);
        auto target = BusyWorld();
        const TObjImport r = ImportObjText(target->m(), target->grid, Export(source, triangles));
        ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
        EXPECT_EQ(r.Aspect, aspect);
        EXPECT_EQ(r.SculptType, type);
        EXPECT_TRUE(r.FromTexCoords);
        EXPECT_EQ(r.Unmatched, 0);
        EXPECT_FALSE(r.Maximized);
        EXPECT_EQ(target->m().Aspect, aspect);
        EXPECT_EQ(target->m().SculptType, type);
        EXPECT_EQ(target->grid.ColumnCount, source.grid.ColumnCount);
        EXPECT_EQ(target->grid.RowCount, source.grid.RowCount);
        ExpectSameVertices(source, *target);
        ExpectCleanImport(*target);
      }
    }
  }
}

TEST(ObjRoundTrip, ThroughTheThreeFiles) {
  QTemporaryDir dir;
  TTestWorld source(stCylinder, ar8x128);
  Scramble(source, 77);
  TTextureSet textures;
  ResetTexture(textures, source.grid);
  QString name = dir.filePath(QStringLiteral("can.obj"));
  QString reason;
  ASSERT_TRUE(ExportObj(source.m(), source.grid, textures, name, false, TAppSettings{}, {}, &reason)) << reason.toStdString();
  auto target = BusyWorld();
  const TObjImport r = ImportObj(target->m(), target->grid, name);
  ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
  EXPECT_EQ(target->m().SculptType, stCylinder);
  EXPECT_EQ(target->m().Aspect, ar8x128);
  ExpectSameVertices(source, *target);
  ExpectCleanImport(*target);
}

// Without texture coordinates the vertex count names a sphere's aspect and the
// vertices fill the grid in the order the exporter writes them.
TEST(ObjVertexCount, ASphereWithoutTextureCoordinatesFillsInFileOrder) {
  const struct {
    int Vertices;
    int Aspect;
  } cases[] = {{994, ar32x32}, {962, ar64x16}, {898, ar128x8}, {770, ar256x4},
               {1010, ar16x64}, {1018, ar8x128}, {1022, ar4x256}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Vertices);
    TTestWorld source(stSphere, c.Aspect);
    Scramble(source, static_cast<unsigned>(c.Vertices));
    const QByteArray onlyVertices =
        EditLines(Export(source, true), [](const std::string& l) { return l.starts_with("v ") ? Keep(l) : ""; });
    ASSERT_EQ(onlyVertices.count("\nv "), c.Vertices - 1);
    auto target = BusyWorld();
    const TObjImport r = ImportObjText(target->m(), target->grid, onlyVertices);
    ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
    EXPECT_FALSE(r.FromTexCoords);
    EXPECT_EQ(target->m().SculptType, stSphere);
    EXPECT_EQ(target->m().Aspect, c.Aspect);
    ExpectSameVertices(source, *target);
    ExpectCleanImport(*target);
  }
}

TEST(ObjRescale, CoordinatesOutsideTheRangeAreMaximized) {
  TTestWorld source(stTorus, ar32x32);
  Scramble(source, 3);
  // Stretch the shape: X to 0 .. 2, Y to -3 .. -1.5, Z unchanged.
  const QByteArray text = EditLines(Export(source, false), [](const std::string& l) {
    if (!l.starts_with("v ")) return Keep(l);
    double x = 0, y = 0, z = 0;
    std::sscanf(l.c_str(), "v %lf %lf %lf", &x, &y, &z);
    return "v " + FormatObjNumber((x + 1) * 127.0 / 128.0) + " " + FormatObjNumber(y * 0.75 - 2.25) + " " +
           FormatObjNumber(z) + "\r\n";
  });
  auto target = BusyWorld();
  const TObjImport r = ImportObjText(target->m(), target->grid, text);
  ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
  EXPECT_TRUE(r.Maximized);
  ExpectCleanImport(*target);
  for (int axis = 0; axis < 3; ++axis) {
    double lo = 9, hi = -9;
    for (int i = 0; i < 33; ++i)
      for (int j = 0; j < 33; ++j) {
        lo = std::min(lo, target->m().Vertices[i][j][axis]);
        hi = std::max(hi, target->m().Vertices[i][j][axis]);
      }
    EXPECT_NEAR(lo, -1.0, 1e-12) << axis;
    EXPECT_NEAR(hi, 128.0 / 127.0, 1e-12) << axis;
  }
  // Each axis is mapped straight from the file's range onto -1 .. 128/127.
  const auto fileValue = [&](int i, int j, int axis) {
    TDbl3D v = source.m().Vertices[i][j];
    for (int a = 0; a < 3; ++a) v[a] = std::stod(FormatObjNumber(v[a]));  // as exported, then edited
    return std::stod(FormatObjNumber(axis == 0 ? (v.X + 1) * 127.0 / 128.0 : (axis == 1 ? v.Y * 0.75 - 2.25 : v.Z)));
  };
  for (int axis = 0; axis < 3; ++axis) {
    double lo = 9, hi = -9;
    for (int i = 0; i < 33; ++i)
      for (int j = 0; j < 33; ++j) {
        lo = std::min(lo, fileValue(i, j, axis));
        hi = std::max(hi, fileValue(i, j, axis));
      }
    for (int i = 0; i < 33; ++i)
      for (int j = 0; j < 33; ++j)
        ASSERT_NEAR(target->m().Vertices[i][j][axis], (fileValue(i, j, axis) - lo) * (255.0 / 127.0) / (hi - lo) - 1, 1e-12)
            << i << "," << j << "," << axis;
  }
}

TEST(ObjRescale, HasOutOfRangeBoundaries) {
  const struct {
    double Value;
    bool Out;
  } cases[] = {{-1.0, false}, {-1.0000001, true}, {128.0 / 127.0, false}, {1.0078740299, false},
               {1.00787403, true}, {2.0, true}, {NAN, true}, {0.0, false}};
  for (const auto& c : cases) {
    TTestWorld w(stPlane, ar64x16);
    w.m().Vertices[64][16].Z = c.Value;
    EXPECT_EQ(HasOutOfRange(w.m().Vertices, w.grid), c.Out) << c.Value;
    w.m().Vertices[64][16].Z = 0;
    w.m().Vertices[65][16].Z = 5.0;  // outside the used block: never looked at
    EXPECT_FALSE(HasOutOfRange(w.m().Vertices, w.grid));
  }
}

// The straightforward search the index must agree with.
int LinearFind(int tu, int tv, const TObjTables& t) {
  for (std::size_t k = 0; k < t.TexCoords.size(); ++k) {
    if (t.TexCoords[k].X != tu || t.TexCoords[k].Y != tv) continue;
    for (const auto& c : t.Corners)
      if (c.Texture == static_cast<int>(k) + 1) return c.Vertex - 1;
  }
  return -1;
}

TEST(ObjLookup, IndexedSearchGivesTheFirstMatchOfTheSearchInFileOrder) {
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    TObjTables t;
    std::uniform_int_distribution<int> pos(-1, 9), small(1, 60), tex(-1, 70);
    for (int k = 0; k < 50; ++k) t.TexCoords.push_back({pos(rng), pos(rng)});  // many duplicates
    for (int k = 0; k < 120; ++k) t.Corners.push_back({small(rng), tex(rng)});  // some name nothing
    IndexTexCoords(t);
    for (int tu = -3; tu <= 12; ++tu)
      for (int tv = -3; tv <= 12; ++tv) ASSERT_EQ(FindVertexByTexCoord(tu, tv, t), LinearFind(tu, tv, t)) << tu << "," << tv;
  }
  TObjTables none;
  IndexTexCoords(none);
  EXPECT_EQ(FindVertexByTexCoord(0, 0, none), -1);
  EXPECT_EQ(FindVertexByTexCoord(100000, -100000, none), -1);
}

// ---- hardening ----

// Edits of a 32x32 quadrangle TORUS export that must still import to the same grid.
TEST(ObjHardening, TolerableVariationsImportTheSameGrid) {
  TTestWorld source(stTorus, ar32x32);
  Scramble(source, 21);
  const QByteArray original = Export(source, false);
  int vertexLines = 0, texLines = 0;
  const struct {
    const char* Label;
    std::function<QByteArray()> Make;
  } cases[] = {
      {"LF line ends, tabs, commas, comments, normals, blank lines",
       [&] {
         return EditLines(original, [](const std::string& l) {
           std::string out = l;
           if (l.starts_with("v ")) {
             for (char& ch : out) ch = ch == '.' ? ',' : (ch == ' ' ? '\t' : ch);
             out.insert(0, "  ");
             out.append("  \n\n# note\nvn 0 0 1");
           }
           out.push_back('\n');
           return out;
         });
       }},
      {"lone CR line ends", [&] { return EditLines(original, [](const std::string& l) { return l + "\r"; }); }},
      {"vertex/texture/normal corners", [&] {
         return EditLines(original, [](const std::string& line) {
           if (line.compare(0, 2, "f ") != 0) return Keep(line);
           std::string l = line;
           for (std::size_t k = 0; (k = l.find("/ ", k)) != std::string::npos; k += 3) l.insert(k + 1, "1");
           return l + "1\r\n";
         });
       }},
      {"negative indices counted back from the lines read so far", [&] {
         vertexLines = texLines = 0;
         return EditLines(original, [&](const std::string& l) {
           if (l.starts_with("v ")) ++vertexLines;
           if (l.starts_with("vt ")) ++texLines;
           if (!l.starts_with("f ")) return Keep(l);
           std::string out = "f";
           int v = 0, t = 0;
           const char* p = l.c_str() + 1;
           while (std::sscanf(p, " %d/%d/", &v, &t) == 2) {
             out += " " + std::to_string(v - vertexLines - 1) + "/" + std::to_string(t - texLines - 1) + "/";
             p = std::strchr(p + 1, ' ') ? std::strchr(p + 1, ' ') : p + std::strlen(p);
           }
           return out + "\r\n";
         });
       }},
      {"a face with five corners in place of a middle one", [&] {
         int faces = 0;
         return EditLines(original, [&](const std::string& l) {
           if (l.starts_with("f ") && ++faces == 500) return l + " 1/1/\r\n";
           return Keep(l);
         });
       }},
      {"tiny, zero and negative u after the others", [&] {
         return original + "vt 1e-30 0.5\r\nvt 0 0\r\nvt -0.5 0.5\r\nvt 0.000001 1\r\n";
       }},
      {"texture coordinates past the table's capacity", [&] {
         // Up to the capacity harmless lines; past it lines that would name a 64x16 grid.
         QByteArray extra = original;
         for (int k = original.count("\nvt "); k < kMaxObjTexCoords; ++k) extra += "vt 0.5 0.5\r\n";
         for (int k = 0; k < 10; ++k) extra += "vt 0.015625 0.5\r\n";
         return extra;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    auto target = BusyWorld();
    const TObjImport r = ImportObjText(target->m(), target->grid, c.Make());
    ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
    EXPECT_EQ(target->m().SculptType, stTorus);
    EXPECT_EQ(target->m().Aspect, ar32x32);
    ExpectSameVertices(source, *target);
    ExpectCleanImport(*target);
  }
}

TEST(ObjHardening, UnusableFilesAreRefusedWithAReasonAndTheModelUntouched) {
  TTestWorld source(stPlane, ar64x16);
  Scramble(source, 31);
  const QByteArray original = Export(source, true);
  // Replaces the n-th line that starts with prefix.
  const auto replace = [&](const char* prefix, int n, const std::string& with) {
    int seen = 0;
    return EditLines(original, [&](const std::string& l) { return l.starts_with(prefix) && ++seen == n ? with + "\r\n" : Keep(l); });
  };
  const auto drop2 = [&](const char* a, const char* b) {
    return EditLines(original, [&](const std::string& l) { return l.starts_with(a) || l.starts_with(b) ? std::string() : Keep(l); });
  };
  const std::string hugeLine(kMaxObjLineBytes + 1, '#');
  const struct {
    const char* Label;
    QByteArray Text;
    const char* Reason;
  } cases[] = {
      {"empty file", QByteArray(), "0 vertices are not a sphere"},
      {"no texture coordinates, not a sphere count", drop2("vt ", "f "), "texture coordinates give no grid size"},
      {"faces naming texture coordinates the file lacks", drop2("vt ", "#"), "texture coordinate 1 does not exist"},
      {"one face too many", original + "f 1/1/ 2/2/ 3/3/\r\n", "2049 faces do not fit a 64x16 grid"},
      {"one vertex too many", original + "v 0 0 0\r\n", "1106 vertices fit no sculpt type of a 64x16 grid"},
      {"vertex index 0", replace("f ", 7, "f 0/1/ 2/2/ 3/3/"), "\"0/1/\" is not a valid corner"},
      {"vertex index past the end", replace("f ", 1, "f 1106/1/ 2/2/ 3/3/"), "vertex 1106 does not exist"},
      {"negative index before the start", replace("f ", 1, "f -5000/1/ 2/2/ 3/3/"), "not a valid corner"},
      {"texture index past the end", replace("f ", 1, "f 1/9999/ 2/2/ 3/3/"), "texture coordinate 9999 does not exist"},
      {"texture index 0", replace("f ", 1, "f 1/0/ 2/2/ 3/3/"), "not a valid corner"},
      {"index out of the integer range", replace("f ", 1, "f 99999999999/1/ 2/2/ 3/3/"), "not a valid corner"},
      {"non-numeric index", replace("f ", 1, "f a/1/ 2/2/ 3/3/"), "\"a/1/\" is not a valid corner"},
      {"missing vertex index", replace("f ", 1, "f /1/ 2/2/ 3/3/"), "not a valid corner"},
      {"non-numeric coordinate", replace("v ", 3, "v 0.5 abc 0.5"), "\"abc\" is not a finite number"},
      {"not a number", replace("v ", 3, "v nan 0 0"), "\"nan\" is not a finite number"},
      {"infinite coordinate", replace("v ", 3, "v 0 inf 0"), "\"inf\" is not a finite number"},
      {"coordinate overflowing a double", replace("v ", 3, "v 0 0 1e999"), "\"1e999\" is not a finite number"},
      {"a vertex with two coordinates", replace("v ", 3, "v 0 0"), "exactly three coordinates"},
      {"a vertex with a colour", replace("v ", 3, "v 0 0 0 1 1 1"), "exactly three coordinates"},
      {"non-finite u", replace("vt ", 2, "vt inf 1"), "\"inf\" is not a finite number"},
      {"u without v", replace("vt ", 2, "vt 0.5"), "needs u and v"},
      {"a line too long", original + QByteArray::fromStdString(hugeLine), "is longer than"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    auto target = BusyWorld();
    const auto before = std::make_unique<TTestWorld>();
    *before->model = *target->model;
    before->grid = target->grid;
    const TObjImport r = ImportObjText(target->m(), target->grid, c.Text);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Reason.contains(QString::fromUtf8(c.Reason))) << r.Reason.toStdString();
    ExpectSameWorld(*before, *target);
  }
}

TEST(ObjHardening, MissingAndHugeFilesAreRefused) {
  QTemporaryDir dir;
  const QString huge = dir.filePath(QStringLiteral("huge.obj"));
  {
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(kMaxObjFileBytes + 1));  // sparse: no time spent writing it
  }
  const struct {
    QString Name;
    const char* Reason;
  } cases[] = {{dir.filePath(QStringLiteral("missing.obj")), "cannot open"}, {huge, "larger than 32 MiB"}};
  for (const auto& c : cases) {
    auto target = BusyWorld();
    const auto before = std::make_unique<TTestWorld>();
    *before->model = *target->model;
    before->grid = target->grid;
    const TObjImport r = ImportObj(target->m(), target->grid, c.Name);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Reason.contains(QString::fromUtf8(c.Reason))) << r.Reason.toStdString();
    ExpectSameWorld(*before, *target);
  }
}

}  // namespace
}  // namespace orvane
