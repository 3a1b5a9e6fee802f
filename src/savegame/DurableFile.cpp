// Durable, atomic writing of a whole file.
#include "savegame/DurableFile.h"

#include <QSaveFile>

namespace tarsio {

// QSaveFile writes into an unnamed file in the target's folder, flushes it to the disk at commit() and
// then links it over the target. Its own write buffer is emptied by flush(), whose failure commit()
// would not notice, so it is checked first.
bool writeFileDurably(const QString& path, const QByteArray& bytes, QString* reason) {
  QSaveFile file(path);
  const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
  if (written && file.commit()) return true;
  if (reason) *reason = file.errorString();
  file.cancelWriting();
  return false;
}

}  // namespace tarsio
