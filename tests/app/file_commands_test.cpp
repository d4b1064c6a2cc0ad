// File commands through injected dialogs: save, save last, load with a forced type, textures, failures.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "app/main_window.h"

namespace orvane {
namespace {

class FileCommands : public testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<TMainFrm>(TMainFrmOptions{dir.filePath("orvane.ini")});
    TUserDialogs d;
    d.Open = [this](const TFileQuestion& q) {
      asked.push_back(q);
      return next;
    };
    d.Save = d.Open;
    d.Message = [this](TMessageKind kind, const QString& text) { messages.push_back({kind, text}); };
    w->SetUserDialogs(d);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  }
  void Trigger(const char* name) { w->findChild<QAction*>(name)->trigger(); }
  QString Status(int k) { return w->findChild<QLabel*>(QString("StatusPanel%1").arg(k))->text(); }
  QString Path(const char* name) { return dir.filePath(name); }

  QTemporaryDir dir;
  std::unique_ptr<TMainFrm> w;
  std::optional<TFileChoice> next;
  std::vector<TFileQuestion> asked;
  std::vector<std::pair<TMessageKind, QString>> messages;
};

TEST_F(FileCommands, SaveForcesTheExtensionAndSaveLastRepeatsIt) {
  EXPECT_FALSE(w->findChild<QAction*>("FileStSaveLast")->isVisible());
  next = TFileChoice{Path("house.png"), 1};
  Trigger("FileSTSave");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Title, "Save Sclpted Prim");
  EXPECT_TRUE(asked[0].Filter.startsWith("TGA File|*.tga|OBJ File(Mesh of Triangles)|*.obj"));
  EXPECT_TRUE(QFile::exists(Path("house.tga")));
  EXPECT_FALSE(QFile::exists(Path("house.png")));
  EXPECT_EQ(w->SaveKind(), 1);
  auto* last = w->findChild<QAction*>("FileStSaveLast");
  w->UpdateActions();
  EXPECT_TRUE(last->isVisible());
  EXPECT_EQ(last->text(), "Save \"house.tga\"");
  QFile::remove(Path("house.tga"));
  last->trigger();
  EXPECT_TRUE(QFile::exists(Path("house.tga")));
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileCommands, LoadAsTorusForcesTheTypeAndIsOneUndoStep) {
  next = TFileChoice{Path("ball.tga"), 1};
  Trigger("FileSTSave");
  next = TFileChoice{Path("ball.tga"), 9};  // "TGA File as Torus"
  Trigger("FileSTLoad");
  EXPECT_EQ(asked.back().Title, "Load Sculped Prim Texture");
  EXPECT_EQ(w->Model().SculptType, stTorus);
  EXPECT_EQ(Status(0), "SculptType:TORUS");
  EXPECT_EQ(Status(2), "Sculpted Prim:ball.tga");
  EXPECT_EQ(Status(3), "Texture:Initial Data");
  Trigger("EditUndo");
  EXPECT_EQ(w->Model().SculptType, stSphere);
}

TEST_F(FileCommands, UnusableFilesChangeNothingAndSayWhy) {
  QFile junk(Path("junk.tga"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a picture at all");
  junk.close();
  Trigger("ResetPlane64");
  const bool couldUndo = w->findChild<QAction*>("EditUndo")->isEnabled();
  const TDbl3D before = w->Model().Vertices[3][3];
  for (const char* name : {"junk.tga", "missing.png", "mesh.obj"}) {
    messages.clear();
    next = TFileChoice{Path(name), 1};
    Trigger("FileSTLoad");
    ASSERT_EQ(messages.size(), 1u) << name;
    EXPECT_EQ(messages[0].first, TMessageKind::Error);
    EXPECT_TRUE(messages[0].second.contains(name)) << messages[0].second.toStdString();
    EXPECT_EQ(w->Model().SculptType, stPlane);
    EXPECT_EQ(w->Model().Vertices[3][3], before);
    EXPECT_EQ(Status(2), "Sculpted Prim:Initial Data");
  }
  w->UpdateActions();
  EXPECT_EQ(w->findChild<QAction*>("EditUndo")->isEnabled(), couldUndo);
}

TEST_F(FileCommands, FailedSavesKeepTheOldFileAndTheRememberedName) {
  QDir(dir.path()).mkdir("taken.tga");  // a folder where the file should go
  next = TFileChoice{Path("taken.tga"), 1};
  Trigger("FileSTSave");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, TMessageKind::Error);
  EXPECT_EQ(w->SaveKind(), -1);
  EXPECT_EQ(w->Settings().SclpFile, "");

  messages.clear();
  Trigger("ResetSphere64");  // text formats take 32x32 only
  next = TFileChoice{Path("lathe.tga"), 4};
  Trigger("FileSTSave");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0].second, "You can export only 32x32.");
  EXPECT_FALSE(QFile::exists(Path("lathe.txt")));
  EXPECT_EQ(w->Settings().SclpFile, Path("lathe.txt").toStdString());
}

