// Camera arithmetic of the 3D preview.
#include "model/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane {

namespace {

TVec3 Cross(const TVec3& a, const TVec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const TVec3& a, const TVec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Length(const TVec3& a) { return std::sqrt(Dot(a, a)); }
TVec3 Scale(const TVec3& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }

// Rodrigues' rotation of v about the unit axis k.
TVec3 Rotate(const TVec3& v, const TVec3& k, double radians) {
  const double c = std::cos(radians), s = std::sin(radians);
  const TVec3 kxv = Cross(k, v);
  const double kv = Dot(k, v);
  return {v[0] * c + kxv[0] * s + k[0] * kv * (1 - c), v[1] * c + kxv[1] * s + k[1] * kv * (1 - c),
          v[2] * c + kxv[2] * s + k[2] * kv * (1 - c)};
}

TVec3 Normalised(const TVec3& a) {
  const double len = Length(a);
  return len > 0 ? Scale(a, 1.0 / len) : a;
}

}  // namespace

void TurnAroundTarget(TCamera& camera, double pitchDegrees, double turnDegrees) {
  if (!std::isfinite(pitchDegrees) || !std::isfinite(turnDegrees)) return;
  const double toRadians = std::numbers::pi / 180.0;
  const double distance = Length(camera.Position);
  TVec3 up = Normalised(camera.Up);
  TVec3 position = Rotate(camera.Position, up, turnDegrees * toRadians);
  // The right vector of the view; the up vector turns with the pitch, so looking
  // straight down never leaves the two parallel.
  const TVec3 right = Normalised(Cross(up, position));
  if (Length(right) == 0) return;
  position = Rotate(position, right, pitchDegrees * toRadians);
  up = Normalised(Rotate(up, right, pitchDegrees * toRadians));
  // Keep the frame orthonormal and the distance exact against rounding drift.
  position = Scale(Normalised(position), distance);
  up = Normalised(Cross(position, Cross(up, position)));
  camera.Position = position;
  camera.Up = up;
}

double ClampFocalLength(double f) {
  if (std::isnan(f)) return 100.0;
  return std::clamp(f, 50.0, 300.0);
}

void ZoomCamera(TCamera& camera, double base, double delta) {
  camera.FocalLength = ClampFocalLength(std::pow(base, delta / 120.0) * camera.FocalLength);
}

void ResetCamera(TCamera& camera) {
  camera.Position = {0.0, 0.0, 3.0};
  camera.Up = {0.0, 1.0, 0.0};
  camera.FocalLength = 100.0;
}

TFrustum CameraFrustum(const TCamera& camera, int width, int height) {
  const double w = std::max(width, 1), h = std::max(height, 1);
  const double m = std::max(w, h);
  // A focal length in millimetres on a 96 dpi screen, as a near-plane distance.
  double nearPlane = camera.FocalLength * 2.0 * 96.0 / (25.4 * m);
  double scale = 1.0;
  // A small viewer puts that plane in front of the object's near side and cuts it
  // open; a closer plane with proportionally smaller extents keeps the same view.
  constexpr double kNearest = 0.5;
  if (nearPlane > kNearest) {
    scale = kNearest / nearPlane;
    nearPlane = kNearest;
  }
  const double x = scale * w / (2 * m), y = scale * h / (2 * m);
  return {-x, x, -y, y, nearPlane, nearPlane + 90.0};
}

}  // namespace orvane
