// Reading pictures of every accepted format, with the size limits checked before decoding.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include <cstdint>

#include "model/picture_reader.h"

namespace orvane {
namespace {

void Be16(QByteArray& b, int v) {
  b.append(static_cast<char>((v >> 8) & 0xFF));
  b.append(static_cast<char>(v & 0xFF));
}
void Be32(QByteArray& b, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.append(static_cast<char>((v >> shift) & 0xFF));
}

// An uncompressed RGB(A) PSD: header, empty sections, planar channel data.
QByteArray MakePsd(int w, int h, int channels, const QByteArray& planes) {
  QByteArray b("8BPS");
  Be16(b, 1);
  b.append(QByteArray(6, '\0'));
  Be16(b, channels);
  Be32(b, std::uint32_t(h));
  Be32(b, std::uint32_t(w));
  Be16(b, 8);
  Be16(b, 3);  // RGB
  Be32(b, 0);  // colour mode data
  Be32(b, 0);  // image resources
  Be32(b, 0);  // layers and masks
  Be16(b, 0);  // raw image data
  b.append(planes);
  return b;
}

QByteArray Encode(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes;
}

QImage Quadrants() {
  QImage img(16, 16, QImage::Format_RGB32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      img.setPixel(x, y, x < 8 ? (y < 8 ? qRgb(255, 0, 0) : qRgb(0, 255, 0)) : (y < 8 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
  return img;
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

TEST(PictureReader, ReadsEveryFormat) {
  // A 1 x 1 red GIF: global palette (red, black), one LZW-coded index 0.
  const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                       ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 35);
  const QByteArray psd = MakePsd(2, 2, 3, QByteArray("\x0a\x14\x1e\x28" "\x32\x3c\x46\x50" "\x5a\x64\x6e\x78", 12));
  const QByteArray psdAlpha =
      MakePsd(1, 2, 4, QByteArray("\x01\x02" "\x03\x04" "\x05\x06" "\x00\xff", 8));
  const struct {
    const char* name;
    QByteArray bytes;
    QSize size;
    QPoint at;
    QRgb colour;
    int tolerance;
    bool alpha;
  } cases[] = {
      {"p.png", Encode(Quadrants(), "png"), {16, 16}, {12, 3}, qRgb(0, 0, 255), 0, false},
      {"p.bmp", Encode(Quadrants(), "bmp"), {16, 16}, {3, 12}, qRgb(0, 255, 0), 0, false},
      {"p.jpg", Encode(Quadrants(), "jpeg"), {16, 16}, {2, 2}, qRgb(255, 0, 0), 40, false},
      {"p.gif", gif, {1, 1}, {0, 0}, qRgb(255, 0, 0), 0, false},
      {"p.psd", psd, {2, 2}, {1, 0}, qRgb(20, 60, 100), 0, false},
      {"p2.psd", psd, {2, 2}, {0, 1}, qRgb(30, 70, 110), 0, false},
      {"pa.psd", psdAlpha, {1, 2}, {0, 1}, qRgba(2, 4, 6, 255), 0, true},
      {"named.tga but a png", Encode(Quadrants(), "png"), {16, 16}, {12, 12}, qRgb(255, 255, 255), 0, false},
  };
  for (const auto& c : cases) {
    TPicture out;
    QString reason;
    ASSERT_TRUE(DecodePicture(c.bytes, QString::fromLatin1(c.name), kPictureLimits, out, &reason))
        << c.name << ": " << reason.toStdString();
    EXPECT_FALSE(out.IsTga);
    ASSERT_EQ(out.Image.size(), c.size) << c.name;
    const QRgb got = out.Image.pixel(c.at);
    EXPECT_TRUE(Near(got, c.colour, c.tolerance)) << c.name << std::hex << " got " << got;
    EXPECT_EQ(out.Image.hasAlphaChannel(), c.alpha) << c.name;
  }
  TPicture out;
  ASSERT_TRUE(DecodePicture(psdAlpha, QStringLiteral("a.psd"), kPictureLimits, out));
  EXPECT_EQ(qAlpha(out.Image.pixel(0, 0)), 0);
}

// Headers claiming a size past the limits are refused before any pixel is decoded; the
// files hold no pixel data at all, so a decoder that ran would fail differently.
TEST(PictureReader, SizeLimitsComeFirst) {
  QByteArray bmp("BM");
  auto le32 = [](QByteArray& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  le32(bmp, 54);  // file size (a lie)
  le32(bmp, 0);
  le32(bmp, 54);
  le32(bmp, 40);
  le32(bmp, 17000);  // width: past our limit, within Qt's own
  le32(bmp, 10);     // height
  bmp.append("\x01\x00\x18\x00", 4);
  bmp.append(QByteArray(24, '\0'));

  QByteArray tga(18, '\0');
  tga[2] = 2;
  tga[12] = tga[13] = tga[14] = tga[15] = '\xff';
  tga[16] = 24;

  const struct { const char* name; QByteArray bytes; TImageLimits limits; } cases[] = {
      {"big.bmp", bmp, kPictureLimits},
      {"big.psd", MakePsd(30000, 30000, 3, {}), kPictureLimits},
      {"wide.psd", MakePsd(5000, 10, 3, {}), kSculptMapLimits},
      {"big.tga", tga, kPictureLimits},
      {"square.png", Encode(QImage(4097, 1, QImage::Format_RGB32), "png"), kSculptMapLimits},
      {"pixels.png", Encode(QImage(8193, 8193, QImage::Format_Mono), "png"), kPictureLimits},
  };
  for (const auto& c : cases) {
    TPicture out;
    QString reason;
    EXPECT_FALSE(DecodePicture(c.bytes, QString::fromLatin1(c.name), c.limits, out, &reason)) << c.name;
    EXPECT_NE(reason.indexOf(QStringLiteral("limit")), -1) << c.name << ": " << reason.toStdString();
    EXPECT_TRUE(out.Image.isNull());
  }
}

TEST(PictureReader, BrokenFilesGiveReasons) {
  const QByteArray png = Encode(Quadrants(), "png");
  const struct { const char* name; QByteArray bytes; } cases[] = {
      {"empty.png", {}},
      {"cut.png", png.left(40)},
      {"cut.psd", MakePsd(4, 4, 3, QByteArray(5, 'x'))},
      {"grey.psd", [] { QByteArray p = MakePsd(2, 2, 1, QByteArray(4, 'x')); p[25] = 1; return p; }()},
      {"cut.bmp", Encode(Quadrants(), "bmp").left(60)},
      {"cut.jpg", Encode(Quadrants(), "jpeg").chopped(30)},
      {"cut.gif", QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                             ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44", 31)},
      {"rle.psd", [] {
         QByteArray p = MakePsd(2, 2, 3, QByteArray("\x00\x02\x00\x02", 4));
         p[p.size() - 5] = 1;  // RLE: a row table claiming more bytes than present
         return p;
       }()},
      {"text.tga", QByteArray("hello, this is not a picture at all")},
      {"no end.png", png.chopped(12)},
      // A text chunk claiming 1.7 GB in a small file: refused before any decoder allocates it.
      {"huge chunk.png", [png] {
         QByteArray p = png.left(33) + QByteArray("\x6a\x00\x00\x15tEXtKey", 12) + png.mid(33);
         return p;
       }()},
  };
  for (const auto& c : cases) {
    TPicture out;
    QString reason;
    EXPECT_FALSE(DecodePicture(c.bytes, QString::fromLatin1(c.name), kPictureLimits, out, &reason)) << c.name;
    EXPECT_FALSE(reason.isEmpty()) << c.name;
    // The chunk walk, not the decoder, refuses it (libpng would first allocate the chunk).
    if (std::string(c.name) == "huge chunk.png") {
      EXPECT_TRUE(reason.contains("runs past the end")) << reason.toStdString();
    }
  }
}

}  // namespace
}  // namespace orvane
