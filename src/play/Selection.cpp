// The selection of pieces, its rectangle and the group rules.
#include "play/Selection.h"

#include <algorithm>

namespace tarsio {

namespace {

// Blue and white show on any picture, and differ from the black frame of the held piece.
const QColor FrameOuter(0, 110, 255);
const QColor FrameInner(Qt::white);
const MarkLook BandLook{QColor(0, 110, 255, 40), QColor(0, 110, 255), Qt::white, false};

}  // namespace

QRectF selectionRectangle(QPointF from, QPointF to) { return QRectF(from, to).normalized(); }

std::vector<int> piecesTouched(const QRectF& drawn, const std::vector<std::pair<int, QRectF>>& candidates) {
  std::vector<int> touched;
  if (drawn.width() <= 0 || drawn.height() <= 0) return touched;
  for (const auto& [piece, box] : candidates)
    if (box.left() < drawn.right() && drawn.left() < box.right() && box.top() < drawn.bottom() &&
        drawn.top() < box.bottom())
      touched.push_back(piece);
  return touched;
}

QPointF turnedAbout(QPointF centre, QPointF pivot, int quarterTurns) {
  QPointF d = centre - pivot;
  for (int k = 0; k < ((quarterTurns % 4) + 4) % 4; ++k) d = QPointF(-d.y(), d.x());
  return pivot + d;
}

QPointF flippedAbout(QPointF centre, QPointF pivot) { return {centre.x(), 2 * pivot.y() - centre.y()}; }

Selection::Selection(BoardCanvas* canvas, const ElementArray<ImageElement>& pieces)
    : piecesOf_(pieces), frames_(canvas, FrameOuter, FrameInner), band_(canvas) {
  band_.setLook(BandLook);
}

void Selection::add(const std::vector<int>& pieces) {
  for (int piece : pieces) {
    if (contains(piece)) continue;
    if (piece >= static_cast<int>(member_.size())) member_.resize(piece + 1, 0);
    member_[piece] = 1;
    pieces_.push_back(piece);
  }
  refresh();
}

void Selection::toggle(int piece) {
  if (contains(piece))
    remove(piece);
  else
    add({piece});
}

void Selection::remove(int piece) {
  if (!contains(piece)) return;
  member_[piece] = 0;
  pieces_.erase(std::find(pieces_.begin(), pieces_.end(), piece));
  refresh();
}

void Selection::clear() {
  if (pieces_.empty()) return;
  for (int piece : pieces_) member_[piece] = 0;
  pieces_.clear();
  refresh();
}

void Selection::refresh() {
  std::vector<QRectF> boxes;
  boxes.reserve(pieces_.size());
  for (int piece : pieces_)
    if (piecesOf_.exists(piece) && piecesOf_(piece).Visible()) boxes.push_back(piecesOf_(piece).boxTwips());
  frames_.setBoxes(std::move(boxes));
  frames_.setVisible(!pieces_.empty());
}

void Selection::beginRectangle(QPointF at) {
  drawing_ = true;
  from_ = to_ = at;
  band_.setBox(selectionRectangle(from_, to_));
  band_.setVisible(true);
}

void Selection::stretchRectangle(QPointF to) {
  if (!drawing_) return;
  to_ = to;
  band_.setBox(selectionRectangle(from_, to_));
}

QRectF Selection::endRectangle() {
  drawing_ = false;
  band_.setVisible(false);
  return selectionRectangle(from_, to_);
}

}  // namespace tarsio
