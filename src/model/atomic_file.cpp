// Atomic whole-file writes through QSaveFile.
#include "model/atomic_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace orvane {

namespace {
bool Fail(QString* reason, const QString& text) {
  if (reason) *reason = text;
  return false;
}
}  // namespace

bool WriteFileAtomically(const QString& path, QByteArrayView data, QString* reason) {
  if (path.isEmpty()) return Fail(reason, QStringLiteral("no file name given"));
  // QSaveFile would rename over a directory only to fail late; say so plainly.
  if (QFileInfo(path).isDir()) return Fail(reason, QStringLiteral("\"%1\" is a folder").arg(path));

  QSaveFile file(path);
  file.setDirectWriteFallback(false);  // never fall back to writing the target in place
  if (!file.open(QIODevice::WriteOnly))
    return Fail(reason, QStringLiteral("cannot create \"%1\": %2").arg(path, file.errorString()));
  qint64 written = 0;
  while (written < data.size()) {
    const qint64 n = file.write(data.data() + written, data.size() - written);
    if (n <= 0) {
      const QString why = file.errorString();
      file.cancelWriting();
      return Fail(reason, QStringLiteral("cannot write \"%1\": %2").arg(path, why));
    }
    written += n;
  }
  if (!file.commit())
    return Fail(reason, QStringLiteral("cannot save \"%1\": %2").arg(path, file.errorString()));
  return true;
}

}  // namespace orvane
