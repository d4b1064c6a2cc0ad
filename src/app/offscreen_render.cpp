// Offscreen OpenGL: a context on an offscreen surface drawing into a framebuffer object.
#include "app/offscreen_render.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include "app/preview_renderer.h"
#include "model/sculpt_data.h"

namespace orvane {

bool RenderPreviewOffscreen(const TSculptData& model, const TGridGeometry& grid, const TTextureSet& textures,
                            int viewLevel, const TCamera& camera, QSize size, QImage& out, QString* reason) {
  auto fail = [&](const char* why) {
    if (reason) *reason = why;
    return false;
  };
  if (size.width() < 1 || size.height() < 1 || size.width() > 8192 || size.height() > 8192)
    return fail("the picture size must be between 1x1 and 8192x8192");
  QOpenGLContext context;
  if (!context.create()) return fail("no OpenGL context is available");
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) return fail("no offscreen OpenGL surface is available");

  bool done = false;
  {
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    QOpenGLFramebufferObject target(size, format);
    TPreviewRenderer renderer;
    if (target.isValid() && target.bind() && renderer.Initialize()) {
      TPreviewMesh mesh;
      BuildPreviewMesh(model, grid, viewLevel, mesh);
      renderer.SetMesh(mesh);
      renderer.SetTexture(
          BuildUploadImage(textures.PreviewColour, textures.PreviewAlpha, grid.TextureWidth, grid.TextureHeight));
      renderer.Render(camera, size.width(), size.height());
      out = target.toImage().convertToFormat(QImage::Format_RGB32);
      renderer.Release();
      done = true;
    }
  }
  context.doneCurrent();
  return done ? true : fail("the OpenGL framebuffer or shaders could not be set up");
}

}  // namespace orvane
