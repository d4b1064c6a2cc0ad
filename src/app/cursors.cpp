// Cursor pictures drawn at start, and the hit-code to cursor table.
#include "app/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orvane {

namespace {

void Arrowhead(QPainter& p, QPointF tip, QPointF from) {
  const QPointF d = tip - from;
  const double len = std::hypot(d.x(), d.y());
  if (len == 0) return;
  const QPointF u = d / len, n(-u.y(), u.x());
  QPolygonF head;
  head << tip << tip - 6 * u + 4 * n << tip - 6 * u - 4 * n;
  p.drawPolygon(head);
}

// Black strokes with a white outline, so the cursor shows on any background.
QPixmap Picture(TCustomCursor which) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  for (int pass = 0; pass < 2; ++pass) {
    const QColor colour = pass == 0 ? Qt::white : Qt::black;
    p.setPen(QPen(colour, pass == 0 ? 4 : 2));
    p.setBrush(colour);
    if (which == TCustomCursor::RoTurn) {
      QPainterPath arc;
      arc.arcMoveTo(6, 6, 20, 20, 60);
      arc.arcTo(6, 6, 20, 20, 60, 270);
      p.setBrush(Qt::NoBrush);
      p.drawPath(arc);
      p.setBrush(colour);
      Arrowhead(p, arc.pointAtPercent(1.0), arc.pointAtPercent(0.93));
    } else {
      const bool nwse = which == TCustomCursor::RoNwSe;
      const QPointF a = nwse ? QPointF(6, 6) : QPointF(26, 6);
      const QPointF b = nwse ? QPointF(26, 26) : QPointF(6, 26);
      p.drawLine(a, b);
      Arrowhead(p, a, b);
      Arrowhead(p, b, a);
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(16, 16), 5, 5);  // the ring marks a turn
      p.setBrush(colour);
    }
  }
  return pixmap;
}

}  // namespace

TCursorSet TCursorSet::Create() {
  return {QCursor(Picture(TCustomCursor::RoTurn), 16, 16), QCursor(Picture(TCustomCursor::RoNwSe), 16, 16),
          QCursor(Picture(TCustomCursor::RoNeSw), 16, 16)};
}

QCursor CursorForHit(const TCursorSet& cursors, int code, bool shift, bool alt, bool ctrl) {
  if (shift) return Qt::ArrowCursor;
  if (alt) return Qt::SizeAllCursor;
  switch (code) {
    case 0: return Qt::SizeAllCursor;
    case 1:
    case 4: return ctrl ? cursors.RoNwSe : QCursor(Qt::SizeFDiagCursor);
    case 2:
    case 3: return ctrl ? cursors.RoNeSw : QCursor(Qt::SizeBDiagCursor);
    case 5:
    case 6: return Qt::SizeVerCursor;
    case 7:
    case 8: return Qt::SizeHorCursor;
    case 9: return cursors.RoTurn;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace orvane
