// The 3D preview's idle-turn work: the mesh build and its upload, the texture upload, the overlay.
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include "app/preview_renderer.h"
#include "bench_cases.h"
#include "bench_world.h"
#include "model/preview_mesh.h"
#include "model/preview_texture.h"
#include "modes/lathe.h"

namespace orvane::bench {

namespace {

constexpr int kViewLevel = 1;
// The renderer uploads what is pending when it paints; a one-pixel paint keeps what is
// timed beyond the uploads to a draw call of the mesh.
constexpr int kViewport = 1;

// A current offscreen context with a small framebuffer and an initialised renderer, as
// the preview widget has once it is shown.
class TGlWorld {
 public:
  // Makes the context and the renderer; without them the case is skipped.
  bool Make(benchmark::State& state) {
    std::string reason;
    if (MakeContext(&reason)) return true;
    state.SkipWithError(reason.c_str());
    return false;
  }
  bool MakeContext(std::string* reason) {
    if (!context_.create()) return Fail(reason, "no OpenGL context can be made");
    surface_.setFormat(context_.format());
    surface_.create();
    if (!surface_.isValid() || !context_.makeCurrent(&surface_)) return Fail(reason, "no offscreen surface");
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    target_ = std::make_unique<QOpenGLFramebufferObject>(QSize(kViewport, kViewport), format);
    if (!target_->isValid() || !target_->bind()) return Fail(reason, "no framebuffer object");
    if (!Renderer.Initialize()) return Fail(reason, "the preview shaders do not build");
    return true;
  }
  ~TGlWorld() {
    if (QOpenGLContext::currentContext() == &context_) {
      Renderer.Release();
      target_.reset();
      context_.doneCurrent();
    }
  }
  // A paint of the preview, then a wait until the GL has really taken the data.
  void Paint() {
    Renderer.Render(Camera, kViewport, kViewport);
    context_.functions()->glFinish();
  }

  TPreviewRenderer Renderer;
  TCamera Camera;

 private:
  static bool Fail(std::string* reason, const char* why) {
    *reason = why;
    return false;
  }
  QOpenGLContext context_;
  QOffscreenSurface surface_;
  std::unique_ptr<QOpenGLFramebufferObject> target_;
};

// The texture as the main window has it after New: the grid picture with the overlay.
void MakeTextures(TBenchWorld& world, TTextureSet& textures) {
  ResetTexture(textures, world.Grid);
  RefreshOverlay(textures, world.Model, world.Grid);
}

QImage UploadImage(const TBenchWorld& world, const TTextureSet& textures) {
  return BuildUploadImage(textures.PreviewColour, textures.PreviewAlpha, world.Grid.TextureWidth,
                          world.Grid.TextureHeight);
}

void MeshBuild(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  TPreviewMesh mesh;
  for (auto _ : state) {
    BuildPreviewMesh(world.Model, world.Grid, kViewLevel, mesh);
    benchmark::DoNotOptimize(mesh.Normals.data());
  }
  state.counters["triangles"] = mesh.TriangleCount();
}

// The idle turn after an edit: build the mesh, hand it to the preview, and the paint that uploads it.
void MeshBuildAndUpload(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  TTextureSet textures;
  MakeTextures(world, textures);
  TGlWorld gl;
  if (!gl.Make(state)) return;
  gl.Renderer.SetTexture(UploadImage(world, textures));
  TPreviewMesh mesh;
  for (auto _ : state) {
    BuildPreviewMesh(world.Model, world.Grid, kViewLevel, mesh);
    gl.Renderer.SetMesh(mesh);
    gl.Paint();
  }
}

// The idle turn after the overlay changed: the upload picture, then the paint that uploads it.
void TextureUpload(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  TTextureSet textures;
  MakeTextures(world, textures);
  TGlWorld gl;
  if (!gl.Make(state)) return;
  TPreviewMesh mesh;
  BuildPreviewMesh(world.Model, world.Grid, kViewLevel, mesh);
  gl.Renderer.SetMesh(mesh);
  for (auto _ : state) {
    gl.Renderer.SetTexture(UploadImage(world, textures));
    gl.Paint();
  }
  state.counters["texels"] = double(world.Grid.TextureWidth) * world.Grid.TextureHeight;
}

void UploadImageBuild(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  TTextureSet textures;
  MakeTextures(world, textures);
  for (auto _ : state) benchmark::DoNotOptimize(UploadImage(world, textures).constBits());
}

// Both refreshes an edit leaves for the idle turns, reaching the GPU in one paint.
void MeshAndTextureUpload(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  TTextureSet textures;
  MakeTextures(world, textures);
  TGlWorld gl;
  if (!gl.Make(state)) return;
  TPreviewMesh mesh;
  for (auto _ : state) {
    BuildPreviewMesh(world.Model, world.Grid, kViewLevel, mesh);
    gl.Renderer.SetMesh(mesh);
    gl.Renderer.SetTexture(UploadImage(world, textures));
    gl.Paint();
  }
}

// After a LATHE drag: every vertex selected, the profile column's marks set by the mode's drawing.
void OverlayRefresh(benchmark::State& state, int aspect) {
  TBenchWorld world(stSphere, aspect);
  TLatheMode mode(world.Context());
  mode.Activate(world.Model);
  world.SelectAll();
  QImage view;
  mode.Draw(world.Model, view);
  TTextureSet textures;
  MakeTextures(world, textures);
  for (auto _ : state) {
    RefreshOverlay(textures, world.Model, world.Grid);
    benchmark::DoNotOptimize(textures.PreviewColour.constBits());
  }
}

}  // namespace

void RegisterPreviewBenchmarks() {
  RegisterPerAspect("PreviewMesh/Build", MeshBuild, kMeshAspects);
  RegisterPerAspect("PreviewMesh/BuildAndUpload", MeshBuildAndUpload, kMeshAspects);
  RegisterPerAspect("PreviewTexture/BuildUploadImage", UploadImageBuild, kMeshAspects);
  RegisterPerAspect("PreviewTexture/Upload", TextureUpload, kMeshAspects);
  RegisterPerAspect("Preview/MeshAndTextureUpload", MeshAndTextureUpload, kMeshAspects);
  RegisterPerAspect("PreviewTexture/RefreshOverlay", OverlayRefresh, kOverlayAspects);
}

}  // namespace orvane::bench
