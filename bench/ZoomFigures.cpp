// The figures of the view: a zoom step, a pan step and a drag step seen four times closer.
#include "ZoomFigures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "BenchBoard.h"

namespace tarsio::bench {

namespace {

// Eighths of a degree of the wheel that zoom from 1 to 4 in one turn (1.25 a notch of 120).
constexpr int ToZoomFour = 746;

void sendWheel(Board& board, QPointF at, int angle, Qt::KeyboardModifiers mods) {
  QWheelEvent wheel(at, board.canvas->mapToGlobal(at), {}, {0, angle}, Qt::NoButton, mods, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(board.canvas, &wheel);
}

void sendMouse(Board& board, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, at, board.canvas->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(board.canvas, &event);
}

// Everything the event loop does after a step: the paint, then the paint with sharp pictures that a
// change of the view asks for.
void paintAll(BenchBoard& bench) {
  bench.repaintChanged();
  QCoreApplication::processEvents();
  bench.repaintChanged();
}

// A loose piece that never docks, lies on top at its own centre, and stays clear of the canvas's edges
// when zoomed in around it (a piece carried near an edge scrolls the view).
int pieceToHold(Board& board) {
  const QRectF inner = QRectF(board.canvas->rect()).adjusted(150, 150, -150, -150);
  for (int i = 0; i < board.game.PieceCount; ++i) {
    const QPointF centre = board.ImA(i).boxTwips().center();
    if (board.game.Orientation[i] != 0 && inner.contains(board.canvas->view().toCanvas(centre)) &&
        board.canvas->elementAt(centre) == &board.ImA(i))
      return i;
  }
  stop(QStringLiteral("no piece to hold"));
}

// The board cut and seen four times closer around a piece to hold; the piece's place on the canvas.
QPointF closeUp(BenchBoard& bench, const Inputs& in, int rows, int columns, int& piece) {
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  piece = pieceToHold(board);
  const QPointF centre = board.ImA(piece).boxTwips().center();
  sendWheel(board, board.canvas->view().toCanvas(centre), ToZoomFour, Qt::ControlModifier);
  paintAll(bench);
  if (board.canvas->view().zoom() < 3.99) stop(QStringLiteral("the view did not zoom"));
  return board.canvas->view().toCanvas(centre);
}

double medianOfSteps(int runs, BenchBoard& bench, const std::function<void(Board&, int)>& step) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run)
    times.push_back(millisecondsOf([&] {
      step(bench.board(), run);
      paintAll(bench);
    }));
  bench.expectNoMessage();
  return median(times);
}

}  // namespace

Row zoomStep(const Inputs& in, int rows, int columns, double target, bool sharp, bool fresh) {
  BenchBoard bench;
  int piece = 0;
  const QPointF at = closeUp(bench, in, rows, columns, piece);
  std::vector<double> first, then;
  for (int run = 0; run < 41; ++run) {
    if (fresh) {
      // A scroll down and back up lets go of the pictures a step back would show again.
      for (int notch : {-120, 120}) sendWheel(bench.board(), at, notch, Qt::NoModifier);
      paintAll(bench);
    }
    first.push_back(millisecondsOf([&] {
      sendWheel(bench.board(), at, run % 2 ? -120 : 120, Qt::ControlModifier);
      bench.repaintChanged();
    }));
    then.push_back(millisecondsOf([&] {
      QCoreApplication::processEvents();
      bench.repaintChanged();
    }));
  }
  bench.expectNoMessage();
  const QString way = fresh ? QStringLiteral(", nothing kept from the step before") : QString();
  if (sharp)
    return {QStringLiteral("the frame after a zoom step, %1 pieces%2 (visible pieces' missing sharp pictures made)")
                .arg(rows * columns)
                .arg(way),
            median(then), Frame, target, QStringLiteral("ms")};
  return {QStringLiteral("one zoom step at zoom 4, %1 pieces (painted, kept pictures or the old size stretched)")
              .arg(rows * columns),
          median(first), Frame, target, QStringLiteral("ms")};
}

Row panStep(const Inputs& in, int rows, int columns, double target) {
  BenchBoard bench;
  int piece = 0;
  const QPointF at = closeUp(bench, in, rows, columns, piece);
  const QPointF before = bench.board().canvas->view().origin();
  const double ms = medianOfSteps(41, bench, [&](Board& board, int run) {
    sendWheel(board, at, run % 4 < 2 ? -120 : 120, run % 8 < 4 ? Qt::NoModifier : Qt::ShiftModifier);
  });
  if (bench.board().canvas->view().origin() == before && bench.board().canvas->view().zoom() < 3.99)
    stop(QStringLiteral("the view did not move"));
  return {QStringLiteral("one pan step at zoom 4, %1 pieces (painted)").arg(rows * columns), ms, Frame,
          target, QStringLiteral("ms")};
}

Row closeDragStep(const Inputs& in, int rows, int columns, double target) {
  BenchBoard bench;
  int piece = 0;
  const QPointF start = closeUp(bench, in, rows, columns, piece);
  Board& board = bench.board();
  const double left = board.ImA(piece).Left();
  sendMouse(board, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  bench.repaintChanged();
  // Back and forth along a slant of 40 pixels, one pixel a move, as a slow hand drags.
  const double ms = medianOfSteps(600, bench, [&](Board& b, int step) {
    const int along = step / 40 % 2 == 0 ? step % 40 : 40 - step % 40;
    sendMouse(b, QEvent::MouseMove, start + QPointF(along + 1, (along + 1) / 2), Qt::NoButton,
              Qt::LeftButton);
  });
  if (board.ImA(piece).Left() == left || board.game.SelectedPiece != piece)
    stop(QStringLiteral("the piece did not follow"));
  sendMouse(board, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
  return {QStringLiteral("one drag step at zoom 4, %1 pieces (move handled, painted)").arg(rows * columns),
          ms, Frame, target, QStringLiteral("ms")};
}

}  // namespace tarsio::bench
