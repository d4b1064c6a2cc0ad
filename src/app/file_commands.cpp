// File commands: load and save the sculpted prim, the texture commands, Save Last.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "model/image_files.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/sculpt_map.h"
#include "modes/lathe_text.h"
#include "modes/mode_text_load.h"

namespace orvane {

namespace {

const char* const kLoadModelFilter =
    "All File|*.tga;*.bmp;*.jpg;*.png;*.obj;*.txt|BMP File|*.bmp|TGA File|*.tga|JPEG File|*.jpg|PNG File|*.png|"
    "OBJ File|*.obj|Template File|*.txt|TGA File as Sphere|*.tga|TGA File as Torus|*.tga|TGA File as Plane|*.tga|"
    "TGA File as Cylinder|*.tga";
const char* const kSaveModelFilter =
    "TGA File|*.tga|OBJ File(Mesh of Triangles)|*.obj|OBJ File(Mesh of Quadrangles)|*.obj|LATHE Text File|*.txt|"
    "EXTRUDE Text File|*.txt|BEND Text File|*.txt";
const char* const kLoadTextureFilter =
    "All File|*.tga;*.bmp;*.jpg;*.png;*.psd|BMP File|*.bmp|TGA File|*.tga|JPEG File|*.jpg|PNG File|*.png|"
    "Photoshop PSD File|*.psd";
const char* const kSaveTextureFilter = "PNG File|*.png|TGA File|*.tga";

QString NameOf(const QString& path) { return QFileInfo(path).fileName(); }
QString FolderOf(const QString& path) { return path.isEmpty() ? QString() : QFileInfo(path).absolutePath(); }

// The name with its extension replaced (or added).
QString WithExtension(const QString& path, const QString& ext) {
  const QFileInfo info(path);
  const QString stem = info.completeSuffix().isEmpty() ? info.fileName() : info.fileName().left(info.fileName().lastIndexOf('.'));
  return QFileInfo(info.dir(), stem + ext).filePath();
}

QString FromStd(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TFileQuestion TMainFrm::PrepareOpenDialog(const QString& file) const {
  TFileQuestion q;
  if (!file.isEmpty() && QFileInfo::exists(file)) {
    q.Folder = FolderOf(file);
    q.FileName = NameOf(file);
  }
  return q;
}

void TMainFrm::ShowFileError(const char* verb, const QString& file, const QString& reason) {
  FDialogs.Message(TMessageKind::Error, QString("Cannot %1 \"%2\".\n%3").arg(verb, file, reason));
}

bool TMainFrm::LoadModel(const QString& file, int kind, QString* reason) {
  const QString ext = QFileInfo(file).suffix().toUpper();
  if (ext == "OBJ") {
    const TObjImport r = ImportObj(FModel, FGrid, file);
    if (!r.Ok) {
      *reason = r.Reason;
      return false;
    }
  } else if (ext == "TXT") {
    if (!LoadModeTextFile(file, FModel, FGrid, reason)) return false;
  } else if (const TSculptMapLoad r =
          LoadSculptMap(file, kind >= 0 && kind <= 3 ? kind : kDetectSculptType, FSettings, FModel, FGrid);
      !r.Ok) {
    *reason = r.Reason;
    return false;
  }
  // Tabs and status panels follow the model whatever format it came from.
  RebuildTabs();
  SetMeshDirty();
  SetStatus(2, "Sculpted Prim:" + NameOf(file));
  return true;
}

void TMainFrm::FileSTLoadExecute() {
  if (CommandsBlocked() || !ConfirmDiscard()) return;
  TFileQuestion q = PrepareOpenDialog(QString::fromStdString(FSettings.SclpFile));
  q.Title = "Load Sculped Prim Texture";
  q.Filter = kLoadModelFilter;
  const auto choice = FDialogs.Open(q);
  if (!choice) return;
  QString reason;
  // The reader works on a scratch model: a refused file changes nothing here.
  if (!LoadModel(choice->Path, choice->FilterIndex - 8, &reason)) {
    ShowFileError("load", choice->Path, reason);
    return;
  }
  FSettings.SclpFile = choice->Path.toStdString();
  InitTexture();
  RefreshView();
  PushSnapshot(FUndo, FModel);
  RememberSavedShape();
  UpdateActions();
}

bool TMainFrm::SaveModelAs(const QString& file, int kind) {
  QString name;
  QString reason;
  bool ok = false;
  const TWarnFunction warn = [this](const QString& text) { FDialogs.Message(TMessageKind::Warning, text); };
  switch (kind) {
    case 1:
      name = WithExtension(file, ".tga");
      ok = SaveSculptMap(FModel, FGrid, name, FSettings, warn, &reason);
      break;
    case 2:
    case 3:
      name = WithExtension(file, ".obj");
      ok = ExportObj(FModel, FGrid, FTextures, name, kind == 2, FSettings, warn, &reason);
      break;
    case 4:
    case 5:
    case 6:
      name = WithExtension(file, ".txt");
      if (FModel.Aspect != ar32x32) {
        FDialogs.Message(TMessageKind::Error, "You can export only 32x32.");
        FSettings.SclpFile = name.toStdString();
        return false;
      }
      if (kind == 4) ok = SaveLatheText(FModel.Vertices, FGrid, name, FSettings, warn, &reason);
      else reason = kind == 5 ? "EXTRUDE text files cannot be written yet." : "BEND text files cannot be written yet.";
      break;
    default: return false;
  }
  if (!ok) {
    ShowFileError("save", name, reason);
    return false;
  }
  FSettings.SclpFile = name.toStdString();
  FSaveKind = kind;
  RememberSavedShape();
  UpdateActions();
  return true;
}

void TMainFrm::FileSTSaveExecute() {
  if (CommandsBlocked()) return;
  SaveWithDialog();
}

bool TMainFrm::SaveWithDialog() {
  if (FSettings.ViewLevel != 1)
    FDialogs.Message(TMessageKind::Warning,
                     "View Level is not Near.\nPlease set View Level to Near and check the global image of a "
                     "sculpted Prim saved.");
  const QString last = FromStd(FSettings.SclpFile);
  TFileQuestion q{"Save Sclpted Prim", kSaveModelFilter, FolderOf(last), NameOf(last), FSettings.FileOverWrite};
  const auto choice = FDialogs.Save(q);
  if (!choice) return false;
  return SaveModelAs(choice->Path, choice->FilterIndex);
}

bool TMainFrm::Modified() const { return ShapeDiffers(FSavedShape, FModel, FGrid); }

void TMainFrm::RememberSavedShape() { RememberShape(FSavedShape, FModel, FGrid); }

bool TMainFrm::ConfirmDiscard() {
  if (!Modified()) return true;
  const TSaveAnswer answer =
      FDialogs.AskSave ? FDialogs.AskSave("Save changes to the sculpted prim?") : TSaveAnswer::Discard;
  if (answer == TSaveAnswer::Discard) return true;
  // A cancelled or failed save keeps the work, so the command stops.
  return answer == TSaveAnswer::Save && SaveWithDialog();
}

void TMainFrm::FileStSaveLastExecute() {
  if (CommandsBlocked() || FSaveKind < 0) return;
  SaveModelAs(FromStd(FSettings.SclpFile), FSaveKind);
}

bool TMainFrm::OpenTexture(const QString& file) {
  QString reason;
  if (!LoadTexture(FTextures, FGrid, file, &reason)) {
    ShowFileError("load", file, reason);
    return false;
  }
  RefreshOverlay(FTextures, FModel, FGrid);
  SetStatus(3, "Texture:" + NameOf(file));
  FSettings.TxtrFile = file.toStdString();
  SetTextureDirty();
  UpdateActions();
  return true;
}

void TMainFrm::FileTxLoadExecute() {
  if (CommandsBlocked()) return;
  TFileQuestion q = PrepareOpenDialog(FromStd(FSettings.TxtrFile));
  q.Title = "Load Texture";
  q.Filter = kLoadTextureFilter;
  const auto choice = FDialogs.Open(q);
  if (!choice) return;
  if (OpenTexture(choice->Path) && FMode == emTexture) TabControlChange();
}

void TMainFrm::FileTxSaveExecute() {
  if (CommandsBlocked()) return;
  const QString last = FromStd(FSettings.TxtrFile);
  TFileQuestion q{"Save TexTure", kSaveTextureFilter, FolderOf(last), NameOf(last), FSettings.FileOverWrite};
  const auto choice = FDialogs.Save(q);
  if (!choice) return;
  QString name = choice->FilterIndex == 1 ? WithExtension(choice->Path, ".png") : choice->Path;
  QString reason;
  const TWarnFunction warn = [this](const QString& text) { FDialogs.Message(TMessageKind::Warning, text); };
  if (SaveImage(name, FTextures.PaintedColour, FTextures.PaintedAlpha, FSettings, warn, &reason) != 0) {
    ShowFileError("save", name, reason);
    return;
  }
  FSettings.TxtrFile = name.toStdString();
  UpdateActions();
}

void TMainFrm::BuildFileMenuCommands(QMenu* file, QAction* before) {
  auto add = [&](const char* caption, const char* name, const QKeySequence& key, void (TMainFrm::*run)()) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    file->insertAction(before, a);
    connect(a, &QAction::triggered, this, run);
    return a;
  };
  add("&Load...", "FileSTLoad", {}, &TMainFrm::FileSTLoadExecute);
  FileStSaveLast = add("S&ave Last Sculpted Map File", "FileStSaveLast", QKeySequence(Qt::CTRL | Qt::Key_S),
                       &TMainFrm::FileStSaveLastExecute);
  add("&Save...", "FileSTSave", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S), &TMainFrm::FileSTSaveExecute);

