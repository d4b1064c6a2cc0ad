// The preview camera: turning around the target, zoom limits, frustum, and the 3D mouse steps.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/camera.h"
#include "model/space_mouse.h"

namespace orvane {
namespace {

double Distance(const TCamera& c) { return std::hypot(c.Position[0], c.Position[1], c.Position[2]); }

TEST(Camera, TurnKeepsTheDistanceAndQuarterTurnsLandOnTheAxes) {
  TCamera c;
  TurnAroundTarget(c, 0, 90);
  EXPECT_NEAR(c.Position[0], 3.0, 1e-12);
  EXPECT_NEAR(c.Position[2], 0.0, 1e-12);
  TurnAroundTarget(c, 0, -90);
  TurnAroundTarget(c, 90, 0);  // pitch over the top: the up vector turns along
  EXPECT_NEAR(std::abs(c.Position[1]), 3.0, 1e-12);
  EXPECT_NEAR(Distance(c), 3.0, 1e-12);
  for (int k = 0; k < 1000; ++k) TurnAroundTarget(c, 7.3, -11.1);
  EXPECT_NEAR(Distance(c), 3.0, 1e-9);
  const double dot = c.Position[0] * c.Up[0] + c.Position[1] * c.Up[1] + c.Position[2] * c.Up[2];
  EXPECT_NEAR(dot, 0.0, 1e-9);
  TurnAroundTarget(c, std::numeric_limits<double>::quiet_NaN(), 1);
  EXPECT_TRUE(std::isfinite(c.Position[0]));
}

TEST(Camera, WheelZoomIsLimitedAndNaNSafe) {
  TCamera c;
  ZoomCamera(c, 1.02, -120);
  EXPECT_NEAR(c.FocalLength, 100 / 1.02, 1e-9);  // about 98.04
  for (int k = 0; k < 100; ++k) ZoomCamera(c, 1.02, -120);
  EXPECT_EQ(c.FocalLength, 50.0);
  for (int k = 0; k < 200; ++k) ZoomCamera(c, 1.02, 120);
  EXPECT_EQ(c.FocalLength, 300.0);
  EXPECT_EQ(ClampFocalLength(std::numeric_limits<double>::quiet_NaN()), 100.0);
}

TEST(Camera, FrustumFollowsTheFocalLength) {
  TCamera c;
  const TFrustum f = CameraFrustum(c, 400, 200);
  // The view angle: half extents w / 2max and h / 2max at f 2 96 / (25.4 max).
  const double nearPlane = 100 * 2 * 96 / (25.4 * 400);
  EXPECT_NEAR(f.Right / f.Near, 0.5 / nearPlane, 1e-12);
  EXPECT_NEAR(f.Top / f.Near, 0.25 / nearPlane, 1e-12);
  EXPECT_NEAR(f.Far - f.Near, 90.0, 1e-12);
  // ... with the near plane never beyond the front of an object at the camera's distance
  EXPECT_LE(f.Near, 0.5);
  ZoomCamera(c, 1.02, -120 * 40);  // focal length 50: a wider view
  const TFrustum wide = CameraFrustum(c, 400, 200);
  EXPECT_NEAR(wide.Right / wide.Near, 2 * f.Right / f.Near, 1e-12);
  const TFrustum empty = CameraFrustum(c, 0, 0);  // a hidden viewer never divides by zero
  EXPECT_TRUE(std::isfinite(empty.Near));
}

TEST(SpaceMouse, AxisLevels) {
  const std::pair<double, int> cases[] = {{39, 1}, {40, 2}, {9.9, 0}, {-10, 0}, {-10.5, -1}, {-40, -1}, {-40.5, -2}};
  for (const auto& [value, level] : cases) EXPECT_EQ(AxisLevel(value), level) << value;
}

TEST(SpaceMouse, ChosenAxesZoomAndTurnAndTheKeyResets) {
  TAppSettings s;
  TCamera c;
  TSpaceMouseReading r;
  r.Levels[1] = 2;  // FocalLength axis by default
  PollSpaceMouse(c, r, s);
  EXPECT_NEAR(c.FocalLength, 100 * std::pow(1.02, 2.0 / 120), 1e-9);
  s.FocalLength = 5;  // zoom follows the rotation about Z now
  const double before = c.FocalLength;
  PollSpaceMouse(c, r, s);
  EXPECT_EQ(c.FocalLength, before);
  r.Levels[4] = 2;  // AroundTargetY turns
  PollSpaceMouse(c, r, s);
  EXPECT_NEAR(c.Position[0], 3 * std::sin(-0.1 * M_PI / 180), 1e-9);
  r.Reset = true;
  PollSpaceMouse(c, r, s);
  EXPECT_EQ(c.FocalLength, 100.0);
  EXPECT_EQ(c.Position, (TVec3{0, 0, 3}));
}

}  // namespace
}  // namespace orvane
