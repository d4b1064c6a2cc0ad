// The 2D edit view: shows the image the active mode draws into.
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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace orvane
