// The refusal rules of the two area steps.
#include "areas/AreaSteps.h"

namespace tarsio {

namespace {

// The picture element must stay this far inside the screen's width and height.
constexpr double ScreenWidthMargin = 300;
constexpr double ScreenHeightMargin = 1200;

}  // namespace

bool canEnlargeGridArea(const AreaStepSizes& sizes, double cellHeight) {
  return !(sizes.pictureWidth < sizes.stepWidth || sizes.pictureHeight < sizes.stepHeight ||
           cellHeight >= sizes.pictureWidth);
}

bool canReduceGridArea(const AreaStepSizes& sizes, double screenWidth, double screenHeight,
                       const std::optional<FirstPieceSize>& firstPiece) {
  if (sizes.pictureWidth >= screenWidth - ScreenWidthMargin ||
      sizes.pictureHeight >= screenHeight - ScreenHeightMargin)
    return false;
  if (!firstPiece) return true;
  return !(firstPiece->width - sizes.stepWidth / firstPiece->columnCount < 0 ||
           firstPiece->height - sizes.stepHeight / firstPiece->rowCount < 0);
}

}  // namespace tarsio
