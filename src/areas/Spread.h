// Spreading the loose pieces out: rows of places side by side over the free rectangles of the board.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

namespace tarsio {

// The top-left corners of places for pieces of `sizes` (twips), in that order, laid in rows over the
// rectangles of `free`, one rectangle after the other, left to right and top to bottom: each piece lies
// `gap` twips right of the one before it, each row `gap` below the tallest piece of the row above, and
// every piece inside its rectangle. When the rectangles do not hold them so, every advance closes up by
// one factor, as little as lets them all in, and the pieces overlap. When no factor does (a piece larger
// than every rectangle), every place is the top-left corner of the first rectangle.
std::vector<QPointF> spreadPlaces(const std::vector<QRectF>& free, const std::vector<QSizeF>& sizes,
                                  double gap);

}  // namespace tarsio
