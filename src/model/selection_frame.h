// The selection frame: hit test and drawing of its handles, and the transforms of a handle drag.
#pragma once

#include <array>

#include "model/sculpt_data.h"
#include "model/settings.h"
#include "model/types.h"

class QPainter;

namespace orvane {

// Handle codes returned by FrameHitTest; the main window adds 100 to a corner code
// when Ctrl is held at the press, for a free corner drag.
enum TFrameHandle : int {
  fhNone = -1,
  fhInside = 0,
  fhCorner0 = 1, fhCorner1 = 2, fhCorner2 = 3, fhCorner3 = 4,
  fhEdgeTop = 5,     // middle of corner 0 - corner 2 (y = Y[0])
  fhEdgeBottom = 6,  // middle of corner 1 - corner 3 (y = Y[3])
  fhEdgeLeft = 7,    // middle of corner 0 - corner 1 (x = X[0])
  fhEdgeRight = 8,   // middle of corner 2 - corner 3 (x = X[3])
  fhRotate = 9,
  fhPivot = 10,
  fhFreeCorner0 = 101, fhFreeCorner1 = 102, fhFreeCorner2 = 103, fhFreeCorner3 = 104,
};

// The frame's corners and pivot in view pixels, as a mode's view transform puts them.
struct TFramePixels {
  std::array<int, 4> X{};
  std::array<int, 4> Y{};
  int CX = 0;
  int CY = 0;
};

// An affine map about a pivot; the default leaves every point where it is.
struct TFrameMatrix {
  double M00 = 1.0;
  double M01 = 0.0;
  double M10 = 0.0;
  double M11 = 1.0;
  double PivotX = 0.0;
  double PivotY = 0.0;
};

// A bilinear map that keeps the pivot corner and its two neighbours and carries the
// far corner (pivot + edge) to pivot + move; the default leaves every point where it is.
struct TCornerDeform {
  double PivotX = 0.0;
  double PivotY = 0.0;
  double EdgeX = 1.0;
  double EdgeY = 1.0;
  double MoveX = 1.0;
  double MoveY = 1.0;
};

// The handle under the mouse (mx, my): -1 .. 10, handle squares of half size "Pointer Size".
int FrameHitTest(const TAppSettings& settings, const TFramePixels& frame, int mx, int my);

// The grey box, the hollow pivot marker and the white handle markers.
void DrawFrame(QPainter& painter, const TAppSettings& settings, const TFramePixels& frame);

// Angle of (px, py) seen from the pivot (cx, cy), in radians; straight above or below
// the pivot gives +-pi/2.
double FrameAngle(double px, double py, double cx, double cy);

// The scale (codes 1 .. 8) or rotation (9) of a handle drag from the start point
// (sx, sy) to (x, y), always from the model's BaseFrame. A base box thinner than 1e-12
// in a direction keeps that direction unscaled; other codes give the identity.
TFrameMatrix FrameHandleMatrix(const TSculptData& model, int code, double sx, double sy, double x, double y);

// The free drag of a corner (codes 101 .. 104) to (x, y) from the model's BaseFrame;
// other codes give the identity.
TCornerDeform FrameCornerDeform(const TSculptData& model, int code, double x, double y);

TDPoint ApplyFrameMatrix(const TFrameMatrix& matrix, double x, double y);
// A deform whose box has no area (|EdgeX EdgeY| below 1e-12) leaves points where they are.
TDPoint ApplyCornerDeform(const TCornerDeform& deform, double x, double y);

}  // namespace orvane
