#include "app/about_dialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace orvane {

QIcon ProgramIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shade(QPointF(24, 22), 40);
  shade.setColorAt(0, QColor(250, 200, 120));
  shade.setColorAt(1, QColor(150, 60, 40));
  p.setBrush(shade);
  p.setPen(QPen(QColor(90, 40, 30), 1.5));
  p.drawEllipse(QRectF(4, 4, 56, 56));
  // Meridians and parallels, as the sculpt grid closes into a sphere.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 150), 1));
  for (double w : {14.0, 34.0}) p.drawEllipse(QRectF(32 - w / 2, 4, w, 56));
  for (double h : {14.0, 34.0}) p.drawEllipse(QRectF(4, 32 - h / 2, 56, h));
  return QIcon(pixmap);
}

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutDlg");
  setWindowTitle("Version Infomation");
  setModal(true);
  auto* layout = new QHBoxLayout(this);
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(64, 64));
  icon->setAlignment(Qt::AlignTop);
  layout->addWidget(icon);

  auto* text = new QVBoxLayout;
  Version = new QLabel(QString("ORVANE Ver.%1").arg(ORVANE_VERSION), this);
  QFont bold = Version->font();
  bold.setBold(true);
  Version->setFont(bold);
  text->addWidget(Version);
  text->addWidget(new QLabel("- Sculpted Prim Previewer -", this));
  text->addWidget(new QLabel(QString("3D preview: OpenGL through Qt %1").arg(qVersion()), this));
  text->addWidget(new QLabel("PELORIN WORKS", this));
  text->addWidget(new QLabel("Built with Qt, libpng and stb_image.", this));
  // The maker's page is a build setting; without one there is nothing to open.
  const QString homepage = QStringLiteral(ORVANE_HOMEPAGE_URL);
  Link = new QLabel(this);
  Link->setObjectName("LinkLabel");
  if (!homepage.isEmpty()) {
    Link->setText(QString("<a href=\"%1\">%1</a>").arg(homepage.toHtmlEscaped()));
    Link->setCursor(Qt::PointingHandCursor);
    connect(Link, &QLabel::linkActivated, this, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
  }
  Link->setVisible(!homepage.isEmpty());
  text->addWidget(Link);
  auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
  text->addWidget(ok);
  layout->addLayout(text);
}

}  // namespace orvane
