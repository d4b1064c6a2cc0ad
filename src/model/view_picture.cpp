// The view's picture: a composite kept between draws, scaled by QPainter's measured choice.
#include "model/view_picture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <QPainter>

#include "model/scaled_blit.h"

namespace orvane {

namespace {

std::uint32_t CompositePixel(std::uint32_t mask, std::uint32_t a, std::uint32_t b) {
  const std::uint32_t m = mask & 0xFFu;
  const std::uint32_t spread = m | (m << 8) | (m << 16);
  return 0xFF000000u | (((spread & a) | (b & ~spread)) & 0x00FFFFFFu);
}

// Separate rows: saying so lets the compiler vectorise the loop.
void CompositeRow(const std::uint32_t* __restrict mask, const std::uint32_t* __restrict a,
                  const std::uint32_t* __restrict b, std::uint32_t* __restrict out, int from, int to) {
  for (int x = from; x <= to; ++x) out[x] = CompositePixel(mask[x], a[x], b[x]);
}

// True when the block of the mask equals the last one's (a fixed count, so it vectorises).
template <int kCount>
bool SameBlock(const std::uint32_t* __restrict mask, const std::uint32_t* __restrict last) {
  std::uint32_t differ = 0;
  for (int x = 0; x < kCount; ++x) differ |= mask[x] ^ last[x];
  return differ == 0;
}

// Redoes the composite only where the mask differs from the last one, a few pixels per row
// while outlines move; blocks of equal mask pixels are passed over without reading the pictures.
void UpdateRow(const std::uint32_t* __restrict mask, const std::uint32_t* __restrict last,
               const std::uint32_t* __restrict a, const std::uint32_t* __restrict b, std::uint32_t* __restrict out,
               int from, int to) {
  constexpr int kBlock = 16;
  for (int x0 = from; x0 <= to; x0 += kBlock) {
    const int x1 = std::min(to + 1, x0 + kBlock);
    if (x1 - x0 == kBlock && SameBlock<kBlock>(mask + x0, last + x0)) continue;
    for (int x = x0; x < x1; ++x)
      if (mask[x] != last[x]) out[x] = CompositePixel(mask[x], a[x], b[x]);
  }
}

const std::uint32_t* Row(const QImage& image, int y) {
  return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
}

// The composite of the last draw, over the columns the view reads, with what it was made of.
struct TCompositeCache {
  qint64 KeyA = 0, KeyB = 0;
  int From = 0, To = -1;
  QImage Mask;  // the last mask, shared with nothing that writes to it
  std::vector<std::uint32_t> Pixels;
};

// Brings the cache up to the new mask and returns it.
const TCompositeCache& Composite(const QImage& mask, const QImage& a, const QImage& b, int from, int to) {
  thread_local TCompositeCache cache;
  const int w = mask.width(), h = mask.height();
  const bool reuse = cache.KeyA == a.cacheKey() && cache.KeyB == b.cacheKey() && cache.From == from &&
                     cache.To == to && cache.Mask.size() == mask.size() && !cache.Mask.isNull();
  cache.Pixels.resize(std::size_t(w) * std::size_t(h));
  for (int y = 0; y < h; ++y) {
    std::uint32_t* out = cache.Pixels.data() + std::size_t(y) * std::size_t(w);
    if (reuse) UpdateRow(Row(mask, y), Row(cache.Mask, y), Row(a, y), Row(b, y), out, from, to);
    else CompositeRow(Row(mask, y), Row(a, y), Row(b, y), out, from, to);
  }
  cache.KeyA = a.cacheKey();
  cache.KeyB = b.cacheKey();
  cache.From = from;
  cache.To = to;
  cache.Mask = mask;
  return cache;
}

}  // namespace

QImage CompositePictures(const QImage& mask, const QImage& a, const QImage& b) {
  QImage out(mask.size(), QImage::Format_RGB32);
  for (int y = 0; y < mask.height(); ++y)
    CompositeRow(Row(mask, y), Row(a, y), Row(b, y), reinterpret_cast<std::uint32_t*>(out.scanLine(y)), 0,
                 mask.width() - 1);
  return out;
}

void DrawCompositePicture(QImage& image, const QRect& target, const QImage& mask, const QImage& a,
                          const QImage& b, const QRect& source) {
  const TScaleMap& map = ScaleMapFor(image.size(), target, mask.size(), source);
  if (!map.Valid) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(target, CompositePictures(mask, a, b), source);
    return;
  }
  const TCompositeCache& composite = Composite(mask, a, b, map.SourceLeft, map.SourceRight);
  const auto row = [&](int y) {
    return reinterpret_cast<const QRgb*>(composite.Pixels.data() + std::size_t(y) * std::size_t(mask.width()));
  };
  DrawScaled(image, row, map, qRgb(255, 255, 255));
}

}  // namespace orvane
