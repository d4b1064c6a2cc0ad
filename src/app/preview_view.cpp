// The 3D preview's OpenGL renderer and its mouse camera control.
#include "app/preview_view.h"

#include <QMatrix4x4>
#include <QMouseEvent>

namespace orvane {

namespace {

const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec2 texcoord;
uniform mat4 mvp;
varying vec2 uv;
void main() {
  uv = texcoord;
  gl_Position = mvp * vec4(position, 1.0);
})";

// The texel colour as it is: no lighting, alpha honoured by blending.
const char* const kFragmentShader = R"(
uniform sampler2D tex;
varying vec2 uv;
void main() {
  gl_FragColor = texture2D(tex, uv);
})";

// The mesh hangs under a node pitched by 90 degrees: mesh Y goes into the
// screen and mesh Z points up.
QMatrix4x4 SceneMatrix() {
  return QMatrix4x4(1, 0, 0, 0,   //
                    0, 0, 1, 0,   //
                    0, -1, 0, 0,  //
                    0, 0, 0, 1);
}

}  // namespace

TPreviewView::TPreviewView(QWidget* parent) : QOpenGLWidget(parent) { setMinimumSize(100, 100); }

TPreviewView::~TPreviewView() { ReleaseContext(); }

void TPreviewView::ReleaseContext() {
  if (!ready_ || !context()) return;
  makeCurrent();
  if (textureId_) glDeleteTextures(1, &textureId_);
  textureId_ = 0;
  positions_.destroy();
  texCoords_.destroy();
  indices_.destroy();
  program_.removeAllShaders();
  doneCurrent();
  ready_ = false;
}

void TPreviewView::SetMesh(const TPreviewMesh& mesh) {
  mesh_ = mesh;
  meshPending_ = true;
  update();
}

void TPreviewView::SetTexture(const QImage& rgbaRowsUpsideDown) {
  texture_ = rgbaRowsUpsideDown.convertToFormat(QImage::Format_RGBA8888);
  texturePending_ = true;
  update();
}

void TPreviewView::initializeGL() {
  initializeOpenGLFunctions();
  ready_ = program_.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) &&
           program_.addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) && program_.link();
  if (!ready_) return;
  positions_.create();
  texCoords_.create();
  indices_.create();
  glGenTextures(1, &textureId_);
  meshPending_ = texturePending_ = true;
}

void TPreviewView::UploadPending() {
  if (meshPending_) {
    positions_.bind();
    positions_.allocate(mesh_.Positions.data(), int(mesh_.Positions.size() * sizeof(float)));
    texCoords_.bind();
    texCoords_.allocate(mesh_.TexCoords.data(), int(mesh_.TexCoords.size() * sizeof(float)));
    indices_.bind();
    indices_.allocate(mesh_.Indices.data(), int(mesh_.Indices.size() * sizeof(std::uint32_t)));
    indexCount_ = int(mesh_.Indices.size());
    meshPending_ = false;
  }
  if (texturePending_ && !texture_.isNull()) {
    glBindTexture(GL_TEXTURE_2D, textureId_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texture_.width(), texture_.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texture_.constBits());
    // The texture coordinates are negative: the texture repeats.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    texturePending_ = false;
  }
}

void TPreviewView::paintGL() {
  glClearColor(128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!ready_) return;
  UploadPending();
  if (indexCount_ == 0 || texture_.isNull()) return;

  const qreal ratio = devicePixelRatioF();
  const int w = int(width() * ratio), h = int(height() * ratio);
  const TFrustum f = CameraFrustum(camera_, w, h);
  QMatrix4x4 projection;
  projection.frustum(float(f.Left), float(f.Right), float(f.Bottom), float(f.Top), float(f.Near), float(f.Far));
  QMatrix4x4 view;
  view.lookAt(QVector3D(float(camera_.Position[0]), float(camera_.Position[1]), float(camera_.Position[2])),
              QVector3D(0, 0, 0), QVector3D(float(camera_.Up[0]), float(camera_.Up[1]), float(camera_.Up[2])));

  glEnable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  program_.bind();
  program_.setUniformValue("mvp", projection * view * SceneMatrix());
  program_.setUniformValue("tex", 0);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, textureId_);
  positions_.bind();
  program_.enableAttributeArray("position");
  program_.setAttributeBuffer("position", GL_FLOAT, 0, 3);
  texCoords_.bind();
  program_.enableAttributeArray("texcoord");
  program_.setAttributeBuffer("texcoord", GL_FLOAT, 0, 2);
  indices_.bind();
  glDrawElements(GL_TRIANGLES, indexCount_, GL_UNSIGNED_INT, nullptr);
  program_.disableAttributeArray("position");
  program_.disableAttributeArray("texcoord");
  program_.release();
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
