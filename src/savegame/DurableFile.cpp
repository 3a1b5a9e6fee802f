// Whole-file writes that never leave a file half written: a new file beside, synced, then renamed.
#include "savegame/DurableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <cstdio>

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
    case EEXIST:
      return QStringLiteral("un altro file ha preso il suo nome.");
    default:
      return QStringLiteral("la scrittura non è riuscita.");
  }
}

DurableWrite failure(int error) { return {false, reasonOf(error), error}; }

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

// A hidden name in the folder of `file`, of the same short length whatever the file's name, so that a
// file whose name is as long as the folder allows has room beside it as well.
QByteArray hiddenNameBeside(const QByteArray& file, const char* suffix) {
  const quint64 draw = QRandomGenerator::global()->generate64() % 2'821'109'907'456ULL;  // 36^8
  return file.left(file.lastIndexOf('/') + 1) + ".tarsio-" +
         QByteArray::number(draw, 36).rightJustified(8, '0') + suffix;
}

// A new file of a name no other file has, beside `target`; -1 with errno set when none can be made.
int createBeside(const QByteArray& target, unsigned mode, QByteArray& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = hiddenNameBeside(target, ".tmp");
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Renames `from` to `to` unless `to` exists; -1 with errno set (EEXIST when it does).
int renameWithoutReplacing(const QByteArray& from, const QByteArray& to) {
  if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL) return -1;
  // A file system that cannot rename without replacing: the name is checked just before.
  struct stat taken {};
  if (::lstat(to.constData(), &taken) == 0) {
    errno = EEXIST;
    return -1;
  }
  return ::rename(from.constData(), to.constData());
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

// The file that `path` names, through any symbolic links, even when a link leads to no file yet.
QByteArray resolvedTarget(const QString& path) {
  const QFileInfo info(path);
  const QString resolved = info.isSymLink() ? info.canonicalFilePath() : path;
  return QFile::encodeName(resolved.isEmpty() ? info.symLinkTarget() : resolved);
}

}  // namespace

DurableWrite writeDurably(const QString& path, QByteArrayView bytes, std::optional<unsigned> mode) {
  const QByteArray target = resolvedTarget(path);
  QByteArray temporary;
  const int fd = createBeside(target, mode.value_or(0666), temporary);
  if (fd < 0) return failure(errno);
  struct stat old {};
  const bool replacing = ::stat(target.constData(), &old) == 0;
  if (replacing && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
    const int error = errno;
    ::close(fd);
    ::unlink(temporary.constData());
    if (error != EACCES) return failure(error);
    return {false, QStringLiteral("il file è di sola lettura."), error};
  }
  if (replacing && !mode) mode = old.st_mode & 07777;
  bool ok = (!mode || ::fchmod(fd, *mode) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
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
    return failure(error);
  }
  syncFolderOf(target);
  return {true, {}, 0};
}

void letOversizedWritesFail() { std::signal(SIGXFSZ, SIG_IGN); }

QString setAside(const QString& path, const QString& marker) {
  const QByteArray from = QFile::encodeName(path);
  struct stat kind {};
  if (::lstat(from.constData(), &kind) != 0 || !(S_ISREG(kind.st_mode) || S_ISLNK(kind.st_mode))) return {};
  const QString dated = path + u'.' + marker + u'-' +
                        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
  for (int attempt = 0; attempt < 100; ++attempt) {
    // A second damaged file within the same second takes a number after the date.
    const QByteArray to = marker.isEmpty() ? hiddenNameBeside(from, ".trs")
                          : attempt == 0   ? QFile::encodeName(dated)
                                           : QFile::encodeName(dated + u'-' + QString::number(attempt));
    if (renameWithoutReplacing(from, to) == 0) return QFile::decodeName(to);
    if (errno != EEXIST) return {};
  }
  return {};
}

DurableWrite putBack(const QString& aside, const QString& path) {
  if (renameWithoutReplacing(QFile::encodeName(aside), QFile::encodeName(path)) != 0) return failure(errno);
  return {true, {}, 0};
}

}  // namespace tarsio
