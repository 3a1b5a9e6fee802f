// Peak resident memory of a cut, read from /proc/self/status in a child run.
#include "Memory.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QWheelEvent>
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

int measureMemoryHere(const Inputs& in, int rows, int columns) {
  BenchBoard bench;
  QCoreApplication::processEvents();
  resetPeak();
  const qint64 before = statusBytes("VmRSS");
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  board.CmdRaccogli_Click();
  board.EnlargeGridArea();
  board.RestoreEqualAreas();
  bench.repaint();
  // Then the closest look at the middle of the grid, and a walk across it.
  double zoom = 0;
  while (board.canvas->view().zoom() != zoom) {
    zoom = board.canvas->view().zoom();
    board.canvas->zoomIn();
  }
  for (int step = 0; step < 8; ++step) {
    QWheelEvent wheel(QPointF(board.canvas->rect().center()), QPointF(), {}, {0, -120}, Qt::NoButton,
                      step % 2 ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(board.canvas, &wheel);
    bench.repaint();
    QCoreApplication::processEvents();
    bench.repaint();
  }
  bench.expectNoMessage();
  const qint64 peak = statusBytes("VmHWM");
  if (before < 0 || peak < 0) return 2;
  std::printf("%lld\n", peak - before);
  return 0;
}

Row peakMemory(const Inputs& in, int rows, int columns, double target) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(),
              {QString::fromLatin1(MemoryFlag), in.photo, QString::number(rows), QString::number(columns)});
  child.waitForFinished(-1);
  bool ok = false;
  const qint64 growth = child.readAllStandardOutput().trimmed().toLongLong(&ok);
  if (child.exitCode() != 0 || !ok) {
    std::fprintf(stderr, "the memory run failed: %s\n", child.readAllStandardError().constData());
    return {QStringLiteral("peak memory of the run that failed"), 0, 0, target, QStringLiteral("MB")};
  }
  const QSize size = QImageReader(in.photo).size();
  const double pictureBytes = 4.0 * size.width() * size.height();
  return {QStringLiteral("peak memory, %1-megapixel picture cut into %2 pieces, collected, resized, "
                         "seen at the closest zoom")
              .arg(qRound(size.width() * double(size.height()) / 1e6))
              .arg(rows * columns),
          growth / MiB, pictureBytes / MiB, target, QStringLiteral("MB")};
}

}  // namespace tarsio::bench
