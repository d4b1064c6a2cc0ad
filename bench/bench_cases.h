// The benchmark families and the aspects each runs at: 32x32 and the one that measured
// slowest for it over all seven aspects (4x256 mostly: its 257-row columns give the
// longest LATHE profile and the tallest texture).
#pragma once

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "model/types.h"

namespace orvane::bench {

inline const std::vector<int> kLatheAspects = {ar32x32, ar4x256};
inline const std::vector<int> kMeshAspects = {ar32x32, ar4x256};
inline const std::vector<int> kOverlayAspects = {ar32x32, ar4x256};
inline const std::vector<int> kUndoAspects = {ar32x32, ar256x4};
inline const std::vector<int> kSculptMapAspects = {ar32x32, ar4x256};
inline const std::vector<int> kObjExportAspects = {ar32x32, ar8x128};
inline const std::vector<int> kObjImportAspects = {ar32x32, ar4x256};
inline const std::vector<int> kSmoothAspects = {ar32x32, ar4x256};

// Registers family/<aspect> for each aspect, timed in microseconds.
void RegisterPerAspect(const std::string& family, void (*fn)(benchmark::State&, int), const std::vector<int>& aspects);

void RegisterLatheBenchmarks();
void RegisterPreviewBenchmarks();
void RegisterModelBenchmarks();
void RegisterStartupBenchmarks();

}  // namespace orvane::bench
