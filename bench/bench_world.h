// What every benchmark starts from: a model, its grid geometry and settings, and scratch files.
#pragma once

#include <string>
#include <vector>

#include <QString>

#include "model/grid_geometry.h"
#include "model/sculpt_data.h"
#include "model/settings.h"
#include "modes/mode_handlers.h"

namespace orvane::bench {

// The aspects a case runs at: the chosen ones, or all seven when ORVANE_BENCH_ALL_ASPECTS=1
// (to see again which one is the slowest).
std::vector<int> AspectsToRun(const std::vector<int>& chosen);

// A fresh model of a sculpt type and aspect, committed as the main window's New leaves it.
struct TBenchWorld {
  TGridGeometry Grid;
  TAppSettings Settings;
  TViewState View;
  TSculptData Model;

  TBenchWorld(int type, int aspect);
  TModeContext Context() { return TModeContext{Grid, Settings, &View}; }
  // Every used vertex selected and committed, as Ctrl+A leaves it.
  void SelectAll();
};

// "32x32", "64x16", ...
std::string AspectLabel(int aspect);

// A scratch folder that lives until the program ends.
QString ScratchDir();

// A generated 800 x 600 photo-like picture written once into the scratch folder.
QString TestPicturePath();

}  // namespace orvane::bench
