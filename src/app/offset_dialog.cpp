// The Offset dialog and its enabling rules.
#include "app/offset_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "model/types.h"

namespace orvane {

TOffsetDlg::TOffsetDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("OffsetDlg");
  setWindowTitle("Offset");
  setModal(true);
  const QStringList shifts{"0", "1", "2", "4", "8", "16", "-1", "-2", "-4", "-8", "-16"};
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->addItems(shifts);
  ComboBox2 = new QComboBox(this);
  ComboBox2->setObjectName("ComboBox2");
  ComboBox2->addItems(shifts);
  CheckBox1 = new QCheckBox("Rotate 180 degrees. ", this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox2 = new QCheckBox("Rotate 90 degrees. ", this);
  CheckBox2->setObjectName("CheckBox2");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("BitBtnOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(CheckBox1, &QCheckBox::toggled, this, [this] { RotationToggled(CheckBox1, CheckBox2); });
  connect(CheckBox2, &QCheckBox::toggled, this, [this] { RotationToggled(CheckBox2, CheckBox1); });

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("X:", this), 0, 0);
  layout->addWidget(ComboBox1, 0, 1);
  layout->addWidget(new QLabel("Y:", this), 1, 0);
  layout->addWidget(ComboBox2, 1, 1);
  layout->addWidget(CheckBox1, 2, 0, 1, 2);
  layout->addWidget(CheckBox2, 3, 0, 1, 2);
  layout->addWidget(ok, 4, 1);
}

void TOffsetDlg::SetEnabling(int sculptType, bool squareGrid) {
  type_ = sculptType;
  square_ = squareGrid;
  const QSignalBlocker b1(CheckBox1), b2(CheckBox2);
  ComboBox1->setCurrentIndex(0);
  ComboBox2->setCurrentIndex(0);
  CheckBox1->setChecked(false);
  CheckBox2->setChecked(false);
  const bool both = sculptType == stTorus || sculptType == stPlane;
  ComboBox1->setEnabled(true);
  CheckBox1->setEnabled(true);
  ComboBox2->setEnabled(both);
  // A quarter turn maps columns onto rows, so only a square grid offers it.
  CheckBox2->setEnabled(both && squareGrid);
}

void TOffsetDlg::RotationToggled(QCheckBox* box, QCheckBox* other) {
  if (!box->isChecked()) {
    SetEnabling(type_, square_);
    return;
  }
  const QSignalBlocker block(other);
  ComboBox1->setCurrentIndex(0);
  ComboBox2->setCurrentIndex(0);
  ComboBox1->setEnabled(false);
  ComboBox2->setEnabled(false);
  other->setChecked(false);
  other->setEnabled(false);
}

TOffsetChoice TOffsetDlg::Choice() const {
  TOffsetChoice c;
  c.X = ComboBox1->currentText().toInt();  // not a number reads as 0
  c.Y = ComboBox2->currentText().toInt();
  c.Rotate180 = CheckBox1->isChecked();
  c.Rotate90 = CheckBox2->isChecked();
  return c;
}

TOffsetChoice TOffsetDlg::Execute(int sculptType, bool squareGrid) {
  SetEnabling(sculptType, squareGrid);
  exec();
  return Choice();
}

}  // namespace orvane
