// The Edit menu's history, whole-grid, lock and select commands.
#include <algorithm>

#include <QAction>
#include <QTabBar>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "app/mirror_dialog.h"

namespace orvane {

namespace {

QAction* AddAction(QMenu* menu, const char* caption, const char* name, const QKeySequence& key = {}) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  if (!key.isEmpty()) {
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
  }
  return a;
}

}  // namespace

void TMainFrm::BuildEditMenu(QMenuBar* bar) {
  FPlaneChooser = [this](std::string_view caption, int focus) {
    TMirrorDlg dialog(this);
    return dialog.Execute(QString::fromUtf8(caption.data(), qsizetype(caption.size())), focus);
  };
  FOffsetChooser = [this](int type, bool square) {
    TOffsetDlg dialog(this);
    return dialog.Execute(type, square);
  };

  QMenu* edit = bar->addMenu("&Edit");
  connect(edit, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
  EditUndo = AddAction(edit, "&Undo", "EditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  EditRedo = AddAction(edit, "&Redo", "EditRedo", QKeySequence(Qt::CTRL | Qt::Key_Y));
  connect(EditUndo, &QAction::triggered, this, [this] { EditUndoExecute(false); });
  connect(EditRedo, &QAction::triggered, this, [this] { EditUndoExecute(true); });
  edit->addSeparator();

  auto grid = [&](const char* caption, const char* name, std::function<void()> op) {
    QAction* a = AddAction(edit, caption, name);
    connect(a, &QAction::triggered, this, [this, op] { GridCommand(op); });
    FGridOpActions.push_back(a);
  };
  grid("F&lip Horizontal ", "EditFlipHorizontal", [this] { FlipHorizontal(FModel, FGrid, FPlaneChooser); });
  grid("&Flip Vertical ", "EditFlipVertical", [this] { FlipVertical(FModel, FGrid, FPlaneChooser); });
  grid("&Maximize", "EditMaximize", [this] { Maximize(FModel, FGrid); });
  grid("Mirror &80-GG from 00-7G", "EditHorizontalMirror", [this] { MirrorColumns(FModel, FGrid, FPlaneChooser); });
  grid("Mirror &08-GG from 00-G7", "EditVerticalMirror", [this] { MirrorRows(FModel, FGrid, FPlaneChooser); });
  grid("I&nside Out", "EditInsideOut", [this] { InsideOut(FModel, FGrid); });
  grid("Offset", "EditOffset", [this] {
    const TOffsetChoice c = FOffsetChooser(FModel.SculptType, CanRotateQuarter(FGrid));
    if (c.Rotate180 || c.Rotate90) RotateGrid(FModel, FGrid, c.Rotate90, c.Rotate180);
    else OffsetGrid(FModel, FGrid, c.X, c.Y);
  });

  QMenu* lock = edit->addMenu("Loc&k / Unlock");
  auto flag = [&](QMenu* menu, const char* caption, const char* name, const QKeySequence& key,
                  std::function<void()> op) {
    QAction* a = AddAction(menu, caption, name, key);
    connect(a, &QAction::triggered, this, [this, op] { FlagCommand(op); });
  };
  flag(lock, "&Lock", "EditLock", QKeySequence(Qt::CTRL | Qt::Key_L), [this] { LockSelected(FModel, 1, FGrid); });
  flag(lock, "&Unlock", "EditUnlock", {}, [this] { LockSelected(FModel, 0, FGrid); });
  flag(lock, "Unlock &All", "EditUnlockAll", {}, [this] { FillFlags(FModel.Locked, 0, FGrid); });
  flag(lock, "&Reverse", "EditLockReverse", {}, [this] { InvertFlags(FModel.Locked, FGrid); });
  QMenu* select = edit->addMenu("Sele&ct");
  flag(select, "&All", "ActSelectAll", QKeySequence(Qt::CTRL | Qt::Key_A), [this] {
    FillFlags(FModel.Selected, 1, FGrid);
    UpdateSelection(FModel, FGrid);
  });
  flag(select, "&None", "ActSelectNone", QKeySequence(Qt::CTRL | Qt::Key_N), [this] {
    FillFlags(FModel.Selected, 0, FGrid);
    UpdateSelection(FModel, FGrid);
  });
  flag(select, "&Reverse", "ActSelectReverse", {}, [this] {
    InvertFlags(FModel.Selected, FGrid);
    UpdateSelection(FModel, FGrid);
  });

  // The edit view's context menu shares the same commands.
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->addMenu(lock);
  PopupMenu1->addMenu(select);
}

void TMainFrm::EditUndoExecute(bool redo) {
  if (FStarting || FDragState != dsNone) return;
  if (redo ? !CanRedo(FUndo) : !CanUndo(FUndo)) return;
  const int type = FModel.SculptType;
  const int aspect = FModel.Aspect;
  if (redo) Redo(FUndo, FModel, FGrid);
  else Undo(FUndo, FModel, FGrid);
  // A restored New or load may bring another sculpt type or aspect: the tabs and
  // the status bar follow it, keeping the current mode when the type offers it.
  if (FModel.SculptType != type || FModel.Aspect != aspect) {
    const TEditMode mode = FMode;
    RebuildTabs();
    const auto it = std::find(FTabModes.begin(), FTabModes.end(), mode);
    const QSignalBlocker block(TabControl);
    if (it != FTabModes.end()) TabControl->setCurrentIndex(int(it - FTabModes.begin()));
  }
  RefreshView();
  SetMeshDirty();
  UpdateActions();
}

// A whole-grid command: the operation, then the common edit tail.
void TMainFrm::GridCommand(const std::function<void()>& op) {
  if (FStarting || FDragState != dsNone || FMode == emTexture) return;
  op();
  ApplyEdit();
}

// A lock or select command: also refreshes the texture overlay.
void TMainFrm::FlagCommand(const std::function<void()>& op) {
  if (FStarting || FDragState != dsNone) return;
  op();
  ApplyEdit();
  RefreshTextureOverlay();
}

void TMainFrm::UpdateActions() {
  UpdateFileActions();
  UpdateViewActions();
  UpdateBackgroundActions();
  if (EditUndo) EditUndo->setEnabled(CanUndo(FUndo));
  if (EditRedo) EditRedo->setEnabled(CanRedo(FUndo));
  for (QAction* a : FGridOpActions) a->setVisible(FMode != emTexture);
}

}  // namespace orvane
