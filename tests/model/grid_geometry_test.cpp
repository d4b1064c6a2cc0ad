// Grid geometry per aspect code, and the section cursors across aspect changes.
#include <gtest/gtest.h>

#include "model/grid_geometry.h"

namespace orvane {
namespace {

struct GeometryCase {
  int aspect;
  int columns, rows, midColumn, midRow, capRows, textureWidth, textureHeight;
  const char* name;
};

TEST(GridGeometry, EveryAspectHas1024CellsAndItsDerivedValues) {
  const GeometryCase cases[] = {
      {0, 33, 33, 16, 16, 8, 512, 512, "32x32"},  {1, 65, 17, 32, 8, 6, 1024, 256, "64x16"},
      {2, 129, 9, 64, 4, 2, 2048, 128, "128x8"},  {3, 257, 5, 128, 2, 1, 4096, 64, "256x4"},
      {4, 17, 65, 8, 32, 8, 256, 1024, "16x64"},  {5, 9, 129, 4, 64, 8, 128, 2048, "8x128"},
      {6, 5, 257, 2, 128, 8, 64, 4096, "4x256"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TGridGeometry g;
    ApplyAspect(g, c.aspect);
    EXPECT_EQ(g.ColumnCount, c.columns);
    EXPECT_EQ(g.RowCount, c.rows);
    EXPECT_EQ((g.ColumnCount - 1) * (g.RowCount - 1), 1024);
    EXPECT_EQ(g.MidColumn, c.midColumn);
    EXPECT_EQ(g.MidRow, c.midRow);
    EXPECT_EQ(g.CapRows, c.capRows);
    EXPECT_EQ(g.TextureWidth, c.textureWidth);
    EXPECT_EQ(g.TextureHeight, c.textureHeight);
    EXPECT_EQ((std::array<int, 2>{0, c.midColumn}), g.BendSections);
    EXPECT_EQ((std::array<int, 2>{c.rows - 1, c.midRow}), g.BendTorusSections);
    EXPECT_EQ(AspectName(c.aspect), c.name);
  }
}

TEST(GridGeometry, UnknownAspectCodesCountAs32x32) {
  for (int code : {-1, 7, 1000}) {
    EXPECT_EQ(AspectToCounts(code), (std::pair<int, int>{33, 33})) << code;
    EXPECT_TRUE(AspectName(code).empty());
  }
}

TEST(GridGeometry, CursorsOutsideTheNewGridAreReset) {
  TGridGeometry g;
  ApplyAspect(g, ar256x4);
  g.LatheColumn = 200;
  g.ExtrudeRow = 4;
  g.HoopRow = 3;
  ApplyAspect(g, ar32x32);
  EXPECT_EQ(g.LatheColumn, 16);  // 200 is past the 33 columns
  EXPECT_EQ(g.ExtrudeRow, 4);    // still inside, kept
  EXPECT_EQ(g.HoopRow, 3);

  g.LatheColumn = 32;  // the seam column is never a section
  g.ExtrudeRow = 40;
  g.HoopRow = -1;
  ApplyAspect(g, ar32x32);
  EXPECT_EQ(g.LatheColumn, 16);
  EXPECT_EQ(g.ExtrudeRow, 8);
  EXPECT_EQ(g.HoopRow, 8);
}

}  // namespace
}  // namespace orvane
