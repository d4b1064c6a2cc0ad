// Selection frame: handle hit codes, drawing, and the scale, rotate and corner drag transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

#include <QImage>
#include <QPainter>

#include "model/selection_frame.h"

namespace orvane {
namespace {

TAppSettings Pointer(int size) {
  TAppSettings s;
  s.PointerSize = size;
  return s;
}

TFramePixels Box(int x0, int y0, int x3, int y3, int cx, int cy) {
  return TFramePixels{{x0, x0, x3, x3}, {y0, y3, y0, y3}, cx, cy};
}

struct HitCase {
  int mx, my, code;
};

void ExpectHits(const TAppSettings& s, const TFramePixels& f, std::initializer_list<HitCase> cases) {
  for (const HitCase& c : cases) EXPECT_EQ(FrameHitTest(s, f, c.mx, c.my), c.code) << "(" << c.mx << ", " << c.my << ")";
}

TEST(FrameHitTest, EveryCodeOnAKnownBox) {
  const TFramePixels f = Box(0, 0, 100, 60, 50, 30);
  ExpectHits(Pointer(3), f,
             {{100, 60, fhCorner3}, {0, 0, fhCorner0},   {100, 0, fhCorner2},   {0, 60, fhCorner1},
              {50, 0, fhEdgeTop},   {50, 60, fhEdgeBottom}, {0, 30, fhEdgeLeft}, {100, 30, fhEdgeRight},
              {50, 30, fhPivot},    {30, 20, fhInside},  {105, 30, fhRotate},   {110, 30, fhNone},
              {103, 63, fhCorner3}, {104, 63, fhRotate},  {97, 57, fhCorner3},   {53, 3, fhEdgeTop},
              {54, 3, fhInside},    {102, 45, fhInside},  {103, 45, fhInside},   {104, 45, fhRotate},
              {109, 45, fhRotate},  {-9, 45, fhRotate},   {-10, 45, fhNone},     {50, -9, fhRotate},
              {50, -10, fhNone},    {50, 69, fhRotate},   {50, 70, fhNone},      {53, 33, fhPivot}});
}

TEST(FrameHitTest, PivotOutsideTheBoxStillAnswers) {
  ExpectHits(Pointer(3), Box(0, 0, 100, 60, 200, 30), {{200, 30, fhPivot}, {203, 27, fhPivot}, {204, 30, fhNone}});
}

TEST(FrameHitTest, PivotOnCornerZeroOffersNoCorners) {
  ExpectHits(Pointer(3), Box(0, 0, 100, 60, 0, 30),  // same x as corner 0
             {{100, 60, fhInside}, {0, 0, fhInside}, {50, 0, fhEdgeTop}, {0, 30, fhEdgeLeft}});
  ExpectHits(Pointer(3), Box(0, 0, 100, 60, 50, 0),  // same y as corner 0
             {{100, 60, fhInside}, {50, 0, fhEdgeTop}, {100, 30, fhEdgeRight}});
}

TEST(FrameHitTest, EdgeHandlesOnlyOnBoxesLargerThanSixPointers) {
  // 15 tall: no codes 5 and 6 (15 <= 18); the pivot still answers because the box is wide.
  ExpectHits(Pointer(3), Box(0, 0, 100, 15, 50, 7),
             {{50, 0, fhInside}, {50, 15, fhInside}, {0, 7, fhEdgeLeft}, {100, 7, fhEdgeRight}, {50, 7, fhPivot}});
  // 18 wide and 18 tall: neither edges nor pivot; only corners, inside and the ring.
  ExpectHits(Pointer(3), Box(0, 0, 18, 18, 9, 9),
             {{9, 0, fhInside}, {0, 9, fhInside}, {9, 9, fhInside}, {18, 18, fhCorner3}, {22, 9, fhRotate}});
  // 19 tall passes.
  ExpectHits(Pointer(3), Box(0, 0, 18, 19, 9, 9), {{9, 0, fhEdgeTop}, {9, 9, fhPivot}});
}

TEST(FrameHitTest, OnePointBoxMovesInsteadOfRotating) {
  ExpectHits(Pointer(3), Box(50, 50, 50, 50, 50, 50),
             {{50, 50, fhInside}, {53, 50, fhInside}, {55, 50, fhInside}, {59, 50, fhInside}, {60, 50, fhNone}});
}

// Edge middles round half to even: (0 + 101) / 2 = 50.5 gives 50, not 51.
TEST(FrameHitTest, EdgeMiddlesRoundHalfToEven) {
  ExpectHits(Pointer(3), Box(0, 0, 101, 61, 20, 20),
             {{47, 0, fhEdgeTop}, {54, 0, fhInside}, {0, 27, fhEdgeLeft}, {0, 34, fhInside}});
}

TEST(FrameHitTest, PointerSizeOutOfRangeReadsAsItsLimit) {
  ExpectHits(Pointer(0), Box(0, 0, 100, 60, 50, 30), {{101, 61, fhCorner3}, {102, 60, fhRotate}, {104, 60, fhNone}});
}

TEST(DrawFrame, GreyBoxHollowPivotWhiteHandles) {
  QImage image(140, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  const TFramePixels f = Box(10, 10, 110, 80, 30, 10);  // pivot on the top edge
  QPainter p(&image);
  DrawFrame(p, Pointer(3), f);
  p.end();
  const QRgb grey = qRgb(128, 128, 128), black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
  EXPECT_EQ(image.pixel(80, 9), grey);  // the box edge is three pixels wide
  EXPECT_EQ(image.pixel(80, 10), grey);
  EXPECT_EQ(image.pixel(80, 11), grey);
  EXPECT_EQ(image.pixel(80, 13), white);
  EXPECT_EQ(image.pixel(110, 30), grey);
  EXPECT_EQ(image.pixel(30, 10), grey);   // the hollow pivot marker shows the edge through it
  EXPECT_EQ(image.pixel(27, 10), black);  // its outline
  EXPECT_EQ(image.pixel(11, 11), white);  // the corner marker's white inside covers the edge
  EXPECT_EQ(image.pixel(7, 10), black);
  EXPECT_EQ(image.pixel(60, 11), white);  // top middle marker at (60, 10)
  EXPECT_EQ(image.pixel(57, 10), black);
  EXPECT_EQ(image.pixel(110, 45), white);  // right middle marker at (110, 45)
  EXPECT_EQ(image.pixel(111, 30), grey);   // the right edge's outer pixel
  EXPECT_EQ(image.pixel(113, 45), white);  // right of that marker, past the edge
  // Nine markers, none overlapping: nine outlines of 20 pixels each.
  int blacks = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) blacks += image.pixel(x, y) == black;
  EXPECT_EQ(blacks, 9 * 20);
}

TEST(FrameAngle, VerticalCasesAndArcTangent) {
  const double pi = std::numbers::pi;
  struct Case {
    double px, py, angle;
  };
  const Case cases[] = {{3, 7, pi / 2}, {3, 6, pi / 2}, {3, 5, -pi / 2}, {4, 6, 0.0},
                        {2, 6, pi},     {4, 7, pi / 4}, {2, 5, -3 * pi / 4}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(FrameAngle(c.px, c.py, 3, 6), c.angle) << c.px << "," << c.py;
}

// Base box x 1 .. 5 (W 4), y 2 .. 10 (H 8), pivot (3, 6), in view model units.
std::unique_ptr<TSculptData> BoxModel(double x0, double y0, double x3, double y3) {
  auto model = std::make_unique<TSculptData>();
  TSelectionFrame& b = model->BaseFrame;
  b.X[0] = x0;
  b.Y[0] = y0;
  b.X[3] = x3;
  b.Y[3] = y3;
  NormaliseFrame(b, true);
  model->Frame = b;
  return model;
}

TEST(FrameHandleMatrix, HandleFollowsTheMouseAndTheOppositeSideStays) {
  const auto model = BoxModel(1, 2, 5, 10);
  struct Case {
    int code;
    TDPoint handle, mouse, moved;  // where the handle goes (edges keep the other coordinate)
    TDPoint fixed1, fixed2;        // points on the opposite side
  };
  const Case cases[] = {
      {fhCorner0, {1, 2}, {-1, 0}, {-1, 0}, {5, 10}, {5, 10}},
      {fhCorner1, {1, 10}, {3, 14}, {3, 14}, {5, 2}, {5, 2}},
      {fhCorner2, {5, 2}, {9, 6}, {9, 6}, {1, 10}, {1, 10}},
      {fhCorner3, {5, 10}, {7, 4}, {7, 4}, {1, 2}, {1, 2}},
      {fhEdgeTop, {3, 2}, {100, 4}, {3, 4}, {1, 10}, {5, 10}},
      {fhEdgeBottom, {3, 10}, {-50, 12}, {3, 12}, {1, 2}, {5, 2}},
      {fhEdgeLeft, {1, 6}, {3, 99}, {3, 6}, {5, 2}, {5, 10}},
      {fhEdgeRight, {5, 6}, {13, 0}, {13, 6}, {1, 2}, {1, 10}},
  };
  for (const Case& c : cases) {
    const TFrameMatrix m = FrameHandleMatrix(*model, c.code, c.handle.X, c.handle.Y, c.mouse.X, c.mouse.Y);
    EXPECT_EQ(m.M01, 0.0) << c.code;
    EXPECT_EQ(m.M10, 0.0) << c.code;
    EXPECT_EQ(ApplyFrameMatrix(m, c.handle.X, c.handle.Y), c.moved) << c.code;
    EXPECT_EQ(ApplyFrameMatrix(m, c.fixed1.X, c.fixed1.Y), c.fixed1) << c.code;
    EXPECT_EQ(ApplyFrameMatrix(m, c.fixed2.X, c.fixed2.Y), c.fixed2) << c.code;
  }
}

TEST(FrameHandleMatrix, CornerScaleOnInnerPoints) {
  const auto model = BoxModel(1, 2, 5, 10);
  // On the base corner: the identity.
  TFrameMatrix m = FrameHandleMatrix(*model, fhCorner3, 5, 10, 5, 10);
  EXPECT_EQ(m.M00, 1.0);
  EXPECT_EQ(m.M11, 1.0);
  EXPECT_EQ(ApplyFrameMatrix(m, 2.5, 7.25), (TDPoint{2.5, 7.25}));
  // Twice as far from corner 0: every distance from it doubles.
  m = FrameHandleMatrix(*model, fhCorner3, 5, 10, 9, 18);
  EXPECT_EQ(ApplyFrameMatrix(m, 3, 6), (TDPoint{5, 10}));
  EXPECT_EQ(ApplyFrameMatrix(m, 2.5, 7.25), (TDPoint{4, 12.5}));
  // Past the fixed corner the box flips.
  m = FrameHandleMatrix(*model, fhCorner3, 5, 10, -3, -6);
  EXPECT_EQ(ApplyFrameMatrix(m, 5, 10), (TDPoint{-3, -6}));
  EXPECT_EQ(ApplyFrameMatrix(m, 3, 6), (TDPoint{-1, -2}));
  // Onto the fixed side: the box collapses to it.
  m = FrameHandleMatrix(*model, fhEdgeLeft, 1, 6, 5, 6);
  EXPECT_EQ(ApplyFrameMatrix(m, 2, 3), (TDPoint{5, 3}));
}

TEST(FrameHandleMatrix, RotationQuarterTurnAboutTheBasePivot) {
  auto model = BoxModel(1, 2, 5, 10);  // pivot (3, 6)
  const double r = 2.0;
  TFrameMatrix m = FrameHandleMatrix(*model, fhRotate, 3 + r, 6, 3, 6 + r);
  EXPECT_DOUBLE_EQ(m.M10, 1.0);
  EXPECT_DOUBLE_EQ(m.M01, -1.0);
  TDPoint p = ApplyFrameMatrix(m, 4, 6);  // offset (1, 0) from the pivot
  EXPECT_NEAR(p.X, 3.0, 1e-15);
  EXPECT_NEAR(p.Y, 7.0, 1e-15);
  p = ApplyFrameMatrix(m, 3, 6);
  EXPECT_EQ(p, (TDPoint{3, 6}));
  // From straight below the pivot (-pi/2) to its right (0): again a quarter turn.
  m = FrameHandleMatrix(*model, fhRotate, 3, 1, 8, 6);
  p = ApplyFrameMatrix(m, 4, 6);
  EXPECT_NEAR(p.X, 3.0, 1e-15);
  EXPECT_NEAR(p.Y, 7.0, 1e-15);
  // Angles are read about the live pivot, the turn happens about the base pivot.
  model->Frame.CentreX = 10;
  model->Frame.CentreY = 10;
  m = FrameHandleMatrix(*model, fhRotate, 12, 10, 10, 12);
  EXPECT_EQ(m.PivotX, 3.0);
  EXPECT_EQ(m.PivotY, 6.0);
  p = ApplyFrameMatrix(m, 4, 6);
  EXPECT_NEAR(p.X, 3.0, 1e-15);
  EXPECT_NEAR(p.Y, 7.0, 1e-15);
}

TEST(FrameHandleMatrix, OtherCodesMoveNothing) {
  const auto model = BoxModel(1, 2, 5, 10);
  for (int code : std::initializer_list<int>{fhNone, fhInside, fhPivot, 11, 100, fhFreeCorner0, fhFreeCorner3}) {
    const TFrameMatrix m = FrameHandleMatrix(*model, code, 0, 0, 40, -7);
    EXPECT_EQ(ApplyFrameMatrix(m, 2.5, 7.25), (TDPoint{2.5, 7.25})) << code;
  }
}

TEST(FrameCornerDeform, DraggedCornerFollowsOthersStay) {
  const auto model = BoxModel(1, 2, 5, 10);
  const TDPoint corners[4] = {{1, 2}, {1, 10}, {5, 2}, {5, 10}};
  const TDPoint mouse{7, -2};
  for (int c = 0; c < 4; ++c) {
    const int code = fhFreeCorner0 + c;
    // On its own base corner: the identity.
    TCornerDeform k = FrameCornerDeform(*model, code, corners[c].X, corners[c].Y);
    EXPECT_EQ(ApplyCornerDeform(k, 2.5, 7.25), (TDPoint{2.5, 7.25})) << code;
    k = FrameCornerDeform(*model, code, mouse.X, mouse.Y);
    for (int other = 0; other < 4; ++other) {
      const TDPoint expected = other == c ? mouse : corners[other];
      EXPECT_EQ(ApplyCornerDeform(k, corners[other].X, corners[other].Y), expected) << code << " corner " << other;
    }
    // The centre is the average of the four corners, so it moves a quarter of the drag.
    const TDPoint centre = ApplyCornerDeform(k, 3, 6);
    EXPECT_EQ(centre, (TDPoint{3 + (mouse.X - corners[c].X) / 4, 6 + (mouse.Y - corners[c].Y) / 4})) << code;
  }
}

TEST(FrameCornerDeform, MovingCornerThreeSidewaysShearsItsEdges) {
  const auto model = BoxModel(1, 2, 5, 10);
  const double d = 4;
  const TCornerDeform k = FrameCornerDeform(*model, fhFreeCorner3, 5 + d, 10);
  EXPECT_EQ(ApplyCornerDeform(k, 5, 10), (TDPoint{5 + d, 10}));
  EXPECT_EQ(ApplyCornerDeform(k, 3, 10), (TDPoint{3 + d / 2, 10}));  // middle of the edge 1 - 3
  EXPECT_EQ(ApplyCornerDeform(k, 5, 6), (TDPoint{5 + d / 2, 6}));    // middle of the edge 2 - 3
  EXPECT_EQ(ApplyCornerDeform(k, 1, 6), (TDPoint{1, 6}));            // middle of the edge 0 - 1
  EXPECT_EQ(FrameCornerDeform(*model, fhCorner3, 9, 9).EdgeX, TCornerDeform{}.EdgeX);  // not a free drag
}

// A box with no width or height keeps that direction: no division by zero, no NaN.
TEST(ZeroSizeBox, HandlesLeaveTheFlatDirectionAlone) {
  const auto flat = BoxModel(2, 1, 2, 5);  // no width
  for (int code = fhCorner0; code <= fhEdgeRight; ++code) {
    const TFrameMatrix m = FrameHandleMatrix(*flat, code, 2, 1, 9, 9);
    EXPECT_EQ(m.M00, 1.0) << code;
    EXPECT_EQ(ApplyFrameMatrix(m, 2, 3).X, 2.0) << code;
  }
  // The other direction still scales: code 4 to (9, 9) stretches y about y = 1 by 2.
  EXPECT_EQ(ApplyFrameMatrix(FrameHandleMatrix(*flat, fhCorner3, 2, 5, 9, 9), 2, 3), (TDPoint{2, 5}));
  const auto point = BoxModel(2, 1, 2, 1 + 1e-13);  // below the threshold in both directions
  for (int code = fhCorner0; code <= fhEdgeRight; ++code)
    EXPECT_EQ(ApplyFrameMatrix(FrameHandleMatrix(*point, code, 2, 1, -7, 30), 2, 1), (TDPoint{2, 1})) << code;
  for (int code = fhFreeCorner0; code <= fhFreeCorner3; ++code) {
    const TCornerDeform k = FrameCornerDeform(*flat, code, 9, 9);
    EXPECT_EQ(ApplyCornerDeform(k, 2, 3), (TDPoint{2, 3})) << code;
    EXPECT_EQ(ApplyCornerDeform(k, 2, 5), (TDPoint{2, 5})) << code;
  }
}

TEST(ZeroSizeBox, NoTransformEverWritesNaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double boxes[][4] = {{1, 2, 5, 10}, {2, 2, 2, 2}, {0, 0, 1e-13, 1e-13}, {-1e300, -1e300, 1e300, 1e300},
                             {0, 0, 1e-300, 1}};
  const double values[] = {0.0, 3.0, 1e300, -1e300, nan, inf, -inf};
  const int codes[] = {fhNone, fhInside, 1, 2, 3, 4, 5, 6, 7, 8, fhRotate, fhPivot, 101, 102, 103, 104};
  const TDPoint points[] = {{1, 2}, {5, 10}, {3, 6}, {-1, 128.0 / 127.0}, {1e300, -1e300}};
  for (const auto& b : boxes) {
    const auto model = BoxModel(b[0], b[1], b[2], b[3]);
    for (int code : codes)
      for (double x : values)
        for (double y : values) {
          const TFrameMatrix m = FrameHandleMatrix(*model, code, 0.5, 0.25, x, y);
          const TCornerDeform k = FrameCornerDeform(*model, code, x, y);
          for (const TDPoint& p : points) {
            const TDPoint a = ApplyFrameMatrix(m, p.X, p.Y);
            const TDPoint c = ApplyCornerDeform(k, p.X, p.Y);
            ASSERT_TRUE(std::isfinite(a.X) && std::isfinite(a.Y)) << code << " " << x << " " << y;
            ASSERT_TRUE(std::isfinite(c.X) && std::isfinite(c.Y)) << code << " " << x << " " << y;
          }
        }
  }
}

}  // namespace
}  // namespace orvane
