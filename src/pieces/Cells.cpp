// Cell numbering and cell rectangles: every length is split at floor(j·length / count).
#include "pieces/Cells.h"

namespace tarsio {

namespace {

// Where the part j of `length` pixels cut into `count` parts begins, 0 ≤ j ≤ count. The product can
// exceed 32 bits (a 32767-cell grid on a wide picture), hence the 64-bit arithmetic.
int splitAt(int j, int count, int length) {
  return static_cast<int>(static_cast<qint64>(j) * length / count);
}

}  // namespace

int cellRow(int k, int columns) { return k / columns; }

int cellColumn(int k, int columns) { return k % columns; }

int RotatedIndex(int piece, int rows, int columns) {
  return rows * cellColumn(piece, columns) + (rows - 1 - cellRow(piece, columns));
}

QRect uprightCellRect(int k, int rows, int columns, QSize picture) {
  const int row = cellRow(k, columns);
  const int column = cellColumn(k, columns);
  const int left = splitAt(column, columns, picture.width());
  const int top = splitAt(row, rows, picture.height());
  return QRect(left, top, splitAt(column + 1, columns, picture.width()) - left,
               splitAt(row + 1, rows, picture.height()) - top);
}

QRect turnedCellRect(int k, int rows, int columns, QSize upright) {
  // The turned grid has `rows` cells per row; its row c is upright column c, its column k' is upright
  // row rows − 1 − k', read from the right edge of the turned picture.
  const int turnedRow = cellRow(k, rows);
  const int turnedColumn = cellColumn(k, rows);
  const int height = upright.height();
  const int left = height - splitAt(rows - turnedColumn, rows, height);
  const int right = height - splitAt(rows - 1 - turnedColumn, rows, height);
  const int top = splitAt(turnedRow, columns, upright.width());
  return QRect(left, top, right - left, splitAt(turnedRow + 1, columns, upright.width()) - top);
}

}  // namespace tarsio
