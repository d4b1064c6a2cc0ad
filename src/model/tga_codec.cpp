// Truevision TGA 2.0: the RLE writer used for sculpt maps and textures, and a bounds-checked reader.
#include "model/tga_codec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace orvane {

namespace {

constexpr int kHeaderSize = 18;
constexpr int kFooterSize = 26;
constexpr char kSignature[18] = "TRUEVISION-XFILE.";  // 17 characters and the NUL: all 18 are stored
constexpr int kMaxPacket = 128;

// Extension Area field offsets (from its start).
constexpr int kExtAuthor = 2;
constexpr int kExtJobName = 379;
constexpr int kExtAttributesType = 494;

enum TImageType : std::uint8_t {
  ttMapped = 1, ttTrueColour = 2, ttGrey = 3, ttRleMapped = 9, ttRleTrueColour = 10, ttRleGrey = 11
};

bool Fail(QString* reason, const QString& text) {
  if (reason) *reason = text;
  return false;
}

void PutU16(QByteArray& b, int at, int v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void PutU32(QByteArray& b, int at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
int GetU16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t GetU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}

// One scanline of BGRA pixels as run and raw packets; packets never cross rows.
void EncodeRow(const std::uint32_t* px, int w, QByteArray& out) {
  auto putPixel = [&out](std::uint32_t argb) {
    const char bgra[4] = {static_cast<char>(argb & 0xFF), static_cast<char>((argb >> 8) & 0xFF),
                          static_cast<char>((argb >> 16) & 0xFF), static_cast<char>(argb >> 24)};
    out.append(bgra, 4);
  };
  int i = 0;
  while (i < w) {
    int run = 1;
    while (i + run < w && run < kMaxPacket && px[i + run] == px[i]) ++run;
    if (run >= 2) {
      out.append(static_cast<char>(0x80 | (run - 1)));
      putPixel(px[i]);
      i += run;
      continue;
    }
    // A raw packet up to the next pair of equal pixels (which starts a run).
    const int start = i;
    int n = 0;
    while (i < w && n < kMaxPacket) {
      if (n > 0 && i + 1 < w && px[i + 1] == px[i]) break;
      ++i;
      ++n;
    }
    out.append(static_cast<char>(n - 1));
    for (int k = start; k < start + n; ++k) putPixel(px[k]);
  }
}

// Turns the stored bytes of one pixel (or colour-map entry) into ARGB.
struct TPixelFormat {
  int Depth = 32;       // 8 (grey), 15, 16, 24, 32
  bool UseAlpha = false;

  std::uint32_t Convert(const std::uint8_t* s) const {
    switch (Depth) {
      case 8:
        return 0xFF000000u | (std::uint32_t(s[0]) * 0x010101u);
      case 15:
      case 16: {
        const int v = s[0] | (s[1] << 8);
        auto expand = [](int c) { return std::uint32_t((c << 3) | (c >> 2)); };
        const std::uint32_t a = (Depth == 16 && UseAlpha) ? ((v & 0x8000) ? 255u : 0u) : 255u;
        return (a << 24) | (expand((v >> 10) & 31) << 16) | (expand((v >> 5) & 31) << 8) | expand(v & 31);
      }
      case 24:
        return 0xFF000000u | (std::uint32_t(s[2]) << 16) | (std::uint32_t(s[1]) << 8) | s[0];
      default: {
        const std::uint32_t a = UseAlpha ? s[3] : 255u;
        return (a << 24) | (std::uint32_t(s[2]) << 16) | (std::uint32_t(s[1]) << 8) | s[0];
      }
    }
  }
};

int BytesPerPixel(int depth) { return (depth + 7) / 8; }

QString FieldText(const std::uint8_t* field) {
  int n = 0;
  while (n < kTgaTextFieldSize && field[n] != 0) ++n;
  return QString::fromLatin1(reinterpret_cast<const char*>(field), n);
}

// Places pixels in file order into the image according to the origin bits.
class TPixelSink {
 public:
  TPixelSink(QImage& image, bool topOrigin, bool rightOrigin)
      : image_(image), w_(image.width()), h_(image.height()), top_(topOrigin), right_(rightOrigin) {
    StartRow();
  }
  void Put(std::uint32_t argb) {
    row_[right_ ? w_ - 1 - x_ : x_] = argb;
    if (++x_ == w_) {
      x_ = 0;
      if (++y_ < h_) StartRow();
    }
  }

 private:
  void StartRow() { row_ = reinterpret_cast<std::uint32_t*>(image_.scanLine(top_ ? y_ : h_ - 1 - y_)); }
  QImage& image_;
  int w_, h_;
  bool top_, right_;
  int x_ = 0, y_ = 0;
  std::uint32_t* row_ = nullptr;
};

}  // namespace

QByteArray TgaTextField(const QString& text) {
  QByteArray out;
  for (const char32_t c : text.toUcs4()) {
    if (out.size() == kTgaTextFieldSize - 1) break;
    out.append((c >= 1 && c < 128) ? static_cast<char>(c) : '?');
  }
  return out;
}

QByteArray EncodeTga(const QImage& colour, const QImage& alpha, const TTgaFields& fields, QString* reason) {
  if (colour.isNull() || colour.width() < 1 || colour.height() < 1) {
    Fail(reason, QStringLiteral("the image is empty"));
    return {};
  }
  const int w = colour.width();
  const int h = colour.height();
  if (w > 65535 || h > 65535) {
    Fail(reason, QStringLiteral("a TGA holds at most 65535 pixels a side, the image is %1 x %2").arg(w).arg(h));
    return {};
  }
  const QImage rgb = colour.convertToFormat(QImage::Format_RGB32);
  const QImage grey = alpha.isNull() ? QImage() : alpha.convertToFormat(QImage::Format_Grayscale8);
  if (rgb.isNull() || (!alpha.isNull() && grey.isNull())) {
    Fail(reason, QStringLiteral("not enough memory to convert the image"));
    return {};
  }

  QByteArray out(kHeaderSize, '\0');
  out[2] = static_cast<char>(ttRleTrueColour);
  PutU16(out, 12, w);
  PutU16(out, 14, h);
  out[16] = 32;
  out[17] = 0x08;  // 8 alpha bits; bit 5 clear: bottom-left origin, rows stored bottom-up
  out.reserve(kHeaderSize + w * 5 + kTgaExtensionSize + kFooterSize);

  std::vector<std::uint32_t> row(static_cast<std::size_t>(w));
  for (int fy = 0; fy < h; ++fy) {
    const int y = h - 1 - fy;
    const auto* src = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
    const std::uint8_t* a = (!grey.isNull() && y < grey.height()) ? grey.constScanLine(y) : nullptr;
    const int aw = a ? std::min(w, grey.width()) : 0;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t av = x < aw ? a[x] : 255u;
      row[x] = (src[x] & 0x00FFFFFFu) | (av << 24);
    }
    EncodeRow(row.data(), w, out);
  }

