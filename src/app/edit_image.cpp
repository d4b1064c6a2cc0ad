// The 2D edit view widget.
#include "app/edit_image.h"

#include <QPainter>

namespace orvane {

TEditImage::TEditImage(QWidget* parent) : QWidget(parent) {
  SetPictureSize(535, 535);
}

void TEditImage::SetPictureSize(int width, int height) {
  if (picture_.width() != width || picture_.height() != height) {
    picture_ = QImage(width, height, QImage::Format_RGB32);
    picture_.fill(Qt::white);
  }
  setFixedSize(width, height);
}

void TEditImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

}  // namespace orvane
