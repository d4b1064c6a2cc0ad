// The command set in the window: menus, captions, shortcuts, what runs and what is recorded.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/edit_line_dialog.h"
#include "app/main_window.h"
#include "app/sides_dialog.h"
#include "model/marks.h"

namespace orvane {
namespace {

// A mode whose commands report what they were asked and change one vertex when told to.
class TCommandProbe : public TBlankMode {
 public:
  using TBlankMode::TBlankMode;
  bool Rotate(TSculptData& m, double degrees) override { return Ran("Rotate", degrees, m); }
  bool Twist(TSculptData& m, int tag, double degrees) override { return Ran("Twist", tag * 1000 + degrees, m); }
  bool Pillar(TSculptData& m, int corners) override { return Ran("Pillar", corners, m); }
  bool Smooth(TSculptData& m, double radius) override { return Ran("Smooth", radius, m); }
  bool Copy(const TSculptData&) override {
    Calls.push_back({"Copy", 0});
    return true;
  }
  bool Paste(TSculptData& m) override { return Ran("Paste", 0, m); }
  TMarkArray* SectionMarks() override { return &Marks; }
  TClayLines* LineFlags() override { return &Lines; }

  bool Changes = true;
  std::vector<std::pair<std::string, double>> Calls;
  TMarkArray Marks{};
  TClayLines Lines;

 private:
  bool Ran(const char* name, double value, TSculptData& m) {
    Calls.push_back({name, value});
    if (Changes) m.Vertices[4][4].Z += 0.25;
    return Changes;
  }
};

class CommandSet : public testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<TMainFrm>(TMainFrmOptions{dir.filePath("orvane.ini")});
    TUserDialogs d;
    d.Open = [this](const TFileQuestion&) { return next; };
    d.Save = d.Open;
    d.Message = [this](TMessageKind, const QString& text) { messages.push_back(text); };
    d.AskSave = [this](const QString& text) {
      questions.push_back(text);
      return answer;
    };
    w->SetUserDialogs(d);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  }
  TCommandProbe* Probe(TEditMode mode) {
    auto probe = std::make_unique<TCommandProbe>(
        TModeContext{const_cast<TGridGeometry&>(w->Grid()), const_cast<TAppSettings&>(w->Settings()), nullptr});
    TCommandProbe* raw = probe.get();
    w->SetMode(mode, std::move(probe));
    return raw;
  }
  QAction* Action(const char* name) {
    QAction* a = w->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
  }
  void Trigger(const char* name) {
    w->UpdateActions();
    Action(name)->trigger();
  }
  void ShowTab(TEditMode mode) {
    const auto& modes = w->TabModes();
    const auto it = std::find(modes.begin(), modes.end(), mode);
    ASSERT_NE(it, modes.end());
    w->findChild<QTabBar*>("TabControl")->setCurrentIndex(int(it - modes.begin()));
    ASSERT_EQ(w->Mode(), mode);
  }
  int Newest() const { return w->History().Newest; }
  QStringList Captions(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text());
    return out;
  }

  QTemporaryDir dir;
  std::unique_ptr<TMainFrm> w;
  std::optional<TFileChoice> next;
  TSaveAnswer answer = TSaveAnswer::Discard;
  std::vector<QString> messages, questions;
};

