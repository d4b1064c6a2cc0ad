// Picture decoding: our TGA codec, Qt's readers for BMP/JPEG/PNG/GIF, stb_image for PSD.
#include "model/picture_reader.h"

#include <climits>
#include <cstring>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "model/tga_codec.h"

// Only the PSD decoder of stb_image, private to this file.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PSD
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>

namespace orvane {

namespace {

bool Fail(QString* reason, const QString& text) {
  if (reason) *reason = text;
  return false;
}

enum class TKind { Tga, Qt, Psd };

bool StartsWith(const QByteArray& bytes, const char* magic, int n) {
  return bytes.size() >= n && std::memcmp(bytes.constData(), magic, static_cast<std::size_t>(n)) == 0;
}

// Every format but TGA has a signature; a TGA's second byte (colour map type 0 or 1)
// never matches any of them, so the choice is unambiguous.
TKind Classify(const QByteArray& bytes, QByteArray& qtFormat) {
  if (StartsWith(bytes, "8BPS", 4)) return TKind::Psd;
  if (StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) qtFormat = "png";
  else if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) qtFormat = "jpeg";
  else if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6)) qtFormat = "gif";
  else if (StartsWith(bytes, "BM", 2)) qtFormat = "bmp";
  return qtFormat.isEmpty() ? TKind::Tga : TKind::Qt;
}

bool WithinLimits(qint64 w, qint64 h, const TImageLimits& limits, QString* reason) {
  if (w < 1 || h < 1) return Fail(reason, QStringLiteral("picture has no pixels (%1 x %2)").arg(w).arg(h));
  if (w > limits.MaxSide || h > limits.MaxSide || w * h > limits.MaxPixels)
    return Fail(reason, QStringLiteral("picture is %1 x %2 pixels, more than the limit of %3 a side and %4 pixels")
                            .arg(w).arg(h).arg(limits.MaxSide).arg(limits.MaxPixels));
  return true;
}

QImage::Format NativeFormat(const QImage& image) {
  return image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

bool DecodeWithQt(const QByteArray& bytes, const QByteArray& format, const TImageLimits& limits, TPicture& out,
                  QString* reason) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (!size.isValid())
    return Fail(reason, QStringLiteral("cannot read the %1 header: %2").arg(QString::fromLatin1(format), reader.errorString()));
  if (!WithinLimits(size.width(), size.height(), limits, reason)) return false;
  // Qt refuses images above its own allocation limit (in MiB); keep it above ours.
  const qint64 neededMiB = (qint64(size.width()) * size.height() * 4 >> 20) + 1;
  if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < neededMiB)
    QImageReader::setAllocationLimit(static_cast<int>(neededMiB));
  QImage image;
  if (!reader.read(&image))
    return Fail(reason, QStringLiteral("cannot decode the %1 picture: %2").arg(QString::fromLatin1(format), reader.errorString()));
  if (!WithinLimits(image.width(), image.height(), limits, reason)) return false;
  image = image.convertToFormat(NativeFormat(image));
  if (image.isNull()) return Fail(reason, QStringLiteral("not enough memory for the picture"));
  out = TPicture{std::move(image), false, {}};
  return true;
}

bool DecodePsd(const QByteArray& bytes, const TImageLimits& limits, TPicture& out, QString* reason) {
  if (bytes.size() > INT_MAX) return Fail(reason, QStringLiteral("PSD file too large"));
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.constData());
  const int length = static_cast<int>(bytes.size());
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(data, length, &w, &h, &channels))
    return Fail(reason, QStringLiteral("cannot read the PSD header: %1").arg(QString::fromLatin1(stbi_failure_reason())));
  if (!WithinLimits(w, h, limits, reason)) return false;
  int rw = 0, rh = 0;
  stbi_uc* rgba = stbi_load_from_memory(data, length, &rw, &rh, &channels, 4);
  if (rgba == nullptr)
    return Fail(reason, QStringLiteral("cannot decode the PSD picture: %1").arg(QString::fromLatin1(stbi_failure_reason())));
  if (rw != w || rh != h) {
    stbi_image_free(rgba);
    return Fail(reason, QStringLiteral("PSD picture changed size while decoding"));
  }
  const bool alpha = channels == 2 || channels == 4;
  QImage image(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) {
    stbi_image_free(rgba);
    return Fail(reason, QStringLiteral("not enough memory for a %1 x %2 picture").arg(w).arg(h));
  }
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    const stbi_uc* s = rgba + std::size_t(y) * std::size_t(w) * 4;
    for (int x = 0; x < w; ++x, s += 4)
      row[x] = (std::uint32_t(alpha ? s[3] : 255) << 24) | (std::uint32_t(s[0]) << 16) | (std::uint32_t(s[1]) << 8) | s[2];
  }
  stbi_image_free(rgba);
  out = TPicture{std::move(image), false, {}};
  return true;
}

// The largest file worth reading: uncompressed 16-bit RGBA at the pixel limit, plus room
// for headers, colour maps and metadata.
qint64 MaxFileBytes(const TImageLimits& limits) { return limits.MaxPixels * 8 + (16LL << 20); }

}  // namespace

bool DecodePicture(const QByteArray& bytes, const QString& path, const TImageLimits& limits, TPicture& out,
                   QString* reason) {
  if (bytes.isEmpty()) return Fail(reason, QStringLiteral("\"%1\" is empty").arg(path));
  QByteArray qtFormat;
  switch (Classify(bytes, qtFormat)) {
    case TKind::Psd:
      return DecodePsd(bytes, limits, out, reason);
    case TKind::Qt:
      return DecodeWithQt(bytes, qtFormat, limits, out, reason);
    case TKind::Tga:
      break;
  }
  TTgaImage tga;
  QString why;
  if (!DecodeTga(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()), limits, tga, &why)) {
    const bool namedTga = QFileInfo(path).suffix().compare(QStringLiteral("tga"), Qt::CaseInsensitive) == 0;
    return Fail(reason, namedTga ? why
                                 : QStringLiteral("not a BMP, JPEG, PNG, GIF or PSD picture, and not a TGA (%1)").arg(why));
  }
  out = TPicture{std::move(tga.Image), true, tga.AuthorName};
  return true;
}

bool ReadPicture(const QString& path, const TImageLimits& limits, TPicture& out, QString* reason) {
  const QFileInfo info(path);
  if (!info.exists()) return Fail(reason, QStringLiteral("\"%1\" does not exist").arg(path));
  if (!info.isFile()) return Fail(reason, QStringLiteral("\"%1\" is not a regular file").arg(path));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return Fail(reason, QStringLiteral("cannot open \"%1\": %2").arg(path, file.errorString()));
  if (file.size() > MaxFileBytes(limits))
    return Fail(reason, QStringLiteral("\"%1\" is too large (%2 bytes)").arg(path).arg(file.size()));
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return Fail(reason, QStringLiteral("cannot read \"%1\": %2").arg(path, file.errorString()));
  return DecodePicture(bytes, path, limits, out, reason);
}

}  // namespace orvane
