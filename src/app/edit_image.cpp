// The 2D edit view widget.
#include "app/edit_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvane {

namespace {
QPoint Pixel(const QMouseEvent* e) { return e->position().toPoint(); }
}  // namespace

TEditImage::TEditImage(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);  // the read-out and the cursor follow the mouse without a button
  SetPictureSize(535, 535);
}

void TEditImage::SetPictureSize(int width, int height) {
  if (picture_.width() != width || picture_.height() != height) {
    picture_ = QImage(width, height, QImage::Format_RGB32);
    picture_.fill(Qt::white);
  }
  PictureChanged();
}

void TEditImage::PictureChanged() {
  if (size() != picture_.size()) setFixedSize(picture_.size());
  update();
}

void TEditImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void TEditImage::mousePressEvent(QMouseEvent* e) {
  emit MousePressed(e->button(), e->modifiers(), Pixel(e).x(), Pixel(e).y());
}

void TEditImage::mouseMoveEvent(QMouseEvent* e) {
  emit MouseMoved(e->buttons(), e->modifiers(), Pixel(e).x(), Pixel(e).y());
}

void TEditImage::mouseReleaseEvent(QMouseEvent* e) {
  emit MouseReleased(e->button(), e->modifiers(), Pixel(e).x(), Pixel(e).y());
}

}  // namespace orvane
