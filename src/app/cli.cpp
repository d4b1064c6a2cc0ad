// Headless jobs: describe, create and convert sculpt maps and OBJ meshes without opening the editor.
#include "app/cli.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include "app/offscreen_render.h"
#include "model/atomic_file.h"
#include "model/camera.h"
#include "model/grid_geometry.h"
#include "modes/lathe_text.h"
#include "modes/mode_text_load.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/preview_texture.h"
#include "model/sculpt_data.h"
#include "model/sculpt_map.h"
#include "model/settings.h"

namespace orvane {

const char* const kCommandLineUsage =
    "usage: orvane info FILE\n"
    "       orvane new --type TYPE --aspect ASPECT [--tga-size N] [--program-axes] -o OUT\n"
    "       orvane convert IN OUT [--as TYPE|auto] [--tga-size N] [--program-axes] [--quads]\n"
    "       orvane render IN -o OUT.png [--size WxH] [--view-level 1|2|4] [--texture FILE]\n"
    "                     [--turn DEGREES] [--no-overlay] [--program-axes]\n"
    "  TYPE    sphere, torus, plane or cylinder\n"
    "  ASPECT  32x32, 64x16, 128x8, 256x4, 16x64, 8x128 or 4x256\n"
    "  N       64, 128, 256 or 512 (the side of a 32x32 map; default 128)\n"
    "  OUT     a .tga sculpt map, .png for the same map as PNG, or (convert) .obj for\n"
    "          a mesh of triangles (--quads: quadrangles) with its .mtl and texture .png,\n"
    "          or (convert) .txt for the LATHE text of a 32x32 profile\n"
    "  IN      a sculpt map picture, or (info, convert) an .obj mesh, or (convert) a\n"
    "          LATHE .txt file\n"
    "  render  draws the 3D preview of a sculpt map (default 512x512, grid texture)\n"
    "  --program-axes  write (and read unmarked maps) with the program's axes\n"
    "                  instead of Second Life's\n";

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;

// Arguments of one job: positional words, options with a value, flags.
struct TJobArgs {
  std::vector<std::string> Positional;
  std::map<std::string, std::string> Values;
  std::set<std::string> Flags;
  std::string Error;  // set when the words do not fit the job
};

TJobArgs ParseJobArgs(int argc, char** argv, const std::set<std::string>& valued, const std::set<std::string>& flags) {
  TJobArgs args;
  for (int k = 2; k < argc && args.Error.empty(); ++k) {
    std::string word = argv[k];
    std::optional<std::string> inlineValue;
    if (word.starts_with("--") && word.find('=') != std::string::npos) {
      inlineValue = word.substr(word.find('=') + 1);
      word = word.substr(0, word.find('='));
    }
    if (valued.contains(word)) {
      if (args.Values.contains(word)) {
        args.Error = word + " is given twice";
      } else if (inlineValue) {
        args.Values[word] = *inlineValue;
      } else if (k + 1 < argc) {
        args.Values[word] = argv[++k];
      } else {
        args.Error = word + " needs a value";
      }
    } else if (flags.contains(word) && !inlineValue) {
      args.Flags.insert(word);
    } else if (word.size() > 1 && word[0] == '-') {
      args.Error = "unknown option " + word;
    } else {
      args.Positional.push_back(word);
    }
  }
  return args;
}

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "orvane: %s\n%s", problem.c_str(), kCommandLineUsage);
  return kExitUsage;
}

// One line, whatever the reason holds, so that scripts can read it.
int FileError(const QString& file, QString reason) {
  reason.replace(QLatin1Char('\n'), QLatin1Char(' '));
  std::fprintf(stderr, "orvane: error: %s: %s\n", qPrintable(file), qPrintable(reason));
  return kExitBadInput;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

std::optional<int> ParseType(const std::string& word) {
  for (int type = 0; type < 4; ++type)
    if (Lower(std::string(SculptTypeName(type))) == Lower(word)) return type;
  return std::nullopt;
}

std::optional<int> ParseAspect(const std::string& word) {
  for (int aspect = 0; aspect < kAspectCount; ++aspect)
    if (AspectName(aspect) == Lower(word)) return aspect;
  return std::nullopt;
}

// The save size from --tga-size, 128 by default; nullopt when not a map size.
std::optional<int> ParseTgaSize(const TJobArgs& args) {
  const auto it = args.Values.find("--tga-size");
  if (it == args.Values.end()) return TAppSettings{}.TgaSize;
  for (int size : {64, 128, 256, 512})
    if (it->second == std::to_string(size)) return size;
  return std::nullopt;
}

// Only the two map containers are written; any other extension would be
// silently replaced by ".tga" and land in a file the user did not name.
bool IsObjFileName(const QString& name) { return name.endsWith(QLatin1String(".obj"), Qt::CaseInsensitive); }

bool IsTextFileName(const QString& name) { return name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive); }

