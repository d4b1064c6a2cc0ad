// Builds the main window's widgets: the two halves, the tab strip, the bottom controls, the status bar.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/widget_names.h"
#include "app/edit_image.h"
#include "app/main_window.h"
#include "app/num_edit.h"
#include "app/preview_view.h"

namespace orvane {

namespace {

QToolButton* Button(QWidget* parent, const char* name, const QString& caption, bool checkable = false) {
  auto* b = Named(new QToolButton(parent), name);
  b->setText(caption);
  b->setCheckable(checkable);
  return b;
}

QToolButton* ArrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow) {
  auto* b = Named(new QToolButton(parent), name);
  b->setArrowType(arrow);
  return b;
}

QLabel* ColouredLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour) {
  auto* l = Named(new QLabel(text, parent), name);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, colour);
  l->setPalette(p);
  return l;
}

}  // namespace

void TMainFrm::BuildLayout() {
  setWindowTitle("ORVANE -Sculpted Prim Editor-");
  resize(987, 674);

  Splitter1 = Named(new QSplitter(Qt::Horizontal, this), "Splitter1");
  setCentralWidget(Splitter1);

  Panel1 = Named(new QWidget(Splitter1), "Panel1");
  auto* left = new QVBoxLayout(Panel1);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  ActionMainMenuBar1 = Named(new QMenuBar(Panel1), "ActionMainMenuBar1");
  ActionMainMenuBar1->setNativeMenuBar(false);
  GLSceneViewer1 = Named(new TPreviewView(Panel1), "GLSceneViewer1");
  GLSceneViewer1->HoldResizes();  // until the first idle turn, when the layout has settled
  left->addWidget(ActionMainMenuBar1);
  left->addWidget(GLSceneViewer1, 1);

  Panel2 = Named(new QWidget(Splitter1), "Panel2");
  auto* right = new QVBoxLayout(Panel2);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  ActionMainMenuBar2 = Named(new QMenuBar(Panel2), "ActionMainMenuBar2");
  ActionMainMenuBar2->setNativeMenuBar(false);
  TabControl = Named(new QTabBar(Panel2), "TabControl");
  TabControl->setExpanding(false);
  TabControl->setDrawBase(true);

  auto* page = Named(new QWidget(Panel2), "TabPage");
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->setContentsMargins(2, 2, 2, 2);
  ScrollBox1 = Named(new QScrollArea(page), "ScrollBox1");
  ScrollBox1->setMinimumSize(200, 200);
  ScrollBox1->setFocusPolicy(Qt::StrongFocus);
  Image = Named(new TEditImage(ScrollBox1), "Image");
  ScrollBox1->setWidget(Image);
  pageLayout->addWidget(ScrollBox1, 1);
  BuildBottomControls(page);

  right->addWidget(ActionMainMenuBar2);
  right->addWidget(TabControl);
  right->addWidget(page, 1);

  Splitter1->addWidget(Panel1);
  Splitter1->addWidget(Panel2);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({441, 546});

  // Status bar: sculpt type, aspect, model source, texture source.
  const int widths[] = {140, 120, 250, 50};
  const char* texts[] = {"Sculpt Type:", "Aspect Ratio:", "Sculpted Prim:Initial", "Texture:Initial"};
  for (int k = 0; k < 4; ++k) {
    auto* panel = new QLabel(texts[k], statusBar());
    panel->setObjectName(QString("StatusPanel%1").arg(k));
    panel->setMinimumWidth(widths[k]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(panel, k == 3 ? 1 : 0);
    StatusPanels.push_back(panel);
  }
  statusBar()->setSizeGripEnabled(true);
}

void TMainFrm::BuildBottomControls(QWidget* page) {
  auto* row1 = new QHBoxLayout;
  auto* row2 = new QHBoxLayout;
  static_cast<QVBoxLayout*>(page->layout())->addLayout(row1);
  static_cast<QVBoxLayout*>(page->layout())->addLayout(row2);

  // CLAY view planes; exclusivity is ours, since "none pressed" is a valid state.
  SBXZ = Button(page, "SBXZ", "XZ", true);
  SBYZ = Button(page, "SBYZ", "YZ", true);
  SBXY = Button(page, "SBXY", "XY", true);
  spBtnGLk = Button(page, "spBtnGLk", "10", true);
  spBtnGDn = Button(page, "spBtnGDn", "<");
  spBtnGUp = Button(page, "spBtnGUp", ">");
  const char* penNames[] = {"SpBtnPen0", "SpBtnPen1", "SpBtnPen2", "SpBtnPen3"};
  for (int k = 0; k < 4; ++k) SpBtnPen[k] = Button(page, penNames[k], QString(), true);
  SpBtnPen[3]->setChecked(true);
  SpBtnErase = Button(page, "SpBtnErase", "Eraser", true);
  CBPenWidth = Named(new QComboBox(page), "CBPenWidth");

  LBX = ColouredLabel(page, "LBX", "000", QColor(255, 0, 0));
  LBY = ColouredLabel(page, "LBY", "000", QColor(0, 255, 0));
  LBZ = ColouredLabel(page, "LBZ", "000", QColor(0, 0, 255));
  LBS = Named(new QLabel("Step size", page), "LBS");
  SE1 = Named(new QSpinBox(page), "SE1");
  SE1->setRange(1, 255);
  SE1->setValue(1);

  NEX = Named(new TNumEdit(page), "NEX");
  NEY = Named(new TNumEdit(page), "NEY");
  NEZ = Named(new TNumEdit(page), "NEZ");
  const QColor editColours[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
  QLineEdit* edits[] = {NEX, NEY, NEZ};
  for (int k = 0; k < 3; ++k) {
    edits[k]->setText("000");
    edits[k]->setFixedWidth(40);
    QPalette p = edits[k]->palette();
    p.setColor(QPalette::Text, editColours[k]);
    edits[k]->setPalette(p);
  }
  spBtnXYZUpdate = Button(page, "spBtnXYZUpdate", "Update");
  spBtnXUp = ArrowButton(page, "spBtnXUp", Qt::UpArrow);
  spBtnXDn = ArrowButton(page, "spBtnXDn", Qt::DownArrow);
  spBtnYUp = ArrowButton(page, "spBtnYUp", Qt::UpArrow);
  spBtnYDn = ArrowButton(page, "spBtnYDn", Qt::DownArrow);
  spBtnZUp = ArrowButton(page, "spBtnZUp", Qt::UpArrow);
  spBtnZDn = ArrowButton(page, "spBtnZDn", Qt::DownArrow);

  for (QWidget* w : std::initializer_list<QWidget*>{SBXZ, SBYZ, SBXY, spBtnGLk, spBtnGDn, spBtnGUp, SpBtnPen[0],
                                                    SpBtnPen[1], SpBtnPen[2], SpBtnPen[3], SpBtnErase, CBPenWidth})
    row1->addWidget(w);
  row1->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{LBX, LBY, LBZ})
    row1->addWidget(w);

  for (QWidget* w : std::initializer_list<QWidget*>{LBS, SE1, spBtnXUp, spBtnXDn, spBtnYUp, spBtnYDn, spBtnZUp,
                                                    spBtnZDn})
    row2->addWidget(w);
  row2->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{NEX, NEY, NEZ, spBtnXYZUpdate})
    row2->addWidget(w);
}

}  // namespace orvane
