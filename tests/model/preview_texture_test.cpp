// The preview texture: the grid picture, loaded pictures and their alpha, and the overlay.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "model/preview_texture.h"
#include "model/sculpt_data.h"
#include "test_world.h"

namespace orvane {
namespace {

struct World : TTestWorld {
  TTextureSet textures;
  World(int type, int aspect) : TTestWorld(type, aspect) { ResetTexture(textures, grid); }
};

bool White(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }
int Alpha(const QImage& alpha, int x, int y) { return alpha.constScanLine(y)[x]; }

TEST(PreviewTexture, GridPictureHasDoubleInnerLinesAndLabels) {
  World w(stSphere, ar32x32);
  const QImage& base = w.textures.BaseColour;
  ASSERT_EQ(base.size(), QSize(512, 512));
  const int y = 28;  // below the labels of the first squares
  EXPECT_FALSE(White(base, 0, y));
  EXPECT_FALSE(White(base, 15, y));
  EXPECT_FALSE(White(base, 16, y));
  EXPECT_TRUE(White(base, 8, y));
  EXPECT_FALSE(White(base, 495, y));
  EXPECT_FALSE(White(base, 496, y));
  EXPECT_FALSE(White(base, 511, y));
  EXPECT_TRUE(White(base, 505, y));
  int dark = 0;  // the label of the first 32 x 32 square
  for (int yy = 2; yy < 24; ++yy)
    for (int xx = 2; xx < 30; ++xx) dark += qGray(base.pixel(xx, yy)) < 100;
  EXPECT_GT(dark, 10);
  EXPECT_EQ(Alpha(w.textures.BaseAlpha, 100, 100), 255);
  EXPECT_EQ(w.textures.PaintedColour, base);
}

TEST(PreviewTexture, EveryAspectGetsItsTextureSize) {
  World w(stTorus, ar4x256);
  EXPECT_EQ(w.textures.BaseColour.size(), QSize(64, 4096));
  RefreshOverlay(w.textures, *w.model, w.grid);
  EXPECT_EQ(w.textures.PreviewAlpha.size(), QSize(64, 4096));
}

TEST(PreviewTexture, OverlayOffShowsThePaintedTexture) {
  World w(stSphere, ar32x32);
  w.textures.ShowOverlay = false;
  w.model->Selected[3][3] = 1;
  RefreshOverlay(w.textures, *w.model, w.grid);
  EXPECT_EQ(w.textures.PreviewColour, w.textures.PaintedColour);
  EXPECT_EQ(w.textures.PreviewAlpha, w.textures.PaintedAlpha);
  w.textures.ShowOverlay = true;
  RefreshOverlay(w.textures, *w.model, w.grid);
  EXPECT_NE(w.textures.PreviewColour, w.textures.PaintedColour);
}

TEST(PreviewTexture, LockedAndSelectedVertexShowsARedDotInACyanRing) {
  World w(stPlane, ar32x32);
  w.model->Selected[10][12] = 1;
  w.model->Locked[10][12] = 1;
  RefreshOverlay(w.textures, *w.model, w.grid);
  const int x = (32 - 10) * 16, y = 12 * 16;  // column 10 stands mirrored
  const QImage& p = w.textures.PreviewColour;
  EXPECT_EQ(p.pixel(x + 2, y + 2), qRgb(255, 0, 0));
  EXPECT_EQ(p.pixel(x - 6, y), qRgb(0, 255, 255));
  EXPECT_EQ(p.pixel(x - 5, y), qRgb(255, 0, 0));
  for (QRgb outside : {p.pixel(x + 7, y + 7), p.pixel(x - 8, y + 3)}) {  // the ring ends at radius 6
    EXPECT_NE(outside, qRgb(255, 0, 0));
    EXPECT_NE(outside, qRgb(0, 255, 255));
  }
}

TEST(PreviewTexture, OverlayLinesFollowTheMirroredColumnsAndAreOpaque) {
  World w(stPlane, ar32x32);
  FillFlags(w.model->Selected, 0, w.grid);
  w.textures.PaintedAlpha.fill(0);  // a fully transparent painted texture
  w.model->ColumnMarks.fill(0);
  w.model->ColumnMarks[0] = 2;  // column 0 emphasised: at the right edge
  RefreshOverlay(w.textures, *w.model, w.grid);
  const QImage& c = w.textures.PreviewColour;
  EXPECT_EQ(c.pixel(511 - 3, 314), qRgb(239, 129, 15));  // the double line left of x = 512
  EXPECT_EQ(c.pixel(100, 314), qRgb(255, 255, 255));
  EXPECT_EQ(c.pixel(16 * 5, 314), qRgb(192, 192, 192));  // unmarked lines are silver
  EXPECT_EQ(Alpha(w.textures.PreviewAlpha, 16 * 5, 314), 255);
  EXPECT_EQ(Alpha(w.textures.PreviewAlpha, 16 * 5 + 8, 314), 0);
}

TEST(PreviewTexture, LoadedPictureWithoutAlphaKeepsTheOldTransparency) {
  QTemporaryDir dir;
  QImage withAlpha(40, 40, QImage::Format_ARGB32);
  withAlpha.fill(qRgba(0, 0, 255, 0));
  ASSERT_TRUE(withAlpha.save(dir.filePath("clear.png")));
  QImage solid(40, 40, QImage::Format_RGB32);
  solid.fill(qRgb(0, 200, 0));
  ASSERT_TRUE(solid.save(dir.filePath("green.bmp")));

  World w(stSphere, ar32x32);
  ASSERT_TRUE(LoadTexture(w.textures, w.grid, dir.filePath("clear.png")));
  EXPECT_EQ(Alpha(w.textures.PaintedAlpha, 200, 200), 0);
  ASSERT_TRUE(LoadTexture(w.textures, w.grid, dir.filePath("green.bmp")));
  EXPECT_EQ(qGreen(w.textures.PaintedColour.pixel(200, 200)), 200);
  EXPECT_EQ(Alpha(w.textures.PaintedAlpha, 200, 200), 0);

  QString reason;
  const QImage before = w.textures.BaseColour;
  EXPECT_FALSE(LoadTexture(w.textures, w.grid, dir.filePath("missing.png"), &reason));
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_EQ(w.textures.BaseColour, before);
}

}  // namespace
}  // namespace orvane
