// Image files on disk: Auto Rename, saving by extension, author marks, PNG layout, loading.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "model/image_files.h"
#include "model/tga_codec.h"

namespace orvane {
namespace {

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write("x");
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage Colour(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 40 % 256, y * 60 % 256, (x + y) * 25 % 256));
  return img;
}

QImage Alpha(int w, int h, int value) {
  QImage a(w, h, QImage::Format_Grayscale8);
  a.fill(value);
  return a;
}

// ---- Auto Rename ---------------------------------------------------------------------------

TEST(AutoRename, NumbersTheNameWhenTaken) {
  struct Case {
    std::vector<const char*> existing;
    const char* base;
    const char* ext;
    const char* expected;
    bool overwrite = false;
  };
  const Case cases[] = {
      {{}, "ball", ".tga", "ball.tga"},
      {{"ball.tga"}, "ball", ".tga", "ball_001.tga"},
      {{"ball.tga", "ball_001.tga"}, "ball", ".tga", "ball_002.tga"},
      {{"ball_007.tga"}, "ball_007", ".tga", "ball_008.tga"},
      {{"ball_007.tga", "ball_008.tga"}, "ball_007", ".tga", "ball_009.tga"},
      {{}, "ball_007", ".tga", "ball_007.tga"},
      {{"ball_007.tga"}, "ball_007", ".png", "ball_007.png"},
      {{"ball_000.tga"}, "ball_000", ".tga", "ball_000_001.tga"},
      {{"ball_abc.tga"}, "ball_abc", ".tga", "ball_abc_001.tga"},
      {{"ball_-12.tga"}, "ball_-12", ".tga", "ball_-12_001.tga"},
      {{"ball_999.tga"}, "ball_999", ".tga", "ball_1000.tga"},
      {{"ball_999.tga", "ball_1000.tga"}, "ball_999", ".tga", "ball_1001.tga"},
      {{"b_01.tga"}, "b_01", ".tga", "b_01_001.tga"},  // too short to count as numbered
      {{"x_012.tga"}, "x_012", ".tga", "x_013.tga"},
      {{"ball.tga"}, "ball", ".tga", "ball.tga", true},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* e : c.existing) Touch(dir.filePath(QString::fromLatin1(e)));
    TAppSettings settings;
    settings.FileOverWrite = c.overwrite;
    std::vector<QString> warnings;
    const QString got = UniqueFileName(dir.filePath(QString::fromLatin1(c.base)), QString::fromLatin1(c.ext), settings,
                                       [&](const QString& t) { warnings.push_back(t); });
    const QString want = dir.filePath(QString::fromLatin1(c.expected));
    EXPECT_EQ(got.toStdString(), want.toStdString()) << c.base;
    const bool renamed = std::string(c.expected) != std::string(c.base) + c.ext;
    ASSERT_EQ(warnings.size(), renamed ? 1u : 0u) << c.base;
    if (renamed) {
      EXPECT_EQ(warnings[0].toStdString(), "FileName is Renamed to \"" + want.toStdString() + "\".");
    }
  }
}

TEST(AutoRename, OverwriteReplacesTheFileSilently) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ball.tga"));
  Touch(path);
  TAppSettings settings;
  settings.FileOverWrite = true;
  int warnings = 0;
  QString name = path;
  ASSERT_EQ(SaveImage(name, Colour(4, 4), Alpha(4, 4, 255), settings, [&](const QString&) { ++warnings; }), 0);
  EXPECT_EQ(name, path);
  EXPECT_EQ(warnings, 0);
  EXPECT_GT(ReadAll(path).size(), 18);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

// ---- SaveImage ------------------------------------------------------------------------------

TEST(SaveImage, FormatFollowsTheExtension) {
  const struct { const char* given; const char* written; bool png; } cases[] = {
      {"a.Png", "a.png", true},         {"b.png", "b.png", true},     {"c.PNG", "c.png", true},
      {"d.PNG.tga", "d.PNG.tga", false}, {"e.bmp", "e.tga", false},    {"f", "f.tga", false},
      {"g.tga", "g.tga", false},
  };
  QTemporaryDir dir;
  TAppSettings settings;
  for (const auto& c : cases) {
    QString name = dir.filePath(QString::fromLatin1(c.given));
    QString reason;
    ASSERT_EQ(SaveImage(name, Colour(3, 2), Alpha(3, 2, 255), settings, nullptr, &reason), 0) << reason.toStdString();
    EXPECT_EQ(name, dir.filePath(QString::fromLatin1(c.written))) << c.given;
    const QByteArray bytes = ReadAll(name);
    EXPECT_EQ(bytes.startsWith("\x89PNG\r\n\x1a\n"), c.png) << c.given;
    if (!c.png) {
      EXPECT_TRUE(bytes.endsWith(QByteArray("TRUEVISION-XFILE.\0", 18))) << c.given;
    }
  }
}

