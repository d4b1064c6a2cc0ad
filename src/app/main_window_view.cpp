// The View menu's zoom, grid and symmetry choices.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/main_window.h"

namespace orvane {

void TMainFrm::BuildViewChoices(QMenu* view, QAction* before) {
  QMenu* zoom = new QMenu("&Zoom", view);
  zoom->menuAction()->setObjectName("ViewZoom");
  view->insertMenu(before, zoom);
  auto* zoomGroup = new QActionGroup(this);
  for (int n = 2; n <= 8; ++n) {
    QAction* a = zoom->addAction(QString("x&%1").arg(n));
    a->setObjectName(QString("Zoom%1").arg(n, 2, 10, QChar('0')));
    a->setCheckable(true);
    zoomGroup->addAction(a);
    a->setData(n);
    connect(a, &QAction::triggered, this, [this, n] {
      if (CommandsBlocked() || FMode == emTexture) return;
      ZoomBy(-n);
    });
    FZoomActions.push_back(a);
  }

  QMenu* grid = new QMenu("&Grid", view);
  grid->menuAction()->setObjectName("ViewGrid");
  view->insertMenu(before, grid);
  auto* gridGroup = new QActionGroup(this);
  const std::pair<const char*, int> grids[] = {{"&None", 0}, {"&1", 1}, {"&4", 4}, {"&8", 8}};
  for (const auto& [caption, levels] : grids) {
    QAction* a = grid->addAction(caption);
    a->setObjectName(QString("Grid%1").arg(levels, 2, 10, QChar('0')));
    a->setCheckable(true);
    gridGroup->addAction(a);
    a->setData(levels);
    connect(a, &QAction::triggered, this, [this, levels] {
      if (CommandsBlocked()) return;
      FSettings.Grid = levels;
      RefreshView();
    });
    FGridActions.push_back(a);
  }

  // Symmetry follows Disp Mesh.
  MenuSymmetry = new QMenu("&Symmetry", view);
  MenuSymmetry->menuAction()->setObjectName("ViewSymmetry");
  view->addMenu(MenuSymmetry);
  auto* symmetryGroup = new QActionGroup(this);
  const char* symmetries[] = {"&None", "&Mirror Image", "&Rotation", "&4 Mirror", "4 R&otation"};
  const char* names[] = {"ViewSymmetryNone", "ViewSymmetryMirror", "ViewSymmetryRotation", "ViewSymmetry4Mirror",
                         "ViewSymmetry4Rotation"};
  for (int tag = 0; tag < 5; ++tag) {
    QAction* a = MenuSymmetry->addAction(symmetries[tag]);
    a->setObjectName(names[tag]);
    a->setCheckable(true);
    symmetryGroup->addAction(a);
    a->setData(tag);
    connect(a, &QAction::triggered, this, [this, tag] { FViewState.SymmetryMode = tag; });
    FSymmetryActions.push_back(a);
  }
  connect(view, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
}

void TMainFrm::UpdateViewActions() {
  const int zoom = FMode == emBitmap ? FSettings.ZoomBitmap : FSettings.Zoom;
  for (int k = 0; k < int(FZoomActions.size()); ++k) FZoomActions[k]->setChecked(k + 2 == zoom);
  const int grids[] = {0, 1, 4, 8};
  for (int k = 0; k < int(FGridActions.size()); ++k) FGridActions[k]->setChecked(grids[k] == FSettings.Grid);
  for (int k = 0; k < int(FSymmetryActions.size()); ++k) FSymmetryActions[k]->setChecked(k == FViewState.SymmetryMode);
  if (ViewLevel01) {
    ViewLevel01->setChecked(FSettings.ViewLevel == 1);
    ViewLevel02->setChecked(FSettings.ViewLevel == 2);
    ViewLevel04->setChecked(FSettings.ViewLevel == 4);
  }
}

}  // namespace orvane
