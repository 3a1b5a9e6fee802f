// The deal of a fresh cut, drawing from a shrinking list of free cells.
#include "pieces/Deal.h"

#include <algorithm>
#include <numeric>

namespace tarsio {

namespace {

// Int(rnd × count) for rnd in [0, 1), kept below count so a rounding at the top end of the range can
// never pick past the end.
int drawBelow(double rnd, int count) {
  return std::clamp(static_cast<int>(rnd * count), 0, std::max(count - 1, 0));
}

}  // namespace

std::vector<DealtPiece> dealPieces(int pieceCount, int kinds, Random& random) {
  std::vector<int> freeCells(static_cast<std::size_t>(std::max(pieceCount, 0)));
  std::iota(freeCells.begin(), freeCells.end(), 0);
  std::vector<DealtPiece> dealt;
  dealt.reserve(freeCells.size());
  for (int i = 0; i < pieceCount; ++i) {
    random.Randomize();
    const int k = drawBelow(random.Rnd(), pieceCount - i);
    const int orientation = drawBelow(random.Rnd(), kinds);
    dealt.push_back({freeCells[k], orientation});
    freeCells.erase(freeCells.begin() + k);
  }
  return dealt;
}

}  // namespace tarsio
