// Reading any picture the program accepts: TGA, BMP, JPEG, PNG, GIF and PSD.
#pragma once

#include <QImage>
#include <QString>

#include "model/image_files.h"

namespace orvane {

struct TPicture {
  QImage Image;        // Format_ARGB32 (not premultiplied) or Format_RGB32
  bool IsTga = false;
  QString TgaAuthorName;  // the Extension Area's Author Name; empty for other formats
};

// Reads a picture file, choosing the decoder by the file's signature (TGA has none and
// is taken when no other signature matches). The size in the file's header is checked
// against limits before any pixel is decoded. Returns false with the reason in *reason.
bool ReadPicture(const QString& path, const TImageLimits& limits, TPicture& out, QString* reason = nullptr);

// The same for a picture held in memory; path only names it in reasons and gives its extension.
bool DecodePicture(const QByteArray& bytes, const QString& path, const TImageLimits& limits, TPicture& out,
                   QString* reason = nullptr);

}  // namespace orvane
