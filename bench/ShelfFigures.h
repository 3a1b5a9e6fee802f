// The figures of the shelf of kept games, each measured on a real board.
#pragma once

#include "Figures.h"

namespace tarsio::bench {

// "Partite in &corso" with `games` kept games of 10 x 10 pieces, each with its small picture: the
// folder read and the window painted, against a fixed 100 ms.
Row openShelf(const Inputs& in, int games, int runs = 5);
// What the small picture of a board of rows x columns loose pieces costs the interface thread (the
// board's state gathered and handed to the drawing thread), against a fixed 2 ms.
Row sketchCost(const Inputs& in, int rows, int columns, int runs = 7);

}  // namespace tarsio::bench
