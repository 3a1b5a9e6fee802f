// Spreading the loose pieces out: the places of the rows.
#include "areas/Spread.h"

#include <cmath>

namespace tarsio {

namespace {

// How many places of `size`, `pitch` apart, one rectangle holds along one side of `length`.
long long placesAlong(double length, double size, double pitch) {
  return length < size ? 0 : static_cast<long long>(std::floor((length - size) / pitch)) + 1;
}

long long capacity(const std::vector<QRectF>& free, QSizeF size, QSizeF pitch) {
  long long places = 0;
  for (const QRectF& r : free)
    places += placesAlong(r.width(), size.width(), pitch.width()) *
              placesAlong(r.height(), size.height(), pitch.height());
  return places;
}

}  // namespace

std::vector<QPointF> spreadPlaces(const std::vector<QRectF>& free, QSizeF largest, int count, double gap) {
  std::vector<QPointF> places;
  if (count <= 0 || free.empty()) return places;
  const QSizeF apart(largest.width() + gap, largest.height() + gap);
  double closeness = 1;
  if (capacity(free, largest, apart) < count) {
    // The largest closeness whose places still hold every piece, to a thousandth of a twip.
    double low = 0, high = 1;
    while ((high - low) * apart.width() > 1e-3) {
      const double middle = (low + high) / 2;
      (capacity(free, largest, apart * middle) >= count ? low : high) = middle;
    }
    closeness = low;
  }
  const QSizeF pitch = apart * closeness;
  if (closeness == 0 || capacity(free, largest, pitch) < count)
    return std::vector<QPointF>(static_cast<std::size_t>(count), free.front().topLeft());
  for (const QRectF& r : free) {
    const long long across = placesAlong(r.width(), largest.width(), pitch.width());
    const long long down = placesAlong(r.height(), largest.height(), pitch.height());
    for (long long row = 0; row < down; ++row)
      for (long long column = 0; column < across; ++column) {
        if (static_cast<int>(places.size()) == count) return places;
        places.emplace_back(r.left() + column * pitch.width(), r.top() + row * pitch.height());
      }
  }
  return places;
}

}  // namespace tarsio
