// Help > About: the program's name, version and maker.
#pragma once

#include <QDialog>
#include <QIcon>

class QLabel;

namespace orvane {

// The program icon, drawn: a shaded ball with a sculpt grid on it.
QIcon ProgramIcon();

class TAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutDlg(QWidget* parent = nullptr);
  QLabel* VersionLabel() const { return Version; }
  QLabel* LinkLabel() const { return Link; }

 private:
  QLabel* Version = nullptr;
  QLabel* Link = nullptr;
};

}  // namespace orvane