TEST(SaveImage, AuthorMarkAndNameBeforeRenaming) {
  struct Case { bool secondLife; const char* ext; int marked; const char* author; };
  const Case cases[] = {
      {false, ".tga", 1, "PELORIN WORKS"},
      {true, ".tga", 0, "PELORIN WORKS Ver.2.0"},
      {false, ".png", 0, nullptr},
      {true, ".png", 0, nullptr},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    TAppSettings settings;
    settings.SecondLifeCoordinateSystem = c.secondLife;
    settings.FileOverWrite = false;
    const QString given = dir.filePath(QStringLiteral("ball")) + QString::fromLatin1(c.ext);
    QString first = given, second = given;
    ASSERT_EQ(SaveImage(first, Colour(8, 8), Alpha(8, 8, 255), settings, nullptr), 0);
    ASSERT_EQ(SaveImage(second, Colour(8, 8), Alpha(8, 8, 255), settings, nullptr), 0);
    EXPECT_EQ(second, dir.filePath(QStringLiteral("ball_001")) + QString::fromLatin1(c.ext));

    QImage bitmap;
    QString reason;
    EXPECT_EQ(LoadImage(second, bitmap, kPictureLimits, &reason), c.marked) << reason.toStdString();
    EXPECT_EQ(bitmap.size(), QSize(8, 8));
    EXPECT_EQ(bitmap.pixel(5, 3), Colour(8, 8).pixel(5, 3));

    const QByteArray bytes = ReadAll(second);
    if (c.author) {
      TTgaImage tga;
      ASSERT_TRUE(DecodeTga(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                            kPictureLimits, tga));
      EXPECT_EQ(tga.AuthorName.toStdString(), c.author);
      EXPECT_EQ(tga.JobName.toStdString(), "ball");  // the name as passed in, not "ball_001"
    } else {
      QBuffer buffer;
      buffer.setData(bytes);
      QImageReader reader(&buffer, "png");
      EXPECT_EQ(reader.text(QStringLiteral("ImageName")).toStdString(), "ball");
    }
  }
}

TEST(SaveImage, PngIsNeverMarkedWhateverItsAuthor) {
  // Even a PNG whose "Author" is exactly the mark loads as unmarked.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("p.png"));
  QImageWriter writer(path, "png");
  writer.setText(QStringLiteral("Author"), QStringLiteral("PELORIN WORKS"));
  ASSERT_TRUE(writer.write(Colour(4, 4)));
  QImage bitmap;
  EXPECT_EQ(LoadImage(path, bitmap), 0);
}

// A minimal chunk walker, independent of libpng and Qt.
struct TChunk {
  std::string Type;
  QByteArray Data;
};
std::vector<TChunk> PngChunks(const QByteArray& png) {
  std::vector<TChunk> chunks;
  int pos = 8;
  while (pos + 12 <= png.size()) {
    auto u8 = [&](int i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(png[i])); };
    const std::uint32_t length = (u8(pos) << 24) | (u8(pos + 1) << 16) | (u8(pos + 2) << 8) | u8(pos + 3);
    if (pos + 12 + qint64(length) > png.size()) break;
    chunks.push_back({png.mid(pos + 4, 4).toStdString(), png.mid(pos + 8, static_cast<int>(length))});
    pos += 12 + static_cast<int>(length);
  }
  return chunks;
}

