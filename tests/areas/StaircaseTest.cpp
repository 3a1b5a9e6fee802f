// Tests of the staircase of collected pieces: start point, steps, order and accumulated rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "areas/Staircase.h"

namespace tarsio {
namespace {

StaircaseArea gridArea() {
  StaircaseArea area;
  area.picture = {100, 200, 4000, 3000};
  area.gridLeft = 4130;
  area.gridBottom = 3200;
  area.gridWidth = 3990;
  area.resetButton = {300, 1000, true};
  return area;
}

TEST(StaircaseStart, UnderTheGridAtItsLeftEdge) {
  const StaircaseStart start = staircaseStart(gridArea());
  EXPECT_EQ(start.x, 4130);
  EXPECT_EQ(start.y, 3250);
  EXPECT_DOUBLE_EQ(start.span, 3990);
}

TEST(StaircaseStart, EnlargedGridAreaStartsUnderThePicture) {
  StaircaseArea area = gridArea();
  area.areaLevel = -1;
  area.resetButton = {5000, 1000, true};  // never looked at under the picture
  const StaircaseStart start = staircaseStart(area);
  EXPECT_EQ(start.x, 100);
  EXPECT_EQ(start.y, 3250);
  EXPECT_DOUBLE_EQ(start.span, 4000);
}

TEST(StaircaseStart, ResetButtonReachingFurtherRightShiftsTheStartOnly) {
  StaircaseArea area = gridArea();
  area.resetButton = {4000, 1000, true};
  StaircaseStart start = staircaseStart(area);
  EXPECT_EQ(start.x, 5050);
  EXPECT_EQ(start.y, 3250);
  EXPECT_DOUBLE_EQ(start.span, 3990);

  area.resetButton.visible = false;
  EXPECT_EQ(staircaseStart(area).x, 4130);

  area.resetButton = {3000, 1130, true};  // ends exactly at the grid's left edge: not further right
  EXPECT_EQ(staircaseStart(area).x, 4130);
  area.resetButton = {3000, 1131, true};
  EXPECT_EQ(staircaseStart(area).x, 4181);
}

TEST(StaircaseStart, RoundsHalvesToEven) {
  StaircaseArea area = gridArea();
  area.gridLeft = 4130.5;
  area.gridBottom = 3201.5;
  area.resetButton.visible = false;
  StaircaseStart start = staircaseStart(area);
  EXPECT_EQ(start.x, 4130);
  EXPECT_EQ(start.y, 3252);
  area.areaLevel = -2;
  area.picture = {100.5, 200.25, 4000, 3000.25};
  start = staircaseStart(area);
  EXPECT_EQ(start.x, 100);
  EXPECT_EQ(start.y, 3250);
}

TEST(StaircaseSteps, OnePieceHasNoSteps) {
  const StaircaseSteps steps = staircaseSteps(1, {4130, 3250, 3990}, {9000, 500, 400, 300});
  EXPECT_EQ(steps.x, 0);
  EXPECT_EQ(steps.y, 0);
}

TEST(StaircaseSteps, DivideTheRoomAmongTheIntervals) {
  // span 3990 - cell 399 over 9 intervals; height 9000 - 3250 - 500 - 700 over 9 intervals.
  const StaircaseSteps steps = staircaseSteps(10, {4130, 3250, 3990}, {9000, 500, 399, 600});
  EXPECT_DOUBLE_EQ(steps.x, 3591.0 / 9);
  EXPECT_DOUBLE_EQ(steps.y, 4550.0 / 9);
}

TEST(StaircaseSteps, AreCappedAtCellPlus50) {
  const StaircaseSteps steps = staircaseSteps(2, {4130, 3250, 3990}, {9000, 500, 399, 300});
  EXPECT_DOUBLE_EQ(steps.x, 449);
  EXPECT_DOUBLE_EQ(steps.y, 350);
}

TEST(StaircaseSteps, MayBeNegative) {
  // A span narrower than a cell and a window too short for the staircase.
  const StaircaseSteps steps = staircaseSteps(3, {4130, 3250, 300}, {4000, 500, 400, 300});
  EXPECT_DOUBLE_EQ(steps.x, -50);
  EXPECT_DOUBLE_EQ(steps.y, -225);
}

// A source of uniform numbers that plays back a fixed list and counts the calls.
class Draws {
 public:
  explicit Draws(std::deque<double> values) : values_(std::move(values)) {}
  std::function<double()> source() {
    return [this] {
      EXPECT_FALSE(values_.empty()) << "more draws than expected";
      if (values_.empty()) return 0.0;
      const double u = values_.front();
      values_.pop_front();
      return u;
    };
  }
  bool used() const { return values_.empty(); }

