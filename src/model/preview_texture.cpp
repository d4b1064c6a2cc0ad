// The texture pictures of the 3D preview.
#include "model/preview_texture.h"

#include <algorithm>
#include <cstring>

#include <QPainter>

#include "model/draw_helpers.h"
#include "model/grid_labels.h"
#include "model/lanczos.h"
#include "model/picture_reader.h"
#include "model/sculpt_data.h"

namespace orvane {

namespace {

constexpr int kCell = 16;
const QColor kSilver(192, 192, 192);
const QColor kOrange(239, 129, 15);
const QColor kCyan(0, 255, 255);
const QColor kRed(255, 0, 0);

QImage Resized(const QImage& image, int w, int h, QImage::Format format, uint fill) {
  QImage out(w, h, format);
  out.fill(fill);
  if (!image.isNull()) {
    const int cw = std::min(w, image.width()), ch = std::min(h, image.height());
    const int bytes = cw * (format == QImage::Format_Grayscale8 ? 1 : 4);
    for (int y = 0; y < ch; ++y) std::memcpy(out.scanLine(y), image.constScanLine(y), std::size_t(bytes));
  }
  return out;
}

// A line from (x1, y1) to (x2, y2) with a square-capped pen of the given width.
void Line(QPainter& p, const QColor& colour, int width, int x1, int y1, int x2, int y2) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(x1, y1, x2, y2);
}

// A filled circle in the box (cx - r, cy - r) .. (cx + r, cy + r), right and bottom edges excluded.
void Dot(QPainter& p, const QColor& colour, int cx, int cy, int r) {
  p.setPen(QPen(colour, 1));
  p.setBrush(colour);
  p.drawEllipse(QRect(cx - r, cy - r, 2 * r - 1, 2 * r - 1));
}

// The overlay's shapes in one colour scheme; the alpha pass draws them all opaque.
void DrawOverlayShapes(QImage& image, const TSculptData& m, const TGridGeometry& g, bool alphaPass) {
  const int C = g.ColumnCount, R = g.RowCount;
  const int W = g.TextureWidth, H = g.TextureHeight;
  const QColor opaque(255, 255, 255);
  QPainter p(&image);
  QPen pen;
  for (int i = 0; i < C; ++i) {
    const int x = (C - 1 - i) * kCell;
    GridPen(i, pen, glColumns, g);
    const QColor c = alphaPass ? opaque : (m.ColumnMarks[i] != 0 ? pen.color() : kSilver);
    Line(p, c, 2, x, 0, x, H - 1);
  }
  for (int j = 0; j < R; ++j) {
    const int y = j * kCell;
    GridPen(j, pen, glRows, g);
    const QColor c = alphaPass ? opaque : (m.RowMarks[j] != 0 ? pen.color() : kSilver);
    Line(p, c, 2, 0, y, W - 1, y);
  }
  const QColor emphasis = alphaPass ? opaque : kOrange;
  for (int i = 0; i < C; ++i) {
    if (m.ColumnMarks[i] != 2) continue;
    const int x = (C - 1 - i) * kCell;
    Line(p, emphasis, 3, x - 3, 0, x - 3, H);
    Line(p, emphasis, 3, x + 2, 0, x + 2, H);
  }
  for (int j = 0; j < R; ++j) {
    if (m.RowMarks[j] != 2) continue;
    const int y = j * kCell;
    Line(p, emphasis, 3, 0, y - 3, W, y - 3);
    Line(p, emphasis, 3, 0, y + 2, W, y + 2);
  }
  for (int i = 0; i < C; ++i) {
    for (int j = 0; j < R; ++j) {
      const int x = (C - 1 - i) * kCell, y = j * kCell;
      if (alphaPass) {
        if (m.Locked[i][j] != 0) Dot(p, opaque, x, y, 6);
        else if (m.Selected[i][j] != 0) Dot(p, opaque, x, y, 5);
        continue;
      }
      if (m.Locked[i][j] != 0) Dot(p, kCyan, x, y, 6);
      if (m.Selected[i][j] != 0) Dot(p, kRed, x, y, 5);
    }
  }
}

// The labels on an alpha bitmap: drawn black on a scratch picture, then made opaque.
void DrawLabelsOpaque(QImage& alpha, const TGridGeometry& g) {
  QImage scratch(alpha.size(), QImage::Format_RGB32);
  scratch.fill(Qt::white);
  DrawGridLabels(scratch, g);
  for (int y = 0; y < alpha.height(); ++y) {
    const auto* s = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    uchar* a = alpha.scanLine(y);
    for (int x = 0; x < alpha.width(); ++x)
      if (s[x] != qRgb(255, 255, 255)) a[x] = 255;
  }
}

}  // namespace

