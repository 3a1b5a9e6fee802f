// Thin lines along the edges of shapes, painted as one element: the common outline of joined pieces.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <functional>
#include <vector>

#include "platform/Element.h"

namespace tarsio {

// One straight stretch of a shape's edge, in twips: horizontal for the top and bottom sides, vertical
// for the left and right ones, `from` before `to` along it. The side names where the edge lies on the
// shape, so that its line is drawn on the shape's own pixels.
struct Edge {
  enum class Side { Top, Bottom, Left, Right };
  QPointF from, to;
  Side side = Side::Top;
  bool operator==(const Edge&) const = default;
};

class EdgeElement : public Element {
 public:
  // The edges of one shape, relative to its place; `key` names the shape for the board, which moves it.
  struct Shape {
    std::vector<Edge> edges;
    int key = 0;
    QPointF at;
  };

  EdgeElement(BoardCanvas* canvas, QColor colour, Layer layer = Layer::Frame);

  void setShapes(std::vector<Shape> shapes);
  const std::vector<Shape>& shapes() const { return shapes_; }
  bool empty() const { return shapes_.empty(); }
  // Moves each shape to the place `placeOf` gives for its key; only the shapes that moved repaint.
  void moveShapes(const std::function<QPointF(int key)>& placeOf);
  void setColour(QColor colour);

  void paint(QPainter& painter, const View& view) const override;

 protected:
  QRect computePixelBounds() const override;

 private:
  QRect pixelsOf(std::size_t shape) const;

  std::vector<Shape> shapes_;
  std::vector<QRectF> extents_;  // each shape's edges' extent, relative to its place
  QColor colour_;
};

}  // namespace tarsio
