// The figures of play, each measured on a real board with its pieces cut from the photo.
#pragma once

#include <vector>

#include "Figures.h"

namespace tarsio::bench {

// One frame at 60 Hz, in milliseconds: the floor of the figures of play.
inline constexpr double Frame = 1000.0 / 60;

// One mouse move of a held piece, handled and painted, against one frame at 60 Hz.
Row dragStep(const Inputs& in, int rows, int columns, double target);
// "Racc&ogli" of rows x columns loose pieces, painted, against one frame; the median of `runs`.
Row collectPieces(const Inputs& in, int rows, int columns, double target, int runs = 7);
// "&Disponi" of rows x columns loose pieces, painted, against one frame; the median of `runs`.
Row spreadOut(const Inputs& in, int rows, int columns, double target, int runs = 7);
// "+" then "0" with rows x columns pieces, painted, against one frame; the median of `runs`.
Row resizeAreas(const Inputs& in, int rows, int columns, double target, int runs = 7);
// "Solo i &bordi" checked with rows x columns loose pieces gathered, painted, against one frame; the
// median of `runs`.
Row bordersOnly(const Inputs& in, int rows, int columns, double target, int runs = 7);
// "Solo i simi&li" checked with rows x columns loose pieces gathered, the piece in the middle of the
// picture pointed at, painted, against one frame; the median of `runs`.
Row likeOnly(const Inputs& in, int rows, int columns, double target, int runs = 7);
// Resuming a saved game of rows x columns loose pieces through the picture command on a fresh board
// (file, decode, cut, collect, painted), against a plain decode of its photo.
Row resumeGame(const Inputs& in, int rows, int columns, double target, int runs);
// Saving a 10000-piece game to its file and reading it back, against a plain write and read of the
// same bytes.
Row saveAndLoad(const Inputs& in);

// One mouse move of a held piece with the game kept on disk, handled, painted and the pending events
// run, over three seconds of dragging (whatever the keeper does meanwhile counted), against one frame.
Row keptDragStep(const Inputs& in, int rows, int columns, double target);
// Twelve seconds of steady play (a piece put down twice a second), then, once the last change is on
// disk, three of none: the writes of the kept game a minute, against 60, and its bytes a minute,
// against 60 writes of its file. Ends the benchmark when the game is written while nothing changes.
std::vector<Row> keptPlay(const Inputs& in, int rows, int columns);

}  // namespace tarsio::bench
