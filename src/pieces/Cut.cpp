// The cut: the quarter-turned picture, one piece per cell, the deal.
#include "board/Board.h"
#include "pieces/Cells.h"
#include "pieces/Deal.h"
#include "pieces/Orientation.h"

namespace tarsio {

namespace {

// Gives PictureClip2 the picture turned a quarter turn clockwise, with ColumnCount rows of RowCount
// cells. The turned picture is a view of the upright one: no pixel is copied, each turned cell is turned
// as its piece is drawn, so the cut needs no memory of the picture's size.
void prepareTurnedPicture(Board& board) {
  board.PictureClip2.setPicture(board.ImaOrig.picture().turnedQuarter());
  board.PictureClip2.setGrid(board.game.ColumnCount, board.game.RowCount,
                             [](int k, int rows, int columns, QSize turnedSize) {
                               // The turned grid's rows are the upright columns, its columns the rows.
                               return turnedCellRect(k, columns, rows, turnedSize.transposed());
                             });
}

// Creates piece i (the template itself when i is 999), puts its top-left corner on the corner of
// `cell`, gives it orientation v and draws it. An odd value turns the template's upright box about the
// cell's centre. A docked piece lies beneath the loose ones.
void makePiece(Board& board, int i, int cell, int v, bool docked) {
  const GameState& game = board.game;
  ImageElement& piece = i == 999 ? board.ImA(i) : board.ImA.Load(i);
  piece.setBeneath(docked);
  piece.Move(cellColumn(cell, game.ColumnCount) * game.CellWidth + game.GridLeft,
             cellRow(cell, game.ColumnCount) * game.CellHeight + game.GridTop);
  board.drawInOrientation(i, v, v % 2 != 0 ? Board::PiecePlace::TurnBox : Board::PiecePlace::Stay);
}

// A fresh cut: every piece into a random free cell with a random orientation of the scramble option.
void dealFresh(Board& board, int pieces) {
  GameState& game = board.game;
  game.Orientation.assign(pieces + 1, 0);
  game.StartCell.assign(pieces + 1, 0);
  const std::vector<DealtPiece> dealt = dealPieces(pieces, game.ScrambleKinds, board.random);
  for (int i = 0; i < pieces; ++i) {
    game.StartCell[i] = dealt[i].cell;
    makePiece(board, i, dealt[i].cell, dealt[i].orientation, false);
  }
  game.Docked.assign(pieces + 1, false);
}

// A saved game: every piece at home with the orientation the loader stored; Orientation, StartCell and
// Docked keep what the loader put there, and no random number is drawn.
void rebuildSaved(Board& board, int pieces) {
  GameState& game = board.game;
  // Arrays shorter than the grid would be read past their end; lengthening keeps every stored value.
  for (auto* values : {&game.Orientation, &game.StartCell})
    if (static_cast<int>(values->size()) <= pieces) values->resize(pieces + 1, 0);
  if (static_cast<int>(game.Docked.size()) <= pieces) game.Docked.resize(pieces + 1, false);
  for (int i = 0; i < pieces; ++i) makePiece(board, i, i, game.Orientation[i], game.Docked[i]);
}

}  // namespace

void Board::CmdTarsio_Click() {
  // The pieces are cut from the full picture; a first sight that cannot have one is refused.
  if (!needFullPicture()) return;
  if (!game.LoadingSavedGame && offerSameKeptGame()) return;
  for (Control* control :
       std::initializer_list<Control*>{&CmdImma, &CmdGriglia, &CmdTarsio, &Righe, &Colonne, &Pezzi})
    control->setEnabled(false);
  for (MenuItem* item : {&mImma, &mGrig, &mTarsio}) item->setEnabled(false);
  prepareTurnedPicture(*this);
  endSelection();
  trays.clear();

  ImageElement& design = ImA(999);
  design.setStretch(true);
  design.setBox(design.Left(), design.Top(), game.CellWidth, game.CellHeight);
  // No option marked deals as "solo Spostare": every piece face up and upright.
  game.ScrambleKinds = scrambleKinds(markedScrambleCode());
  const int pieces = game.RowCount * game.ColumnCount;
  groups.reset(pieces);
  if (game.LoadingSavedGame)
    rebuildSaved(*this, pieces);
  else
    dealFresh(*this, pieces);
  game.PieceCount = pieces;
  colours.measure(PictureClip1.picture(), game.RowCount, game.ColumnCount);
  // Gestures on the pieces of an earlier cut mean nothing for these.
  undoHistory.clear();
  refreshGroupOutline();
  // A game a reset ended can no longer come back, nor can the saved game a completion set aside; the
  // new one is kept in its place.
  endedGame.reset();
  dropRemovedSavedGame();

  CmdRaccogli.setEnabled(true);
  mRaccogli.setEnabled(true);
  for (MenuItem* option : {&mSpos, &mRuot, &mRove, &mTrasp}) option->setEnabled(false);
  game.GamePhase = 3;
  startPlayAids();
  canvas->showWholeBoard();
}

}  // namespace tarsio
