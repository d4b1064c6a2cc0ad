// The do-nothing mode.
#include "modes/mode_handlers.h"

namespace orvane {

void TBlankMode::Draw(TSculptData&, QImage& image) {
  // The drawing area of a 256-level square at the current zoom, with its margins.
  const int side = 255 * Context.Settings.Zoom + 2 * Context.Settings.Margin + 1;
  if (image.width() != side || image.height() != side) image = QImage(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
}

}  // namespace orvane
