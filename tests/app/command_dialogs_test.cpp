// The small dialogs of the commands: Sides, Edit Line and About.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/about_dialog.h"
#include "app/edit_line_dialog.h"
#include "app/sides_dialog.h"
#include "model/marks.h"

namespace orvane {
namespace {

TEST(SidesDialog, ListsColumnsMirroredAndKeepsTheSeam) {
  TGridGeometry grid;
  ApplyAspect(grid, ar32x32);
  TMarkArray marks{};
  FillMarks(marks, 1);
  int refreshed = 0;
  TSidesDlg dialog({{}, {}, {}, {}, [&] { ++refreshed; }});
  dialog.Fill(emLathe, 1, marks, grid);
  ASSERT_EQ(dialog.List()->count(), 32);  // label indexes 1 .. 32
  QListWidgetItem* last = dialog.List()->item(31);
  EXPECT_EQ(last->text(), "G0");
  last->setCheckState(Qt::Unchecked);
  EXPECT_EQ(marks[0], 0);
  EXPECT_EQ(marks[32], 0);  // the seam partner follows
  EXPECT_EQ(marks[1], 1);
  EXPECT_EQ(refreshed, 1);
}

TEST(SidesDialog, RowsFromOneCopyTheLastRowIntoRowZero) {
  TGridGeometry grid;
  ApplyAspect(grid, ar64x16);
  TMarkArray marks{};
  marks[16] = 1;
  int selectAll = 0;
  TSidesDlg dialog({[&] {
                      ++selectAll;
                      FillMarks(marks, 1);
                    },
                    {}, {}, {}, {}});
  dialog.Fill(emExtrude, 1, marks, grid);
  ASSERT_EQ(dialog.List()->count(), 16);  // rows 1 .. 16
  dialog.List()->item(2)->setCheckState(Qt::Checked);
  EXPECT_EQ(marks[3], 1);
  EXPECT_EQ(marks[0], 1);  // row 16's mark
  // The buttons run the window's commands and show the result.
  dialog.Button(0)->click();
  EXPECT_EQ(selectAll, 1);
  EXPECT_EQ(dialog.List()->item(0)->checkState(), Qt::Checked);
}

TEST(AboutDialog, NamesTheProgramAndItsVersion) {
  TAboutDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), "Version Infomation");
  EXPECT_EQ(dialog.VersionLabel()->text(), QString("ORVANE Ver.") + ORVANE_VERSION);
  EXPECT_FALSE(ProgramIcon().isNull());
}

TEST(EditLineDialog, SphereListsColumnsAndInnerRowsAndKeepsThePoles) {
  TGridGeometry grid;
  ApplyAspect(grid, ar32x32);
  TClayLines lines;
  lines.ClayColumnLines[30] = 1;  // label index 2
  TEditLineDlg dialog;
  dialog.Fill(stSphere, lines, grid);
  ASSERT_EQ(dialog.Columns()->count(), 32);
  ASSERT_EQ(dialog.Rows()->count(), 31);  // rows 1 .. 31
  EXPECT_EQ(dialog.Rows()->item(0)->text(), "01");
  EXPECT_EQ(dialog.Columns()->item(2)->checkState(), Qt::Checked);
  dialog.Columns()->item(0)->setCheckState(Qt::Checked);  // column 32, the seam
  dialog.Rows()->item(4)->setCheckState(Qt::Checked);     // row 5
  dialog.WriteBack();
  EXPECT_EQ(lines.ClayColumnLines[32], 1);
  EXPECT_EQ(lines.ClayColumnLines[0], 1);  // follows its seam partner
  EXPECT_EQ(lines.ClayRowLines[5], 1);
  EXPECT_EQ(lines.ClayRowLines[0], 1);
  EXPECT_EQ(lines.ClayRowLines[32], 1);
  EXPECT_EQ(lines.ClayRowLines[6], 0);
}

TEST(EditLineDialog, ReverseAndRetryWriteAtOnce) {
  TGridGeometry grid;
  ApplyAspect(grid, ar64x16);
  TClayLines lines;
  lines.ClayRowLines[0] = 1;
  TEditLineDlg dialog;
  dialog.Fill(stTorus, lines, grid);
  EXPECT_EQ(dialog.Columns()->count(), 64);
  EXPECT_EQ(dialog.Rows()->count(), 16);  // rows 0 .. 15
  dialog.ReverseButton()->click();
  EXPECT_EQ(lines.ClayRowLines[0], 0);
  EXPECT_EQ(lines.ClayRowLines[16], 1);
  EXPECT_EQ(lines.ClayColumnLines[64], 1);
  EXPECT_EQ(lines.ClayColumnLines[65], 0);  // past the grid
  EXPECT_EQ(dialog.Rows()->item(1)->checkState(), Qt::Checked);
  dialog.RetryButton()->click();
  EXPECT_EQ(lines.ClayRowLines[0], 1);
  EXPECT_EQ(lines.ClayColumnLines[64], 0);
  // A TORUS keeps its last row equal to its first.
  dialog.WriteBack();
  EXPECT_EQ(lines.ClayRowLines[16], 1);
}

TEST(EditLineDialog, PlaneListsEveryColumnAndRow) {
  TGridGeometry grid;
  ApplyAspect(grid, ar4x256);
  TClayLines lines;
  TEditLineDlg dialog;
  dialog.Fill(stPlane, lines, grid);
  EXPECT_EQ(dialog.Columns()->count(), 5);
  EXPECT_EQ(dialog.Rows()->count(), 257);
}

}  // namespace
}  // namespace orvane
