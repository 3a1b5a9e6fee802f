// The framed, titled area of a tray.
#include "platform/PanelElement.h"

#include <QPainter>

#include "platform/BoardCanvas.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

const QColor Inside(255, 255, 255, 70);
const QColor Band(60, 80, 110);
const QColor Edge(30, 40, 60);

}  // namespace

PanelElement::PanelElement(BoardCanvas* canvas, double titleHeight, Layer layer)
    : Element(canvas, layer), titleHeight_(titleHeight) {}

void PanelElement::setBox(const QRectF& twips) {
  if (box_ == twips) return;
  box_ = twips;
  changed();
}

void PanelElement::setTitle(const QString& title) {
  title_ = title;
  changed();
}

QRect PanelElement::computePixelBounds() const {
  return twipsToPixelRect(box_.left(), box_.top(), box_.width(), box_.height());
}

// The title's letters are as tall as the band lets them be at the zoom it is seen at.
void PanelElement::paint(QPainter& painter, const View& view) const {
  const QRect box = view.canvasRect(box_.left(), box_.top(), box_.width(), box_.height());
  const QRect band = view.canvasRect(box_.left(), box_.top(), box_.width(), titleHeight_);
  painter.save();
  painter.fillRect(box, Inside);
  painter.fillRect(band, Band);
  painter.setPen(QPen(Edge, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  QFont font = painter.font();
  font.setPixelSize(std::max(1, band.height() * 2 / 3));
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(band.adjusted(band.height() / 3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, title_);
  painter.restore();
}

}  // namespace tarsio
