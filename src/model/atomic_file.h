// Writing a whole file atomically: the old file stays intact unless the new one is complete.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace orvane {

// Writes data to a temporary file beside path and renames it into place.
// Returns false with the reason in *reason; an existing file at path is then untouched.
bool WriteFileAtomically(const QString& path, QByteArrayView data, QString* reason = nullptr);

}  // namespace orvane
