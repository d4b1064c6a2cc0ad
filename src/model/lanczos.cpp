// Separable Lanczos-3 resampler: weights per output position, one pass per direction.
#include "model/lanczos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <numbers>
#include <vector>

namespace orvane {

namespace {

constexpr double kLobes = 3.0;

double Sinc(double x) {
  if (std::abs(x) < 1e-12) return 1.0;
  const double px = std::numbers::pi * x;
  return std::sin(px) / px;
}

double Lanczos(double x) { return std::abs(x) < kLobes ? Sinc(x) * Sinc(x / kLobes) : 0.0; }

// The source taps of one output position: the first index and normalised weights.
struct TTaps {
  int First = 0;
  std::vector<float> Weights;
};

std::vector<TTaps> BuildTaps(int sourceLength, int targetLength) {
  const double scale = double(sourceLength) / targetLength;
  const double stretch = std::max(1.0, scale);  // widen the kernel when shrinking
  const double support = kLobes * stretch;
  std::vector<TTaps> taps(static_cast<std::size_t>(targetLength));
  for (int i = 0; i < targetLength; ++i) {
    const double centre = (i + 0.5) * scale - 0.5;
    const int first = std::max(0, static_cast<int>(std::ceil(centre - support)));
    const int last = std::min(sourceLength - 1, static_cast<int>(std::floor(centre + support)));
    TTaps& t = taps[static_cast<std::size_t>(i)];
    t.First = first;
    double sum = 0.0;
    std::vector<double> w;
    for (int j = first; j <= last; ++j) {
      w.push_back(Lanczos((j - centre) / stretch));
      sum += w.back();
    }
    if (w.empty() || std::abs(sum) < 1e-9) {
      // Cannot happen for a real kernel; fall back to the nearest pixel.
      t.First = std::clamp(static_cast<int>(std::lround(centre)), 0, sourceLength - 1);
      t.Weights.assign(1, 1.0f);
      continue;
    }
    t.Weights.reserve(w.size());
    for (double v : w) t.Weights.push_back(static_cast<float>(v / sum));
  }
  return taps;
}

std::uint32_t Channel(float v) {
  const long r = std::lround(v);
  return static_cast<std::uint32_t>(std::clamp(r, 0L, 255L));
}

}  // namespace

QImage ResampleLanczos3(const QImage& source, QSize target) {
  if (source.isNull() || target.width() < 1 || target.height() < 1) return {};
  const bool alpha = source.hasAlphaChannel();
  const QImage src = source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (src.isNull()) return {};
  const int sw = src.width(), sh = src.height();
  const int tw = target.width(), th = target.height();

  const std::vector<TTaps> across = BuildTaps(sw, tw);
  const std::vector<TTaps> down = BuildTaps(sh, th);

  // Horizontal pass into a float buffer of tw x sh, four channels (B, G, R, A).
  std::vector<float> mid;
  try {
    mid.resize(std::size_t(tw) * std::size_t(sh) * 4);
  } catch (const std::bad_alloc&) {
    return {};
  }
  for (int y = 0; y < sh; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(src.constScanLine(y));
    float* out = mid.data() + std::size_t(y) * tw * 4;
    for (int x = 0; x < tw; ++x) {
      const TTaps& t = across[std::size_t(x)];
      float acc[4] = {0, 0, 0, 0};
      for (std::size_t k = 0; k < t.Weights.size(); ++k) {
        const std::uint32_t p = row[t.First + int(k)];
        const float wk = t.Weights[k];
        for (int c = 0; c < 4; ++c) acc[c] += wk * float((p >> (8 * c)) & 0xFF);
      }
      for (int c = 0; c < 4; ++c) out[x * 4 + c] = acc[c];
    }
  }

  QImage result(tw, th, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (result.isNull()) return {};
  std::vector<float> acc(std::size_t(tw) * 4);
  for (int y = 0; y < th; ++y) {
    const TTaps& t = down[std::size_t(y)];
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (std::size_t k = 0; k < t.Weights.size(); ++k) {
      const float* m = mid.data() + (std::size_t(t.First) + k) * std::size_t(tw) * 4;
      const float wk = t.Weights[k];
      for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += wk * m[i];
    }
    auto* out = reinterpret_cast<std::uint32_t*>(result.scanLine(y));
    for (int x = 0; x < tw; ++x) {
      const float* a = acc.data() + std::size_t(x) * 4;
      const std::uint32_t alphaValue = alpha ? Channel(a[3]) : 255u;
      out[x] = (alphaValue << 24) | (Channel(a[2]) << 16) | (Channel(a[1]) << 8) | Channel(a[0]);
    }
  }
  return result;
}

}  // namespace orvane
