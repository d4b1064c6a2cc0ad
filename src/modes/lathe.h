// The LATHE mode: a body of revolution shaped through one profile column of the grid.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QImage>
#include <QString>

#include "model/selection_frame.h"
#include "model/types.h"
#include "modes/lathe_text.h"
#include "modes/mode_handlers.h"

class QPainter;

namespace orvane {

// The nominal angle of column i around the axis, 2 pi i / (C-1), measured from +X towards +Y.
double LatheColumnAngle(int column, const TGridGeometry& grid);

// Distance of a vertex from the Z axis.
double LatheRadius(const TDbl3D& v);

// target.X, target.Y := rho times the unit direction of source in the XY plane; a source on
// the axis gives (rho, 0). target.Z is left alone.
void SetRadius(TDbl3D& target, const TDbl3D& source, double rho);

// The 2D view shows the profile column as (radius, height): radius to the right of the
// axis, height downwards. Edits of the profile are spread to every linked column.
class TLatheMode : public TMode {
 public:
  explicit TLatheMode(TModeContext context);

  void Draw(TSculptData& model, QImage& image) override;
  bool Press(TSculptData& model, int x, int y, bool add) override;
  void SelectRect(TSculptData& model, int x0, int y0, int x1, int y1, bool add) override;
  void DragMove(TSculptData& model, double dx, double dy) override;
  void UpdateFrame(TSculptData& model, bool recentre) override;
  void DragHandle(TSculptData& model, int code, int x0, int y0, int x, int y) override;
  int HitTest(TSculptData& model, int x, int y) override;
  void DragFollow(TSculptData& model, double dx, double dy) override;

  void Activate(TSculptData& model) override { FitLatheView(model); }
  std::optional<std::pair<int, int>> Readout(const TSculptData&, int x, int y) override { return LatheReadout(x, y); }
  TMarkArray* SectionMarks() override { return &Sides; }

  // Widens the view for a diagonal profile column and puts the axis on the side where the
  // read-out shows the map level of the profile's dominant coordinate.
  void FitLatheView(const TSculptData& model);
  // (horizontal, vertical) map levels under the view pixel (x, y).
  std::pair<int, int> LatheReadout(int x, int y) const;
  // Spreads the moved rows of the profile column to every linked column.
  void RevolveProfile(TSculptData& model) const;
  // Pole flags of a SPHERE, the Fixed To axis rule, and the side of the selected profile points.
  void ApplyAxisRules(TSculptData& model) const;

  // Loads the background picture; on failure the old one stays and *reason says why.
  // On success the picture is shown.
  bool LoadLatheBackground(const QString& name, QString* reason = nullptr);

  // The main window's background commands (the same names as its hooks on TMode).
  bool TakesBackground() const { return true; }
  bool LoadBackgroundPicture(const QString& name, QString* reason) { return LoadLatheBackground(name, reason); }

  TMarkArray& LatheSides() { return Sides; }
  const TMarkArray& LatheSides() const { return Sides; }
  double LatheViewScale() const { return ViewScale; }
  int LatheAxisOffset() const { return AxisOffset; }
  bool HasBackground() const { return BackgroundLoaded; }
  bool ShowBackground() const { return BackgroundShown; }
  // The toggle is remembered, but a picture is composited only once one is loaded.
  void SetShowBackground(bool show) { BackgroundShown = show; }

  // The profile column actually used: LatheColumn, or MidColumn while the cursor is outside 0 .. C-2.
  int ProfileColumn() const;
  // View pixel of a radius and a height, and back (model units).
  int ViewX(double radius) const;
  int ViewY(double height) const;
  double RadiusAt(double x) const;
  double HeightAt(double y) const;

 private:
  void BuildSilhouette(const TSculptData& model);
  void DrawProfile(QPainter& painter, const TSculptData& model) const;
  void DrawMarkers(QImage& image, const TSculptData& model) const;
  void SetOverlayMarks(TSculptData& model) const;
  TFramePixels FramePixels(const TSelectionFrame& frame) const;
  // Every drag step starts from the committed grid, so a drag never accumulates.
  void RestoreBase(TSculptData& model) const;
  // The snap, clamp and selection update that end every drag step.
  void SnapIfGrid(TSculptData& model) const;

  TModeContext Context;
  TMarkArray Sides{};
  double ViewScale = 1.0;
  int AxisOffset = 0;
  QImage Background;     // the loaded picture, lightened
  QImage BackgroundDim;  // its dimmed copy, shown inside the silhouette
  bool BackgroundLoaded = false;
  bool BackgroundShown = false;
  // Silhouette polygons in map levels, kept between draws to avoid reallocating.
  std::vector<TDPoint> Outline1;
  std::vector<TDPoint> Outline2;
};

}  // namespace orvane
