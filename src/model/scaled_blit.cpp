// Scaled drawing by a measured map: QPainter chooses the pixels once, plain copies repeat them.
#include "model/scaled_blit.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include <QPainter>

namespace orvane {

namespace {

// Codes fit the 24 colour bits; white is never a code for pictures of fewer pixels.
constexpr qint64 kMaxCodes = (1 << 24) - 1;
constexpr QRgb kUntouched = 0xFFFFFFFFu;

QRgb Code(int x, int y, int width) { return 0xFF000000u | QRgb(qint64(y) * width + x); }

// The bounding box of the pixels drawImage wrote, or an empty rectangle.
QRect Touched(const QImage& probe) {
  int left = probe.width(), right = -1, top = probe.height(), bottom = -1;
  for (int y = 0; y < probe.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    for (int x = 0; x < probe.width(); ++x) {
      if (line[x] == kUntouched) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Runs of source columns one after the other, when such runs make up the whole row and are
// long enough for block copies to beat a gather (a near 1:1 scale).
std::vector<TScaleMap::TRun> FindRuns(const std::vector<int>& sourceX) {
  constexpr int kShortest = 16;
  std::vector<TScaleMap::TRun> runs;
  for (int i = 0; i < int(sourceX.size());) {
    int j = i + 1;
    while (j < int(sourceX.size()) && sourceX[std::size_t(j)] == sourceX[std::size_t(j) - 1] + 1) ++j;
    runs.push_back({i, sourceX[std::size_t(i)], j - i});
    i = j;
  }
  const bool worth = !runs.empty() && int(sourceX.size()) / int(runs.size()) >= kShortest;
  return worth ? runs : std::vector<TScaleMap::TRun>{};
}

TScaleMap Measure(QSize device, const QRect& target, QSize picture, const QRect& source) {
  TScaleMap map;
  const int pw = picture.width(), ph = picture.height();
  if (pw <= 0 || ph <= 0 || qint64(pw) * ph > kMaxCodes || device.isEmpty()) return map;
  QImage codes(picture, QImage::Format_RGB32);
  for (int y = 0; y < ph; ++y) {
    auto* line = reinterpret_cast<QRgb*>(codes.scanLine(y));
    for (int x = 0; x < pw; ++x) line[x] = Code(x, y, pw);
  }
  QImage probe(device, QImage::Format_RGB32);
  probe.fill(kUntouched);
  {
    QPainter painter(&probe);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(target, codes, source);
  }
  const QRect covered = Touched(probe);
  if (covered.isEmpty()) return map;
  // The first covered row and column give the map; every covered pixel must agree with it.
  const auto* first = reinterpret_cast<const QRgb*>(probe.constScanLine(covered.top()));
  for (int x = covered.left(); x <= covered.right(); ++x) map.SourceX.push_back(int((first[x] & 0xFFFFFFu) % pw));
  for (int y = covered.top(); y <= covered.bottom(); ++y) {
    const QRgb code = reinterpret_cast<const QRgb*>(probe.constScanLine(y))[covered.left()];
    map.SourceY.push_back(int((code & 0xFFFFFFu) / pw));
  }
  for (int k = 0; k < covered.height(); ++k) {
    const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(covered.top() + k));
    for (int i = 0; i < covered.width(); ++i)
      if (line[covered.left() + i] != Code(map.SourceX[std::size_t(i)], map.SourceY[std::size_t(k)], pw))
        return TScaleMap{};
  }
  map.Covered = covered;
  map.Runs = FindRuns(map.SourceX);
  map.SourceLeft = *std::min_element(map.SourceX.begin(), map.SourceX.end());
  map.SourceRight = *std::max_element(map.SourceX.begin(), map.SourceX.end());
  map.Valid = true;
  return map;
}

struct TCachedMap {
  QSize Device, Picture;
  QRect Target, Source;
  TScaleMap Map;
  bool Used = false;
};

void FillRow(QRgb* line, int from, int to, QRgb fill) {
  if (from < to) std::fill(line + from, line + to, fill);
}

// One gathered row; separate arrays, so the loop keeps its bounds in registers.
void Gather(const QRgb* __restrict source, const int* __restrict columns, QRgb* __restrict out, int count) {
  for (int i = 0; i < count; ++i) out[i] = source[columns[i]];
}

void CopyRuns(const QRgb* source, const std::vector<TScaleMap::TRun>& runs, QRgb* out) {
  for (const TScaleMap::TRun& r : runs)
    std::memcpy(out + r.Column, source + r.Source, std::size_t(r.Length) * sizeof(QRgb));
}

}  // namespace

const TScaleMap& ScaleMapFor(QSize device, const QRect& target, QSize picture, const QRect& source) {
  thread_local std::array<TCachedMap, 4> cache;
  thread_local std::size_t next = 0;
  for (const TCachedMap& c : cache)
    if (c.Used && c.Device == device && c.Picture == picture && c.Target == target && c.Source == source)
      return c.Map;
  TCachedMap& slot = cache[next];
  next = (next + 1) % cache.size();
  slot = TCachedMap{device, picture, target, source, Measure(device, target, picture, source), true};
  return slot.Map;
}

void DrawScaled(QImage& image, const TSourceRow& sourceRow, const TScaleMap& map, QRgb fill) {
  const int w = image.width(), left = map.Covered.left(), right = map.Covered.right() + 1;
  const int top = map.Covered.top(), bottom = map.Covered.bottom() + 1, count = right - left;
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const auto row = [&](int y) { return reinterpret_cast<QRgb*>(bits + y * stride); };
  for (int y = 0; y < top; ++y) FillRow(row(y), 0, w, fill);
  for (int y = bottom; y < image.height(); ++y) FillRow(row(y), 0, w, fill);
  const QRgb* previous = nullptr;
  for (int y = top; y < bottom; ++y) {
    QRgb* line = row(y);
    FillRow(line, 0, left, fill);
    FillRow(line, right, w, fill);
    const std::size_t k = std::size_t(y - top);
    if (previous && map.SourceY[k] == map.SourceY[k - 1])
      std::memcpy(line + left, previous + left, std::size_t(count) * sizeof(QRgb));
    else if (!map.Runs.empty())
      CopyRuns(sourceRow(map.SourceY[k]), map.Runs, line + left);
    else
      Gather(sourceRow(map.SourceY[k]), map.SourceX.data(), line + left, count);
    previous = line;
  }
}

}  // namespace orvane
