// Whole-file reads bounded by the file's size when it was opened.
#include "platform/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace tarsio {

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes) {
  // Opening does not wait for a writer when the name is a pipe; the kind is then read from what was
  // opened, so that the name cannot change between the check and the read.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat kind {};
  if (::fstat(fd, &kind) != 0 || !S_ISREG(kind.st_mode) || kind.st_size > maxBytes) {
    ::close(fd);
    return std::nullopt;
  }
  // No more than the size at opening is read: a file that grows meanwhile is taken as it was.
  QByteArray bytes(qsizetype(kind.st_size), Qt::Uninitialized);
  qsizetype at = 0;
  while (at < bytes.size()) {
    const ssize_t done = ::read(fd, bytes.data() + at, std::size_t(bytes.size() - at));
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (done == 0) break;
    at += done;
  }
  ::close(fd);
  bytes.truncate(at);
  return bytes;
}

}  // namespace tarsio
