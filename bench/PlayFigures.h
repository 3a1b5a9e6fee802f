// The figures of play, each measured on a real board with its pieces cut from the photo.
#pragma once

#include "Figures.h"

namespace tarsio::bench {

// One mouse move of a held piece, handled and painted, against one frame at 60 Hz.
Row dragStep(const Inputs& in, int rows, int columns, double target);
// "Racc&ogli" of 1000 loose pieces, against one frame.
Row collectPieces(const Inputs& in);
// "+" then "0" with 1000 pieces, against one frame.
Row resizeAreas(const Inputs& in);
// Saving a 10000-piece game to its file and reading it back, against a plain write and read of the
// same bytes.
Row saveAndLoad(const Inputs& in);

}  // namespace tarsio::bench
