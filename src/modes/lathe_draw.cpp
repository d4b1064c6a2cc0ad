// LATHE view drawing: silhouette, axis, profile line, point markers, overlay marks and the selection frame.
#include <optional>

#include <QPainter>

#include "model/draw_helpers.h"
#include "model/marker_stamps.h"
#include "model/marks.h"
#include "model/view_transform.h"
#include "modes/lathe.h"

namespace orvane {

namespace {

const QColor kLockedSelected(255, 255, 0);
const QColor kLocked(0, 255, 255);

// The column facing the profile across the axis.
int OppositeColumn(int column, const TGridGeometry& g) {
  const int period = g.ColumnCount - 1;
  return period > 0 ? (column + period / 2) % period : 0;
}

}  // namespace

void TLatheMode::BuildSilhouette(const TSculptData& model) {
  const TGridGeometry& g = Context.Grid;
  const int vl = ClampViewLevel(Context.Settings.ViewLevel);
  const int R = g.RowCount;
  const int l1 = (R - 2) / vl;
  const int l2 = (R - 1) / vl;
  const int profile = ProfileColumn();
  const int opposite = OppositeColumn(profile, g);
  // Points in map levels of the unstretched view: the background drawing stretches them back.
  const double axis = AxisOffset * ViewScale;
  const auto point = [&](int column, int row, double side) {
    const TDbl3D& v = model.Vertices[column][row];
    return TDPoint{(axis + side * LatheRadius(v) * 127.0) / ViewScale, v.Z * 127.0 + 127.0};
  };
  Outline1.clear();
  Outline2.clear();
  switch (model.SculptType) {
    case stSphere:
      for (int m = 0; m <= l1; ++m) Outline1.push_back(point(profile, m * vl, 1.0));
      for (int m = l2; m >= 1; --m) Outline1.push_back(point(opposite, m * vl, -1.0));
      break;
    case stTorus:
      for (int m = 0; m <= l1; ++m) Outline1.push_back(point(profile, m * vl, 1.0));
      for (int m = 0; m <= l1; ++m) Outline2.push_back(point(opposite, m * vl, -1.0));
      break;
    case stCylinder:
      for (int m = 0; m <= l2; ++m) Outline1.push_back(point(profile, m * vl, 1.0));
      for (int m = l2; m >= 0; --m) Outline1.push_back(point(opposite, m * vl, -1.0));
      break;
    default: break;  // a PLANE has no body to outline
  }
}

void TLatheMode::DrawProfile(QPainter& painter, const TSculptData& model) const {
  const TGridGeometry& g = Context.Grid;
  const int vl = ClampViewLevel(Context.Settings.ViewLevel);
  const int l1 = (g.RowCount - 2) / vl;
  const int column = ProfileColumn();
  const auto at = [&](int row) {
    const TDbl3D& v = model.Vertices[column][row];
    return QPoint(ViewX(LatheRadius(v)), ViewY(v.Z));
  };
  painter.setPen(ViewPen(Qt::black));
  QPoint from = at(0);
  const auto lineTo = [&](int row) {
    const QPoint to = at(row);
    DrawViewLine(painter, from.x(), from.y(), to.x(), to.y());
    from = to;
  };
  for (int m = 1; m <= l1; ++m) lineTo(m * vl);
  lineTo(g.RowCount - 1);
}

void TLatheMode::DrawMarkers(QImage& image, const TSculptData& model) const {
  const TGridGeometry& g = Context.Grid;
  const int h = MarkerSize(Context.Settings);
  const int column = ProfileColumn();
  for (int k = 0; k < g.RowCount; ++k) {
    const TDbl3D& v = model.Vertices[column][k];
    const int x = ViewX(LatheRadius(v));
    const int y = ViewY(v.Z);
    const QColor colour = GridColour(k, glRows, g);
    const bool selected = model.Selected[column][k] != 0;
    std::optional<QColor> brush;
    if (model.Locked[column][k] != 0) brush = selected ? kLockedSelected : kLocked;
    else if (selected) brush = colour;
    const bool square = k % 2 == 0;
    // Stamps are QPainter's own pixels, measured once: hundreds of markers per drag step
    // cost far less than painting each.
    const TMarkerStamp& stamp = MarkerStamp(square ? TMarkerShape::Square : TMarkerShape::Circle, h);
    if (StampMarker(image, stamp, x, y, colour.rgb(), brush ? std::optional<QRgb>(brush->rgb()) : std::nullopt))
      continue;
    QPainter painter(&image);  // a marker at the image's edge, clipped as QPainter clips
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(ViewPen(colour));
    painter.setBrush(brush ? QBrush(*brush) : QBrush(Qt::NoBrush));
    if (square) {
      DrawViewRect(painter, x - h, y - h, x + h, y + h);
    } else {
      // Like the rectangle, the circle covers x - h .. x + h - 1.
      painter.drawEllipse(QRect(x - h, y - h, 2 * h - 1, 2 * h - 1));
    }
  }
}

void TLatheMode::SetOverlayMarks(TSculptData& model) const {
  const TGridGeometry& g = Context.Grid;
  const int column = ProfileColumn();
  FillMarks(model.RowMarks, 1);
  CopyMarks(Sides, model.ColumnMarks);
  model.ColumnMarks[column] = 2;
  // Column 0 and the seam column are one line on the surface.
  if (column == 0) model.ColumnMarks[g.ColumnCount - 1] = 2;
}

TFramePixels TLatheMode::FramePixels(const TSelectionFrame& frame) const {
  TFramePixels p;
  for (int c = 0; c < 4; ++c) {
    p.X[c] = ViewX(frame.X[c]);
    p.Y[c] = ViewY(frame.Y[c]);
  }
  p.CX = ViewX(frame.CentreX);
  p.CY = ViewY(frame.CentreY);
  return p;
}

void TLatheMode::Draw(TSculptData& model, QImage& image) {
  BuildSilhouette(model);
  TViewBackground background;
  background.Show = BackgroundShown && BackgroundLoaded;
  background.A = &Background;
  background.B = &BackgroundDim;
  background.WidthFactor = ViewScale;
  background.FlagX = AxisOffset == 128;
  background.FlagY = false;
  background.Outline1 = Outline1;
  background.Outline2 = Outline2;
  DrawViewBackground(image, Context.Settings, background);

  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const TViewMetrics m = ViewMetrics(Context.Settings);
    const int axis = ViewX(0.0);
    painter.setPen(ViewPen(Qt::black));
    DrawViewLine(painter, axis, 0, axis, 256 * m.Zoom + 2 * m.Margin + 1);
    DrawProfile(painter, model);
  }
  // The markers write the pixels themselves, so no painter is open on the image meanwhile.
  DrawMarkers(image, model);
  SetOverlayMarks(model);
  if (model.SelectedCount >= 2) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawFrame(painter, Context.Settings, FramePixels(model.Frame));
  }
}

}  // namespace orvane
