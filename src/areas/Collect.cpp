// Collecting: the loose pieces gathered into a staircase below the grid (or below the picture).
#include <vector>

#include "areas/Blocks.h"
#include "areas/Staircase.h"
#include "board/Board.h"
#include "platform/Events.h"
#include "platform/Twips.h"

namespace tarsio {

// Gathering or spreading moves the loose pieces as one step of the history. A piece held meanwhile is
// let go, as it is about to be moved from under the pointer; what its gesture did so far stays a step
// of its own.
void Board::beginMovingLoosePieces(const std::vector<int>& loose) {
  endSelection();
  undoHistory.finishOpen();
  if (game.SelectedPiece != NoPiece) {
    game.SelectedPiece = NoPiece;
    setFrameVisible(false);
  }
  undoHistory.begin(UndoHistory::Command, loose);
}

void Board::enableWithGathering(MenuItem& item) {
  item.setEnabled(mRaccogli.Enabled());
  QObject::connect(mRaccogli.action(), &QAction::changed, this,
                   [this, &item] { item.setEnabled(mRaccogli.Enabled()); });
}

void Board::CmdRaccogli_Click(bool ownStep) {
  if (game.GamePhase < 3) return;
  std::vector<int> loose;
  for (int i = 0; i < game.PieceCount; ++i)
    if (!game.Docked[i] && !trays.trayOf(i)) loose.push_back(i);
  if (ownStep) beginMovingLoosePieces(loose);
  for (int i : loose) ImA(i).setVisible(false);
  if (loose.empty()) {
    trays.layOutChanged(true);
    if (ownStep) undoHistory.finish(UndoHistory::Command);
    return;
  }

  const StaircaseArea area{game.AreaLevel,
                           {ImaOrig.Left(), ImaOrig.Top(), ImaOrig.Width(), ImaOrig.Height()},
                           game.GridLeft,
                           Liv(0).Y2(),
                           liO(0).X2() - liO(0).X1(),
                           {CmdAzze.Left(), CmdAzze.Width(), CmdAzze.Visible()}};
  const StaircaseStart start = staircaseStart(area);
  const StaircaseRoom room{pixelsToTwips(frameGeometry().height()), ImA(999).Height(), game.CellWidth,
                           game.CellHeight};
  // A group of joined pieces takes one place as a block, its pieces keeping their places in it.
  const std::vector<Block> blocks = blocksOf(loose, &groups, ImA);
  const int count = static_cast<int>(blocks.size());
  std::vector<StaircasePoint> points = staircasePoints(start, staircaseSteps(count, start, room), count);
  random.Randomize();
  const std::vector<Block> order = inPlacementOrder(blocks, [this] { return random.Rnd(); });
  // A piece turned taller or wider than a cell, or a start pushed right by the reset button, would
  // leave the last pieces partly off the board.
  std::vector<Extent> sizes(count);
  for (int k = 0; k < count; ++k) sizes[k] = {order[k].box.width(), order[k].box.height()};
  keepOnBoard(points, sizes, {pixelsToTwips(canvas->width()), pixelsToTwips(canvas->height())});

  // The board repaints between the pieces, once a frame however many pieces are placed in it; a click,
  // key or menu command arriving meanwhile runs after the last piece is placed, so nothing can remove
  // or move a piece half-way through.
  const InputHold held;
  const PacedRepaints paced(canvas);
  for (int k = 0; k < count; ++k) {
    DoEvents();
    game.CollectX = points[k].x;
    game.CollectY = points[k].y;
    placeBlock(ImA, order[k],
               QPointF(static_cast<double>(game.CollectX), static_cast<double>(game.CollectY)));
    for (int i : order[k].pieces) ImA(i).setVisible(pieceShown(i));
  }
  refreshGroupOutline();
  // The pieces in trays stay there; after a step of the areas they are laid out at their new sizes.
  trays.layOutChanged(true);
  if (ownStep) undoHistory.finish(UndoHistory::Command);
}

}  // namespace tarsio
