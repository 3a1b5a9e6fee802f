// The board's drawing surface: paints every element in layer and creation order, repaints only what
// changed, and routes the mouse to the piece under the pointer or to the bare board.
#pragma once

#include <QWidget>
#include <cstdint>
#include <map>
#include <utility>

#include "platform/Element.h"

namespace tarsio {

class BoardCanvas : public QWidget {
 public:
  explicit BoardCanvas(QWidget* parent = nullptr);

  // Presses and moves over the bare board (outside every piece); x and y in board twips.
  MouseHandler onBoardMouse;

  // Topmost visible, enabled element with a mouse handler whose box holds the point (board twips).
  ImageElement* elementAt(QPointF twips) const;
  // The element that got the press, while a button is held.
  ImageElement* captured() const { return captured_; }

  // Called by elements.
  void add(Element* element);
  void remove(Element* element);
  void markDirty(const QRect& pixels);
  void pointerChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void deliver(MouseAction action, QMouseEvent* event);
  void updateCursor(QPointF twips);

  std::map<std::pair<int, std::uint64_t>, Element*> elements_;
  ImageElement* captured_ = nullptr;
  QPointF lastPointer_;
  int dirtyRects_ = 0;
};

}  // namespace tarsio
