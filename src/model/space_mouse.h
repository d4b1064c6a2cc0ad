// Camera steps from a 3D mouse: six quantised axis levels and a reset key.
#pragma once

#include <array>

#include "model/camera.h"
#include "model/settings.h"

namespace orvane {

struct TSpaceMouseReading {
  // translation X, Y, Z, rotation X, Y, Z, each -2 .. 2
  std::array<int, 6> Levels{};
  bool Reset = false;
};

// A raw axis value as a level: below -40 -> -2, below -10 -> -1, below 10 -> 0,
// below 40 -> 1, else 2.
int AxisLevel(double value);

// One idle step of the camera from a reading: the reset key puts the camera back;
// otherwise the chosen axes zoom, pitch and turn it by small steps.
void PollSpaceMouse(TCamera& camera, const TSpaceMouseReading& reading, const TAppSettings& settings);

}  // namespace orvane
