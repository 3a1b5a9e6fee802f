// The home cell of a piece and the snap test.
#include <gtest/gtest.h>

#include "play/Docking.h"

namespace tarsio {
namespace {

const GridPlace grid{4230.0, 240.0, 1012.5, 987.25, 4};

TEST(HomePosition, PieceGoesToItsOwnCellRowByRow) {
  struct Case {
    int piece;
    double left, top;
  };
  const Case cases[] = {
      {0, 4230.0, 240.0},
      {3, 4230.0 + 3 * 1012.5, 240.0},
      {4, 4230.0, 240.0 + 987.25},
      {6, 4230.0 + 2 * 1012.5, 240.0 + 987.25},
      {11, 4230.0 + 3 * 1012.5, 240.0 + 2 * 987.25},
  };
  for (const Case& c : cases) {
    const HomePosition home = homePosition(c.piece, grid);
    EXPECT_DOUBLE_EQ(home.left, c.left) << "piece " << c.piece;
    EXPECT_DOUBLE_EQ(home.top, c.top) << "piece " << c.piece;
  }
}

TEST(Docks, OnlyUprightFaceUpPiecesStrictlyWithinTheToleranceOnBothAxes) {
  const HomePosition home{5242.5, 1227.25};
  struct Case {
    double dx, dy;
    int orientation;
    bool docks;
  };
  const Case cases[] = {
      {0, 0, 0, true},     {99, 99, 0, true},  {-99, -99, 0, true}, {99.99, -99.99, 0, true},
      {100, 0, 0, false},  {0, 100, 0, false}, {-100, 0, 0, false}, {0, -100, 0, false},
      {99, 250, 0, false}, {0, 0, 1, false},   {50, 50, 4, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(docks(home, home.left + c.dx, home.top + c.dy, c.orientation), c.docks)
        << "dx " << c.dx << " dy " << c.dy << " orientation " << c.orientation;
}

TEST(Docks, NeverIntoAnotherPiecesCell) {
  for (int other = 1; other < 12; ++other) {
    const HomePosition there = homePosition(other, grid);
    EXPECT_FALSE(docks(homePosition(0, grid), there.left, there.top, 0)) << "cell " << other;
  }
}

}  // namespace
}  // namespace tarsio
