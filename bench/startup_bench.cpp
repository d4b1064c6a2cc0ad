// Start to first idle turn of the editor, and its resident memory beside an empty OpenGL window's.
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <QFile>

#include "bench_cases.h"
#include "bench_world.h"
#include "child_process.h"

namespace orvane::bench {

namespace {

bool HaveDisplay() { return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr; }

// The editor with a settings file of its own that does not exist yet, as on a first start.
std::vector<std::string> EditorCommand() {
  const QString settings = ScratchDir() + "/startup.ini";
  QFile::remove(settings);
  return {ORVANE_BINARY, "--quit-after-idle", "--settings", settings.toStdString()};
}

// Runs the child once per iteration, timing it by the wall clock from spawn to exit;
// returns the last run, or nothing when it could not run (the case is then skipped).
std::optional<TChildRun> TimeChild(benchmark::State& state, const std::function<std::vector<std::string>()>& command,
                                   bool sampleMemory) {
  if (!HaveDisplay()) {
    state.SkipWithError("no display (run under xvfb-run)");
    return std::nullopt;
  }
  std::optional<TChildRun> last;
  for (auto _ : state) {
    TChildRun run = RunChild(command(), sampleMemory);
    if (!run.Ok) {
      state.SkipWithError(run.Error.c_str());
      break;
    }
    state.SetIterationTime(run.Seconds);
    last = std::move(run);
  }
  return state.error_occurred() ? std::nullopt : last;
}

std::vector<std::string> EmptyGlWindowCommand() { return {ORVANE_EMPTY_GL_WINDOW}; }

// Start-up, the first shown frame and the first idle turn, then the quit (which writes
// the settings file).
void StartToFirstIdle(benchmark::State& state) { TimeChild(state, EditorCommand, false); }

// The same for the empty OpenGL window: what starting any such Qt program costs here.
void EmptyGlWindowStart(benchmark::State& state) { TimeChild(state, EmptyGlWindowCommand, false); }

// Resident size in MB: the high-water mark over the whole run and the last sample taken.
void ReportMemory(benchmark::State& state, const TChildRun& run) {
  state.counters["peak_rss_MB"] = run.PeakRssKb / 1024.0;
  state.counters["last_rss_MB"] = run.LastRssKb / 1024.0;
}

void EditorMemory(benchmark::State& state) {
  if (const auto run = TimeChild(state, EditorCommand, true)) ReportMemory(state, *run);
}

// The yardstick: an empty window holding a QOpenGLWidget, quit after its first frame.
// It also prints its own VmRSS and VmHWM at that frame.
void EmptyGlWindowMemory(benchmark::State& state) {
  const auto run = TimeChild(state, EmptyGlWindowCommand, true);
  if (!run) return;
  ReportMemory(state, *run);
  state.counters["own_rss_MB"] = StatusKb(run->Output, "VmRSS") / 1024.0;
  state.counters["own_hwm_MB"] = StatusKb(run->Output, "VmHWM") / 1024.0;
}

}  // namespace

void RegisterStartupBenchmarks() {
  benchmark::RegisterBenchmark("Startup/StartToFirstIdle", StartToFirstIdle)
      ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Startup/EmptyGlWindowToFirstFrame", EmptyGlWindowStart)
      ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Memory/orvane", EditorMemory)
      ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Memory/empty_gl_window", EmptyGlWindowMemory)
      ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
}

}  // namespace orvane::bench
