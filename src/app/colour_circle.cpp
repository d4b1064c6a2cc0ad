// The pen colour circle of the Setup dialog.
#include "app/colour_circle.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

namespace orvane {

QColor ColourFromNumber(int c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

int NumberFromColour(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

TColourCircle::TColourCircle(QWidget* parent) : QWidget(parent) {
  setFixedSize(32, 32);
  setCursor(Qt::PointingHandCursor);
  picker_ = [](const QColor& initial, QWidget* owner) -> std::optional<QColor> {
    const QColor picked = QColorDialog::getColor(initial, owner, "Texture Pen Color");
    if (!picked.isValid()) return std::nullopt;
    return picked;
  };
}

void TColourCircle::SetColour(int colour) {
  colour_ = colour & 0xFFFFFF;
  update();
}

void TColourCircle::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::darkGray, 1));
  p.setBrush(ColourFromNumber(colour_));
  p.drawEllipse(rect().adjusted(2, 2, -3, -3));
}

void TColourCircle::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  if (const auto picked = picker_(ColourFromNumber(colour_), this)) SetColour(NumberFromColour(*picked));
}

}  // namespace orvane
