// Tests of cell numbering and of the cell rectangles of the upright and the turned picture.
#include <gtest/gtest.h>

#include <vector>

#include "PatternPicture.h"
#include "pieces/Cells.h"
#include "support/Turn.h"

namespace tarsio {
namespace {

struct Cut {
  int width;
  int height;
  int rows;
  int columns;
};

void PrintTo(const Cut& cut, std::ostream* out) {
  *out << cut.rows << "x" << cut.columns << " on " << cut.width << "x" << cut.height;
}

TEST(RotatedIndex, CellOfThePieceInTheTurnedGrid) {
  struct Case {
    int piece, rows, columns, row, column, rotated;
  };
  for (const Case& c :
       {Case{0, 2, 2, 0, 0, 1}, Case{1, 2, 2, 0, 1, 3}, Case{2, 2, 2, 1, 0, 0}, Case{3, 2, 2, 1, 1, 2},
        Case{5, 3, 4, 1, 1, 4}, Case{11, 3, 4, 2, 3, 9}, Case{0, 3, 4, 0, 0, 2}}) {
    EXPECT_EQ(cellRow(c.piece, c.columns), c.row) << c.piece;
    EXPECT_EQ(cellColumn(c.piece, c.columns), c.column) << c.piece;
    EXPECT_EQ(RotatedIndex(c.piece, c.rows, c.columns), c.rotated) << c.piece;
  }
}

// Adds every cell rectangle to a count per pixel; every pixel must be counted once, and the cells of a
// row (column) may differ in width (height) by one pixel at most.
void expectExactCover(QSize size, int cellRows, int cellColumns, auto cellRect) {
  std::vector<unsigned char> count(static_cast<std::size_t>(size.width()) * size.height());
  const int minWidth = size.width() / cellColumns;
  const int minHeight = size.height() / cellRows;
  for (int k = 0; k < cellRows * cellColumns; ++k) {
    const QRect cell = cellRect(k);
    ASSERT_TRUE(QRect(QPoint(0, 0), size).contains(cell)) << k;
    ASSERT_TRUE(cell.width() == minWidth || cell.width() == minWidth + 1) << k;
    ASSERT_TRUE(cell.height() == minHeight || cell.height() == minHeight + 1) << k;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x) ++count[std::size_t(y) * size.width() + x];
  }
  for (std::size_t p = 0; p < count.size(); ++p)
    ASSERT_EQ(count[p], 1) << "pixel " << p % size.width() << "," << p / size.width();
}

class CellCoverTest : public ::testing::TestWithParam<Cut> {};

INSTANTIATE_TEST_SUITE_P(Grids, CellCoverTest,
                         ::testing::Values(Cut{3, 3, 2, 2}, Cut{101, 37, 7, 5}, Cut{37, 101, 7, 5},
                                           Cut{6000, 4000, 25, 40}, Cut{101, 37, 37, 101}, Cut{10, 10, 3, 4},
                                           Cut{200000, 2, 2, 16383}));

TEST_P(CellCoverTest, UprightCellsCoverThePictureExactly) {
  const Cut cut = GetParam();
  const QSize size(cut.width, cut.height);
  expectExactCover(size, cut.rows, cut.columns,
                   [&](int k) { return uprightCellRect(k, cut.rows, cut.columns, size); });
}

TEST_P(CellCoverTest, TurnedCellsCoverTheTurnedPictureExactly) {
  const Cut cut = GetParam();
  const QSize size(cut.width, cut.height);
  expectExactCover(size.transposed(), cut.columns, cut.rows,
                   [&](int k) { return turnedCellRect(k, cut.rows, cut.columns, size); });
}

class TurnedCellTest : public ::testing::TestWithParam<Cut> {};

INSTANTIATE_TEST_SUITE_P(Grids, TurnedCellTest,
                         ::testing::Values(Cut{3, 3, 2, 2}, Cut{101, 37, 7, 5}, Cut{37, 101, 7, 5},
                                           Cut{64, 48, 4, 3}, Cut{123, 77, 6, 9}, Cut{17, 31, 31, 17},
                                           Cut{50, 50, 50, 50}, Cut{130, 70, 2, 2}));

TEST_P(TurnedCellTest, TurnedCellIsTheUprightCellTurned) {
  const Cut cut = GetParam();
  const QImage picture = patternPicture(cut.width, cut.height);
  const QImage turned = TurnBitmap(picture);
  for (int i = 0; i < cut.rows * cut.columns; ++i) {
    const QRect upright = uprightCellRect(i, cut.rows, cut.columns, picture.size());
    const QRect fromTurned =
        turnedCellRect(RotatedIndex(i, cut.rows, cut.columns), cut.rows, cut.columns, picture.size());
    ASSERT_EQ(turned.copy(fromTurned), TurnBitmap(picture.copy(upright))) << "piece " << i;
  }
}

}  // namespace
}  // namespace tarsio
