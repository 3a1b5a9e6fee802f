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
  ImA(index).setBeneath(true);
  selection.remove(index);
  groups.takeOut(index);
  trays.take({index});
  trays.layOutChanged();
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
  if (game.PictureExtension != u"trs") return;
  // A saved game that has been played to the end is of no more use. It is moved out of sight as it is
  // (a link stays a link) in case the completion is taken back, and goes for good at the next cut or
  // at the end of the run. A file that cannot be moved (already gone, in a read-only folder) is left
  // where it is: the game is complete all the same, and what an earlier completion set aside stays so.
  const QString aside = setAside(game.PictureBaseName + QStringLiteral(".trs"));
  if (aside.isEmpty()) return;
  dropRemovedSavedGame();
  game.RemovedSavedGame = aside;
}

void Board::restoreRemovedSavedGame() {
  const QString aside = std::exchange(game.RemovedSavedGame, {});
  if (aside.isEmpty()) return;
  const QString fileName = game.PictureBaseName + QStringLiteral(".trs");
  if (const DurableWrite back = putBack(aside, fileName); !back.written)
    dialogs.MsgBox(QStringLiteral("Impossibile ripristinare il gioco salvato in %1: %2\nÈ rimasto in %3.")
                       .arg(fileName, back.reason, aside),
                   QStringLiteral("Salvataggio"), MessageIcon::Critical);
}

void Board::dropRemovedSavedGame() {
  if (!game.RemovedSavedGame.isEmpty()) QFile::remove(std::exchange(game.RemovedSavedGame, {}));
}

}  // namespace tarsio
