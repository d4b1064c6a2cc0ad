// The 3D preview widget: the renderer in a QOpenGLWidget, turned by the mouse.
#include "app/preview_view.h"

#include <QMouseEvent>
#include <QResizeEvent>

namespace orvane {

TPreviewView::TPreviewView(QWidget* parent) : QOpenGLWidget(parent) { setMinimumSize(100, 100); }

TPreviewView::~TPreviewView() { ReleaseContext(); }

void TPreviewView::ReleaseContext() {
  if (!renderer_.Ready() || !context()) return;
  makeCurrent();
  renderer_.Release();
  doneCurrent();
}

void TPreviewView::SetMesh(const TPreviewMesh& mesh) {
  mesh_ = mesh;
  renderer_.SetMesh(mesh);
  update();
}

void TPreviewView::SetTexture(const QImage& rgbaRowsUpsideDown) {
  renderer_.SetTexture(rgbaRowsUpsideDown);
  update();
}

void TPreviewView::initializeGL() { renderer_.Initialize(); }

void TPreviewView::resizeEvent(QResizeEvent* event) {
  if (!resizeHeld_) QOpenGLWidget::resizeEvent(event);
}

void TPreviewView::ReleaseResizes() {
  if (!resizeHeld_) return;
  resizeHeld_ = false;
  QResizeEvent settled(size(), size());
  QOpenGLWidget::resizeEvent(&settled);
}

void TPreviewView::paintGL() {
  const qreal ratio = devicePixelRatioF();
  renderer_.Render(camera_, int(width() * ratio), int(height() * ratio));
}

void TPreviewView::mousePressEvent(QMouseEvent* event) {
  lastX_ = event->position().toPoint().x();
  lastY_ = event->position().toPoint().y();
}

void TPreviewView::mouseMoveEvent(QMouseEvent* event) {
  if (!inputEnabled_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint p = event->position().toPoint();
  TurnAroundTarget(camera_, lastY_ - p.y(), lastX_ - p.x());
  lastX_ = p.x();
  lastY_ = p.y();
  update();
}

}  // namespace orvane
