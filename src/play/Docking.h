// Where a piece belongs on the grid and whether a piece put down near there snaps in.
#pragma once

namespace tarsio {

// The grid as the docking rule sees it: its top-left corner, its cell size (twips) and its columns.
struct GridPlace {
  double left = 0;
  double top = 0;
  double cellWidth = 0;
  double cellHeight = 0;
  int columns = 1;  // ≥ 1
};

// The top-left corner of a piece's home cell, twips.
struct HomePosition {
  double left = 0;
  double top = 0;
};

// The home cell of piece i (i ≥ 0) is cell i: column i mod columns, row i / columns, counted from 0.
HomePosition homePosition(int piece, const GridPlace& grid);

// The distance (twips, on each axis) below which a piece snaps home; exactly this far does not dock.
inline constexpr double DockingTolerance = 100;

// Whether a piece of the given orientation whose top-left corner has just been put at (left, top) docks
// into its home cell: it must be face up and not turned (orientation 0) and less than DockingTolerance
// twips from home on each axis.
bool docks(const HomePosition& home, double left, double top, int orientation);

}  // namespace tarsio
