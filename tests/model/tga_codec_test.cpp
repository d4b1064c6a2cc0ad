// The TGA codec: writer layout, reading every stored format, author fields and malformed files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/tga_codec.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct THeader {
  int Type = 2;
  int MapType = 0;
  int MapFirst = 0;
  int MapLength = 0;
  int MapDepth = 0;
  int Width = 2;
  int Height = 2;
  int Depth = 24;
  int Descriptor = 0;
};

void Put16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// A TGA file assembled byte by byte: header, image ID, colour map, then the payload.
Bytes MakeTga(const THeader& h, const Bytes& id, const Bytes& map, const Bytes& payload) {
  Bytes b{static_cast<std::uint8_t>(id.size()), static_cast<std::uint8_t>(h.MapType), static_cast<std::uint8_t>(h.Type)};
  Put16(b, h.MapFirst);
  Put16(b, h.MapLength);
  b.push_back(static_cast<std::uint8_t>(h.MapDepth));
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, h.Width);
  Put16(b, h.Height);
  b.push_back(static_cast<std::uint8_t>(h.Depth));
  b.push_back(static_cast<std::uint8_t>(h.Descriptor));
  b.insert(b.end(), id.begin(), id.end());
  b.insert(b.end(), map.begin(), map.end());
  b.insert(b.end(), payload.begin(), payload.end());
  return b;
}

// Footer with the given Extension Area offset.
void AppendFooter(Bytes& b, std::uint32_t extOffset) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(extOffset >> (8 * i)));
  for (int i = 0; i < 4; ++i) b.push_back(0);
  const char sig[] = "TRUEVISION-XFILE.";
  b.insert(b.end(), sig, sig + sizeof sig);
}

bool Decode(const Bytes& b, TTgaImage& out, QString* reason, const TImageLimits& limits = kPictureLimits) {
  return DecodeTga(b.data(), b.size(), limits, out, reason);
}
bool Decode(const QByteArray& b, TTgaImage& out, QString* reason, const TImageLimits& limits = kPictureLimits) {
  return DecodeTga(reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size()), limits, out, reason);
}

// Pixels of a decoded image, top row first.
std::vector<std::uint32_t> Pixels(const QImage& image) {
  std::vector<std::uint32_t> p;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) p.push_back(image.pixel(x, y));
  return p;
}

QImage TestColour(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // Long runs on the left half, noise on the right: both packet kinds appear.
      const unsigned noise = unsigned(x * 7919 + y * 104729) * 2654435761u;
      img.setPixel(x, y, x < w / 2 ? qRgb(10 * y % 256, 20, 30) : qRgb(noise >> 24, (noise >> 16) & 0xFF, x & 0xFF));
    }
  return img;
}

QImage TestAlpha(int w, int h) {
  QImage a(w, h, QImage::Format_Grayscale8);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) a.scanLine(y)[x] = static_cast<uchar>((x + 3 * y) % 3 == 0 ? 0 : 255 - x);
  return a;
}

// ---- the writer ------------------------------------------------------------------------

TEST(TgaWriter, RoundTripKeepsColourAndAlpha) {
  const struct { int w, h; } sizes[] = {{1, 1}, {3, 2}, {130, 3}, {300, 5}, {64, 64}};
  for (const auto& s : sizes) {
    const QImage colour = TestColour(s.w, s.h);
    const QImage alpha = TestAlpha(s.w, s.h);
    const QByteArray file = EncodeTga(colour, alpha, {QStringLiteral("me"), QStringLiteral("job")});
    ASSERT_FALSE(file.isEmpty());
    TTgaImage out;
    QString reason;
    ASSERT_TRUE(Decode(file, out, &reason)) << reason.toStdString();
    ASSERT_EQ(out.Image.size(), colour.size());
    EXPECT_TRUE(out.HasAlpha);
    EXPECT_TRUE(out.HasFooter);
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < s.w; ++x) {
        const QRgb p = out.Image.pixel(x, y);
        ASSERT_EQ(p & 0xFFFFFF, colour.pixel(x, y) & 0xFFFFFF) << s.w << "x" << s.h << " at " << x << "," << y;
        ASSERT_EQ(qAlpha(p), alpha.scanLine(y)[x]) << s.w << "x" << s.h << " at " << x << "," << y;
      }
  }
}

