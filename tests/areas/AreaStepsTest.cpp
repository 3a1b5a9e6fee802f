// Tests of the refusal rules of "+" and "-" at their boundaries.
#include <gtest/gtest.h>

#include "areas/AreaSteps.h"

namespace tarsio {
namespace {

const AreaStepSizes Picture{4000, 3000, 400, 300};

TEST(EnlargeGridArea, RefusedOnlyBelowOneStepOrWhenTheCellIsAsHighAsThePictureIsWide) {
  struct Case {
    AreaStepSizes sizes;
    double cellHeight;
    bool allowed;
  };
  const Case cases[] = {
      {Picture, 300, true},
      {{400, 3000, 400, 300}, 300, true},     // exactly one step wide
      {{399.5, 3000, 400, 300}, 300, false},  // narrower than a step
      {{4000, 300, 400, 300}, 200, true},     // exactly one step high
      {{4000, 299, 400, 300}, 200, false},
      {Picture, 3999, true},   // cell height just under the picture's width
      {Picture, 4000, false},  // equal
      {Picture, 4001, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(canEnlargeGridArea(c.sizes, c.cellHeight), c.allowed)
        << c.sizes.pictureWidth << " x " << c.sizes.pictureHeight << ", cell height " << c.cellHeight;
}

TEST(ReduceGridArea, RefusedNearTheScreenEdges) {
  struct Case {
    double screenWidth;
    double screenHeight;
    bool allowed;
  };
  const Case cases[] = {
      {4301, 4201, true},
      {4300, 4201, false},  // width equal to screen width - 300
      {4301, 4200, false},  // height equal to screen height - 1200
      {4299, 9000, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(canReduceGridArea(Picture, c.screenWidth, c.screenHeight, std::nullopt), c.allowed)
        << c.screenWidth << " x " << c.screenHeight;
}

TEST(ReduceGridArea, RefusedWhenTheFirstPieceWouldGetANegativeSize) {
  // Share of a step: 400 / 4 = 100 wide, 300 / 3 = 100 high.
  struct Case {
    FirstPieceSize piece;
    bool allowed;
  };
  const Case cases[] = {
      {{100, 100, 3, 4}, true},                                                     // would become exactly 0
      {{99, 500, 3, 4}, false}, {{500, 99, 3, 4}, false}, {{99, 99, 3, 2}, false},  // 400 / 2 = 200 wide
      {{200, 99, 4, 2}, true},                                                      // 300 / 4 = 75 high
  };
  for (const Case& c : cases)
    EXPECT_EQ(canReduceGridArea(Picture, 20000, 20000, c.piece), c.allowed)
        << c.piece.width << " x " << c.piece.height << " in " << c.piece.rowCount << " x "
        << c.piece.columnCount;
  EXPECT_FALSE(canReduceGridArea(Picture, 4300, 20000, FirstPieceSize{1000, 1000, 2, 2}));
}

}  // namespace
}  // namespace tarsio
