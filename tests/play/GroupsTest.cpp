// The join test of neighbours in the picture, and the groups it makes.
#include <gtest/gtest.h>

#include <QLineF>

#include "play/Groups.h"

namespace tarsio {
namespace {

// 3 rows of 4 cells, 900 x 600 twips.
const JoinGrid grid{3, 4, 900, 600};

TEST(Groups, RightNeighboursJoinWrongOnesDoNotTurnedOrNot) {
  const QPointF at(5000, 3000);
  struct Case {
    int other;
    QPointF offset;  // from the other's right place beside piece 5
    int orientation, otherOrientation;
    bool joins;
  };
  const Case cases[] = {
      {6, {0, 0}, 0, 0, true},   {4, {99, -99}, 0, 0, true}, {1, {-99.5, 99.5}, 0, 0, true},
      {9, {0, 0}, 0, 0, true},   {6, {100, 0}, 0, 0, false}, {9, {0, -100}, 0, 0, false},
      {6, {0, 0}, 1, 0, false},  {6, {0, 0}, 0, 2, false},   {6, {0, 0}, 4, 4, false},
      {10, {0, 0}, 0, 0, false}, {7, {0, 0}, 0, 0, false},   {3, {0, 0}, 0, 0, false},
  };
  for (const Case& c : cases) {
    const QPointF place = rightPlace(5, at, c.other, grid);
    EXPECT_EQ(joins(5, {at, c.orientation}, c.other, {place + c.offset, c.otherOrientation}, grid), c.joins)
        << "piece " << c.other << " off by " << c.offset.x() << ", " << c.offset.y() << ", orientations "
        << c.orientation << " " << c.otherOrientation;
  }
  EXPECT_EQ(rightPlace(5, at, 10, grid), QPointF(5900, 3600)) << "the diagonal neighbour's place";
  // Piece 4 begins a row and piece 3 ends the one above: they are no neighbours, however they lie.
  EXPECT_FALSE(joins(4, {at}, 3, {at + QPointF(-900, 0)}, grid));
  EXPECT_FALSE(joins(5, {at}, 6, {rightPlace(5, at, 6, grid), 0, true}, grid)) << "docked";
}

TEST(Groups, ADropJoinsOnlyPiecesOutsideItAndGroupsMergeAndFallApart) {
  std::vector<LyingPiece> lying(12);
  for (int i = 0; i < 12; ++i) lying[i].topLeft = QPointF(i * 2000, 0);  // far apart
  lying[1].topLeft = QPointF(900 + 30, -20);                             // beside piece 0
  lying[4].topLeft = QPointF(10, 600);                                   // below piece 0
  const auto at = [&](int i) { return lying[i]; };
  std::vector<Join> found = joinsAfterDrop({0}, at, grid);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].other, 1);
  EXPECT_EQ(found[1].other, 4);
  EXPECT_EQ(joinsAfterDrop({0, 1}, at, grid).size(), 1u) << "pieces put down together do not join";

  Groups groups;
  groups.reset(12);
  groups.join(0, 1);
  groups.join(5, 6);
  groups.join(1, 5);
  EXPECT_EQ(groups.withGroup(6).size(), 4u);
  EXPECT_EQ(groups.groupOf(0), groups.groupOf(6));
  Groups back;
  back.restore(groups.numbering());
  EXPECT_EQ(back.withGroup(0).size(), 4u);
  EXPECT_EQ(back.groupOf(11), Groups::None);
  groups.takeOut(0);
  groups.takeOut(1);
  EXPECT_EQ(groups.groupOf(0), Groups::None);
  EXPECT_EQ(groups.withGroup(5).size(), 2u);
  groups.takeOut(6);
  EXPECT_EQ(groups.groupOf(5), Groups::None) << "a group of one is no group";
}

// Cells of 900.1 x 600.3 twips whose sides come from different sums: the outline is the group's edge.
TEST(Groups, theOutlineIsTheEdgeOfTheGroupWithoutItsInnerSides) {
  const double w = 900.1, h = 600.3;
  struct Case {
    std::vector<std::pair<int, int>> cells;  // column, row
    std::size_t edges;
    double widths, heights;  // the length of its edges
  };
  const Case cases[] = {
      {{{0, 0}}, 4, 2, 2},
      {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 4, 4, 4},
      {{{0, 0}, {0, 1}, {1, 1}}, 6, 4, 4},
      {{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}, 8, 8, 8},
  };
  for (const Case& c : cases) {
    std::vector<QRectF> boxes;
    for (auto [column, row] : c.cells) boxes.emplace_back(0.7 + column * w, 0.2 + row * h, w, h);
    const std::vector<Edge> edges = outlineOf(boxes);
    double along = 0, down = 0;
    for (const Edge& e : edges) (e.from.y() == e.to.y() ? along : down) += QLineF(e.from, e.to).length();
    EXPECT_EQ(edges.size(), c.edges) << c.cells.size() << " cells";
    EXPECT_NEAR(along, c.widths * w, 1e-6) << c.cells.size() << " cells";
    EXPECT_NEAR(down, c.heights * h, 1e-6) << c.cells.size() << " cells";
  }
  const std::vector<Edge> square = outlineOf({{0, 0, w, h}, {w, 0, w, h}, {0, h, w, h}, {w, h, w, h}});
  EXPECT_EQ(square.front(), (Edge{{0, 0}, {2 * w, 0}, Edge::Side::Top}));
  EXPECT_EQ(square.back(), (Edge{{2 * w, 0}, {2 * w, 2 * h}, Edge::Side::Right}));
}

}  // namespace
}  // namespace tarsio
