#include "app/sides_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/grid_labels.h"

namespace orvane {

TSidesDlg::TSidesDlg(TSidesCommands commands, QWidget* parent) : QDialog(parent), Commands(std::move(commands)) {
  setObjectName("SidesDlg");
  setWindowTitle("Sides");
  setModal(true);
  auto* layout = new QHBoxLayout(this);
  CheckListBox1 = new QListWidget(this);
  CheckListBox1->setObjectName("CheckListBox1");
  layout->addWidget(CheckListBox1);
  auto* buttons = new QVBoxLayout;
  const char* captions[] = {"Select &All", "Select &None", "&Reverse", "Smooth", "Close"};
  for (int k = 0; k < 5; ++k) {
    Buttons[k] = new QPushButton(captions[k], this);
    buttons->addWidget(Buttons[k]);
  }
  buttons->addStretch();
  layout->addLayout(buttons);
  Buttons[4]->setDefault(true);

  connect(Buttons[0], &QPushButton::clicked, this, [this] { RunAndRecheck(Commands.SelectAll); });
  connect(Buttons[1], &QPushButton::clicked, this, [this] { RunAndRecheck(Commands.SelectNone); });
  connect(Buttons[2], &QPushButton::clicked, this, [this] { RunAndRecheck(Commands.Reverse); });
  connect(Buttons[3], &QPushButton::clicked, this, [this] { RunAndRecheck(Commands.Smooth); });
  connect(Buttons[4], &QPushButton::clicked, this, &QDialog::accept);
  connect(CheckListBox1, &QListWidget::itemChanged, this, [this] {
    if (!Filling) WriteBack();
  });
}

void TSidesDlg::Fill(TEditMode mode, int first, TMarkArray& marks, const TGridGeometry& grid) {
  Mode = mode;
  First = first;
  Marks = &marks;
  ColumnCount = grid.ColumnCount;
  RowCount = grid.RowCount;
  Filling = true;
  CheckListBox1->clear();
  const bool columns = mode == emLathe;
  const int count = columns ? ColumnCount : RowCount;
  for (int n = first; n < count; ++n) {
    const std::string label = (columns ? ColumnLabel(grid, n) : RowLabel(grid, n)) + char('0' + n % 2);
    auto* item = new QListWidgetItem(QString::fromStdString(label), CheckListBox1);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  }
  Filling = false;
  SetChecks();
}

void TSidesDlg::Execute(TEditMode mode, int first, TMarkArray& marks, const TGridGeometry& grid) {
  Fill(mode, first, marks, grid);
  exec();
}

// Columns are listed as the view shows them, mirrored.
int TSidesDlg::MarkIndex(int k) const {
  const int n = First + k;
  return Mode == emLathe ? ColumnCount - 1 - n : n;
}

void TSidesDlg::SetChecks() {
  Filling = true;
  for (int k = 0; k < CheckListBox1->count(); ++k)
    CheckListBox1->item(k)->setCheckState((*Marks)[MarkIndex(k)] == 1 ? Qt::Checked : Qt::Unchecked);
  Filling = false;
}

void TSidesDlg::WriteBack() {
  for (int k = 0; k < CheckListBox1->count(); ++k)
    (*Marks)[MarkIndex(k)] = CheckListBox1->item(k)->checkState() == Qt::Checked ? 1 : 0;
  // The one line the list leaves out follows its partner across the seam.
  if (First == 1) {
    if (Mode == emLathe) (*Marks)[ColumnCount - 1] = (*Marks)[0];
    else (*Marks)[0] = (*Marks)[RowCount - 1];
  }
  if (Commands.Refresh) Commands.Refresh();
}

void TSidesDlg::RunAndRecheck(const std::function<void()>& command) {
  if (command) command();
  if (Marks) SetChecks();
}

}  // namespace orvane
