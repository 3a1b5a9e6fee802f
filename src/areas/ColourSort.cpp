// "Smista per &colore": the loose pieces outside trays sorted into trays of similar colour.
#include <QAction>
#include <QMenu>

#include "areas/Blocks.h"
#include "areas/Trays.h"
#include "board/Board.h"
#include "pieces/ColourGroups.h"
#include "platform/Events.h"

namespace tarsio {

namespace {

// The top-left corner of each frame of `sizes`, in rows over the free rectangles, left to right and
// top to bottom, TrayGap apart and clear of the frames `taken`; a frame with no room left goes a title
// band below and right of the one before it.
std::vector<QPointF> trayPlaces(const std::vector<QRectF>& free, const std::vector<QSizeF>& sizes,
                                std::vector<QRectF> taken) {
  std::vector<QPointF> places;
  std::size_t room = 0;
  QPointF at = free.empty() ? QPointF() : free.front().topLeft();
  double rowHeight = 0;
  for (const QSizeF& size : sizes) {
    bool placed = false;
    while (!placed && room < free.size()) {
      const QRectF& r = free[room];
      if (at.x() + size.width() > r.right())
        at = QPointF(r.left(), at.y() + rowHeight + TrayGap), rowHeight = 0;
      if (at.y() + size.height() > r.bottom() || size.width() > r.width()) {
        if (++room < free.size()) at = free[room].topLeft();
        rowHeight = 0;
        continue;
      }
      const QRectF frame(at, size);
      const auto clash =
          std::find_if(taken.begin(), taken.end(), [&](const QRectF& t) { return t.intersects(frame); });
      if (clash != taken.end()) {
        at.setX(clash->right() + TrayGap);
        continue;
      }
      places.push_back(at);
      taken.push_back(frame);
      rowHeight = std::max(rowHeight, size.height());
      at.setX(at.x() + size.width() + TrayGap);
      placed = true;
    }
    if (!placed)
      places.push_back(places.empty() ? at : places.back() + QPointF(TrayTitleHeight, TrayTitleHeight));
  }
  return places;
}

}  // namespace

// One step of the history: taken back, the pieces go back where they lay and the trays it made go.
// Joined pieces stay where they lie: a group is work the player has put together on the table, of
// more colours than one; the new trays keep clear of them.
void Board::mSmista_Click() {
  if (game.GamePhase != 3) return;
  std::vector<int> loose, joined;
  for (int i = 0; i < game.PieceCount; ++i)
    if (!game.Docked[i] && !trays.trayOf(i))
      (groups.groupOf(i) == Groups::None ? loose : joined).push_back(i);
  beginMovingLoosePieces(loose);
  const std::vector<ColourGroup> groups = colourGroups(colours.all(), loose);
  std::vector<QSizeF> sizes;
  for (const ColourGroup& group : groups) {
    std::vector<QSizeF> pieces;
    for (int i : group.pieces) pieces.emplace_back(ImA(i).Width(), ImA(i).Height());
    sizes.push_back(layTray({}, pieces).frame.size());
  }
  std::vector<QRectF> taken;
  for (int tray : trays.numbers()) taken.push_back(trays.frame(tray));
  for (const Block& block : blocksOf(joined, trays.groups, ImA)) taken.push_back(block.box);
  const std::vector<QPointF> places = trayPlaces(freeRoom(), sizes, taken);
  const PacedRepaints paced(canvas);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    for (int i : groups[g].pieces) ImA(i).setVisible(pieceShown(i));
    const int made = trays.add(groups[g].name, places[g], groups[g].pieces);
    undoHistory.trayMade({made, groups[g].name, places[g], trays.piecesOf(made)});
  }
  selection.refresh();
  undoHistory.finish(UndoHistory::Command);
}

void Board::createSortCommand(QMenu* actions) {
  mSmista.attach(actions->addAction(QStringLiteral("Smista per &colore")));
  mSmista.onClick = [this] { mSmista_Click(); };
  enableWithGathering(mSmista);
}

}  // namespace tarsio