TEST(SaveImage, PngLayout) {
  QTemporaryDir dir;
  QString name = dir.filePath(QStringLiteral("Tex\u00e9 \u540d.png"));
  QImage alpha = Alpha(40, 30, 255);
  alpha.scanLine(7)[9] = 0;
  alpha.scanLine(20)[30] = 128;
  ASSERT_EQ(SaveImage(name, Colour(40, 30), alpha, TAppSettings{}, nullptr), 0);
  const QByteArray png = ReadAll(name);
  ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
  const auto chunks = PngChunks(png);
  ASSERT_GE(chunks.size(), 5u);

  ASSERT_EQ(chunks[0].Type, "IHDR");
  const QByteArray& ihdr = chunks[0].Data;
  EXPECT_EQ(ihdr.mid(0, 8), QByteArray("\0\0\0\x28\0\0\0\x1e", 8));  // 40 x 30
  EXPECT_EQ(ihdr[8], 8);    // bits per channel
  EXPECT_EQ(ihdr[9], 6);    // RGBA
  EXPECT_EQ(ihdr[12], 0);   // not interlaced

  // The text chunks, in this order, before the image data.
  std::vector<QByteArray> texts;
  int firstIdat = -1;
  for (int i = 0; i < int(chunks.size()); ++i) {
    if (chunks[i].Type == "tEXt" && firstIdat < 0) texts.push_back(chunks[i].Data);
    if (chunks[i].Type == "IDAT" && firstIdat < 0) firstIdat = i;
    EXPECT_NE(chunks[i].Type, "zTXt");
    EXPECT_NE(chunks[i].Type, "iTXt");
  }
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], QByteArray("Author\0PELORIN WORKS", 20));
  EXPECT_EQ(texts[1], QByteArray("ImageName\0Tex\xe9 ?", 16));  // Latin-1; the CJK letter has none
  ASSERT_GT(firstIdat, 0);

  // zlib header of the image data: deflate, FLEVEL 3 = maximum compression (level 9).
  const QByteArray& idat = chunks[static_cast<std::size_t>(firstIdat)].Data;
  ASSERT_GE(idat.size(), 2);
  const int cmf = static_cast<std::uint8_t>(idat[0]), flg = static_cast<std::uint8_t>(idat[1]);
  EXPECT_EQ(cmf & 0x0F, 8);
  EXPECT_EQ((cmf * 256 + flg) % 31, 0);
  EXPECT_EQ(flg >> 6, 3) << "compression level below 9";
  EXPECT_EQ(chunks.back().Type, "IEND");

  // And it decodes to the same pixels with the alpha channel.
  QImage back(name);
  ASSERT_EQ(back.size(), QSize(40, 30));
  back = back.convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(back.pixel(9, 7), (Colour(40, 30).pixel(9, 7) & 0xFFFFFF));
  EXPECT_EQ(qAlpha(back.pixel(30, 20)), 128);
  EXPECT_EQ(back.pixel(3, 3), Colour(40, 30).pixel(3, 3));
}

TEST(SaveImage, EmptyImageIsAnErrorWithNoFile) {
  QTemporaryDir dir;
  for (const char* n : {"e.tga", "e.png"}) {
    QString name = dir.filePath(QString::fromLatin1(n));
    QString reason;
    EXPECT_EQ(SaveImage(name, QImage(), QImage(), TAppSettings{}, nullptr, &reason), -1);
    EXPECT_FALSE(reason.isEmpty());
  }
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// ---- LoadImage ------------------------------------------------------------------------------

TEST(LoadImage, AlphaIsDroppedButColourKept) {
  // A fully transparent map (copy protection) still loads its colours.
  QTemporaryDir dir;
  for (const char* n : {"t.tga", "t.png"}) {
    QString name = dir.filePath(QString::fromLatin1(n));
    ASSERT_EQ(SaveImage(name, Colour(6, 5), Alpha(6, 5, 0), TAppSettings{}, nullptr), 0);
    QImage bitmap;
    ASSERT_GE(LoadImage(name, bitmap), 0) << n;
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32) << n;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) EXPECT_EQ(bitmap.pixel(x, y), Colour(6, 5).pixel(x, y)) << n << " " << x << "," << y;
  }
}

TEST(LoadImage, FailureLeavesTheBitmapAndGivesAReason) {
  QTemporaryDir dir;
  const QString empty = dir.filePath(QStringLiteral("empty.tga"));
  QFile(empty).open(QIODevice::WriteOnly);
  const QString junk = dir.filePath(QStringLiteral("junk.dat"));
  {
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100, '\x07'));
  }
  const QString bigPng = dir.filePath(QStringLiteral("big.png"));
  ASSERT_TRUE(QImage(16385, 1, QImage::Format_RGB32).save(bigPng));
  const QString bigTga = dir.filePath(QStringLiteral("big.tga"));
  QString made = bigTga;
  ASSERT_EQ(SaveImage(made, Colour(4097, 2), QImage(), TAppSettings{}, nullptr), 0);

  const struct { QString path; const char* reasonPart; TImageLimits limits; } cases[] = {
      {dir.filePath(QStringLiteral("missing.tga")), "does not exist", kPictureLimits},
      {dir.path(), "not a regular file", kPictureLimits},
      {empty, "empty", kPictureLimits},
      {junk, "not a BMP, JPEG, PNG, GIF or PSD", kPictureLimits},
      {bigPng, "limit", kPictureLimits},
      {bigTga, "limit", kSculptMapLimits},
  };
  for (const auto& c : cases) {
    QImage bitmap(3, 3, QImage::Format_RGB32);
    bitmap.fill(Qt::green);
    QString reason;
    EXPECT_EQ(LoadImage(c.path, bitmap, c.limits, &reason), -1) << c.path.toStdString();
    EXPECT_NE(reason.indexOf(QLatin1String(c.reasonPart)), -1) << c.path.toStdString() << ": " << reason.toStdString();
    EXPECT_EQ(bitmap.size(), QSize(3, 3));
    EXPECT_EQ(bitmap.pixel(1, 1), QColor(Qt::green).rgb());
  }
  QImage bitmap;
  EXPECT_EQ(LoadImage(bigTga, bitmap, kPictureLimits), 0);  // the same file is fine as a texture
  EXPECT_EQ(bitmap.size(), QSize(4097, 2));
}

