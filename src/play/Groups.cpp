// Joined pieces: the join test of neighbours in the picture and the bookkeeping of their groups.
#include "play/Groups.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "play/Docking.h"

namespace tarsio {

std::vector<int> pictureNeighbours(int piece, const JoinGrid& grid) {
  const int row = piece / grid.columns, column = piece % grid.columns;
  std::vector<int> out;
  if (column > 0) out.push_back(piece - 1);
  if (column + 1 < grid.columns) out.push_back(piece + 1);
  if (row > 0) out.push_back(piece - grid.columns);
  if (row + 1 < grid.rows) out.push_back(piece + grid.columns);
  return out;
}

QPointF rightPlace(int piece, QPointF pieceTopLeft, int other, const JoinGrid& grid) {
  const int columns = other % grid.columns - piece % grid.columns;
  const int rows = other / grid.columns - piece / grid.columns;
  return pieceTopLeft + QPointF(columns * grid.cellWidth, rows * grid.cellHeight);
}

bool joins(int piece, const LyingPiece& at, int other, const LyingPiece& otherAt, const JoinGrid& grid) {
  const int apart = std::abs(other % grid.columns - piece % grid.columns) +
                    std::abs(other / grid.columns - piece / grid.columns);
  if (apart != 1 || at.docked || otherAt.docked || at.orientation != 0 || otherAt.orientation != 0)
    return false;
  const QPointF off = otherAt.topLeft - rightPlace(piece, at.topLeft, other, grid);
  return std::abs(off.x()) < DockingTolerance && std::abs(off.y()) < DockingTolerance;
}

std::vector<Join> joinsAfterDrop(const std::vector<int>& dropped, const std::function<LyingPiece(int)>& lying,
                                 const JoinGrid& grid) {
  std::vector<int> moved = dropped;
  std::sort(moved.begin(), moved.end());
  std::vector<Join> found;
  for (const int piece : dropped) {
    const LyingPiece at = lying(piece);
    if (at.docked || at.orientation != 0) continue;
    for (const int other : pictureNeighbours(piece, grid))
      if (!std::binary_search(moved.begin(), moved.end(), other) &&
          joins(piece, at, other, lying(other), grid))
        found.push_back({piece, other});
  }
  return found;
}

namespace {

constexpr double Hair = 0.5;

// The distinct values among `values`, those within a hair of a smaller one taken as it.
std::vector<double> levelsOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::vector<double> levels;
  for (double v : values)
    if (levels.empty() || v - levels.back() > Hair) levels.push_back(v);
  return levels;
}

int levelOf(const std::vector<double>& levels, double v) {
  return static_cast<int>(std::upper_bound(levels.begin(), levels.end(), v + Hair) - levels.begin()) - 1;
}

// A box as the levels of its sides: along the axis looked at, and across it.
struct Span {
  int from, to, near, far;
};

// One end of a side, packed for a fast sort by its line, then where it lies along the line.
std::uint64_t sideEnd(int line, int at, bool far, bool ends) {
  return std::uint64_t(line) << 32 | std::uint64_t(at) << 2 | (far ? 2u : 0u) | (ends ? 1u : 0u);
}

// The edges that lie along the axis of `spans`, whose levels are `a` along it and `l` across: on each
// line, the stretches that a near side (a top) covers and a far side (a bottom) does not, or the other
// way round.
void edgesAlong(const std::vector<Span>& spans, const std::vector<double>& a, const std::vector<double>& l,
                bool across, std::vector<Edge>& out) {
  std::vector<std::uint64_t> ends;
  ends.reserve(4 * spans.size());
  for (const Span& s : spans)
    ends.insert(ends.end(), {sideEnd(s.near, s.from, false, false), sideEnd(s.near, s.to, false, true),
                             sideEnd(s.far, s.from, true, false), sideEnd(s.far, s.to, true, true)});
  std::sort(ends.begin(), ends.end());
  const auto lineOf = [](std::uint64_t e) { return int(e >> 32); };
  const auto atOf = [](std::uint64_t e) { return int(e >> 2 & 0x3fffffff); };
  const auto point = [&](int line, int at) { return across ? QPointF(l[line], a[at]) : QPointF(a[at], l[line]); };
  const Edge::Side nearSide = across ? Edge::Side::Left : Edge::Side::Top;
  const Edge::Side farSide = across ? Edge::Side::Right : Edge::Side::Bottom;
  int nearCover = 0, farCover = 0;
  for (std::size_t k = 0; k < ends.size();) {
    const int line = lineOf(ends[k]), at = atOf(ends[k]);
    for (; k < ends.size() && lineOf(ends[k]) == line && atOf(ends[k]) == at; ++k)
      (ends[k] & 2 ? farCover : nearCover) += ends[k] & 1 ? -1 : 1;
    if (k == ends.size() || lineOf(ends[k]) != line || (nearCover > 0) == (farCover > 0)) continue;
    const Edge edge{point(line, at), point(line, atOf(ends[k])), nearCover > 0 ? nearSide : farSide};
    if (!out.empty() && out.back().to == edge.from && out.back().side == edge.side)
      out.back().to = edge.to;
    else
      out.push_back(edge);
  }
}

}  // namespace

