// Edit menu: undo and redo with their enabling, the whole-grid commands and their dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/main_window.h"
#include "app/mirror_dialog.h"
#include "app/offset_dialog.h"

namespace orvane {
namespace {

class EditCommands : public testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<TMainFrm>(TMainFrmOptions{dir.filePath("orvane.ini")});
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  }
  QAction* Action(const char* name) { return w->findChild<QAction*>(name); }
  QString Status(int k) { return w->findChild<QLabel*>(QString("StatusPanel%1").arg(k))->text(); }
  QTemporaryDir dir;
  std::unique_ptr<TMainFrm> w;
};

TEST_F(EditCommands, UndoAndRedoFollowTheHistory) {
  EXPECT_FALSE(Action("EditUndo")->isEnabled());
  EXPECT_FALSE(Action("EditRedo")->isEnabled());
  const TDbl3D start = w->Model().Vertices[3][10];

  w->SetPlaneChooser([](std::string_view, int) { return plXY; });
  Action("EditFlipHorizontal")->trigger();
  EXPECT_NE(w->Model().Vertices[3][10], start);
  EXPECT_TRUE(Action("EditUndo")->isEnabled());

  QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);  // the shortcut, as a user presses it
  EXPECT_EQ(w->Model().Vertices[3][10], start);
  EXPECT_FALSE(Action("EditUndo")->isEnabled());
  EXPECT_TRUE(Action("EditRedo")->isEnabled());
  QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_NE(w->Model().Vertices[3][10], start);
  EXPECT_FALSE(Action("EditRedo")->isEnabled());
}

TEST_F(EditCommands, UndoOfANewModelRestoresTypeTabsAndStatus) {
  Action("ResetPlane64")->trigger();
  EXPECT_EQ(Status(0), "SculptType:PLANE");
  EXPECT_EQ(w->Mode(), emClay);
  Action("EditUndo")->trigger();
  EXPECT_EQ(w->Model().SculptType, stSphere);
  EXPECT_EQ(w->Grid().ColumnCount, 33);
  EXPECT_EQ(Status(0), "SculptType:SPHERE");
  EXPECT_EQ(Status(1), "Aspect Ratio:32x32");
  EXPECT_EQ(w->TabModes().size(), 7u);
  EXPECT_EQ(w->Mode(), emClay);  // CLAY is offered for both, so it stays
  Action("EditRedo")->trigger();
  EXPECT_EQ(Status(0), "SculptType:PLANE");
  EXPECT_EQ(Status(1), "Aspect Ratio:64x16");
}

TEST_F(EditCommands, CancelledPlaneDialogStillRecordsNothingHarmful) {
  w->SetPlaneChooser([](std::string_view, int) { return plNone; });
  const TDbl3D before = w->Model().Vertices[5][5];
  Action("EditFlipVertical")->trigger();
  EXPECT_EQ(w->Model().Vertices[5][5], before);
}

TEST_F(EditCommands, OffsetRunsTheShiftOrTheTurn) {
  Action("ResetTorus32")->trigger();
  const TDbl3D old31 = w->Model().Vertices[31][4];
  w->SetOffsetChooser([](int type, bool square) {
    EXPECT_EQ(type, stTorus);
    EXPECT_TRUE(square);
    return TOffsetChoice{1, 0, false, false};
  });
  Action("EditOffset")->trigger();
  EXPECT_EQ(w->Model().Vertices[0][4], old31);

  const TDbl3D corner = w->Model().Vertices[32][32];
  w->SetOffsetChooser([](int, bool) { return TOffsetChoice{0, 0, true, false}; });
  Action("EditOffset")->trigger();
  EXPECT_EQ(w->Model().Vertices[0][0], corner);
}

TEST_F(EditCommands, LockAndSelectCommands) {
  Action("ActSelectAll")->trigger();
  EXPECT_EQ(w->Model().SelectedCount, 994);
  Action("EditLock")->trigger();
  EXPECT_EQ(w->Model().Locked[5][5], 1);
  Action("ActSelectNone")->trigger();
  EXPECT_EQ(w->Model().SelectedCount, 0);
  Action("EditLockReverse")->trigger();
  EXPECT_EQ(w->Model().Locked[5][5], 0);
  Action("EditUndo")->trigger();
  EXPECT_EQ(w->Model().Locked[5][5], 1);
}

TEST_F(EditCommands, GridCommandsAreHiddenInTheTextureTab) {
  auto* bar = w->findChild<QTabBar*>("TabControl");
  bar->setCurrentIndex(bar->count() - 1);
  ASSERT_EQ(w->Mode(), emTexture);
  w->UpdateActions();
  EXPECT_FALSE(Action("EditMaximize")->isVisible());
  EXPECT_TRUE(Action("EditUndo")->isVisible());
  const TDbl3D before = w->Model().Vertices[2][2];
  Action("EditMaximize")->trigger();
  EXPECT_EQ(w->Model().Vertices[2][2], before);
}

TEST(OffsetDialog, EnablingFollowsTheSculptType) {
  TOffsetDlg d;
  auto* x = d.findChild<QComboBox*>("ComboBox1");
  auto* y = d.findChild<QComboBox*>("ComboBox2");
  auto* half = d.findChild<QCheckBox*>("CheckBox1");
  auto* quarter = d.findChild<QCheckBox*>("CheckBox2");
  EXPECT_EQ(d.windowTitle(), "Offset");
  EXPECT_EQ(half->text(), "Rotate 180 degrees. ");
  EXPECT_EQ(x->count(), 11);
  EXPECT_EQ(x->itemText(10), "-16");

  d.SetEnabling(stSphere, true);
  EXPECT_TRUE(x->isEnabled());
  EXPECT_FALSE(y->isEnabled());
  EXPECT_TRUE(half->isEnabled());
  EXPECT_FALSE(quarter->isEnabled());
  x->setCurrentIndex(3);
  half->setChecked(true);  // a turn greys the shift out at "0"
  EXPECT_EQ(x->currentText(), "0");
  EXPECT_FALSE(x->isEnabled());
  half->setChecked(false);
  EXPECT_TRUE(x->isEnabled());

  d.SetEnabling(stTorus, true);
  EXPECT_TRUE(y->isEnabled());
  EXPECT_TRUE(quarter->isEnabled());
  quarter->setChecked(true);
  EXPECT_FALSE(half->isEnabled());
  EXPECT_FALSE(y->isEnabled());
  const TOffsetChoice c = d.Choice();
  EXPECT_TRUE(c.Rotate90);
  EXPECT_FALSE(c.Rotate180);

  d.SetEnabling(stPlane, false);  // not square: no quarter turn
  EXPECT_FALSE(quarter->isEnabled());
  EXPECT_TRUE(y->isEnabled());
}

TEST(MirrorDialog, ReturnsThePlanePressedOrMinusOne) {
  TMirrorDlg d;
  QTimer::singleShot(0, &d, [&d] {
    EXPECT_EQ(d.windowTitle(), "Flip Horizontal");
    EXPECT_TRUE(d.PlaneButton(plZX)->hasFocus() || !d.isActiveWindow());
    d.PlaneButton(plYZ)->click();
  });
  EXPECT_EQ(d.Execute("Flip Horizontal", plZX), plYZ);
  QTimer::singleShot(0, &d, [&d] { d.reject(); });  // the close box
  EXPECT_EQ(d.Execute("Flip Virtical", plYZ), plNone);
  EXPECT_NE(d.findChild<QLabel*>(), nullptr);
  EXPECT_EQ(d.findChild<QLabel*>()->text(), "Please choose a symmetry plane.");
}

}  // namespace
}  // namespace orvane
