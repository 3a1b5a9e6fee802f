// Joined pieces: the join test of neighbours in the picture and the bookkeeping of their groups.
#include "play/Groups.h"

#include <QHash>
#include <algorithm>
#include <cmath>

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
