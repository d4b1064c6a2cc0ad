// Draws the textured preview mesh with OpenGL into whatever surface is current.
#pragma once

#include <QImage>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include "model/camera.h"
#include "model/preview_mesh.h"

namespace orvane {

class TPreviewRenderer : protected QOpenGLFunctions {
 public:
  // Both need a current context; Initialize returns false when the shaders fail.
  bool Initialize();
  void Release();
  bool Ready() const { return ready_; }

  // Kept on the CPU side until the next Render, which uploads them.
  void SetMesh(const TPreviewMesh& mesh);
  void SetTexture(const QImage& rgbaRowsUpsideDown);

  // Clears to grey and draws the mesh for a viewport of width x height pixels.
  void Render(const TCamera& camera, int width, int height);

 private:
  void UploadPending();

  TPreviewMesh mesh_;
  QImage texture_;
  bool meshPending_ = false;
  bool texturePending_ = false;
  QOpenGLShaderProgram program_;
  QOpenGLBuffer positions_{QOpenGLBuffer::VertexBuffer};
  QOpenGLBuffer texCoords_{QOpenGLBuffer::VertexBuffer};
  QOpenGLBuffer indices_{QOpenGLBuffer::IndexBuffer};
  GLuint textureId_ = 0;
  int indexCount_ = 0;
  bool ready_ = false;
};

}  // namespace orvane
