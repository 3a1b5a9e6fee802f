// The view of the board: zoom, the part shown, and the mapping between board twips and canvas pixels.
#include "platform/View.h"

#include <algorithm>
#include <cmath>

#include "platform/Twips.h"

namespace tarsio {

void View::setViewport(QSizeF pixels) {
  viewport_ = pixels;
  clampZoom();
}

void View::setBoard(QSizeF pixels) {
  reach_ = pixels;
  clampZoom();
}

double View::wholeZoom() const {
  const QSizeF all = board();
  if (all.isEmpty()) return 1;
  return std::min({1.0, viewport_.width() / all.width(), viewport_.height() / all.height()});
}

void View::clampZoom() {
  zoom_ = std::clamp(zoom_, wholeZoom(), maxZoom_);
  clampOrigin();
}

// Half a pixel of the board left over is rounding, not room to scroll.
QSizeF View::scrollSpan() const {
  const QSizeF over = board() * zoom_ - viewport_;
  return {over.width() > 0.5 ? over.width() : 0, over.height() > 0.5 ? over.height() : 0};
}

void View::setMaxZoom(double zoom) {
  maxZoom_ = std::max(8.0, zoom);
  if (zoom_ > maxZoom_) zoomAt(maxZoom_, {viewport_.width() / 2, viewport_.height() / 2});
}

QPointF View::toCanvas(QPointF twips) const {
  return (QPointF(twipsToPixels(twips.x()), twipsToPixels(twips.y())) - origin_) * zoom_;
}

// In the plain view a pixel gives its 15 twips exactly.
QPointF View::toTwips(QPointF canvasPixels) const {
  const QPointF board = canvasPixels / zoom_ + origin_;
  return {pixelsToTwips(board.x()), pixelsToTwips(board.y())};
}

QRect View::canvasRect(double left, double top, double width, double height) const {
  if (isPlain()) return twipsToPixelRect(left, top, width, height);
  const QPointF a = toCanvas({left, top}), b = toCanvas({left + width, top + height});
  const int x1 = static_cast<int>(std::lround(a.x())), y1 = static_cast<int>(std::lround(a.y()));
  const int x2 = static_cast<int>(std::lround(b.x())), y2 = static_cast<int>(std::lround(b.y()));
  return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
               QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

namespace {

// The whole pixels that cover the span from `a` to `b`, and one more above and to the left, where a
// rounding of the other side may reach.
QRect pixelsCovering(QPointF a, QPointF b) {
  return QRect(QPoint(static_cast<int>(std::floor(a.x())) - 1, static_cast<int>(std::floor(a.y())) - 1),
               QPoint(static_cast<int>(std::ceil(b.x())), static_cast<int>(std::ceil(b.y()))));
}

}  // namespace

QRect View::canvasPixelsOf(const QRect& board) const {
  if (isPlain() || board.isEmpty()) return board;
  return pixelsCovering((QPointF(board.topLeft()) - origin_) * zoom_,
                        (QPointF(board.right() + 1, board.bottom() + 1) - origin_) * zoom_);
}

QRect View::boardPixelsOf(const QRect& canvas) const {
  if (isPlain() || canvas.isEmpty()) return canvas;
  return pixelsCovering(QPointF(canvas.topLeft()) / zoom_ + origin_,
                        QPointF(canvas.right() + 1, canvas.bottom() + 1) / zoom_ + origin_);
}

void View::zoomAt(double zoom, QPointF canvasPoint) {
  const QPointF under = canvasPoint / zoom_ + origin_;
  zoom_ = std::clamp(zoom, wholeZoom(), maxZoom_);
  origin_ = under - canvasPoint / zoom_;
  clampOrigin();
}

void View::zoomCentredOn(double zoom, QPointF twips) {
  zoom_ = std::clamp(zoom, wholeZoom(), maxZoom_);
  const QPointF half(viewport_.width() / 2, viewport_.height() / 2);
  origin_ = QPointF(twipsToPixels(twips.x()), twipsToPixels(twips.y())) - half / zoom_;
  clampOrigin();
}

void View::panBy(QPointF canvasPixels) { setOrigin(origin_ + canvasPixels / zoom_); }

void View::setOrigin(QPointF boardPixels) {
  origin_ = boardPixels;
  clampOrigin();
}

// The part shown stays inside the board: at zoom z it is the canvas's size over z, so the origin runs
// from 0 to the board's size less that part.
void View::clampOrigin() {
  const QSizeF span = scrollSpan() / zoom_;
  origin_ = QPointF(std::clamp(origin_.x(), 0.0, span.width()), std::clamp(origin_.y(), 0.0, span.height()));
}

}  // namespace tarsio
