// The 3D preview's camera: turns around its target and zooms by focal length.
#pragma once

#include <array>

namespace orvane {

using TVec3 = std::array<double, 3>;

struct TCamera {
  TVec3 Position{0.0, 0.0, 3.0};  // relative to the target at the origin
  TVec3 Up{0.0, 1.0, 0.0};
  double FocalLength = 100.0;
};

// Turns the camera around its target: turn degrees about its up vector, then
// pitch degrees about its right vector; the distance to the target is kept.
void TurnAroundTarget(TCamera& camera, double pitchDegrees, double turnDegrees);

// The focal length limited to 50 .. 300; a value that is not a number gives 100.
double ClampFocalLength(double f);

// One wheel step: f := base ^ (delta / 120) x f, limited to 50 .. 300.
void ZoomCamera(TCamera& camera, double base, double delta);

// Back to the start: position (0, 0, 3), focal length 100.
void ResetCamera(TCamera& camera);

// A perspective frustum at the near plane for a viewport of width x height pixels.
struct TFrustum {
  double Left, Right, Bottom, Top, Near, Far;
};
TFrustum CameraFrustum(const TCamera& camera, int width, int height);

}  // namespace orvane
