// LATHE mode slots: view fitting and read-out, picking, moving and revolving, frame handles, axis rules.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "lathe_world.h"
#include "model/marks.h"

namespace orvane {
namespace {

constexpr double kEps = 1e-12;
constexpr int kProfile = 16;  // MidColumn of 33: the default profile, at angle pi

double Radius(const TSculptData& m, int i, int k) { return LatheRadius(m.Vertices[i][k]); }

// The direction of a point around the axis, for checking that a column keeps its own.
double Direction(const TSculptData& m, int i, int k) { return std::atan2(m.Vertices[i][k].Y, m.Vertices[i][k].X); }

// ---- Fitting the view and the read-out ----

struct FitCase {
  int column;
  bool zeroColumn;
  double scale;
  int offset;
};

TEST(LatheFitView, ScaleAndAxisSideFollowTheWidestProfilePoint) {
  const FitCase cases[] = {
      {16, false, 1.0, 128},                 // at pi: x < 0, the read-out mirrors
      {0, false, 1.0, 127},                  // at 0: x > 0
      {8, false, 1.0, 127},                  // at pi/2: y decides, y > 0
      {24, false, 1.0, 128},                 // at 3 pi/2: y < 0
      {4, false, std::numbers::sqrt2, 127},  // diagonal: widened by sqrt 2
      {0, true, 1.0, 128},                   // all on the axis: nominal angle 0, but d = 0 is not > 0
      {8, true, 1.0, 128},
  };
  for (const FitCase& c : cases) {
    TLatheWorld w;
    w.grid().LatheColumn = c.column;
    if (c.zeroColumn)
      for (int k = 0; k < w.grid().RowCount; ++k) w.m().Vertices[c.column][k] = TDbl3D{0, 0, 0.1 * k / 32};
    w.Commit();
    EXPECT_NEAR(w.mode.LatheViewScale(), c.scale, 1e-9) << "column " << c.column;
    EXPECT_EQ(w.mode.LatheAxisOffset(), c.offset) << "column " << c.column;
  }
}

TEST(LatheFitView, DiagonalProfileWidensTheImage) {
  TLatheWorld w;
  w.grid().LatheColumn = 4;
  w.Commit();
  QImage image;
  w.mode.Draw(w.m(), image);
  // Round(255 sqrt2 x 2) + 2 x 10 + 1 wide, 255 x 2 + 21 high.
  EXPECT_EQ(image.width(), 721 + 21);
  EXPECT_EQ(image.height(), 531);
}

TEST(LatheReadout, ShowsTheMapLevelOfTheDominantCoordinate) {
  struct Case {
    int column;
    double coordinate;  // the profile point's x
    int level;
  };
  // x = -0.4 is level 76 (mirrored read-out), x = +0.4 is level 178 (direct).
  for (const Case& c : {Case{16, -0.4, 76}, Case{0, 0.4, 178}}) {
    TLatheWorld w;
    w.grid().LatheColumn = c.column;
    w.Commit();
    const int x = w.mode.ViewX(std::abs(c.coordinate));
    const auto [h, v] = w.mode.LatheReadout(x, w.mode.ViewY(-0.5));
    EXPECT_EQ(h, c.level) << "column " << c.column;
    EXPECT_EQ(v, 64);  // Round(-0.5 x 127 + 127) = 63.5 -> 64 (ties to even)
    EXPECT_EQ(w.mode.Readout(w.m(), x, 10), std::make_optional(std::pair{c.level, 0}));
  }
  TLatheWorld w;
  EXPECT_EQ(w.mode.ViewX(0.4), 368);  // Round((128 + 50.8) x 2) + 10
}

TEST(LatheReadout, SectionMarksAreTheSides) {
  TLatheWorld w;
  ASSERT_EQ(w.mode.SectionMarks(), &w.mode.LatheSides());
  EXPECT_EQ(CountMarks(w.mode.LatheSides()), kGridCapacity);  // all linked at start
}

// ---- Press and rubber band ----

TEST(LathePress, PicksTheMarkerUnderTheMouseHigherRowFirst) {
  TLatheWorld w;
  // Rows 10 and 11 on the same spot: the higher row wins.
  w.SetProfile(10, 0.5, 0.1);
  w.SetProfile(11, 0.5, 0.1);
  w.Commit();
  EXPECT_TRUE(w.mode.Press(w.m(), w.PX(10) + 2, w.PY(10) - 3, false));
  EXPECT_EQ(w.m().Selected[kProfile][11], 1);
  EXPECT_EQ(w.m().Selected[kProfile][10], 0);
  EXPECT_EQ(w.m().SelectedCount, 1);
  // Just outside the marker square (half size 3 at zoom 2): a miss that keeps the selection.
  EXPECT_FALSE(w.mode.Press(w.m(), w.PX(10) + 4, w.PY(10), false));
  EXPECT_EQ(w.m().SelectedCount, 1);
}

TEST(LathePress, ReplacesAddsOrKeepsTheSelection) {
  TLatheWorld w;
  ASSERT_TRUE(w.mode.Press(w.m(), w.PX(12), w.PY(12), false));
  ASSERT_TRUE(w.mode.Press(w.m(), w.PX(14), w.PY(14), true));  // Shift adds
  EXPECT_EQ(w.m().SelectedCount, 2);
  ASSERT_TRUE(w.mode.Press(w.m(), w.PX(12), w.PY(12), false));  // on a selected point: kept
  EXPECT_EQ(w.m().SelectedCount, 2);
  ASSERT_TRUE(w.mode.Press(w.m(), w.PX(20), w.PY(20), false));  // on an unselected one: replaced
  EXPECT_EQ(w.m().SelectedCount, 1);
  EXPECT_EQ(w.m().Selected[kProfile][20], 1);
}

TEST(LathePress, SpherePoleSelectsItsMasterCell) {
  TLatheWorld w;
  ASSERT_TRUE(w.mode.Press(w.m(), w.PX(32), w.PY(32), false));
  EXPECT_EQ(w.m().Selected[0][32], 1);
  EXPECT_EQ(w.m().SelectedCount, 1);  // the pole is one vertex
}

TEST(LatheSelectRect, SelectsProfilePointsInsideEdgesIncluded) {
  TLatheWorld w;
  w.mode.Press(w.m(), w.PX(2), w.PY(2), false);
  // Rows 12 .. 14 by their exact pixels, corners given in reverse order.
  w.mode.SelectRect(w.m(), w.PX(14), w.PY(14), w.PX(12), w.PY(12), false);
  EXPECT_EQ(w.m().SelectedCount, 3);
  for (int k : {12, 13, 14}) EXPECT_EQ(w.m().Selected[kProfile][k], 1) << k;
  EXPECT_EQ(w.m().Selected[kProfile][2], 0);
  w.mode.SelectRect(w.m(), w.PX(20), w.PY(20), w.PX(20), w.PY(20), true);  // additive
  EXPECT_EQ(w.m().SelectedCount, 4);
  w.mode.SelectRect(w.m(), 0, 0, 5, 5, false);  // empty corner: clears
  EXPECT_EQ(w.m().SelectedCount, 0);
}

// ---- Moving and revolving ----

struct TMoveWorld : TLatheWorld {
  TMoveWorld() {
    SetProfile(12, 0.5, 0.1);
    SetPoint(3, 12, 0.4, 0.1);   // a linked column of its own shape
    SetPoint(3, 20, 0.25, 0.3);  // shaped alone in another row
    mode.LatheSides()[5] = 0;    // a free column
    Commit();
    mode.Press(m(), PX(12), PY(12), false);
    CommitBase(m(), grid());
  }
};

TEST(LatheDragMove, RadialMoveSpreadsInProportionToLinkedColumnsOnly) {
  TMoveWorld w;
  const TSculptData before = w.m();
  w.mode.DragMove(w.m(), 10, 0);
  const double grown = 0.5 + 10.0 / 127;
  EXPECT_NEAR(Radius(w.m(), kProfile, 12), grown, kEps);
  EXPECT_NEAR(Radius(w.m(), 3, 12), 0.4 * grown / 0.5, kEps);
  EXPECT_NEAR(Direction(w.m(), 3, 12), Direction(before, 3, 12), kEps);
  EXPECT_NEAR(Radius(w.m(), 20, 12), (96.0 / 127) * grown / 0.5, kEps);
  EXPECT_EQ(w.m().Vertices[5][12], before.Vertices[5][12]);  // free column
  EXPECT_EQ(w.m().Vertices[3][20], before.Vertices[3][20]);  // rows that did not move are not spread
  EXPECT_EQ(w.m().Vertices[3][11], before.Vertices[3][11]);
  for (int j = 0; j < 33; ++j) {
    if (j == 5) continue;  // the free column
    EXPECT_NEAR(w.m().Vertices[j][12].Z, 0.1, kEps) << j;
  }
}

TEST(LatheDragMove, UpwardMoveLowersZAndLinkedColumnsTakeTheHeight) {
  TMoveWorld w;
  const double freeZ = w.m().Vertices[5][12].Z;
  w.mode.DragMove(w.m(), 0, 5);
  EXPECT_NEAR(w.m().Vertices[kProfile][12].Z, 0.1 - 5.0 / 127, kEps);
  EXPECT_NEAR(w.m().Vertices[3][12].Z, 0.1 - 5.0 / 127, kEps);
  EXPECT_NEAR(Radius(w.m(), 3, 12), 0.4, kEps);
  EXPECT_EQ(w.m().Vertices[5][12].Z, freeZ);
}

TEST(LatheDragMove, DisplacementsAreTotalsSinceThePress) {
  TMoveWorld once;
  once.mode.DragMove(once.m(), 3, -2);
  TMoveWorld steps;
  steps.mode.DragMove(steps.m(), 10, 7);
  steps.mode.DragMove(steps.m(), 3, -2);
  for (int i = 0; i < 33; ++i)
    for (int k = 0; k < 33; ++k) ASSERT_EQ(steps.m().Vertices[i][k], once.m().Vertices[i][k]) << i << "," << k;
  // Back to no displacement: the committed grid exactly, linked columns included.
  steps.mode.DragMove(steps.m(), 0, 0);
  for (int i = 0; i < 33; ++i)
    for (int k = 0; k < 33; ++k) ASSERT_EQ(steps.m().Vertices[i][k], steps.m().BaseVertices[i][k]) << i << "," << k;
}

TEST(LatheDragMove, PointOnTheAxisLeavesAlongItsColumnAngle) {
  TLatheWorld w;
  w.SetProfile(12, 0.0, 0.1);
  w.Commit();
  w.mode.Press(w.m(), w.PX(12), w.PY(12), false);
  CommitBase(w.m(), w.grid());
  w.mode.DragMove(w.m(), 5, 0);
  EXPECT_NEAR(w.m().Vertices[kProfile][12].X, -5.0 / 127, kEps);  // column 16 stands at pi
  EXPECT_NEAR(w.m().Vertices[kProfile][12].Y, 0.0, kEps);
  // The linked columns had radius 0 in the profile's base: they take their own angle.
  const double angle = LatheColumnAngle(4, w.grid());
  EXPECT_NEAR(w.m().Vertices[4][12].X, 5.0 / 127 * std::cos(angle), kEps);
  EXPECT_NEAR(w.m().Vertices[4][12].Y, 5.0 / 127 * std::sin(angle), kEps);
}

TEST(LatheDragMove, LockedPointsStayPut) {
  TMoveWorld w;
  w.m().Locked[3][12] = 1;
  const TSculptData before = w.m();
  w.mode.DragMove(w.m(), 10, 0);
  EXPECT_EQ(w.m().Vertices[3][12], before.Vertices[3][12]);
  w.m().Locked[kProfile][12] = 1;
  w.mode.DragMove(w.m(), 20, 0);
  EXPECT_EQ(w.m().Vertices[kProfile][12], before.Vertices[kProfile][12]);
  EXPECT_EQ(w.m().Vertices[20][12], before.Vertices[20][12]);
}

TEST(LatheDragMove, SnapsToTheGridAndClampsFarMoves) {
  TMoveWorld w;
  w.settings.Grid = 8;
  w.mode.DragMove(w.m(), 3, 1);
  const TDbl3D& v = w.m().Vertices[kProfile][12];
  for (double c : {v.X, v.Y, v.Z}) EXPECT_NEAR(c * 127 / 8, std::round(c * 127 / 8), 1e-9) << c;
  w.settings.Grid = 0;
  w.mode.DragMove(w.m(), 5000, -5000);
  for (int i = 0; i < 33; ++i)
    for (int k = 0; k < 33; ++k)
      for (int a = 0; a < 3; ++a) {
        const double c = w.m().Vertices[i][k][a];
        ASSERT_TRUE(c >= kMinCoord && c <= kMaxCoord) << i << "," << k << " " << c;
      }
}

struct RearrangeCase {
  int rearrangeType;
  bool spaced;
};

TEST(LatheRevolve, RearrangeSpacesTheRowsBetweenShownRows) {
  for (const RearrangeCase c : {RearrangeCase{1, true}, RearrangeCase{0, false}}) {
    TLatheWorld w;
    w.settings.ViewLevel = 2;
    w.settings.RearrangeType = c.rearrangeType;
    w.mode.Press(w.m(), w.PX(12), w.PY(12), false);
    CommitBase(w.m(), w.grid());
    const TSculptData before = w.m();
    w.mode.DragMove(w.m(), 12, 9);
    const auto& v = w.m().Vertices[kProfile];
    for (int mid : {11, 13}) {
      const TDbl3D middle{(v[mid - 1].X + v[mid + 1].X) / 2, (v[mid - 1].Y + v[mid + 1].Y) / 2,
                          (v[mid - 1].Z + v[mid + 1].Z) / 2};
      if (c.spaced) {
        EXPECT_NEAR(v[mid].X, middle.X, kEps) << mid;
        EXPECT_NEAR(v[mid].Z, middle.Z, kEps) << mid;
        // A spaced row moved, so it is spread too.
        EXPECT_NEAR(w.m().Vertices[20][mid].Z, v[mid].Z, kEps) << mid;
      } else {
        EXPECT_EQ(v[mid], before.Vertices[kProfile][mid]) << mid;
      }
    }
  }
}

// ---- The axis rules ----

TEST(LatheAxisRules, FixedToAxisKeepsTheMovedPoleOnTheAxis) {
  for (bool fixed : {true, false}) {
    TLatheWorld w;
    w.settings.FixedToAxis = fixed;
    ASSERT_TRUE(w.mode.Press(w.m(), w.PX(0), w.PY(0), false));
    CommitBase(w.m(), w.grid());
    const double z = w.m().Vertices[kProfile][0].Z;
    w.mode.DragMove(w.m(), 10, 5);
    for (int i : {0, kProfile, 32}) {
      EXPECT_NEAR(Radius(w.m(), i, 0), fixed ? 0.0 : 10.0 / 127, kEps) << "fixed " << fixed << " column " << i;
      EXPECT_NEAR(w.m().Vertices[i][0].Z, z - 5.0 / 127, kEps) << i;
    }
  }
}

TEST(LatheAxisRules, SelectedProfilePointsMoveToTheNegativeXSide) {
  TLatheWorld w;
  w.grid().LatheColumn = 0;  // at angle 0 the profile has x > 0
  w.Commit();
  const TDbl3D before = w.m().Vertices[0][12];
  ASSERT_GT(before.X, 0);
  w.mode.Press(w.m(), w.PX(12), w.PY(12), false);
  EXPECT_EQ(w.m().Vertices[0][12].X, -before.X);
  EXPECT_EQ(w.m().Vertices[0][12].Y, before.Y);
  EXPECT_EQ(w.m().Vertices[0][13], w.m().BaseVertices[0][13]);  // unselected rows stay
}

TEST(LatheSetRadius, ScalesAlongTheSourceDirection) {
  struct Case {
    TDbl3D source;
    double rho;
    double x, y;
  };
  for (const Case& c : {Case{{3, 4, 9}, 10, 6, 8}, Case{{0, 0, 9}, 0.5, 0.5, 0}, Case{{-2, 0, 0}, 0.25, -0.25, 0},
                        Case{{0, 1, 0}, -0.5, 0, -0.5}}) {
    TDbl3D target{7, 7, 7};
    SetRadius(target, c.source, c.rho);
    EXPECT_NEAR(target.X, c.x, kEps);
    EXPECT_NEAR(target.Y, c.y, kEps);
    EXPECT_EQ(target.Z, 7);
  }
}

// ---- The selection frame ----

// Profile rows 10 .. 14 on a diagonal from (0.2, -0.2) to (0.6, 0.2), all selected.
struct TFrameWorld : TLatheWorld {
  TFrameWorld() {
    for (int k = 10; k <= 14; ++k) SetProfile(k, 0.2 + 0.1 * (k - 10), -0.2 + 0.1 * (k - 10));
    Commit();
    mode.SelectRect(m(), PX(10), PY(10), PX(14), PY(14), false);
    mode.UpdateFrame(m(), true);
    CommitBase(m(), grid());
  }
};

TEST(LatheFrame, BoxOfTheSelectedRadiiAndHeights) {
  TFrameWorld w;
  ASSERT_EQ(w.m().SelectedCount, 5);
  const TSelectionFrame& f = w.m().Frame;
  EXPECT_NEAR(f.X[0], 0.2, kEps);
  EXPECT_NEAR(f.X[3], 0.6, kEps);
  EXPECT_NEAR(f.Y[0], -0.2, kEps);
  EXPECT_NEAR(f.Y[3], 0.2, kEps);
  EXPECT_NEAR(f.CentreX, 0.4, kEps);
  EXPECT_NEAR(f.CentreY, 0.0, kEps);
  EXPECT_EQ(w.mode.HitTest(w.m(), w.mode.ViewX(0.6), w.mode.ViewY(0.2)), fhCorner3);
  EXPECT_EQ(w.mode.HitTest(w.m(), w.mode.ViewX(0.3), w.mode.ViewY(0.1)), fhInside);
  EXPECT_EQ(w.mode.HitTest(w.m(), w.mode.ViewX(0.4), w.mode.ViewY(0.0)), fhPivot);
  EXPECT_EQ(w.mode.HitTest(w.m(), 0, 0), fhNone);
}

TEST(LatheFrame, OneSelectedPointLeavesTheFrameAndOffersNoHandles) {
  TFrameWorld w;
  const TSelectionFrame before = w.m().Frame;
  w.mode.Press(w.m(), w.PX(20), w.PY(20), false);
  ASSERT_EQ(w.m().SelectedCount, 1);
  w.mode.UpdateFrame(w.m(), true);
  EXPECT_EQ(w.m().Frame, before);
  EXPECT_EQ(w.mode.HitTest(w.m(), w.PX(20), w.PY(20)), fhNone);
  w.mode.DragFollow(w.m(), 10, 10);
  EXPECT_EQ(w.m().Frame, before);
}

TEST(LatheFrame, PivotFollowsTheDisplacementSnappedToTheGrid) {
  TFrameWorld w;
  w.mode.DragFollow(w.m(), 5, 3);
  EXPECT_NEAR(w.m().Frame.CentreX, 0.4 + 5.0 / 127, kEps);
  EXPECT_NEAR(w.m().Frame.CentreY, -3.0 / 127, kEps);
  w.settings.Grid = 4;
  w.mode.DragFollow(w.m(), 5, 3);
  EXPECT_NEAR(w.m().Frame.CentreX, 56.0 / 127, kEps);  // 0.4 + 5/127 = 55.8/127 -> 14 x 4/127
  EXPECT_NEAR(w.m().Frame.CentreY, -4.0 / 127, kEps);  // -3/127 -> -1 x 4/127
}

TEST(LatheFrame, EdgeHandleScalesRadiiAboutTheOppositeSide) {
  TFrameWorld w;
  const TSculptData base = w.m();
  const int x0 = w.mode.ViewX(0.6), x = w.mode.ViewX(1.0);
  // An edge handle scales by where the mouse is against the committed box, not by the press point.
  const double factor = (w.mode.RadiusAt(x) - 0.2) / 0.4;
  w.mode.DragHandle(w.m(), fhEdgeRight, x0, w.mode.ViewY(0.0), x, w.mode.ViewY(0.05));
  for (int k = 10; k <= 14; ++k) {
    const double r = 0.2 + 0.1 * (k - 10);
    EXPECT_NEAR(Radius(w.m(), kProfile, k), 0.2 + (r - 0.2) * factor, kEps) << k;
    EXPECT_NEAR(w.m().Vertices[kProfile][k].Z, base.Vertices[kProfile][k].Z, kEps) << k;
    // A linked column follows in proportion.
    EXPECT_NEAR(Radius(w.m(), 20, k) / Radius(base, 20, k), Radius(w.m(), kProfile, k) / r, kEps) << k;
  }
  EXPECT_NEAR(w.m().Frame.X[3], 0.2 + 0.4 * factor, kEps);
  EXPECT_NEAR(w.m().Frame.X[0], 0.2, kEps);
}

TEST(LatheFrame, RotateHandleTurnsAboutThePivot) {
  TFrameWorld w;
  // A pivot on exact pixels: radius 0.5 is pixel 393, height 0 pixel 264 at zoom 2.
  w.m().Frame.CentreX = w.m().BaseFrame.CentreX = 0.5;
  w.m().Frame.CentreY = w.m().BaseFrame.CentreY = 0.0;
  const int cx = w.mode.ViewX(0.5), cy = w.mode.ViewY(0.0);
  ASSERT_EQ(w.mode.RadiusAt(cx), 0.5);
  // From straight right of the pivot to straight below it: a quarter turn.
  w.mode.DragHandle(w.m(), fhRotate, cx + 100, cy, cx, cy + 100);
  for (int k = 10; k <= 13; ++k) {
    const double r = 0.2 + 0.1 * (k - 10), z = -0.2 + 0.1 * (k - 10);
    EXPECT_NEAR(Radius(w.m(), kProfile, k), 0.5 - z, kEps) << k;
    EXPECT_NEAR(w.m().Vertices[kProfile][k].Z, r - 0.5, kEps) << k;
  }
}

TEST(LatheFrame, FreeCornerMovesOneCornerBilinearly) {
  TFrameWorld w;
  const int x = w.mode.ViewX(0.7), y = w.mode.ViewY(0.2);
  const double moved = w.mode.RadiusAt(x) - 0.6, raised = w.mode.HeightAt(y) - 0.2;
  w.mode.DragHandle(w.m(), fhFreeCorner3, w.mode.ViewX(0.6), y, x, y);
  EXPECT_NEAR(Radius(w.m(), kProfile, 14), 0.6 + moved, 1e-9);  // the dragged corner
  EXPECT_NEAR(w.m().Vertices[kProfile][14].Z, 0.2 + raised, 1e-9);
  EXPECT_NEAR(Radius(w.m(), kProfile, 10), 0.2, kEps);              // the opposite corner stays
  EXPECT_NEAR(Radius(w.m(), kProfile, 12), 0.4 + moved / 4, 1e-9);  // the centre moves a quarter
  EXPECT_NEAR(w.m().Vertices[kProfile][12].Z, raised / 4, 1e-9);
  EXPECT_NEAR(w.m().Frame.X[3], 0.6 + moved, 1e-9);
  EXPECT_NEAR(w.m().Frame.X[2], 0.6, 1e-9);  // corner 2 stays
}

TEST(LatheFrame, HandleDragsStartFromTheCommittedState) {
  TFrameWorld once, twice;
  const int y = once.mode.ViewY(0.2), x0 = once.mode.ViewX(0.6);
  once.mode.DragHandle(once.m(), fhCorner3, x0, y, x0 + 7, y + 3);
  twice.mode.DragHandle(twice.m(), fhCorner3, x0, y, x0 + 40, y + 20);
  twice.mode.DragHandle(twice.m(), fhCorner3, x0, y, x0 + 7, y + 3);
  for (int i = 0; i < 33; ++i)
    for (int k = 0; k < 33; ++k) ASSERT_EQ(twice.m().Vertices[i][k], once.m().Vertices[i][k]) << i << "," << k;
  EXPECT_EQ(twice.m().Frame, once.m().Frame);
}

TEST(LatheFrame, CodesWithoutATransformChangeNothing) {
  TFrameWorld w;
  const TSculptData before = w.m();
  for (int code : {-1, 0, 10, 11, 100, 105})
    w.mode.DragHandle(w.m(), code, 100, 100, 300, 300);
  for (int i = 0; i < 33; ++i)
    for (int k = 0; k < 33; ++k) ASSERT_EQ(w.m().Vertices[i][k], before.Vertices[i][k]);
  EXPECT_EQ(w.m().Frame, before.Frame);
}

}  // namespace
}  // namespace orvane
