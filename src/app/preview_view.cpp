// The 3D preview: a grey OpenGL surface; the mesh and camera draw into it.
#include "app/preview_view.h"

namespace orvane {

TPreviewView::TPreviewView(QWidget* parent) : QOpenGLWidget(parent) {
  setMinimumSize(100, 100);
}

void TPreviewView::initializeGL() { initializeOpenGLFunctions(); }

void TPreviewView::paintGL() {
  glClearColor(128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace orvane
