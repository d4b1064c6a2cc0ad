// Quantisation of 3D-mouse axes and the camera step they drive.
#include "model/space_mouse.h"

#include <algorithm>
#include <cmath>

namespace orvane {

int AxisLevel(double v) {
  if (v < -40) return -2;
  if (v < -10) return -1;
  if (v < 10) return 0;
  if (v < 40) return 1;
  return 2;
}

void PollSpaceMouse(TCamera& camera, const TSpaceMouseReading& reading, const TAppSettings& settings) {
  if (reading.Reset) {
    ResetCamera(camera);
    return;
  }
  auto level = [&](int axis) { return reading.Levels[std::clamp(axis, 0, 5)]; };
  const double f = ClampFocalLength(std::pow(settings.PreViewZoom, level(settings.FocalLength) / 120.0) *
                                    camera.FocalLength);
  TurnAroundTarget(camera, -level(settings.AroundTargetX) * 0.05, -level(settings.AroundTargetY) * 0.05);
  camera.FocalLength = f;
}

}  // namespace orvane
