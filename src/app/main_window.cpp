// The main window's life cycle, status bar, dirty flags, idle handler and shared command tails.
#include "app/main_window.h"

#include <cstdio>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include "app/edit_image.h"
#include "app/preview_view.h"
#include "app/settings_store.h"
#include "app/setup_dialog.h"

namespace orvane {

TMainFrm::TMainFrm(const TMainFrmOptions& options, QWidget* parent) : QMainWindow(parent), FOptions(options) {
  BuildLayout();
  BuildMenus();
  FIdleTimer = new QTimer(this);
  FIdleTimer->setSingleShot(true);
  FIdleTimer->setInterval(0);
  connect(FIdleTimer, &QTimer::timeout, this, &TMainFrm::IdleHandler);
  connect(TabControl, &QTabBar::currentChanged, this, [this] { TabControlChange(); });
  SetupDlg = std::make_unique<TSetupDlg>(this);
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
  UpdateActions();
  TabControlChange();  // returns at once: the edit view stays disabled until the first show
  if (FSettings.MaximizedWindow) setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainFrm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FormShow();
}

void TMainFrm::FormShow() {
  if (!FStarting) return;
  FStarting = false;
  TabControlChange();
  ArmIdle();
}

void TMainFrm::FormDestroy() {
  QString reason;
  if (!SaveSettings(FSettings, isMaximized(), FOptions.SettingsPath, &reason))
    std::fprintf(stderr, "orvane: settings not saved: %s\n", qPrintable(reason));
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
  SetStatus(3, "Texture:Initial Data");
  SetTextureDirty();
}

void TMainFrm::RebuildTabs() {
  // Rebuilding the strip fires change signals; the caller runs the tab change once.
  const QSignalBlocker block(TabControl);
  while (TabControl->count() > 0) TabControl->removeTab(0);
  FTabModes.clear();
  for (TEditMode mode : TabsForSculptType(FModel.SculptType)) {
    FTabModes.push_back(mode);
    const auto caption = TabCaptions[mode];
    TabControl->addTab(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
  }
  TabControl->setCurrentIndex(FTabModes.empty() ? -1 : 0);
  TabControl->updateGeometry();
  const auto type = SculptTypeName(FModel.SculptType);
  if (!type.empty()) SetStatus(0, "SculptType:" + QString::fromLatin1(type.data(), qsizetype(type.size())));
  const auto aspect = AspectName(FModel.Aspect);
  if (!aspect.empty()) SetStatus(1, "Aspect Ratio:" + QString::fromLatin1(aspect.data(), qsizetype(aspect.size())));
}

void TMainFrm::TabControlChange() {
  Image->setEnabled(false);
  if (FStarting) return;
  const int index = TabControl->currentIndex();
  if (index >= 0 && index < int(FTabModes.size())) {
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    FMode = FTabModes[index];
    ShowModeControls(FMode);
    if (FMode == emTexture) Image->SetPictureSize(FGrid.TextureWidth, FGrid.TextureHeight);
  }
  Image->move(0, 0);
  if (isVisible()) ScrollBox1->setFocus();
  SetTextureDirty();
  Image->setEnabled(true);
}

void TMainFrm::ShowModeControls(TEditMode mode) {
  const bool bitmap = mode == emBitmap;
  for (QWidget* w : std::initializer_list<QWidget*>{spBtnXUp, spBtnXDn, spBtnYUp, spBtnYDn, spBtnZUp, spBtnZDn, SE1,
                                                    LBX, LBS, spBtnXYZUpdate, NEX, NEY, NEZ})
    w->setVisible(bitmap);
  LBY->setVisible(mode != emTexture);
  LBZ->setVisible(mode != emTexture);
  const bool sections = mode == emLathe || mode == emExtrude || mode == emHoop;
  for (QWidget* w : std::initializer_list<QWidget*>{spBtnGUp, spBtnGDn, spBtnGLk}) w->setVisible(sections);
  for (QWidget* w : std::initializer_list<QWidget*>{SBXZ, SBYZ, SBXY}) w->setVisible(mode == emClay);
  const bool texture = mode == emTexture;
  for (QWidget* w : std::initializer_list<QWidget*>{SpBtnPen[0], SpBtnPen[1], SpBtnPen[2], SpBtnPen[3], SpBtnErase,
                                                    CBPenWidth})
    w->setVisible(texture);

  // The read-out colours name the model axes the view shows: X red, Y green, Z blue.
  const QColor red(255, 0, 0), lime(0, 255, 0), blue(0, 0, 255);
  auto colour = [](QLabel* label, const QColor& c) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
  };
  switch (mode) {
    case emLathe:
    case emBend:
      colour(LBY, red);
      colour(LBZ, blue);
      break;
    case emExtrude:
    case emHoop:
    case emBendTorus:
      colour(LBY, red);
      colour(LBZ, lime);
      break;
    case emBitmap:
      colour(LBX, red);
      colour(LBY, lime);
      colour(LBZ, blue);
      break;
    default: break;  // CLAY takes the colours of its view plane's axes
  }
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
  if (FMeshDirty) {
    FMeshDirty = false;
    ++FMeshBuilds;
    GLSceneViewer1->update();
  } else if (FTextureDirty) {
    FTextureDirty = false;
    ++FTextureUploads;
    GLSceneViewer1->update();
  }
  UpdateActions();
  if (FMeshDirty || FTextureDirty) ArmIdle();
  else emit Idle();
}

void TMainFrm::FileSetupExecute() {
  if (FStarting) return;
  if (!SetupDlg->Execute(FSettings)) return;
  DrawPenGlyphs();
  RefreshView();
}

}  // namespace orvane
