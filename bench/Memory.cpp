// Peak resident memory of a cut, read from /proc/self/status in a child run.
#include "Memory.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <cstdio>

#include "BenchBoard.h"

namespace tarsio::bench {

namespace {

// A "VmRSS:"-style line of /proc/self/status, in bytes; -1 when missing.
qint64 statusBytes(const QByteArray& key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key + ':'))
      return line.mid(key.size() + 1).trimmed().split(' ').front().toLongLong() * 1024;
  return -1;
}

// Starts the peak anew from the present resident size, where the kernel allows it.
void resetPeak() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

constexpr double MiB = 1024.0 * 1024.0;

}  // namespace

int measureMemoryHere(const Inputs& in) {
  BenchBoard bench(in.workFolder);
  QCoreApplication::processEvents();
  resetPeak();
  const qint64 before = statusBytes("VmRSS");
  bench.cut(in.photo, 80, 125);
  const qint64 peak = statusBytes("VmHWM");
  if (before < 0 || peak < 0) return 2;
  std::printf("%lld\n", peak - before);
  return 0;
}

Row peakMemory(const Inputs& in) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(),
              {QString::fromLatin1(MemoryFlag), in.photo, in.workFolder});
  child.waitForFinished(-1);
  bool ok = false;
  const qint64 growth = child.readAllStandardOutput().trimmed().toLongLong(&ok);
  if (child.exitCode() != 0 || !ok) {
    std::fprintf(stderr, "the memory run failed: %s\n", child.readAllStandardError().constData());
    return {QStringLiteral("peak memory of the run that failed"), 0, 0, 3, QStringLiteral("MB")};
  }
  const QSize size = QImageReader(in.photo).size();
  const double pictureBytes = 4.0 * size.width() * size.height();
  return {QStringLiteral("peak memory, 24-megapixel picture cut into 10000 pieces"), growth / MiB,
          pictureBytes / MiB, 3, QStringLiteral("MB")};
}

}  // namespace tarsio::bench
