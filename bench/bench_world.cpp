// Shared set-up of the benchmarks.
#include "bench_world.h"

#include "bench_cases.h"

#include <QImage>
#include <QTemporaryDir>

namespace orvane::bench {

TBenchWorld::TBenchWorld(int type, int aspect) {
  ResetModel(Model, Grid, type, aspect);
  CommitBase(Model, Grid);
}

void TBenchWorld::SelectAll() {
  FillFlags(Model.Selected, 1, Grid);
  UpdateSelection(Model, Grid);
  CommitBase(Model, Grid);
}

std::vector<int> AspectsToRun(const std::vector<int>& chosen) {
  if (qEnvironmentVariableIntValue("ORVANE_BENCH_ALL_ASPECTS") != 1) return chosen;
  return {ar32x32, ar64x16, ar128x8, ar256x4, ar16x64, ar8x128, ar4x256};
}

void RegisterPerAspect(const std::string& family, void (*fn)(benchmark::State&, int), const std::vector<int>& aspects) {
  for (int aspect : AspectsToRun(aspects))
    benchmark::RegisterBenchmark((family + "/" + AspectLabel(aspect)).c_str(), fn, aspect)
        ->Unit(benchmark::kMicrosecond);
}

std::string AspectLabel(int aspect) { return std::string(AspectName(aspect)); }

QString ScratchDir() {
  static QTemporaryDir dir;
  return dir.path();
}

QString TestPicturePath() {
  static const QString path = [] {
    // Smooth gradients with a few hard edges, so the resampler and the lightening
    // see something like a photo rather than a flat colour.
    QImage picture(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
      for (int x = 0; x < picture.width(); ++x) {
        const int edge = ((x / 50) + (y / 50)) % 2 ? 40 : 0;
        line[x] = qRgb((x * 255 / 799 + edge) % 256, (y * 255 / 599) % 256, ((x + y) / 6 + edge) % 256);
      }
    }
    const QString name = ScratchDir() + "/background.png";
    picture.save(name, "PNG");
    return name;
  }();
  return path;
}

}  // namespace orvane::bench
