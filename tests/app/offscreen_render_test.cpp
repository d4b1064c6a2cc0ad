// The offscreen preview render: grey around the object, the texture on it, and the camera's turn.
#include <gtest/gtest.h>

#include <memory>

#include "app/offscreen_render.h"
#include "model/sculpt_data.h"

namespace orvane {
namespace {

struct Scene {
  std::unique_ptr<TSculptData> model = std::make_unique<TSculptData>();
  TGridGeometry grid;
  TTextureSet textures;
  explicit Scene(int type) {
    ResetModel(*model, grid, type, ar32x32);
    ResetTexture(textures, grid);
    RefreshOverlay(textures, *model, grid);
  }
  QImage Render(const TCamera& camera, int level = 1) {
    QImage out;
    QString reason;
    EXPECT_TRUE(RenderPreviewOffscreen(*model, grid, textures, level, camera, QSize(200, 200), out, &reason))
        << reason.toStdString();
    return out;
  }
};

TEST(OffscreenRender, DefaultSphereIsTexturedOnGrey) {
  Scene scene(stSphere);
  TCamera camera;
  camera.FocalLength = 50;  // the whole object in a small picture
  const QImage image = scene.Render(camera);
  ASSERT_EQ(image.size(), QSize(200, 200));
  const QRgb grey = qRgb(128, 128, 128);
  for (QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 199), QPoint(199, 199)})
    EXPECT_EQ(image.pixel(corner), grey) << corner.x() << "," << corner.y();
  int white = 0;  // the grid picture is mostly white paper
  for (int y = 80; y < 120; ++y)
    for (int x = 80; x < 120; ++x) white += image.pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_GT(white, 400);

  TCamera turned = camera;
  TurnAroundTarget(turned, 20, 35);
  EXPECT_NE(scene.Render(turned), image);
  EXPECT_NE(scene.Render(camera, 4), image);  // a coarser mesh draws another outline
}

TEST(OffscreenRender, RefusesSillySizes) {
  Scene scene(stPlane);
  QImage out;
  QString reason;
  EXPECT_FALSE(RenderPreviewOffscreen(*scene.model, scene.grid, scene.textures, 1, TCamera{}, QSize(0, 10), out,
                                      &reason));
  EXPECT_FALSE(reason.isEmpty());
}

}  // namespace
}  // namespace orvane
