// The stamped overlay against the overlay painted shape by shape with QPainter.
#include <gtest/gtest.h>

#include <random>

#include <QPainter>

#include "model/draw_helpers.h"
#include "model/grid_labels.h"
#include "model/overlay_stamps.h"
#include "model/preview_texture.h"
#include "test_world.h"

namespace orvane {
namespace {

constexpr int kCell = 16;

// The straightforward overlay: every line, dot and label painted with QPainter, on the
// colour picture and, all opaque, on the alpha bitmap.
void Line(QPainter& p, const QColor& colour, int width, int x1, int y1, int x2, int y2) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(x1, y1, x2, y2);
}

void Dot(QPainter& p, const QColor& colour, int cx, int cy, int r) {
  p.setPen(QPen(colour, 1));
  p.setBrush(colour);
  p.drawEllipse(QRect(cx - r, cy - r, 2 * r - 1, 2 * r - 1));
}

void PaintShapes(QImage& image, const TSculptData& m, const TGridGeometry& g, bool alphaPass) {
  const int C = g.ColumnCount, R = g.RowCount, W = g.TextureWidth, H = g.TextureHeight;
  const QColor opaque(255, 255, 255), silver(192, 192, 192), orange(239, 129, 15);
  QPainter p(&image);
  for (int i = 0; i < C; ++i) {
    const QColor c = alphaPass ? opaque : (m.ColumnMarks[i] != 0 ? GridColour(i, glColumns, g) : silver);
    Line(p, c, 2, (C - 1 - i) * kCell, 0, (C - 1 - i) * kCell, H - 1);
  }
  for (int j = 0; j < R; ++j) {
    const QColor c = alphaPass ? opaque : (m.RowMarks[j] != 0 ? GridColour(j, glRows, g) : silver);
    Line(p, c, 2, 0, j * kCell, W - 1, j * kCell);
  }
  const QColor emphasis = alphaPass ? opaque : orange;
  for (int i = 0; i < C; ++i) {
    if (m.ColumnMarks[i] != 2) continue;
    const int x = (C - 1 - i) * kCell;
    Line(p, emphasis, 3, x - 3, 0, x - 3, H);
    Line(p, emphasis, 3, x + 2, 0, x + 2, H);
  }
  for (int j = 0; j < R; ++j) {
    if (m.RowMarks[j] != 2) continue;
    Line(p, emphasis, 3, 0, j * kCell - 3, W, j * kCell - 3);
    Line(p, emphasis, 3, 0, j * kCell + 2, W, j * kCell + 2);
  }
  for (int i = 0; i < C; ++i) {
    for (int j = 0; j < R; ++j) {
      const int x = (C - 1 - i) * kCell, y = j * kCell;
      if (alphaPass) {
        if (m.Locked[i][j] != 0) Dot(p, opaque, x, y, 6);
        else if (m.Selected[i][j] != 0) Dot(p, opaque, x, y, 5);
        continue;
      }
      if (m.Locked[i][j] != 0) Dot(p, QColor(0, 255, 255), x, y, 6);
      if (m.Selected[i][j] != 0) Dot(p, QColor(255, 0, 0), x, y, 5);
    }
  }
}

void PaintReference(TTextureSet& t, const TSculptData& m, const TGridGeometry& g) {
  t.PreviewColour = t.PaintedColour.copy();
  t.PreviewAlpha = t.PaintedAlpha.copy();
  PaintShapes(t.PreviewColour, m, g, false);
  DrawGridLabels(t.PreviewColour, g);
  PaintShapes(t.PreviewAlpha, m, g, true);
  QImage labels(t.PreviewAlpha.size(), QImage::Format_RGB32);
  labels.fill(Qt::white);
  DrawGridLabels(labels, g);
  for (int y = 0; y < labels.height(); ++y)
    for (int x = 0; x < labels.width(); ++x)
      if (labels.pixel(x, y) != qRgb(255, 255, 255)) t.PreviewAlpha.scanLine(y)[x] = 255;
}

// A painted texture of noise, so that any pixel the overlay gets wrong shows.
void PaintNoise(TTextureSet& t, std::mt19937& random) {
  for (int y = 0; y < t.PaintedColour.height(); ++y) {
    auto* colour = reinterpret_cast<QRgb*>(t.PaintedColour.scanLine(y));
    uchar* alpha = t.PaintedAlpha.scanLine(y);
    for (int x = 0; x < t.PaintedColour.width(); ++x) {
      colour[x] = 0xFF000000u | (random() & 0xFFFFFFu);
      alpha[x] = uchar(random());
    }
  }
}

void RandomFlagsAndMarks(TSculptData& m, const TGridGeometry& g, std::mt19937& random) {
  for (int i = 0; i < g.ColumnCount; ++i) {
    m.ColumnMarks[i] = std::uint8_t(random() % 3);
    for (int j = 0; j < g.RowCount; ++j) {
      m.Selected[i][j] = random() % 2;
      m.Locked[i][j] = random() % 4 == 0;
    }
  }
  for (int j = 0; j < g.RowCount; ++j) m.RowMarks[j] = std::uint8_t(random() % 3);
}

// The first differing pixel as text, or empty when the pictures are equal.
std::string FirstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.format() != b.format()) return "size or format differs";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return {};
}

