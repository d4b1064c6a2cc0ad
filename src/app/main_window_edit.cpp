// The Edit menu and the edit view's context menu.
#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>

#include "app/action_helpers.h"
#include "app/main_window.h"
#include "app/mirror_dialog.h"

namespace orvane {

namespace {

QKeySequence Ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }

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
  EditUndo = AddAction(edit, "&Undo", "EditUndo", Ctrl(Qt::Key_Z));
  EditRedo = AddAction(edit, "&Redo", "EditRedo", Ctrl(Qt::Key_Y));
  connect(EditUndo, &QAction::triggered, this, [this] { EditUndoExecute(false); });
  connect(EditRedo, &QAction::triggered, this, [this] { EditUndoExecute(true); });
  edit->addSeparator();

  // Mode commands: the rule decides whether they run, the mode whether anything changed.
  auto mode = [&](const char* caption, const char* name, const QKeySequence& key, int tag,
                  bool (TMainFrm::*op)(int tag)) { return AddModeCommand(edit, caption, name, key, tag, op); };
  QAction* rotatePlus = mode("R&otate+", "EditRotate0", Ctrl(Qt::Key_R), 1, &TMainFrm::EditRotateOp);
  QAction* rotateMinus = mode("Ro&tate-", "EditRotate1", Ctrl(Qt::Key_T), -1, &TMainFrm::EditRotateOp);
  QAction* alignH = mode("&Horizontal Align", "EditHorizontal", Ctrl(Qt::Key_W), 0, &TMainFrm::EditAlignOp);
  QAction* alignV = mode("&Vertical Align", "EditVertical", Ctrl(Qt::Key_E), 1, &TMainFrm::EditAlignOp);
  QAction* equal = mode("&Equal Intervals", "EditEqual", Ctrl(Qt::Key_D), 0, &TMainFrm::EditEqualOp);
  QAction* curves = mode("E&qual Curves", "EditEQCurves", {}, 0, &TMainFrm::EditEqualCurvesOp);
  QAction* twistPlus = mode("T&Wist+", "EditTWist0", {}, 1, &TMainFrm::EditTwistOp);
  QAction* twistMinus = mode("TW&ist-", "EditTwist1", {}, -1, &TMainFrm::EditTwistOp);
  QAction* sameWidth = mode("&Same Width", "EditSameWidth", {}, 0, &TMainFrm::EditSameWidthOp);
  mode("O&ptimize", "EditOptimize", {}, 0, &TMainFrm::EditOptimizeOp);

  auto grid = [&](const char* caption, const char* name, std::function<void()> op) {
    QAction* a = AddAction(edit, caption, name);
    connect(a, &QAction::triggered, this, [this, name, op] {
      ModeCommand(name, [op] {
        op();
        return true;
      });
    });
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
  QAction* magnet = mode("M&agnet", "EditMagnet", {}, 0, &TMainFrm::EditMagnetOp);

  QMenu* lock = AddSubmenu(edit, "Loc&k / Unlock", "EditLockMenu");
  auto flag = [&](QMenu* menu, const char* caption, const char* name, const QKeySequence& key,
                  std::function<void()> op) {
    QAction* a = AddAction(menu, caption, name, key);
    connect(a, &QAction::triggered, this, [this, op] { FlagCommand(op); });
  };
  flag(lock, "&Lock", "EditLock", Ctrl(Qt::Key_L), [this] { LockSelected(FModel, 1, FGrid); });
  flag(lock, "&Unlock", "EditUnlock", {}, [this] { LockSelected(FModel, 0, FGrid); });
  flag(lock, "Unlock &All", "EditUnlockAll", {}, [this] { FillFlags(FModel.Locked, 0, FGrid); });
  flag(lock, "&Reverse", "EditLockReverse", {}, [this] { InvertFlags(FModel.Locked, FGrid); });
  QMenu* select = AddSubmenu(edit, "Sele&ct", "EditSelectMenu");
  flag(select, "&All", "ActSelectAll", Ctrl(Qt::Key_A), [this] {
    FillFlags(FModel.Selected, 1, FGrid);
    UpdateSelection(FModel, FGrid);
  });
  flag(select, "&None", "ActSelectNone", Ctrl(Qt::Key_N), [this] {
    FillFlags(FModel.Selected, 0, FGrid);
    UpdateSelection(FModel, FGrid);
  });
  flag(select, "&Reverse", "ActSelectReverse", {}, [this] {
    InvertFlags(FModel.Selected, FGrid);
    UpdateSelection(FModel, FGrid);
  });
  QAction* smooth = mode("Smooth", "EditSmooth", Ctrl(Qt::Key_F), 0, &TMainFrm::EditSmoothOp);

  // Copy and Paste have no menu entry; their shortcuts work anywhere in the window.
  auto hidden = [&](const char* caption, const char* name, const QKeySequence& key, auto run) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    connect(a, &QAction::triggered, this, run);
  };
  hidden("Copy", "EditCopy", Ctrl(Qt::Key_C), [this] { EditCopyExecute(); });
  hidden("Paste", "EditPaste", Ctrl(Qt::Key_V), [this] { EditPasteExecute(); });

  // The edit view's context menu shares the same commands.
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
  PopupMenu1->addMenu(lock);
  PopupMenu1->addMenu(select);
  PopupMenu1->addActions({rotatePlus, rotateMinus, alignH, alignV, equal, curves, smooth, twistPlus, twistMinus,
                          sameWidth, magnet});
}

void TMainFrm::EditUndoExecute(bool redo) {
  if (CommandsBlocked()) return;
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

// A lock or select command: also refreshes the texture overlay.
void TMainFrm::FlagCommand(const std::function<void()>& op) {
  if (CommandsBlocked()) return;
  op();
  ApplyEdit();
  RefreshTextureOverlay();
}

}  // namespace orvane
