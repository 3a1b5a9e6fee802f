// The places a dragged piece is refused, and the place a turned piece keeps on the board.
#include "play/DragLimits.h"

#include <algorithm>

namespace tarsio {

bool placeRefused(const QRectF& piece, const DragSurroundings& around) {
  const double left = piece.left(), top = piece.top();
  const double w = piece.width(), h = piece.height();
  if (left < -w / 2 || left > around.screen.width() - w / 2) return true;
  if (top < -h / 2 || top > around.screen.height() - h) return true;
  const QRectF& picture = around.picture;
  if (left + w / 2 < picture.left() + picture.width() && top + h / 2 < picture.top() + picture.height())
    return true;
  if (const auto& label = around.sizeLabel)
    return left < label->left() + label->width() && top + h > label->top();
  return false;
}

QPointF keptOnBoard(const QRectF& piece, const QSizeF& board) {
  const auto within = [](double at, double size, double room) { return std::max(0.0, std::min(at, room - size)); };
  return {within(piece.left(), piece.width(), board.width()), within(piece.top(), piece.height(), board.height())};
}

}  // namespace tarsio
