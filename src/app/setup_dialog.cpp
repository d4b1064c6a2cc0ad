// The Setup dialog and its mapping to the settings.
#include "app/widget_names.h"
#include "app/setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/colour_circle.h"
#include "model/rounding.h"

namespace orvane {

namespace {

QComboBox* Combo(QWidget* parent, const char* name, const QStringList& items) {
  auto* box = Named(new QComboBox(parent), name);
  box->addItems(items);
  return box;
}

// Selects the item showing value, appending it when the list lacks it.
void SelectNumber(QComboBox* box, int value) {
  const QString text = QString::number(value);
  int index = box->findText(text);
  if (index < 0) {
    box->addItem(text);
    index = box->count() - 1;
  }
  box->setCurrentIndex(index);
}

int NumberOr(const QComboBox* box, int fallback) {
  bool ok = false;
  const int v = box->currentText().trimmed().toInt(&ok);
  return ok ? v : fallback;
}

double RadiusOfPosition(int position) { return position * 2.5 / 50.0; }

}  // namespace

TSetupDlg::TSetupDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("SetupDlg");
  setWindowTitle("Setup");
  setModal(true);

  ComboBox1 = Combo(this, "ComboBox1", {"5", "10", "15", "30", "45", "90", "180"});
  ComboBox2 = Combo(this, "ComboBox2", {"5", "10", "15", "30", "60"});
  ComboBox3 = Combo(this, "ComboBox3", {"64x64", "128x128", "256x256", "512x512"});
  ComboBox4 = Combo(this, "ComboBox4", {"None", "by Linear"});
  CheckBox2 = Named(new QCheckBox("Copy Protection by transparent", this), "CheckBox2");
  CheckBox1 = Named(new QCheckBox("by the coordinate system of Second Life ", this), "CheckBox1");
  CheckBox3 = Named(new QCheckBox("Auto Rename", this), "CheckBox3");
  CheckBox4 = Named(new QCheckBox("Fixed to Axis", this), "CheckBox4");

  auto* pens = new QGroupBox("Texture Pen Color", this);
  auto* penRow = new QHBoxLayout(pens);
  const char* penNames[] = {"PenColor0", "PenColor1", "PenColor2", "PenColor3"};
  for (int k = 0; k < 4; ++k) {
    PenColor[k] = Named(new TColourCircle(pens), penNames[k]);
    penRow->addWidget(PenColor[k]);
  }

  TrackBar1 = Named(new QSlider(Qt::Horizontal, this), "TrackBar1");
  TrackBar1->setRange(0, 50);
  TrackBar1->setTickPosition(QSlider::TicksBothSides);
  TrackBar1->setTickInterval(5);
  Label4 = Named(new QLabel(this), "Label4");
  connect(TrackBar1, &QSlider::valueChanged, this, &TSetupDlg::UpdateRadiusLabel);

  BitBtnOK = Named(new QPushButton("OK", this), "BitBtnOK");
  BitBtnCancel = Named(new QPushButton("Cancel", this), "BitBtnCancel");
  BitBtnOK->setDefault(true);
  connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* form = new QGridLayout;
  const std::pair<const char*, QComboBox*> rows[] = {{"Rotation Degree", ComboBox1},
                                                     {"Twist Degree", ComboBox2},
                                                     {"TGA Save Size", ComboBox3},
                                                     {"Relocation to LOD", ComboBox4}};
  int r = 0;
  for (const auto& [label, box] : rows) {
    form->addWidget(new QLabel(label, this), r, 0);
    form->addWidget(box, r++, 1);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  for (QWidget* w : std::initializer_list<QWidget*>{CheckBox2, CheckBox1, pens, Label4, TrackBar1, CheckBox3,
                                                    CheckBox4})
    layout->addWidget(w);
  layout->addLayout(buttons);
}

void TSetupDlg::UpdateRadiusLabel() {
  const double radius = RadiusOfPosition(TrackBar1->value());
  Label4->setText("Smooth Radius " + QLocale().toString(radius, 'g', QLocale::FloatingPointShortest));
}

void TSetupDlg::ShowSettings(const TAppSettings& s) {
  SelectNumber(ComboBox1, s.RotateDegree);
  SelectNumber(ComboBox2, s.TwistDegree);
  ComboBox3->setCurrentIndex(s.TgaSize == 64 ? 0 : s.TgaSize == 256 ? 2 : s.TgaSize == 512 ? 3 : 1);
  ComboBox4->setCurrentIndex(s.RearrangeType);
  CheckBox2->setChecked(s.SculptTransparent);
  CheckBox1->setChecked(s.SecondLifeCoordinateSystem);
  CheckBox3->setChecked(!s.FileOverWrite);
  CheckBox4->setChecked(s.FixedToAxis);
  for (int k = 0; k < 4; ++k) PenColor[k]->SetColour(s.PenColors[k]);
  TrackBar1->setValue(RoundToInt(s.GaussRadius / 2.5 * 50.0, 0, 50));
  UpdateRadiusLabel();
}

void TSetupDlg::StoreSettings(TAppSettings& s) const {
  s.RotateDegree = NumberOr(ComboBox1, 30);
  s.TwistDegree = NumberOr(ComboBox2, 60);
  const int sizes[] = {64, 128, 256, 512};
  const int size = ComboBox3->currentIndex();
  s.TgaSize = (size >= 0 && size < 4) ? sizes[size] : 128;
  s.RearrangeType = std::max(ComboBox4->currentIndex(), 0);
  s.SculptTransparent = CheckBox2->isChecked();
  s.SecondLifeCoordinateSystem = CheckBox1->isChecked();
  s.FileOverWrite = !CheckBox3->isChecked();
  s.FixedToAxis = CheckBox4->isChecked();
  for (int k = 0; k < 4; ++k) s.PenColors[k] = PenColor[k]->Colour();
  s.GaussRadius = RadiusOfPosition(TrackBar1->value());
}

bool TSetupDlg::Execute(TAppSettings& settings) {
  ShowSettings(settings);
  if (exec() != QDialog::Accepted) return false;
  StoreSettings(settings);
  return true;
}

}  // namespace orvane
