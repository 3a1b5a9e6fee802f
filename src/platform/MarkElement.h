// A mark over one cell of the board, shown for a moment: a translucent wash, an outline in two colours
// and a dashed inner outline.
#pragma once

#include <QColor>

#include "platform/Element.h"

namespace tarsio {

struct MarkLook {
  QColor wash;          // over the box; fully transparent for none
  QColor outline;       // the outline's outer and inner rings, just outside the box
  QColor between;       // its middle ring: with the other colour it shows on any picture
  bool dashed = false;  // a second outline inside the box, dashed in the two colours
};

class MarkElement : public Element {
 public:
  explicit MarkElement(BoardCanvas* canvas, Layer layer = Layer::Frame);

  // The marked box, in twips; the outline lies around it.
  void setBox(const QRectF& twips);
  void setLook(const MarkLook& look);

  void paint(QPainter& painter, const View& view) const override;

 protected:
  QRect computePixelBounds() const override;

 private:
  QRectF box_;
  MarkLook look_;
};

}  // namespace tarsio
