// The canvas's view gestures: zooming, panning, scroll bars, the close-up switch, scrolling at the edge
// while a piece is carried, and keeping cached pictures only for what is on the screen.
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/BoardCanvas.h"
#include "platform/ShareOut.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

// One notch of the wheel or one key press zooms by this factor.
constexpr double ZoomStep = 1.25;
// Canvas pixels one notch of the wheel scrolls.
constexpr double WheelPixels = 80;
// A carried piece scrolls the view within this many pixels of an edge, at most EdgeSpeed pixels a
// step, one step a frame, and never more than a canvas's length a second.
constexpr double EdgeBand = 48;
constexpr double EdgeSpeed = 24;
constexpr int EdgeStepMs = 16;

// Pictures made by one thread at a time when a paint shares them out.
constexpr int PicturesAChunk = 4;

// The speed along one axis: 0 away from the edges, growing to its top at the edge itself.
double edgeSpeed(double at, double length) {
  const double top = std::min(EdgeSpeed, length * EdgeStepMs / 1000.0);
  if (at < EdgeBand) return -top * (EdgeBand - std::max(at, 0.0)) / EdgeBand;
  if (at > length - EdgeBand) return top * (at - (length - EdgeBand)) / EdgeBand;
  return 0;
}

}  // namespace

void BoardCanvas::bringIntoSight(const QRectF& twips) {
  const QRectF shown = QRectF(view_.toCanvas(twips.topLeft()), view_.toCanvas(twips.bottomRight())).normalized();
  if (QRectF(rect()).contains(shown)) return;
  view_.panBy(shown.center() - QRectF(rect()).center());
  viewChanged();
}

void BoardCanvas::zoomIn() { zoomBy(ZoomStep, QPointF(width() / 2.0, height() / 2.0)); }
void BoardCanvas::zoomOut() { zoomBy(1 / ZoomStep, QPointF(width() / 2.0, height() / 2.0)); }

void BoardCanvas::showWholeBoard() {
  measureBoard();
  const double whole = view_.wholeZoom();
  if (view_.zoom() == whole && view_.origin().isNull()) return;
  if (view_.zoom() > whole) closeUp_ = view_.zoom();
  view_.zoomAt(whole, {});
  viewChanged();
}

// The board reaches as far as the elements shown on it.
void BoardCanvas::measureBoard() {
  reach_ = QRect();
  for (const Entry& entry : elements_) reach_ |= entry.shown;
  view_.setBoard(QSizeF(std::max(0, reach_.right() + 1), std::max(0, reach_.bottom() + 1)));
}

void BoardCanvas::reachTo(const QRect& shown) {
  if (shown.isEmpty() || reach_.contains(shown)) return;
  const QSizeF before = view_.board();
  reach_ |= shown;
  view_.setBoard(QSizeF(std::max(0, reach_.right() + 1), std::max(0, reach_.bottom() + 1)));
  if (view_.board() != before) syncScrollBars();
}

QPoint BoardCanvas::globalPosOf(QPointF twips) const { return mapToGlobal(view_.toCanvas(twips).toPoint()); }

void BoardCanvas::zoomBy(double factor, QPointF canvasPoint) {
  if (factor > 1 && beforeCloserLook) beforeCloserLook();
  updateMaxZoom();
  const double before = view_.zoom();
  const QRect seen = view_.boardPixelsOf(rect());
  view_.zoomAt(before * factor, canvasPoint);
  if (view_.zoom() == before) return;
  viewChanged();
  stepFrom_ = seen;
}

// The closest look shows one pixel of the largest picture on the board over two device pixels.
void BoardCanvas::updateMaxZoom() {
  double most = 0;
  const qreal ratio = devicePixelRatioF();
  for (auto it = elements_.begin(); it != layerBegin(static_cast<int>(Layer::GridLines)); ++it) {
    const auto* image = static_cast<const ImageElement*>(it->element);
    if (!image || !image->Visible() || image->picture().isNull() || image->pixelBounds().isEmpty()) continue;
    most = std::max(most, 2.0 * image->picture().size().width() / (image->pixelBounds().width() * ratio));
  }
  view_.setMaxZoom(most);
}

