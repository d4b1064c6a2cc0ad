// The main window's life cycle, status bar, dirty flags, idle handler and shared command tails.
#include "app/main_window.h"

#include <cstdio>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>
#include <QWindow>
#include <QToolButton>

#include "app/about_dialog.h"
#include "app/edit_image.h"
#include "app/edit_line_dialog.h"
#include "app/preview_view.h"
#include "app/settings_store.h"
#include "app/setup_dialog.h"
#include "app/sides_dialog.h"
#include "app/space_mouse_device.h"
#include "modes/lathe.h"

namespace orvane {

TMainFrm::TMainFrm(const TMainFrmOptions& options, QWidget* parent)
    : QMainWindow(parent), FOptions(options), FCursors(TCursorSet::Create()) {
  for (auto& mode : FModes) mode = std::make_unique<TBlankMode>(TModeContext{FGrid, FSettings, &FViewState});
  FModes[emLathe] = std::make_unique<TLatheMode>(TModeContext{FGrid, FSettings, &FViewState});
  FHandlers = FModes[emLathe].get();
  BuildLayout();
  BuildMenus();
  FIdleTimer = new QTimer(this);
  FIdleTimer->setSingleShot(true);
  FIdleTimer->setInterval(0);
  connect(FIdleTimer, &QTimer::timeout, this, &TMainFrm::IdleHandler);
  connect(TabControl, &QTabBar::currentChanged, this, [this] { TabControlChange(); });
  connect(Image, &TEditImage::MousePressed, this, &TMainFrm::ImageMouseDown);
  connect(Image, &TEditImage::MouseMoved, this, &TMainFrm::ImageMouseMove);
  connect(Image, &TEditImage::MouseReleased, this, &TMainFrm::ImageMouseUp);
  connect(SBXZ, &QToolButton::clicked, this, [this] { SBXYZClick(0); });
  connect(SBYZ, &QToolButton::clicked, this, [this] { SBXYZClick(1); });
  connect(SBXY, &QToolButton::clicked, this, [this] { SBXYZClick(2); });
  connect(spBtnGLk, &QToolButton::clicked, this, &TMainFrm::spBtnGLkClick);
  connect(spBtnGDn, &QToolButton::clicked, this, [this] { StepSection(false); });
  connect(spBtnGUp, &QToolButton::clicked, this, [this] { StepSection(true); });
  // The Bitmap nudge buttons: X and Z run against their arrows, as the map's colours do.
  connect(spBtnXUp, &QToolButton::clicked, this, [this] { NudgeClick(0, -1); });
  connect(spBtnXDn, &QToolButton::clicked, this, [this] { NudgeClick(0, 1); });
  connect(spBtnYUp, &QToolButton::clicked, this, [this] { NudgeClick(1, 1); });
  connect(spBtnYDn, &QToolButton::clicked, this, [this] { NudgeClick(1, -1); });
  connect(spBtnZUp, &QToolButton::clicked, this, [this] { NudgeClick(2, -1); });
  connect(spBtnZDn, &QToolButton::clicked, this, [this] { NudgeClick(2, 1); });
  connect(spBtnXYZUpdate, &QToolButton::clicked, this, &TMainFrm::BitBtnXYZUpdateClick);
  connect(SE1, &QAbstractSpinBox::editingFinished, this, [this] {
    if (isVisible() && !FStarting) ScrollBox1->setFocus();
  });
  ScrollBox1->installEventFilter(this);
  ScrollBox1->viewport()->installEventFilter(this);
  setWindowIcon(ProgramIcon());
  FormCreate();
}

TMainFrm::~TMainFrm() { FormDestroy(); }

void TMainFrm::FormCreate() {
  FMeshDirty = false;
  FTextureDirty = false;
  FClipboardFull = false;
  FMode = emNone;
  FDragState = dsNone;
  FStarting = true;
  FSaveKind = -1;
  for (int w : PenWidths) CBPenWidth->addItem(QString("%1px").arg(w));
  LoadSettings(FSettings, FOptions.SettingsPath);
  FZoom = FSettings.Zoom;
  FZoomBitmap = FSettings.ZoomBitmap;
  FTabModes.clear();
  if (FSettings.ViewLevel != 1 && FSettings.ViewLevel != 2 && FSettings.ViewLevel != 4) FSettings.ViewLevel = 1;
  ViewLevel01->setChecked(FSettings.ViewLevel == 1);
  ViewLevel02->setChecked(FSettings.ViewLevel == 2);
  ViewLevel04->setChecked(FSettings.ViewLevel == 4);
  DrawPenGlyphs();
  CBPenWidth->setCurrentIndex(-1);
  for (int k = 0; k < int(std::size(PenWidths)); ++k)
    if (PenWidths[k] == FSettings.PenWidth) CBPenWidth->setCurrentIndex(k);
  NewModel(stSphere, ar32x32);
  InitTexture();
  FillFlags(FModel.Selected, 0, FGrid);
  StartHistory(FUndo, FModel);
  RememberSavedShape();
  UpdateActions();
  TabControlChange();  // returns at once: the edit view stays disabled until the first show
  if (FSettings.MaximizedWindow) setWindowState(windowState() | Qt::WindowMaximized);
  FSpaceMouse = new TSpaceMouseDevice(this);
  connect(FSpaceMouse, &TSpaceMouseDevice::Input, this, &TMainFrm::ArmIdle);
  FSpaceMouse->Start();
}

void TMainFrm::closeEvent(QCloseEvent* event) {
  if (!ConfirmDiscard()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TMainFrm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FormShow();
}

void TMainFrm::SetMode(TEditMode mode, std::unique_ptr<TMode> handlers) {
  const bool active = FHandlers == FModes[mode].get();
  FModes[mode] = std::move(handlers);
  if (active) FHandlers = FModes[mode].get();
}

void TMainFrm::FormShow() {
  // Keys and the wheel are seen once, on the window, before any widget.
  if (windowHandle()) windowHandle()->installEventFilter(this);
  if (!FStarting) return;
  FStarting = false;
  GLSceneViewer1->SetInputEnabled(true);
  TabControlChange();
  ArmIdle();
}

void TMainFrm::FormDestroy() {
  GLSceneViewer1->ReleaseContext();
  QString reason;
  if (!SaveSettings(FSettings, isMaximized(), FOptions.SettingsPath, &reason))
    std::fprintf(stderr, "orvane: settings not saved: %s\n", qPrintable(reason));
  FSpaceMouse->Shutdown();
}

void TMainFrm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!FStarting) TabControlChange();
}