bool IsMapFileName(const QString& name) {
  return name.endsWith(QLatin1String(".tga"), Qt::CaseInsensitive) ||
         name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
}

// The jobs never read the user's stored settings: defaults, overwrite on.
TAppSettings JobSettings(const TJobArgs& args, int tgaSize) {
  TAppSettings settings;
  settings.FileOverWrite = true;
  settings.SecondLifeCoordinateSystem = !args.Flags.contains("--program-axes");
  settings.TgaSize = tgaSize;
  return settings;
}

// Named by content; TGA is the one format we read that has no signature.
QString FormatName(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("unknown");
  const QByteArray head = file.read(8);
  if (head.startsWith("\x89PNG\r\n\x1a\n")) return QStringLiteral("PNG");
  if (head.startsWith("\xFF\xD8\xFF")) return QStringLiteral("JPEG");
  if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) return QStringLiteral("GIF");
  if (head.startsWith("BM")) return QStringLiteral("BMP");
  if (head.startsWith("8BPS")) return QStringLiteral("PSD");
  return QStringLiteral("TGA");
}

struct TWorkspace {
  std::unique_ptr<TSculptData> Model = std::make_unique<TSculptData>();
  TGridGeometry Grid;
};

int Save(const TWorkspace& w, const QString& out, const TAppSettings& settings) {
  QString name = out;
  QString reason;
  // With overwrite on no renaming happens, so there is never a warning to show.
  const TWarnFunction noWarning = [](const QString&) {};
  if (!SaveSculptMap(*w.Model, w.Grid, name, settings, noWarning, &reason))
    return FileError(out, reason.isEmpty() ? QStringLiteral("cannot be written") : reason);
  return kExitOk;
}

int InfoObj(const QString& file, TWorkspace& w) {
  const TObjImport r = ImportObj(*w.Model, w.Grid, file);
  if (!r.Ok) return FileError(file, r.Reason);
  std::printf("format: OBJ\n");
  std::printf("aspect: %s\n", std::string(AspectName(r.Aspect)).c_str());
  std::printf("type: %s\n", std::string(SculptTypeName(r.SculptType)).c_str());
  std::printf("columns: %d\nrows: %d\n", w.Grid.ColumnCount, w.Grid.RowCount);
  std::printf("vertices: %d\ntexcoords: %d\nfaces: %d\n", r.VertexLines, r.TexCoordLines, r.FaceLines);
  std::printf("grid size from: %s\n", r.FromTexCoords ? "texture coordinates" : "vertex count");
  std::printf("unmatched: %d\n", r.Unmatched);
  std::printf("maximized: %s\n", r.Maximized ? "yes" : "no");
  return kExitOk;
}

// The mesh with the default grid texture beside it, as the editor exports a new model.
int SaveObj(const TWorkspace& w, const QString& out, bool triangles, const TAppSettings& settings) {
  TTextureSet textures;
  ResetTexture(textures, w.Grid);
  QString name = out;
  QString reason;
  const TWarnFunction noWarning = [](const QString&) {};
  if (!ExportObj(*w.Model, w.Grid, textures, name, triangles, settings, noWarning, &reason))
    return FileError(out, reason.isEmpty() ? QStringLiteral("cannot be written") : reason);
  return kExitOk;
}

int RunInfo(int argc, char** argv) {
  const TJobArgs args = ParseJobArgs(argc, argv, {}, {});
  if (!args.Error.empty()) return UsageError(args.Error);
  if (args.Positional.size() != 1) return UsageError("info needs exactly one FILE");
  const QString file = QString::fromLocal8Bit(args.Positional[0].c_str());
  TWorkspace w;
  if (IsObjFileName(file)) return InfoObj(file, w);
  const TSculptMapLoad r = LoadSculptMap(file, kDetectSculptType, JobSettings(args, 128), *w.Model, w.Grid);
  if (!r.Ok) return FileError(file, r.Reason);
  std::printf("format: %s\n", qPrintable(FormatName(file)));
  std::printf("width: %d\nheight: %d\n", r.Width, r.Height);
  std::printf("aspect: %s\n", std::string(AspectName(r.Aspect)).c_str());
  std::printf("type: %s\n", std::string(SculptTypeName(r.SculptType)).c_str());
  std::printf("columns: %d\nrows: %d\n", w.Grid.ColumnCount, w.Grid.RowCount);
  std::printf("step: %d\n", r.Step);
  std::printf("marked: %s\n", r.Marked ? "yes" : "no");
  return kExitOk;
}

