// The update pass over every command: shown, offered, checked, and the rebuilt captions.
// It runs when a menu opens, after every command and at idle.
#include <QAction>

#include "app/command_rules.h"
#include "app/main_window.h"
#include "model/grid_labels.h"

namespace orvane {

namespace {

QString Label(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// The two mirror commands name the halves they copy, which move with the aspect.
QString HorizontalMirrorCaption(const TGridGeometry& grid) {
  const int m = (grid.ColumnCount - 1) / 2;
  return "Mirror &" + Label(ColumnLabel(grid, m)) + "0-GG from 00-" + Label(ColumnLabel(grid, m - 1)) + "G";
}

QString VerticalMirrorCaption(const TGridGeometry& grid) {
  const int m = (grid.RowCount - 1) / 2;
  return "Mirror &0" + Label(RowLabel(grid, m)) + "-GG from 00-G" + Label(RowLabel(grid, m - 1));
}

// The actions that have a rule, looked up once the menus exist.
void TMainFrm::CollectRuledActions() {
  FRuledActions.clear();
  for (std::string_view name : RuledCommands())
    if (QAction* a = findChild<QAction*>(QString::fromUtf8(name.data(), qsizetype(name.size()))))
      FRuledActions.push_back({name, a});
  FMirrorActions[0] = findChild<QAction*>("EditHorizontalMirror");
  FMirrorActions[1] = findChild<QAction*>("EditVerticalMirror");
}

void TMainFrm::UpdateActions() {
  if (!FMirrorActions[0]) return;  // the menus are not built yet
  const TCommandContext context = CommandContext();
  for (const auto& [name, action] : FRuledActions) {
    const TCommandState s = CommandState(name, context);
    action->setVisible(s.Visible);
    action->setEnabled(s.Enabled);
  }
  EditUndo->setEnabled(CanUndo(FUndo));
  EditRedo->setEnabled(CanRedo(FUndo));
  FMirrorActions[0]->setText(HorizontalMirrorCaption(FGrid));
  FMirrorActions[1]->setText(VerticalMirrorCaption(FGrid));

  for (int k = 0; k < int(FNewTypeActions.size()); ++k) FNewTypeActions[k]->setChecked(FModel.SculptType == k);
  for (int k = 0; k < int(FNewAspectActions.size()); ++k)
    FNewAspectActions[k]->setChecked(FModel.SculptType == k / kAspectCount && FModel.Aspect == k % kAspectCount);
  for (int k = 0; k < int(FSectionActions.size()); ++k)
    FSectionActions[k]->setChecked(k == FViewState.BendSectionType);
  UpdateFileActions();
  UpdateViewActions();
  UpdateBackgroundActions();
}

}  // namespace orvane