std::vector<Edge> outlineOf(const std::vector<QRectF>& boxes) {
  std::vector<double> xs, ys;
  for (const QRectF& b : boxes) {
    xs.insert(xs.end(), {b.left(), b.right()});
    ys.insert(ys.end(), {b.top(), b.bottom()});
  }
  const std::vector<double> x = levelsOf(std::move(xs)), y = levelsOf(std::move(ys));
  std::vector<Span> rows, columns;
  for (const QRectF& b : boxes) {
    const int left = levelOf(x, b.left()), right = levelOf(x, b.right());
    const int top = levelOf(y, b.top()), bottom = levelOf(y, b.bottom());
    rows.push_back({left, right, top, bottom});
    columns.push_back({top, bottom, left, right});
  }
  std::vector<Edge> edges;
  edgesAlong(rows, x, y, false, edges);
  edgesAlong(columns, y, x, true, edges);
  return edges;
}

void Groups::reset(int pieces) {
  groupOf_.assign(pieces, None);
  members_.clear();
  lowest_.clear();
}

std::vector<int> Groups::withGroup(int piece) const {
  return groupOf_[piece] == None ? std::vector<int>{piece} : members_[groupOf_[piece]];
}

void Groups::join(int a, int b) {
  int into = groupOf_[a], from = groupOf_[b];
  if (into != None && into == from) return;
  if (into == None) std::swap(into, from), std::swap(a, b);
  if (into == None) {
    into = static_cast<int>(members_.size());
    members_.push_back({a});
    lowest_.push_back(a);
    groupOf_[a] = into;
  }
  lowest_[into] = std::min(lowest_[into], from == None ? b : lowest_[from]);
  for (const int piece : from == None ? std::vector<int>{b} : std::exchange(members_[from], {})) {
    groupOf_[piece] = into;
    members_[into].push_back(piece);
  }
}

void Groups::takeOut(int piece) {
  const int group = groupOf_[piece];
  if (group == None) return;
  std::erase(members_[group], piece);
  groupOf_[piece] = None;
  if (lowest_[group] == piece && !members_[group].empty())
    lowest_[group] = *std::min_element(members_[group].begin(), members_[group].end());
  if (members_[group].size() == 1) {
    groupOf_[members_[group].front()] = None;
    members_[group].clear();
  }
}

void Groups::restore(const std::vector<int>& numbering) {
  reset(static_cast<int>(numbering.size()));
  QHash<int, int> first;  // the first piece of each number
  for (int piece = 0; piece < int(numbering.size()); ++piece) {
    if (numbering[piece] < 0) continue;
    if (const auto at = first.constFind(numbering[piece]); at != first.cend())
      join(*at, piece);
    else
      first.insert(numbering[piece], piece);
  }
}

std::vector<std::vector<int>> Groups::all() const {
  std::vector<std::vector<int>> all;
  QHash<int, std::size_t> at;  // where each group is in `all`
  for (int piece = 0; piece < count(); ++piece) {
    if (groupOf_[piece] == None) continue;
    const auto found = at.constFind(groupOf_[piece]);
    if (found == at.cend()) {
      at.insert(groupOf_[piece], all.size());
      all.push_back({piece});
    } else
      all[*found].push_back(piece);
  }
  return all;
}

}  // namespace tarsio
