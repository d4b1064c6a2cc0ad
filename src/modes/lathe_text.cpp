// LATHE text data: writer and reader of the profile file, and revolving the read profile.
#include "modes/lathe_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include <QFile>
#include <QFileInfo>

#include "model/atomic_file.h"
#include "model/types.h"

namespace orvane {

namespace {

// A LATHE file is about a kilobyte; anything near this size is not one.
constexpr qint64 kMaxTextBytes = 16 * 1024 * 1024;

constexpr double kUnreadableField = 127.0;

void SetReason(QString* reason, const QString& text) {
  if (reason) *reason = text;
}

void AppendNumber(QByteArray& out, double v) {
  if (!std::isfinite(v)) v = 0.0;
  v += 0.0;  // no "-0"
  char buffer[64];
  // General format with 15 significant digits, trailing zeros dropped, "." whatever the locale.
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
  out.append(buffer, result.ptr - buffer);
}

// Walks the text line by line; CR LF, LF and a lone CR all end a line, and a line
// break at the very end does not start another line.
class TLineReader {
 public:
  explicit TLineReader(QByteArrayView text) : Text(text) {}
  bool Next(QByteArrayView& line) {
    if (Pos >= Text.size()) return false;
    qsizetype end = Pos;
    while (end < Text.size() && Text[end] != '\n' && Text[end] != '\r') ++end;
    line = Text.sliced(Pos, end - Pos);
    Pos = end;
    if (Pos < Text.size()) {
      if (Text[Pos] == '\r' && Pos + 1 < Text.size() && Text[Pos + 1] == '\n') ++Pos;
      ++Pos;
    }
    return true;
  }

 private:
  QByteArrayView Text;
  qsizetype Pos = 0;
};

bool IsSeparator(char c) { return c == '\t' || c == ' ' || c == '"'; }

// The first two fields of a data line and whether it has them. Tabs, spaces and double
// quotes separate fields; a run of separators counts as one.
struct TDataFields {
  int Count = 0;
  std::array<QByteArrayView, 2> Field{};
};

TDataFields SplitFields(QByteArrayView line) {
  TDataFields fields;
  qsizetype i = 0;
  while (i < line.size() && fields.Count < 2) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    if (i >= line.size()) break;
    const qsizetype start = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    fields.Field[fields.Count++] = line.sliced(start, i - start);
  }
  return fields;
}

// A decimal number with "." as separator; anything else (also inf, nan and out-of-range
// values) reads as the default level.
double FieldValue(QByteArrayView field) {
  const char* first = field.data();
  const char* last = first + field.size();
  // from_chars takes no plus sign; one in front of a digit or point is still a number.
  if (first != last && *first == '+') {
    ++first;
    if (first == last || *first == '-') return kUnreadableField;
  }
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || ptr != last || !std::isfinite(value)) return kUnreadableField;
  return value;
}

// The start marker is looked up, then up to R + 1 data lines are kept until the end marker.
struct TLatheFrame {
  bool HasStart = false;
  bool HasEnd = false;
  int StartLine = -1;
  int DataCount = 0;
  std::array<QByteArrayView, kGridCapacity + 1> Data{};
};

TLatheFrame FindFrame(QByteArrayView text, int rows) {
  TLatheFrame frame;
  TLineReader reader(text);
  QByteArrayView line;
  for (int index = 0; reader.Next(line); ++index) {
    if (!frame.HasStart) {
      if (line == QByteArrayView(kLatheTextStart)) {
        frame.HasStart = true;
        frame.StartLine = index;
      }
      continue;
    }
    if (line == QByteArrayView(kLatheTextEnd)) {
      frame.HasEnd = true;
      break;
    }
    // One line too many already settles the count.
    if (frame.DataCount > rows) break;
    frame.Data[frame.DataCount++] = line;
  }
  return frame;
}

}  // namespace

QByteArray LatheText(const TVertexGrid& vertices, const TGridGeometry& grid) {
  QByteArray out;
  out.append(kLatheTextStart).append("\r\n");
  for (int k = grid.RowCount - 1; k >= 0; --k) {
    const TDbl3D& v = vertices[0][k];
    AppendNumber(out, std::hypot(v.X, v.Y) * 127.0);
    out.append('\t');
    AppendNumber(out, 128.0 - 127.0 * v.Z);
    out.append("\r\n");
  }
  out.append(kLatheTextEnd).append("\r\n");
  return out;
}

