// Preview mesh: vertex order, mirrored positions, negative texture coordinates, smooth normals.
#include "model/preview_mesh.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "model/sculpt_data.h"

namespace orvane {

namespace {

// Normalised sum of the unit normals of the faces around each vertex; a
// degenerate face adds nothing, and a vertex with no usable face gets (0, 0, 1).
void SmoothNormals(TPreviewMesh& mesh) {
  const std::vector<float>& p = mesh.Positions;
  std::vector<double> sum(p.size(), 0.0);
  for (std::size_t t = 0; t + 2 < mesh.Indices.size(); t += 3) {
    const std::uint32_t a = mesh.Indices[t], b = mesh.Indices[t + 1], c = mesh.Indices[t + 2];
    const double ux = p[3 * b] - p[3 * a], uy = p[3 * b + 1] - p[3 * a + 1], uz = p[3 * b + 2] - p[3 * a + 2];
    const double vx = p[3 * c] - p[3 * a], vy = p[3 * c + 1] - p[3 * a + 1], vz = p[3 * c + 2] - p[3 * a + 2];
    double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(len > 1e-12)) continue;
    nx /= len;
    ny /= len;
    nz /= len;
    for (std::uint32_t v : {a, b, c}) {
      sum[3 * v] += nx;
      sum[3 * v + 1] += ny;
      sum[3 * v + 2] += nz;
    }
  }
  mesh.Normals.resize(p.size());
  for (std::size_t v = 0; v + 2 < sum.size(); v += 3) {
    const double len = std::sqrt(sum[v] * sum[v] + sum[v + 1] * sum[v + 1] + sum[v + 2] * sum[v + 2]);
    const bool ok = len > 1e-12;
    mesh.Normals[v] = ok ? float(sum[v] / len) : 0.0f;
    mesh.Normals[v + 1] = ok ? float(sum[v + 1] / len) : 0.0f;
    mesh.Normals[v + 2] = ok ? float(sum[v + 2] / len) : 1.0f;
  }
}

}  // namespace

void BuildPreviewMesh(const TSculptData& model, const TGridGeometry& grid, int viewLevel, TPreviewMesh& mesh) {
  const int L = (viewLevel == 2 || viewLevel == 4) ? viewLevel : 1;
  const int C = grid.ColumnCount;
  const int R = grid.RowCount;
  const int meshColumns = (C - 1) / L + 1;
  const int meshRows = (R - 1) / L + 1;

  mesh.Positions.clear();
  mesh.TexCoords.clear();
  mesh.Indices.clear();
  mesh.Positions.reserve(std::size_t(meshColumns) * meshRows * 3);
  mesh.TexCoords.reserve(std::size_t(meshColumns) * meshRows * 2);
  for (int s = 0; s < meshRows; ++s) {
    const int j = (meshRows - 1 - s) * L;
    for (int c = 0; c < meshColumns; ++c) {
      const int i = c * L;
      const TDbl3D& v = model.PreviewVertices[i][j];
      mesh.Positions.insert(mesh.Positions.end(), {float(-v.X), float(v.Y), float(-v.Z)});
      // Negative coordinates with a repeating texture: -1 and 0 meet at the seam.
      mesh.TexCoords.insert(mesh.TexCoords.end(), {float(-double(i) / (C - 1)), float(-double(j) / (R - 1))});
    }
  }
  mesh.Indices.reserve(std::size_t(meshColumns - 1) * (meshRows - 1) * 6);
  for (int s = 0; s + 1 < meshRows; ++s) {
    for (int c = 0; c + 1 < meshColumns; ++c) {
      const std::uint32_t a = std::uint32_t(s * meshColumns + c);
      const std::uint32_t b = std::uint32_t((s + 1) * meshColumns + c);
      mesh.Indices.insert(mesh.Indices.end(), {a, b, a + 1, a + 1, b, b + 1});
    }
  }
  SmoothNormals(mesh);
}

}  // namespace orvane

namespace orvane {

namespace {

// One row as RGBA bytes from RGB32 and an 8-bit alpha; whole pixels at a time, which the
// compiler vectorises (byte stores through uchar pointers it could not).
void PackRow(const QRgb* __restrict rgb, const uchar* __restrict alpha, uchar* __restrict out, int width) {
  if constexpr (std::endian::native == std::endian::little) {
    auto* __restrict dst = reinterpret_cast<std::uint32_t*>(out);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = rgb[x];
      dst[x] = ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16) | (std::uint32_t(alpha[x]) << 24);
    }
  } else {
    for (int x = 0; x < width; ++x) {
      out[4 * x] = uchar(qRed(rgb[x]));
      out[4 * x + 1] = uchar(qGreen(rgb[x]));
      out[4 * x + 2] = uchar(qBlue(rgb[x]));
      out[4 * x + 3] = alpha[x];
    }
  }
}

}  // namespace

QImage BuildUploadImage(const QImage& colour, const QImage& alpha, int width, int height) {
  QImage out(std::max(width, 1), std::max(height, 1), QImage::Format_RGBA8888);
  if (colour.height() != height || alpha.height() != height || colour.width() < width || alpha.width() < width ||
      width < 1 || height < 1) {
    out.fill(Qt::transparent);
    return out;
  }
  const QImage rgb = colour.format() == QImage::Format_RGB32 ? colour : colour.convertToFormat(QImage::Format_RGB32);
  const QImage a = alpha.format() == QImage::Format_Grayscale8 ? alpha : alpha.convertToFormat(QImage::Format_Grayscale8);
  uchar* bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  for (int y = 0; y < height; ++y)
    PackRow(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), a.constScanLine(y), bits + (height - 1 - y) * stride,
            width);
  return out;
}

}  // namespace orvane
