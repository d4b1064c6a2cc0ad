// Column and row names, and the two-character labels written on the texture.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "model/grid_labels.h"

namespace orvane {
namespace {

TGridGeometry Grid(int aspect) {
  TGridGeometry g;
  ApplyAspect(g, aspect);
  return g;
}

TEST(GridLabels, NamesByPosition) {
  const TGridGeometry g33 = Grid(ar32x32);   // 33 x 33
  const TGridGeometry g65 = Grid(ar64x16);   // 65 x 17
  struct Case {
    const TGridGeometry* grid;
    int n;
    const char* column;
    const char* row;
  };
  const Case cases[] = {
      {&g33, 0, "0", "0"},   {&g33, 1, "0", "0"},   {&g33, 16, "8", "8"}, {&g33, 17, "8", "8"},
      {&g33, 20, "A", "A"},  {&g33, 30, "F", "F"},  {&g33, 31, "F", "F"}, {&g33, 32, "G", "G"},
      {&g65, 32, "0", "0"},  {&g65, 33, "0", "0"},  {&g65, 16, "8", "G"}, {&g65, 62, "F", "F"},
      {&g65, 64, "G", "0"},  {&g65, 50, "9", "9"},  {&g33, -1, "0", "0"}, {&g33, -4, "E", "E"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColumnLabel(*c.grid, c.n), c.column) << c.grid->ColumnCount << " " << c.n;
    EXPECT_EQ(RowLabel(*c.grid, c.n), c.row) << c.grid->RowCount << " " << c.n;
  }
}

// Text needs a font database, hence a GUI application (headless: offscreen platform).
void EnsureGuiApplication() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  ASSERT_EQ(QCoreApplication::instance(), nullptr) << "a non-GUI application already exists";
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "orvane_model_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);  // lives until exit
  (void)app;
}

class GridLabelsDrawn : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApplication(); }

  static constexpr QRgb kPaper = qRgb(40, 200, 120);

  static QImage Texture(const TGridGeometry& g) {
    QImage image(g.TextureWidth, g.TextureHeight, QImage::Format_RGB32);
    image.fill(kPaper);
    DrawGridLabels(image, g);
    return image;
  }
  static QImage Cell(const QImage& texture, int d, int g) { return texture.copy(d * 32, g * 32, 32, 32); }
  static int Ink(const QImage& image, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) != kPaper;
    return n;
  }
};

TEST_F(GridLabelsDrawn, BlackTextOnAClearBackgroundInEverySquare) {
  const TGridGeometry g = Grid(ar32x32);
  const QImage t = Texture(g);
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x)
      ASSERT_TRUE(t.pixel(x, y) == kPaper || t.pixel(x, y) == qRgb(0, 0, 0)) << x << "," << y;
  for (int d = 0; d < 16; ++d) {
    for (int r = 0; r < 16; ++r) {
      const QImage c = Cell(t, d, r);
      EXPECT_GT(Ink(c, QRect(4, 4, 12, 24)), 10) << d << "," << r;   // column label
      EXPECT_GT(Ink(c, QRect(16, 4, 16, 24)), 10) << d << "," << r;  // row label
      EXPECT_EQ(Ink(c, QRect(0, 0, 32, 4)), 0) << d << "," << r;     // nothing above the text
      EXPECT_EQ(Ink(c, QRect(0, 0, 4, 32)), 0) << d << "," << r;     // nor left of it
    }
  }
}

TEST_F(GridLabelsDrawn, SquaresWithTheSameNameMatchAndOthersDiffer) {
  const TGridGeometry g = Grid(ar64x16);  // 1024 x 256: columns "0".."F" twice, rows "0".."7"
  ASSERT_EQ(g.TextureWidth, 1024);
  const QImage t = Texture(g);
  for (int r = 0; r < 8; ++r)
    for (int d = 0; d < 16; ++d) EXPECT_EQ(Cell(t, d, r), Cell(t, d + 16, r)) << d << "," << r;
  EXPECT_NE(Cell(t, 0, 0), Cell(t, 8, 0));
  EXPECT_NE(Cell(t, 3, 3), Cell(t, 3, 5));
  // "33": the same glyph twice, 12 pixels apart.
  const QImage same = Cell(t, 3, 3);
  EXPECT_EQ(same.copy(4, 0, 12, 32), same.copy(16, 0, 12, 32));
  // "G" is never written: the last square of the 65-column texture reads "F" again.
  EXPECT_EQ(Cell(t, 31, 0), Cell(t, 15, 0));
}

TEST_F(GridLabelsDrawn, UnusableBitmapOrGridIsLeftAlone) {
  QImage empty;
  DrawGridLabels(empty, Grid(ar32x32));
  EXPECT_TRUE(empty.isNull());
  TGridGeometry tiny;
  tiny.ColumnCount = 2;  // no pair of columns to name
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(kPaper);
  DrawGridLabels(image, tiny);
  EXPECT_EQ(Ink(image, image.rect()), 0);
}

}  // namespace
}  // namespace orvane
