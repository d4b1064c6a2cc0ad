// Input on the 2D edit view: the drag-state machine, rubber band, read-out, cursor, wheel and keys.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QPainter>
#include <QScrollArea>
#include <QWheelEvent>
#include <QWindow>

#include "app/edit_image.h"
#include "app/preview_view.h"
#include "app/main_window.h"
#include "model/draw_helpers.h"
#include "model/rounding.h"

namespace orvane {

QString FormatCoord(int v) {
  if (v <= 0) return "000";
  if (v >= 255) return "255";
  return QString("%1").arg(v, 3, 10, QChar('0'));
}

namespace {
bool IsDrawingMode(TEditMode m) {
  return m == emLathe || m == emExtrude || m == emBend || m == emHoop || m == emClay || m == emBendTorus;
}
}  // namespace

int TMainFrm::DrawZoom() const { return FMode == emBitmap ? FSettings.ZoomBitmap : FSettings.Zoom; }

void TMainFrm::ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y) {
  if (FStarting || FDragState != dsNone || !Image->isEnabled()) return;
  if (button != Qt::LeftButton) {
    if (FModel.SelectedCount > 0 && FMode != emTexture) PopupMenu1->popup(QCursor::pos());
    return;
  }
  if (!IsDrawingMode(FMode)) return;  // the Bitmap and Texture tabs take the mouse themselves
  FPressX = x;
  FPressY = y;
  const bool add = mods & Qt::ShiftModifier;
  const int code = add ? -1 : (mods & Qt::AltModifier) ? 0 : FHandlers->HitTest(FModel, x, y);
  if (code == -1) {
    const bool grabbed = FHandlers->Press(FModel, x, y, add);
    CommitBase(FModel, FGrid);
    if (grabbed) {
      FDragState = dsMove;
      FHandlers->UpdateFrame(FModel, true);
      DrawView();
    } else {
      FDragState = dsRubberBand;
      FCurX = FPressX;
      FCurY = FPressY;
      DrawRubberBand();
    }
  } else if (code == 0) {
    FDragState = dsMove;
  } else if (code == 10) {
    FDragState = dsPivot;
  } else {
    FDragState = dsHandle;
    FHandleCode = (code <= 4 && (mods & Qt::ControlModifier)) ? code + 100 : code;
  }
}

void TMainFrm::ImageMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, int x, int y) {
  if (FStarting) return;
  // A popup or another window can swallow the release: end the drag as a release would.
  if (FDragState != dsNone && !(buttons & Qt::LeftButton)) {
    ImageMouseUp(Qt::LeftButton, mods, x, y);
    return;
  }
  const double zoom = DrawZoom();
  const double dx = (x - FPressX) / zoom;
  const double dy = (FPressY - y) / zoom;
  switch (FDragState) {
    case dsMove:
      FHandlers->DragMove(FModel, dx, dy);
      FHandlers->UpdateFrame(FModel, false);
      FHandlers->DragFollow(FModel, dx, dy);
      DrawView();
      break;
    case dsRubberBand:
      DrawRubberBand();
      FCurX = x;
      FCurY = y;
      DrawRubberBand();
      break;
    case dsHandle:
      FHandlers->DragHandle(FModel, FHandleCode, FPressX, FPressY, x, y);
      DrawView();
      break;
    case dsPivot:
      FHandlers->DragFollow(FModel, dx, dy);
      DrawView();
      break;
    default: break;
  }
  ShowReadout(x, y);
  if (IsDrawingMode(FMode))
    Image->setCursor(CursorForHit(FCursors, FHandlers->HitTest(FModel, x, y), mods & Qt::ShiftModifier,
                                  mods & Qt::AltModifier, mods & Qt::ControlModifier));
  else
    Image->unsetCursor();
}

void TMainFrm::ShowReadout(int x, int y) {
  switch (FMode) {
    case emLathe:
    case emClay:
      if (const auto values = FHandlers->Readout(FModel, x, y)) {
        LBY->setText(FormatCoord(values->first));
        LBZ->setText(FormatCoord(values->second));
      }
      break;
    case emExtrude:
    case emBend:
    case emHoop:
    case emBendTorus: {
      const double zoom = FSettings.Zoom;
      LBY->setText(FormatCoord(255 - RoundToInt((x - FSettings.Margin) / zoom, -1000000, 1000000)));
      LBZ->setText(FormatCoord(RoundToInt((y - FSettings.Margin) / zoom, -1000000, 1000000)));
      break;
    }
    default: break;
  }
}

