// Cross-checks our TGA files with ImageMagick's convert, in both directions; skipped without it.
#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/tga_codec.h"

namespace orvane {
namespace {

std::string Quote(const QString& s) { return "'" + s.toStdString() + "'"; }

// The real ImageMagick, or empty: a missing or stand-in convert does not count.
QString FindConvert() {
  const QString exe = QStandardPaths::findExecutable(QStringLiteral("convert"));
  if (exe.isEmpty()) return {};
  FILE* p = popen((Quote(exe) + " -version 2>/dev/null").c_str(), "r");
  if (!p) return {};
  char line[256] = {};
  const bool real = std::fgets(line, sizeof line, p) && std::string(line).rfind("Version: ImageMagick", 0) == 0;
  pclose(p);
  return real ? exe : QString();
}

bool RunConvert(const QString& exe, const std::string& args) {
  return std::system((Quote(exe) + " " + args + " 2>/dev/null").c_str()) == 0;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage Picture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(30 * x + 10, 60 * y + 5, x == 0 && y == 0 ? 255 : 90));
  return img;
}

TEST(TgaImageMagick, ReadsOurFileTheRightWayUp) {
  const QString convert = FindConvert();
  if (convert.isEmpty()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  QTemporaryDir dir;
  const int w = 5, h = 3;
  const QImage colour = Picture(w, h);
  QImage alpha(w, h, QImage::Format_Grayscale8);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) alpha.scanLine(y)[x] = static_cast<uchar>(255 - 40 * x - y);
  const QString tga = dir.filePath(QStringLiteral("ours.tga"));
  {
    QFile f(tga);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(EncodeTga(colour, alpha, {QStringLiteral("PELORIN WORKS"), QStringLiteral("ours")}));
  }
  // ImageMagick 6 keeps the stored (bottom-up) row order and records the origin; -auto-orient applies it.
  const QString raw = dir.filePath(QStringLiteral("ours.rgba"));
  ASSERT_TRUE(RunConvert(convert, Quote(tga) + " -auto-orient -depth 8 rgba:" + Quote(raw)));
  const QByteArray px = ReadAll(raw);
  ASSERT_EQ(px.size(), w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto* p = reinterpret_cast<const std::uint8_t*>(px.constData()) + (y * w + x) * 4;
      const QRgb c = colour.pixel(x, y);
      EXPECT_EQ(qRgba(p[0], p[1], p[2], p[3]), qRgba(qRed(c), qGreen(c), qBlue(c), alpha.scanLine(y)[x]))
          << "pixel " << x << "," << y;
    }
}

TEST(TgaImageMagick, WeReadItsFiles) {
  const QString convert = FindConvert();
  if (convert.isEmpty()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  QTemporaryDir dir;
  const QImage source = Picture(7, 4);
  const QString png = dir.filePath(QStringLiteral("src.png"));
  ASSERT_TRUE(source.save(png));
  QImage grey(7, 4, QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) grey.setPixel(x, y, qRgb(x * 30 + y, x * 30 + y, x * 30 + y));
  const QString greyPng = dir.filePath(QStringLiteral("grey.png"));
  ASSERT_TRUE(grey.save(greyPng));

  // ImageMagick 6 writes its rows in memory order and only labels the origin, so an
  // unlabelled picture comes out top row first under a bottom-left bit. Give it the true
  // orientation: TopLeft as read, or flip the rows first and call that BottomLeft.
  const struct { const char* name; const QString* input; const QImage* expected; const char* options; int top; int type; } cases[] = {
      {"raw.tga", &png, &source, "-orient TopLeft -compress None", 0x20, 2},
      {"rle.tga", &png, &source, "-orient TopLeft -compress RLE", 0x20, 10},
      {"palette.tga", &png, &source, "-orient TopLeft -type Palette -compress None", 0x20, 1},
      {"palette_rle.tga", &png, &source, "-orient TopLeft -type Palette -compress RLE", 0x20, 9},
      {"grey.tga", &greyPng, &grey, "-orient TopLeft -type Grayscale -compress None", 0x20, 3},
      {"grey_rle.tga", &greyPng, &grey, "-orient TopLeft -type Grayscale -compress RLE", 0x20, 11},
      {"alpha.tga", &png, &source, "-orient TopLeft -alpha on -compress RLE", 0x20, 10},
      {"bottom_left.tga", &png, &source, "-flip -orient BottomLeft -compress None", 0, 2},
      {"bottom_left_rle.tga", &png, &source, "-flip -orient BottomLeft -type Palette -compress RLE", 0, 9},
  };
  for (const auto& c : cases) {
    const QString out = dir.filePath(QString::fromLatin1(c.name));
    ASSERT_TRUE(RunConvert(convert, Quote(*c.input) + " " + c.options + " " + Quote(out))) << c.name;
    const QByteArray bytes = ReadAll(out);
    ASSERT_GE(bytes.size(), 18) << c.name;
    EXPECT_EQ(bytes[17] & 0x20, c.top) << c.name << ": origin bit";
    EXPECT_EQ(int(bytes[2]), c.type) << c.name << ": image type";
    TTgaImage image;
    QString reason;
    ASSERT_TRUE(DecodeTga(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                          kPictureLimits, image, &reason))
        << c.name << ": " << reason.toStdString();
    ASSERT_EQ(image.Image.size(), c.expected->size()) << c.name;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 7; ++x)
        EXPECT_EQ(image.Image.pixel(x, y) & 0xFFFFFF, c.expected->pixel(x, y) & 0xFFFFFF)
            << c.name << " type " << int(static_cast<std::uint8_t>(bytes[2])) << " descriptor "
            << int(static_cast<std::uint8_t>(bytes[17])) << " at " << x << "," << y;
  }
}

}  // namespace
}  // namespace orvane
