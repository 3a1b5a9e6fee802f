// Where collecting puts the loose pieces: the start of the staircase, its steps, the order of the pieces
// and the place of each one.
#pragma once

#include <functional>
#include <vector>

namespace tarsio {

// A rectangle of an element on the board, twips.
struct ElementBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The reset button as far as collecting cares: its horizontal extent (twips) and whether it is shown.
struct ResetButtonPlace {
  double left = 0;
  double width = 0;
  bool visible = false;
};

// What the start of the staircase depends on (twips).
struct StaircaseArea {
  int areaLevel = 0;      // below 0: the grid area is enlarged and the staircase goes under the picture
  ElementBox picture;     // the picture element
  double gridLeft = 0;    // the grid's left edge
  double gridBottom = 0;  // the grid's bottom edge (end of the first vertical line)
  double gridWidth = 0;   // the length of the first horizontal line
  ResetButtonPlace resetButton;
};

// The top-left corner (twips, whole, rounded half to even) of the first place and the horizontal span
// (twips) the staircase covers, from the left edge of its first piece to the right edge of its last.
struct StaircaseStart {
  long long x = 0;
  long long y = 0;
  double span = 0;
};

// Under the picture, 50 twips below it, at its left edge, spanning its width, when the grid area is
// enlarged. Otherwise 50 twips below the grid, at its left edge or 50 twips right of a visible reset
// button that reaches further right (that test in single precision), spanning the grid's width.
StaircaseStart staircaseStart(const StaircaseArea& area);

// The sizes the steps are derived from (twips).
struct StaircaseRoom {
  double windowHeight = 0;    // the board window's outer height
  double templateHeight = 0;  // the height of the template piece
  double cellWidth = 0;
  double cellHeight = 0;
};

// The distance (twips) between two consecutive places.
struct StaircaseSteps {
  double x = 0;
  double y = 0;
};

// With n loose pieces (n >= 1): StepX = (span - cell width) / (n - 1), StepY = (window height - start
// Y - template height - 700) / (n - 1), both 0 when n is 1; each lowered to the cell size plus 50 when
// above it, never raised, possibly negative.
StaircaseSteps staircaseSteps(int looseCount, const StaircaseStart& start, const StaircaseRoom& room);

// The order in which the loose pieces are placed. `looseIndices` lists them in ascending order; while
// more than one remains, `rnd` (uniform in [0, 1)) is called once and the entry at position
// Int((R - 1) * u + 1) of the R remaining ones is taken, so the first entry (the lowest index) is
// always placed last.
std::vector<int> placementOrder(std::vector<int> looseIndices, const std::function<double()>& rnd);

// A place of the staircase: the top-left corner of a piece, twips.
struct StaircasePoint {
  long long x = 0;
  long long y = 0;

  bool operator==(const StaircasePoint&) const = default;
};

// The `count` places of the staircase: the first at the start, each next one a step further, rounded
// half to even at every step (so the rounding accumulates).
std::vector<StaircasePoint> staircasePoints(const StaircaseStart& start, const StaircaseSteps& steps,
                                            int count);

// A width and a height, twips.
struct Extent {
  double width = 0;
  double height = 0;
};

// Moves the whole staircase left by the fewest whole twips that bring every piece's right edge within
// the board's width, and up likewise for the bottom edges; `sizes[k]` is the size of the piece put at
// `points[k]`. It never moves so far that a piece's left or top edge leaves the board: a staircase
// wider or taller than the board keeps its start on it. Where every piece fits, nothing moves.
void keepOnBoard(std::vector<StaircasePoint>& points, const std::vector<Extent>& sizes, Extent board);

}  // namespace tarsio