TEST_F(FileCommands, SaveWarnsWhenTheViewLevelIsNotNear) {
  Trigger("ViewLevel02");
  next = std::nullopt;  // the user then cancels
  Trigger("FileSTSave");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, TMessageKind::Warning);
  EXPECT_EQ(messages[0].second,
            "View Level is not Near.\nPlease set View Level to Near and check the global image of a sculpted "
            "Prim saved.");
}

TEST_F(FileCommands, TextureSaveAndLoad) {
  next = TFileChoice{Path("skin.png"), 2};  // "TGA File" typed as skin.png: written as PNG
  Trigger("FileTxSave");
  EXPECT_EQ(asked.back().Title, "Save TexTure");
  EXPECT_TRUE(QFile::exists(Path("skin.png")));
  next = TFileChoice{Path("skin"), 1};  // the PNG filter adds .png
  Trigger("FileTxSave");
  EXPECT_EQ(w->Settings().TxtrFile, Path("skin.png").toStdString());

  next = TFileChoice{Path("skin.png"), 1};
  Trigger("FileTxLoad");
  EXPECT_EQ(asked.back().Title, "Load Texture");
  EXPECT_EQ(Status(3), "Texture:skin.png");
  w->UpdateActions();
  auto* loadLast = w->findChild<QAction*>("FileTxLoadLast");
  EXPECT_TRUE(loadLast->isVisible());
  EXPECT_EQ(loadLast->text(), "Load \"skin.png\"");
  Trigger("FileTxInit");
  EXPECT_EQ(Status(3), "Texture:Initial Data");
  loadLast->trigger();
  EXPECT_EQ(Status(3), "Texture:skin.png");
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST_F(FileCommands, ObjAndLatheTextRoundTripsThroughTheMenus) {
  Trigger("ResetCylinder32");
  const TDbl3D corner = w->Model().Vertices[5][7];
  next = TFileChoice{Path("can.tga"), 3};  // OBJ of quadrangles: the extension is forced
  Trigger("FileSTSave");
  ASSERT_TRUE(messages.empty()) << messages[0].second.toStdString();
  EXPECT_TRUE(QFile::exists(Path("can.obj")));
  EXPECT_TRUE(QFile::exists(Path("can.mtl")));
  EXPECT_TRUE(QFile::exists(Path("can.png")));
  Trigger("ResetPlane32");
  next = TFileChoice{Path("can.obj"), 6};
  Trigger("FileSTLoad");
  ASSERT_TRUE(messages.empty()) << messages[0].second.toStdString();
  EXPECT_EQ(w->Model().SculptType, stCylinder);
  EXPECT_NEAR(w->Model().Vertices[5][7].X, corner.X, 1e-8);
  EXPECT_EQ(Status(2), "Sculpted Prim:can.obj");

  Trigger("ResetSphere32");
  next = TFileChoice{Path("profile"), 4};  // LATHE text
  Trigger("FileSTSave");
  ASSERT_TRUE(messages.empty()) << messages[0].second.toStdString();
  ASSERT_TRUE(QFile::exists(Path("profile.txt")));
  Trigger("ResetTorus32");
  next = TFileChoice{Path("profile.txt"), 7};
  Trigger("FileSTLoad");
  ASSERT_TRUE(messages.empty()) << messages[0].second.toStdString();
  EXPECT_EQ(w->Model().SculptType, stSphere);
  EXPECT_EQ(Status(0), "SculptType:SPHERE");
  EXPECT_NEAR(w->Model().Vertices[0][16].Z, 0.0, 1.0 / 127);

  QFile other(Path("notes.txt"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("shopping list\r\n");
  other.close();
  next = TFileChoice{Path("notes.txt"), 1};
  Trigger("FileSTLoad");
  ASSERT_EQ(messages.size(), 1u);  // not a mode text file: refused, not a silent default sphere
  EXPECT_TRUE(messages[0].second.contains("notes.txt"));
}

TEST_F(FileCommands, TheFormatDecidesTheExtensionAndUpperCaseTextIsModeText) {
  next = TFileChoice{Path("a.txt"), 3};  // OBJ of quadrangles under a text name
  Trigger("FileSTSave");
  EXPECT_TRUE(QFile::exists(Path("a.obj")));
  EXPECT_FALSE(QFile::exists(Path("a.txt")));

  next = TFileChoice{Path("shape.obj"), 4};  // LATHE text
  Trigger("FileSTSave");
  ASSERT_TRUE(QFile::rename(Path("shape.txt"), Path("shape.TXT")));
  Trigger("ResetTorus32");
  next = TFileChoice{Path("shape.TXT"), 1};
  Trigger("FileSTLoad");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(w->Model().SculptType, stSphere);
  EXPECT_EQ(Status(2), "Sculpted Prim:shape.TXT");
}

}  // namespace
}  // namespace orvane
