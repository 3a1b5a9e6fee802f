// Sorting pieces by colour: groups of pieces of similar colour, their order and their Italian names.
#pragma once

#include <QString>
#include <vector>

#include "pieces/PieceColour.h"

namespace tarsio {

// Pieces of similar colour, to be laid out together.
struct ColourGroup {
  Lab centre;               // the mean colour of its pieces
  QString name;             // "Blu", "Verdi", "Grigi chiari", ...
  std::vector<int> pieces;  // indices into the colours, from dark to light
};

// The colour groups of the pieces `pieces` (indices into `colours`): a k-means clustering in OKLab from
// a fixed seed, with 4 to 12 groups (the fewest whose pieces lie close to their centres; fewer when
// there are fewer distinct colours), so the same pieces always make the same groups. Every piece lies
// in exactly one group and no group is empty; the groups follow one another from the darkest, each next
// to the one of the nearest colour left, and are named after their colour, two alike told apart by a
// number.
std::vector<ColourGroup> colourGroups(const std::vector<PieceColour>& colours,
                                      const std::vector<int>& pieces);

// The Italian name of a colour, in the plural of the pieces that have it: "Rossi", "Blu scuri", "Grigi".
QString colourName(const Lab& colour);

}  // namespace tarsio
