// Picture decoding: our TGA codec, Qt's readers for BMP/JPEG/PNG/GIF, stb_image for PSD.
#include "model/picture_reader.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
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

std::uint32_t Le32(const QByteArray& b, qsizetype at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}
std::uint32_t Be32(const QByteArray& b, qsizetype at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}
int Be16(const QByteArray& b, qsizetype at) {
  return (static_cast<std::uint8_t>(b[at]) << 8) | static_cast<std::uint8_t>(b[at + 1]);
}
int Le16(const QByteArray& b, qsizetype at) {
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}

// Qt's and stb's decoders fill a truncated file's missing pixels silently; these checks
// find the end of the pixel data from the file's structure so that truncation is an error.

// Uncompressed BMP: the rows must all be present. RLE-coded BMPs are left to Qt.
bool BmpComplete(const QByteArray& b) {
  if (b.size() < 26) return false;
  const std::uint32_t offset = Le32(b, 10);
  const std::uint32_t dib = Le32(b, 14);
  qint64 w = 0, h = 0, bits = 0, compression = 0;
  if (dib == 12) {
    w = Le16(b, 18);
    h = Le16(b, 20);
    bits = Le16(b, 24);
  } else {
    if (b.size() < 34) return false;
    w = static_cast<std::int32_t>(Le32(b, 18));
    h = static_cast<std::int32_t>(Le32(b, 22));
    bits = Le16(b, 28);
    compression = Le32(b, 30);
  }
  if (compression != 0 && compression != 3 && compression != 6) return true;
  const qint64 stride = (std::abs(w) * bits + 31) / 32 * 4;
  return qint64(offset) + stride * std::abs(h) <= b.size();
}

// JPEG: walk the marker segments to the first scan; its data must end with EOI
// (FF D9 cannot occur inside entropy-coded data).
bool JpegComplete(const QByteArray& b) {
  qsizetype pos = 2;
  while (pos + 4 <= b.size()) {
    if (static_cast<std::uint8_t>(b[pos]) != 0xFF) return false;
    const int marker = static_cast<std::uint8_t>(b[pos + 1]);
    if (marker == 0xFF) {
      ++pos;  // fill byte
      continue;
    }
    if (marker == 0xDA) return b.indexOf(QByteArrayView("\xFF\xD9", 2), pos) >= 0;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      pos += 2;
      continue;
    }
    pos += 2 + Be16(b, pos + 2);
  }
  return false;
}

// GIF: the first image's data sub-blocks must all be present.
bool GifComplete(const QByteArray& b) {
  if (b.size() < 13) return false;
  qsizetype pos = 13;
  const int flags = static_cast<std::uint8_t>(b[10]);
  if (flags & 0x80) pos += 3 * (qsizetype(1) << ((flags & 7) + 1));
  auto skipSubBlocks = [&b](qsizetype& at) {
    while (at < b.size()) {
      const int n = static_cast<std::uint8_t>(b[at]);
      at += 1 + n;
      if (n == 0) return at <= b.size();
    }
    return false;
  };
  while (pos < b.size()) {
    const int block = static_cast<std::uint8_t>(b[pos]);
    if (block == 0x21) {
      pos += 2;
      if (!skipSubBlocks(pos)) return false;
    } else if (block == 0x2C) {
      if (pos + 10 > b.size()) return false;
      const int local = static_cast<std::uint8_t>(b[pos + 9]);
      pos += 10;
      if (local & 0x80) pos += 3 * (qsizetype(1) << ((local & 7) + 1));
      pos += 1;  // LZW minimum code size
      return pos <= b.size() && skipSubBlocks(pos);
    } else {
      return false;  // trailer or garbage before any image
    }
  }
  return false;
}

// PSD: the sections and the merged image data must fit in the file.
bool PsdComplete(const QByteArray& b, QString* reason) {
  if (b.size() < 26) return Fail(reason, QStringLiteral("PSD header truncated"));
  const qint64 channels = Be16(b, 12);
  const qint64 h = Be32(b, 14), w = Be32(b, 18);
  const int depth = Be16(b, 22);
  if (depth != 8 && depth != 16) return Fail(reason, QStringLiteral("PSD of %1 bits per channel is not supported").arg(depth));
  qint64 pos = 26;
  for (int section = 0; section < 3; ++section) {
    if (pos + 4 > b.size()) return Fail(reason, QStringLiteral("PSD sections truncated"));
    pos += 4 + qint64(Be32(b, pos));
  }
  if (pos + 2 > b.size()) return Fail(reason, QStringLiteral("PSD image data missing"));
  const int compression = Be16(b, pos);
  pos += 2;
  const qint64 rows = channels * h;
  qint64 needed = 0;
  if (compression == 0) {
    needed = rows * w * (depth / 8);
  } else if (compression == 1) {
    if (pos + rows * 2 > b.size()) return Fail(reason, QStringLiteral("PSD row table truncated"));
    for (qint64 r = 0; r < rows; ++r) needed += Be16(b, pos + 2 * r);
    needed += rows * 2;
  } else {
    return Fail(reason, QStringLiteral("PSD compression %1 is not supported").arg(compression));
  }
  if (pos + needed > b.size()) return Fail(reason, QStringLiteral("PSD image data truncated"));
  return true;
}

// PNG: every chunk must fit in the file, up to the end chunk. libpng takes a chunk's length
// on trust and may allocate it before finding the file too short.
bool PngChunksFit(const QByteArray& b, QString* reason) {
  qint64 pos = 8;  // after the signature
  while (pos + 8 <= b.size()) {
    const qint64 length = Be32(b, pos);
    if (length > 0x7FFFFFFF || pos + 12 + length > b.size())
      return Fail(reason, QStringLiteral("PNG chunk \"%1\" runs past the end of the file")
                              .arg(QString::fromLatin1(b.mid(pos + 4, 4))));
    if (b.mid(pos + 4, 4) == "IEND") return true;
    pos += 12 + length;
  }
  return Fail(reason, QStringLiteral("the PNG picture is truncated"));
}

bool QtFormatComplete(const QByteArray& bytes, const QByteArray& format) {
  if (format == "bmp") return BmpComplete(bytes);
  if (format == "jpeg") return JpegComplete(bytes);
  if (format == "gif") return GifComplete(bytes);
  return true;  // libpng reports truncation itself
}

bool DecodeWithQt(const QByteArray& bytes, const QByteArray& format, const TImageLimits& limits, TPicture& out,
                  QString* reason) {
  if (format == "png" && !PngChunksFit(bytes, reason)) return false;
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
  if (!QtFormatComplete(bytes, format))
    return Fail(reason, QStringLiteral("the %1 picture is truncated").arg(QString::fromLatin1(format)));
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
  if (!PsdComplete(bytes, reason)) return false;
  int rw = 0, rh = 0;
  stbi_uc* rgba = stbi_load_from_memory(data, length, &rw, &rh, &channels, 4);
  if (rgba == nullptr)
    return Fail(reason, QStringLiteral("cannot decode the PSD picture: %1").arg(QString::fromLatin1(stbi_failure_reason())));
  if (rw != w || rh != h) {
    stbi_image_free(rgba);
    return Fail(reason, QStringLiteral("PSD picture changed size while decoding"));
  }
  // stb reports every PSD as four channels; the header's own count says whether alpha is stored.
  const int stored = bytes.size() >= 14 ? (static_cast<std::uint8_t>(bytes[12]) << 8) | static_cast<std::uint8_t>(bytes[13]) : 3;
  const bool alpha = stored >= 4;
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
