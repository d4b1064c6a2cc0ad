// The symmetry-plane dialog with its drawn plane pictures.
#include "app/mirror_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

// A plane seen at an angle, in the colour of its caption.
QIcon PlanePicture(int plane, const QColor& colour) {
  QPixmap pixmap(48, 48);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF shape;
  if (plane == 0) shape << QPointF(4, 30) << QPointF(30, 30) << QPointF(44, 18) << QPointF(18, 18);  // lying flat
  else if (plane == 1) shape << QPointF(16, 44) << QPointF(32, 32) << QPointF(32, 4) << QPointF(16, 16);  // side on
  else shape << QPointF(8, 42) << QPointF(38, 42) << QPointF(38, 8) << QPointF(8, 8);  // facing
  QColor fill = colour;
  fill.setAlpha(90);
  p.setBrush(fill);
  p.setPen(QPen(colour, 2));
  p.drawPolygon(shape);
  return QIcon(pixmap);
}

}  // namespace

TMirrorDlg::TMirrorDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("MirrorDlg");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Please choose a symmetry plane.", this));
  auto* row = new QHBoxLayout;
  const char* captions[] = {"XY", "YZ", "ZX"};
  const QColor colours[] = {QColor(0, 0, 255), QColor(255, 0, 0), QColor(0, 128, 0)};
  for (int plane = 0; plane < 3; ++plane) {
    auto* b = new QPushButton(PlanePicture(plane, colours[plane]), captions[plane], this);
    b->setObjectName(QString("PlaneButton%1").arg(plane));
    b->setIconSize(QSize(48, 48));
    b->setAutoDefault(false);
    QPalette palette = b->palette();
    palette.setColor(QPalette::ButtonText, colours[plane]);
    b->setPalette(palette);
    connect(b, &QPushButton::clicked, this, [this, plane] {
      result_ = plane;
      accept();
    });
    buttons_[plane] = b;
    row->addWidget(b);
  }
  layout->addLayout(row);
}

int TMirrorDlg::Execute(const QString& caption, int defaultPlane) {
  result_ = -1;
  setWindowTitle(caption);
  if (defaultPlane >= 0 && defaultPlane < 3) buttons_[defaultPlane]->setFocus();
  exec();
  return result_;
}

}  // namespace orvane
