// The benchmark program: a Qt GUI application (painting, fonts, OpenGL) around Google Benchmark.
#include <cstdlib>

#include <benchmark/benchmark.h>
#include <QGuiApplication>

#include "bench_cases.h"

int main(int argc, char** argv) {
  // Without a display the painting cases still run; the OpenGL and start-up ones skip.
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  QGuiApplication app(argc, argv);
  using namespace orvane::bench;
  RegisterLatheBenchmarks();
  RegisterPreviewBenchmarks();
  RegisterModelBenchmarks();
  RegisterStartupBenchmarks();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
