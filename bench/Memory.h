// The peak memory of a game at zoom 1 and at the closest zoom, measured in a child run of the benchmark
// so earlier figures leave no trace.
#pragma once

#include <optional>

#include "Figures.h"

namespace tarsio::bench {

// The flag that makes the benchmark the child run: `tarsio_bench --memory PHOTO ROWS COLUMNS`.
inline constexpr char MemoryFlag[] = "--memory";

// The child run, in two stages. At zoom 1: chooses the photo, cuts it into rows x columns pieces,
// collects them, moves the border between the areas one step and back, and repaints. Then, the peak
// started anew from what the board holds: zooms in notch by notch over the picture (each notch painted)
// up to the closest zoom and walks across the picture and across the collected pieces. Prints the growth
// of each stage's peak resident memory over the resident memory before the choice, in bytes. Its exit
// code.
int measureMemoryHere(const Inputs& in, int rows, int columns);

// The two peaks of one child run of a game, started on the first figure asked for.
class PeakMemory {
 public:
  PeakMemory(const Inputs& in, int rows, int columns) : in_(in), rows_(rows), columns_(columns) {}
  // The peak at zoom 1, against the decoded picture's bytes (width x height x 4).
  Row wholeBoard(double target);
  // The peak at the closest zoom, against the peak at zoom 1.
  Row closestZoom(double target);

 private:
  struct Peaks {
    double wholeBoard = 0;  // MB
    double closestZoom = 0;
  };
  const Peaks& peaks();
  QString game() const;

  Inputs in_;
  int rows_, columns_;
  std::optional<Peaks> peaks_;
};

}  // namespace tarsio::bench
