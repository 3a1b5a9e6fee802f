// The peak memory of a cut, measured in a child run of the benchmark so earlier figures leave no trace.
#pragma once

#include "Figures.h"

namespace tarsio::bench {

// The flag that makes the benchmark the child run: `tarsio_bench --memory PHOTO ROWS COLUMNS`.
inline constexpr char MemoryFlag[] = "--memory";

// The child run: chooses the photo, cuts it into rows x columns pieces, collects them, moves the border
// between the areas one step and back, repaints, zooms in as far as the view goes and scrolls across the
// board, and prints the growth of the peak resident memory over
// the resident memory before the choice, in bytes. Its exit code.
int measureMemoryHere(const Inputs& in, int rows, int columns);

// Starts the child run and reads its answer, against the decoded picture's bytes (width x height x 4).
Row peakMemory(const Inputs& in, int rows, int columns, double target);

}  // namespace tarsio::bench