// Every change of the view repaints the whole canvas, with pictures of another size shown stretched for
// the first frame, and afterwards lets go of the pictures of elements no longer on the screen.
void BoardCanvas::viewChanged() {
  stepFrom_ = QRect();
  hurry_ = true;
  sweepCaches_ = true;
  syncScrollBars();
  update();
  updateCursor(view_.toTwips(lastCanvasPointer_));
  fadeFurniture(lastCanvasPointer_);
}

// After a step of the zoom, the elements on the screen before it keep their pictures, and those on the
// screen their spares, so that a step back makes none; any other change keeps only the pictures on the
// screen.
void BoardCanvas::dropCachesOffScreen() {
  sweepCaches_ = false;
  const QRect onScreen = view_.boardPixelsOf(rect());
  for (const Entry& entry : elements_) {
    if (!entry.element) continue;
    const bool shown = onScreen.intersects(entry.shown);
    if (!shown && !stepFrom_.intersects(entry.shown))
      entry.element->dropCache();
    else if (!shown || !keepsSpares())
      entry.element->dropSpare();
  }
}

// The pictures missing at the size they are shown now (hundreds after a zoom step or a cut) are made on
// two threads before anything is painted; each thread reads the pixels of its next one while it makes one.
void BoardCanvas::makePictures(const Surface& surface) {
  shareOut(static_cast<int>(unmade_.size()), PicturesAChunk, [&](int first, int last) {
    for (int i = first; i < last; ++i) {
      if (i + 1 < last) unmade_[i + 1]->prefetchPicture(view_, surface);
      unmade_[i]->makePicture(view_, surface);
    }
  });
}

qsizetype BoardCanvas::cachedBytes() const {
  qsizetype bytes = 0;
  for (const Entry& entry : elements_)
    if (entry.element) bytes += entry.element->cachedBytes();
  return bytes;
}

void BoardCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  measureBoard();
  view_.setViewport(size());
  if (!horizontalBar_) return;
  const int thick = verticalBar_->sizeHint().width();
  horizontalBar_->setGeometry(0, height() - thick, width() - thick, thick);
  verticalBar_->setGeometry(width() - thick, 0, thick, height() - thick);
  syncScrollBars();
}

// The bars lie over the table's right and bottom edges while it does not fit, and move it when dragged.
void BoardCanvas::placeScrollBars() {
  horizontalBar_ = new QScrollBar(Qt::Horizontal, this);
  verticalBar_ = new QScrollBar(Qt::Vertical, this);
  for (QScrollBar* bar : {horizontalBar_, verticalBar_}) {
    bar->hide();
    bar->setCursor(Qt::ArrowCursor);
    connect(bar, &QScrollBar::valueChanged, this, [this] {
      if (syncingBars_) return;
      view_.setOrigin(QPointF(horizontalBar_->value(), verticalBar_->value()) / view_.zoom());
      viewChanged();
    });
  }
  edgeTimer_.setInterval(EdgeStepMs);
  connect(&edgeTimer_, &QTimer::timeout, this, [this] { edgeScrollStep(); });
}

void BoardCanvas::syncScrollBars() {
  if (!horizontalBar_) return;
  syncingBars_ = true;
  const double z = view_.zoom();
  const QSizeF span = view_.scrollSpan();
  horizontalBar_->setRange(0, static_cast<int>(std::lround(span.width())));
  horizontalBar_->setPageStep(width());
  horizontalBar_->setValue(static_cast<int>(std::lround(view_.origin().x() * z)));
  verticalBar_->setRange(0, static_cast<int>(std::lround(span.height())));
  verticalBar_->setPageStep(height());
  verticalBar_->setValue(static_cast<int>(std::lround(view_.origin().y() * z)));
  horizontalBar_->setVisible(span.width() > 0);
  verticalBar_->setVisible(span.height() > 0);
  syncingBars_ = false;
}

