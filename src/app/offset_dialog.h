// The Offset dialog: shift the grid by columns and rows, or turn it.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace orvane {

struct TOffsetChoice {
  int X = 0;
  int Y = 0;
  bool Rotate180 = false;
  bool Rotate90 = false;
};

class TOffsetDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TOffsetDlg(QWidget* parent = nullptr);

  // Enables the controls for the sculpt type; the quarter turn also needs a square grid.
  void SetEnabling(int sculptType, bool squareGrid);
  // Shows the dialog modally and reads the choice.
  TOffsetChoice Execute(int sculptType, bool squareGrid);
  TOffsetChoice Choice() const;

 private:
  void RotationToggled(QCheckBox* box, QCheckBox* other);

  QComboBox *ComboBox1, *ComboBox2;
  QCheckBox *CheckBox1, *CheckBox2;
  int type_ = 0;
  bool square_ = true;
};

}  // namespace orvane
