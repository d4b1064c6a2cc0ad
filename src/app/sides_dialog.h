// The Sides dialog: ticks the section lines of the LATHE, EXTRUDE and HOOP modes.
#pragma once

#include <functional>

#include <QDialog>

#include "app/edit_modes.h"
#include "model/grid_geometry.h"
#include "model/types.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace orvane {

// What the dialog's buttons run in the main window.
struct TSidesCommands {
  std::function<void()> SelectAll, SelectNone, Reverse, Smooth;
  std::function<void()> Refresh;  // redraws the view behind the dialog
};

class TSidesDlg : public QDialog {
  Q_OBJECT
 public:
  TSidesDlg(TSidesCommands commands, QWidget* parent = nullptr);

  // Fills the list for the mode's marks (LATHE columns, EXTRUDE and HOOP rows) from
  // index first (0 or 1) and shows the dialog modally. Ticks write the marks at once.
  void Execute(TEditMode mode, int first, TMarkArray& marks, const TGridGeometry& grid);
  // Fills the list without showing the dialog (Execute does this first).
  void Fill(TEditMode mode, int first, TMarkArray& marks, const TGridGeometry& grid);

  QListWidget* List() const { return CheckListBox1; }
  QPushButton* Button(int k) const { return Buttons[k]; }  // All, None, Reverse, Smooth, Close

 private:
  // The mark entry behind list item k.
  int MarkIndex(int k) const;
  void SetChecks();
  void WriteBack();
  void RunAndRecheck(const std::function<void()>& command);

  TSidesCommands Commands;
  QListWidget* CheckListBox1 = nullptr;
  QPushButton* Buttons[5] = {};
  TEditMode Mode = emLathe;
  int First = 1;
  TMarkArray* Marks = nullptr;
  int ColumnCount = 0;
  int RowCount = 0;
  bool Filling = false;
};

}  // namespace orvane
