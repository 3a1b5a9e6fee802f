// The figures of many pieces at once: a drag step of a selection or a group, a join, turning a
// selection, sorting by colour, laying out a tray, taking "&Disponi" back.
#include "GroupFigures.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>

#include "BenchBoard.h"
#include "PlayFigures.h"
#include "platform/Twips.h"

namespace tarsio::bench {

namespace {

void sendMouse(Board& board, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers mods = {}) {
  QMouseEvent event(type, at, board.canvas->mapToGlobal(at), button, held, mods);
  QApplication::sendEvent(board.canvas, &event);
}

// The first `count` loose pieces, spread out, each on top at its own centre, in the middle third of the
// screen's width, where a drag of a few pixels is never refused.
std::vector<int> spreadPieces(BenchBoard& bench, int count) {
  Board& board = bench.board();
  board.mDisponi_Click();
  bench.repaintChanged();
  std::vector<int> pieces;
  const double third = board.screen.width() / 3;
  for (int i = 0; i < board.game.PieceCount && static_cast<int>(pieces.size()) < count; ++i) {
    const QPointF centre = board.ImA(i).boxTwips().center();
    if (centre.x() > third && centre.x() < 2 * third && board.canvas->elementAt(centre) == &board.ImA(i))
      pieces.push_back(i);
  }
  if (static_cast<int>(pieces.size()) < count) stop(QStringLiteral("too few pieces apart"));
  return pieces;
}

QPoint pixelOf(const ImageElement& piece) {
  const QPointF centre = piece.boxTwips().center();
  return twipsToPixelPoint(centre.x(), centre.y());
}

// The median of 200 mouse moves of piece `held` and what it carries, handled and painted, back and forth
// along 20 pixels, one pixel a move, as a slow hand drags; `follower` is to move with it.
double dragSteps(BenchBoard& bench, int held, int follower) {
  Board& board = bench.board();
  const QPoint start = pixelOf(board.ImA(held));
  const double left = board.ImA(follower).Left();
  sendMouse(board, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  bench.repaintChanged();
  std::vector<double> times;
  for (int step = 0; step < 200; ++step) {
    const int along = step / 20 % 2 == 0 ? step % 20 : 20 - step % 20;
    times.push_back(millisecondsOf([&] {
      sendMouse(board, QEvent::MouseMove, start + QPoint(along + 1, 0), Qt::NoButton, Qt::LeftButton);
      bench.repaintChanged();
    }));
  }
  if (board.ImA(follower).Left() == left) stop(QStringLiteral("the carried pieces did not follow"));
  sendMouse(board, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
  return median(times);
}

// The pieces of the top left block of the picture, `blockRows` x `blockColumns`, face up and upright in
// their right places beside each other in the middle of the screen, joined into one group.
std::vector<int> joinedBlock(BenchBoard& bench, int blockRows, int blockColumns) {
  Board& board = bench.board();
  if (!board.mUniscono.Checked()) board.mUniscono_Click();
  const GameState& game = board.game;
  const QPointF corner(board.screen.width() / 3, board.screen.height() / 3);
  std::vector<int> block;
  for (int r = 0; r < blockRows; ++r)
    for (int c = 0; c < blockColumns; ++c) {
      const int i = r * game.ColumnCount + c;
      if (game.Orientation[i] != 0) board.drawInOrientation(i, 0, Board::PiecePlace::Stay);
      board.ImA(i).Move(corner.x() + c * game.CellWidth, corner.y() + r * game.CellHeight);
      if (!block.empty()) board.groups.join(block.front(), i);
      block.push_back(i);
    }
  board.refreshGroupOutline();
  bench.repaintChanged();
  return block;
}

}  // namespace

Row groupDragStep(const Inputs& in, int rows, int columns, int selected, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  const std::vector<int> pieces = spreadPieces(bench, selected);
  board.selection.add(pieces);
  bench.repaintChanged();
  return {QStringLiteral("one drag step of %1 selected pieces of %2").arg(selected).arg(rows * columns),
          dragSteps(bench, pieces.front(), pieces.back()), Frame, target, QStringLiteral("ms")};
}

Row joinedDragStep(const Inputs& in, int rows, int columns, int blockRows, int blockColumns, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  const std::vector<int> block = joinedBlock(bench, blockRows, blockColumns);
  // The press must find a piece of the group on top.
  const auto onTop = std::find_if(block.rbegin(), block.rend(), [&](int i) {
    return board.canvas->elementAt(board.ImA(i).boxTwips().center()) == &board.ImA(i);
  });
  if (onTop == block.rend()) stop(QStringLiteral("no piece of the group on top"));
  return {QStringLiteral("one drag step of a group of %1 joined pieces of %2").arg(block.size()).arg(rows * columns),
          dragSteps(bench, *onTop, block.front() == *onTop ? block.back() : block.front()), Frame, target,
          QStringLiteral("ms")};
}

// The piece right of the group's first row, put down near its right place: the put-down, the join test
// and the join, without painting.
Row joinAtDrop(const Inputs& in, int rows, int columns, int blockRows, int blockColumns, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  const std::vector<int> block = joinedBlock(bench, blockRows, blockColumns);
  const int piece = blockColumns, beside = blockColumns - 1;
  if (board.game.Orientation[piece] != 0) board.drawInOrientation(piece, 0, Board::PiecePlace::Stay);
  std::vector<double> times;
  for (int run = 0; run < 20; ++run) {
    const QPointF near = board.ImA(beside).boxTwips().topLeft() + QPointF(board.game.CellWidth + 40, 30);
    board.ImA(piece).Move(near.x(), near.y());
    bench.repaintChanged();
    const MouseArgs at{1, 0, 1, 1};
    board.ImA_MouseDown(piece, at);
    times.push_back(millisecondsOf([&] { board.ImA_MouseUp(piece, at); }));
    if (board.groups.groupOf(piece) == Groups::None || board.groups.groupOf(piece) != board.groups.groupOf(0))
      stop(QStringLiteral("the piece did not join the group"));
    board.undoGesture();
    bench.repaintChanged();
  }
  return {QStringLiteral("a piece put down that joins a group of %1, of %2").arg(block.size()).arg(rows * columns),
          median(times), Frame, target, QStringLiteral("ms")};
}

// Each run on a board of its own, as the trays of a sort taken back stay on the table.
Row colourSort(const Inputs& in, int rows, int columns, double target) {
  std::vector<double> times;
  for (int run = 0; run < 3; ++run) {
    BenchBoard bench;
    bench.cut(in.photo, rows, columns);
    Board& board = bench.board();
    times.push_back(millisecondsOf([&] {
      board.mSmista_Click();
      bench.repaintChanged();
    }));
    if (board.trays.numbers().size() < 2) stop(QStringLiteral("the pieces went into fewer than two trays"));
  }
  return {QStringLiteral("\"Smista per &colore\" of %1 loose pieces").arg(rows * columns), median(times), Frame,
          target, QStringLiteral("ms")};
}

Row selectionTurn(const Inputs& in, int rows, int columns, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  const int piece = spreadPieces(bench, 1).front();
  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    board.endSelection();
    bench.repaintChanged();
    const int before = board.game.Orientation[piece];
    times.push_back(millisecondsOf([&] {
      board.selectAll();
      const QPoint at = pixelOf(board.ImA(piece));
      sendMouse(board, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
      sendMouse(board, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
      bench.repaintChanged();
    }));
    if (board.game.Orientation[piece] == before) stop(QStringLiteral("the selection did not turn"));
  }
  return {QStringLiteral("Ctrl+A, then a quarter turn of the %1 selected pieces").arg(rows * columns),
          median(times), Frame, target, QStringLiteral("ms")};
}

// The tray closes the gap of its first piece taken out, and lays the piece out again at its end.
Row trayLayout(const Inputs& in, int rows, int columns, int count, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  std::vector<int> pieces;
  for (int i = 0; i < count; ++i) pieces.push_back(i);
  const int tray = board.trays.add(QStringLiteral("Vassoio"), {300, 300}, pieces);
  bench.repaintChanged();
  std::vector<double> times;
  for (int run = 0; run < 10; ++run) {
    const int first = board.trays.piecesOf(tray).front();
    const QPointF firstPlace = board.ImA(first).boxTwips().topLeft();
    times.push_back(millisecondsOf([&] {
      board.trays.take({first});
      board.trays.layOutChanged();
      bench.repaintChanged();
    }));
    if (board.ImA(board.trays.piecesOf(tray).front()).boxTwips().topLeft() != firstPlace)
      stop(QStringLiteral("the tray did not close its gap"));
    times.push_back(millisecondsOf([&] {
      board.trays.put(tray, {first});
      board.trays.layOutChanged();
      bench.repaintChanged();
    }));
  }
  return {QStringLiteral("a tray of %1 pieces laid out again, of %2").arg(count).arg(rows * columns), median(times),
          Frame, target, QStringLiteral("ms")};
}

Row spreadTakenBack(const Inputs& in, int rows, int columns, double target) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  std::vector<double> spread, back;
  for (int run = 0; run < 3; ++run) {
    const QPointF before = board.ImA(0).boxTwips().topLeft();
    spread.push_back(millisecondsOf([&] {
      board.mDisponi_Click();
      bench.repaintChanged();
    }));
    back.push_back(millisecondsOf([&] {
      board.undoGesture();
      bench.repaintChanged();
    }));
    if (board.ImA(0).boxTwips().topLeft() != before) stop(QStringLiteral("Ctrl+Z did not take it back"));
  }
  return {QStringLiteral("Ctrl+Z after \"&Disponi\" of %1 pieces, against \"&Disponi\"").arg(rows * columns),
          median(back), median(spread), target, QStringLiteral("ms")};
}

}  // namespace tarsio::bench
