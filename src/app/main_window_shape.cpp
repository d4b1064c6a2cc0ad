// The Shape, Sides, Section and Help menus, and the dialogs of Sides and Edit Line.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "app/about_dialog.h"
#include "app/action_helpers.h"
#include "app/edit_line_dialog.h"
#include "app/main_window.h"
#include "app/sides_dialog.h"
#include "model/marks.h"
#include "modes/bend_profiles.h"

namespace orvane {

namespace {

// A section outline in black on white, t across 0 .. 15 and h around the middle line 7.5.
QIcon SectionIcon(const TDPoints& profile) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setPen(Qt::black);
  QPolygonF outline;
  for (const TDPoint& point : profile) outline << QPointF(point.X * 15, 7.5 - point.Y * 7.5);
  p.drawPolyline(outline);
  p.end();
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

void TMainFrm::BuildShapeMenu(QMenuBar* bar) {
  QMenu* shape = bar->addMenu("&Shape");
  connect(shape, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
  struct TPillar {
    const char* Caption;
    const char* Name;
    int Corners;
  };
  const TPillar pillars[] = {{"C&ylinder", "ShapeCylinder", 0}, {"&Prism", "ShapePrism", 3},
                             {"P&illar", "ShapePillar", 4},     {"Pe&ntagon", "ShapePentagon", 5},
                             {"H&exagon", "ShapeHexagon", 6},   {"&Heptagon", "ShapeHeptagon", 7},
                             {"&Octagon", "ShapeOctagon", 8}};
  for (const TPillar& p : pillars) {
    QAction* a = AddAction(shape, p.Caption, p.Name, {}, p.Corners);
    connect(a, &QAction::triggered, this, [this, name = p.Name, n = p.Corners] { ShapePillarExecute(name, n); });
  }
  auto preset = [&](const char* caption, const char* name, int tag, bool (TMainFrm::*op)(int)) {
    AddModeCommand(shape, caption, name, {}, tag, op);
  };
  preset("&Fill Pillar", "ShapeFillPillar", 0, &TMainFrm::ShapeFillPillarOp);
  preset("C&ushion", "ShapeCushion", 0, &TMainFrm::ShapeCushionOp);
  shape->addSeparator();
  preset("Be&vel", "ShapeBevel", 1, &TMainFrm::ShapeBevelOp);
  preset("&Ball", "ShapeBall", 0, &TMainFrm::ShapeBallOp);
  preset("&Cap", "ShapeCap", 1, &TMainFrm::ShapeBallOp);
  preset("Cone", "ShapeCone", 2, &TMainFrm::ShapeBallOp);
}

void TMainFrm::BuildSidesMenu(QMenuBar* bar) {
  MenuSides = bar->addMenu("S&ides");
  MenuSides->setObjectName("MenuSidesMenu");
  MenuSides->menuAction()->setObjectName("MenuSides");
  auto marks = [&](const char* caption, const char* name, int tag, std::function<void(TMarkArray&)> op) {
    QAction* a = AddAction(MenuSides, caption, name, {}, tag);
    connect(a, &QAction::triggered, this, [this, op] { SidesCommand(op); });
  };
  marks("Select &All", "SidesAll", 0, [](TMarkArray& m) { FillMarks(m, 1); });
  marks("Select &None", "SidesNone", 0, [](TMarkArray& m) { FillMarks(m, 0); });
  marks("&Reverse", "SidesReverse", 0, [](TMarkArray& m) { InvertMarks(m); });
  MenuSides->addSeparator();
  struct TPattern {
    const char* Caption;
    const char* Name;
    int Every;
  };
  const TPattern patterns[] = {{"Every &16 point", "Sides16", 16}, {"Every &8 point", "Sides08", 8},
                               {"Every &4 point", "Sides04", 4},   {"Every &2 point", "Sides02", 2},
                               {"&Every 1 point", "Sides01", 1}};
  for (const TPattern& p : patterns)
    marks(p.Caption, p.Name, p.Every, [n = p.Every](TMarkArray& m) { PatternMarks(m, n); });
  MenuSides->addSeparator();
  QAction* custom = AddAction(MenuSides, "&Custom", "SidesCustom");
  connect(custom, &QAction::triggered, this, &TMainFrm::SidesCustomExecute);
  QAction* smooth = AddAction(MenuSides, "&Smooth", "SideSmooth");
  connect(smooth, &QAction::triggered, this, &TMainFrm::SideSmoothExecute);
}

void TMainFrm::SidesCustomExecute() {
  if (CommandsBlocked()) return;
  TMarkArray* marks = SidesMarks();
  if (!marks) return;
  if (!SidesDlg) {
    auto run = [this](const char* name) {
      return [this, name] { findChild<QAction*>(name)->trigger(); };
    };
    SidesDlg = std::make_unique<TSidesDlg>(
        TSidesCommands{run("SidesAll"), run("SidesNone"), run("SidesReverse"), run("SideSmooth"),
                       [this] { RefreshView(); }},
        this);
  }
  const int first = (FMode == emExtrude && FModel.SculptType == stTorus) || FMode == emHoop ? 0 : 1;
  SidesDlg->Execute(FMode, first, *marks, FGrid);
}

void TMainFrm::ViewEditLineExecute() {
  if (CommandsBlocked() || FMode != emClay) return;
  TClayLines* lines = FHandlers->LineFlags();
  if (!lines) return;
  if (!EditLineDlg) EditLineDlg = std::make_unique<TEditLineDlg>(this);
  EditLineDlg->Execute(FModel.SculptType, *lines, FGrid);
  // Reverse and Retry change the flags even when the dialog is closed without OK.
  ApplyEdit();
}

// The section types, each with its outline drawn from the 32x32 profile.
void TMainFrm::BuildSectionMenu(QMenuBar* bar) {
  QMenu* section = bar->addMenu("Se&ction");
  section->setObjectName("Bend_TypeMenu");
  section->menuAction()->setObjectName("Bend_Type");
  connect(section, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
  const TBendProfiles profiles = BuildBendProfiles();
  auto* group = new QActionGroup(this);
  for (int type = 0; type < kBendSectionCount; ++type) {
    QAction* a = AddAction(section, QString::fromUtf8(BendSectionNames[type].data(), BendSectionNames[type].size()),
                           QString("BendSection%1").arg(type), {}, type);
    a->setCheckable(true);
    a->setChecked(type == FViewState.BendSectionType);
    if (type >= 2) a->setIcon(SectionIcon(profiles.Profile(type, ar32x32)));
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, type] { SectionExecute(type); });
    FSectionActions.push_back(a);
  }
}

void TMainFrm::BuildHelpMenu(QMenuBar* bar) {
  QMenu* help = bar->addMenu("&Help");
  QAction* about = AddAction(help, "&About...", "HelpAbout");
  connect(about, &QAction::triggered, this, [this] {
    if (CommandsBlocked()) return;
    if (!AboutDlg) AboutDlg = std::make_unique<TAboutDlg>(this);
    AboutDlg->exec();
  });
}

}  // namespace orvane
