// The main window's two menu bars: the File and View menus here, the others in their own files.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "model/grid_geometry.h"

namespace orvane {

namespace {

struct TNewTypeMenu {
  const char* Caption;
  const char* Name;  // action name prefix
  int Type;
};
constexpr TNewTypeMenu kNewTypes[] = {
    {"&Sphere", "ResetSphere", stSphere},
    {"&Torus", "ResetTorus", stTorus},
    {"&Plane", "ResetPlane", stPlane},
    {"&Cylinder", "ResetCylinder", stCylinder},
};
// Menu captions of the aspects with their access keys, and the action name suffixes.
constexpr const char* kAspectCaptions[] = {"&32x32", "&64x16", "&128x8", "&256x4", "16&x64", "&8x128", "&4x256"};
constexpr const char* kAspectSuffixes[] = {"32", "64", "128", "256", "16", "8", "4"};

}  // namespace

void TMainFrm::BuildMenus() {
  ActionMainMenuBar1->addMenu("&Texture");

  FDialogs = PlatformDialogs(this);
  QMenu* file = ActionMainMenuBar2->addMenu("&File");
  connect(file, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
  QMenu* fileNew = file->addMenu("&New");
  for (const auto& t : kNewTypes) {
    QMenu* typeMenu = fileNew->addMenu(t.Caption);
    QAction* typeAction = typeMenu->menuAction();
    typeAction->setObjectName(t.Name);
    typeAction->setCheckable(true);
    FNewTypeActions.push_back(typeAction);
    for (int aspect = 0; aspect < kAspectCount; ++aspect) {
      QAction* a = typeMenu->addAction(kAspectCaptions[aspect]);
      a->setObjectName(QString(t.Name) + kAspectSuffixes[aspect]);
      a->setCheckable(true);
      a->setData(aspect);
      connect(a, &QAction::triggered, this, [this, type = t.Type, aspect] { NewExecute(type, aspect); });
      FNewAspectActions.push_back(a);
    }
  }
  QAction* separator = file->addSeparator();
  BuildFileMenuCommands(file, separator);
  QAction* setup = file->addAction("S&etup...");
  setup->setObjectName("FileSetup");
  connect(setup, &QAction::triggered, this, &TMainFrm::FileSetupExecute);
  file->addSeparator();
  QAction* exitAction = file->addAction("E&xit");
  exitAction->setObjectName("FileExit");
  connect(exitAction, &QAction::triggered, this, &QWidget::close);

  BuildEditMenu(ActionMainMenuBar2);
  BuildShapeMenu(ActionMainMenuBar2);

  QMenu* view = ActionMainMenuBar2->addMenu("&View");
  QAction* dispMesh = view->addAction("Dis&p Mesh");
  BuildViewChoices(view, dispMesh);
  dispMesh->setObjectName("ViewDispCtrl");
  dispMesh->setCheckable(true);
  dispMesh->setChecked(FTextures.ShowOverlay);
  connect(dispMesh, &QAction::triggered, this, [this, dispMesh] {
    if (CommandsBlocked()) return;
    FTextures.ShowOverlay = !FTextures.ShowOverlay;
    dispMesh->setChecked(FTextures.ShowOverlay);
    RefreshTextureOverlay();
  });
  QMenu* detail = view->addMenu("Level of &Detail");
  auto* levels = new QActionGroup(this);
  auto addLevel = [&](const char* caption, const char* name, int level) {
    QAction* a = detail->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(true);
    levels->addAction(a);
    connect(a, &QAction::triggered, this, [this, level] { ViewLevelExecute(level); });
    return a;
  };
  ViewLevel01 = addLevel("&Near", "ViewLevel01", 1);
  ViewLevel02 = addLevel("&Middle", "ViewLevel02", 2);
  ViewLevel04 = addLevel("&Far", "ViewLevel04", 4);
  connect(detail, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
  // The CLAY mode's line choices.
  QAction* editLine = view->addAction("&Edit Line...");
  editLine->setObjectName("ViewEditLine");
  connect(editLine, &QAction::triggered, this, &TMainFrm::ViewEditLineExecute);
  BuildBackgroundCommands(view);

  BuildSidesMenu(ActionMainMenuBar2);
  BuildSectionMenu(ActionMainMenuBar2);
  BuildHelpMenu(ActionMainMenuBar2);
  CollectRuledActions();
}

void TMainFrm::NewExecute(int type, int aspect) {
  if (CommandsBlocked() || !ConfirmDiscard()) return;
  NewModel(type, aspect);
  FinishNew();
  RememberSavedShape();
}

void TMainFrm::ViewLevelExecute(int level) {
  if (CommandsBlocked()) return;
  FSettings.ViewLevel = level;
  SetMeshDirty();
  RefreshView();
}

}  // namespace orvane
