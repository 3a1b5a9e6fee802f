// Many pieces at once: the pieces the player has selected, the rectangle that selects them, and the
// rules that move and turn a group.
#pragma once

#include <QPointF>
#include <QRectF>
#include <utility>
#include <vector>

#include "platform/ElementArray.h"
#include "platform/MarkElement.h"
#include "platform/OutlineElement.h"

namespace tarsio {

// The rectangle spanned by a press and the pointer, whichever corners they are (twips).
QRectF selectionRectangle(QPointF from, QPointF to);
// The pieces among `candidates` (index and box, twips) whose box shares some area with `drawn`, in the
// candidates' order. A rectangle without area selects nothing.
std::vector<int> piecesTouched(const QRectF& drawn, const std::vector<std::pair<int, QRectF>>& candidates);
// Where the centre `centre` of a piece goes when the group turns `quarterTurns` quarter turns clockwise
// (on the screen, y downwards) about `pivot`; negative counts turn anticlockwise.
QPointF turnedAbout(QPointF centre, QPointF pivot, int quarterTurns);
// Where it goes when the group turns between front and back about the horizontal line through `pivot`
// (the back of a piece is its front mirrored top to bottom).
QPointF flippedAbout(QPointF centre, QPointF pivot);

// The selected pieces, each framed on the board, and the rectangle being drawn to select more. The
// selection knows nothing of the game: the board decides which pieces may join and when it ends.
class Selection {
 public:
  Selection(BoardCanvas* canvas, const ElementArray<ImageElement>& pieces);

  bool contains(int piece) const {
    return piece >= 0 && piece < static_cast<int>(member_.size()) && member_[piece];
  }
  bool empty() const { return pieces_.empty(); }
  // The selected pieces in the order they joined.
  const std::vector<int>& pieces() const { return pieces_; }
  void add(const std::vector<int>& pieces);
  // Adds a piece that is out of the selection, takes out one that is in it.
  void toggle(int piece);
  void remove(int piece);
  void clear();
  // The selected pieces have moved or turned: their frames follow.
  void refresh();

  // The rectangle from a press on the bare board to the pointer, shown while it is drawn.
  bool drawing() const { return drawing_; }
  void beginRectangle(QPointF at);
  void stretchRectangle(QPointF to);
  // Hides the rectangle and gives it, for the board to select what it touches.
  QRectF endRectangle();

 private:
  const ElementArray<ImageElement>& piecesOf_;
  std::vector<char> member_;
  std::vector<int> pieces_;
  OutlineElement frames_;
  MarkElement band_;
  bool drawing_ = false;
  QPointF from_, to_;
};

}  // namespace tarsio
