// Tests of the deal of a fresh cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>

#include "pieces/Deal.h"

namespace tarsio {
namespace {

// Hands out scripted numbers in turn and records the calls: "S" for a re-seed, "r" for a draw.
class ScriptedRandom : public Random {
 public:
  explicit ScriptedRandom(std::vector<double> numbers) : Random([] { return 0; }), numbers_(numbers) {}
  void Randomize() override { calls += "S"; }
  double Rnd() override {
    calls += "r";
    return numbers_.at(next_++ % numbers_.size());
  }
  std::string calls;

 private:
  std::vector<double> numbers_;
  std::size_t next_ = 0;
};

std::vector<int> cellsOf(const std::vector<DealtPiece>& dealt) {
  std::vector<int> cells;
  for (const DealtPiece& piece : dealt) cells.push_back(piece.cell);
  return cells;
}

TEST(Deal, ScriptedNumbersPickFromTheFreeCellsInOrder) {
  // Free [0 1 2 3]: K 2 → 2; [0 1 3]: K 0 → 0; [1 3]: K 1 → 3; [1]: K 0 → 1.
  ScriptedRandom random({0.5, 0.3, 0.0, 0.99, 0.99, 0.5, 0.7, 0.2});
  const std::vector<DealtPiece> dealt = dealPieces(4, 4, random);
  EXPECT_EQ(cellsOf(dealt), (std::vector<int>{2, 0, 3, 1}));
  std::vector<int> orientations;
  for (const DealtPiece& piece : dealt) orientations.push_back(piece.orientation);
  EXPECT_EQ(orientations, (std::vector<int>{1, 3, 2, 0}));
  EXPECT_EQ(random.calls, "SrrSrrSrrSrr");
}

TEST(Deal, HighestNumbersTakeTheLastFreeCellAndTheLastPieceTheOnlyOne) {
  ScriptedRandom random({0.9999999999999999});
  const std::vector<DealtPiece> dealt = dealPieces(5, 8, random);
  EXPECT_EQ(cellsOf(dealt), (std::vector<int>{4, 3, 2, 1, 0}));
  for (const DealtPiece& piece : dealt) EXPECT_EQ(piece.orientation, 7);
}

TEST(Deal, EveryCellOnceAndOrientationsWithinTheKinds) {
  struct Case {
    int pieces, kinds;
  };
  for (const Case c : {Case{4, 1}, Case{12, 4}, Case{100, 8}, Case{2000, 1}, Case{2000, 4}, Case{2000, 8}}) {
    Random random([] { return 12345; });
    const std::vector<DealtPiece> dealt = dealPieces(c.pieces, c.kinds, random);
    std::vector<int> cells = cellsOf(dealt);
    std::sort(cells.begin(), cells.end());
    std::vector<int> all(c.pieces);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(cells, all) << c.pieces;
    std::set<int> seen;
    for (const DealtPiece& piece : dealt) seen.insert(piece.orientation);
    EXPECT_EQ(*seen.rbegin(), c.kinds - 1) << c.pieces << " pieces, " << c.kinds << " kinds";
    if (c.pieces >= 100) EXPECT_EQ(int(seen.size()), c.kinds) << "every kind occurs";
    EXPECT_GE(*seen.begin(), 0);
  }
}

TEST(Deal, UnchangedClockStillShuffles) {
  Random first([] { return 777; });
  Random second([] { return 777; });
  const std::vector<DealtPiece> dealt = dealPieces(200, 8, first);
  const std::vector<int> cells = cellsOf(dealt);
  EXPECT_EQ(cells, cellsOf(dealPieces(200, 8, second))) << "same clock, same deal";

  // Re-seeding to the same state would hand every piece the same pair of numbers: one orientation for
  // all of them.
  std::set<int> orientations;
  for (const DealtPiece& piece : dealt) orientations.insert(piece.orientation);
  EXPECT_EQ(orientations.size(), 8u);
  int atHome = 0;
  for (int i = 0; i < 200; ++i) atHome += cells[i] == i;
  EXPECT_LT(atHome, 10) << "shuffled";
}

TEST(Deal, NoPiecesNoDeal) {
  Random random;
  EXPECT_TRUE(dealPieces(0, 8, random).empty());
}

}  // namespace
}  // namespace tarsio
