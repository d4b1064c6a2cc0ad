// Sculpt map files: the map written through SaveImage and read back through LoadImage.
#include "model/image_files.h"
#include "model/sculpt_map.h"

namespace orvane {

bool SaveSculptMap(const TSculptData& model, const TGridGeometry& grid, QString& name,
                   const TAppSettings& settings, const TWarnFunction& warn, QString* reason) {
  const QImage colour = RenderSculptMap(model, grid, settings);
  if (colour.isNull()) {
    if (reason)
      *reason = QStringLiteral("TGA save size %1 is not 64, 128, 256 or 512").arg(settings.TgaSize);
    return false;
  }
  QImage alpha(colour.size(), QImage::Format_Grayscale8);
  // "Copy protection by transparency": a fully transparent map still carries its colours.
  alpha.fill(settings.SculptTransparent ? 0u : 255u);
  return SaveImage(name, colour, alpha, settings, warn, reason) == 0;
}

TSculptMapLoad LoadSculptMap(const QString& name, int requestedType, const TAppSettings& settings,
                             TSculptData& model, TGridGeometry& grid) {
  QImage image;
  QString reason;
  const int read = LoadImage(name, image, kSculptMapLimits, &reason);
  if (read < 0) {
    TSculptMapLoad result;
    result.Reason = reason.isEmpty() ? QStringLiteral("the file cannot be read as an image") : reason;
    return result;
  }
  return DecodeSculptMap(image, read == 1, requestedType, settings, model, grid);
}

}  // namespace orvane
