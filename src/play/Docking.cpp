// Docking: the home cell of a piece, the snap test, and the board's docking and completion check.
#include "play/Docking.h"

#include <QFile>
#include <cmath>
#include <utility>

#include "board/Board.h"
#include "savegame/DurableFile.h"

namespace tarsio {

HomePosition homePosition(int piece, const GridPlace& grid) {
  return {grid.left + (piece % grid.columns) * grid.cellWidth,
          grid.top + (piece / grid.columns) * grid.cellHeight};
}

bool docks(const HomePosition& home, double left, double top, int orientation) {
  return std::abs(home.left - left) < DockingTolerance && orientation == 0 &&
         std::abs(home.top - top) < DockingTolerance;
}

namespace {

HomePosition homeOf(const GameState& game, int index) {
  return homePosition(index,
                      {game.GridLeft, game.GridTop, game.CellWidth, game.CellHeight, game.ColumnCount});
}

}  // namespace

// The drag goes on after a snap (the button is still down), but a docked piece ignores every further
// move, so it stays in its cell until the button is released.
void Board::DockingTest(int index) {
  if (docks(homeOf(game, index), game.DragLeft, game.DragTop, game.Orientation[index])) dockPiece(index);
}

void Board::dockPiece(int index) {
  const HomePosition home = homeOf(game, index);
  ImA(index).setLeft(home.left);
  ImA(index).setTop(home.top);
  setFrameVisible(false);
  game.Docked[index] = true;
  mSalva.setEnabled(true);
  CheckCompletion();
  pieceDocked(index);
}

void Board::CheckCompletion() {
  for (int i = 0; i < game.PieceCount; ++i)
    if (!game.Docked[i]) return;
  game.GamePhase = 4;
  ImaCompl.setVisible(true);
  CmdRaccogli.setEnabled(false);
  mRaccogli.setEnabled(false);
  mSalva.setEnabled(false);
  forgetKeptGame();
  recordCompletion();
  // A saved game that has been played to the end is of no more use; its bytes are kept in case the
  // completion is taken back. A file that cannot be removed (already gone, read-only, in use) is left
  // where it is: the game is complete all the same.
  game.RemovedSavedGame.clear();
  if (game.PictureExtension != u"trs") return;
  QFile saved(game.PictureBaseName + QStringLiteral(".trs"));
  const QByteArray bytes = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
  saved.close();
  if (saved.remove()) game.RemovedSavedGame = bytes;
}

void Board::restoreRemovedSavedGame() {
  const QByteArray bytes = std::exchange(game.RemovedSavedGame, {});
  if (bytes.isEmpty()) return;
  const QString fileName = game.PictureBaseName + QStringLiteral(".trs");
  if (const DurableWrite write = writeDurably(fileName, bytes); !write.written)
    dialogs.MsgBox(
        QStringLiteral("Impossibile ripristinare il gioco salvato in %1: %2").arg(fileName, write.reason),
        QStringLiteral("Salvataggio"), MessageIcon::Critical);
}

}  // namespace tarsio
