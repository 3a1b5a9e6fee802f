// The deal of a fresh cut: a random free cell and a random orientation for every piece.
#pragma once

#include <vector>

#include "platform/Random.h"

namespace tarsio {

struct DealtPiece {
  int cell;         // the grid cell the piece starts in, 0 ≤ cell < pieceCount
  int orientation;  // 0 ≤ orientation < kinds (0 when kinds ≤ 1)
};

// Deals pieceCount pieces (0 ≤ pieceCount ≤ 32767) in index order. For piece i the generator is
// re-seeded from the clock, the next number picks one of the pieceCount − i cells still free (all equally
// likely) and the number after it the orientation, 0 to kinds − 1; the picked cell leaves the free list,
// the others keep their order. Every cell is dealt exactly once. Element i is piece i.
std::vector<DealtPiece> dealPieces(int pieceCount, int kinds, Random& random);

}  // namespace tarsio
