// One LATHE drag step as the main window runs it for a mouse move while points are dragged.
#include <string>

#include <benchmark/benchmark.h>
#include <QImage>

#include "bench_cases.h"
#include "bench_world.h"
#include "modes/lathe.h"

namespace orvane::bench {

namespace {

struct TDragCase {
  int Aspect;
  int Zoom;
  bool Background;
};

// The mouse wanders up to 20 pixels either way from the press, as a hand does.
int Wander(std::int64_t step, int period) { return int(step % (2 * period + 1)) - period; }

void LatheDragStep(benchmark::State& state, TDragCase c) {
  TBenchWorld world(stSphere, c.Aspect);
  world.Settings.Zoom = c.Zoom;
  TLatheMode mode(world.Context());
  if (c.Background) {
    QString reason;
    if (!mode.LoadLatheBackground(TestPicturePath(), &reason)) {
      state.SkipWithError(("background not loaded: " + reason.toStdString()).c_str());
      return;
    }
  }
  mode.Activate(world.Model);
  world.SelectAll();
  mode.UpdateFrame(world.Model, true);
  CommitBase(world.Model, world.Grid);
  QImage image;
  mode.Draw(world.Model, image);

  // The press point: the middle of the view.
  const int pressX = image.width() / 2, pressY = image.height() / 2;
  const double zoom = c.Zoom;
  std::int64_t step = 0;
  for (auto _ : state) {
    const int x = pressX + Wander(step, 20), y = pressY + Wander(step * 7, 20);
    ++step;
    const double dx = (x - pressX) / zoom;
    const double dy = (pressY - y) / zoom;
    mode.DragMove(world.Model, dx, dy);
    mode.UpdateFrame(world.Model, false);
    mode.DragFollow(world.Model, dx, dy);
    mode.Draw(world.Model, image);
    // The read-out and the cursor shape follow every move as well.
    benchmark::DoNotOptimize(mode.Readout(world.Model, x, y));
    benchmark::DoNotOptimize(mode.HitTest(world.Model, x, y));
    benchmark::ClobberMemory();
  }
  state.counters["view_px"] = double(image.width()) * image.height();
}

}  // namespace

void RegisterLatheBenchmarks() {
  for (int aspect : AspectsToRun(kLatheAspects))
    for (int zoom : {2, 8})
      for (bool background : {false, true}) {
        const std::string name = "LatheDragStep/" + AspectLabel(aspect) + "/zoom" + std::to_string(zoom) +
                                 (background ? "/background" : "/plain");
        benchmark::RegisterBenchmark(name.c_str(), LatheDragStep, TDragCase{aspect, zoom, background})
            ->Unit(benchmark::kMicrosecond);
      }
}

}  // namespace orvane::bench
