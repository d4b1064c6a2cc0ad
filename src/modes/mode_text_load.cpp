// Mode text loading through a scratch model.
#include "modes/mode_text_load.h"

#include <QFile>
#include <memory>

#include "model/mode_text.h"
#include "modes/lathe_text.h"

namespace orvane {

bool LoadModeTextFile(const QString& file, TSculptData& model, TGridGeometry& grid, QString* reason) {
  auto fail = [&](const QString& why) {
    if (reason) *reason = why;
    return false;
  };
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return fail(in.errorString());
  if (in.size() > 1024 * 1024) return fail("The file is far too large for a mode text file.");
  const QByteArray text = in.readAll();
  switch (DetectModeText(text)) {
    case TModeTextKind::Lathe: break;
    case TModeTextKind::Extrude: return fail("EXTRUDE text files cannot be read yet.");
    case TModeTextKind::Bend: return fail("BEND text files cannot be read yet.");
    case TModeTextKind::None: return fail("It is not a LATHE, EXTRUDE or BEND text file.");
  }
  auto scratch = std::make_unique<TSculptData>();
  TGridGeometry scratchGrid = grid;
  ResetModel(*scratch, scratchGrid, stSphere, ar32x32);
  if (ReadLatheText(text, scratch->Vertices, scratchGrid, reason) != kLatheTextOk) return false;
  SpreadColumnZero(scratch->Vertices, scratchGrid);
  FitToUnit(scratch->Vertices, scratchGrid);
  ClampVertices(scratch->Vertices, scratchGrid);
  UpdateSelection(*scratch, scratchGrid);
  CommitBase(*scratch, scratchGrid);
  model = *scratch;
  grid = scratchGrid;
  return true;
}

}  // namespace orvane
