// Pieces joined on the table: the join test of two neighbours in the picture, and the groups they form.
#pragma once

#include <QPointF>
#include <functional>
#include <vector>

#include "platform/EdgeElement.h"

namespace tarsio {

// The grid as joining sees it: its counts and its cell size (twips), the size of an upright piece.
struct JoinGrid {
  int rows = 1;
  int columns = 1;
  double cellWidth = 0;
  double cellHeight = 0;
};

// Piece `piece` as it lies on the table: its top-left corner (twips), its orientation, whether docked.
struct LyingPiece {
  QPointF topLeft;
  int orientation = 0;
  bool docked = false;
};

// The pieces beside piece `piece` in the picture (left, right, above, below), those the grid has.
std::vector<int> pictureNeighbours(int piece, const JoinGrid& grid);

// Where the top-left corner of `other` lies in its right place beside `piece`, whose corner is at
// `pieceTopLeft`: one cell width per column and one cell height per row apart, as in the picture.
QPointF rightPlace(int piece, QPointF pieceTopLeft, int other, const JoinGrid& grid);

// Whether two pieces join: neighbours in the picture, both loose, face up and upright (orientation 0),
// and `other` less than the docking tolerance (twips, on each axis) from its right place beside `piece`.
bool joins(int piece, const LyingPiece& at, int other, const LyingPiece& otherAt, const JoinGrid& grid);

// A join found after a drop: the dropped piece and the neighbour of another group it joins.
struct Join {
  int dropped = 0;
  int other = 0;
};

// The joins of the pieces `dropped` (put down together) with their neighbours that were not moved with
// them, in the order of `dropped`; only the dropped pieces' neighbours are looked at, and pieces put
// down together do not join one another (they lay as they lie before).
std::vector<Join> joinsAfterDrop(const std::vector<int>& dropped, const std::function<LyingPiece(int)>& lying,
                                 const JoinGrid& grid);

// The edge of the union of `boxes` (twips) that meet side to side without overlapping, such as the
// pieces of a group: every stretch of a box's side that no other box's opposite side meets, stretches
// in one line on one side merged into one edge; sides meet when they lie within half a twip.
std::vector<Edge> outlineOf(const std::vector<QRectF>& boxes);

// Which pieces are joined: each piece alone, or in one group of two or more.
class Groups {
 public:
  static constexpr int None = -1;

  // `pieces` pieces, every one alone.
  void reset(int pieces);
  int count() const { return static_cast<int>(groupOf_.size()); }
  // The group of a piece, None when it is alone.
  int groupOf(int piece) const { return groupOf_[piece]; }
  // The pieces of a group, in the order they joined.
  const std::vector<int>& members(int group) const { return members_[group]; }
  // A group's lowest piece, which no order of joining changes.
  int lowest(int group) const { return lowest_[group]; }
  // A piece's group's pieces, or the piece alone.
  std::vector<int> withGroup(int piece) const;
  // Puts the pieces of `a`'s and `b`'s groups (or the pieces alone) into one group.
  void join(int a, int b);
  // Takes a piece out of its group; a group left with one piece is no group.
  void takeOut(int piece);
  // The group of each piece, as a game keeps it, and back: pieces with the same number ≥ 0 form one
  // group, None alone; any other numbering is put back as well-formed groups.
  std::vector<int> numbering() const { return groupOf_; }
  void restore(const std::vector<int>& numbering);
  // Every group's pieces, each in ascending order, the groups in the order of their lowest pieces.
  std::vector<std::vector<int>> all() const;

 private:
  std::vector<int> groupOf_;
  std::vector<std::vector<int>> members_;  // empty once a group has joined another or fallen apart
  std::vector<int> lowest_;
};

}  // namespace tarsio
