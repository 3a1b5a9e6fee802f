// Cell numbering of the grid and the pixel rectangles of the cells of the upright and the turned picture.
#pragma once

#include <QRect>
#include <QSize>

namespace tarsio {

// Cells are numbered row by row from the top-left, from 0: cell k lies in row k / columns and column
// k % columns. k ≥ 0, columns ≥ 1.
int cellRow(int k, int columns);
int cellColumn(int k, int columns);

// The cell of piece `piece` in the picture turned a quarter turn clockwise, whose grid has `columns` rows
// of `rows` cells: the cell at row r, column c of the upright grid lies at row c, column rows − 1 − r.
int RotatedIndex(int piece, int rows, int columns);

// Pixel rectangle of cell k of a picture of the given pixel size cut into rows × columns cells. Column j
// spans x from floor(j·W / columns) up to floor((j + 1)·W / columns), exclusive; rows likewise with H.
// The cells cover the picture exactly, without gap or overlap; when the size does not divide evenly the
// leftover pixels are spread, so widths (heights) of cells differ by at most one pixel.
// rows, columns ≥ 1; 0 ≤ k < rows × columns.
QRect uprightCellRect(int k, int rows, int columns, QSize picture);

// Pixel rectangle of cell k of the upright picture turned a quarter turn clockwise (upright.height()
// wide, upright.width() tall, cut into `columns` rows of `rows` cells, numbered row by row). The turned
// cell RotatedIndex(i, rows, columns) holds exactly the pixels of upright cell i, turned. rows and
// columns are those of the upright grid.
QRect turnedCellRect(int k, int rows, int columns, QSize upright);

}  // namespace tarsio