int RunNew(int argc, char** argv) {
  const TJobArgs args = ParseJobArgs(argc, argv, {"--type", "--aspect", "--tga-size", "-o"}, {"--program-axes"});
  if (!args.Error.empty()) return UsageError(args.Error);
  if (!args.Positional.empty()) return UsageError("unexpected argument " + args.Positional[0]);
  for (const char* needed : {"--type", "--aspect", "-o"})
    if (!args.Values.contains(needed)) return UsageError(std::string("new needs ") + needed);
  const std::optional<int> type = ParseType(args.Values.at("--type"));
  if (!type) return UsageError("unknown sculpt type " + args.Values.at("--type"));
  const std::optional<int> aspect = ParseAspect(args.Values.at("--aspect"));
  if (!aspect) return UsageError("unknown aspect " + args.Values.at("--aspect"));
  const std::optional<int> tgaSize = ParseTgaSize(args);
  if (!tgaSize) return UsageError("--tga-size must be 64, 128, 256 or 512");
  const QString out = QString::fromLocal8Bit(args.Values.at("-o").c_str());
  if (!IsMapFileName(out)) return UsageError("the output must end in .tga or .png");

  TWorkspace w;
  ResetModel(*w.Model, w.Grid, *type, *aspect);
  CommitBase(*w.Model, w.Grid);
  return Save(w, out, JobSettings(args, *tgaSize));
}

int RunConvert(int argc, char** argv) {
  const TJobArgs args = ParseJobArgs(argc, argv, {"--as", "--tga-size"}, {"--program-axes", "--quads"});
  if (!args.Error.empty()) return UsageError(args.Error);
  if (args.Positional.size() != 2) return UsageError("convert needs IN and OUT");
  int requested = kDetectSculptType;
  if (const auto it = args.Values.find("--as"); it != args.Values.end() && Lower(it->second) != "auto") {
    const std::optional<int> type = ParseType(it->second);
    if (!type) return UsageError("unknown sculpt type " + it->second);
    requested = *type;
  }
  const std::optional<int> tgaSize = ParseTgaSize(args);
  if (!tgaSize) return UsageError("--tga-size must be 64, 128, 256 or 512");
  const QString in = QString::fromLocal8Bit(args.Positional[0].c_str());
  const QString out = QString::fromLocal8Bit(args.Positional[1].c_str());
  if (!IsMapFileName(out) && !IsObjFileName(out) && !IsTextFileName(out))
    return UsageError("the output must end in .tga, .png, .obj or .txt");
  if (args.Flags.contains("--quads") && !IsObjFileName(out)) return UsageError("--quads needs an .obj output");
  // A mesh names its own sculpt type; only a picture can be read as another one.
  if (requested != kDetectSculptType && (IsObjFileName(in) || IsTextFileName(in)))
    return UsageError("--as needs a sculpt map input");

  const TAppSettings settings = JobSettings(args, *tgaSize);
  TWorkspace w;
  if (IsObjFileName(in)) {
    const TObjImport r = ImportObj(*w.Model, w.Grid, in);
    if (!r.Ok) return FileError(in, r.Reason);
  } else if (IsTextFileName(in)) {
    QString reason;
    if (!LoadModeTextFile(in, *w.Model, w.Grid, &reason)) return FileError(in, reason);
  } else {
    const TSculptMapLoad r = LoadSculptMap(in, requested, settings, *w.Model, w.Grid);
    if (!r.Ok) return FileError(in, r.Reason);
  }
  if (IsObjFileName(out)) return SaveObj(w, out, !args.Flags.contains("--quads"), settings);
  if (IsTextFileName(out)) {
    // The LATHE text holds one profile of a 32x32 grid.
    if (w.Model->Aspect != ar32x32) return FileError(out, QStringLiteral("You can export only 32x32."));
    QString name = out;
    QString reason;
    const TWarnFunction noWarning = [](const QString&) {};
    if (!SaveLatheText(w.Model->Vertices, w.Grid, name, settings, noWarning, &reason)) return FileError(out, reason);
    return kExitOk;
  }
  return Save(w, out, settings);
}

