// Spreading the loose pieces out: the places of the rows.
#include "areas/Spread.h"

#include <algorithm>

namespace tarsio {

namespace {

// Lays the pieces in rows with every advance (a piece's width or a row's height, and the gap) scaled by
// `closeness`; false when they do not all fit.
bool layRows(const std::vector<QRectF>& free, const std::vector<QSizeF>& sizes, double gap, double closeness,
             std::vector<QPointF>& places) {
  places.clear();
  auto room = free.begin();
  double x = 0, y = 0, rowHeight = 0;
  bool fresh = true;  // the rectangle holds no piece yet
  for (const QSizeF& size : sizes) {
    while (room != free.end()) {
      if (fresh) x = room->left(), y = room->top(), rowHeight = 0;
      if (!fresh && x + size.width() > room->right()) {
        x = room->left();
        y += closeness * (rowHeight + gap);
        rowHeight = 0;
      }
      if (x + size.width() <= room->right() && y + size.height() <= room->bottom()) break;
      ++room;
      fresh = true;
    }
    if (room == free.end()) return false;
    places.emplace_back(x, y);
    x += closeness * (size.width() + gap);
    rowHeight = std::max(rowHeight, size.height());
    fresh = false;
  }
  return true;
}

}  // namespace

std::vector<QPointF> spreadPlaces(const std::vector<QRectF>& free, const std::vector<QSizeF>& sizes,
                                  double gap) {
  std::vector<QPointF> places;
  if (sizes.empty() || free.empty() || layRows(free, sizes, gap, 1, places)) return places;
  // The largest closeness whose rows still hold every piece, to a millionth.
  double low = 0, high = 1;
  while (high - low > 1e-6) {
    const double middle = (low + high) / 2;
    (layRows(free, sizes, gap, middle, places) ? low : high) = middle;
  }
  if (low == 0 || !layRows(free, sizes, gap, low, places))
    return std::vector<QPointF>(sizes.size(), free.front().topLeft());
  return places;
}

}  // namespace tarsio
