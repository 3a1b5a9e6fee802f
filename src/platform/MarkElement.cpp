// The mark over a cell: wash, two-colour outline around the box, dashed outline inside it.
#include "platform/MarkElement.h"

#include <QPainter>

#include "platform/BoardCanvas.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

// Pixels of the outline around the box: three rings of one pixel.
constexpr int Rings = 3;

void drawRing(QPainter& painter, const QRect& ring, const QPen& pen) {
  if (ring.width() < 2 || ring.height() < 2) return;
  painter.setPen(pen);
  painter.drawRect(ring.adjusted(0, 0, -1, -1));
}

}  // namespace

MarkElement::MarkElement(BoardCanvas* canvas, Layer layer) : Element(canvas, layer) {}

void MarkElement::setBox(const QRectF& twips) {
  box_ = twips;
  changed();
}

void MarkElement::setLook(const MarkLook& look) {
  look_ = look;
  changed();
}

QRect MarkElement::computePixelBounds() const {
  return twipsToPixelRect(box_.left(), box_.top(), box_.width(), box_.height())
      .adjusted(-Rings, -Rings, Rings, Rings);
}

// The box follows the view; the outline keeps its three pixels at any zoom, within the painted area
// that the zoom widens with the box.
void MarkElement::paint(QPainter& painter, const View& view) const {
  const QRect box = view.canvasRect(box_.left(), box_.top(), box_.width(), box_.height());
  const QRect bounds = box.adjusted(-Rings, -Rings, Rings, Rings);
  painter.save();
  painter.setBrush(Qt::NoBrush);
  if (look_.wash.alpha() > 0) painter.fillRect(box, look_.wash);
  const QPen outline(look_.outline, 0), between(look_.between, 0);
  drawRing(painter, bounds, outline);
  drawRing(painter, bounds.adjusted(1, 1, -1, -1), between);
  drawRing(painter, bounds.adjusted(2, 2, -2, -2), outline);
  if (look_.dashed) {
    const QRect inner = box.adjusted(Rings + 1, Rings + 1, -Rings - 1, -Rings - 1);
    drawRing(painter, inner, QPen(look_.between, 2));
    QPen dashes(look_.outline, 2);
    dashes.setDashPattern({3, 3});
    drawRing(painter, inner, dashes);
  }
  painter.restore();
}

}  // namespace tarsio
