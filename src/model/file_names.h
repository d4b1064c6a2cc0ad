// Small helpers for file names shared by the writers.
#pragma once

#include <QString>

namespace orvane {

// Where the extension of the file part of a path starts, at its dot; size() when there is none.
inline qsizetype ExtensionStart(const QString& name) {
  const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot > slash ? dot : name.size();
}

}  // namespace orvane
