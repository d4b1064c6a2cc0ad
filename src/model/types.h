// Small value types shared by every part of the program.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace orvane {

// Capacity of every grid and per-column/per-row table: 256 cells + 1.
inline constexpr int kGridCapacity = 257;

// One map level in model units.
inline constexpr double MapStep = 1.0 / 127.0;
inline constexpr double kMinCoord = -1.0;
inline constexpr double kMaxCoord = 128.0 / 127.0;

struct TDbl3D {
  double X = 0.0;
  double Y = 0.0;
  double Z = 0.0;

  double& operator[](int axis) { return axis == 0 ? X : (axis == 1 ? Y : Z); }
  double operator[](int axis) const { return axis == 0 ? X : (axis == 1 ? Y : Z); }
  friend bool operator==(const TDbl3D&, const TDbl3D&) = default;
};

struct TDPoint {
  double X = 0.0;
  double Y = 0.0;
  friend bool operator==(const TDPoint&, const TDPoint&) = default;
};
using TDPoints = std::vector<TDPoint>;

struct TIntPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TIntPoint&, const TIntPoint&) = default;
};
using TPoints = std::vector<TIntPoint>;

enum TSculptType : std::uint8_t { stSphere = 0, stTorus = 1, stPlane = 2, stCylinder = 3 };

// Aspect codes: cells across x down.
enum TAspectRatio : std::int32_t {
  ar32x32 = 0, ar64x16 = 1, ar128x8 = 2, ar256x4 = 3, ar16x64 = 4, ar8x128 = 5, ar4x256 = 6
};
inline constexpr int kAspectCount = 7;

// One entry per column or row: 0 off, 1 on, 2 emphasised.
using TMarkArray = std::array<std::uint8_t, kGridCapacity>;

// Box around the selection in a mode's 2D view coordinates (model units).
// Corners 0 and 3 are opposite; CentreX/CentreY is the pivot.
struct TSelectionFrame {
  std::array<double, 4> X{};
  std::array<double, 4> Y{};
  double CentreX = 0.0;
  double CentreY = 0.0;
  friend bool operator==(const TSelectionFrame&, const TSelectionFrame&) = default;
};

}  // namespace orvane
