// The outer ring of a grid: the cells of its first and last rows and columns.
#pragma once

namespace tarsio {

// Whether cell `cell` (numbered row by row from the top left, from 0) of a grid of rows × columns lies on
// the grid's outer ring, in its first or last row or column.
inline bool onBorderRing(int cell, int rows, int columns) {
  const int row = cell / columns;
  const int column = cell % columns;
  return row == 0 || row == rows - 1 || column == 0 || column == columns - 1;
}

}  // namespace tarsio
