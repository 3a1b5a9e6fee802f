// Thin frames inside many boxes at once, painted as one element: the selection's mark on its pieces.
#pragma once

#include <QColor>
#include <vector>

#include "platform/Element.h"

namespace tarsio {

class OutlineElement : public Element {
 public:
  // `outer` is the frame's outer ring along each box's edge, `inner` the ring inside it: together they
  // show on any picture.
  OutlineElement(BoardCanvas* canvas, QColor outer, QColor inner, Layer layer = Layer::Frame);

  // The boxes in twips. Only the pixels of the boxes that changed are repainted, so that a frame that
  // joins or leaves does not repaint the others.
  void setBoxes(std::vector<QRectF> boxes);
  const std::vector<QRectF>& boxes() const { return boxes_; }
  void setColours(QColor outer, QColor inner);

  void paint(QPainter& painter, const View& view) const override;

 protected:
  QRect computePixelBounds() const override;

 private:
  std::vector<QRectF> boxes_;
  QColor outer_, inner_;
};

}  // namespace tarsio