int RunRender(int argc, char** argv) {
  const TJobArgs args = ParseJobArgs(argc, argv, {"-o", "--size", "--view-level", "--texture", "--turn"},
                                     {"--no-overlay", "--program-axes"});
  if (!args.Error.empty()) return UsageError(args.Error);
  if (args.Positional.size() != 1) return UsageError("render needs exactly one IN");
  if (!args.Values.contains("-o")) return UsageError("render needs -o OUT.png");
  const QString in = QString::fromLocal8Bit(args.Positional[0].c_str());
  const QString out = QString::fromLocal8Bit(args.Values.at("-o").c_str());
  if (!out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) return UsageError("the output must end in .png");
  QSize size(512, 512);
  if (const auto it = args.Values.find("--size"); it != args.Values.end()) {
    int w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(it->second.c_str(), "%dx%d%c", &w, &h, &tail) != 2 || w < 1 || h < 1 || w > 8192 || h > 8192)
      return UsageError("--size must be WxH, each 1 .. 8192");
    size = QSize(w, h);
  }
  int level = 1;
  if (const auto it = args.Values.find("--view-level"); it != args.Values.end()) {
    if (it->second != "1" && it->second != "2" && it->second != "4") return UsageError("--view-level must be 1, 2 or 4");
    level = std::stoi(it->second);
  }
  TCamera camera;
  // Framed as the editor's preview shows it at the window's first size (about 630
  // pixels high), whatever the picture size.
  camera.FocalLength = 100.0 * std::max(size.width(), size.height()) / 630.0;
  if (const auto it = args.Values.find("--turn"); it != args.Values.end()) {
    char* end = nullptr;
    const double degrees = std::strtod(it->second.c_str(), &end);
    if (end == it->second.c_str() || *end != 0 || !std::isfinite(degrees)) return UsageError("--turn needs degrees");
    TurnAroundTarget(camera, 0.0, degrees);
  }

  TWorkspace w;
  const TAppSettings settings = JobSettings(args, 128);
  const TSculptMapLoad r = LoadSculptMap(in, kDetectSculptType, settings, *w.Model, w.Grid);
  if (!r.Ok) return FileError(in, r.Reason);
  TTextureSet textures;
  ResetTexture(textures, w.Grid);
  if (const auto it = args.Values.find("--texture"); it != args.Values.end()) {
    const QString texture = QString::fromLocal8Bit(it->second.c_str());
    QString reason;
    if (!LoadTexture(textures, w.Grid, texture, &reason)) return FileError(texture, reason);
  }
  textures.ShowOverlay = !args.Flags.contains("--no-overlay");
  RefreshOverlay(textures, *w.Model, w.Grid);

  QImage picture;
  QString reason;
  if (!RenderPreviewOffscreen(*w.Model, w.Grid, textures, level, camera, size, picture, &reason))
    return FileError(out, reason);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) return FileError(out, QStringLiteral("the picture could not be encoded"));
  if (!WriteFileAtomically(out, png, &reason)) return FileError(out, reason);
  return kExitOk;
}

// Whether a convert job's output is a mesh (its second positional word ends in .obj).
bool WritesObj(int argc, char** argv) {
  const TJobArgs args = ParseJobArgs(argc, argv, {"--as", "--tga-size"}, {"--program-axes", "--quads"});
  return args.Positional.size() == 2 && IsObjFileName(QString::fromLocal8Bit(args.Positional[1].c_str()));
}

}  // namespace

int RunCommandLine(int argc, char** argv, bool& handled) {
  handled = false;
  if (argc < 2) return kExitOk;
  const std::string_view job = argv[1];
  int (*run)(int, char**) = nullptr;
  if (job == "info") run = RunInfo;
  else if (job == "new") run = RunNew;
  else if (job == "convert") run = RunConvert;
  else if (job == "render") run = RunRender;
  if (run == nullptr) return kExitOk;
  handled = true;

  for (int k = 2; k < argc; ++k) {
    const std::string_view word = argv[k];
    if (word == "--help" || word == "-h") {
      std::fputs(kCommandLineUsage, stdout);
      return kExitOk;
    }
  }
  // Image plugins (JPEG, GIF) are found through the application object; no
  // display is involved.
  int appArgc = 1;  // must outlive the application object
  std::unique_ptr<QCoreApplication> app;
  if (QCoreApplication::instance() == nullptr) {
    // Rendering needs OpenGL and the texture of an OBJ export needs fonts; both come
    // with a GUI application (no window is shown).
    if (run == RunRender || (run == RunConvert && WritesObj(argc, argv))) {
      // Without a display the xcb platform would abort; offscreen fails cleanly instead.
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
          qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
      app = std::make_unique<QGuiApplication>(appArgc, argv);
    }
    else app = std::make_unique<QCoreApplication>(appArgc, argv);
  }
  return run(argc, argv);
}

}  // namespace orvane
