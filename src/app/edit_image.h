// The 2D edit view: shows the image the active mode draws into and reports the mouse.
#pragma once

#include <QImage>
#include <QWidget>

namespace orvane {

class TEditImage : public QWidget {
  Q_OBJECT
 public:
  explicit TEditImage(QWidget* parent = nullptr);

  QImage& Picture() { return picture_; }
  // Resizes the widget and its picture together.
  void SetPictureSize(int width, int height);
  // Call after drawing into Picture(): the widget takes its size and repaints.
  void PictureChanged();

 signals:
  void MousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace orvane