TEST(TgaWriter, HeaderFooterAndBottomLeftOrigin) {
  // Top row red, bottom row blue: a bottom-left file stores blue first.
  QImage colour(4, 2, QImage::Format_RGB32);
  for (int x = 0; x < 4; ++x) {
    colour.setPixel(x, 0, qRgb(255, 0, 0));
    colour.setPixel(x, 1, qRgb(0, 0, 255));
  }
  const QByteArray f = EncodeTga(colour, QImage(), {QStringLiteral("A"), QStringLiteral("B")});
  auto u8 = [&](int i) { return static_cast<std::uint8_t>(f[i]); };
  EXPECT_EQ(u8(0), 0);   // no image ID
  EXPECT_EQ(u8(1), 0);   // no colour map
  EXPECT_EQ(u8(2), 10);  // RLE true colour
  EXPECT_EQ(u8(12) | (u8(13) << 8), 4);
  EXPECT_EQ(u8(14) | (u8(15) << 8), 2);
  EXPECT_EQ(u8(16), 32);
  EXPECT_EQ(u8(17), 0x08);  // 8 alpha bits, origin bits clear = bottom-left
  // First packet: a run of four blue opaque pixels (B, G, R, A), then four red ones.
  const std::uint8_t expected[] = {0x83, 255, 0, 0, 255, 0x83, 0, 0, 255, 255};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(u8(18 + i), expected[i]) << "byte " << 18 + i;

  const int n = static_cast<int>(f.size());
  EXPECT_EQ(f.mid(n - 18), QByteArray("TRUEVISION-XFILE.\0", 18));
  const int ext = u8(n - 26) | (u8(n - 25) << 8) | (u8(n - 24) << 16) | (u8(n - 23) << 24);
  EXPECT_EQ(ext, 28);  // straight after the two packets
  EXPECT_EQ(ext + kTgaExtensionSize, n - 26);
  EXPECT_EQ(u8(ext) | (u8(ext + 1) << 8), 495);
  EXPECT_EQ(f.mid(ext + 2, 2), QByteArray("A\0", 2));     // Author Name
  EXPECT_EQ(f.mid(ext + 379, 2), QByteArray("B\0", 2));   // Job Name/ID
  EXPECT_EQ(u8(ext + 494), 3);                            // alpha is useful data
}

// Walks the RLE packets of a file from our writer and checks none crosses a scanline
// and none is longer than 128 pixels.
TEST(TgaWriter, PacketsStayWithinScanlines) {
  const int w = 300, h = 4;
  const QImage colour = TestColour(w, h);
  const QByteArray f = EncodeTga(colour, QImage(), {});
  int pos = 18, pixel = 0, runs = 0, raws = 0;
  while (pixel < w * h) {
    const int head = static_cast<std::uint8_t>(f[pos++]);
    const int count = (head & 0x7F) + 1;
    EXPECT_EQ(pixel / w, (pixel + count - 1) / w) << "packet at pixel " << pixel << " crosses a row";
    (head & 0x80) ? ++runs : ++raws;
    pos += (head & 0x80) ? 4 : 4 * count;
    pixel += count;
  }
  EXPECT_EQ(pixel, w * h);
  EXPECT_GT(runs, 0);
  EXPECT_GT(raws, 0);
  EXPECT_EQ(pos + kTgaExtensionSize + 26, f.size());
}

TEST(TgaWriter, RefusesImagesItCannotStore) {
  QString reason;
  EXPECT_TRUE(EncodeTga(QImage(), QImage(), {}, &reason).isEmpty());
  EXPECT_FALSE(reason.isEmpty());
  reason.clear();
  EXPECT_TRUE(EncodeTga(QImage(65536, 1, QImage::Format_RGB32), QImage(), {}, &reason).isEmpty());
  EXPECT_NE(reason.indexOf(QStringLiteral("65535")), -1) << reason.toStdString();
}

TEST(TgaWriter, SmallerOrMissingAlphaIsOpaque) {
  const QImage colour = TestColour(5, 4);
  QImage alpha(2, 2, QImage::Format_Grayscale8);
  alpha.fill(7);
  for (const QImage& a : {QImage(), alpha}) {
    TTgaImage out;
    ASSERT_TRUE(Decode(EncodeTga(colour, a, {}), out, nullptr));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(qAlpha(out.Image.pixel(x, y)), (!a.isNull() && x < 2 && y < 2) ? 7 : 255) << x << "," << y;
  }
}

