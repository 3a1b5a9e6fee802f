// The eight orientations of a piece: their look, the two turns, the box and its change of place.
#include "pieces/Orientation.h"

#include <array>

namespace tarsio {

namespace {

bool isOdd(int v) { return v % 2 != 0; }

// Face up the mirrors make 0 or 2 quarter turns out of the upright or turned cell; face down the front
// is seen through the piece, mirrored top-bottom, which with the half turn leaves a left-right mirror.
constexpr std::array<OrientationLook, OrientationCount> Looks{{
    {false, false, false, false, false},
    {true, true, false, false, false},
    {false, false, true, true, false},
    {true, true, true, true, false},
    {false, false, false, true, true},
    {true, true, false, true, true},
    {false, false, true, false, true},
    {true, true, true, false, true},
}};

}  // namespace

OrientationLook orientationLook(int v) { return Looks.at(v); }

int quarterTurn(int v) { return (v & 4) | ((v + 1) & 3); }

int frontBack(int v) { return v < 4 ? v + 4 : v - 4; }

QSizeF boxOf(int v, double cellWidth, double cellHeight) {
  return isOdd(v) ? QSizeF(cellHeight, cellWidth) : QSizeF(cellWidth, cellHeight);
}

QPointF moveForBox(int v, QPointF topLeft, double cellWidth, double cellHeight) {
  const QPointF shift((cellWidth - cellHeight) / 2, (cellHeight - cellWidth) / 2);
  return isOdd(v) ? topLeft + shift : topLeft - shift;
}

int scrambleKinds(int scrambleCode) {
  switch (scrambleCode) {
    case 2:
      return 4;
    case 3:
    case 4:
      return 8;
    default:
      return 1;
  }
}

}  // namespace tarsio
