// The main window spine: start-up state, first show, status bar, idle refresh, settings at exit.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/edit_image.h"
#include "app/main_window.h"

namespace orvane {
namespace {

class MainWindow : public testing::Test {
 protected:
  QTemporaryDir dir;
  QString settingsPath() const { return dir.filePath("orvane.ini"); }
  std::unique_ptr<TMainFrm> Make() { return std::make_unique<TMainFrm>(TMainFrmOptions{settingsPath()}); }
  static QString Status(TMainFrm& w, int k) {
    return w.findChild<QLabel*>(QString("StatusPanel%1").arg(k))->text();
  }
  static QStringList Tabs(TMainFrm& w) {
    auto* bar = w.findChild<QTabBar*>("TabControl");
    QStringList captions;
    for (int k = 0; k < bar->count(); ++k) captions << bar->tabText(k);
    return captions;
  }
  static bool WaitIdle(TMainFrm& w) {
    QSignalSpy idle(&w, &TMainFrm::Idle);
    return idle.wait(5000);
  }
};

TEST_F(MainWindow, NothingHappensBeforeTheFirstShow) {
  auto w = Make();
  EXPECT_EQ(w->windowTitle(), "ORVANE -Sculpted Prim Editor-");
  EXPECT_TRUE(w->Starting());
  EXPECT_EQ(w->Mode(), emNone);
  EXPECT_FALSE(w->findChild<QWidget*>("Image")->isEnabled());
  EXPECT_TRUE(w->MeshDirty());
  EXPECT_TRUE(w->TextureDirty());
  QTest::qWait(50);
  QCoreApplication::processEvents();
  EXPECT_EQ(w->MeshBuilds(), 0);  // the idle handler waits for the window
  EXPECT_EQ(w->TextureUploads(), 0);
  EXPECT_EQ(w->Mode(), emNone);
}

TEST_F(MainWindow, StartsWithANewSphereAndItsStatusTexts) {
  auto w = Make();
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  EXPECT_FALSE(w->Starting());
  EXPECT_EQ(Status(*w, 0), "SculptType:SPHERE");
  EXPECT_EQ(Status(*w, 1), "Aspect Ratio:32x32");
  EXPECT_EQ(Status(*w, 2), "Sculpted Prim:Initial Data");
  EXPECT_EQ(Status(*w, 3), "Texture:Initial Data");
  EXPECT_EQ(Tabs(*w), (QStringList{"LATHE", "EXTRUDE", "BEND", "HOOP", "CLAY", "Bitmap", "Texture"}));
  EXPECT_EQ(w->Mode(), emLathe);
  EXPECT_GT(w->findChild<QTabBar*>("TabControl")->height(), 10);  // the strip is really laid out
  EXPECT_TRUE(w->findChild<QWidget*>("Image")->isEnabled());
  EXPECT_EQ(w->Model().SculptType, stSphere);
  EXPECT_EQ(w->Model().SelectedCount, 0);
  EXPECT_EQ(w->Grid().ColumnCount, 33);
  // LATHE shows the section buttons and the read-out, not the pens or Bitmap controls
  EXPECT_TRUE(w->findChild<QWidget*>("spBtnGUp")->isVisible());
  EXPECT_TRUE(w->findChild<QWidget*>("LBY")->isVisible());
  EXPECT_FALSE(w->findChild<QWidget*>("SpBtnPen0")->isVisible());
  EXPECT_FALSE(w->findChild<QWidget*>("NEX")->isVisible());
}

TEST_F(MainWindow, IdleRefreshesMeshThenTextureAndCoalescesEdits) {
  auto w = Make();
  w->show();
  ASSERT_TRUE(WaitIdle(*w));
  EXPECT_EQ(w->MeshBuilds(), 1);
  EXPECT_EQ(w->TextureUploads(), 1);
  EXPECT_FALSE(w->MeshDirty());
  EXPECT_FALSE(w->TextureDirty());

  w->NewModel(stTorus, ar64x16);  // two edits before the next idle turn
  w->NewModel(stPlane, ar16x64);
  ASSERT_TRUE(WaitIdle(*w));
  EXPECT_EQ(w->MeshBuilds(), 2);
  EXPECT_EQ(Status(*w, 0), "SculptType:PLANE");
  EXPECT_EQ(Status(*w, 1), "Aspect Ratio:16x64");
  EXPECT_EQ(Tabs(*w), (QStringList{"CLAY", "Bitmap", "Texture"}));
}

TEST_F(MainWindow, NewCommandsResetTheModelAndTabs) {
  auto w = Make();
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  auto* torus128 = w->findChild<QAction*>("ResetTorus128");
  ASSERT_NE(torus128, nullptr);
  torus128->trigger();
  EXPECT_EQ(w->Model().SculptType, stTorus);
  EXPECT_EQ(w->Model().Aspect, ar128x8);
  EXPECT_EQ(w->Grid().ColumnCount, 129);
  EXPECT_EQ(Tabs(*w), (QStringList{"LATHE", "EXTRUDE", "BEND", "CLAY", "Bitmap", "Texture"}));
  EXPECT_EQ(w->TabModes()[2], emBendTorus);
  EXPECT_EQ(w->Mode(), emLathe);

  auto* bar = w->findChild<QTabBar*>("TabControl");
  bar->setCurrentIndex(5);  // Texture: only the pens remain
  EXPECT_EQ(w->Mode(), emTexture);
  EXPECT_TRUE(w->findChild<QWidget*>("SpBtnPen0")->isVisible());
  EXPECT_TRUE(w->findChild<QWidget*>("CBPenWidth")->isVisible());
  EXPECT_FALSE(w->findChild<QWidget*>("LBY")->isVisible());
  EXPECT_FALSE(w->findChild<QWidget*>("spBtnGLk")->isVisible());
  EXPECT_EQ(w->findChild<QWidget*>("Image")->size(), QSize(2048, 128));
}

TEST_F(MainWindow, StoredViewLevelAndPenWidthAreApplied) {
  {
    QSettings store(settingsPath(), QSettings::IniFormat);
    store.setValue("Setup/View Level", "3");
    store.setValue("TxDraw/PenWdith", "7");
  }
  auto w = Make();
  EXPECT_EQ(w->Settings().ViewLevel, 2);
  EXPECT_TRUE(w->findChild<QAction*>("ViewLevel02")->isChecked());
  EXPECT_FALSE(w->findChild<QAction*>("ViewLevel01")->isChecked());
  EXPECT_EQ(w->findChild<QComboBox*>("CBPenWidth")->currentIndex(), -1);
  EXPECT_EQ(w->findChild<QComboBox*>("CBPenWidth")->count(), 7);
  EXPECT_EQ(w->findChild<QComboBox*>("CBPenWidth")->itemText(3), "10px");
}

TEST_F(MainWindow, ViewLevelCommandChangesTheSettingAndRebuildsTheMesh) {
  auto w = Make();
  w->show();
  ASSERT_TRUE(WaitIdle(*w));
  const int builds = w->MeshBuilds();
  w->findChild<QAction*>("ViewLevel04")->trigger();
  EXPECT_EQ(w->Settings().ViewLevel, 4);
  ASSERT_TRUE(WaitIdle(*w));
  EXPECT_EQ(w->MeshBuilds(), builds + 1);
}

TEST_F(MainWindow, SettingsAreSavedAtExitWithTheWindowState) {
  {
    auto w = Make();
    w->showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QTRY_VERIFY_WITH_TIMEOUT(w->isMaximized(), 2000);
  }
  EXPECT_EQ(QSettings(settingsPath(), QSettings::IniFormat).value("Setup/Maximized Window").toString(), "1");
  auto next = Make();  // the next start asks for a maximised window
  EXPECT_TRUE(next->windowState() & Qt::WindowMaximized);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST_F(MainWindow, TextureTabShowsThePaintedTextureAndDispMeshTogglesTheOverlay) {
  auto w = Make();
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  EXPECT_NE(w->Textures().PreviewColour, w->Textures().PaintedColour);  // the overlay is on at start
  w->findChild<QAction*>("ViewDispCtrl")->trigger();
  EXPECT_FALSE(w->Textures().ShowOverlay);
  EXPECT_EQ(w->Textures().PreviewColour, w->Textures().PaintedColour);
  auto* bar = w->findChild<QTabBar*>("TabControl");
  bar->setCurrentIndex(bar->count() - 1);
  auto* image = w->findChild<TEditImage*>("Image");
  EXPECT_EQ(image->Picture(), w->Textures().PaintedColour);
  EXPECT_EQ(image->size(), QSize(512, 512));
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST_F(MainWindow, ViewMenuZoomGridAndSymmetry) {
  auto w = Make();
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  w->findChild<QAction*>("Zoom05")->trigger();
  EXPECT_EQ(w->ZoomFactor(), 5.0);
  EXPECT_EQ(w->Settings().Zoom, 5);
  w->UpdateActions();
  EXPECT_TRUE(w->findChild<QAction*>("Zoom05")->isChecked());
  w->findChild<QAction*>("Grid08")->trigger();
  EXPECT_EQ(w->Settings().Grid, 8);
  w->findChild<QAction*>("ViewSymmetry4Mirror")->trigger();
  EXPECT_EQ(w->ViewState().SymmetryMode, 3);
  // Symmetry is offered where it means something: EXTRUDE and HOOP
  auto* symmetry = qobject_cast<QMenu*>(w->findChild<QAction*>("ViewSymmetry4Mirror")->parent());
  ASSERT_NE(symmetry, nullptr);
  w->UpdateActions();
  EXPECT_FALSE(symmetry->menuAction()->isVisible());
  w->findChild<QTabBar*>("TabControl")->setCurrentIndex(1);
  w->UpdateActions();
  EXPECT_TRUE(symmetry->menuAction()->isVisible());
  // the menu order
  QStringList titles;
  for (QAction* a : qobject_cast<QMenu*>(w->findChild<QAction*>("ViewDispCtrl")->parent())->actions())
    if (!a->isSeparator()) titles << a->text();
  EXPECT_EQ(titles.mid(0, 5), (QStringList{"&Zoom", "&Grid", "Dis&p Mesh", "&Symmetry", "Level of &Detail"}));
}

}  // namespace
}  // namespace orvane
