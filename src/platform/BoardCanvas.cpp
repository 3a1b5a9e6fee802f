// The board canvas: painting in order, dirty rectangles, mouse routing with capture, pointer shapes.
#include "platform/BoardCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/Twips.h"

namespace tarsio {

namespace {

// Past this many separate dirty rectangles in one frame the whole canvas is repainted instead:
// merging thousands of rectangles costs more than painting.
constexpr int MaxDirtyRects = 200;

int buttonCode(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

Qt::CursorShape cursorFor(int pointer) {
  switch (pointer) {
    case PointerNoDrop: return Qt::ForbiddenCursor;
    case PointerSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

BoardCanvas::BoardCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAutoFillBackground(true);
}

void BoardCanvas::add(Element* element) {
  elements_.emplace(std::make_pair(static_cast<int>(element->layer()), element->sequence()), element);
}

void BoardCanvas::remove(Element* element) {
  elements_.erase(std::make_pair(static_cast<int>(element->layer()), element->sequence()));
  if (captured_ == element) captured_ = nullptr;
}

void BoardCanvas::markDirty(const QRect& pixels) {
  if (pixels.isEmpty()) return;
  if (++dirtyRects_ < MaxDirtyRects)
    update(pixels);
  else if (dirtyRects_ == MaxDirtyRects)
    update();
}

void BoardCanvas::paintEvent(QPaintEvent* event) {
  dirtyRects_ = 0;
  QPainter painter(this);
  const QRegion& region = event->region();
  const bool everything = region.rectCount() == 1 && region.boundingRect().contains(rect());
  for (const auto& entry : elements_) {
    const Element* element = entry.second;
    if (element->Visible() && (everything || region.intersects(element->pixelBounds())))
      element->paint(painter);
  }
}

ImageElement* BoardCanvas::elementAt(QPointF twips) const {
  const auto first = elements_.lower_bound({static_cast<int>(Layer::Pieces), 0});
  auto it = elements_.upper_bound({static_cast<int>(Layer::Pieces), UINT64_MAX});
  while (it != first) {
    --it;
    auto* image = static_cast<ImageElement*>(it->second);
    if (image->Visible() && image->Enabled() && image->mouseHandler() && image->boxTwips().contains(twips))
      return image;
  }
  return nullptr;
}

void BoardCanvas::deliver(MouseAction action, QMouseEvent* event) {
  const QPointF twips(pixelsToTwips(event->position().x()), pixelsToTwips(event->position().y()));
  lastPointer_ = twips;
  const int button = buttonCode(action == MouseAction::Move ? event->buttons() : event->button());
  const int shift = shiftCode(event->modifiers());
  ImageElement* target = captured_ ? captured_ : elementAt(twips);
  if (action == MouseAction::Down && target) captured_ = target;
  if (action == MouseAction::Up && event->buttons() == Qt::NoButton) captured_ = nullptr;
  if (target) {
    target->mouseHandler()(action, {button, shift, twips.x() - target->Left(), twips.y() - target->Top()});
  } else if (action != MouseAction::Up && onBoardMouse) {
    onBoardMouse(action, {button, shift, twips.x(), twips.y()});
  }
  updateCursor(twips);
}

void BoardCanvas::mousePressEvent(QMouseEvent* event) { deliver(MouseAction::Down, event); }
void BoardCanvas::mouseMoveEvent(QMouseEvent* event) { deliver(MouseAction::Move, event); }
void BoardCanvas::mouseReleaseEvent(QMouseEvent* event) { deliver(MouseAction::Up, event); }

void BoardCanvas::pointerChanged() { updateCursor(lastPointer_); }

void BoardCanvas::updateCursor(QPointF twips) {
  const ImageElement* over = captured_ ? captured_ : elementAt(twips);
  setCursor(cursorFor(over ? over->MousePointer() : PointerDefault));
}

}  // namespace tarsio
