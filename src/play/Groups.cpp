// Joined pieces: the join test of neighbours in the picture and the bookkeeping of their groups.
#include "play/Groups.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <tuple>

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

// A box as its stretch along the axis looked at and its stretch across it.
struct Span {
  double from, to, near, far;
};

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

// The edges that lie along the axis of `spans`: on each line, the stretches that a near side (a top)
// covers and a far side (a bottom) does not, or the other way round.
void edgesAlong(const std::vector<Span>& spans, bool across, std::vector<Edge>& out) {
  std::vector<double> along, lines;
  for (const Span& s : spans) {
    along.insert(along.end(), {s.from, s.to});
    lines.insert(lines.end(), {s.near, s.far});
  }
  const std::vector<double> a = levelsOf(along), l = levelsOf(lines);
  // Per side: its line, where it begins or ends along it, +1 or -1 for a near side, ±2 for a far one.
  std::vector<std::tuple<int, int, int>> events;
  for (const Span& s : spans) {
    const int from = levelOf(a, s.from), to = levelOf(a, s.to);
    events.insert(events.end(), {{levelOf(l, s.near), from, 1}, {levelOf(l, s.near), to, -1},
                                 {levelOf(l, s.far), from, 2}, {levelOf(l, s.far), to, -2}});
  }
  std::sort(events.begin(), events.end());
  const auto point = [&](int line, int at) {
    return across ? QPointF(l[line], a[at]) : QPointF(a[at], l[line]);
  };
  const Edge::Side nearSide = across ? Edge::Side::Left : Edge::Side::Top;
  const Edge::Side farSide = across ? Edge::Side::Right : Edge::Side::Bottom;
  for (std::size_t k = 0; k < events.size();) {
    const int line = std::get<0>(events[k]);
    int nearCover = 0, farCover = 0;
    while (k < events.size() && std::get<0>(events[k]) == line) {
      const int at = std::get<1>(events[k]);
      for (; k < events.size() && std::get<0>(events[k]) == line && std::get<1>(events[k]) == at; ++k)
        (std::abs(std::get<2>(events[k])) == 1 ? nearCover : farCover) += std::get<2>(events[k]) > 0 ? 1 : -1;
      if (k == events.size() || std::get<0>(events[k]) != line || (nearCover > 0) == (farCover > 0)) continue;
      const Edge edge{point(line, at), point(line, std::get<1>(events[k])), nearCover > 0 ? nearSide : farSide};
      if (!out.empty() && out.back().to == edge.from && out.back().side == edge.side)
        out.back().to = edge.to;
      else
        out.push_back(edge);
    }
  }
}

}  // namespace

std::vector<Edge> outlineOf(const std::vector<QRectF>& boxes) {
  std::vector<Span> rows, columns;
  for (const QRectF& b : boxes) {
    rows.push_back({b.left(), b.right(), b.top(), b.bottom()});
    columns.push_back({b.top(), b.bottom(), b.left(), b.right()});
  }
  std::vector<Edge> edges;
  edgesAlong(rows, false, edges);
  edgesAlong(columns, true, edges);
  return edges;
}

void Groups::reset(int pieces) {
  groupOf_.assign(pieces, None);
  members_.clear();
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
    groupOf_[a] = into;
  }
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

}  // namespace tarsio