// ---- the author fields ------------------------------------------------------------------

TEST(TgaAuthorFields, RoundTripTruncatedToFortyAsciiBytes) {
  const struct { QString in; std::string stored; } cases[] = {
      {QStringLiteral("PELORIN WORKS"), "PELORIN WORKS"},
      {QStringLiteral("PELORIN WORKS Ver.2.0"), "PELORIN WORKS Ver.2.0"},
      {QString(40, QLatin1Char('x')), std::string(40, 'x')},
      {QString(41, QLatin1Char('y')), std::string(40, 'y')},
      {QString(90, QLatin1Char('z')), std::string(40, 'z')},
      {QStringLiteral("K\u00e4se"), "K?se"},
      {QStringLiteral("\u540d\u524d"), "??"},
      {QString::fromUcs4(U"a\U0001F600b"), "a?b"},  // one code point outside the BMP: one '?'
      {QString(), ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TgaTextField(c.in).toStdString(), c.stored);
    const QByteArray f = EncodeTga(TestColour(2, 2), QImage(), {c.in, c.in + QStringLiteral("!")});
    const int ext = static_cast<int>(f.size()) - 26 - kTgaExtensionSize;
    EXPECT_EQ(f[ext + 2 + 40], '\0') << "author field must end with a NUL";
    EXPECT_EQ(f[ext + 379 + 40], '\0') << "job field must end with a NUL";
    TTgaImage out;
    ASSERT_TRUE(Decode(f, out, nullptr));
    EXPECT_EQ(out.AuthorName.toStdString(), c.stored);
    const std::string job = (c.stored + "!").substr(0, 40);
    EXPECT_EQ(out.JobName.toStdString(), c.stored.size() < 40 ? job : c.stored);
  }
}

TEST(TgaAuthorFields, NoFooterMeansNoAuthor) {
  // A TGA 1.0 file: same pixels, no footer.
  const Bytes b = MakeTga({}, {}, {}, Bytes(12, 0x40));
  TTgaImage out;
  ASSERT_TRUE(Decode(b, out, nullptr));
  EXPECT_FALSE(out.HasFooter);
  EXPECT_TRUE(out.AuthorName.isEmpty());
}

