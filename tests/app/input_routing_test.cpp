// Input routing of the 2D view, driven through a probe mode that records every slot call.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <cmath>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/edit_image.h"
#include "app/main_window.h"

namespace orvane {
namespace {

// Records the calls; HitTest and Press answer what the test sets.
class TProbeMode : public TBlankMode {
 public:
  using TBlankMode::TBlankMode;
  int hit = -1;
  bool grab = false;
  bool lastAdd = false;
  int presses = 0, frames = 0, draws = 0, rects = 0;
  double lastDx = 0, lastDy = 0;
  int lastCode = 0;
  void Draw(TSculptData& m, QImage& image) override {
    ++draws;
    TBlankMode::Draw(m, image);
  }
  bool Press(TSculptData& m, int, int, bool add) override {
    ++presses;
    lastAdd = add;
    if (grab) m.Selected[1][1] = 1;
    return grab;
  }
  void SelectRect(TSculptData& m, int, int, int, int, bool) override {
    ++rects;
    m.Selected[2][2] = selectOnRect;
    UpdateSelection(m, Context.Grid);
  }
  void DragMove(TSculptData& m, double dx, double dy) override {
    lastDx = dx;
    lastDy = dy;
    m.Vertices[1][1].X = m.BaseVertices[1][1].X + dx / 127.0;  // recomputed from the base, as modes do
  }
  void UpdateFrame(TSculptData&, bool) override { ++frames; }
  void DragHandle(TSculptData&, int code, int, int, int, int) override { lastCode = code; }
  int HitTest(TSculptData&, int, int) override { return hit; }
  int selectOnRect = 0;
};

class InputRouting : public testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<TMainFrm>(TMainFrmOptions{dir.filePath("orvane.ini")});
    auto mode = std::make_unique<TProbeMode>(TModeContext{const_cast<TGridGeometry&>(w->Grid()),
                                                          const_cast<TAppSettings&>(w->Settings())});
    probe = mode.get();
    w->SetMode(emLathe, std::move(mode));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ASSERT_EQ(w->Mode(), emLathe);
  }
  QString Text(const char* label) { return w->findChild<QLabel*>(label)->text(); }
  QTemporaryDir dir;
  std::unique_ptr<TMainFrm> w;
  TProbeMode* probe = nullptr;
};

TEST_F(InputRouting, PressThatGrabsStartsAMoveAndReleaseRecordsIt) {
  probe->grab = true;
  w->ImageMouseDown(Qt::LeftButton, Qt::NoModifier, 100, 100);
  EXPECT_EQ(w->DragState(), dsMove);
  EXPECT_EQ(probe->presses, 1);
  EXPECT_FALSE(probe->lastAdd);
  const double baseX = w->Model().BaseVertices[1][1].X;
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 110, 96);  // zoom 2: 5 levels right, 2 up
  EXPECT_DOUBLE_EQ(probe->lastDx, 5.0);
  EXPECT_DOUBLE_EQ(probe->lastDy, 2.0);
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 104, 100);  // totals since the press, not steps
  EXPECT_DOUBLE_EQ(probe->lastDx, 2.0);
  EXPECT_DOUBLE_EQ(w->Model().Vertices[1][1].X, baseX + 2.0 / 127.0);
  w->ImageMouseUp(Qt::LeftButton, Qt::NoModifier, 104, 100);
  EXPECT_EQ(w->DragState(), dsNone);
  EXPECT_EQ(w->Model().BaseVertices[1][1].X, w->Model().Vertices[1][1].X);
  EXPECT_TRUE(w->findChild<QAction*>("EditUndo")->isEnabled());
}

TEST_F(InputRouting, ShiftAlwaysPressesAltMovesWithoutPress) {
  probe->hit = 3;
  w->ImageMouseDown(Qt::LeftButton, Qt::ShiftModifier, 50, 50);
  EXPECT_EQ(probe->presses, 1);
  EXPECT_TRUE(probe->lastAdd);
  EXPECT_EQ(w->DragState(), dsRubberBand);
  w->ImageMouseUp(Qt::LeftButton, Qt::ShiftModifier, 60, 60);

  w->ImageMouseDown(Qt::LeftButton, Qt::AltModifier, 50, 50);
  EXPECT_EQ(probe->presses, 1);  // no press: the selection moves as it is
  EXPECT_EQ(w->DragState(), dsMove);
  w->ImageMouseUp(Qt::LeftButton, Qt::NoModifier, 50, 50);
}

