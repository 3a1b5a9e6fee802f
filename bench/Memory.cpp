// Peak resident memory of a game at zoom 1 and at the closest zoom, read from /proc/self/status in a
// child run.
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

// Starts the peak anew from the present resident size; false where the kernel does not allow it.
bool resetPeak() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1 && clear.flush();
}

constexpr double MiB = 1024.0 * 1024.0;

// The canvas painted as the event loop paints it after a change of the view: at once, then sharp.
void paintSharp(BenchBoard& bench) {
  bench.repaint();
  QCoreApplication::processEvents();
  bench.repaint();
}

// A wheel event at the canvas point `at`: `notches` of the wheel, or `pixels` of a touchpad.
void wheel(BenchBoard& bench, QPointF at, int notches, QPointF pixels, Qt::KeyboardModifiers modifiers) {
  BoardCanvas* canvas = bench.board().canvas;
  QWheelEvent event(at, canvas->mapToGlobal(at), pixels.toPoint(), {0, 120 * notches}, Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(canvas, &event);
  paintSharp(bench);
}

// Ctrl + wheel over the board point `twips`, one notch at a time, each painted, until the view zooms no
// closer.
void zoomInOver(BenchBoard& bench, QPointF twips) {
  const View& view = bench.board().canvas->view();
  for (double zoom = 0; view.zoom() != zoom;) {
    zoom = view.zoom();
    wheel(bench, view.toCanvas(twips), 1, {}, Qt::ControlModifier);
  }
}

// Scrolls the board point `twips` to the middle of the canvas's height and the view to the board's left
// edge, then across the board to its right edge, a canvas width a step, each step painted.
void walkAcross(BenchBoard& bench, QPointF twips) {
  BoardCanvas* canvas = bench.board().canvas;
  const QPointF middle(canvas->rect().center());
  wheel(bench, middle, 0, middle - canvas->view().toCanvas(twips) + QPointF(1e7, 0), Qt::NoModifier);
  for (QPointF origin; canvas->view().origin() != origin;) {
    origin = canvas->view().origin();
    wheel(bench, middle, 0, {-double(canvas->width()), 0}, Qt::NoModifier);
  }
}

}  // namespace

int measureMemoryHere(const Inputs& in, int rows, int columns) {
  BenchBoard bench;
  QCoreApplication::processEvents();
  if (!resetPeak()) return 2;
  const qint64 before = statusBytes("VmRSS");
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  board.CmdRaccogli_Click();
  board.EnlargeGridArea();
  board.RestoreEqualAreas();
  bench.repaint();
  const qint64 wholeBoard = statusBytes("VmHWM");
  if (!resetPeak()) return 2;
  QRectF pieces;
  for (int i = 0; i < board.game.PieceCount; ++i) pieces |= board.ImA(i).boxTwips();
  const QPointF picture = board.ImaOrig.boxTwips().center();
  zoomInOver(bench, picture);
  walkAcross(bench, picture);
  walkAcross(bench, pieces.center());
  bench.expectNoMessage();
  const qint64 closestZoom = statusBytes("VmHWM");
  if (before < 0 || wholeBoard < 0 || closestZoom < 0) return 2;
  std::printf("%lld %lld\n", wholeBoard - before, closestZoom - before);
  return 0;
}

const PeakMemory::Peaks& PeakMemory::peaks() {
  if (peaks_) return *peaks_;
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(MemoryFlag), in_.photo,
                                                        QString::number(rows_), QString::number(columns_)});
  child.waitForFinished(-1);
  const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
  bool wholeOk = false, closestOk = false;
  peaks_ = Peaks{figures.value(0).toLongLong(&wholeOk) / MiB, figures.value(1).toLongLong(&closestOk) / MiB};
  if (child.exitCode() != 0 || !wholeOk || !closestOk) {
    std::fprintf(stderr, "the memory run failed: %s\n", child.readAllStandardError().constData());
    peaks_ = Peaks{};
  }
  return *peaks_;
}

QString PeakMemory::game() const {
  const QSize size = QImageReader(in_.photo).size();
  return QStringLiteral("%1-megapixel picture cut into %2 pieces")
      .arg(qRound(size.width() * double(size.height()) / 1e6))
      .arg(rows_ * columns_);
}

Row PeakMemory::wholeBoard(double target) {
  const QSize size = QImageReader(in_.photo).size();
  return {QStringLiteral("peak memory, %1, collected, resized, at zoom 1").arg(game()), peaks().wholeBoard,
          4.0 * size.width() * size.height() / MiB, target, QStringLiteral("MB")};
}

Row PeakMemory::closestZoom(double target) {
  return {QStringLiteral("peak memory, %1, zoomed in notch by notch and walked across, against zoom 1")
              .arg(game()),
          peaks().closestZoom, peaks().wholeBoard, target, QStringLiteral("MB")};
}

}  // namespace tarsio::bench
