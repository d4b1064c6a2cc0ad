// What the Edit, Shape, Sides and Section commands do in each mode. A command runs only
// when its rule offers it; the edit is recorded only when a mode operation ran.
#include <QAction>

#include "app/action_helpers.h"
#include "app/command_rules.h"
#include "app/main_window.h"
#include "model/grid_ops.h"

namespace orvane {

bool TMainFrm::CommandsBlocked() const { return FStarting || FDragState != dsNone; }

TCommandContext TMainFrm::CommandContext() const {
  TCommandContext c{FMode, FModel.SculptType, FModel.Aspect, FModel.SelectedCount, false};
  if ((FMode == emBitmap || FMode == emClay) && FHandlers) c.ClayEqualAvailable = FHandlers->EqualAvailable(FModel);
  return c;
}

bool TMainFrm::Offered(std::string_view action) const {
  const TCommandState s = CommandState(action, CommandContext());
  return s.Visible && s.Enabled;
}

bool TMainFrm::ModeCommand(std::string_view action, const std::function<bool()>& op) {
  // The Texture tab records no edits, so nothing may change the grid there.
  if (CommandsBlocked() || FMode == emNone || FMode == emTexture || !Offered(action)) return false;
  const bool ran = op();
  if (ran) ApplyEdit();
  UpdateActions();
  return ran;
}

QAction* TMainFrm::AddModeCommand(QMenu* menu, const char* caption, const char* name, const QKeySequence& key,
                                  int tag, bool (TMainFrm::*op)(int tag)) {
  QAction* a = AddAction(menu, caption, name, key, tag);
  connect(a, &QAction::triggered, this,
          [this, name, tag, op] { ModeCommand(name, [this, op, tag] { return (this->*op)(tag); }); });
  return a;
}

TMode& TMainFrm::ModeFor(TEditMode mode) const { return *FModes[mode]; }

bool TMainFrm::EditRotateOp(int tag) { return FHandlers->Rotate(FModel, tag * FSettings.RotateDegree); }
bool TMainFrm::EditAlignOp(int tag) { return FHandlers->Align(FModel, tag == 1); }
bool TMainFrm::EditEqualOp(int) { return FHandlers->EqualIntervals(FModel); }
bool TMainFrm::EditEqualCurvesOp(int) { return FHandlers->EqualCurves(FModel); }
bool TMainFrm::EditTwistOp(int tag) { return FHandlers->Twist(FModel, tag, tag * FSettings.TwistDegree); }
bool TMainFrm::EditSameWidthOp(int) { return FHandlers->SameWidth(FModel); }
bool TMainFrm::EditOptimizeOp(int) { return FHandlers->Optimize(FModel); }

bool TMainFrm::EditMagnetOp(int) {
  // The Bitmap and CLAY views pull the selection with the whole-grid magnet.
  if (FMode == emBitmap || FMode == emClay) {
    Magnet(FModel, FGrid);
    return true;
  }
  return FHandlers->Magnet(FModel);
}

bool TMainFrm::EditSmoothOp(int) {
  TMode& mode = FMode == emBitmap || FMode == emClay ? ModeFor(emBitmap) : *FHandlers;
  return mode.Smooth(FModel, FSettings.GaussRadius);
}

void TMainFrm::EditCopyExecute() {
  if (CommandsBlocked() || FMode != emBitmap) return;
  FClipboardFull = true;
  FHandlers->Copy(FModel);
}

void TMainFrm::EditPasteExecute() {
  if (CommandsBlocked() || FMode != emBitmap || !FClipboardFull) return;
  if (FHandlers->Paste(FModel)) ApplyEdit();
}

// The pillar presets: which mode shapes the grid depends on the tab.
bool TMainFrm::ShapePillarOp(int tag) {
  const int corners = tag & 0xF;
  switch (FMode) {
    case emLathe: return FHandlers->Pillar(FModel, corners);
    case emExtrude:
    case emBitmap:
    case emClay: return ModeFor(emExtrude).Pillar(FModel, corners);
    case emBend:
    case emHoop: return ModeFor(emBend).Pillar(FModel, corners);
    case emBendTorus: return FHandlers->Pillar(FModel, corners);
    default: return false;
  }
}

void TMainFrm::ShapePillarExecute(std::string_view action, int tag) {
  if (!ModeCommand(action, [this, tag] { return ShapePillarOp(tag); })) return;
  // A second identical entry: the first Undo after a preset shows no change.
  CommitBase(FModel, FGrid);
  SetMeshDirty();
  PushSnapshot(FUndo, FModel);
  UpdateActions();
}

bool TMainFrm::ShapeBallOp(int tag) { return ModeFor(emLathe).Ball(FModel, tag); }
bool TMainFrm::ShapeBevelOp(int tag) { return ModeFor(emLathe).Bevel(FModel, tag); }
bool TMainFrm::ShapeFillPillarOp(int) { return ModeFor(emExtrude).FillPillar(FModel); }
bool TMainFrm::ShapeCushionOp(int) { return ModeFor(emLathe).Cushion(FModel); }

// The marks the Sides menu edits: LATHE columns, EXTRUDE rows; HOOP has its own.
TMarkArray* TMainFrm::SidesMarks() const {
  if (FMode != emLathe && FMode != emExtrude && FMode != emHoop) return nullptr;
  return FHandlers->SectionMarks();
}

void TMainFrm::SidesCommand(const std::function<void(TMarkArray&)>& op) {
  if (CommandsBlocked()) return;
  if (TMarkArray* marks = SidesMarks()) op(*marks);
  RefreshView();
}

void TMainFrm::SideSmoothExecute() {
  if (CommandsBlocked()) return;
  bool ran = false;
  if (FMode == emLathe) ran = FHandlers->SideSmooth(FModel);
  else if (FMode == emExtrude || FMode == emHoop) ran = ModeFor(emExtrude).SideSmooth(FModel);
  if (ran) ApplyEdit();
}

void TMainFrm::SectionExecute(int type) {
  if (CommandsBlocked() || FMode != emBend) return;
  FViewState.BendSectionType = type;
  if (ModeFor(emBend).ApplySectionToAll(FModel)) ApplyEdit();
  UpdateActions();
}

}  // namespace orvane
