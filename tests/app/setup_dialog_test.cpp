// The Setup dialog: what it shows, what OK stores, and that Cancel changes nothing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/colour_circle.h"
#include "app/setup_dialog.h"

namespace orvane {
namespace {

template <class W>
W* Child(TSetupDlg& d, const char* name) {
  W* w = d.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << name;
  return w;
}

TEST(SetupDialog, ShowsTheSettings) {
  TSetupDlg d;
  TAppSettings s;
  s.RotateDegree = 20;  // not in the list: appended and selected
  s.TwistDegree = 60;
  s.TgaSize = 512;
  s.GaussRadius = 1.5;
  s.FileOverWrite = true;
  d.ShowSettings(s);
  auto* rotation = Child<QComboBox>(d, "ComboBox1");
  EXPECT_EQ(rotation->count(), 8);
  EXPECT_EQ(rotation->currentText(), "20");
  EXPECT_EQ(rotation->currentIndex(), 7);
  EXPECT_EQ(Child<QComboBox>(d, "ComboBox2")->currentText(), "60");
  EXPECT_EQ(Child<QComboBox>(d, "ComboBox3")->currentText(), "512x512");
  EXPECT_EQ(Child<QComboBox>(d, "ComboBox4")->currentText(), "by Linear");
  EXPECT_EQ(Child<QSlider>(d, "TrackBar1")->value(), 30);
  EXPECT_EQ(Child<QLabel>(d, "Label4")->text(), "Smooth Radius 1.5");
  EXPECT_FALSE(Child<QCheckBox>(d, "CheckBox3")->isChecked());  // Auto Rename is the opposite of overwrite
  EXPECT_TRUE(Child<QCheckBox>(d, "CheckBox1")->isChecked());
  EXPECT_EQ(Child<QCheckBox>(d, "CheckBox1")->text(), "by the coordinate system of Second Life ");
  EXPECT_EQ(Child<TColourCircle>(d, "PenColor2")->Colour(), kColourBlue);
  d.ShowSettings(s);  // a second showing does not append "20" again
  EXPECT_EQ(rotation->count(), 8);
}

TEST(SetupDialog, StoresTheChoices) {
  TSetupDlg d;
  TAppSettings s;
  d.ShowSettings(s);
  Child<QComboBox>(d, "ComboBox1")->setCurrentIndex(6);  // 180
  Child<QComboBox>(d, "ComboBox3")->setCurrentIndex(0);  // 64x64
  Child<QComboBox>(d, "ComboBox4")->setCurrentIndex(0);
  Child<QCheckBox>(d, "CheckBox3")->setChecked(true);  // Auto Rename on
  Child<QCheckBox>(d, "CheckBox2")->setChecked(true);
  Child<QSlider>(d, "TrackBar1")->setValue(7);
  EXPECT_EQ(Child<QLabel>(d, "Label4")->text(), "Smooth Radius 0.35");
  Child<TColourCircle>(d, "PenColor1")->SetColour(0x00FF00);
  d.StoreSettings(s);
  EXPECT_EQ(s.RotateDegree, 180);
  EXPECT_EQ(s.TgaSize, 64);
  EXPECT_EQ(s.RearrangeType, 0);
  EXPECT_FALSE(s.FileOverWrite);
  EXPECT_TRUE(s.SculptTransparent);
  EXPECT_EQ(s.GaussRadius, 7 * 2.5 / 50);
  EXPECT_EQ(s.PenColors[1], 0x00FF00);
  EXPECT_EQ(s.PenColor, kColourBlack);  // the current pen is not changed by Setup
}

TEST(SetupDialog, ExecuteStoresOnlyOnOk) {
  TSetupDlg d;
  TAppSettings s;
  auto press = [&d](const char* button, auto change) {
    QTimer::singleShot(0, &d, [&d, button, change] {
      change();
      d.findChild<QPushButton*>(button)->click();
    });
  };
  press("BitBtnCancel", [&d] { d.findChild<QCheckBox*>("CheckBox3")->setChecked(true); });
  EXPECT_FALSE(d.Execute(s));
  EXPECT_TRUE(s.FileOverWrite);

  press("BitBtnOK", [&d] { d.findChild<QCheckBox*>("CheckBox3")->setChecked(false); });
  s.FileOverWrite = false;
  EXPECT_TRUE(d.Execute(s));
  EXPECT_TRUE(s.FileOverWrite);  // unticking Auto Rename turns overwriting on
}

TEST(SetupDialog, CircleClickPicksAColourAndCancelRestoresIt) {
  TSetupDlg d;
  TAppSettings s;
  d.ShowSettings(s);
  auto* circle = Child<TColourCircle>(d, "PenColor0");
  circle->SetPicker([](const QColor& initial, QWidget*) -> std::optional<QColor> {
    EXPECT_EQ(initial, QColor(0, 0, 0));
    return QColor(10, 20, 30);
  });
  QTest::mouseClick(circle, Qt::LeftButton);
  EXPECT_EQ(circle->Colour(), 10 | (20 << 8) | (30 << 16));
  d.ShowSettings(s);  // a cancelled dialog shows the stored colours next time
  EXPECT_EQ(circle->Colour(), kColourBlack);

  circle->SetPicker([](const QColor&, QWidget*) -> std::optional<QColor> { return std::nullopt; });
  QTest::mouseClick(circle, Qt::LeftButton);
  EXPECT_EQ(circle->Colour(), kColourBlack);
}

}  // namespace
}  // namespace orvane