// Ctrl + wheel zooms at the pointer; the wheel scrolls up and down, with Shift sideways; a touchpad
// scrolls both ways by its own pixels.
void BoardCanvas::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (captured_ && event->buttons() & Qt::LeftButton && !(event->modifiers() & Qt::ControlModifier) &&
      onWheelWhileHeld) {
    heldWheelAngle_ += event->angleDelta().y();
    const int notches = heldWheelAngle_ / 120;
    heldWheelAngle_ -= notches * 120;
    if (notches != 0) onWheelWhileHeld(notches);
    return;
  }
  if (event->modifiers() & Qt::ControlModifier) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) zoomBy(std::pow(ZoomStep, notches), event->position());
    return;
  }
  if (!view_.scrolls()) return;
  QPointF by = -QPointF(event->pixelDelta());
  if (by.isNull()) {
    by = -QPointF(event->angleDelta()) / 120.0 * WheelPixels;
    if (event->modifiers() & Qt::ShiftModifier && by.x() == 0) by = QPointF(by.y(), 0);
  }
  const QPointF before = view_.origin();
  view_.panBy(by);
  if (view_.origin() != before) viewChanged();
}

// A touchpad pinch zooms at the fingers, where the platform reports it.
bool BoardCanvas::pinch(const QNativeGestureEvent* gesture) {
  if (gesture->gestureType() != Qt::ZoomNativeGesture) return false;
  zoomBy(1 + gesture->value(), gesture->position());
  return true;
}

bool BoardCanvas::viewGesture(MouseAction action, QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  if (!captured_ && !panning_ && button == Qt::MiddleButton) {
    if (action == MouseAction::Down && view_.showsAll()) {
      if (beforeCloserLook) beforeCloserLook();
      updateMaxZoom();
      view_.zoomCentredOn(closeUp_, view_.toTwips(event->position()));
      viewChanged();
    } else if (action == MouseAction::Down) {
      showWholeBoard();
    }
    return true;
  }
  if (action == MouseAction::Down && button == Qt::LeftButton && !captured_ && !boardHeld_ &&
      view_.scrolls() && !elementAt(view_.toTwips(event->position())) &&
      !(boardClaims && boardClaims(view_.toTwips(event->position()), shiftCode(event->modifiers())))) {
    panning_ = true;
    panMoved_ = false;
    panFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
    return true;
  }
  if (!panning_) return false;
  if (action == MouseAction::Move) {
    const QPointF before = view_.origin();
    view_.panBy(panFrom_ - event->position());
    panMoved_ = panMoved_ || panFrom_ != event->position();
    panFrom_ = event->position();
    if (view_.origin() != before) viewChanged();
  } else if (action == MouseAction::Up && button == Qt::LeftButton) {
    panning_ = false;
    // A press and release that did not move the table is a click on the map, or else on the bare board.
    const QPointF twips = view_.toTwips(event->position());
    if (!panMoved_ && !clickOnMap(twips) && onBoardMouse) {
      onBoardMouse(MouseAction::Down, {1, shiftCode(event->modifiers()), twips.x(), twips.y()});
      onBoardMouse(MouseAction::Up, {1, shiftCode(event->modifiers()), twips.x(), twips.y()});
    }
    updateCursor(twips);
  }
  return true;
}

void BoardCanvas::edgeScrollFrom(QPointF canvasPoint, Qt::MouseButtons held) {
  edgeVelocity_ = !view_.scrolls() || held == Qt::NoButton
                      ? QPointF()
                      : QPointF(edgeSpeed(canvasPoint.x(), width()), edgeSpeed(canvasPoint.y(), height()));
  edgePointer_ = canvasPoint;
  edgeButtons_ = held;
  if (edgeVelocity_.isNull())
    edgeTimer_.stop();
  else if (!edgeTimer_.isActive())
    edgeTimer_.start();
}

// One step of scrolling at the edge: the view moves, and the carried piece is moved again under the
// pointer that stood still, as the player's own move would.
void BoardCanvas::edgeScrollStep() {
  const QPointF before = view_.origin();
  if ((!captured_ && !boardHeld_) || edgeVelocity_.isNull()) return edgeTimer_.stop();
  view_.panBy(edgeVelocity_);
  if (view_.origin() == before) return edgeTimer_.stop();
  viewChanged();
  QMouseEvent move(QEvent::MouseMove, edgePointer_, mapToGlobal(edgePointer_), Qt::NoButton, edgeButtons_,
                   Qt::NoModifier);
  deliver(MouseAction::Move, &move);
}

}  // namespace tarsio
