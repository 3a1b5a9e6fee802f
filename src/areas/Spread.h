// Spreading the loose pieces out: rows of places side by side over the free rectangles of the board.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

namespace tarsio {

// The top-left corners of `count` places, each large enough for a piece of size `largest` (twips), laid
// in rows over the rectangles of `free`, one rectangle after the other, left to right and top to bottom,
// `gap` twips apart; every place lies inside its rectangle. When the rectangles do not hold `count`
// such places, the places close up evenly, as little as lets them all in, and the pieces overlap. With no
// rectangle large enough for one piece, every place is the top-left corner of the first rectangle.
std::vector<QPointF> spreadPlaces(const std::vector<QRectF>& free, QSizeF largest, int count, double gap);

}  // namespace tarsio