  QMenu* texture = ActionMainMenuBar1->actions().first()->menu();
  connect(texture, &QMenu::aboutToShow, this, &TMainFrm::UpdateActions);
  auto addTexture = [&](const char* caption, const char* name, auto run) {
    QAction* a = texture->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, run);
    return a;
  };
  addTexture("&Reset", "FileTxInit", [this] {
    if (CommandsBlocked()) return;
    InitTexture();
  });
  FileTxLoadLast = addTexture("L&oad Last Texture", "FileTxLoadLast", [this] {
    if (CommandsBlocked() || FSettings.TxtrFile.empty()) return;
    OpenTexture(FromStd(FSettings.TxtrFile));
  });
  addTexture("&Load...", "FileTxLoad", [this] { FileTxLoadExecute(); });
  addTexture("&Save...", "FileTxSave", [this] { FileTxSaveExecute(); });
}

// Save Last and Load Last Texture name the file they will use.
void TMainFrm::UpdateFileActions() {
  if (FileStSaveLast) {
    FileStSaveLast->setVisible(FSaveKind >= 0);
    FileStSaveLast->setEnabled(FSaveKind >= 0);
    FileStSaveLast->setText("Save \"" + NameOf(FromStd(FSettings.SclpFile)) + "\"");
  }
  if (FileTxLoadLast) {
    FileTxLoadLast->setVisible(!FSettings.TxtrFile.empty());
    FileTxLoadLast->setText("Load \"" + NameOf(FromStd(FSettings.TxtrFile)) + "\"");
  }
}

}  // namespace orvane