TEST_F(CommandSet, MenuBarsAndMenusInOrder) {
  auto titles = [](QMenuBar* bar) {
    QStringList out;
    for (QAction* a : bar->actions()) out << a->text();
    return out;
  };
  EXPECT_EQ(titles(w->findChild<QMenuBar*>("ActionMainMenuBar1")), QStringList{"&Texture"});
  EXPECT_EQ(titles(w->findChild<QMenuBar*>("ActionMainMenuBar2")),
            (QStringList{"&File", "&Edit", "&Shape", "&View", "S&ides", "Se&ction", "&Help"}));
  w->UpdateActions();
  EXPECT_EQ(Captions(qobject_cast<QMenu*>(Action("EditUndo")->parent())),
            (QStringList{"&Undo", "&Redo", "-", "R&otate+", "Ro&tate-", "&Horizontal Align", "&Vertical Align",
                         "&Equal Intervals", "E&qual Curves", "T&Wist+", "TW&ist-", "&Same Width", "O&ptimize",
                         "F&lip Horizontal ", "&Flip Vertical ", "&Maximize", "Mirror &80-GG from 00-7G",
                         "Mirror &08-GG from 00-G7", "I&nside Out", "Offset", "M&agnet", "Loc&k / Unlock",
                         "Sele&ct", "Smooth"}));
  EXPECT_EQ(Captions(qobject_cast<QMenu*>(Action("ShapeCylinder")->parent())),
            (QStringList{"C&ylinder", "&Prism", "P&illar", "Pe&ntagon", "H&exagon", "&Heptagon", "&Octagon",
                         "&Fill Pillar", "C&ushion", "-", "Be&vel", "&Ball", "&Cap", "Cone"}));
  EXPECT_EQ(Captions(qobject_cast<QMenu*>(Action("ViewDispCtrl")->parent())),
            (QStringList{"&Zoom", "&Grid", "Dis&p Mesh", "&Symmetry", "Level of &Detail", "&Edit Line...", "-",
                         "D&isp Background", "&Load Background..."}));
  EXPECT_EQ(Captions(qobject_cast<QMenu*>(Action("SidesAll")->parent())),
            (QStringList{"Select &All", "Select &None", "&Reverse", "-", "Every &16 point", "Every &8 point",
                         "Every &4 point", "Every &2 point", "&Every 1 point", "-", "&Custom", "&Smooth"}));
  EXPECT_EQ(Captions(qobject_cast<QMenu*>(Action("BendSection0")->parent())),
            (QStringList{"Normal", "Chamfer", "SQUARE", "ROUND", "ROUND-SQUARE1", "ROUND-SQUARE2", "BLADE"}));
  EXPECT_EQ(Captions(w->findChild<QMenu*>("PopupMenu1")),
            (QStringList{"Loc&k / Unlock", "Sele&ct", "R&otate+", "Ro&tate-", "&Horizontal Align",
                         "&Vertical Align", "&Equal Intervals", "E&qual Curves", "Smooth", "T&Wist+", "TW&ist-",
                         "&Same Width", "M&agnet"}));
  // Only the section types from SQUARE on have a drawn outline.
  EXPECT_TRUE(Action("BendSection1")->icon().isNull());
  EXPECT_FALSE(Action("BendSection2")->icon().isNull());
  // Every rule names an action or submenu that exists.
  for (std::string_view name : RuledCommands())
    EXPECT_NE(w->findChild<QAction*>(QString::fromUtf8(name.data(), name.size())), nullptr) << name;
}

TEST_F(CommandSet, ShortcutsAreTheListedOnesAndUnique) {
  const std::map<QString, QString> expected = {
      {"Ctrl+Z", "EditUndo"},       {"Ctrl+Y", "EditRedo"},     {"Ctrl+R", "EditRotate0"},
      {"Ctrl+T", "EditRotate1"},    {"Ctrl+W", "EditHorizontal"}, {"Ctrl+E", "EditVertical"},
      {"Ctrl+D", "EditEqual"},      {"Ctrl+L", "EditLock"},     {"Ctrl+A", "ActSelectAll"},
      {"Ctrl+N", "ActSelectNone"},  {"Ctrl+F", "EditSmooth"},   {"Ctrl+S", "FileStSaveLast"},
      {"Ctrl+Alt+S", "FileSTSave"}, {"Ctrl+C", "EditCopy"},     {"Ctrl+V", "EditPaste"}};
  std::map<QString, QString> found;
  for (QAction* a : w->findChildren<QAction*>()) {
    if (a->shortcut().isEmpty()) continue;
    const QString key = a->shortcut().toString();
    EXPECT_FALSE(found.count(key)) << key.toStdString() << " on " << found[key].toStdString() << " and "
                                   << a->objectName().toStdString();
    found[key] = a->objectName();
  }
  EXPECT_EQ(found, expected);
}

