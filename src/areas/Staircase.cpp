// The geometry and the random order of the staircase of loose pieces.
#include "areas/Staircase.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tarsio {

namespace {

// Space kept between the area above and the staircase, and after the reset button.
constexpr double Gap = 50;
// Room left under the staircase, above the bottom of the window.
constexpr double BottomMargin = 700;

// Twips to a whole number: nearest, halves to the even neighbour.
long long roundTwips(double value) { return static_cast<long long>(std::nearbyint(value)); }

// The entries of a list still remaining, counted in a Fenwick tree, so that the one at a given
// position among those remaining is found and taken out in logarithmic time; taking it out of the
// list itself would move half the list for every piece.
class RemainingEntries {
 public:
  explicit RemainingEntries(std::size_t count) : counts_(count + 1, 1) {
    counts_[0] = 0;
    for (std::size_t i = 1; i <= count; ++i)
      if (const std::size_t parent = i + (i & (~i + 1)); parent <= count) counts_[parent] += counts_[i];
  }
  // The list index of the entry at `position` (from 0) among those remaining, which is taken out.
  std::size_t take(long long position) {
    const std::size_t count = counts_.size() - 1;
    std::size_t at = 0;
    for (std::size_t step = std::bit_floor(count); step > 0; step >>= 1) {
      if (at + step <= count && counts_[at + step] <= position) {
        at += step;
        position -= counts_[at];
      }
    }
    for (std::size_t i = at + 1; i <= count; i += i & (~i + 1)) --counts_[i];
    return at;
  }

 private:
  std::vector<long long> counts_;  // from 1; entry i counts the remaining entries of its range
};

}  // namespace

StaircaseStart staircaseStart(const StaircaseArea& area) {
  if (area.areaLevel < 0) {
    const ElementBox& picture = area.picture;
    return {roundTwips(picture.left), roundTwips(picture.top + picture.height + Gap), picture.width};
  }
  StaircaseStart start{roundTwips(area.gridLeft), roundTwips(area.gridBottom + Gap), area.gridWidth};
  const ResetButtonPlace& button = area.resetButton;
  const float buttonRight = static_cast<float>(button.left) + static_cast<float>(button.width);
  if (button.visible && buttonRight > static_cast<float>(start.x))
    start.x = roundTwips(buttonRight + static_cast<float>(Gap));
  return start;
}

StaircaseSteps staircaseSteps(int looseCount, const StaircaseStart& start, const StaircaseRoom& room) {
  if (looseCount <= 1) return {};
  const double intervals = looseCount - 1;
  StaircaseSteps steps{
      (start.span - room.cellWidth) / intervals,
      (room.windowHeight - static_cast<double>(start.y) - room.templateHeight - BottomMargin) / intervals};
  steps.x = std::min(steps.x, room.cellWidth + Gap);
  steps.y = std::min(steps.y, room.cellHeight + Gap);
  return steps;
}

std::vector<int> placementOrder(std::vector<int> looseIndices, const std::function<double()>& rnd) {
  std::vector<int> order;
  order.reserve(looseIndices.size());
  RemainingEntries entries(looseIndices.size());
  for (auto remaining = static_cast<long long>(looseIndices.size()); remaining > 0; --remaining) {
    long long position = 0;
    if (remaining > 1) {
      // Int((R - 1) * u + 1) lies in 1 .. R - 1 for u in [0, 1); the clamp only guards the rounding of
      // a u just below 1.
      position = static_cast<long long>(std::floor((remaining - 1) * rnd() + 1));
      position = std::clamp(position, 1LL, remaining - 1);
    }
    order.push_back(looseIndices[entries.take(position)]);
  }
  return order;
}

std::vector<StaircasePoint> staircasePoints(const StaircaseStart& start, const StaircaseSteps& steps,
                                            int count) {
  std::vector<StaircasePoint> points;
  points.reserve(std::max(count, 0));
  StaircasePoint point{start.x, start.y};
  for (int i = 0; i < count; ++i) {
    points.push_back(point);
    point = {roundTwips(static_cast<double>(point.x) + steps.x),
             roundTwips(static_cast<double>(point.y) + steps.y)};
  }
  return points;
}

void keepOnBoard(std::vector<StaircasePoint>& points, const std::vector<Extent>& sizes, Extent board) {
  if (points.empty()) return;
  double overRight = 0, overBottom = 0;
  long long leftmost = points.front().x, topmost = points.front().y;
  for (std::size_t k = 0; k < points.size(); ++k) {
    overRight = std::max(overRight, static_cast<double>(points[k].x) + sizes[k].width - board.width);
    overBottom = std::max(overBottom, static_cast<double>(points[k].y) + sizes[k].height - board.height);
    leftmost = std::min(leftmost, points[k].x);
    topmost = std::min(topmost, points[k].y);
  }
  const long long left = std::min(static_cast<long long>(std::ceil(overRight)), std::max(leftmost, 0LL));
  const long long up = std::min(static_cast<long long>(std::ceil(overBottom)), std::max(topmost, 0LL));
  if (left == 0 && up == 0) return;
  for (StaircasePoint& point : points) point = {point.x - left, point.y - up};
}

}  // namespace tarsio
