// LATHE view drawing on real pixels: axis, markers by state, silhouettes, background, frame and overlay marks.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "lathe_world.h"
#include "model/marks.h"

namespace orvane {
namespace {

constexpr int kProfile = 16;

QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }
const QRgb kWhite = Rgb(255, 255, 255);
const QRgb kOutlineGrey = Rgb(204, 204, 204);

QImage Drawn(TLatheWorld& w) {
  QImage image;
  w.mode.Draw(w.m(), image);
  return image;
}

TEST(LatheDraw, AxisIsABlackLineThroughTheWholeHeight) {
  TLatheWorld w;
  const QImage image = Drawn(w);
  ASSERT_EQ(image.size(), QSize(531, 531));
  const int axis = w.mode.ViewX(0.0);
  ASSERT_EQ(axis, 266);  // level 128 at zoom 2 plus the margin
  for (int y : {0, 5, 300, 530}) EXPECT_EQ(image.pixel(axis, y), Rgb(0, 0, 0)) << y;
  EXPECT_EQ(image.pixel(axis - 1, 5), kWhite);
  EXPECT_EQ(image.pixel(axis + 1, 5), kWhite);
}

struct MarkerCase {
  int row;
  bool selected, locked;
  QRgb pen;   // outline colour of the row
  QRgb fill;  // inside, or 0 for a hollow marker
};

TEST(LatheDraw, MarkersTakeTheRowPenAndAFillByTheirState) {
  const QRgb magenta = Rgb(255, 0, 255), blue = Rgb(0, 0, 255), red = Rgb(255, 0, 0);
  const MarkerCase cases[] = {
      {8, true, false, magenta, magenta},           // the cap row, selected: filled with its pen colour
      {12, true, false, blue, blue},                // every 4th row is blue
      {12, false, false, blue, 0},                  // unselected: hollow
      {16, false, true, red, Rgb(0, 255, 255)},     // locked: cyan
      {16, true, true, red, Rgb(255, 255, 0)},      // locked and selected: yellow
  };
  for (const MarkerCase& c : cases) {
    TLatheWorld w;
    w.m().Selected[kProfile][c.row] = c.selected;
    w.m().Locked[kProfile][c.row] = c.locked;
    UpdateSelection(w.m(), w.grid());
    const QImage image = Drawn(w);
    const int x = w.PX(c.row), y = w.PY(c.row);
    // Pointer Size 3: the square covers x-3 .. x+2; the profile line runs down column x.
    EXPECT_EQ(image.pixel(x - 3, y), c.pen) << "row " << c.row;
    EXPECT_EQ(image.pixel(x - 3, y - 3), c.pen) << "row " << c.row;  // even rows are squares
    EXPECT_EQ(image.pixel(x + 3, y), image.pixel(x + 4, y)) << "row " << c.row;  // nothing past the edge
    if (c.fill != 0) EXPECT_EQ(image.pixel(x - 2, y + 1), c.fill) << "row " << c.row;
    else EXPECT_NE(image.pixel(x - 2, y + 1), c.pen) << "row " << c.row;
  }
}

TEST(LatheDraw, OddRowsAreCircles) {
  TLatheWorld w;
  const QImage image = Drawn(w);
  const int x = w.PX(13), y = w.PY(13);
  const QRgb grey = Rgb(128, 128, 128);  // rows that are not even
  int onLeftEdge = 0;
  for (int dy = -3; dy <= 2; ++dy) onLeftEdge += image.pixel(x - 3, y + dy) == grey;
  EXPECT_GT(onLeftEdge, 0);
  EXPECT_NE(image.pixel(x - 3, y - 3), grey);  // the corner of the box stays clear
  EXPECT_NE(image.pixel(x + 2, y + 2), grey);
}

TEST(LatheDraw, SilhouetteOfEachSculptType) {
  struct Case {
    int type;
    double radius;
    QRgb expected;
  };
  // At height 0: a SPHERE is solid to the axis, a TORUS has its hole inside radius 0.3.
  const Case cases[] = {{stSphere, 0.1, kOutlineGrey}, {stSphere, 0.6, kOutlineGrey}, {stSphere, -0.6, kOutlineGrey},
                        {stSphere, 0.9, kWhite},       {stTorus, 0.1, kWhite},        {stTorus, 0.6, kOutlineGrey},
                        {stTorus, -0.6, kOutlineGrey}, {stTorus, 0.95, kWhite},       {stCylinder, 0.5, kOutlineGrey},
                        {stCylinder, 0.9, kWhite}};
  for (const Case& c : cases) {
    TLatheWorld w(c.type);
    const QImage image = Drawn(w);
    EXPECT_EQ(image.pixel(w.mode.ViewX(c.radius), w.mode.ViewY(0.013)), c.expected)
        << "type " << c.type << " radius " << c.radius;
  }
}

TEST(LatheDraw, BackgroundIsCompositedOnlyOnceLoaded) {
  TLatheWorld w;
  const int outsideX = w.mode.ViewX(0.9), insideX = w.mode.ViewX(0.3), y = w.mode.ViewY(0.0);
  // Switched on with nothing loaded: the plain silhouette, not an empty picture.
  w.mode.SetShowBackground(true);
  QImage image = Drawn(w);
  EXPECT_EQ(image.pixel(outsideX, y), kWhite);
  EXPECT_EQ(image.pixel(insideX, y), kOutlineGrey);

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QString reason;
  EXPECT_FALSE(w.mode.LoadLatheBackground(dir.filePath("missing.png"), &reason));
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_FALSE(w.mode.HasBackground());

  QImage red(64, 64, QImage::Format_RGB32);
  red.fill(Rgb(255, 0, 0));
  ASSERT_TRUE(red.save(dir.filePath("red.png")));
  ASSERT_TRUE(w.mode.LoadLatheBackground(dir.filePath("red.png"), &reason)) << reason.toStdString();
  EXPECT_TRUE(w.mode.HasBackground());
  EXPECT_TRUE(w.mode.ShowBackground());
  image = Drawn(w);
  EXPECT_EQ(image.pixel(outsideX, y), Rgb(255, 204, 204));  // lightened
  EXPECT_EQ(image.pixel(insideX, y), Rgb(204, 153, 153));   // and dimmed inside the silhouette

  // A failed load keeps the picture that was there.
  EXPECT_FALSE(w.mode.LoadLatheBackground(dir.filePath("missing.png"), &reason));
  EXPECT_EQ(Drawn(w).pixel(outsideX, y), Rgb(255, 204, 204));

  w.mode.SetShowBackground(false);
  image = Drawn(w);
  EXPECT_EQ(image.pixel(outsideX, y), kWhite);
  EXPECT_EQ(image.pixel(insideX, y), kOutlineGrey);
}

TEST(LatheDraw, FrameIsDrawnFromTwoSelectedPoints) {
  for (int selected : {1, 5}) {
    TLatheWorld w;
    for (int k = 10; k <= 14; ++k) w.SetProfile(k, 0.2 + 0.1 * (k - 10), -0.2 + 0.1 * (k - 10));
    w.Commit();
    for (int k = 10; k < 10 + selected; ++k) w.m().Selected[kProfile][k] = 1;
    UpdateSelection(w.m(), w.grid());
    w.mode.UpdateFrame(w.m(), true);
    const QImage image = Drawn(w);
    // The top edge of the box, between its corner and middle handles.
    const QRgb pixel = image.pixel(w.mode.ViewX(0.3), w.mode.ViewY(-0.2));
    EXPECT_EQ(pixel == Rgb(128, 128, 128), selected >= 2) << selected;
  }
}

TEST(LatheDraw, OverlayMarksShowTheSidesAndTheProfileColumn) {
  for (int column : {16, 0}) {
    TLatheWorld w;
    w.grid().LatheColumn = column;
    w.mode.LatheSides()[5] = 0;
    FillMarks(w.m().RowMarks, 0);
    Drawn(w);
    EXPECT_EQ(CountMarks(w.m().RowMarks), kGridCapacity);
    for (int i = 0; i < 33; ++i) {
      const int expected = (i == column || (column == 0 && i == 32)) ? 2 : (i == 5 ? 0 : 1);
      EXPECT_EQ(w.m().ColumnMarks[i], expected) << "column " << column << " mark " << i;
    }
  }
}

TEST(LatheDraw, HostileSettingsStillDraw) {
  TLatheWorld w;
  w.settings.Zoom = 0;
  w.settings.Margin = -50;
  w.settings.PointerSize = 1000;
  w.settings.ViewLevel = 7;
  w.settings.Grid = 99;
  const QImage image = Drawn(w);
  EXPECT_EQ(image.size(), QSize(511, 511));  // zoom 2, no margin
}

}  // namespace
}  // namespace orvane