 private:
  std::deque<double> values_;
};

TEST(PlacementOrder, OnePieceDrawsNothing) {
  Draws draws({});
  EXPECT_EQ(placementOrder({7}, draws.source()), std::vector<int>{7});
}

TEST(PlacementOrder, TwoPiecesPlaceTheHigherFirst) {
  Draws draws({0.0});
  EXPECT_EQ(placementOrder({3, 8}, draws.source()), (std::vector<int>{8, 3}));
  EXPECT_TRUE(draws.used());
}

TEST(PlacementOrder, TakesPositionIntOfRMinusOneTimesUPlusOne) {
  // R = 5: u 0.74 -> 1 + Int(2.96) = 3 (index 30); R = 4: u 0.999 -> 3 (index 40);
  // R = 3: u 0.5 -> 2 (index 20); R = 2: u 0.25 -> 1 (index 10); the lowest index comes last.
  Draws draws({0.74, 0.999, 0.5, 0.25});
  EXPECT_EQ(placementOrder({0, 10, 20, 30, 40}, draws.source()), (std::vector<int>{30, 40, 20, 10, 0}));
  EXPECT_TRUE(draws.used());
}

TEST(PlacementOrder, ALongListTakesTheSameEntriesAsRemovingThemFromTheListOneByOne) {
  // 5000 entries drawn with varied u, against the rule applied to a plain list.
  std::vector<int> indices(5000);
  for (int i = 0; i < 5000; ++i) indices[i] = 3 * i + 1;
  std::vector<double> us;
  for (int k = 0; k < 4999; ++k) us.push_back(std::fmod(k * 0.6180339887498949, 1.0));
  std::vector<int> expected, list = indices;
  for (double u : us) {
    const auto position = static_cast<long long>(std::floor((list.size() - 1) * u + 1));
    expected.push_back(list[position]);
    list.erase(list.begin() + position);
  }
  expected.push_back(list.front());
  Draws draws({us.begin(), us.end()});
  EXPECT_EQ(placementOrder(indices, draws.source()), expected);
  EXPECT_TRUE(draws.used());
}

TEST(PlacementOrder, UJustBelowOneStaysInTheList) {
  const double justBelowOne = std::nextafter(1.0, 0.0);
  Draws draws({justBelowOne, justBelowOne});
  EXPECT_EQ(placementOrder({1, 2, 3}, draws.source()), (std::vector<int>{3, 2, 1}));
}

TEST(StaircasePoints, OnePieceSitsAtTheStart) {
  EXPECT_EQ(staircasePoints({4130, 3250, 3990}, {}, 1), (std::vector<StaircasePoint>{{4130, 3250}}));
}

TEST(StaircasePoints, TwoPiecesOneStepApart) {
  const StaircaseSteps steps = staircaseSteps(2, {4130, 3250, 3990}, {9000, 500, 399, 300});
  EXPECT_EQ(staircasePoints({4130, 3250, 3990}, steps, 2),
            (std::vector<StaircasePoint>{{4130, 3250}, {4579, 3600}}));
}

TEST(StaircasePoints, RoundingAccumulatesHalvesToEven) {
  // From 0 by 2.5: 2.5 -> 2, 4.5 -> 4, 6.5 -> 6, 8.5 -> 8 (not 2.5 k rounded: 0, 2, 5, 8, 10).
  // By -1.5 from 1: -0.5 -> -0, -1.5 -> -2, -3.5 -> -4, -5.5 -> -6.
  EXPECT_EQ(staircasePoints({0, 1, 0}, {2.5, -1.5}, 5),
            (std::vector<StaircasePoint>{{0, 1}, {2, 0}, {4, -2}, {6, -4}, {8, -6}}));
}

TEST(StaircasePoints, UncappedStaircaseEndsOneSpanRightOfTheStart) {
  const StaircaseStart start{4130, 3250, 3990};
  const StaircaseRoom room{9000, 500, 399, 600};
  const std::vector<StaircasePoint> points = staircasePoints(start, staircaseSteps(10, start, room), 10);
  ASSERT_EQ(points.size(), 10u);
  EXPECT_NEAR(points.back().x + room.cellWidth, start.x + start.span, 5);
  EXPECT_NEAR(points.back().y, room.windowHeight - room.templateHeight - 700, 5);
}

TEST(StaircasePoints, MoveUpOrLeftJustEnoughForEveryPieceToLieOnTheBoard) {
  // Three places on a 2000 x 1500 board, the last piece turned, 600 wide and tall.
  const struct {
    std::vector<StaircasePoint> places;
    long long left, up;
  } cases[] = {{{{100, 100}, {500, 500}, {900, 900}}, 0, 0},      // they fit
               {{{100, 300}, {500, 700}, {900, 1100}}, 0, 200},   // 200 too low
               {{{700, 100}, {1100, 500}, {1500, 900}}, 100, 0},  // 100 too far right
               {{{50, 100}, {1250, 500}, {2450, 900}}, 50, 0}};   // too wide: the start stays on the board
  for (const auto& c : cases) {
    std::vector<StaircasePoint> at = c.places;
    keepOnBoard(at, {{500, 300}, {500, 300}, {600, 600}}, {2000, 1500});
    for (std::size_t k = 0; k < at.size(); ++k)
      EXPECT_EQ(at[k], (StaircasePoint{c.places[k].x - c.left, c.places[k].y - c.up}));
  }
}

}  // namespace
}  // namespace tarsio
