// The LATHE tab in the real window: a profile point dragged with the mouse revolves onto the linked columns.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "app/edit_image.h"
#include "app/main_window.h"
#include "modes/lathe.h"

namespace orvane {
namespace {

double Radius(const TDbl3D& v) { return std::hypot(v.X, v.Y); }

TEST(LatheTab, DraggingAProfilePointRevolvesItAndIsOneUndoStep) {
  QTemporaryDir dir;
  TMainFrm w(TMainFrmOptions{dir.filePath("orvane.ini")});
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ASSERT_EQ(w.Mode(), emLathe);
  auto* lathe = dynamic_cast<TLatheMode*>(w.ModeObject(emLathe));
  ASSERT_NE(lathe, nullptr);
  auto* image = w.findChild<TEditImage*>("Image");

  const int column = lathe->ProfileColumn();
  const int row = 16;  // the middle of the wall
  const TDbl3D before = w.Model().Vertices[column][row];
  const double radius0 = Radius(w.Model().Vertices[0][row]);
  const QPoint at(lathe->ViewX(Radius(before)), lathe->ViewY(before.Z));
  QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_EQ(w.DragState(), dsMove);
  QTest::mouseMove(image, at + QPoint(-10, 0));
  QTest::mouseMove(image, at + QPoint(-20, 0));  // 10 levels at zoom 2
  QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, at + QPoint(-20, 0));
  EXPECT_EQ(w.DragState(), dsNone);

  const double moved = std::abs(Radius(w.Model().Vertices[column][row]) - Radius(before));
  EXPECT_NEAR(moved, 10.0 / 127.0, 1.5 / 127.0);
  // every linked column of that row takes the new radius; other rows stay
  for (int i = 0; i < 32; ++i)
    EXPECT_NEAR(Radius(w.Model().Vertices[i][row]), Radius(w.Model().Vertices[column][row]), 1e-9) << i;
  EXPECT_NE(Radius(w.Model().Vertices[0][row]), radius0);
  EXPECT_EQ(w.Model().Vertices[0][row + 3].Z, w.Model().BaseVertices[0][row + 3].Z);

  // the read-out followed the mouse, and the whole drag is one undo step
  EXPECT_NE(w.findChild<QLabel*>("LBY")->text(), "000");
  w.findChild<QAction*>("EditUndo")->trigger();
  EXPECT_EQ(w.Model().Vertices[column][row], before);
  EXPECT_NEAR(Radius(w.Model().Vertices[0][row]), radius0, 1e-12);
  w.UpdateActions();
  EXPECT_FALSE(w.findChild<QAction*>("EditUndo")->isEnabled());
}

}  // namespace
}  // namespace orvane
