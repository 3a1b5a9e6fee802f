// Where a dragged piece may not be put down (off the screen, over the picture, over the grid-size
// boxes), and where a piece turned near an edge goes to stay on the board.
#pragma once

#include <QRectF>
#include <QSizeF>
#include <optional>

namespace tarsio {

// What a new place of a dragged piece is checked against (twips, board coordinates).
struct DragSurroundings {
  QSizeF screen;                    // the whole screen
  QRectF picture;                   // the picture preview element
  std::optional<QRectF> sizeLabel;  // the "Righe Colonne" label, while it is shown
};

// Whether a piece of the given box (its new top-left corner and its current size) is refused:
// - more than half of it beyond the left, right or top edge of the screen, or any of it below the bottom;
// - its centre above and to the left of the picture's bottom-right corner;
// - while the label is shown, reaching left of the label's right edge and below the label's top, the
//   corner where the row and column boxes stand.
bool placeRefused(const QRectF& piece, const DragSurroundings& around);

// The top-left corner nearest to the piece's at which it lies wholly on the board, from (0, 0) to the
// board's size; a piece larger than the board keeps its left or top at 0.
QPointF keptOnBoard(const QRectF& piece, const QSizeF& board);

}  // namespace tarsio