void TMainFrm::ImageMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, int, int) {
  if (FStarting || FDragState == dsNone || button != Qt::LeftButton) return;
  const bool add = mods & Qt::ShiftModifier;
  int before = 0;
  bool record = true;
  switch (FDragState) {
    case dsMove:
      CommitBase(FModel, FGrid);
      SetMeshDirty();
      break;
    case dsRubberBand:
      DrawRubberBand();  // erase the band before the mode redraws
      before = FModel.SelectedCount;
      FHandlers->SelectRect(FModel, FPressX, FPressY, FCurX, FCurY, add);
      FHandlers->UpdateFrame(FModel, true);
      CommitBase(FModel, FGrid);
      DrawView();
      SetMeshDirty();
      record = before != 0 || FModel.SelectedCount != 0;
      break;
    case dsHandle:
      FHandlers->UpdateFrame(FModel, false);
      CommitBase(FModel, FGrid);
      DrawView();
      SetMeshDirty();
      break;
    case dsPivot:
      DrawView();
      CommitBase(FModel, FGrid);
      break;
    default: break;
  }
  if (record) PushSnapshot(FUndo, FModel);
  FDragState = dsNone;
  FHandleCode = -1;
  if (FMode == emBitmap) UpdatePointFields();
  RefreshTextureOverlay();
  UpdateActions();
}

// The band is drawn with XOR, so a second drawing erases it.
void TMainFrm::DrawRubberBand() {
  QPainter p(&Image->Picture());
  DrawXorRect(p, FPressX, FPressY, FCurX, FCurY);
  p.end();
  Image->PictureChanged();
}

void TMainFrm::ZoomBy(double d) {
  if (FMode == emTexture) return;
  double& factor = FMode == emBitmap ? FZoomBitmap : FZoom;
  factor = d > 0 ? factor + d : -d;
  factor = std::min(factor, 8.0);
  (FMode == emBitmap ? FSettings.ZoomBitmap : FSettings.Zoom) = RoundToInt(factor, 2, 8);
  TabControlChange();
}

void TMainFrm::ZoomOutBy(double d) {
  if (FMode == emTexture) return;
  double& factor = FMode == emBitmap ? FZoomBitmap : FZoom;
  factor = std::max(factor - d, 2.0);
  (FMode == emBitmap ? FSettings.ZoomBitmap : FSettings.Zoom) = RoundToInt(factor, 2, 8);
  TabControlChange();
}

void TMainFrm::FormMouseWheel(const QPoint& globalPos, int delta) {
  if (FStarting || FDragState != dsNone) return;
  if (Panel2->mapFromGlobal(globalPos).x() > 0) {
    if (delta > 0) ZoomBy(0.25);
    else ZoomOutBy(0.25);
  }
  else {
    ZoomCamera(GLSceneViewer1->Camera(), FSettings.PreViewZoom, delta);
    GLSceneViewer1->update();
  }
}

void TMainFrm::FormKeyUp(int key, Qt::KeyboardModifiers mods) {
  if (FStarting || FDragState != dsNone) return;
  const bool shift = mods & Qt::ShiftModifier;
  const int g = FSettings.Grid;
  const double step = g == 0 ? (shift ? 8 : 1) : (shift ? 2 * g : g);
  if (FMode == emBitmap) {
    // The arrow and page keys press the nudge buttons.
    const std::pair<int, QToolButton*> keys[] = {{Qt::Key_Left, spBtnXUp},   {Qt::Key_Right, spBtnXDn},
                                                 {Qt::Key_Up, spBtnYUp},     {Qt::Key_Down, spBtnYDn},
                                                 {Qt::Key_PageUp, spBtnZUp}, {Qt::Key_PageDown, spBtnZDn}};
    for (const auto& [k, button] : keys)
      if (k == key) button->click();
    return;
  }
  if (FMode == emTexture || FMode == emNone) return;
  if (mods & Qt::ControlModifier) {
    if (key == Qt::Key_Plus || key == Qt::Key_Equal) ZoomBy(1);
    else if (key == Qt::Key_Minus) ZoomOutBy(1);
    return;
  }
  double dx = 0, dy = 0;
  switch (key) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = step; break;
    case Qt::Key_Down: dy = -step; break;
    default: return;
  }
  FHandlers->DragMove(FModel, dx, dy);
  ApplyEdit();
}

// Keys and the wheel reach the window whatever widget has the focus: the window's
// own platform window sees each of them once, before any widget does.
bool TMainFrm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == static_cast<QObject*>(windowHandle())) {
    if (event->type() == QEvent::KeyRelease) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (!key->isAutoRepeat()) FormKeyUp(key->key(), key->modifiers());
    } else if (event->type() == QEvent::Wheel) {
      auto* wheel = static_cast<QWheelEvent*>(event);
      FormMouseWheel(wheel->globalPosition().toPoint(), wheel->angleDelta().y());
    }
  } else if (event->type() == QEvent::KeyPress) {
    // Arrow and page keys edit the model; they must not scroll the view as well.
    const int k = static_cast<QKeyEvent*>(event)->key();
    if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_PageUp ||
        k == Qt::Key_PageDown)
      return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainFrm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Losing the window mid-drag loses the release too: end the drag here.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && FDragState != dsNone)
    ImageMouseUp(Qt::LeftButton, Qt::NoModifier, FCurX, FCurY);
}

}  // namespace orvane
