// Moving size between the picture area and the grid area in steps of a tenth, and back to equal areas.
#include "areas/AreaSteps.h"
#include "board/Board.h"
#include "pieces/Cells.h"
#include "pieces/Orientation.h"

namespace tarsio {

namespace {

AreaStepSizes stepSizes(const Board& board) {
  return {board.ImaOrig.Width(), board.ImaOrig.Height(), board.game.AreaStepWidth, board.game.AreaStepHeight};
}

// The picture element holds its size as single-precision twips, as when the picture was fitted.
void setPictureSize(Board& board, double width, double height) {
  ImageElement& picture = board.ImaOrig;
  picture.setBox(picture.Left(), picture.Top(), static_cast<float>(width), static_cast<float>(height));
}

// Moves a drawn grid after the picture element, with its new cell size. Before a grid is chosen no
// line moves; a grid taken away by a click into a box (its lines hidden) stays away, and the grid
// command that the click offered stays enabled.
void moveGrid(Board& board) {
  if (board.game.GamePhase >= 2 && board.liO(0).Visible()) board.DrawGrid();
}

// The pieces of each group keep their places beside one another at their new sizes: each lies as many
// of its new boxes off its group's first piece as it lay of its old boxes, `before`.
void keepGroupsJoined(Board& board, const std::vector<QRectF>& before) {
  for (const std::vector<int>& group : board.groups.all()) {
    const QRectF first = before[group.front()];
    const QRectF now = board.ImA(group.front()).boxTwips();
    for (int i : group) {
      const QPointF off = before[i].center() - first.center();
      const QPointF centre = now.center() + QPointF(off.x() * now.width() / first.width(),
                                                    off.y() * now.height() / first.height());
      ImageElement& piece = board.ImA(i);
      piece.Move(centre.x() - piece.Width() / 2, centre.y() - piece.Height() / 2);
    }
  }
}

// Once the pieces exist, gives every piece the box of its orientation in the current cells, puts
// each docked piece into its cell and shows it; loose pieces stay where they are until collected (a
// group keeping its shape), and out of sight when "Solo i &bordi" keeps them so.
void fitPiecesToCells(Board& board) {
  GameState& game = board.game;
  if (game.GamePhase < 3) return;
  std::vector<QRectF> before;
  for (int i = 0; i < game.PieceCount; ++i) before.push_back(board.ImA(i).boxTwips());
  for (int i = 0; i < game.RowCount * game.ColumnCount; ++i) {
    ImageElement& piece = board.ImA(i);
    const QSizeF box = boxOf(game.Orientation[i], game.CellWidth, game.CellHeight);
    double left = piece.Left(), top = piece.Top();
    if (game.Docked[i]) {
      left = game.GridLeft + cellColumn(i, game.ColumnCount) * game.CellWidth;
      top = game.GridTop + cellRow(i, game.ColumnCount) * game.CellHeight;
    }
    piece.setBox(left, top, box.width(), box.height());
    piece.setVisible(board.pieceShown(i));
  }
  if (!before.empty()) keepGroupsJoined(board, before);
}

// The border moves as one step of the history: the pieces follow their cells and the loose ones are
// gathered at their new sizes; taking it back puts the border, and every piece, where they were.
void stepAreas(Board& board, int level) {
  GameState& game = board.game;
  if (game.GamePhase < 3) return board.setAreas(level);
  std::vector<int> every(game.PieceCount);
  for (int i = 0; i < game.PieceCount; ++i) every[i] = i;
  const int before = game.AreaLevel;
  board.beginMovingLoosePieces(every);
  board.setAreas(level);
  board.CmdRaccogli_Click(false);
  board.undoHistory.areasMoved(before, level);
  board.undoHistory.finish(UndoHistory::Command);
}

}  // namespace

// Equal areas take their exact sizes, not the sum of the steps; every other level is reached a step
// at a time from the side of equal areas it lies on.
void Board::setAreas(int level) {
  if (level == 0 || game.AreaLevel * level < 0) {
    setPictureSize(*this, game.PictureBaseWidth, game.PictureBaseHeight);
    game.AreaLevel = 0;
    moveGrid(*this);
    ShowCommandBar();
    if (game.GamePhase >= 3) {
      game.CellWidth = game.PictureBaseWidth / game.ColumnCount;
      game.CellHeight = game.PictureBaseHeight / game.RowCount;
    }
  }
  while (game.AreaLevel != level) {
    const int sign = level > game.AreaLevel ? 1 : -1;
    game.AreaLevel += sign;
    setPictureSize(*this, ImaOrig.Width() + sign * game.AreaStepWidth,
                   ImaOrig.Height() + sign * game.AreaStepHeight);
    moveGrid(*this);
    HideCommandBar();
  }
  fitPiecesToCells(*this);
}

void Board::EnlargeGridArea() {
  if (!canEnlargeGridArea(stepSizes(*this), game.CellHeight)) {
    dialogs.Beep();
    return;
  }
  stepAreas(*this, game.AreaLevel - 1);
}

void Board::ReduceGridArea() {
  std::optional<FirstPieceSize> firstPiece;
  if (game.GamePhase >= 3)
    firstPiece = FirstPieceSize{ImA(0).Width(), ImA(0).Height(), game.RowCount, game.ColumnCount};
  if (!canReduceGridArea(stepSizes(*this), screen.width(), screen.height(), firstPiece)) {
    dialogs.Beep();
    return;
  }
  stepAreas(*this, game.AreaLevel + 1);
}

// At equal areas already, their sizes are taken again and the loose pieces gathered.
void Board::RestoreEqualAreas() { stepAreas(*this, 0); }

}  // namespace tarsio
