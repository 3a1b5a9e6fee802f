// The figures of the shelf: opening it with many kept games, and the small picture of a large board.
#include "ShelfFigures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>

#include "BenchBoard.h"
#include "savegame/Shelf.h"
#include "windows/ShelfWindow.h"

namespace tarsio::bench {

Row openShelf(const Inputs& in, int games, int runs) {
  BenchBoard bench;
  Board& board = bench.board();
  bench.cut(in.photo, 10, 10);
  board.sketchNow();
  board.keeper.flush();
  board.sketches.wait();
  // The games of earlier runs, each in its own file beside this copy's.
  const QString kept = board.keeper.file();
  const QDir folder(board.keeper.folder());
  for (int g = 0; g < games; ++g) {
    const QString file = folder.filePath(QStringLiteral("partita-%1.tarsio").arg(100 + g));
    if (!QFile::copy(kept, file) || !QFile::copy(sketchFileOf(kept), sketchFileOf(file)))
      stop(QStringLiteral("the kept games could not be written"));
  }
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    int listed = 0;
    times.push_back(millisecondsOf([&] {
      ShelfWindow window(&board, bench.dialogs(), board.shelfGames());
      window.show();
      window.repaint();
      listed = window.list->count();
    }));
    // The game on the board is listed first.
    if (listed != games + 1) stop(QStringLiteral("%1 games listed, not %2").arg(listed).arg(games + 1));
  }
  return {QStringLiteral("\"Partite in &corso\" with %1 kept games, painted").arg(games), median(times), 100, 1,
          QStringLiteral("ms")};
}

Row sketchCost(const Inputs& in, int rows, int columns, int runs) {
  BenchBoard bench;
  bench.cut(in.photo, rows, columns);
  Board& board = bench.board();
  board.keeper.flush();
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    times.push_back(millisecondsOf([&] { board.sketchNow(); }));
    board.sketches.wait();
  }
  if (!QFile::exists(sketchFileOf(board.keeper.file()))) stop(QStringLiteral("no small picture was written"));
  return {QStringLiteral("the small picture of %1 pieces handed to its thread").arg(rows * columns),
          median(times), 2, 1, QStringLiteral("ms")};
}

}  // namespace tarsio::bench