TEST_F(CommandSet, NewTorus64x16) {
  ShowTab(emTexture);
  Trigger("ResetTorus64");
  EXPECT_EQ(w->Model().SculptType, stTorus);
  EXPECT_EQ(w->Model().Aspect, ar64x16);
  EXPECT_EQ(w->Mode(), emLathe);
  EXPECT_EQ(w->findChild<QTabBar*>("TabControl")->tabText(0), "LATHE");
  EXPECT_EQ(w->findChild<QLabel*>("StatusPanel3")->text(), "Texture:Initial Data");
  w->UpdateActions();
  EXPECT_TRUE(Action("ResetTorus")->isChecked());
  EXPECT_FALSE(Action("ResetSphere")->isChecked());
  EXPECT_TRUE(Action("ResetTorus64")->isChecked());
  EXPECT_FALSE(Action("ResetTorus32")->isChecked());
  EXPECT_FALSE(Action("ResetSphere64")->isChecked());
  EXPECT_TRUE(Action("EditUndo")->isEnabled());
  // The mirror captions name the middle of the new aspect: 65 columns, 17 rows.
  EXPECT_EQ(Action("EditHorizontalMirror")->text(), "Mirror &00-GG from 00-FG");
  EXPECT_EQ(Action("EditVerticalMirror")->text(), "Mirror &04-GG from 00-G3");
  Trigger("ResetSphere32");
  EXPECT_EQ(Action("EditHorizontalMirror")->text(), "Mirror &80-GG from 00-7G");
  EXPECT_EQ(Action("EditVerticalMirror")->text(), "Mirror &08-GG from 00-G7");
}

TEST_F(CommandSet, TextureTabKeepsOnlyHistoryLockAndSelect) {
  Trigger("ActSelectAll");
  ShowTab(emTexture);
  w->UpdateActions();
  for (const char* name : {"EditRotate0", "EditHorizontal", "EditVertical", "EditEqual", "EditSmooth",
                           "EditFlipHorizontal", "EditMaximize", "EditHorizontalMirror", "EditInsideOut", "EditOffset",
                           "EditMagnet", "ShapeBall", "ShapeFillPillar"})
    EXPECT_FALSE(Action(name)->isVisible()) << name;
  EXPECT_FALSE(Action("ShapePillar")->isEnabled());
  for (const char* name : {"EditUndo", "EditLock", "ActSelectNone"}) EXPECT_TRUE(Action(name)->isEnabled()) << name;
  // Shortcuts of hidden commands change nothing either.
  const int newest = Newest();
  QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Newest(), newest);
}

TEST_F(CommandSet, ModeCommandsRunWithTheirArgumentsAndRecordOnlyWhatRan) {
  TCommandProbe* lathe = Probe(emLathe);
  ShowTab(emLathe);
  Trigger("ActSelectAll");
  int newest = Newest();
  Trigger("EditRotate1");  // RotateDegree 30 by default
  ASSERT_EQ(lathe->Calls.size(), 1u);
  EXPECT_EQ(lathe->Calls[0], (std::pair<std::string, double>{"Rotate", -30}));
  EXPECT_EQ(Newest(), (newest + 1) % kHistorySize);

  // A mode without the operation records nothing.
  lathe->Changes = false;
  newest = Newest();
  Trigger("EditRotate0");
  EXPECT_EQ(Newest(), newest);
  EXPECT_EQ(lathe->Calls.size(), 2u);

  // TWist on a SPHERE in LATHE needs a selection: without one the mode is not asked.
  Trigger("ActSelectNone");
  newest = Newest();
  Trigger("EditTWist0");
  EXPECT_EQ(lathe->Calls.size(), 2u);
  EXPECT_EQ(Newest(), newest);
  Trigger("ActSelectAll");
  Trigger("EditTwist1");
  EXPECT_EQ(lathe->Calls.back(), (std::pair<std::string, double>{"Twist", -1000 - 60}));
}

