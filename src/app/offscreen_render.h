// Renders the 3D preview into an image without a window, for thumbnails and checks.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "model/camera.h"
#include "model/grid_geometry.h"
#include "model/preview_texture.h"

namespace orvane {

struct TSculptData;

// Needs a QGuiApplication. Returns false with the reason when no OpenGL context can
// be had; out is an opaque RGB32 picture of size.
bool RenderPreviewOffscreen(const TSculptData& model, const TGridGeometry& grid, const TTextureSet& textures,
                            int viewLevel, const TCamera& camera, QSize size, QImage& out,
                            QString* reason = nullptr);

}  // namespace orvane