TEST_F(InputRouting, HandlesPivotAndCtrlCorners) {
  struct Case { int hit; Qt::KeyboardModifiers mods; TDragState state; int code; };
  const Case cases[] = {{3, Qt::ControlModifier, dsHandle, 103}, {3, Qt::NoModifier, dsHandle, 3},
                        {7, Qt::ControlModifier, dsHandle, 7},   {9, Qt::NoModifier, dsHandle, 9},
                        {10, Qt::NoModifier, dsPivot, -1},        {0, Qt::NoModifier, dsMove, -1}};
  for (const auto& c : cases) {
    probe->hit = c.hit;
    w->ImageMouseDown(Qt::LeftButton, c.mods, 40, 40);
    EXPECT_EQ(w->DragState(), c.state) << c.hit;
    if (c.state == dsHandle) {
      EXPECT_EQ(w->HandleCode(), c.code);
      w->ImageMouseMove(Qt::LeftButton, c.mods, 45, 45);
      EXPECT_EQ(probe->lastCode, c.code);
    }
    w->ImageMouseUp(Qt::LeftButton, c.mods, 45, 45);
    EXPECT_EQ(w->DragState(), dsNone);
    EXPECT_EQ(w->HandleCode(), -1);
  }
}

TEST_F(InputRouting, RubberBandRecordsOnlyWhenTheSelectionWasOrIsNotEmpty) {
  auto* image = w->findChild<TEditImage*>("Image");
  const QImage before = image->Picture().copy();
  w->ImageMouseDown(Qt::LeftButton, Qt::NoModifier, 20, 20);
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 80, 70);
  EXPECT_NE(image->Picture(), before);  // the band is visible
  w->ImageMouseUp(Qt::LeftButton, Qt::NoModifier, 80, 70);
  EXPECT_EQ(probe->rects, 1);
  EXPECT_FALSE(w->findChild<QAction*>("EditUndo")->isEnabled());  // nothing before, nothing after

  probe->selectOnRect = 1;
  w->ImageMouseDown(Qt::LeftButton, Qt::NoModifier, 20, 20);
  w->ImageMouseUp(Qt::LeftButton, Qt::NoModifier, 30, 30);
  EXPECT_EQ(w->Model().SelectedCount, 1);
  EXPECT_TRUE(w->findChild<QAction*>("EditUndo")->isEnabled());
}

TEST_F(InputRouting, XorBandDrawnTwiceRestoresTheImage) {
  auto* image = w->findChild<TEditImage*>("Image");
  image->Picture().fill(QColor(10, 200, 30));
  const QImage before = image->Picture().copy();
  w->ImageMouseDown(Qt::LeftButton, Qt::NoModifier, 20, 20);
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 60, 50);
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 90, 95);
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 20, 20);  // a band of no size draws its one pixel
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 40, 40);
  // Every earlier band has been erased: what differs now lies on the last band's outline.
  int changed = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (image->Picture().pixel(x, y) != before.pixel(x, y)) {
        ++changed;
        const bool onOutline = (x == 20 || x == 39 || y == 20 || y == 39) && x >= 20 && x <= 39 && y >= 20 && y <= 39;
        ASSERT_TRUE(onOutline) << x << "," << y;
      }
  EXPECT_GT(changed, 20);
  w->ImageMouseUp(Qt::LeftButton, Qt::NoModifier, 40, 40);
}

TEST_F(InputRouting, CommandsWaitWhileADragIsOn) {
  probe->grab = true;
  w->ImageMouseDown(Qt::LeftButton, Qt::NoModifier, 100, 100);
  w->ImageMouseMove(Qt::LeftButton, Qt::NoModifier, 120, 100);
  const double moved = w->Model().Vertices[1][1].X;
  w->findChild<QAction*>("ActSelectNone")->trigger();  // a shortcut in the middle of a drag
  w->FormKeyUp(Qt::Key_Left, Qt::NoModifier);
  w->FormMouseWheel(w->mapToGlobal(QPoint(w->width() - 5, 200)), 120);
  EXPECT_EQ(w->Model().Selected[1][1], 1);
  EXPECT_EQ(w->Model().Vertices[1][1].X, moved);
  EXPECT_EQ(w->ZoomFactor(), 2.0);
  // the release was swallowed elsewhere: the next move without a button ends the drag
  w->ImageMouseMove(Qt::NoButton, Qt::NoModifier, 120, 100);
  EXPECT_EQ(w->DragState(), dsNone);
  EXPECT_EQ(w->Model().BaseVertices[1][1].X, moved);
}

