// The mode controls along the bottom: CLAY view planes and the section cursor buttons.
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>

#include "app/main_window.h"
#include "model/grid_labels.h"
#include "model/view_transform.h"
#include "modes/bitmap_points.h"

namespace orvane {

void TMainFrm::SBXYZClick(int plane) {
  if (CommandsBlocked()) return;
  FSettings.ClayMode = plane;
  RefreshView();
}

// The section cursor of the active mode, or null when the mode has none.
int* TMainFrm::SectionCursor() {
  switch (FMode) {
    case emLathe: return &FGrid.LatheColumn;
    case emExtrude: return &FGrid.ExtrudeRow;
    case emHoop: return &FGrid.HoopRow;
    default: return nullptr;
  }
}

void TMainFrm::UpdateLineButton() {
  int* cursor = SectionCursor();
  TMarkArray* marks = FHandlers ? FHandlers->SectionMarks() : nullptr;
  spBtnGLk->setChecked(cursor && marks && (*marks)[*cursor] == 1);
  if (!cursor) return;
  // Columns are shown mirrored: the label names the picture position of the column.
  const bool columns = FMode == emLathe;
  const int n = columns ? FGrid.ColumnCount - 1 - *cursor : *cursor;
  spBtnGLk->setText(QString::fromStdString(columns ? ColumnLabel(FGrid, n) : RowLabel(FGrid, n)) +
                    QString::number(n % 2));
}

void TMainFrm::spBtnGLkClick() {
  if (CommandsBlocked()) return;
  int* cursor = SectionCursor();
  TMarkArray* marks = FHandlers ? FHandlers->SectionMarks() : nullptr;
  if (cursor && marks) (*marks)[*cursor] = (*marks)[*cursor] == 1 ? 0 : 1;
  UpdateLineButton();
}

// "<" and ">": step the section cursor with wrap-around, by the rule of each mode.
void TMainFrm::StepSection(bool up) {
  if (CommandsBlocked()) return;
  const int C = FGrid.ColumnCount;
  const int R = FGrid.RowCount;
  int& c = FGrid.LatheColumn;
  int& e = FGrid.ExtrudeRow;
  int& h = FGrid.HoopRow;
  // Range tests rather than equality: a cursor is never left outside its range.
  switch (FMode) {
    case emLathe:
      if (up) c = (c - 1 < 0 || c - 1 > C - 2) ? C - 2 : c - 1;
      else c = (c + 1 >= C - 1 || c + 1 < 0) ? 0 : c + 1;
      break;
    case emExtrude:
      if (FModel.SculptType == stTorus) {
        if (up) e = (e + 1 >= R || e + 1 < 1) ? 1 : e + 1;
        else e = (e - 1 <= 0 || e - 1 > R - 1) ? R - 1 : e - 1;
      } else {
        if (up) e = (e + 1 >= R || e + 1 < 0) ? 0 : e + 1;
        else e = (e - 1 < 0 || e - 1 > R - 1) ? R - 1 : e - 1;
      }
      break;
    case emHoop:
      if (up) h = (h + 1 >= R || h + 1 < 0) ? 0 : h + 1;
      else h = (h - 1 < 0 || h - 1 > R - 1) ? R - 1 : h - 1;
      break;
    default: return;
  }
  RefreshView();
}

}  // namespace orvane

namespace orvane {

// The three level fields show the one selected vertex; with any other count they are off.
void TMainFrm::UpdatePointFields() {
  for (QLineEdit* e : {NEX, NEY, NEZ}) e->setEnabled(false);
  int i = 0, j = 0;
  if (FModel.SelectedCount != 1 || !FirstSelectedVertex(FModel, FGrid, i, j)) return;
  const auto levels = VertexLevels(FModel.Vertices, i, j);
  QLineEdit* fields[] = {NEX, NEY, NEZ};
  for (int k = 0; k < 3; ++k) {
    fields[k]->setText(QString::number(levels[k]));
    fields[k]->setEnabled(true);
  }
}

// A numeric point edit is an edit like any other: committed and undoable.
void TMainFrm::FinishPointEdit() {
  ApplyEdit();
  RefreshTextureOverlay();
  UpdatePointFields();
  if (isVisible()) ScrollBox1->setFocus();
}

void TMainFrm::NudgeClick(int axis, int sign) {
  if (CommandsBlocked() || FMode != emBitmap) return;
  const int d = sign * SE1->value();
  BitmapNudge(FModel, FGrid, axis == 0 ? d : 0, axis == 1 ? d : 0, axis == 2 ? d : 0);
  FinishPointEdit();
}

void TMainFrm::BitBtnXYZUpdateClick() {
  if (CommandsBlocked() || FMode != emBitmap) return;
  auto level = [](const QLineEdit* e) {
    bool ok = false;
    const int v = e->text().toInt(&ok);
    return ok ? v : 127;
  };
  BitmapSetLevels(FModel, FGrid, level(NEX), level(NEY), level(NEZ));
  FinishPointEdit();
}

}  // namespace orvane
