// Drawing a piece in its orientation: cell picture, box, place, mirrors and back image.
#include "board/Board.h"
#include "pieces/Cells.h"
#include "pieces/Orientation.h"

namespace tarsio {

namespace {

// Paints the present picture of the current piece into the work box with signed extents (twips): a
// negative extent mirrors along that axis. The piece then carries what the box shows.
void paintMirrored(Board& board, double width, double height) {
  ImageElement& piece = board.ImA(board.game.CurrentPiece);
  board.pBox.Cls();
  board.pBox.PaintPicture(piece.picture(), width, height);
  piece.setPicture(board.pBox.Image());
}

}  // namespace

void Board::ShowPiece(PiecePlace place) {
  const int i = game.CurrentPiece;
  const int v = game.Orientation[i];
  const OrientationLook look = orientationLook(v);
  ImageElement& piece = ImA(i);

  const QSizeF box = boxOf(v, game.CellWidth, game.CellHeight);
  QPointF topLeft(piece.Left(), piece.Top());
  // A piece turned about its centre near an edge of the board is pushed back onto it.
  if (place == PiecePlace::TurnBox)
    topLeft = keptOnBoard(QRectF(moveForBox(v, topLeft, game.CellWidth, game.CellHeight), box), screen);
  piece.setStretch(true);
  piece.setPicture(look.fromTurnedPicture ? PictureClip2.GraphicCell(game.RotatedIndex)
                                          : PictureClip1.GraphicCell(i));
  piece.setBox(topLeft.x(), topLeft.y(), box.width(), box.height());

  if (look.mirrorLeftRight) look.turnedBox ? MirrorLeftRightTurned() : MirrorLeftRightUpright();
  if (look.mirrorTopBottom) look.turnedBox ? MirrorTopBottomTurned() : MirrorTopBottomUpright();
  // An opaque back shows the back image of the value instead, stretched to the same box.
  if (look.faceDown && game.NewOrientation > 3 && !mTrasp.Checked()) piece.setPicture(Retro(v).picture());

  piece.setVisible(pieceShown(i));
  piece.setEnabled(true);
  piece.setBorderStyle(0);
  if (game.Orientation[i] == 0 && game.GamePhase == 3) CheckCompletion();
}

void Board::drawInOrientation(int index, int v, PiecePlace place) {
  game.Orientation[index] = v;
  game.NewOrientation = v;
  game.CurrentPiece = index;
  game.RotatedIndex = RotatedIndex(index, game.RowCount, game.ColumnCount);
  ShowPiece(place);
}

void Board::MirrorLeftRightUpright() { paintMirrored(*this, -game.CellWidth, game.CellHeight); }
void Board::MirrorLeftRightTurned() { paintMirrored(*this, -game.CellHeight, game.CellWidth); }
void Board::MirrorTopBottomUpright() { paintMirrored(*this, game.CellWidth, -game.CellHeight); }
void Board::MirrorTopBottomTurned() { paintMirrored(*this, game.CellHeight, -game.CellWidth); }

}  // namespace tarsio
