#include "app/edit_line_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "model/grid_labels.h"

namespace orvane {

TEditLineDlg::TEditLineDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("EditLineDlg");
  setWindowTitle("Edit Line");
  setModal(true);
  setSizeGripEnabled(true);
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Columns:", this), 0, 0);
  layout->addWidget(new QLabel("Rows:", this), 0, 1);
  CLBLnI = new QListWidget(this);
  CLBLnI->setObjectName("CLBLnI");
  CLBlnJ = new QListWidget(this);
  CLBlnJ->setObjectName("CLBlnJ");
  layout->addWidget(CLBLnI, 1, 0);
  layout->addWidget(CLBlnJ, 1, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  Reverse = buttons->addButton("Reverse", QDialogButtonBox::ActionRole);
  Retry = buttons->addButton("Retry", QDialogButtonBox::ActionRole);
  layout->addWidget(buttons, 2, 0, 1, 2);

  connect(Reverse, &QPushButton::clicked, this, [this] {
    for (int i = 0; i < ColumnCount; ++i) Lines->ClayColumnLines[i] ^= 1;
    for (int j = 0; j < RowCount; ++j) Lines->ClayRowLines[j] ^= 1;
    SetChecks();
  });
  connect(Retry, &QPushButton::clicked, this, [this] {
    *Lines = Saved;
    SetChecks();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    WriteBack();
    accept();
  });
}

// SPHERE rows start after the pole.
int TEditLineDlg::RowOffset() const { return Type == stSphere ? 1 : 0; }

// The seam column repeats column 0 except on a PLANE.
int TEditLineDlg::ColumnItems() const { return Type == stPlane ? ColumnCount : ColumnCount - 1; }

int TEditLineDlg::RowItems() const {
  switch (Type) {
    case stSphere: return RowCount - 2;
    case stTorus: return RowCount - 1;
    default: return RowCount;
  }
}

void TEditLineDlg::Fill(int sculptType, TClayLines& lines, const TGridGeometry& grid) {
  Type = sculptType;
  ColumnCount = grid.ColumnCount;
  RowCount = grid.RowCount;
  Lines = &lines;
  Saved = lines;
  CLBLnI->clear();
  CLBlnJ->clear();
  auto add = [](QListWidget* list, const std::string& label, int n) {
    auto* item = new QListWidgetItem(QString::fromStdString(label + char('0' + n % 2)), list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  };
  for (int n = 0; n < ColumnItems(); ++n) add(CLBLnI, ColumnLabel(grid, n), n);
  for (int k = 0; k < RowItems(); ++k) add(CLBlnJ, RowLabel(grid, k + RowOffset()), k + RowOffset());
  SetChecks();
}

void TEditLineDlg::Execute(int sculptType, TClayLines& lines, const TGridGeometry& grid) {
  Fill(sculptType, lines, grid);
  exec();
}

// Columns are listed as the view shows them, mirrored.
void TEditLineDlg::SetChecks() {
  auto state = [](std::uint8_t flag) { return flag == 1 ? Qt::Checked : Qt::Unchecked; };
  for (int n = 0; n < CLBLnI->count(); ++n)
    CLBLnI->item(n)->setCheckState(state(Lines->ClayColumnLines[ColumnCount - 1 - n]));
  for (int k = 0; k < CLBlnJ->count(); ++k) CLBlnJ->item(k)->setCheckState(state(Lines->ClayRowLines[k + RowOffset()]));
}

void TEditLineDlg::WriteBack() {
  auto flag = [](QListWidgetItem* item) -> std::uint8_t { return item->checkState() == Qt::Checked ? 1 : 0; };
  for (int n = 0; n < CLBLnI->count(); ++n) Lines->ClayColumnLines[ColumnCount - 1 - n] = flag(CLBLnI->item(n));
  for (int k = 0; k < CLBlnJ->count(); ++k) Lines->ClayRowLines[k + RowOffset()] = flag(CLBlnJ->item(k));
  if (Type != stPlane) Lines->ClayColumnLines[0] = Lines->ClayColumnLines[ColumnCount - 1];
  if (Type == stSphere) {
    // The poles are always used.
    Lines->ClayRowLines[0] = 1;
    Lines->ClayRowLines[RowCount - 1] = 1;
  }
  if (Type == stTorus) Lines->ClayRowLines[RowCount - 1] = Lines->ClayRowLines[0];
}

}  // namespace orvane