  const auto extOffset = static_cast<std::uint32_t>(out.size());
  QByteArray ext(kTgaExtensionSize, '\0');
  PutU16(ext, 0, kTgaExtensionSize);
  const QByteArray author = TgaTextField(fields.AuthorName);
  const QByteArray job = TgaTextField(fields.JobName);
  std::memcpy(ext.data() + kExtAuthor, author.constData(), author.size());
  std::memcpy(ext.data() + kExtJobName, job.constData(), job.size());
  ext[kExtAttributesType] = 3;  // the alpha plane carries useful data
  out.append(ext);

  QByteArray footer(kFooterSize, '\0');
  PutU32(footer, 0, extOffset);
  std::memcpy(footer.data() + 8, kSignature, sizeof kSignature);
  out.append(footer);
  return out;
}

bool DecodeTga(const std::uint8_t* data, std::size_t size, const TImageLimits& limits, TTgaImage& out,
               QString* reason) {
  if (data == nullptr || size < static_cast<std::size_t>(kHeaderSize))
    return Fail(reason, QStringLiteral("file too short for a TGA header (%1 bytes)").arg(size));

  const int idLength = data[0];
  const int mapType = data[1];
  const int type = data[2];
  const int mapFirst = GetU16(data + 3);
  const int mapLength = GetU16(data + 5);
  const int mapDepth = data[7];
  const int w = GetU16(data + 12);
  const int h = GetU16(data + 14);
  const int depth = data[16];
  const int descriptor = data[17];
  const int alphaBits = descriptor & 0x0F;

  if (mapType > 1) return Fail(reason, QStringLiteral("unknown TGA colour map type %1").arg(mapType));
  const bool mapped = type == ttMapped || type == ttRleMapped;
  const bool grey = type == ttGrey || type == ttRleGrey;
  const bool trueColour = type == ttTrueColour || type == ttRleTrueColour;
  if (!mapped && !grey && !trueColour) return Fail(reason, QStringLiteral("unsupported TGA image type %1").arg(type));
  const bool rle = type >= ttRleMapped;
  if (descriptor & 0xC0) return Fail(reason, QStringLiteral("interleaved TGA rows are not supported"));
  if (w < 1 || h < 1) return Fail(reason, QStringLiteral("TGA image has no pixels (%1 x %2)").arg(w).arg(h));
  const qint64 total = qint64(w) * h;
  if (w > limits.MaxSide || h > limits.MaxSide || total > limits.MaxPixels)
    return Fail(reason, QStringLiteral("image is %1 x %2 pixels, more than the limit of %3 a side and %4 pixels")
                            .arg(w).arg(h).arg(limits.MaxSide).arg(limits.MaxPixels));

  const bool goodMapDepth = mapDepth == 15 || mapDepth == 16 || mapDepth == 24 || mapDepth == 32;
  if (mapped) {
    if (mapType != 1) return Fail(reason, QStringLiteral("colour-mapped TGA without a colour map"));
    if (depth != 8) return Fail(reason, QStringLiteral("unsupported colour index size of %1 bits").arg(depth));
    if (mapLength < 1) return Fail(reason, QStringLiteral("colour map is empty"));
  } else if (grey) {
    if (depth != 8) return Fail(reason, QStringLiteral("unsupported grey pixel size of %1 bits").arg(depth));
  } else if (depth != 15 && depth != 16 && depth != 24 && depth != 32) {
    return Fail(reason, QStringLiteral("unsupported true-colour pixel size of %1 bits").arg(depth));
  }
  if (mapType == 1 && mapLength > 0 && !goodMapDepth)
    return Fail(reason, QStringLiteral("unsupported colour map entry size of %1 bits").arg(mapDepth));

  // The footer, when present, ends the data; the Extension Area must lie before it.
  std::size_t end = size;
  bool hasFooter = false;
  bool alphaUseful = alphaBits > 0 && (mapped ? (mapDepth == 16 || mapDepth == 32) : (depth == 16 || depth == 32));
  QString author, job;
  if (size >= static_cast<std::size_t>(kHeaderSize + kFooterSize) &&
      std::memcmp(data + size - 18, kSignature, sizeof kSignature) == 0) {
    hasFooter = true;
    end = size - kFooterSize;
    const std::uint32_t extOffset = GetU32(data + end);
    if (extOffset != 0) {
      if (extOffset < static_cast<std::uint32_t>(kHeaderSize) || std::size_t(extOffset) + 2 > end)
        return Fail(reason, QStringLiteral("extension area offset %1 lies outside the file").arg(extOffset));
      const int extSize = GetU16(data + extOffset);
      if (extSize < kExtAuthor + kTgaTextFieldSize)
        return Fail(reason, QStringLiteral("extension area too small (%1 bytes)").arg(extSize));
      if (std::size_t(extOffset) + std::size_t(extSize) > end)
        return Fail(reason, QStringLiteral("extension area runs past the end of the file"));
      const std::uint8_t* ext = data + extOffset;
      author = FieldText(ext + kExtAuthor);
      if (extSize >= kExtJobName + kTgaTextFieldSize) job = FieldText(ext + kExtJobName);
      // Attribute types 0..2 say the alpha bits hold nothing useful.
      if (extSize > kExtAttributesType && ext[kExtAttributesType] < 3) alphaUseful = false;
    }
  }

  std::size_t pos = kHeaderSize + std::size_t(idLength);
  if (pos > end) return Fail(reason, QStringLiteral("TGA image ID runs past the end of the file"));

  std::vector<std::uint32_t> palette;
  if (mapType == 1 && mapLength > 0) {
    const std::size_t entryBytes = BytesPerPixel(mapDepth);
    const std::size_t mapBytes = std::size_t(mapLength) * entryBytes;
    if (mapBytes > end - pos) return Fail(reason, QStringLiteral("colour map runs past the end of the file"));
    if (mapped) {
      const TPixelFormat entry{mapDepth, alphaUseful};
      palette.resize(std::size_t(mapLength));
      for (int i = 0; i < mapLength; ++i) palette[i] = entry.Convert(data + pos + std::size_t(i) * entryBytes);
    }
    pos += mapBytes;
  }

  // Refuse data too short for the pixel count before allocating the image.
  const std::size_t bpp = BytesPerPixel(depth);
  const std::size_t available = end - pos;
  const std::size_t needed = rle ? std::size_t((total + kMaxPacket - 1) / kMaxPacket) * (1 + bpp)
                                 : std::size_t(total) * bpp;
  if (needed > available)
    return Fail(reason, QStringLiteral("pixel data truncated: %1 pixels need %2%3 bytes, %4 present")
                            .arg(total).arg(rle ? QStringLiteral("at least ") : QString()).arg(needed).arg(available));

  QImage image(w, h, QImage::Format_ARGB32);
  if (image.isNull()) return Fail(reason, QStringLiteral("not enough memory for a %1 x %2 image").arg(w).arg(h));

  const TPixelFormat format{grey ? 8 : depth, alphaUseful};
  const int mapCount = mapLength;
  auto convert = [&](const std::uint8_t* s, std::uint32_t& argb) {
    if (!mapped) {
      argb = format.Convert(s);
      return true;
    }
    const int index = s[0] - mapFirst;
    if (index < 0 || index >= mapCount) return false;
    argb = palette[index];
    return true;
  };
  auto badIndex = [&](const std::uint8_t* s) {
    return Fail(reason, QStringLiteral("colour index %1 lies outside the colour map (%2 .. %3)")
                            .arg(s[0]).arg(mapFirst).arg(mapFirst + mapCount - 1));
  };

  TPixelSink sink(image, (descriptor & 0x20) != 0, (descriptor & 0x10) != 0);
  if (!rle) {
    for (qint64 k = 0; k < total; ++k, pos += bpp) {
      std::uint32_t argb;
      if (!convert(data + pos, argb)) return badIndex(data + pos);
      sink.Put(argb);
    }
  } else {
    qint64 k = 0;
    while (k < total) {
      if (pos >= end)
        return Fail(reason, QStringLiteral("RLE data ends after %1 of %2 pixels").arg(k).arg(total));
      const int head = data[pos++];
      const int count = (head & 0x7F) + 1;
      if (k + count > total) return Fail(reason, QStringLiteral("RLE packet runs past the last pixel"));
      const std::size_t bytes = (head & 0x80) ? bpp : bpp * std::size_t(count);
      if (bytes > end - pos)
        return Fail(reason, QStringLiteral("RLE packet runs past the end of the file after %1 of %2 pixels")
                                .arg(k).arg(total));
      if (head & 0x80) {
        std::uint32_t argb;
        if (!convert(data + pos, argb)) return badIndex(data + pos);
        for (int i = 0; i < count; ++i) sink.Put(argb);
        pos += bpp;
      } else {
        for (int i = 0; i < count; ++i, pos += bpp) {
          std::uint32_t argb;
          if (!convert(data + pos, argb)) return badIndex(data + pos);
          sink.Put(argb);
        }
      }
      k += count;
    }
  }

  out.Image = std::move(image);
  out.HasAlpha = alphaUseful;
  out.HasFooter = hasFooter;
  out.AuthorName = author;
  out.JobName = job;
  return true;
}

}  // namespace orvane
