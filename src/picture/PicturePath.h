// The parts of a chosen file's path: everything before its last "." and the lower-case extension.
#pragma once

#include <QString>

namespace tarsio {

struct PathParts {
  QString baseName;   // the path up to, not including, its last "."
  QString extension;  // the text after the last ".", in lower case; empty without a "."
};

PathParts splitPath(const QString& path);

}  // namespace tarsio
