// The eight orientations of a piece, how each is drawn, and the scramble option's number of kinds.
#pragma once

#include <QPointF>
#include <QSizeF>

namespace tarsio {

// An orientation is 0 to 7: 0 to 3 face up, turned that many quarter turns clockwise; 4 to 7 face down,
// turned value − 4 quarter turns. Only 0 docks.
inline constexpr int OrientationCount = 8;

// How a piece of one orientation is drawn. The cell picture is the upright picture's cell i, or the
// turned picture's cell RotatedIndex(i) when fromTurnedPicture; it is then mirrored left-right and/or
// top-bottom (both together make a half turn) and stretched to the box.
struct OrientationLook {
  bool turnedBox;          // the box is CellHeight wide and CellWidth tall (odd values)
  bool fromTurnedPicture;  // odd values
  bool mirrorLeftRight;
  bool mirrorTopBottom;
  bool faceDown;  // 4 to 7: the back shows, see-through or as a back image
};

// The look of orientation v, 0 ≤ v < OrientationCount.
OrientationLook orientationLook(int v);

// The value after a quarter turn clockwise of the piece: 0→1→2→3→0 face up, 4→5→6→7→4 face down.
int quarterTurn(int v);

// The value after turning the piece front to back: same number of quarter turns, other face.
int frontBack(int v);

// The box of a piece of orientation v for cells of the given size (any unit): cellWidth × cellHeight
// for even values, cellHeight × cellWidth for odd ones.
QSizeF boxOf(int v, double cellWidth, double cellHeight);

// The new top-left of a piece whose box turns: it had the box of the other shape at topLeft and now
// takes the box of orientation v. The piece keeps its centre. Same unit as the cell size.
QPointF moveForBox(int v, QPointF topLeft, double cellWidth, double cellHeight);

// The number of orientation values a fresh cut deals from, for the scramble option's code: 1 "solo
// Spostare" gives 1 (face up, upright), 2 "... più Ruotare" 4, 3 "... più Rovesciare" and 4 "... con
// Trasparenza" 8. Code 0 (no option marked) and any other code deal face up and upright only: 1.
int scrambleKinds(int scrambleCode);

}  // namespace tarsio