// ---- Lighten and LoadBackground ---------------------------------------------------------------

TEST(Lighten, MapsEveryChannel) {
  const struct { int in, out; } cases[] = {{0, 204}, {5, 205}, {100, 224}, {128, 230}, {254, 255}, {255, 255}};
  for (const auto& c : cases) {
    QImage img(1, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(c.in, 0, 255, 77));
    Lighten(img);
    EXPECT_EQ(img.pixel(0, 0), qRgba(c.out, 204, 255, 77)) << c.in;
  }
}

QString WritePicture(const QTemporaryDir& dir, const QImage& image, const char* name) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  EXPECT_TRUE(image.save(path));
  return path;
}

QRgb Grey(int v) { return qRgb(v, v, v); }

TEST(LoadBackground, SizesAndPlacement) {
  QTemporaryDir dir;
  QImage black(100, 60, QImage::Format_RGB32);
  black.fill(Qt::black);
  const QString path = WritePicture(dir, black, "black.png");
  struct Case { double p, q; int w, left, width; };
  const Case cases[] = {
      {1.0, 0.5, 513, 0, 256},    // 256.5 rounds half to even
      {1.2, 1.0, 616, 51, 513},
      {1.0, 1.0, 513, 0, 513},
      {1.0, 1.2, 513, 0, 513},    // P = 1: drawn at 0, clipped on the right
      {2.0, 0.5, 1026, 385, 256}, // (1026 - 256) div 2
  };
  for (const auto& c : cases) {
    QImage a, b;
    QString reason;
    ASSERT_TRUE(LoadBackground(path, a, b, c.p, c.q, &reason)) << reason.toStdString();
    ASSERT_EQ(a.size(), QSize(c.w, 513)) << c.p << " " << c.q;
    ASSERT_EQ(b.size(), QSize(c.w, 513));
    for (int y : {0, 256, 512})
      for (int x = 0; x < c.w; ++x) {
        const bool inside = x >= c.left && x < c.left + c.width;
        ASSERT_EQ(a.pixel(x, y), inside ? Grey(204) : Grey(255)) << c.p << " " << c.q << " x " << x;
        ASSERT_EQ(b.pixel(x, y), inside ? Grey(153) : Grey(204)) << c.p << " " << c.q << " x " << x;
      }
  }
}

TEST(LoadBackground, ColoursAndNegativeOffsetTruncates) {
  // A 513-high picture at its own width is not resampled, so a marker column stays sharp.
  QTemporaryDir dir;
  QImage pic(513, 513, QImage::Format_RGB32);
  pic.fill(qRgb(100, 150, 50));
  for (int y = 0; y < 513; ++y) pic.setPixel(100, y, qRgb(255, 0, 0));
  const QString path = WritePicture(dir, pic, "mark.png");
  QImage a, b;
  // W = Round(410.4) = 410, x0 = (410 - 513) div 2 = -51 (toward zero, not -52).
  ASSERT_TRUE(LoadBackground(path, a, b, 0.8, 1.0));
  ASSERT_EQ(a.width(), 410);
  EXPECT_EQ(a.pixel(49, 300), qRgb(255, 204, 204));
  EXPECT_EQ(a.pixel(48, 300), qRgb(224, 234, 214));
  EXPECT_EQ(a.pixel(409, 0), qRgb(224, 234, 214));
  EXPECT_EQ(b.pixel(48, 300), qRgb(173, 183, 163));
  EXPECT_EQ(b.pixel(49, 300), qRgb(204, 153, 153));
}

TEST(LoadBackground, RefusesWithAReason) {
  QTemporaryDir dir;
  QImage pic(10, 10, QImage::Format_RGB32);
  pic.fill(Qt::white);
  const QString path = WritePicture(dir, pic, "w.png");
  const struct { QString path; double p, q; } cases[] = {
      {dir.filePath(QStringLiteral("none.png")), 1.0, 1.0},
      {path, 0.0, 1.0},
      {path, 1.0, -1.0},
      {path, std::nan(""), 1.0},
      {path, 1.0, 1e9},
  };
  for (const auto& c : cases) {
    QImage a(1, 1, QImage::Format_RGB32), b(1, 1, QImage::Format_RGB32);
    QString reason;
    EXPECT_FALSE(LoadBackground(c.path, a, b, c.p, c.q, &reason)) << c.p << " " << c.q;
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(a.size(), QSize(1, 1));
    EXPECT_EQ(b.size(), QSize(1, 1));
  }
}

}  // namespace
}  // namespace orvane
