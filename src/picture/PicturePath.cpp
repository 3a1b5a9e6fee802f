// Splitting a path at its last ".".
#include "picture/PicturePath.h"

namespace tarsio {

PathParts splitPath(const QString& path) {
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot < 0) return {path, QString()};
  return {path.left(dot), path.mid(dot + 1).toLower()};
}

}  // namespace tarsio
