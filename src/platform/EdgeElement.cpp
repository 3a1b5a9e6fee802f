// Lines along the edges of shapes that move, one element for all of them.
#include "platform/EdgeElement.h"

#include <QPainter>

#include "platform/BoardCanvas.h"
#include "platform/Twips.h"

namespace tarsio {

EdgeElement::EdgeElement(BoardCanvas* canvas, QColor colour, Layer layer) : Element(canvas, layer), colour_(colour) {}

void EdgeElement::setShapes(std::vector<Shape> shapes) {
  shapes_ = std::move(shapes);
  extents_.clear();
  for (const Shape& shape : shapes_) {
    QRectF extent;
    for (const Edge& edge : shape.edges) extent |= QRectF(edge.from, edge.to).normalized().adjusted(0, 0, 1, 1);
    extents_.push_back(extent);
  }
  changed();
}

void EdgeElement::moveShapes(const std::function<QPointF(int key)>& placeOf) {
  std::vector<QRect> dirty;
  for (std::size_t k = 0; k < shapes_.size(); ++k) {
    const QPointF at = placeOf(shapes_[k].key);
    if (at == shapes_[k].at) continue;
    dirty.push_back(pixelsOf(k));
    shapes_[k].at = at;
    dirty.push_back(pixelsOf(k));
  }
  if (!dirty.empty()) changedWithin(dirty);
}

void EdgeElement::setColour(QColor colour) {
  if (colour == colour_) return;
  colour_ = colour;
  changed();
}

// The board pixels of a shape's lines, with one pixel to spare for the rounding of its ends.
QRect EdgeElement::pixelsOf(std::size_t shape) const {
  const QRectF box = extents_[shape].translated(shapes_[shape].at);
  return twipsToPixelRect(box.left(), box.top(), box.width(), box.height()).adjusted(-1, -1, 1, 1);
}

QRect EdgeElement::computePixelBounds() const {
  QRect bounds;
  for (std::size_t k = 0; k < shapes_.size(); ++k) bounds |= pixelsOf(k);
  return bounds;
}

// Each line is one pixel wide at any zoom, on the outermost pixels of the shape, as a piece's own
// pixels are rounded; shapes off the device are passed over.
void EdgeElement::paint(QPainter& painter, const View& view) const {
  const QRect device(0, 0, painter.device()->width(), painter.device()->height());
  painter.save();
  painter.setPen(QPen(colour_, 0));
  for (std::size_t k = 0; k < shapes_.size(); ++k) {
    const QPointF at = shapes_[k].at;
    const QRectF extent = extents_[k].translated(at);
    if (!view.canvasRect(extent.left(), extent.top(), extent.width(), extent.height()).intersects(device)) continue;
    for (const Edge& edge : shapes_[k].edges) {
      const QPointF from = edge.from + at, to = edge.to + at;
      const QRect r = view.canvasRect(from.x(), from.y(), to.x() - from.x(), to.y() - from.y());
      switch (edge.side) {
        case Edge::Side::Top: painter.drawLine(r.left(), r.top(), r.right(), r.top()); break;
        case Edge::Side::Bottom: painter.drawLine(r.left(), r.top() - 1, r.right(), r.top() - 1); break;
        case Edge::Side::Left: painter.drawLine(r.left(), r.top(), r.left(), r.bottom()); break;
        case Edge::Side::Right: painter.drawLine(r.left() - 1, r.top(), r.left() - 1, r.bottom()); break;
      }
    }
  }
  painter.restore();
}

}  // namespace tarsio
