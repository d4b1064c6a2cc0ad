// Sculpt maps, textures and background pictures on disk: naming, saving, loading, lightening.
#include "model/file_names.h"
#include "model/image_files.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include <QFileInfo>

#include "model/atomic_file.h"
#include "model/lanczos.h"
#include "model/picture_reader.h"
#include "model/png_writer.h"
#include "model/rounding.h"
#include "model/tga_codec.h"

namespace orvane {

namespace {

constexpr int kBackgroundHeight = 513;
constexpr int kDarkenStep = 51;  // a brightness step of -20 % of 255
constexpr char kAuthorMark[] = "PELORIN WORKS";
constexpr char kAuthorMarkSecondLife[] = "PELORIN WORKS Ver.2.0";

void SetReason(QString* reason, const QString& text) {
  if (reason) *reason = text;
}

bool NameTaken(const QString& name) {
  const QFileInfo info(name);
  return info.exists() || info.isSymLink();
}

// The last three characters of a numbered base as a number; -1 unless they are three digits.
int TrailingNumber(const QString& base) {
  int n = 0;
  for (qsizetype i = base.size() - 3; i < base.size(); ++i) {
    const QChar c = base.at(i);
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    n = n * 10 + (c.unicode() - '0');
  }
  return n;
}

// RGB32 copy of a picture; the colour is kept even where the alpha is 0.
QImage DropAlpha(const QImage& image) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  if (out.isNull()) return out;
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) row[x] |= 0xFF000000u;
  }
  return out.convertToFormat(QImage::Format_RGB32);
}

// Copies source into target at (x0, 0), clipped; both are 32-bit.
void Blit(const QImage& source, QImage& target, int x0) {
  const int from = std::max(0, -x0);
  const int to = std::min(source.width(), target.width() - x0);
  const int rows = std::min(source.height(), target.height());
  for (int y = 0; y < rows; ++y) {
    const auto* s = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y));
    auto* t = reinterpret_cast<std::uint32_t*>(target.scanLine(y));
    for (int x = from; x < to; ++x) t[x0 + x] = s[x];
  }
}

void Darken(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      std::uint32_t p = row[x] & 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8)
        p |= std::uint32_t(std::max(0, int((row[x] >> shift) & 0xFF) - kDarkenStep)) << shift;
      row[x] = p;
    }
  }
}

}  // namespace

QString UniqueFileName(const QString& base, const QString& ext, const TAppSettings& settings,
                       const TWarnFunction& warn) {
  QString name = base + ext;
  if (settings.FileOverWrite) return name;

  QString stem = base;
  bool numbered = stem.size() >= 5 && stem.at(stem.size() - 4) == QLatin1Char('_');
  int counter = 0;
  if (numbered) {
    const int n = TrailingNumber(stem);
    numbered = n >= 1;
    if (numbered) counter = n;
  }
  bool changed = false;
  while (NameTaken(name)) {
    if (numbered) stem.chop(4);  // "ball_007" continues as "ball_008", not "ball_007_001"
    ++counter;
    name = stem + QLatin1Char('_') + QStringLiteral("%1").arg(counter, 3, 10, QLatin1Char('0')) + ext;
    changed = true;
    numbered = false;
  }
  if (changed && warn) warn(QStringLiteral("FileName is Renamed to \"") + name + QStringLiteral("\"."));
  return name;
}

int SaveImage(QString& name, const QImage& colour, const QImage& alpha, const TAppSettings& settings,
              const TWarnFunction& warn, QString* reason) {
  const qsizetype dot = ExtensionStart(name);
  const bool isPng = name.mid(dot).toUpper() == QStringLiteral(".PNG");
  const QString base = name.left(dot);
  const QString imageName = QFileInfo(base).fileName();

  QString why;
  QByteArray bytes;
  if (isPng) {
    bytes = EncodePng(colour, alpha, imageName, &why);
  } else {
    const TTgaFields fields{QString::fromLatin1(settings.SecondLifeCoordinateSystem ? kAuthorMarkSecondLife : kAuthorMark),
                            imageName};
    bytes = EncodeTga(colour, alpha, fields, &why);
  }
  if (bytes.isEmpty()) {
    SetReason(reason, why);
    return -1;
  }
  const QString target = UniqueFileName(base, isPng ? QStringLiteral(".png") : QStringLiteral(".tga"), settings, warn);
  if (!WriteFileAtomically(target, bytes, &why)) {
    SetReason(reason, why);
    return -1;
  }
  name = target;
  return 0;
}

int LoadImage(const QString& name, QImage& bitmap, const TImageLimits& limits, QString* reason) {
  TPicture picture;
  if (!ReadPicture(name, limits, picture, reason)) return -1;
  QImage rgb = DropAlpha(picture.Image);
  if (rgb.isNull()) {
    SetReason(reason, QStringLiteral("not enough memory for the picture"));
    return -1;
  }
  bitmap = std::move(rgb);
  return picture.IsTga && picture.TgaAuthorName == QLatin1String(kAuthorMark) ? 1 : 0;
}

bool LoadBackground(const QString& name, QImage& a, QImage& b, double p, double q, QString* reason) {
  // Round(513 P) and Round(513 Q) with the program's rounding (float, halves to even).
  const double wide = RoundHalfEven(kBackgroundHeight * p);
  const double picture = RoundHalfEven(kBackgroundHeight * q);
  if (!(wide >= 1 && wide <= kPictureLimits.MaxSide) || !(picture >= 1 && picture <= kPictureLimits.MaxSide)) {
    SetReason(reason, QStringLiteral("background factors %1 and %2 give no usable size").arg(p).arg(q));
    return false;
  }
  const int w = static_cast<int>(wide);
  const int i = static_cast<int>(picture);
  const int x0 = p == 1.0 ? 0 : (w - i) / 2;  // integer division truncates toward zero

  TPicture source;
  if (!ReadPicture(name, kPictureLimits, source, reason)) return false;
  QImage light = ResampleLanczos3(DropAlpha(source.Image), QSize(i, kBackgroundHeight));
  QImage newA(w, kBackgroundHeight, QImage::Format_RGB32);
  QImage newB(w, kBackgroundHeight, QImage::Format_RGB32);
  if (light.isNull() || newA.isNull() || newB.isNull()) {
    SetReason(reason, QStringLiteral("not enough memory for the background"));
    return false;
  }
  Lighten(light);
  newA.fill(QColor(255, 255, 255));
  Blit(light, newA, x0);
  Darken(light);
  newB.fill(QColor(204, 204, 204));
  Blit(light, newB, x0);
  a = std::move(newA);
  b = std::move(newB);
  return true;
}

void Lighten(QImage& image) {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v) t[v] = static_cast<std::uint8_t>(RoundToInt(0.2 * v + 204, 0, 255));
    return t;
  }();
  if (image.isNull()) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t p = row[x];
      row[x] = (p & 0xFF000000u) | (std::uint32_t(table[(p >> 16) & 0xFF]) << 16) |
               (std::uint32_t(table[(p >> 8) & 0xFF]) << 8) | table[p & 0xFF];
    }
  }
}

}  // namespace orvane