TEST_F(CommandSet, PillarLeavesTwoEntriesAndIsOffOnACylinderInLathe) {
  TCommandProbe* lathe = Probe(emLathe);
  ShowTab(emLathe);
  const TDbl3D before = w->Model().Vertices[4][4];
  const int newest = Newest();
  Trigger("ShapePillar");
  ASSERT_EQ(lathe->Calls.size(), 1u);
  EXPECT_EQ(lathe->Calls[0].second, 4);
  EXPECT_EQ(Newest(), (newest + 2) % kHistorySize);
  const TDbl3D after = w->Model().Vertices[4][4];
  Trigger("EditUndo");  // the first step shows no change
  EXPECT_EQ(w->Model().Vertices[4][4], after);
  Trigger("EditUndo");
  EXPECT_EQ(w->Model().Vertices[4][4], before);

  Trigger("ResetCylinder32");
  lathe = Probe(emLathe);
  ShowTab(emLathe);
  w->UpdateActions();
  EXPECT_FALSE(Action("ShapePillar")->isEnabled());
  Action("ShapePillar")->trigger();
  EXPECT_TRUE(lathe->Calls.empty());
}

TEST_F(CommandSet, SmoothAndMagnetInTheBitmapTabUseTheGridOperations) {
  TCommandProbe* bitmap = Probe(emBitmap);
  ShowTab(emBitmap);
  Trigger("ActSelectAll");
  QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_EQ(bitmap->Calls.size(), 1u);
  EXPECT_EQ(bitmap->Calls[0], (std::pair<std::string, double>{"Smooth", w->Settings().GaussRadius}));

  // Copy and Paste have only their shortcuts; Paste waits for a Copy.
  QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(bitmap->Calls.size(), 1u);
  QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(bitmap->Calls.size(), 3u);
  EXPECT_EQ(bitmap->Calls[1].first, "Copy");
  EXPECT_EQ(bitmap->Calls[2].first, "Paste");

  // Magnet pulls toward the selection centre with the whole-grid operation.
  const int newest = Newest();
  Trigger("EditMagnet");
  EXPECT_EQ(Newest(), (newest + 1) % kHistorySize);
}

TEST_F(CommandSet, SidesMenuEditsTheModeMarks) {
  TCommandProbe* lathe = Probe(emLathe);
  ShowTab(emLathe);
  Trigger("Sides04");
  for (int i : {0, 3, 8, 11, 16}) EXPECT_EQ(lathe->Marks[i], 1) << i;
  for (int i : {4, 7, 12, 15}) EXPECT_EQ(lathe->Marks[i], 0) << i;
  Trigger("SidesReverse");
  EXPECT_EQ(lathe->Marks[0], 0);
  EXPECT_EQ(lathe->Marks[4], 1);
  Trigger("SidesAll");
  EXPECT_EQ(CountMarks(lathe->Marks), kGridCapacity);
  // Outside LATHE, EXTRUDE and HOOP the menu is off.
  ShowTab(emBitmap);
  w->UpdateActions();
  EXPECT_FALSE(Action("MenuSides")->isEnabled());
}

