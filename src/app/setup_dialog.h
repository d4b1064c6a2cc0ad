// The Setup dialog: output and editing options and the texture pen colours.
#pragma once

#include <array>

#include <QDialog>

#include "model/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace orvane {

class TColourCircle;

class TSetupDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TSetupDlg(QWidget* parent = nullptr);

  // Shows the settings, runs the dialog modally and stores the choices on OK.
  // Returns whether the user pressed OK.
  bool Execute(TAppSettings& settings);

  // The two halves of Execute, for callers that drive the dialog themselves.
  void ShowSettings(const TAppSettings& settings);
  void StoreSettings(TAppSettings& settings) const;

 private:
  void UpdateRadiusLabel();

  QComboBox *ComboBox1, *ComboBox2, *ComboBox3, *ComboBox4;
  QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
  std::array<TColourCircle*, 4> PenColor{};
  QSlider* TrackBar1;
  QLabel* Label4;
  QPushButton *BitBtnOK, *BitBtnCancel;
};

}  // namespace orvane
