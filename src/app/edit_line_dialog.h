// The Edit Line dialog: ticks the columns and rows the CLAY mode works on.
#pragma once

#include <QDialog>

#include "model/grid_geometry.h"
#include "modes/clay_lines.h"

class QListWidget;
class QPushButton;

namespace orvane {

class TEditLineDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TEditLineDlg(QWidget* parent = nullptr);

  // Shows the lines of the sculpt type modally; OK writes the ticks back, Reverse and
  // Retry write the flags at once.
  void Execute(int sculptType, TClayLines& lines, const TGridGeometry& grid);
  // Fills the lists without showing the dialog (Execute does this first).
  void Fill(int sculptType, TClayLines& lines, const TGridGeometry& grid);
  // What OK does.
  void WriteBack();

  QListWidget* Columns() const { return CLBLnI; }
  QListWidget* Rows() const { return CLBlnJ; }
  QPushButton* ReverseButton() const { return Reverse; }
  QPushButton* RetryButton() const { return Retry; }

 private:
  void SetChecks();
  int RowOffset() const;
  int ColumnItems() const;
  int RowItems() const;

  QListWidget* CLBLnI = nullptr;
  QListWidget* CLBlnJ = nullptr;
  QPushButton* Reverse = nullptr;
  QPushButton* Retry = nullptr;
  int Type = 0;
  int ColumnCount = 0;
  int RowCount = 0;
  TClayLines* Lines = nullptr;
  TClayLines Saved;  // the flags as Execute found them
};

}  // namespace orvane
