// The 3D preview's drawing surface.
#pragma once

#include <QOpenGLFunctions>
#include <QOpenGLWidget>

namespace orvane {

class TPreviewView : public QOpenGLWidget, protected QOpenGLFunctions {
  Q_OBJECT
 public:
  explicit TPreviewView(QWidget* parent = nullptr);

 protected:
  void initializeGL() override;
  void paintGL() override;
};

}  // namespace orvane
