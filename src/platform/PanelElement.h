// A framed area of the board with a title band across its top, drawn under the pieces: a tray.
#pragma once

#include <QString>

#include "platform/Element.h"

namespace tarsio {

class PanelElement : public Element {
 public:
  // `titleHeight` twips of the box's top are the title band.
  PanelElement(BoardCanvas* canvas, double titleHeight, Layer layer = Layer::Trays);

  void setBox(const QRectF& twips);
  const QRectF& box() const { return box_; }
  void setTitle(const QString& title);

  void paint(QPainter& painter, const View& view) const override;

 protected:
  QRect computePixelBounds() const override;

 private:
  QRectF box_;
  double titleHeight_;
  QString title_;
};

}  // namespace tarsio
