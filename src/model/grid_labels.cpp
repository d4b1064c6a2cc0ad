// One-character names of grid columns and rows, and their labels on the texture.
#include "model/grid_labels.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace orvane {
namespace {

std::string PositionLabel(int count, int n) {
  if (n == count - 1) return "G";
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const int index = ((n / 2) % 16 + 16) % 16;  // a negative position still names a digit
  return std::string(1, kDigits[index]);
}

}  // namespace

std::string ColumnLabel(const TGridGeometry& grid, int n) { return PositionLabel(grid.ColumnCount, n); }

std::string RowLabel(const TGridGeometry& grid, int n) { return PositionLabel(grid.RowCount, n); }

void DrawGridLabels(QImage& bitmap, const TGridGeometry& grid) {
  const int columnPairs = (grid.ColumnCount - 1) / 2;
  const int rowPairs = (grid.RowCount - 1) / 2;
  if (columnPairs <= 0 || rowPairs <= 0 || bitmap.isNull()) return;
  const int cw = grid.TextureWidth / columnPairs;
  const int ch = grid.TextureHeight / rowPairs;
  if (cw < 2 || ch <= 0) return;  // no room for a readable label

  QPainter painter(&bitmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  QFont font = painter.font();
  font.setPixelSize(cw / 2);
  font.setStyleStrategy(QFont::NoAntialias);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  // A text origin is the top-left corner of its cell, as the labels' offsets assume.
  const auto write = [&](int x, int y, const std::string& text) {
    painter.drawText(QRect(x, y, cw, ch), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     QString::fromLatin1(text.c_str()));
  };
  for (int d = 0; d < columnPairs; ++d) {
    for (int g = 0; g < rowPairs; ++g) {
      write(d * cw + 4, g * ch + 4, ColumnLabel(grid, 2 * d));
      write(d * cw + cw / 2, g * ch + 4, RowLabel(grid, 2 * g));
    }
  }
}

}  // namespace orvane
