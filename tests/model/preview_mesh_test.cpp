// The preview mesh: counts per view level, vertex order, texture coordinates, normals, upload rows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "model/preview_mesh.h"
#include "model/sculpt_data.h"
#include "test_world.h"

namespace orvane {
namespace {

using World = TTestWorld;

TEST(PreviewMesh, CountsPerViewLevel) {
  struct Case { int aspect, level, vertices, triangles; };
  const Case cases[] = {{ar32x32, 1, 33 * 33, 2048}, {ar32x32, 2, 17 * 17, 512}, {ar32x32, 4, 9 * 9, 128},
                        {ar256x4, 4, 65 * 2, 128},   {ar4x256, 1, 5 * 257, 2048}, {ar32x32, 3, 33 * 33, 2048}};
  for (const auto& c : cases) {
    World w(stSphere, c.aspect);
    TPreviewMesh mesh;
    BuildPreviewMesh(*w.model, w.grid, c.level, mesh);
    EXPECT_EQ(mesh.VertexCount(), c.vertices) << c.aspect << " level " << c.level;
    EXPECT_EQ(mesh.TriangleCount(), c.triangles);
    EXPECT_EQ(mesh.TexCoords.size(), std::size_t(c.vertices) * 2);
    EXPECT_EQ(mesh.Normals.size(), std::size_t(c.vertices) * 3);
  }
}

TEST(PreviewMesh, FirstVertexIsTheLastRowMirrored) {
  World w(stPlane, ar32x32);
  TPreviewMesh mesh;
  BuildPreviewMesh(*w.model, w.grid, 1, mesh);
  // grid [0][32] is (-1, 0, 1): shown as (1, 0, -1) with texture coordinate (0, -1)
  EXPECT_EQ(mesh.Positions[0], 1.0f);
  EXPECT_EQ(mesh.Positions[1], 0.0f);
  EXPECT_EQ(mesh.Positions[2], -1.0f);
  EXPECT_EQ(mesh.TexCoords[0], 0.0f);
  EXPECT_EQ(mesh.TexCoords[1], -1.0f);
  // the second vertex is grid column 1 of the same row
  EXPECT_FLOAT_EQ(mesh.TexCoords[2], -1.0f / 32);
  // the first two triangles: (a, b, a+1), (a+1, b, b+1)
  EXPECT_EQ((std::vector<std::uint32_t>(mesh.Indices.begin(), mesh.Indices.begin() + 6)),
            (std::vector<std::uint32_t>{0, 33, 1, 1, 33, 34}));
}

TEST(PreviewMesh, PositionsComeFromTheQuantisedGrid) {
  World w(stPlane, ar32x32);
  w.model->Vertices[0][32].Y = 0.3;  // previews at 38/127
  UpdateSelection(*w.model, w.grid);
  TPreviewMesh mesh;
  BuildPreviewMesh(*w.model, w.grid, 1, mesh);
  EXPECT_EQ(mesh.Positions[1], float(38.0 / 127.0));
}

TEST(PreviewMesh, SmoothNormalsAreUnitAndSkipDegenerateFaces) {
  World w(stSphere, ar32x32);  // the poles hold many degenerate triangles
  TPreviewMesh mesh;
  BuildPreviewMesh(*w.model, w.grid, 1, mesh);
  for (std::size_t v = 0; v < mesh.Normals.size(); v += 3) {
    const double len = std::hypot(mesh.Normals[v], mesh.Normals[v + 1], mesh.Normals[v + 2]);
    ASSERT_NEAR(len, 1.0, 1e-5) << v / 3;
  }
  World flat(stPlane, ar32x32);
  BuildPreviewMesh(*flat.model, flat.grid, 1, mesh);
  for (std::size_t v = 0; v < mesh.Normals.size(); v += 3) {
    ASSERT_NEAR(std::abs(mesh.Normals[v + 1]), 1.0, 1e-6);  // a flat plane faces along Y
  }
}

TEST(UploadImage, RowsAreTurnedAndAlphaTaken) {
  QImage colour(4, 3, QImage::Format_RGB32);
  colour.fill(Qt::black);
  colour.setPixel(1, 0, qRgb(10, 20, 30));
  QImage alpha(4, 3, QImage::Format_Grayscale8);
  alpha.fill(255);
  alpha.scanLine(0)[1] = 7;
  const QImage up = BuildUploadImage(colour, alpha, 4, 3);
  ASSERT_EQ(up.format(), QImage::Format_RGBA8888);
  const uchar* bottom = up.constScanLine(2);
  EXPECT_EQ(bottom[4], 10);
  EXPECT_EQ(bottom[5], 20);
  EXPECT_EQ(bottom[6], 30);
  EXPECT_EQ(bottom[7], 7);
  EXPECT_EQ(up.constScanLine(0)[7], 255);

  const QImage mismatch = BuildUploadImage(colour, alpha, 4, 5);  // mid aspect change: left unfilled
  EXPECT_EQ(mismatch.size(), QSize(4, 5));
  EXPECT_EQ(mismatch.pixel(0, 0), 0u);
}

// The upload picture against a byte-by-byte reading of the same rule, on noise.
TEST(UploadImage, EveryByteAsTheRuleSays) {
  std::mt19937 random(5);
  for (const QSize size : {QSize(512, 512), QSize(64, 4096), QSize(4096, 64), QSize(3, 5)}) {
    QImage colour(size, QImage::Format_RGB32);
    QImage alpha(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x) {
        colour.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
        alpha.scanLine(y)[x] = uchar(random());
      }
    const QImage up = BuildUploadImage(colour, alpha, size.width(), size.height());
    int wrong = 0;
    for (int y = 0; y < size.height(); ++y) {
      const uchar* row = up.constScanLine(size.height() - 1 - y);
      for (int x = 0; x < size.width(); ++x) {
        const QRgb p = colour.pixel(x, y);
        wrong += row[4 * x] != qRed(p) || row[4 * x + 1] != qGreen(p) || row[4 * x + 2] != qBlue(p) ||
                 row[4 * x + 3] != alpha.constScanLine(y)[x];
      }
    }
    EXPECT_EQ(wrong, 0) << size.width() << "x" << size.height();
  }
}

}  // namespace
}  // namespace orvane
