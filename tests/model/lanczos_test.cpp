// The Lanczos-3 resampler: constant images stay constant, ringing is clamped, shrinking averages.
#include <gtest/gtest.h>

#include <cstdlib>

#include "model/lanczos.h"

namespace orvane {
namespace {

TEST(Lanczos3, ConstantStaysConstant) {
  const QSize sizes[][2] = {{{10, 10}, {33, 7}}, {{100, 60}, {13, 513}}, {{1, 1}, {5, 4}},
                            {{7, 300}, {7, 3}},  {{513, 2}, {256, 513}}};
  for (const bool alpha : {false, true}) {
    for (const auto& s : sizes) {
      QImage src(s[0], alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
      src.fill(alpha ? qRgba(37, 200, 129, 90) : qRgb(37, 200, 129));
      const QImage out = ResampleLanczos3(src, s[1]);
      ASSERT_EQ(out.size(), s[1]);
      EXPECT_EQ(out.hasAlphaChannel(), alpha);
      for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
          ASSERT_EQ(out.pixel(x, y), src.pixel(0, 0)) << s[0].width() << "x" << s[0].height() << " at " << x << "," << y;
    }
  }
}

TEST(Lanczos3, SameSizeIsIdentity) {
  QImage src(31, 17, QImage::Format_RGB32);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 31; ++x) src.setPixel(x, y, qRgb(x * 53 % 256, y * 97 % 256, (x * y) % 256));
  const QImage out = ResampleLanczos3(src, src.size());
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 31; ++x) ASSERT_EQ(out.pixel(x, y), src.pixel(x, y)) << x << "," << y;
}

TEST(Lanczos3, RingingIsClampedNotWrapped) {
  // A hard edge enlarged: the lobes overshoot below 0 and above 255 beside the edge.
  QImage src(8, 1, QImage::Format_RGB32);
  for (int x = 0; x < 8; ++x) src.setPixel(x, 0, x < 4 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  const QImage out = ResampleLanczos3(src, QSize(64, 1));
  ASSERT_EQ(out.width(), 64);
  for (int x = 0; x < 24; ++x) EXPECT_LE(qRed(out.pixel(x, 0)), 20) << x;
  for (int x = 40; x < 64; ++x) EXPECT_GE(qRed(out.pixel(x, 0)), 235) << x;
  EXPECT_EQ(qRed(out.pixel(0, 0)), 0);
  EXPECT_EQ(qRed(out.pixel(63, 0)), 255);
}

TEST(Lanczos3, ShrinkingAveragesFineDetail) {
  // Alternating black and white columns shrunk three times become an even grey: the
  // kernel widens with the scale instead of picking single columns (an odd factor puts
  // each output centre on one source column, where a narrow kernel would alias).
  QImage src(300, 4, QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 300; ++x) src.setPixel(x, y, (x % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  const QImage out = ResampleLanczos3(src, QSize(100, 4));
  for (int x = 3; x < 97; ++x) EXPECT_NEAR(qGreen(out.pixel(x, 1)), 128, 3) << x;
}

TEST(Lanczos3, EmptyInputOrTargetGivesNull) {
  EXPECT_TRUE(ResampleLanczos3(QImage(), QSize(4, 4)).isNull());
  QImage src(4, 4, QImage::Format_RGB32);
  src.fill(Qt::red);
  EXPECT_TRUE(ResampleLanczos3(src, QSize(0, 4)).isNull());
  EXPECT_TRUE(ResampleLanczos3(src, QSize(4, -1)).isNull());
}

}  // namespace
}  // namespace orvane