void TMainFrm::SetStatus(int panel, const QString& text) { StatusPanels[panel]->setText(text); }

void TMainFrm::NewModel(int type, int aspect) {
  ResetModel(FModel, FGrid, type, aspect);
  CommitBase(FModel, FGrid);
  SetMeshDirty();
  SetStatus(2, "Sculpted Prim:Initial Data");
  RebuildTabs();
}

void TMainFrm::FinishNew() {
  TabControlChange();
  InitTexture();
  PushSnapshot(FUndo, FModel);
  UpdateActions();
}

void TMainFrm::InitTexture() {
  ResetTexture(FTextures, FGrid);
  RefreshOverlay(FTextures, FModel, FGrid);
  SetStatus(3, "Texture:Initial Data");
  if (FMode == emTexture) ShowTexturePicture();
  SetTextureDirty();
}

// The Texture tab shows the painted texture itself, 1:1.
void TMainFrm::ShowTexturePicture() {
  Image->SetPictureSize(FGrid.TextureWidth, FGrid.TextureHeight);
  Image->Picture() = FTextures.PaintedColour.copy();
  Image->PictureChanged();
}

void TMainFrm::DrawPenGlyphs() {
  for (int k = 0; k < 4; ++k) {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    const int c = FSettings.PenColors[k];
    p.setBrush(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    p.setPen(Qt::darkGray);
    p.drawEllipse(1, 1, 13, 13);
    SpBtnPen[k]->setIcon(glyph);
  }
}

void TMainFrm::ApplyEdit() {
  if (FMode == emTexture) return;
  Image->setEnabled(false);
  if (FHandlers && FMode != emNone) {
    FHandlers->UpdateFrame(FModel, false);
    DrawView();
  }
  CommitBase(FModel, FGrid);
  SetMeshDirty();
  PushSnapshot(FUndo, FModel);
  Image->setEnabled(true);
  UpdateActions();
}

void TMainFrm::RefreshView() { TabControlChange(); }

void TMainFrm::SetMeshDirty() {
  FMeshDirty = true;
  ArmIdle();
}

void TMainFrm::SetTextureDirty() {
  FTextureDirty = true;
  ArmIdle();
}

void TMainFrm::ArmIdle() {
  if (!FStarting && !FIdleTimer->isActive()) FIdleTimer->start();
}

// One task per idle turn, mesh before texture; re-armed while work is left.
void TMainFrm::IdleHandler() {
  if (FStarting) return;
  GLSceneViewer1->ReleaseResizes();
  if (FMeshDirty) {
    FMeshDirty = false;
    ++FMeshBuilds;
    BuildPreviewMesh(FModel, FGrid, FSettings.ViewLevel, FPreviewMesh);
    GLSceneViewer1->SetMesh(FPreviewMesh);
  } else if (FTextureDirty) {
    FTextureDirty = false;
    ++FTextureUploads;
    UploadTexture();
  } else if (FSpaceMouse->Present()) {
    const TSpaceMouseReading reading = FSpaceMouse->Read();
    PollSpaceMouse(GLSceneViewer1->Camera(), reading, FSettings);
    GLSceneViewer1->update();
    // A held cap keeps the camera moving, one small step per idle turn.
    for (int level : reading.Levels)
      if (level != 0) FIdleTimer->start();
  }
  UpdateActions();
  if (FMeshDirty || FTextureDirty) ArmIdle();
  else emit Idle();
}

void TMainFrm::FileSetupExecute() {
  if (CommandsBlocked()) return;
  // Made on first use: it is not needed to show the window.
  if (!SetupDlg) SetupDlg = std::make_unique<TSetupDlg>(this);
  if (!SetupDlg->Execute(FSettings)) return;
  DrawPenGlyphs();
  RefreshView();
}

}  // namespace orvane

namespace orvane {

void TMainFrm::UploadTexture() {
  GLSceneViewer1->SetTexture(
      BuildUploadImage(FTextures.PreviewColour, FTextures.PreviewAlpha, FGrid.TextureWidth, FGrid.TextureHeight));
}

// The overlay follows the selection, locks and marks; the preview takes it at idle.
void TMainFrm::RefreshTextureOverlay() {
  RefreshOverlay(FTextures, FModel, FGrid);
  SetTextureDirty();
}

}  // namespace orvane