TEST_F(CommandSet, SidesCustomAndEditLineOpenOnTheModeData) {
  TCommandProbe* lathe = Probe(emLathe);
  ShowTab(emLathe);
  int items = -1;
  QTimer::singleShot(0, w.get(), [&] {
    auto* dialog = w->findChild<TSidesDlg*>();
    items = dialog->List()->count();
    dialog->List()->item(0)->setCheckState(Qt::Checked);  // label index 1: column 31
    dialog->accept();
  });
  Trigger("SidesCustom");
  EXPECT_EQ(items, 32);
  EXPECT_EQ(lathe->Marks[31], 1);
  EXPECT_EQ(lathe->Marks[30], 0);

  TCommandProbe* clay = Probe(emClay);
  ShowTab(emClay);
  const int newest = Newest();
  QTimer::singleShot(0, w.get(), [&] {
    auto* dialog = w->findChild<TEditLineDlg*>();
    items = dialog->Rows()->count();
    dialog->Rows()->item(2)->setCheckState(Qt::Checked);  // row 3
    dialog->WriteBack();  // what OK does
    dialog->accept();
  });
  Trigger("ViewEditLine");
  EXPECT_EQ(items, 31);
  EXPECT_EQ(clay->Lines.ClayRowLines[3], 1);
  EXPECT_EQ(clay->Lines.ClayRowLines[32], 1);
  EXPECT_EQ(Newest(), (newest + 1) % kHistorySize);
}

TEST_F(CommandSet, SectionTypesAreChosenInTheBendTab) {
  ShowTab(emBend);
  Trigger("BendSection4");
  EXPECT_EQ(w->ViewState().BendSectionType, 4);
  w->UpdateActions();
  EXPECT_TRUE(Action("BendSection4")->isChecked());
  EXPECT_FALSE(Action("BendSection0")->isChecked());
  ShowTab(emLathe);
  Trigger("BendSection2");  // not offered outside BEND
  EXPECT_EQ(w->ViewState().BendSectionType, 4);
}

TEST_F(CommandSet, ChangedWorkIsOfferedForSavingBeforeItIsReplaced) {
  // Unchanged: New, Load and closing ask nothing.
  Trigger("ResetPlane32");
  EXPECT_TRUE(questions.empty());
  EXPECT_FALSE(w->Modified());

  Trigger("EditInsideOut");  // a PLANE opens in CLAY; any whole-grid edit is work
  ASSERT_TRUE(w->Modified());
  answer = TSaveAnswer::Cancel;
  Trigger("ResetSphere32");
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], "Save changes to the sculpted prim?");
  EXPECT_EQ(w->Model().SculptType, stPlane);  // Cancel stops the command
  next = TFileChoice{dir.filePath("x.png"), 1};
  Trigger("FileSTLoad");
  EXPECT_EQ(questions.size(), 2u);
  EXPECT_FALSE(w->close());
  EXPECT_TRUE(w->isVisible());

  // Save writes the file through the Save dialog, then the command goes on.
  answer = TSaveAnswer::Save;
  next = TFileChoice{dir.filePath("work.tga"), 1};
  Trigger("ResetSphere64");
  EXPECT_TRUE(QFile::exists(dir.filePath("work.tga")));
  EXPECT_EQ(w->Model().Aspect, ar64x16);

  // An edit undone leaves nothing to save; a selection is not work.
  EXPECT_FALSE(w->Modified());
  Trigger("EditInsideOut");
  EXPECT_TRUE(w->Modified());
  Trigger("EditUndo");
  EXPECT_FALSE(w->Modified());
  Trigger("ActSelectAll");
  EXPECT_FALSE(w->Modified());

  // Discard goes on without saving.
  Trigger("EditInsideOut");
  answer = TSaveAnswer::Discard;
  const std::size_t asked = questions.size();
  EXPECT_TRUE(w->close());
  EXPECT_EQ(questions.size(), asked + 1);
}

TEST_F(CommandSet, AFailedSaveInThePromptKeepsTheWork) {
  Trigger("EditInsideOut");
  answer = TSaveAnswer::Save;
  next = TFileChoice{dir.filePath("missing-folder/work.tga"), 1};
  EXPECT_FALSE(w->close());
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(w->Modified());
}

}  // namespace
}  // namespace orvane
