// The 3D preview: the textured mesh seen through a camera that turns around it.
#pragma once

#include <QImage>
#include <QOpenGLWidget>

#include "app/preview_renderer.h"
#include "model/camera.h"
#include "model/preview_mesh.h"

namespace orvane {

class TPreviewView : public QOpenGLWidget {
  Q_OBJECT
 public:
  explicit TPreviewView(QWidget* parent = nullptr);
  ~TPreviewView() override;

  // Replace the mesh or the texture; both reach the GPU at the next paint.
  void SetMesh(const TPreviewMesh& mesh);
  void SetTexture(const QImage& rgbaRowsUpsideDown);

  TCamera& Camera() { return camera_; }
  const TPreviewMesh& Mesh() const { return mesh_; }
  // Frees the GPU objects while the context still exists.
  void ReleaseContext();

  // Set by the main window: false until the window has been shown once.
  void SetInputEnabled(bool enabled) { inputEnabled_ = enabled; }
  // While held, sizes are not passed on: each one would rebuild the framebuffer and repaint
  // while the window is still settling its layout. Release applies the final size.
  void HoldResizes() { resizeHeld_ = true; }
  void ReleaseResizes();

 protected:
  void initializeGL() override;
  void paintGL() override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  TCamera camera_;
  TPreviewMesh mesh_;
  TPreviewRenderer renderer_;
  bool inputEnabled_ = false;
  bool resizeHeld_ = false;
  int lastX_ = 0, lastY_ = 0;  // last mouse position over the viewer
};

}  // namespace orvane
