// The board canvas: painting in order through the view, dirty rectangles, mouse routing with capture,
// pointer shapes, dropped files.
#include "platform/BoardCanvas.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "platform/Events.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

// Past this many separate dirty rectangles in one frame the whole canvas is repainted instead:
// merging thousands of rectangles costs more than painting.
constexpr int MaxDirtyRects = 200;

// One frame at 60 Hz, in milliseconds: how often a paced canvas asks for a repaint.
constexpr qint64 FrameMs = 16;

// Whether two rectangles share a pixel; inline, as it runs for every element on every paint.
bool overlaps(const QRect& a, const QRect& b) {
  return a.isValid() && b.isValid() && a.left() <= b.right() && b.left() <= a.right() &&
         a.top() <= b.bottom() && b.top() <= a.bottom();
}

int buttonCode(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

}  // namespace

int BoardCanvas::shiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

namespace {

// The local file a drop carries (the first of its addresses), or "" when it carries none.
QString droppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QString path = data->urls().constFirst().toLocalFile();
  return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

Qt::CursorShape cursorFor(int pointer) {
  switch (pointer) {
    case PointerNoDrop:
      return Qt::ForbiddenCursor;
    case PointerSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

BoardCanvas::BoardCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAutoFillBackground(true);
  setAcceptDrops(true);
  placeScrollBars();
}

void BoardCanvas::setTable(const QColor& table, const QColor& ink) {
  QPalette colours;
  if (table.isValid()) {
    colours.setColor(QPalette::Window, table);
    colours.setColor(QPalette::WindowText, ink);
  }
  setPalette(colours);
  update();
}

// A new element has the highest sequence so far: it goes at the end of its layer.
void BoardCanvas::add(Element* element) {
  const int layer = static_cast<int>(element->layer());
  elements_.insert(layerBegin(layer + 1), {layer, element->sequence(), element, {}});
}

void BoardCanvas::remove(Element* element) {
  const auto it = entryOf(element);
  if (it != elements_.end()) {
    it->element = nullptr;
    it->shown = QRect();
    ++removed_;
  }
  if (removed_ > 64 && removed_ * 2 > elements_.size()) {
    std::erase_if(elements_, [](const Entry& entry) { return entry.element == nullptr; });
    removed_ = 0;
  }
  if (captured_ == element) captured_ = nullptr;
}

void BoardCanvas::placed(const Element* element) {
  const auto it = entryOf(element);
  if (it != elements_.end()) {
    it->shown = element->Visible() ? element->pixelBounds() : QRect();
    reachTo(it->shown);
  }
  sweepCaches_ = sweepCaches_ || !view_.isPlain();
}

std::vector<BoardCanvas::Entry>::const_iterator BoardCanvas::layerBegin(int layer) const {
  return std::lower_bound(elements_.begin(), elements_.end(), Entry{layer, 0, nullptr, {}});
}

std::vector<BoardCanvas::Entry>::iterator BoardCanvas::entryOf(const Element* element) {
  const Entry key{static_cast<int>(element->layer()), element->sequence(), nullptr, {}};
  const auto it = std::lower_bound(elements_.begin(), elements_.end(), key);
  return it != elements_.end() && it->element == element ? it : elements_.end();
}

// Dirty places are gathered in the board's pixels and turned into the canvas's when repaints are asked.
void BoardCanvas::markDirty(const QRect& pixels) {
  if (pixels.isEmpty()) return;
  if (paced_) {
    gathered_ |= pixels;
    if (sinceRequest_.isValid() && sinceRequest_.elapsed() < FrameMs) return;
    update(view_.canvasPixelsOf(std::exchange(gathered_, QRect())));
    // The next request waits a frame even if Qt is slow to paint this one.
    sinceRequest_.start();
    return;
  }
  if (++dirtyRects_ < MaxDirtyRects)
    update(view_.canvasPixelsOf(pixels));
  else if (dirtyRects_ == MaxDirtyRects)
    update();
}

void BoardCanvas::setPaced(bool paced) {
  paced_ = paced;
  if (!paced_ && !gathered_.isEmpty()) update(view_.canvasPixelsOf(std::exchange(gathered_, QRect())));
}

// A window moved to a screen of another density is painted anew: each element then draws its picture
// again at the new screen's device pixels.
void BoardCanvas::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  QWindow* handle = window()->windowHandle();
  if (handle && !screenWatch_)
    screenWatch_ = connect(handle, &QWindow::screenChanged, this, [this] { update(); });
}

// The elements a paint over `region` shows, in paint order, and those whose picture it makes first.
void BoardCanvas::listPainted(const QRegion& region, const Surface& surface) {
  const bool whole = view_.isPlain();
  const QRect bounds = view_.boardPixelsOf(region.boundingRect());
  // Most frames repaint one or two small rectangles: the bounding rectangle rules out nearly every
  // element at the cost of four comparisons.
  const bool oneRect = !whole || region.rectCount() == 1;
  touched_.clear();
  for (const Entry& entry : elements_)
    if (overlaps(bounds, entry.shown) && (oneRect || region.intersects(entry.shown)))
      touched_.push_back(&entry);
  const auto paintsFirst = [](const Entry* a, const Entry* b) {
    return a->layer != b->layer ? a->layer < b->layer : a->element->beneath() > b->element->beneath();
  };
  if (!std::is_sorted(touched_.begin(), touched_.end(), paintsFirst))
    std::stable_sort(touched_.begin(), touched_.end(), paintsFirst);
  // An opaque element hides whatever was painted before it over exactly its pixels: of a pile of pieces
  // on one place (a staircase of thousands of pieces has many) only the topmost is painted.
  // The opaque ones are sorted by place, then paint order, so that a search finds a later one on a place.
  keys_.resize(touched_.size());
  opaquePlaces_.clear();
  for (std::size_t k = 0; k < touched_.size(); ++k) {
    const QRect r = whole ? touched_[k]->shown : touched_[k]->element->canvasBounds(view_);
    keys_[k] = {r.x(), r.y(), r.width(), r.height(), k};
    if (touched_[k]->element->opaque()) opaquePlaces_.push_back(keys_[k]);
  }
  std::sort(opaquePlaces_.begin(), opaquePlaces_.end());
  painted_.clear();
  unmade_.clear();
  for (const Place& place : keys_) {
    const auto later = std::upper_bound(opaquePlaces_.begin(), opaquePlaces_.end(), place);
    if (later != opaquePlaces_.end() && later->samePlace(place)) continue;
    const Element* element = touched_[place.k]->element;
    painted_.push_back(element);
    if (element->needsPicture(view_, surface)) unmade_.push_back(element);
  }
}

void BoardCanvas::paintEvent(QPaintEvent* event) {
  dirtyRects_ = 0;
  // Pictures of elements the view no longer shows go before the new ones are made.
  if (sweepCaches_) dropCachesOffScreen();
  QPainter painter(this);
  const Surface surface = Surface::of(painter);
  listPainted(event->region(), surface);
  makePictures(surface);
  for (const Element* element : painted_) element->paint(painter, view_);
  paintMap(painter);
  if (std::exchange(sharpPending_, false)) {
    QTimer::singleShot(0, this, [this] {
      hurry_ = false;
      update();
    });
  } else {
    hurry_ = false;
  }
  if (onPainted) onPainted();
  // A paint slower than a frame must not be followed by another at once: the work it interrupts would
  // then get no time at all between paints.
  if (paced_) sinceRequest_.start();
}

ImageElement* BoardCanvas::elementAt(QPointF twips) const {
  const auto first = layerBegin(static_cast<int>(Layer::Pieces));
  auto it = layerBegin(static_cast<int>(Layer::Frame));
  ImageElement* beneath = nullptr;
  while (it != first) {
    --it;
    auto* image = static_cast<ImageElement*>(it->element);
    if (!image || !image->Visible() || !image->Enabled() || !image->mouseHandler() ||
        !image->boxTwips().contains(twips))
      continue;
    if (!image->beneath()) return image;
    if (!beneath) beneath = image;
  }
  return beneath;
}

// Every event reaches the game in board twips, through the view's inverse.
void BoardCanvas::deliver(MouseAction action, QMouseEvent* event) {
  lastCanvasPointer_ = event->position();
  if (viewGesture(action, event)) return;
  const QPointF twips = view_.toTwips(event->position());
  lastPointer_ = twips;
  const int button = buttonCode(action == MouseAction::Move ? event->buttons() : event->button());
  const int shift = shiftCode(event->modifiers());
  // A move with no button held while an element holds the pointer: its release went elsewhere (to a
  // menu that took the pointer for a while).
  if (action == MouseAction::Move && event->buttons() == Qt::NoButton) letGo();
  ImageElement* target = captured_ ? captured_ : boardHeld_ ? nullptr : elementAt(twips);
  if (action == MouseAction::Down && target) captured_ = target;
  const bool toBoard = !target && (action != MouseAction::Up || boardHeld_);
  if (action == MouseAction::Down && !target) boardHeld_ = true;
  if (action == MouseAction::Up && event->buttons() == Qt::NoButton) {
    captured_ = nullptr;
    boardHeld_ = false;
  }
  if (target) {
    target->mouseHandler()(action, {button, shift, twips.x() - target->Left(), twips.y() - target->Top()});
  } else if (toBoard && onBoardMouse) {
    onBoardMouse(action, {button, shift, twips.x(), twips.y()});
  }
  if ((captured_ || boardHeld_) && action == MouseAction::Move)
    edgeScrollFrom(event->position(), event->buttons());
  updateCursor(twips);
  fadeFurniture(event->position());
}

void BoardCanvas::letGo() {
  const bool panned = std::exchange(panning_, false);
  if (std::exchange(boardHeld_, false) && onBoardMouse)
    onBoardMouse(MouseAction::Up, {0, 0, lastPointer_.x(), lastPointer_.y()});
  ImageElement* held = std::exchange(captured_, nullptr);
  if (held)
    held->mouseHandler()(MouseAction::Up,
                         {0, 0, lastPointer_.x() - held->Left(), lastPointer_.y() - held->Top()});
  if (held || panned) updateCursor(lastPointer_);
}

bool BoardCanvas::event(QEvent* event) {
  if (event->type() == FileDropEvent::kind()) {
    if (onFileDropped) onFileDropped(static_cast<FileDropEvent*>(event)->path());
    return true;
  }
  // The window no longer has the pointer (a modal window opened, another window was activated): the
  // release of the held button will come to another window, if at all.
  if (event->type() == QEvent::WindowDeactivate) letGo();
  if (event->type() == QEvent::NativeGesture && pinch(static_cast<QNativeGestureEvent*>(event))) return true;
  return QWidget::event(event);
}

void BoardCanvas::mousePressEvent(QMouseEvent* event) { deliver(MouseAction::Down, event); }
void BoardCanvas::mouseMoveEvent(QMouseEvent* event) { deliver(MouseAction::Move, event); }
void BoardCanvas::mouseReleaseEvent(QMouseEvent* event) { deliver(MouseAction::Up, event); }

// A double click on a piece is a second press; on the bare board it is a gesture of its own.
void BoardCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPointF twips = view_.toTwips(event->position());
  if (captured_ || boardHeld_ || elementAt(twips) || !onBoardDoubleClick || event->button() != Qt::LeftButton)
    return deliver(MouseAction::Down, event);
  onBoardDoubleClick(twips);
}

void BoardCanvas::dragEnterEvent(QDragEnterEvent* event) {
  if (onFileDropped && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void BoardCanvas::dragMoveEvent(QDragMoveEvent* event) {
  if (onFileDropped && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void BoardCanvas::dropEvent(QDropEvent* event) {
  const QString path = droppedFile(event->mimeData());
  if (!onFileDropped || path.isEmpty()) return;
  event->acceptProposedAction();
  QCoreApplication::postEvent(this, new FileDropEvent(path));
}

void BoardCanvas::pointerChanged() { updateCursor(lastPointer_); }

// Over the bare board of a view that scrolls an open hand says the table can be dragged; a closed one holds
// it.
void BoardCanvas::updateCursor(QPointF twips) {
  const ImageElement* over = captured_ ? captured_ : elementAt(twips);
  if (panning_)
    setCursor(Qt::ClosedHandCursor);
  else if (!over && view_.scrolls())
    setCursor(Qt::OpenHandCursor);
  else
    setCursor(cursorFor(over ? over->MousePointer() : PointerDefault));
}

}  // namespace tarsio
