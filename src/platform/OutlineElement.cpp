// Frames inside many boxes, one element for all of them.
#include "platform/OutlineElement.h"

#include <QPainter>
#include <algorithm>

#include "platform/BoardCanvas.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

QRect pixelsOf(const QRectF& box) { return twipsToPixelRect(box.left(), box.top(), box.width(), box.height()); }

}  // namespace

OutlineElement::OutlineElement(BoardCanvas* canvas, QColor outer, QColor inner, Layer layer)
    : Element(canvas, layer), outer_(outer), inner_(inner) {}

void OutlineElement::setBoxes(std::vector<QRectF> boxes) {
  std::vector<QRect> dirty;
  const std::size_t common = std::min(boxes.size(), boxes_.size());
  for (std::size_t k = 0; k < std::max(boxes.size(), boxes_.size()); ++k) {
    if (k < common && boxes[k] == boxes_[k]) continue;
    if (k < boxes_.size()) dirty.push_back(pixelsOf(boxes_[k]));
    if (k < boxes.size()) dirty.push_back(pixelsOf(boxes[k]));
  }
  boxes_ = std::move(boxes);
  changedWithin(dirty);
}

void OutlineElement::setColours(QColor outer, QColor inner) {
  if (outer == outer_ && inner == inner_) return;
  outer_ = outer;
  inner_ = inner;
  changed();
}

QRect OutlineElement::computePixelBounds() const {
  QRect bounds;
  for (const QRectF& box : boxes_) bounds |= pixelsOf(box);
  return bounds;
}

// The rings keep one pixel each at any zoom; boxes off the device are passed over.
void OutlineElement::paint(QPainter& painter, const View& view) const {
  const QRect device(0, 0, painter.device()->width(), painter.device()->height());
  painter.save();
  painter.setBrush(Qt::NoBrush);
  const QPen outer(outer_, 0), inner(inner_, 0);
  for (const QRectF& b : boxes_) {
    const QRect box = view.canvasRect(b.left(), b.top(), b.width(), b.height());
    if (!box.intersects(device) || box.width() < 4 || box.height() < 4) continue;
    painter.setPen(outer);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(inner);
    painter.drawRect(box.adjusted(1, 1, -2, -2));
  }
  painter.restore();
}

}  // namespace tarsio
