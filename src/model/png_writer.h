// PNG writing with libpng: RGBA, not interlaced, zlib level 9, the author text chunks.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace orvane {

// The colour's red, green and blue with the alpha plane's grey value as alpha (a null
// alpha means opaque, a smaller one is padded opaque), followed by tEXt chunks "Author"
// = "PELORIN WORKS" and "ImageName" = imageName (Latin-1; other characters become '?').
// Returns an empty array with the reason in *reason on failure.
QByteArray EncodePng(const QImage& colour, const QImage& alpha, const QString& imageName, QString* reason = nullptr);

}  // namespace orvane
