// When a step of the area sizes ("+" enlarging the grid area, "-" reducing it) is refused.
#pragma once

#include <optional>

namespace tarsio {

// The picture element's current size and one area step (a tenth of its size at equal areas), twips.
struct AreaStepSizes {
  double pictureWidth = 0;
  double pictureHeight = 0;
  double stepWidth = 0;
  double stepHeight = 0;
};

// "+" is refused when the picture element is narrower than one step or lower than one step, or when
// the current cell height (twips) is at least the picture element's width.
bool canEnlargeGridArea(const AreaStepSizes& sizes, double cellHeight);

// The first piece's size (twips) and the grid it belongs to, once the pieces exist.
struct FirstPieceSize {
  double width = 0;
  double height = 0;
  int rowCount = 1;
  int columnCount = 1;
};

// "-" is refused when the picture element is at least as wide as the screen minus 300 twips or at least
// as high as the screen minus 1200 twips (screen size in twips), or, while pieces exist, when shrinking
// the first piece by its share of a step (step / columns wide, step / rows high) would make either of
// its sizes negative.
bool canReduceGridArea(const AreaStepSizes& sizes, double screenWidth, double screenHeight,
                       const std::optional<FirstPieceSize>& firstPiece);

}  // namespace tarsio