class OverlayStampsTest : public ::testing::TestWithParam<int> {};

TEST_P(OverlayStampsTest, StampedOverlayEqualsThePaintedOne) {
  TTestWorld w(stSphere, GetParam());
  std::mt19937 random(1234u + unsigned(GetParam()));
  for (int round = 0; round < 3; ++round) {
    TTextureSet stamped;
    ResetTexture(stamped, w.grid);
    PaintNoise(stamped, random);
    RandomFlagsAndMarks(w.m(), w.grid, random);
    if (round == 2) {  // everything at once: every dot locked and selected, every line emphasised
      FillFlags(w.m().Selected, 1, w.grid);
      FillFlags(w.m().Locked, 1, w.grid);
      w.m().ColumnMarks.fill(2);
      w.m().RowMarks.fill(2);
    }
    TTextureSet painted = stamped;
    PaintReference(painted, w.m(), w.grid);
    RefreshOverlay(stamped, w.m(), w.grid);
    EXPECT_EQ(FirstDifference(stamped.PreviewColour, painted.PreviewColour), "") << "colour, round " << round;
    EXPECT_EQ(FirstDifference(stamped.PreviewAlpha, painted.PreviewAlpha), "") << "alpha, round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryAspect, OverlayStampsTest,
                         ::testing::Values(ar32x32, ar64x16, ar128x8, ar256x4, ar16x64, ar8x128, ar4x256));

TEST(OverlayStamps, ARefreshLeavesThePaintedPairAlone) {
  TTestWorld w(stSphere, ar32x32);
  TTextureSet t;
  ResetTexture(t, w.grid);
  const QImage colour = t.PaintedColour.copy(), alpha = t.PaintedAlpha.copy();
  const QImage before = t.PreviewColour.copy();
  const QImage shared = t.PreviewColour;  // a second holder of the old preview pixels
  FillFlags(w.m().Selected, 1, w.grid);
  RefreshOverlay(t, w.m(), w.grid);
  RefreshOverlay(t, w.m(), w.grid);
  EXPECT_EQ(t.PaintedColour, colour);
  EXPECT_EQ(t.PaintedAlpha, alpha);
  EXPECT_EQ(shared, before);
  EXPECT_NE(t.PreviewColour, before);
}

TEST(OverlayStamps, StampsAreClippedAtTheEdges) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::white);
  const TStamp square{{-1, -1, 2}, {0, -1, 2}, {1, -1, 2}};
  StampColour(image, square, 0, 0, qRgb(0, 0, 0));
  StampColour(image, square, 4, 4, qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace orvane
