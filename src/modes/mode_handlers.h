// The contract between the main window and a modelling mode: eight handler slots.
#pragma once

#include <optional>
#include <utility>

#include <QImage>
#include <QString>

#include "model/grid_geometry.h"
#include "model/sculpt_data.h"
#include "model/settings.h"
#include "modes/clay_lines.h"
#include "modes/mode_commands.h"

namespace orvane {

// View choices of the run that some modes read (not saved between runs).
struct TViewState {
  int SymmetryMode = 0;     // 0 None, 1 Mirror Image, 2 Rotation, 3 4 Mirror, 4 4 Rotation
  int BendSectionType = 0;  // the BEND mode's cross-section, 0 .. 6
};

// What every mode reads besides the model: the grid geometry, the settings and the
// view choices. All are owned by the main window and outlive every mode.
struct TModeContext {
  TGridGeometry& Grid;
  TAppSettings& Settings;
  TViewState* View = nullptr;
};

// The eight slots, in slot order. x and y are pixels of the edit image (y down);
// dx and dy are displacements in map levels (y up).
class TModeHandlers {
 public:
  virtual ~TModeHandlers() = default;
  // Repaints the whole 2D view into the image, sizing it for the current zoom.
  virtual void Draw(TSculptData& model, QImage& image) = 0;
  // Selects or grabs what is under (x, y); true when something was grabbed.
  virtual bool Press(TSculptData& model, int x, int y, bool add) = 0;
  // Selects the items inside the rectangle (corners not ordered).
  virtual void SelectRect(TSculptData& model, int x0, int y0, int x1, int y1, bool add) = 0;
  // Moves the grabbed or selected items by the total displacement since the press.
  virtual void DragMove(TSculptData& model, double dx, double dy) = 0;
  // Recomputes the selection frame; recentre puts the pivot back in the middle.
  virtual void UpdateFrame(TSculptData& model, bool recentre) = 0;
  // Drags a frame handle from (x0, y0) to (x, y), from the committed state.
  virtual void DragHandle(TSculptData& model, int code, int x0, int y0, int x, int y) = 0;
  // The frame part under (x, y): -1 nothing, 0 inside, 1..9 handles, 10 pivot.
  virtual int HitTest(TSculptData& model, int x, int y) = 0;
  // Moves the frame's pivot by the displacement.
  virtual void DragFollow(TSculptData& model, double dx, double dy) = 0;
};

// A mode: the eight slots, its menu commands and the few hooks the main window calls.
class TMode : public TModeHandlers, public TModeCommands {
 public:
  // Run on every activation before the frame is recomputed and the view drawn.
  virtual void Activate(TSculptData&) {}
  // The two read-out values under (x, y) when the mode has its own read-out.
  virtual std::optional<std::pair<int, int>> Readout(const TSculptData&, int, int) { return std::nullopt; }
  // The marks of the mode's section lines (LATHE columns, EXTRUDE and HOOP rows), if any.
  virtual TMarkArray* SectionMarks() { return nullptr; }
  // The column and row lines a mode works on (CLAY), if any.
  virtual TClayLines* LineFlags() { return nullptr; }

  // A background picture behind the view, for the modes that take one.
  virtual bool TakesBackground() const { return false; }
  virtual bool LoadBackgroundPicture(const QString&, QString* reason) {
    if (reason) *reason = "this view takes no background picture";
    return false;
  }
  virtual bool HasBackground() const { return false; }
  virtual bool ShowBackground() const { return false; }
  virtual void SetShowBackground(bool) {}
};

// The handlers of a mode that is not built, and of the Texture tab: they draw a
// blank view and react to nothing, so every tab can be visited safely.
class TBlankMode : public TMode {
 public:
  explicit TBlankMode(TModeContext context) : Context(context) {}
  void Draw(TSculptData& model, QImage& image) override;
  bool Press(TSculptData&, int, int, bool) override { return false; }
  void SelectRect(TSculptData&, int, int, int, int, bool) override {}
  void DragMove(TSculptData&, double, double) override {}
  void UpdateFrame(TSculptData&, bool) override {}
  void DragHandle(TSculptData&, int, int, int, int, int) override {}
  int HitTest(TSculptData&, int, int) override { return -1; }
  void DragFollow(TSculptData&, double, double) override {}

 protected:
  TModeContext Context;
};

}  // namespace orvane
