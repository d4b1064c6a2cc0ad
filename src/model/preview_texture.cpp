// The texture pictures of the 3D preview.
#include "model/preview_texture.h"

#include <algorithm>
#include <cstring>

#include <QPainter>

#include "model/draw_helpers.h"
#include "model/grid_labels.h"
#include "model/lanczos.h"
#include "model/overlay_stamps.h"
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

// destination := a deep copy of source; into its existing pixels when the two match in
// size and format, which spares an allocation on every refresh (bits() detaches first if
// anything else shares them).
void CopyInto(const QImage& source, QImage& destination) {
  if (destination.size() == source.size() && destination.format() == source.format() &&
      destination.bytesPerLine() == source.bytesPerLine() && !source.isNull()) {
    std::memcpy(destination.bits(), source.constBits(), std::size_t(source.sizeInBytes()));
    return;
  }
  destination = source.copy();
}

// The overlay's shapes in painting order, each one's colour over the earlier ones and
// opaque in the alpha: grid lines, emphasised lines, lock and selection dots, labels.
void StampOverlay(QImage& colour, QImage& alpha, const TSculptData& m, const TGridGeometry& g) {
  const TOverlayStamps& s = OverlayStamps(g);
  const int C = g.ColumnCount, R = g.RowCount;
  for (int i = 0; i < C; ++i) {
    const int x = (C - 1 - i) * kCell;
    StampColour(colour, s.ColumnLine, x, 0, m.ColumnMarks[i] != 0 ? GridColour(i, glColumns, g).rgb() : kSilver.rgb());
    StampAlpha(alpha, s.ColumnLine, x, 0);
  }
  for (int j = 0; j < R; ++j) {
    const int y = j * kCell;
    StampColour(colour, s.RowLine, 0, y, m.RowMarks[j] != 0 ? GridColour(j, glRows, g).rgb() : kSilver.rgb());
    StampAlpha(alpha, s.RowLine, 0, y);
  }
  for (int i = 0; i < C; ++i) {
    if (m.ColumnMarks[i] != 2) continue;
    const int x = (C - 1 - i) * kCell;
    for (int dx : {-3, 2}) {
      StampColour(colour, s.ColumnAccent, x + dx, 0, kOrange.rgb());
      StampAlpha(alpha, s.ColumnAccent, x + dx, 0);
    }
  }
  for (int j = 0; j < R; ++j) {
    if (m.RowMarks[j] != 2) continue;
    const int y = j * kCell;
    for (int dy : {-3, 2}) {
      StampColour(colour, s.RowAccent, 0, y + dy, kOrange.rgb());
      StampAlpha(alpha, s.RowAccent, 0, y + dy);
    }
  }
  for (int i = 0; i < C; ++i) {
    for (int j = 0; j < R; ++j) {
      const int x = (C - 1 - i) * kCell, y = j * kCell;
      const bool locked = m.Locked[i][j] != 0, selected = m.Selected[i][j] != 0;
      if (locked) StampColour(colour, s.LockDot, x, y, kCyan.rgb());
      if (selected) StampColour(colour, s.SelectDot, x, y, kRed.rgb());
      if (locked) StampAlpha(alpha, s.LockDot, x, y);
      else if (selected) StampAlpha(alpha, s.SelectDot, x, y);
    }
  }
  StampColour(colour, s.Labels, 0, 0, qRgb(0, 0, 0));
  StampAlpha(alpha, s.Labels, 0, 0);
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
  CopyInto(t.BaseColour, t.PaintedColour);  // into the buffer ResizeTextures already made
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
  CopyInto(t.BaseColour, t.PaintedColour);  // into the buffer ResizeTextures already made
  CopyAlpha(t.BaseAlpha, t.PaintedAlpha, g.TextureHeight);
  return true;
}

void RefreshOverlay(TTextureSet& t, const TSculptData& model, const TGridGeometry& g) {
  ResizeTextures(t, g);
  CopyInto(t.PaintedColour, t.PreviewColour);
  CopyInto(t.PaintedAlpha, t.PreviewAlpha);
  if (t.ShowOverlay) DrawOverlay(t, model, g);
}

void DrawOverlay(TTextureSet& t, const TSculptData& model, const TGridGeometry& g) {
  // The stamps write RGB32 colour and Grayscale8 alpha; the upload converts to them anyway.
  if (t.PreviewColour.format() != QImage::Format_RGB32)
    t.PreviewColour = t.PreviewColour.convertToFormat(QImage::Format_RGB32);
  if (t.PreviewAlpha.format() != QImage::Format_Grayscale8)
    t.PreviewAlpha = t.PreviewAlpha.convertToFormat(QImage::Format_Grayscale8);
  StampOverlay(t.PreviewColour, t.PreviewAlpha, model, g);
}

void CopyAlpha(const QImage& source, QImage& destination, int height) {
  if (source.height() != height || destination.height() != height) return;
  const int bytes = std::min(source.bytesPerLine(), destination.bytesPerLine());
  for (int y = 0; y < height; ++y)
    std::memcpy(destination.scanLine(y), source.constScanLine(y), std::size_t(std::min(bytes, source.width())));
}

}  // namespace orvane
