// The preview texture: the grid picture or a loaded picture, the paint layer and the overlay.
#pragma once

#include <QImage>
#include <QString>

#include "model/grid_geometry.h"

namespace orvane {

struct TSculptData;

// Three pairs of a colour bitmap (RGB32) and an alpha bitmap (Grayscale8, 255 opaque).
struct TTextureSet {
  QImage BaseColour, BaseAlpha;        // the grid picture or the loaded picture
  QImage PaintedColour, PaintedAlpha;  // the base plus paint strokes: what is saved
  QImage PreviewColour, PreviewAlpha;  // the painted texture plus the overlay: what is shown
  bool ShowOverlay = true;
};

// Gives all six bitmaps the texture size of the grid; kept content stays, new area is
// white and opaque.
void ResizeTextures(TTextureSet& textures, const TGridGeometry& grid);

// Draws the labelled grid picture into the base pair and copies it to the painted pair.
void ResetTexture(TTextureSet& textures, const TGridGeometry& grid);

// Reads a picture, resamples it to the texture size and makes it the base and the
// painted pair; a picture without alpha keeps the previous transparency. Returns false
// with the reason in *reason when the file cannot be used (nothing changes then).
bool LoadTexture(TTextureSet& textures, const TGridGeometry& grid, const QString& name, QString* reason = nullptr);

// The preview pair := the painted pair, plus the overlay when ShowOverlay is on.
void RefreshOverlay(TTextureSet& textures, const TSculptData& model, const TGridGeometry& grid);

// Grid lines, emphasised lines, lock and selection circles and labels, opaque in the alpha.
void DrawOverlay(TTextureSet& textures, const TSculptData& model, const TGridGeometry& grid);

// Copies an alpha bitmap row by row, only when both are height rows high.
void CopyAlpha(const QImage& source, QImage& destination, int height);

}  // namespace orvane
