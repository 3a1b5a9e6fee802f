// Pieces that join: right neighbours put down beside each other snap together and move, dock and are
// taken back as one group; a right click takes a piece out of its group.
#include <algorithm>

#include "board/Board.h"
#include "play/Docking.h"

namespace tarsio {

void Board::mUniscono_Click() {
  mUniscono.setChecked(!mUniscono.Checked());
  preferences.set(remembered::Joining, mUniscono.Checked());
  // Unchecked, no piece is joined to another: every group falls apart.
  if (!mUniscono.Checked()) {
    groups.reset(game.PieceCount);
    refreshGroupOutline();
  }
}

std::vector<int> Board::handOf(int index) const {
  std::vector<int> hand = selection.contains(index) ? selection.pieces() : std::vector<int>{index};
  if (!mUniscono.Checked()) return hand;
  std::vector<char> in(game.PieceCount, 0);
  for (int i : hand) in[i] = 1;
  for (std::size_t k = 0, n = hand.size(); k < n; ++k)
    if (groups.groupOf(hand[k]) != Groups::None)
      for (int other : groups.members(groups.groupOf(hand[k])))
        if (!std::exchange(in[other], 1)) hand.push_back(other);
  return hand;
}

// The first join found snaps the dropped pieces beside the neighbour, so that they lie exactly in their
// right places; each join found then makes one group of the two.
void Board::joinAfterDrop(const std::vector<int>& hand) {
  if (!mUniscono.Checked() || game.GamePhase != 3) return;
  const JoinGrid grid{game.RowCount, game.ColumnCount, game.CellWidth, game.CellHeight};
  const auto lying = [this](int i) {
    return LyingPiece{ImA(i).boxTwips().topLeft(), game.Orientation[i], game.Docked[i]};
  };
  const std::vector<Join> found = joinsAfterDrop(hand, lying, grid);
  if (found.empty()) return;
  const QPointF place = rightPlace(found.front().other, ImA(found.front().other).boxTwips().topLeft(),
                                   found.front().dropped, grid);
  const QPointF by = place - ImA(found.front().dropped).boxTwips().topLeft();
  for (int i : hand) ImA(i).Move(ImA(i).Left() + by.x(), ImA(i).Top() + by.y());
  for (const Join& join : found) {
    undoHistory.include(groups.withGroup(join.other));
    groups.join(join.dropped, join.other);
  }
  selection.refresh();
  refreshGroupOutline();
}

// A piece taken out of a group changes the group of every piece of it: the step holds them all.
void Board::takeOutOfGroup(int index) {
  undoHistory.include(groups.withGroup(index));
  groups.takeOut(index);
  refreshGroupOutline();
}

// The group of a piece as the history keeps it: its lowest piece, which no order of joining changes.
int Board::groupLabel(int index) const {
  const int group = groups.groupOf(index);
  return group == Groups::None ? Groups::None : groups.lowest(group);
}

void Board::restoreGroups(const Gesture& gesture, bool after) {
  std::vector<int> labels(game.PieceCount, Groups::None);
  bool differs = false;
  for (int i = 0; i < game.PieceCount; ++i)
    if (groups.groupOf(i) != Groups::None && labels[i] == Groups::None) {
      const std::vector<int>& members = groups.members(groups.groupOf(i));
      for (int m : members) labels[m] = i;  // i is the lowest of its group
    }
  for (const PieceChange& change : gesture.changes) {
    const int label = (after ? change.after : change.before).group;
    differs = differs || labels[change.piece] != label;
    labels[change.piece] = label;
  }
  if (differs) groups.restore(labels);
  refreshGroupOutline();
}

// Each group's outline, relative to its first piece in sight, which the drag then follows.
void Board::refreshGroupOutline() {
  std::vector<EdgeElement::Shape> shapes;
  std::vector<char> seen(groups.count(), 0);
  for (int i = 0; i < groups.count(); ++i) {
    if (groups.groupOf(i) == Groups::None || seen[i]) continue;
    std::vector<QRectF> boxes;
    int first = Groups::None;
    for (int m : groups.members(groups.groupOf(i))) {
      seen[m] = 1;
      if (!ImA.exists(m) || !ImA(m).Visible()) continue;
      if (first == Groups::None) first = m;
      boxes.push_back(ImA(m).boxTwips());
    }
    if (first == Groups::None) continue;
    const QPointF at = ImA(first).boxTwips().topLeft();
    for (QRectF& box : boxes) box.translate(-at);
    shapes.push_back({outlineOf(boxes), first, at});
  }
  groupOutline.setColour(canvas->ink());
  groupOutline.setShapes(std::move(shapes));
  groupOutline.setVisible(!groupOutline.empty());
}

void Board::followGroupOutline() {
  groupOutline.moveShapes([this](int first) { return ImA(first).boxTwips().topLeft(); });
}

}  // namespace tarsio
