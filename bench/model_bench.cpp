// Model work behind the commands: undo snapshots, sculpt map and OBJ files, smoothing.
#include <string>

#include <benchmark/benchmark.h>

#include "bench_cases.h"
#include "bench_world.h"
#include "model/grid_ops.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/preview_texture.h"
#include "model/sculpt_map.h"
#include "model/undo_history.h"

namespace orvane::bench {

namespace {

constexpr int kSaveTgaSize = 512;
constexpr double kSmoothRadius = 2.5;

void IgnoreWarning(const QString&) {}

QString ScratchFile(const std::string& stem, int aspect, const char* ext) {
  return ScratchDir() + "/" + QString::fromStdString(stem + "-" + AspectLabel(aspect)) + ext;
}

// The state after a LATHE drag: every vertex selected and moved a little.
void MakeEdited(TBenchWorld& world) {
  world.SelectAll();
  for (int i = 0; i < world.Grid.ColumnCount; ++i)
    for (int j = 0; j < world.Grid.RowCount; ++j) world.Model.Vertices[i][j].Z *= 0.9;
  UpdateSelection(world.Model, world.Grid);
}

void SnapshotPush(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  MakeEdited(world);
  TUndoHistory history;
  StartHistory(history, world.Model);
  for (auto _ : state) {
    PushSnapshot(history, world.Model);
    benchmark::ClobberMemory();
  }
}

void SnapshotUndo(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  MakeEdited(world);
  TUndoHistory history;
  StartHistory(history, world.Model);
  for (int k = 1; k < kHistorySize; ++k) PushSnapshot(history, world.Model);
  for (auto _ : state) {
    if (!CanUndo(history)) {
      // Walk forward again so that there is something left to undo.
      state.PauseTiming();
      while (CanRedo(history)) Redo(history, world.Model, world.Grid);
      state.ResumeTiming();
    }
    Undo(history, world.Model, world.Grid);
    benchmark::ClobberMemory();
  }
}

void SculptMapSave(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  world.Settings.TgaSize = kSaveTgaSize;
  const QString target = ScratchFile("save", aspect, ".tga");
  for (auto _ : state) {
    QString name = target;
    QString reason;
    if (!SaveSculptMap(world.Model, world.Grid, name, world.Settings, IgnoreWarning, &reason)) {
      state.SkipWithError(reason.toStdString().c_str());
      break;
    }
  }
}

void SculptMapLoad(benchmark::State& state, int aspect) {
  TBenchWorld source(stSphere, aspect);
  source.Settings.TgaSize = kSaveTgaSize;
  QString name = ScratchFile("load", aspect, ".tga");
  QString reason;
  if (!SaveSculptMap(source.Model, source.Grid, name, source.Settings, IgnoreWarning, &reason)) {
    state.SkipWithError(reason.toStdString().c_str());
    return;
  }
  TBenchWorld world(stSphere, ar32x32);
  for (auto _ : state) {
    const TSculptMapLoad load = LoadSculptMap(name, kDetectSculptType, world.Settings, world.Model, world.Grid);
    if (!load.Ok) {
      state.SkipWithError(load.Reason.toStdString().c_str());
      break;
    }
  }
}

// Writes the mesh, its material and its texture picture, as File Save does for an OBJ name.
bool WriteObj(TBenchWorld& world, const TTextureSet& textures, QString name, QString* reason) {
  return ExportObj(world.Model, world.Grid, textures, name, true, world.Settings, IgnoreWarning, reason);
}

void ObjExport(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  TTextureSet textures;
  ResetTexture(textures, world.Grid);
  const QString name = ScratchFile("export", aspect, ".obj");
  for (auto _ : state) {
    QString reason;
    if (!WriteObj(world, textures, name, &reason)) {
      state.SkipWithError(reason.toStdString().c_str());
      break;
    }
  }
}

void ObjImport(benchmark::State& state, int aspect) {
  TBenchWorld source(stSphere, aspect);
  TTextureSet textures;
  ResetTexture(textures, source.Grid);
  const QString name = ScratchFile("import", aspect, ".obj");
  QString reason;
  if (!WriteObj(source, textures, name, &reason)) {
    state.SkipWithError(reason.toStdString().c_str());
    return;
  }
  TBenchWorld world(stSphere, ar32x32);
  for (auto _ : state) {
    const TObjImport result = ImportObj(world.Model, world.Grid, name);
    if (!result.Ok) {
      state.SkipWithError(result.Reason.toStdString().c_str());
      break;
    }
  }
}

void Smooth(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  world.SelectAll();
  for (auto _ : state) {
    GaussSmooth(world.Model, world.Grid, kSmoothRadius, kSmoothRadius);
    benchmark::ClobberMemory();
  }
}

}  // namespace

void RegisterModelBenchmarks() {
  RegisterPerAspect("Undo/PushSnapshot", SnapshotPush, kUndoAspects);
  RegisterPerAspect("Undo/Undo", SnapshotUndo, kUndoAspects);
  RegisterPerAspect("SculptMap/Save512", SculptMapSave, kSculptMapAspects);
  RegisterPerAspect("SculptMap/Load512", SculptMapLoad, kSculptMapAspects);
  RegisterPerAspect("Obj/ExportSphere", ObjExport, kObjExportAspects);
  RegisterPerAspect("Obj/ImportSphere", ObjImport, kObjImportAspects);
  RegisterPerAspect("GaussSmooth/r2.5", Smooth, kSmoothAspects);
}

}  // namespace orvane::bench