void ResizeTextures(TTextureSet& t, const TGridGeometry& g) {
  const int w = g.TextureWidth, h = g.TextureHeight;
  for (QImage* colour : {&t.BaseColour, &t.PaintedColour, &t.PreviewColour})
    if (colour->size() != QSize(w, h)) *colour = Resized(*colour, w, h, QImage::Format_RGB32, 0xFFFFFFFFu);
  for (QImage* alpha : {&t.BaseAlpha, &t.PaintedAlpha, &t.PreviewAlpha})
    if (alpha->size() != QSize(w, h)) *alpha = Resized(*alpha, w, h, QImage::Format_Grayscale8, 255);
}

void ResetTexture(TTextureSet& t, const TGridGeometry& g) {
  ResizeTextures(t, g);
  const int W = g.TextureWidth, H = g.TextureHeight;
  t.BaseColour.fill(Qt::white);
  {
    QPainter p(&t.BaseColour);
    QPen pen;
    // Every inner line is two pixels wide (16k - 1 and 16k), the outer ones one.
    for (int k = 1; k <= g.ColumnCount - 1; ++k) {
      GridPen(k, pen, glColumns, g);
      Line(p, pen.color(), 1, kCell * k - 1, 0, kCell * k - 1, H);
    }
    for (int k = 0; k <= g.ColumnCount - 2; ++k) {
      GridPen(k, pen, glColumns, g);
      Line(p, pen.color(), 1, kCell * k, 0, kCell * k, H);
    }
    for (int k = 1; k <= g.RowCount - 1; ++k) {
      GridPen(k, pen, glRows, g);
      Line(p, pen.color(), 1, 0, kCell * k - 1, W, kCell * k - 1);
    }
    for (int k = 0; k <= g.RowCount - 2; ++k) {
      GridPen(k, pen, glRows, g);
      Line(p, pen.color(), 1, 0, kCell * k, W, kCell * k);
    }
  }
  DrawGridLabels(t.BaseColour, g);
  t.BaseAlpha.fill(255);
  t.PaintedColour = t.BaseColour.copy();
  CopyAlpha(t.BaseAlpha, t.PaintedAlpha, H);
}

bool LoadTexture(TTextureSet& t, const TGridGeometry& g, const QString& name, QString* reason) {
  TPicture picture;
  if (!ReadPicture(name, kPictureLimits, picture, reason)) return false;
  const QImage scaled = ResampleLanczos3(picture.Image, QSize(g.TextureWidth, g.TextureHeight));
  if (scaled.isNull()) {
    if (reason) *reason = "the picture could not be resampled to the texture size";
    return false;
  }
  ResizeTextures(t, g);
  t.BaseColour = scaled.convertToFormat(QImage::Format_RGB32);
  if (scaled.hasAlphaChannel()) {
    for (int y = 0; y < g.TextureHeight; ++y) {
      const auto* s = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
      uchar* a = t.BaseAlpha.scanLine(y);
      for (int x = 0; x < g.TextureWidth; ++x) a[x] = uchar(qAlpha(s[x]));
    }
  }
  t.PaintedColour = t.BaseColour.copy();
  CopyAlpha(t.BaseAlpha, t.PaintedAlpha, g.TextureHeight);
  return true;
}

void RefreshOverlay(TTextureSet& t, const TSculptData& model, const TGridGeometry& g) {
  ResizeTextures(t, g);
  t.PreviewColour = t.PaintedColour.copy();
  t.PreviewAlpha = t.PaintedAlpha.copy();
  if (t.ShowOverlay) DrawOverlay(t, model, g);
}

void DrawOverlay(TTextureSet& t, const TSculptData& model, const TGridGeometry& g) {
  DrawOverlayShapes(t.PreviewColour, model, g, false);
  DrawGridLabels(t.PreviewColour, g);
  DrawOverlayShapes(t.PreviewAlpha, model, g, true);
  DrawLabelsOpaque(t.PreviewAlpha, g);
}

void CopyAlpha(const QImage& source, QImage& destination, int height) {
  if (source.height() != height || destination.height() != height) return;
  const int bytes = std::min(source.bytesPerLine(), destination.bytesPerLine());
  for (int y = 0; y < height; ++y)
    std::memcpy(destination.scanLine(y), source.constScanLine(y), std::size_t(std::min(bytes, source.width())));
}

}  // namespace orvane
