// Whole-file writes that never leave a file half written: a new file beside, synced, then renamed.
#include "savegame/DurableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

namespace tarsio {

namespace {

QString reasonOf(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("il disco è pieno.");
    case EFBIG:
      return QStringLiteral("il file supera la dimensione che il sistema consente.");
    case EROFS:
      return QStringLiteral("il disco è di sola lettura.");
    case EACCES:
    case EPERM:
      return QStringLiteral("la cartella non è scrivibile.");
    case ENOENT:
    case ENOTDIR:
      return QStringLiteral("la cartella non esiste.");
    default:
      return QStringLiteral("la scrittura non è riuscita.");
  }
}

// Every byte, however many calls the system takes for them; false with errno set on failure.
bool writeAll(int fd, QByteArrayView bytes) {
  qsizetype at = 0;
  while (at < bytes.size()) {
    const ssize_t done = ::write(fd, bytes.data() + at, std::size_t(bytes.size() - at));
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) return false;
    at += done;
  }
  return true;
}

// A new file of a name no other file has, beside `target`; -1 with errno set when none can be made.
int createBeside(const QByteArray& target, QByteArray& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Makes the rename itself last through a power cut; the file is already whole under its name either
// way, so a folder that cannot be synced does not undo the save.
void syncFolderOf(const QByteArray& target) {
  const int fd = ::open(QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath()).constData(),
                        O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

DurableWrite writeDurably(const QString& path, QByteArrayView bytes) {
  const QFileInfo info(path);
  const QString resolved = info.isSymLink() ? info.canonicalFilePath() : path;
  const QByteArray target = QFile::encodeName(resolved.isEmpty() ? info.symLinkTarget() : resolved);
  QByteArray temporary;
  const int fd = createBeside(target, temporary);
  if (fd < 0) return {false, reasonOf(errno)};
  struct stat old {};
  bool ok = (::stat(target.constData(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0) &&
            writeAll(fd, bytes) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(temporary.constData(), target.constData()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temporary.constData());
    return {false, reasonOf(error)};
  }
  syncFolderOf(target);
  return {true, {}};
}

}  // namespace tarsio