TEST_F(InputRouting, WheelZoomStepsInQuartersAndRoundsHalvesToEven) {
  const QPoint right = w->findChild<QWidget*>("Panel2")->mapToGlobal(QPoint(50, 50));
  const int expected[] = {2, 2, 3, 3};  // 2.25, 2.5, 2.75, 3.0
  for (int k = 0; k < 4; ++k) {
    w->FormMouseWheel(right, 120);
    EXPECT_EQ(w->Settings().Zoom, expected[k]) << k;
  }
  EXPECT_EQ(w->ZoomFactor(), 3.0);
  w->ZoomBy(-7.75);
  w->FormMouseWheel(right, 120);
  EXPECT_EQ(w->ZoomFactor(), 8.0);
  w->FormMouseWheel(right, 120);
  EXPECT_EQ(w->ZoomFactor(), 8.0);
  EXPECT_EQ(w->Settings().Zoom, 8);
  w->ZoomBy(-5);  // Zoom x5
  EXPECT_EQ(w->ZoomFactor(), 5.0);
  const QPoint left = w->findChild<QWidget*>("Panel1")->mapToGlobal(QPoint(50, 50));
  w->FormMouseWheel(left, -120);  // the left half belongs to the 3D camera
  EXPECT_EQ(w->ZoomFactor(), 5.0);
  for (int k = 0; k < 20; ++k) w->FormMouseWheel(right, -120);
  EXPECT_EQ(w->ZoomFactor(), 2.0);
}

