// The smallest Qt window with an OpenGL widget: shown, one frame drawn, then its resident
// size printed and the program quits. scripts/bench compares the editor's memory with it.
#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>

namespace {

class TClearWidget : public QOpenGLWidget {
 protected:
  void paintGL() override {
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT);
  }
};

void PrintResidentSize() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0 || line.rfind("VmHWM:", 0) == 0) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TClearWidget window;
  window.resize(800, 600);
  bool printed = false;
  QObject::connect(&window, &QOpenGLWidget::frameSwapped, &app, [&printed] {
    if (printed) return;
    printed = true;
    PrintResidentSize();
    QApplication::quit();
  });
  window.show();
  return app.exec();
}
