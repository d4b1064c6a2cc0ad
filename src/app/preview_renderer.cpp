// The preview's OpenGL drawing: shaders, buffers, the repeating texture and the camera.
#include "app/preview_renderer.h"

#include <QMatrix4x4>

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

bool TPreviewRenderer::Initialize() {
  initializeOpenGLFunctions();
  ready_ = program_.addCacheableShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) &&
           program_.addCacheableShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) && program_.link();
  if (!ready_) return false;
  positions_.create();
  texCoords_.create();
  indices_.create();
  glGenTextures(1, &textureId_);
  meshPending_ = texturePending_ = true;
  return true;
}

void TPreviewRenderer::Release() {
  if (!ready_) return;
  if (textureId_) glDeleteTextures(1, &textureId_);
  textureId_ = 0;
  positions_.destroy();
  texCoords_.destroy();
  indices_.destroy();
  program_.removeAllShaders();
  ready_ = false;
}

void TPreviewRenderer::SetMesh(const TPreviewMesh& mesh) {
  mesh_ = mesh;
  meshPending_ = true;
}

void TPreviewRenderer::SetTexture(const QImage& rgbaRowsUpsideDown) {
  texture_ = rgbaRowsUpsideDown.convertToFormat(QImage::Format_RGBA8888);
  texturePending_ = true;
}

void TPreviewRenderer::UploadPending() {
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

void TPreviewRenderer::Render(const TCamera& camera, int w, int h) {
  glClearColor(128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!ready_) return;
  UploadPending();
  if (indexCount_ == 0 || texture_.isNull()) return;

  glViewport(0, 0, w, h);
  const TFrustum f = CameraFrustum(camera, w, h);
  QMatrix4x4 projection;
  projection.frustum(float(f.Left), float(f.Right), float(f.Bottom), float(f.Top), float(f.Near), float(f.Far));
  QMatrix4x4 view;
  view.lookAt(QVector3D(float(camera.Position[0]), float(camera.Position[1]), float(camera.Position[2])),
              QVector3D(0, 0, 0), QVector3D(float(camera.Up[0]), float(camera.Up[1]), float(camera.Up[2])));

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

}  // namespace orvane
