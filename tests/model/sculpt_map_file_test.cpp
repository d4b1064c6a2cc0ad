// Sculpt map files: save and load through TGA and PNG, author marks, refused files.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/sculpt_data.h"
#include "model/sculpt_map.h"
#include "test_world.h"

namespace orvane {
namespace {

using World = TTestWorld;

TAppSettings SettingsWith(bool secondLife, int tgaSize = 128) {
  TAppSettings s;
  s.SecondLifeCoordinateSystem = secondLife;
  s.TgaSize = tgaSize;
  s.FileOverWrite = true;
  return s;
}

const TWarnFunction kNoWarning = [](const QString&) {};

int DifferingVertices(const World& a, const World& b) {
  int differ = 0;
  for (int i = 0; i < a.grid.ColumnCount; ++i)
    for (int j = 0; j < a.grid.RowCount; ++j) differ += a.model->Vertices[i][j] == b.model->Vertices[i][j] ? 0 : 1;
  return differ;
}

class SculptMapFiles : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString Path(const QString& name) const { return dir.filePath(name); }
};

// A file must give exactly what the same map gives when decoded from memory.
TEST_F(SculptMapFiles, FileRoundTripMatchesTheImageRoundTrip) {
  struct Case { int tgaSize; int aspect; const char* ext; };
  std::vector<Case> cases;
  for (int aspect = 0; aspect < kAspectCount; ++aspect) cases.push_back({128, aspect, ".tga"});
  cases.push_back({64, ar32x32, ".tga"});
  cases.push_back({512, ar4x256, ".tga"});
  cases.push_back({128, ar64x16, ".png"});
  cases.push_back({256, ar16x64, ".png"});
  for (const Case& c : cases) {
    for (int type : {stSphere, stTorus, stPlane, stCylinder}) {
      for (bool secondLife : {false, true}) {
        const std::string what = std::string(AspectName(c.aspect)) + " " + std::string(SculptTypeName(type)) + " " +
                                 std::to_string(c.tgaSize) + c.ext + (secondLife ? " SL" : " program");
        const TAppSettings settings = SettingsWith(secondLife, c.tgaSize);
        World saved(type, c.aspect);
        QString name = Path(QStringLiteral("map") + QLatin1String(c.ext));
        QString reason;
        ASSERT_TRUE(SaveSculptMap(*saved.model, saved.grid, name, settings, kNoWarning, &reason))
            << what << ": " << reason.toStdString();
        EXPECT_EQ(name, Path(QStringLiteral("map") + QLatin1String(c.ext))) << what;

        World fromFile;
        const TSculptMapLoad r = LoadSculptMap(name, kDetectSculptType, settings, *fromFile.model, fromFile.grid);
        ASSERT_TRUE(r.Ok) << what << ": " << r.Reason.toStdString();
        EXPECT_EQ(r.Width, c.tgaSize / 32 * (saved.grid.ColumnCount - 1)) << what;
        EXPECT_EQ(r.Marked, !secondLife && QLatin1String(c.ext) == QLatin1String(".tga")) << what;
        EXPECT_EQ(r.SculptType, type) << what;

        World fromImage;
        const QImage map = RenderSculptMap(*saved.model, saved.grid, settings);
        ASSERT_TRUE(DecodeSculptMap(map, false, kDetectSculptType, settings, *fromImage.model, fromImage.grid).Ok);
        ASSERT_EQ(fromFile.grid.ColumnCount, fromImage.grid.ColumnCount) << what;
        EXPECT_EQ(DifferingVertices(fromFile, fromImage), 0) << what;
      }
    }
  }
}

TEST_F(SculptMapFiles, MarkedMapIsReadWithProgramAxesWhateverTheSetting) {
  World saved(stPlane, ar64x16);
  saved.model->Vertices[10][3] = {0.25, -0.5, 0.75};  // a vertex that differs when X and Y swap
  QString name = Path(QStringLiteral("marked.tga"));
  ASSERT_TRUE(SaveSculptMap(*saved.model, saved.grid, name, SettingsWith(false), kNoWarning));
  World loaded;
  const TSculptMapLoad r = LoadSculptMap(name, kDetectSculptType, SettingsWith(true), *loaded.model, loaded.grid);
  ASSERT_TRUE(r.Ok) << r.Reason.toStdString();
  EXPECT_TRUE(r.Marked);
  EXPECT_EQ(loaded.model->Vertices[10][3], (TDbl3D{32 / 127.0, -64 / 127.0, 95 / 127.0}));
}

TEST_F(SculptMapFiles, TransparencySettingFillsTheAlphaPlaneOnly) {
  World saved(stTorus, ar32x32);
  for (bool transparent : {false, true}) {
    TAppSettings settings = SettingsWith(true);
    settings.SculptTransparent = transparent;
    for (const char* file : {"clear.tga", "clear.png"}) {
      QString name = Path(QLatin1String(file));
      ASSERT_TRUE(SaveSculptMap(*saved.model, saved.grid, name, settings, kNoWarning)) << file;
      World loaded;
      ASSERT_TRUE(LoadSculptMap(name, kDetectSculptType, settings, *loaded.model, loaded.grid).Ok) << file;
      World reference;
      ASSERT_TRUE(DecodeSculptMap(RenderSculptMap(*saved.model, saved.grid, settings), false, kDetectSculptType,
                                  settings, *reference.model, reference.grid).Ok);
      EXPECT_EQ(DifferingVertices(loaded, reference), 0) << file << " transparent " << transparent;
    }
    // The PNG carries the alpha plane where any reader sees it.
    const QImage png(Path(QStringLiteral("clear.png")));
    ASSERT_FALSE(png.isNull());
    const int wanted = transparent ? 0 : 255;
    int other = 0;
    for (int y = 0; y < png.height(); ++y)
      for (int x = 0; x < png.width(); ++x) other += qAlpha(png.pixel(x, y)) == wanted ? 0 : 1;
    EXPECT_EQ(other, 0) << "transparent " << transparent;
  }
}

TEST_F(SculptMapFiles, UnsupportedSaveSizeWritesNothing) {
  World w;
  QString name = Path(QStringLiteral("never.tga"));
  QString reason;
  EXPECT_FALSE(SaveSculptMap(*w.model, w.grid, name, SettingsWith(true, 100), kNoWarning, &reason));
  EXPECT_TRUE(reason.contains(QLatin1String("100"))) << reason.toStdString();
  EXPECT_FALSE(QFile::exists(name));
  QString missingFolder = Path(QStringLiteral("no/such/folder/m.tga"));
  EXPECT_FALSE(SaveSculptMap(*w.model, w.grid, missingFolder, SettingsWith(true), kNoWarning, &reason));
  EXPECT_FALSE(reason.isEmpty());
}

// Everything a refused load must leave alone, compared over the whole capacity.
void ExpectSameModel(const TSculptData& a, const TSculptData& b, const TGridGeometry& ga, const TGridGeometry& gb,
                     const std::string& what) {
  EXPECT_EQ(a.Aspect, b.Aspect) << what;
  EXPECT_EQ(a.SculptType, b.SculptType) << what;
  EXPECT_EQ(a.SelectedCount, b.SelectedCount) << what;
  EXPECT_EQ(ga.ColumnCount, gb.ColumnCount) << what;
  EXPECT_EQ(ga.LatheColumn, gb.LatheColumn) << what;
  EXPECT_EQ(GridDifferences(a, b), 0) << what;
}

QByteArray TgaHeader(int width, int height) {
  QByteArray h(18, '\0');
  h[2] = 2;  // uncompressed true colour
  h[12] = static_cast<char>(width & 0xFF);
  h[13] = static_cast<char>(width >> 8);
  h[14] = static_cast<char>(height & 0xFF);
  h[15] = static_cast<char>(height >> 8);
  h[16] = 24;
  h[17] = 0x20;  // top-left origin
  return h;
}

TEST_F(SculptMapFiles, RefusedFilesGiveAReasonAndLeaveTheModelAlone) {
  auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile f(Path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return Path(name);
  };
  QImage odd(100, 100, QImage::Format_RGB32);
  odd.fill(Qt::darkCyan);
  ASSERT_TRUE(odd.save(Path(QStringLiteral("odd.png"))));

  struct Case { QString file; const char* why; };
  const Case cases[] = {
      {Path(QStringLiteral("missing.tga")), ""},
      {write(QStringLiteral("junk.tga"), QByteArray("definitely not a picture")), ""},
      {Path(QStringLiteral("odd.png")), "100 x 100 pixels is not a sculpt map size"},
      {write(QStringLiteral("wide.tga"), TgaHeader(64, 48) + QByteArray(64 * 48 * 3, '\0')),
       "64 x 48 pixels is not a sculpt map size"},
      {write(QStringLiteral("huge.tga"), TgaHeader(8192, 8192)), "8192"},
      {write(QStringLiteral("short.tga"), TgaHeader(64, 64) + QByteArray(50, '\0')), ""},
  };
  for (const Case& c : cases) {
    World w(stCylinder, ar16x64);
    w.model->Selected[4][6] = 1;
    w.model->Locked[2][2] = 1;
    w.model->Vertices[3][3].Z = 0.4;
    UpdateSelection(*w.model, w.grid);
    w.grid.LatheColumn = 1;
    const TSculptData before = *w.model;
    const TGridGeometry beforeGrid = w.grid;
    const TSculptMapLoad r = LoadSculptMap(c.file, kDetectSculptType, SettingsWith(true), *w.model, w.grid);
    const std::string what = QDir(dir.path()).relativeFilePath(c.file).toStdString() + ": " + r.Reason.toStdString();
    EXPECT_FALSE(r.Ok) << what;
    EXPECT_FALSE(r.Reason.isEmpty()) << what;
    EXPECT_TRUE(r.Reason.contains(QLatin1String(c.why))) << what;
    ExpectSameModel(*w.model, before, w.grid, beforeGrid, what);
  }
}

}  // namespace
}  // namespace orvane
