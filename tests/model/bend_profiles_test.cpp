// The BEND section outlines: one entry per section column, rails where they belong.
#include <gtest/gtest.h>

#include <cmath>

#include "modes/bend_profiles.h"

namespace orvane {
namespace {

TEST(BendProfiles, EveryOutlineRunsRailAToRailBAndBack) {
  const TBendProfiles p = BuildBendProfiles();
  const int columns[kAspectCount] = {33, 65, 129, 257, 17, 9, 5};
  for (int type = 2; type < kBendSectionCount; ++type)
    for (int aspect = 0; aspect < kAspectCount; ++aspect) {
      const TDPoints& outline = p.Profile(type, aspect);
      const int c = columns[aspect];
      ASSERT_EQ(int(outline.size()), c) << type << " " << aspect;
      const int mid = (c - 1) / 2;
      EXPECT_NEAR(outline[0].X, 0, 1e-12);
      EXPECT_NEAR(outline[0].Y, 0, 1e-12);
      EXPECT_NEAR(outline[c - 1].X, 0, 1e-12) << type << " " << aspect;
      EXPECT_NEAR(outline[c - 1].Y, 0, 1e-12) << type << " " << aspect;
      EXPECT_NEAR(outline[mid].X, 1, 1e-12) << type << " " << aspect;
      EXPECT_NEAR(outline[mid].Y, 0, 1e-12) << type << " " << aspect;
      for (const TDPoint& q : outline) {
        EXPECT_GE(q.X, -1e-12);
        EXPECT_LE(q.X, 1 + 1e-12);
        EXPECT_LE(std::abs(q.Y), 1 + 1e-12);
      }
    }
}

TEST(BendProfiles, ShapesOfTheTypes) {
  const TBendProfiles p = BuildBendProfiles();
  // 33 columns: n = 4 points per line piece, 8 per quarter arc.
  const TDPoints& square = p.Profile(2, ar32x32);
  EXPECT_EQ(square[4], (TDPoint{0, 1}));   // up the rail A side
  EXPECT_EQ(square[8], (TDPoint{0.5, 1}));
  EXPECT_EQ(square[24], (TDPoint{0.5, -1}));
  const TDPoints& round = p.Profile(3, ar32x32);
  EXPECT_NEAR(round[8].X, 0.5, 1e-12);  // the top of the circle
  EXPECT_NEAR(round[8].Y, 1, 1e-12);
  EXPECT_NEAR(round[24].Y, -1, 1e-12);
  const TDPoints& blade = p.Profile(6, ar32x32);
  EXPECT_EQ(blade[12], (TDPoint{0.75, 0.5}));
  // The five-column sections are a diamond whatever the type.
  for (int type = 2; type < kBendSectionCount; ++type)
    EXPECT_EQ(p.Profile(type, ar4x256), (TDPoints{{0, 0}, {0.5, 1}, {1, 0}, {0.5, -1}, {0, 0}}));
}

}  // namespace
}  // namespace orvane