// ---- reading every stored format ---------------------------------------------------------

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t Grey(int v) { return kOpaque | (std::uint32_t(v) * 0x010101u); }
constexpr std::uint32_t Rgb(int r, int g, int b, int a = 255) {
  return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

struct TFormatCase {
  const char* name;
  THeader header;
  Bytes id, map, payload;
  // Expected pixels of the 2 x 2 image: top-left, top-right, bottom-left, bottom-right.
  std::uint32_t expected[4];
};

TEST(TgaReader, ReadsEveryStoredFormat) {
  const TFormatCase cases[] = {
      {"grey, bottom-left", {3, 0, 0, 0, 0, 2, 2, 8, 0}, {}, {}, {10, 20, 30, 40},
       {Grey(30), Grey(40), Grey(10), Grey(20)}},
      {"grey, top-left", {3, 0, 0, 0, 0, 2, 2, 8, 0x20}, {}, {}, {10, 20, 30, 40},
       {Grey(10), Grey(20), Grey(30), Grey(40)}},
      {"grey, top-right", {3, 0, 0, 0, 0, 2, 2, 8, 0x30}, {}, {}, {10, 20, 30, 40},
       {Grey(20), Grey(10), Grey(40), Grey(30)}},
      {"grey RLE, run crossing a row", {11, 0, 0, 0, 0, 2, 2, 8, 0x20}, {}, {}, {0x82, 99, 0x00, 7},
       {Grey(99), Grey(99), Grey(99), Grey(7)}},
      {"24-bit, bottom-left", {2, 0, 0, 0, 0, 2, 2, 24, 0}, {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
       {Rgb(9, 8, 7), Rgb(12, 11, 10), Rgb(3, 2, 1), Rgb(6, 5, 4)}},
      {"24-bit, top-left, image ID skipped", {2, 0, 0, 0, 0, 2, 2, 24, 0x20}, {'I', 'D', '!'}, {},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {Rgb(3, 2, 1), Rgb(6, 5, 4), Rgb(9, 8, 7), Rgb(12, 11, 10)}},
      {"24-bit, bottom-right", {2, 0, 0, 0, 0, 2, 2, 24, 0x10}, {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
       {Rgb(12, 11, 10), Rgb(9, 8, 7), Rgb(6, 5, 4), Rgb(3, 2, 1)}},
      {"24-bit with an unused colour map", {2, 1, 0, 2, 24, 2, 2, 24, 0x20}, {}, {50, 50, 50, 60, 60, 60},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {Rgb(3, 2, 1), Rgb(6, 5, 4), Rgb(9, 8, 7), Rgb(12, 11, 10)}},
      {"24-bit RLE, raw then run", {10, 0, 0, 0, 0, 2, 2, 24, 0x20}, {}, {}, {0x00, 1, 2, 3, 0x82, 4, 5, 6},
       {Rgb(3, 2, 1), Rgb(6, 5, 4), Rgb(6, 5, 4), Rgb(6, 5, 4)}},
      {"32-bit with alpha", {2, 0, 0, 0, 0, 2, 2, 32, 0x28}, {}, {},
       {1, 2, 3, 0, 4, 5, 6, 80, 7, 8, 9, 160, 10, 11, 12, 255},
       {Rgb(3, 2, 1, 0), Rgb(6, 5, 4, 80), Rgb(9, 8, 7, 160), Rgb(12, 11, 10, 255)}},
      {"32-bit without alpha bits is opaque", {2, 0, 0, 0, 0, 2, 2, 32, 0x20}, {}, {},
       {1, 2, 3, 0, 4, 5, 6, 80, 7, 8, 9, 160, 10, 11, 12, 255},
       {Rgb(3, 2, 1), Rgb(6, 5, 4), Rgb(9, 8, 7), Rgb(12, 11, 10)}},
      {"32-bit RLE, bottom-left", {10, 0, 0, 0, 0, 2, 2, 32, 0x08}, {}, {}, {0x81, 1, 2, 3, 4, 0x01, 5, 6, 7, 8, 9, 10, 11, 12},
       {Rgb(7, 6, 5, 8), Rgb(11, 10, 9, 12), Rgb(3, 2, 1, 4), Rgb(3, 2, 1, 4)}},
      // 16-bit: A RRRRR GGGGG BBBBB, little-endian; 5 bits widen as (v << 3) | (v >> 2).
      {"16-bit with an alpha bit", {2, 0, 0, 0, 0, 2, 2, 16, 0x21}, {}, {}, {0x00, 0x7C, 0x00, 0xFC, 0xE0, 0x83, 0x10, 0x42},
       {Rgb(255, 0, 0, 0), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(132, 132, 132, 0)}},
      {"15-bit ignores the top bit", {2, 0, 0, 0, 0, 2, 2, 15, 0x20}, {}, {}, {0x1F, 0x80, 0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42},
       {Rgb(0, 0, 255), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(132, 132, 132)}},
      {"16-bit RLE", {10, 0, 0, 0, 0, 2, 2, 16, 0x20}, {}, {}, {0x83, 0x1F, 0x00},
       {Rgb(0, 0, 255), Rgb(0, 0, 255), Rgb(0, 0, 255), Rgb(0, 0, 255)}},
      // Colour-mapped: the first entry index is 2, so stored index 2 is map entry 0.
      {"mapped, 24-bit entries", {1, 1, 2, 3, 24, 2, 2, 8, 0x20}, {}, {10, 20, 30, 40, 50, 60, 70, 80, 90}, {2, 3, 4, 2},
       {Rgb(30, 20, 10), Rgb(60, 50, 40), Rgb(90, 80, 70), Rgb(30, 20, 10)}},
      {"mapped, 32-bit entries with alpha", {1, 1, 0, 2, 32, 2, 2, 8, 0x28}, {}, {1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 1, 0},
       {Rgb(3, 2, 1, 4), Rgb(7, 6, 5, 8), Rgb(7, 6, 5, 8), Rgb(3, 2, 1, 4)}},
      {"mapped, 16-bit entries", {1, 1, 0, 2, 16, 2, 2, 8, 0x21}, {}, {0x00, 0xFC, 0x1F, 0x00}, {0, 1, 1, 1},
       {Rgb(255, 0, 0), Rgb(0, 0, 255, 0), Rgb(0, 0, 255, 0), Rgb(0, 0, 255, 0)}},
      {"mapped, 15-bit entries", {1, 1, 0, 2, 15, 2, 2, 8, 0x20}, {}, {0x00, 0x7C, 0x1F, 0x00}, {0, 1, 1, 1},
       {Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(0, 0, 255), Rgb(0, 0, 255)}},
      {"mapped RLE, bottom-left", {9, 1, 0, 2, 24, 2, 2, 8, 0}, {}, {1, 2, 3, 4, 5, 6}, {0x81, 0, 0x01, 1, 0},
       {Rgb(6, 5, 4), Rgb(3, 2, 1), Rgb(3, 2, 1), Rgb(3, 2, 1)}},
  };
  for (const auto& c : cases) {
    TTgaImage out;
    QString reason;
    ASSERT_TRUE(Decode(MakeTga(c.header, c.id, c.map, c.payload), out, &reason)) << c.name << ": " << reason.toStdString();
    ASSERT_EQ(out.Image.size(), QSize(2, 2)) << c.name;
    const auto got = Pixels(out.Image);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(got[i], c.expected[i]) << c.name << ", pixel " << i << std::hex << " got " << got[i] << " want "
                                       << c.expected[i];
  }
}

TEST(TgaReader, AttributesTypeWithoutAlphaMakesOpaque) {
  // A 32-bit file whose Extension Area says the alpha bits hold nothing (type 0).
  Bytes b = MakeTga({2, 0, 0, 0, 0, 1, 1, 32, 0x28}, {}, {}, {1, 2, 3, 9});
  const auto ext = static_cast<std::uint32_t>(b.size());
  Bytes area(495, 0);
  area[0] = 495 & 0xFF;
  area[1] = 495 >> 8;
  b.insert(b.end(), area.begin(), area.end());
  AppendFooter(b, ext);
  TTgaImage out;
  ASSERT_TRUE(Decode(b, out, nullptr));
  EXPECT_EQ(out.Image.pixel(0, 0), Rgb(3, 2, 1));
  EXPECT_FALSE(out.HasAlpha);
}

// ---- malformed files ----------------------------------------------------------------------

struct TBadCase {
  const char* name;
  Bytes file;
  const char* reasonPart;
  TImageLimits limits = kPictureLimits;
};

Bytes WithFooter(Bytes b, std::uint32_t extOffset) {
  AppendFooter(b, extOffset);
  return b;
}

Bytes WithExtension(int sizeField, int presentBytes) {
  Bytes b = MakeTga({}, {}, {}, Bytes(12, 1));
  const auto ext = static_cast<std::uint32_t>(b.size());
  Bytes area(static_cast<std::size_t>(presentBytes), 0);
  area[0] = static_cast<std::uint8_t>(sizeField & 0xFF);
  area[1] = static_cast<std::uint8_t>(sizeField >> 8);
  b.insert(b.end(), area.begin(), area.end());
  return WithFooter(b, ext);
}

TEST(TgaReader, RefusesMalformedFilesWithAReason) {
  const Bytes okPixels(12, 1);  // 2 x 2 at 24 bits
  const TBadCase cases[] = {
      {"zero bytes", {}, "too short"},
      {"17 bytes", Bytes(17, 0), "too short"},
      {"65535 x 65535", MakeTga({2, 0, 0, 0, 0, 65535, 65535, 32, 8}, {}, {}, Bytes(64, 0)), "limit"},
      {"4097 wide sculpt map", MakeTga({2, 0, 0, 0, 0, 4097, 1, 24, 0}, {}, {}, Bytes(4097 * 3, 0)), "limit",
       kSculptMapLimits},
      {"4096 x 4096 RLE in a few bytes", MakeTga({10, 0, 0, 0, 0, 4096, 4096, 32, 8}, {}, {}, {0xFF, 1, 2, 3, 4}),
       "truncated", kSculptMapLimits},
      {"zero width", MakeTga({2, 0, 0, 0, 0, 0, 2, 24, 0}, {}, {}, okPixels), "no pixels"},
      {"image type 0", MakeTga({0, 0, 0, 0, 0, 2, 2, 24, 0}, {}, {}, okPixels), "image type"},
      {"image type 32", MakeTga({32, 0, 0, 0, 0, 2, 2, 24, 0}, {}, {}, okPixels), "image type"},
      {"colour map type 2", MakeTga({2, 2, 0, 0, 0, 2, 2, 24, 0}, {}, {}, okPixels), "colour map type"},
      {"true colour of 12 bits", MakeTga({2, 0, 0, 0, 0, 2, 2, 12, 0}, {}, {}, okPixels), "pixel size"},
      {"interleaved rows", MakeTga({2, 0, 0, 0, 0, 2, 2, 24, 0x40}, {}, {}, okPixels), "interleaved"},
      {"mapped without a map", MakeTga({1, 0, 0, 0, 0, 2, 2, 8, 0}, {}, {}, {0, 0, 0, 0}), "without a colour map"},
      {"map entries of 8 bits", MakeTga({1, 1, 0, 2, 8, 2, 2, 8, 0}, {}, {1, 2}, {0, 0, 0, 0}), "entry size"},
      {"colour map past the end", MakeTga({1, 1, 0, 256, 24, 2, 2, 8, 0}, {}, {1, 2, 3}, {0, 0, 0, 0}),
       "colour map runs past"},
      {"colour index outside the map", MakeTga({1, 1, 0, 2, 24, 2, 2, 8, 0}, {}, Bytes(6, 9), {0, 1, 2, 0}),
       "outside the colour map"},
      {"colour index below the first entry", MakeTga({9, 1, 5, 2, 24, 2, 2, 8, 0}, {}, Bytes(6, 9), {0x83, 4}),
       "outside the colour map"},
      {"image ID past the end", [] { Bytes b = MakeTga({}, {}, {}, {}); b[0] = 200; return b; }(), "image ID"},
      {"truncated pixel data", MakeTga({}, {}, {}, Bytes(11, 1)), "truncated"},
      {"RLE raw packet past the end", MakeTga({10, 0, 0, 0, 0, 2, 2, 24, 0}, {}, {}, {0x03, 1, 2, 3}),
       "past the end of the file"},
      {"RLE run past the last pixel", MakeTga({10, 0, 0, 0, 0, 2, 2, 24, 0}, {}, {}, {0x87, 1, 2, 3}), "last pixel"},
      {"RLE data ends early", MakeTga({10, 0, 0, 0, 0, 2, 2, 24, 0}, {}, {}, {0x81, 1, 2, 3}), "ends after 2 of 4"},
      {"extension offset past the end", WithFooter(MakeTga({}, {}, {}, okPixels), 100000), "extension area offset"},
      {"extension offset inside the header", WithFooter(MakeTga({}, {}, {}, okPixels), 5), "extension area offset"},
      {"extension area past the footer", WithExtension(495, 100), "runs past"},
      {"extension area too small", WithExtension(10, 10), "too small"},
  };
  for (const auto& c : cases) {
    TTgaImage out;
    out.AuthorName = QStringLiteral("untouched");
    QString reason;
    EXPECT_FALSE(Decode(c.file, out, &reason, c.limits)) << c.name;
    EXPECT_NE(reason.indexOf(QLatin1String(c.reasonPart)), -1) << c.name << ": " << reason.toStdString();
    EXPECT_TRUE(out.Image.isNull()) << c.name;
    EXPECT_EQ(out.AuthorName, QStringLiteral("untouched")) << c.name;
  }
}

// Every prefix of a valid file is refused cleanly (or, past the pixels, read without the footer).
TEST(TgaReader, EveryTruncationIsHandled) {
  const QByteArray f = EncodeTga(TestColour(20, 6), TestAlpha(20, 6), {QStringLiteral("a"), QStringLiteral("b")});
  const int extStart = static_cast<int>(f.size()) - 26 - kTgaExtensionSize;
  for (int n = 0; n < f.size(); ++n) {
    TTgaImage out;
    QString reason;
    const bool ok = Decode(f.left(n), out, &reason);
    EXPECT_EQ(ok, n >= extStart) << "prefix of " << n << " bytes: " << reason.toStdString();
    if (ok) {
      EXPECT_FALSE(out.HasFooter);
    } else {
      EXPECT_FALSE(reason.isEmpty());
    }
  }
}

}  // namespace
}  // namespace orvane
