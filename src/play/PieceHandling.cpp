// The player's hand on the pieces: pick up, drag, quarter turn, front/back turn, release of a docked piece.
#include "board/Board.h"
#include "pieces/Orientation.h"
#include "play/DragLimits.h"

#include <utility>

namespace tarsio {

namespace {

constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int ShiftKey = 1;
constexpr int CtrlKey = 2;

// The frame follows the piece's box: top, right, bottom and left side.
void placeFrame(Board& board, const ImageElement& piece) {
  GameState& game = board.game;
  game.Corner1X = piece.Left();
  game.Corner1Y = piece.Top();
  game.Corner2X = piece.Left() + piece.Width();
  game.Corner2Y = piece.Top();
  game.Corner3X = piece.Left() + piece.Width();
  game.Corner3Y = piece.Top() + piece.Height();
  game.Corner4X = piece.Left();
  game.Corner4Y = piece.Top() + piece.Height();
  board.liN.setLine(game.Corner1X, game.Corner1Y, game.Corner2X, game.Corner2Y);
  board.liE.setLine(game.Corner2X, game.Corner2Y, game.Corner3X, game.Corner3Y);
  board.liS.setLine(game.Corner4X, game.Corner4Y, game.Corner3X, game.Corner3Y);
  board.liOv.setLine(game.Corner1X, game.Corner1Y, game.Corner4X, game.Corner4Y);
  board.setFrameVisible(true);
}

// The press turns the hand and then drags nothing.
void turnPressed(Board& board, int index, int (*turn)(int)) {
  board.game.SelectedPiece = NoPiece;
  board.ImA(index).setMousePointer(PointerDefault);
  board.setFrameVisible(false);
  board.turnHand(board.handOf(index), index, turn);
}

}  // namespace

// A right press frees a docked piece where it lies; the picture is no longer complete.
void Board::releaseDocked(int index) {
  game.Docked[index] = false;
  ImA(index).setBeneath(false);
  ImA(index).setBorderStyle(0);
  game.GamePhase = 3;
  ImaCompl.setVisible(false);
  RecordText.setVisible(false);
  mSalva.setEnabled(true);
  CmdRaccogli.setEnabled(true);
  mRaccogli.setEnabled(true);
  pieceFreed(index);
}

// Each press on a piece opens a gesture, which its release closes (see play/Undo.cpp). A right press
// on the piece in the hand turns it front to back; Ctrl + Shift + click selects a piece or lets it go.
void Board::ImA_MouseDown(int index, const MouseArgs& args) {
  if (game.SelectedPiece == index && args.button == RightButton) {
    flipInHand();
    game.TurnedInHand = true;
    return;
  }
  Carried = handOf(index);
  undoHistory.begin(index, Carried);
  game.GrabX = args.x;
  game.GrabY = args.y;
  if (game.Docked[index]) {
    if (args.button == RightButton) releaseDocked(index);
    return;
  }
  if (args.button == RightButton && groups.groupOf(index) != Groups::None) return takeOutOfGroup(index);
  if (args.button == LeftButton && args.shift == (CtrlKey | ShiftKey)) {
    selection.toggle(index);
    return;
  }
  ImageElement& piece = ImA(index);
  game.SelectedPiece = index;
  // The drag starts from where the piece lies, so the piece keeps its offset to the pointer.
  game.DragLeft = piece.Left();
  game.DragTop = piece.Top();
  placeFrame(*this, piece);
  // A turn of a selected piece turns every selected piece about its own centre, a group as one block.
  if (args.button == LeftButton && args.shift == CtrlKey && !mSpos.Checked())
    return turnPressed(*this, index, quarterTurn);
  if (args.button == LeftButton && args.shift == ShiftKey && (mRove.Checked() || mTrasp.Checked()))
    turnPressed(*this, index, frontBack);
  piece.setMousePointer(PointerSizeAll);
}

// A selected piece carries the selection with it, which docks only where it is put down.
void Board::ImA_MouseMove(int index, const MouseArgs& args) {
  PointerPiece = index;
  if (game.SelectedPiece != index || game.Docked[index]) return;
  if (Carried.size() > 1 || selection.contains(index)) return moveGroup(index, args);
  ImageElement& piece = ImA(index);
  game.PrevDragLeft = game.DragLeft;
  game.PrevDragTop = game.DragTop;
  game.DragLeft += args.x - game.GrabX;
  game.DragTop += args.y - game.GrabY;
  if (placeRefused(QRectF(game.DragLeft, game.DragTop, piece.Width(), piece.Height()), dragSurroundings())) {
    piece.setMousePointer(PointerNoDrop);
    game.DragLeft = game.PrevDragLeft;
    game.DragTop = game.PrevDragTop;
    return;
  }
  piece.setMousePointer(PointerSizeAll);
  piece.setLeft(game.DragLeft);
  piece.setTop(game.DragTop);
  placeFrame(*this, piece);
  DockingTest(index);
}

DragSurroundings Board::dragSurroundings() const {
  DragSurroundings around{screen, ImaOrig.boxTwips(), std::nullopt};
  if (RC1.Visible()) around.sizeLabel = QRectF(RC1.Left(), RC1.Top(), RC1.Width(), RC1.Height());
  return around;
}

void Board::setFrameVisible(bool visible) {
  for (LineElement* line : {&liN, &liE, &liS, &liOv}) line->setVisible(visible);
}

void Board::ImA_MouseUp(int index, const MouseArgs& args) {
  if (std::exchange(game.TurnedInHand, false) && args.button == RightButton) return;
  const bool carried = game.SelectedPiece == index;
  game.SelectedPiece = NoPiece;
  ImA(index).setMousePointer(PointerDefault);
  setFrameVisible(false);
  if (carried && (Carried.size() > 1 || selection.contains(index))) putGroupDown(Carried);
  if (carried) joinAfterDrop(Carried);
  // A piece put down goes into the tray under the pointer, or out of its tray; a tray lays out again
  // a piece turned in it.
  if (carried) dropPieces(Carried, {ImA(index).Left() + args.x, ImA(index).Top() + args.y});
  trays.layOutChanged(true);
  undoHistory.finish(index);
}

}  // namespace tarsio