bool SaveLatheText(const TVertexGrid& vertices, const TGridGeometry& grid, QString& name,
                   const TAppSettings& settings, const TWarnFunction& warn, QString* reason) {
  if (grid.ColumnCount != 33 || grid.RowCount != 33) {
    SetReason(reason, QStringLiteral("You can export only 32x32."));
    return false;
  }
  const QByteArray bytes = LatheText(vertices, grid);
  // The extension is what follows the last dot of the file name itself, not of a folder.
  const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  const qsizetype split = dot > slash ? dot : name.size();
  const QString target = UniqueFileName(name.left(split), name.mid(split), settings, warn);
  QString why;
  if (!WriteFileAtomically(target, bytes, &why)) {
    SetReason(reason, why);
    return false;
  }
  name = target;
  return true;
}

int ReadLatheText(QByteArrayView text, TVertexGrid& vertices, const TGridGeometry& grid, QString* reason) {
  const int rows = grid.RowCount;
  if (rows < 1 || rows > kGridCapacity) {
    SetReason(reason, QStringLiteral("the grid has no rows to read into"));
    return kLatheTextBadFrame;
  }
  const TLatheFrame frame = FindFrame(text, rows);
  if (!frame.HasStart) {
    SetReason(reason, QStringLiteral("no line \"%1\"").arg(QLatin1String(kLatheTextStart)));
    return kLatheTextBadFrame;
  }
  if (frame.DataCount != rows) {
    SetReason(reason, frame.DataCount > rows
                          ? QStringLiteral("more than %1 data lines").arg(rows)
                          : QStringLiteral("%1 data lines where %2 are needed").arg(frame.DataCount).arg(rows));
    return kLatheTextBadFrame;
  }

  // The direction needs the height of the first and last lines: without them nothing is read.
  const TDataFields first = SplitFields(frame.Data[0]);
  const TDataFields last = SplitFields(frame.Data[rows - 1]);
  for (const auto& [fields, n] : {std::pair{first, 0}, std::pair{last, rows - 1}}) {
    if (fields.Count < 2) {
      const int line = frame.StartLine + 1 + n;
      SetReason(reason, QStringLiteral("line %1 has fewer than two values").arg(line + 1));
      return line;
    }
  }
  // Height values fall as z rises: a smaller first value means the file starts at the top row.
  const bool topDown = FieldValue(first.Field[1]) <= FieldValue(last.Field[1]);

  std::array<TDbl3D, kGridCapacity> column{};
  int status = kLatheTextOk;
  for (int n = 0; n < rows; ++n) {
    const TDataFields fields = SplitFields(frame.Data[n]);
    if (fields.Count < 2) {
      status = frame.StartLine + 1 + n;
      continue;
    }
    const int row = topDown ? rows - 1 - n : n;
    column[row] = TDbl3D{FieldValue(fields.Field[0]) / 127.0, 0.0, (128.0 - FieldValue(fields.Field[1])) / 127.0};
  }
  if (!frame.HasEnd) {
    SetReason(reason, QStringLiteral("no line \"%1\"").arg(QLatin1String(kLatheTextEnd)));
    return kLatheTextNoEnd;
  }
  if (status != kLatheTextOk) {
    SetReason(reason, QStringLiteral("line %1 has fewer than two values").arg(status + 1));
    return status;
  }
  for (int k = 0; k < rows; ++k) vertices[0][k] = column[k];
  return kLatheTextOk;
}

int LoadLatheText(const QString& name, TVertexGrid& vertices, const TGridGeometry& grid, QString* reason) {
  const QFileInfo info(name);
  if (!info.isFile()) {
    SetReason(reason, QStringLiteral("\"%1\" is not a readable file").arg(name));
    return kLatheTextUnreadable;
  }
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    SetReason(reason, file.errorString());
    return kLatheTextUnreadable;
  }
  const QByteArray bytes = file.read(kMaxTextBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    SetReason(reason, file.errorString());
    return kLatheTextUnreadable;
  }
  if (bytes.size() > kMaxTextBytes) {
    SetReason(reason, QStringLiteral("the file is too large for LATHE text"));
    return kLatheTextUnreadable;
  }
  return ReadLatheText(bytes, vertices, grid, reason);
}

void SpreadColumnZero(TVertexGrid& vertices, const TGridGeometry& grid) {
  for (int k = 0; k < grid.RowCount; ++k) {
    const TDbl3D p0 = vertices[0][k];
    double rho = std::hypot(p0.X, p0.Y);
    if (!std::isfinite(rho)) rho = 0.0;
    for (int j = 1; j < grid.ColumnCount; ++j) {
      TDbl3D& v = vertices[j][k];
      const double length = std::hypot(v.X, v.Y);
      if (length > 0 && std::isfinite(length)) {
        v.X = v.X / length * rho;
        v.Y = v.Y / length * rho;
      } else {
        v.X = 0.0;
        v.Y = 0.0;
      }
      v.Z = p0.Z;
    }
  }
}

}  // namespace orvane