TEST_F(InputRouting, ArrowKeysMoveByTheGridStep) {
  struct Case { int grid; Qt::KeyboardModifiers mods; int key; double dx, dy; };
  const Case cases[] = {{0, Qt::NoModifier, Qt::Key_Left, -1, 0},   {0, Qt::ShiftModifier, Qt::Key_Up, 0, 8},
                        {4, Qt::ShiftModifier, Qt::Key_Right, 8, 0}, {4, Qt::NoModifier, Qt::Key_Down, 0, -4}};
  for (const auto& c : cases) {
    const_cast<TAppSettings&>(w->Settings()).Grid = c.grid;
    probe->lastDx = probe->lastDy = 99;
    w->FormKeyUp(c.key, c.mods);
    EXPECT_EQ(probe->lastDx, c.dx);
    EXPECT_EQ(probe->lastDy, c.dy);
  }
  EXPECT_TRUE(w->findChild<QAction*>("EditUndo")->isEnabled());  // each key is one edit
  w->FormKeyUp(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(w->Settings().Zoom, 3);
  w->FormKeyUp(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(w->Settings().Zoom, 2);
}

TEST_F(InputRouting, ReadoutOfTheDrawingModes) {
  auto* bar = w->findChild<QTabBar*>("TabControl");
  bar->setCurrentIndex(1);  // EXTRUDE
  ASSERT_EQ(w->Mode(), emExtrude);
  w->ImageMouseMove(Qt::NoButton, Qt::NoModifier, 10, 10);  // x = Margin
  EXPECT_EQ(Text("LBY"), "255");
  EXPECT_EQ(Text("LBZ"), "000");
  w->ImageMouseMove(Qt::NoButton, Qt::NoModifier, 10 + 2 * 100 + 1, 10 + 2 * 7 + 1);  // 100.5 -> 100, 7.5 -> 8
  EXPECT_EQ(Text("LBY"), "155");
  EXPECT_EQ(Text("LBZ"), "008");
}

TEST(FormatCoordTable, ClampsAndPads) {
  EXPECT_EQ(FormatCoord(-5), "000");
  EXPECT_EQ(FormatCoord(0), "000");
  EXPECT_EQ(FormatCoord(7), "007");
  EXPECT_EQ(FormatCoord(254), "254");
  EXPECT_EQ(FormatCoord(255), "255");
  EXPECT_EQ(FormatCoord(1000), "255");
}

TEST_F(InputRouting, SectionCursorButtonsWrapAround) {
  auto* down = w->findChild<QToolButton*>("spBtnGDn");
  auto* up = w->findChild<QToolButton*>("spBtnGUp");
  EXPECT_EQ(w->Grid().LatheColumn, 16);
  for (int k = 0; k < 15; ++k) down->click();
  EXPECT_EQ(w->Grid().LatheColumn, 31);
  down->click();  // the seam column is skipped: 32 wraps to 0
  EXPECT_EQ(w->Grid().LatheColumn, 0);
  up->click();
  EXPECT_EQ(w->Grid().LatheColumn, 31);

  w->findChild<QAction*>("ResetTorus64")->trigger();
  auto* bar = w->findChild<QTabBar*>("TabControl");
  bar->setCurrentIndex(1);  // EXTRUDE on a TORUS: rows 1 .. R-1
  ASSERT_EQ(w->Mode(), emExtrude);
  const int R = w->Grid().RowCount;
  for (int k = w->Grid().ExtrudeRow; k < R - 1; ++k) up->click();
  EXPECT_EQ(w->Grid().ExtrudeRow, R - 1);
  up->click();
  EXPECT_EQ(w->Grid().ExtrudeRow, 1);
  down->click();
  EXPECT_EQ(w->Grid().ExtrudeRow, R - 1);
}

TEST_F(InputRouting, ScrollPositionIsRememberedPerModeAsAFraction) {
  w->ZoomBy(-8);  // a big drawing, so that the view scrolls
  auto* box = w->findChild<QScrollArea*>("ScrollBox1");
  auto* bar = w->findChild<QTabBar*>("TabControl");
  bar->setCurrentIndex(1);
  ASSERT_GT(box->verticalScrollBar()->maximum(), 0);
  box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 2);
  const double fraction = double(box->verticalScrollBar()->value()) / box->verticalScrollBar()->maximum();
  bar->setCurrentIndex(2);
  EXPECT_EQ(box->verticalScrollBar()->value(), 0);
  bar->setCurrentIndex(1);
  EXPECT_NEAR(double(box->verticalScrollBar()->value()) / box->verticalScrollBar()->maximum(), fraction, 0.01);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST_F(InputRouting, RealMouseAndKeyEventsTakeTheSameRoutes) {
  auto* image = w->findChild<TEditImage*>("Image");
  probe->grab = true;
  QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  EXPECT_EQ(w->DragState(), dsMove);
  QTest::mouseMove(image, QPoint(120, 90));
  EXPECT_DOUBLE_EQ(probe->lastDx, 10.0);
  EXPECT_DOUBLE_EQ(probe->lastDy, 5.0);
  QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, QPoint(120, 90));
  EXPECT_EQ(w->DragState(), dsNone);

  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  probe->lastDx = 0;
  QTest::keyClick(w->windowHandle(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(probe->lastDx, 8.0);  // Grid 0 with Shift: 8 levels
}

TEST_F(InputRouting, BitmapPointControlsEditTheSingleSelectedVertex) {
  probe->selectOnRect = 1;  // the rubber band selects vertex [2][2]
  w->ImageMouseDown(Qt::LeftButton, Qt::NoModifier, 20, 20);
  w->ImageMouseUp(Qt::LeftButton, Qt::NoModifier, 30, 30);
  ASSERT_EQ(w->Model().SelectedCount, 1);
  auto* bar = w->findChild<QTabBar*>("TabControl");
  bar->setCurrentIndex(5);
  ASSERT_EQ(w->Mode(), emBitmap);
  auto* nex = w->findChild<QLineEdit*>("NEX");
  ASSERT_TRUE(nex->isEnabled());
  const int x0 = nex->text().toInt();
  EXPECT_EQ(x0, int(std::nearbyint(float(127 * w->Model().Vertices[2][2].X + 127))));

  w->findChild<QSpinBox*>("SE1")->setValue(5);
  w->findChild<QToolButton*>("spBtnXDn")->click();
  EXPECT_EQ(nex->text().toInt(), x0 + 5);
  EXPECT_TRUE(w->findChild<QAction*>("EditUndo")->isEnabled());  // a nudge is an undoable edit
  EXPECT_EQ(w->Model().BaseVertices[2][2], w->Model().Vertices[2][2]);

  nex->setText("200");
  w->findChild<QLineEdit*>("NEY")->setText("");  // not a number: level 127
  w->findChild<QToolButton*>("spBtnXYZUpdate")->click();
  EXPECT_DOUBLE_EQ(w->Model().Vertices[2][2].X, 73.0 / 127.0);
  EXPECT_DOUBLE_EQ(w->Model().Vertices[2][2].Y, 0.0);
  w->findChild<QAction*>("EditUndo")->trigger();
  EXPECT_EQ(nex->text().toInt(), x0 + 5);

  w->findChild<QAction*>("ActSelectAll")->trigger();
  w->RefreshView();
  EXPECT_FALSE(nex->isEnabled());  // more than one vertex: the fields are off
  const TDbl3D before = w->Model().Vertices[7][7];
  w->FormKeyUp(Qt::Key_PageDown, Qt::NoModifier);  // presses spBtnZDn: Z by +5 levels
  EXPECT_DOUBLE_EQ(w->Model().Vertices[7][7].Z, std::min(before.Z + 5 / 127.0, 128 / 127.0));
}

}  // namespace
}  // namespace orvane
