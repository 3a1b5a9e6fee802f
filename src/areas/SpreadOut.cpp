// "&Disponi": every loose piece laid side by side in rows over the free part of the board.
#include <QAction>
#include <QMenu>
#include <algorithm>

#include "areas/Blocks.h"
#include "areas/Spread.h"
#include "board/Board.h"
#include "platform/Events.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

// Room left between two places, and between the places and the picture, the grid and the buttons.
constexpr double SpreadGap = 30;
// Pending events run once for so many pieces placed.
constexpr int PiecesBetweenEvents = 256;

}  // namespace

// The free part of the board: right of the grid, and below the picture and the grid, clear of the
// command rows while they are shown. The board is what the canvas shows of it on the whole.
std::vector<QRectF> Board::freeRoom() const {
  const double right = pixelsToTwips(canvas->width()), bottom = pixelsToTwips(canvas->height());
  const double gridRight = liO(0).X2() + SpreadGap, gridBottom = Liv(0).Y2();
  const double below = std::max(gridBottom, ImaOrig.Top() + ImaOrig.Height()) + SpreadGap;
  std::vector<QRectF> room{QRectF(QPointF(gridRight, game.GridTop), QPointF(right, bottom))};
  if (CmdAzze.Visible()) {
    // The grid-size label may paint beyond the buttons below it.
    const double barRight = std::max({CmdAzze.Left() + CmdAzze.Width(), Pezzi.Left() + Pezzi.Width(),
                                      RC1.Left() + RC1.PaintedWidth()}) +
                            SpreadGap;
    room.emplace_back(QPointF(barRight, below), QPointF(gridRight, bottom));
    room.emplace_back(QPointF(ImaOrig.Left(), CmdAzze.Top() + CmdAzze.Height() + SpreadGap),
                      QPointF(barRight, bottom));
  } else {
    room.emplace_back(QPointF(ImaOrig.Left(), below), QPointF(gridRight, bottom));
  }
  std::erase_if(room, [](const QRectF& r) { return r.isEmpty(); });
  return room;
}

// Like gathering, spreading lets pending events run, holds the player's input back until the last piece
// is placed, and is one step of the history.
void Board::mDisponi_Click() {
  if (game.GamePhase < 3) return;
  // Pieces kept out of sight by "Solo i &bordi" stay where they lie and take no place.
  std::vector<int> loose;
  for (int i = 0; i < game.PieceCount; ++i)
    if (!game.Docked[i] && !trays.trayOf(i) && pieceShown(i)) loose.push_back(i);
  // A group of joined pieces takes one place as a block, its pieces out of sight with it.
  const std::vector<Block> blocks = blocksOf(loose, &groups, ImA);
  beginMovingLoosePieces(piecesOf(blocks));
  const std::vector<QRectF> room = freeRoom();
  if (blocks.empty() || room.empty()) return undoHistory.finish(UndoHistory::Command);
  const int count = static_cast<int>(blocks.size());
  random.Randomize();
  const std::vector<Block> order = inPlacementOrder(blocks, [this] { return random.Rnd(); });
  std::vector<QSizeF> sizes(count);
  for (int k = 0; k < count; ++k) sizes[k] = order[k].box.size();
  const std::vector<QPointF> places = spreadPlaces(room, sizes, SpreadGap);
  const InputHold held;
  const PacedRepaints paced(canvas);
  for (int k = 0; k < count; ++k) {
    if (k % PiecesBetweenEvents == 0) DoEvents();
    placeBlock(ImA, order[k], places[k]);
  }
  refreshGroupOutline();
  undoHistory.finish(UndoHistory::Command);
}

// The command is there whenever gathering is.
void Board::createSpreadCommand(QMenu* actions) {
  mDisponi.attach(actions->addAction(QStringLiteral("&Disponi")));
  mDisponi.onClick = [this] { mDisponi_Click(); };
  enableWithGathering(mDisponi);
}

}  // namespace tarsio
