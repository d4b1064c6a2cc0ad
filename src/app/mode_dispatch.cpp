// Mode dispatch: the tabs of each sculpt type, the tab change, mode controls and scroll memory.
#include <QComboBox>
#include <QLayout>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QToolButton>

#include "app/edit_image.h"
#include "app/main_window.h"
#include "model/rounding.h"

namespace orvane {

namespace {

bool HasScrollMemory(TEditMode mode) { return mode >= emLathe && mode <= emBendTorus && mode != emTexture; }

QString Latin1(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

double Fraction(const QScrollBar* bar) {
  return bar->maximum() > bar->minimum() ? double(bar->value() - bar->minimum()) / (bar->maximum() - bar->minimum())
                                         : 0.0;
}

void RestoreFraction(QScrollBar* bar, double fraction) {
  const int range = bar->maximum() - bar->minimum();
  if (range != 0) bar->setValue(bar->minimum() + RoundToInt(range * fraction, 0, range));
}

void SetTextColour(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, c);
  w->setPalette(p);
}

}  // namespace

void TMainFrm::RebuildTabs() {
  // Rebuilding the strip fires change signals; the caller runs the tab change once.
  const QSignalBlocker block(TabControl);
  while (TabControl->count() > 0) TabControl->removeTab(0);
  FTabModes.clear();
  for (TEditMode mode : TabsForSculptType(FModel.SculptType)) {
    FTabModes.push_back(mode);
    TabControl->addTab(Latin1(TabCaptions[mode]));
  }
  TabControl->setCurrentIndex(FTabModes.empty() ? -1 : 0);
  TabControl->updateGeometry();
  const auto type = SculptTypeName(FModel.SculptType);
  if (!type.empty()) SetStatus(0, "SculptType:" + Latin1(type));
  const auto aspect = AspectName(FModel.Aspect);
  if (!aspect.empty()) SetStatus(1, "Aspect Ratio:" + Latin1(aspect));
}

void TMainFrm::TabControlChange() {
  Image->setEnabled(false);
  if (FStarting) return;
  const int index = TabControl->currentIndex();
  if (index >= 0 && index < int(FTabModes.size())) {
    if (HasScrollMemory(FMode))
      FScrollMemory[FMode] = {Fraction(ScrollBox1->horizontalScrollBar()), Fraction(ScrollBox1->verticalScrollBar())};
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    FMode = FTabModes[index];
    ActivateMode();
    ShowModeControls(FMode);
    UpdateLineButton();
    SBXZ->setChecked(FSettings.ClayMode == 0);
    SBYZ->setChecked(FSettings.ClayMode == 1);
    SBXY->setChecked(FSettings.ClayMode == 2);
    UpdatePenButtons();
  }
  Image->move(0, 0);
  if (isVisible()) ScrollBox1->setFocus();
  RefreshTextureOverlay();
  // Let the scroll area take the image's new size before the position is restored.
  ScrollBox1->widget()->adjustSize();
  ScrollBox1->updateGeometry();
  if (QLayout* layout = ScrollBox1->layout()) layout->activate();
  if (HasScrollMemory(FMode)) {
    const auto [h, v] = FScrollMemory[FMode];
    RestoreFraction(ScrollBox1->horizontalScrollBar(), h);
    RestoreFraction(ScrollBox1->verticalScrollBar(), v);
  }
  Image->setEnabled(true);
  UpdateActions();
}

void TMainFrm::ActivateMode() {
  FHandlers = FModes[FMode].get();
  if (FMode == emTexture) {
    ShowTexturePicture();
    return;
  }
  FHandlers->Activate(FModel);
  FHandlers->UpdateFrame(FModel, true);
  DrawView();
  if (FMode == emExtrude && FModel.SculptType == stTorus && FGrid.ExtrudeRow == 0) FGrid.ExtrudeRow = FGrid.RowCount - 1;
  if (FMode == emBitmap) UpdatePointFields();
  if (FMode == emClay) CommitBase(FModel, FGrid);
}

void TMainFrm::DrawView() {
  FHandlers->Draw(FModel, Image->Picture());
  Image->PictureChanged();
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
  switch (mode) {
    case emLathe:
    case emBend:
      SetTextColour(LBY, red);
      SetTextColour(LBZ, blue);
      break;
    case emExtrude:
    case emHoop:
    case emBendTorus:
      SetTextColour(LBY, red);
      SetTextColour(LBZ, lime);
      break;
    case emBitmap:
      SetTextColour(LBX, red);
      SetTextColour(LBY, lime);
      SetTextColour(LBZ, blue);
      break;
    default: break;  // CLAY takes the colours of its view plane's axes
  }
}

// The pen button of the current pen colour; none when no pen has that colour.
void TMainFrm::UpdatePenButtons() {
  int pressed = -1;
  for (int k = 3; k >= 0; --k)
    if (FSettings.PenColors[k] == FSettings.PenColor) pressed = k;
  for (int k = 0; k < 4; ++k) SpBtnPen[k]->setChecked(k == pressed);
  SpBtnErase->setChecked(false);
}

}  // namespace orvane
