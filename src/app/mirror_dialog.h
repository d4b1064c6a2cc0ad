// The symmetry-plane dialog: three buttons for the XY, YZ and ZX planes.
#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

namespace orvane {

class TMirrorDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TMirrorDlg(QWidget* parent = nullptr);

  // Shows the dialog with the caption, focus on button defaultPlane; returns the
  // plane pressed (0 XY, 1 YZ, 2 ZX) or -1 when closed without a choice.
  int Execute(const QString& caption, int defaultPlane);

  QPushButton* PlaneButton(int plane) const { return buttons_[plane]; }

 private:
  QPushButton* buttons_[3] = {};
  int result_ = -1;
};

}  // namespace orvane
