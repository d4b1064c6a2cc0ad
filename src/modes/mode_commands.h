// The menu commands a mode may carry out on the model. Each returns true when it ran;
// a mode without the operation returns false and the window then records nothing.
#pragma once

#include "model/sculpt_data.h"

namespace orvane {

class TModeCommands {
 public:
  virtual ~TModeCommands() = default;
  // Edit menu. degrees is signed; vertical selects the vertical alignment.
  virtual bool Rotate(TSculptData&, double /*degrees*/) { return false; }
  virtual bool Align(TSculptData&, bool /*vertical*/) { return false; }
  virtual bool EqualIntervals(TSculptData&) { return false; }
  virtual bool EqualCurves(TSculptData&) { return false; }
  // tag is +1 or -1; degrees is tag times the twist setting.
  virtual bool Twist(TSculptData&, int /*tag*/, double /*degrees*/) { return false; }
  virtual bool SameWidth(TSculptData&) { return false; }
  virtual bool Optimize(TSculptData&) { return false; }
  virtual bool Magnet(TSculptData&) { return false; }
  virtual bool Smooth(TSculptData&, double /*radius*/) { return false; }
  // Whether Equal Intervals has a straight run of at least three selected vertices to space.
  virtual bool EqualAvailable(const TSculptData&) const { return false; }
  virtual bool Copy(const TSculptData&) { return false; }
  virtual bool Paste(TSculptData&) { return false; }

  // Shape menu. corners is 0 for round, else 3 .. 8.
  virtual bool Pillar(TSculptData&, int /*corners*/) { return false; }
  // kind: 0 ball, 1 cap, 2 cone.
  virtual bool Ball(TSculptData&, int /*kind*/) { return false; }
  virtual bool Bevel(TSculptData&, int /*tag*/) { return false; }
  virtual bool FillPillar(TSculptData&) { return false; }
  virtual bool Cushion(TSculptData&) { return false; }

  // Sides and Section menus.
  virtual bool SideSmooth(TSculptData&) { return false; }
  virtual bool ApplySectionToAll(TSculptData&) { return false; }
};

}  // namespace orvane
