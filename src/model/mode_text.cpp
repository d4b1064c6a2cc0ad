// Recognising mode text files and fitting what they build into the unit cube.
#include "model/mode_text.h"

#include <QByteArray>
#include <QList>
#include <algorithm>

#include "model/types.h"

namespace orvane {

TModeTextKind DetectModeText(QByteArrayView text) {
  QList<QByteArray> lines = QByteArray(text.data(), text.size()).split('\n');
  for (QByteArray& line : lines) line = line.trimmed().toUpper();
  const std::pair<const char*, TModeTextKind> markers[] = {{"--LATHE DATA V3", TModeTextKind::Lathe},
                                                           {"--EXTRUDE DATA V3", TModeTextKind::Extrude},
                                                           {"--BEND DATA V1", TModeTextKind::Bend}};
  for (const auto& [marker, kind] : markers)
    if (lines.contains(QByteArray(marker))) return kind;
  return TModeTextKind::None;
}

void FitToUnit(TVertexGrid& vertices, const TGridGeometry& grid) {
  double lo = 0.0, hi = 0.0;
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j)
      for (int axis = 0; axis < 3; ++axis) {
        lo = std::min(lo, vertices[i][j][axis]);
        hi = std::max(hi, vertices[i][j][axis]);
      }
  const double d = std::max(-lo, hi);
  if (!(d > 1.0)) return;
  for (int i = 0; i < grid.ColumnCount; ++i)
    for (int j = 0; j < grid.RowCount; ++j)
      for (int axis = 0; axis < 3; ++axis) vertices[i][j][axis] /= d;
}

}  // namespace orvane
