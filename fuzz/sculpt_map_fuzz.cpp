// libFuzzer target: any bytes read as a sculpt map must load or be refused, never crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include "model/sculpt_data.h"
#include "model/sculpt_map.h"

using namespace orvane;

namespace {

struct TFuzzWorld {
  std::unique_ptr<TSculptData> Model = std::make_unique<TSculptData>();
  std::unique_ptr<TSculptData> Again = std::make_unique<TSculptData>();
  TGridGeometry Grid;
  TGridGeometry AgainGrid;
  // LoadSculptMap reads files, so every input goes through one scratch file per process.
  QString Path = QDir::temp().filePath(QStringLiteral("orvane_sculpt_map_fuzz_%1.img").arg(QCoreApplication::applicationPid()));
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TFuzzWorld w;
  {
    QFile file(w.Path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  ResetModel(*w.Model, w.Grid, stSphere, ar32x32);
  TAppSettings settings;
  settings.SecondLifeCoordinateSystem = (size & 1) != 0;  // both conventions get their share
  const TSculptMapLoad r = LoadSculptMap(w.Path, kDetectSculptType, settings, *w.Model, w.Grid);
  if (!r.Ok) {
    if (r.Reason.isEmpty()) std::abort();  // a refusal always says why
    return 0;
  }
  // A loaded grid sits on whole map steps: painting and reading it again must
  // give exactly the same vertices.
  settings.TgaSize = 64;
  const QImage map = RenderSculptMap(*w.Model, w.Grid, settings);
  ResetModel(*w.Again, w.AgainGrid, stSphere, ar32x32);
  const TSculptMapLoad again = DecodeSculptMap(map, false, w.Model->SculptType, settings, *w.Again, w.AgainGrid);
  if (!again.Ok || w.AgainGrid.ColumnCount != w.Grid.ColumnCount) std::abort();
  for (int i = 0; i < w.Grid.ColumnCount; ++i)
    for (int j = 0; j < w.Grid.RowCount; ++j)
      if (!(w.Again->Vertices[i][j] == w.Model->Vertices[i][j])) std::abort();
  return 0;
}
