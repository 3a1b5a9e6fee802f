// Image and line elements: geometry in twips, pictures cached at their painted size in device pixels.
#include "platform/Element.h"

#include <QPainter>
#include <cmath>
#include <utility>

#include "platform/BoardCanvas.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {
std::uint64_t nextSequence = 0;

// The whole board keeps the reduced copies it scales from; a closer look reduces only what it shows.
Copies copiesFor(const View& view) { return view.isPlain() ? Copies::MakeAndKeep : Copies::OnlyMade; }
}  // namespace

Element::Element(BoardCanvas* canvas, Layer layer)
    : canvas_(canvas), layer_(layer), sequence_(++nextSequence) {
  canvas_->add(this);
}

Element::~Element() {
  if (visible_) canvas_->markDirty(pixelBounds_);
  canvas_->remove(this);
}

void Element::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  canvas_->placed(this);
  canvas_->markDirty(pixelBounds_);
}

void Element::setBeneath(bool beneath) {
  if (beneath_ == beneath) return;
  beneath_ = beneath;
  if (visible_) canvas_->markDirty(pixelBounds_);
}

void Element::changed() {
  const QRect before = pixelBounds_;
  pixelBounds_ = computePixelBounds();
  if (before != pixelBounds_) canvas_->placed(this);
  if (visible_ && before != pixelBounds_) {
    canvas_->markDirty(before);
    canvas_->markDirty(pixelBounds_);
  } else if (visible_) {
    canvas_->markDirty(pixelBounds_);
  }
}

void Element::changedWithin(const std::vector<QRect>& dirty) {
  const QRect before = pixelBounds_;
  pixelBounds_ = computePixelBounds();
  if (before != pixelBounds_) canvas_->placed(this);
  if (visible_)
    for (const QRect& pixels : dirty) canvas_->markDirty(pixels);
}

ImageElement::ImageElement(BoardCanvas* canvas, Layer layer) : Element(canvas, layer) {}

void ImageElement::setBox(double left, double top, double width, double height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  changed();
}

void ImageElement::setPicture(const Picture& picture) {
  picture_ = picture;
  dropCache();
  if (!stretch_ && !picture.isNull())
    setBox(left_, top_, pixelsToTwips(picture.size().width()), pixelsToTwips(picture.size().height()));
  changed();
}

void ImageElement::setBorderStyle(int style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  changed();
}

void ImageElement::setMousePointer(int shape) {
  if (mousePointer_ == shape) return;
  mousePointer_ = shape;
  canvas_->pointerChanged();
}

void ImageElement::setOpacity(double opacity) {
  if (opacity_ == opacity) return;
  opacity_ = opacity;
  changed();
}

void ImageElement::copyLookFrom(const ImageElement& design) {
  stretch_ = design.stretch_;
  picture_ = design.picture_;
  setBox(left_, top_, design.width_, design.height_);
}

QRect ImageElement::computePixelBounds() const { return twipsToPixelRect(left_, top_, width_, height_); }

QRect ImageElement::canvasBounds(const View& view) const {
  return view.isPlain() ? pixelBounds() : view.canvasRect(left_, top_, width_, height_);
}

Surface Surface::of(const QPainter& painter) {
  const qreal ratio = painter.device()->devicePixelRatio();
  return {ratio, painter.device()->width() * ratio * painter.device()->height() * ratio};
}

ImageElement::Placement ImageElement::placement(const QRect& box, qreal ratio) {
  const QPoint topLeft(qRound(box.left() * ratio), qRound(box.top() * ratio));
  const QSize devicePixels(qRound((box.left() + box.width()) * ratio) - topLeft.x(),
                           qRound((box.top() + box.height()) * ratio) - topLeft.y());
  return {QRectF(QPointF(topLeft) / ratio, QSizeF(devicePixels) / ratio), devicePixels};
}

bool ImageElement::needsPicture(const View& view, const Surface& surface) const {
  return !picture_.isNull() &&
         lacksPicture(placement(canvasBounds(view), surface.ratio).devicePixels, view, surface);
}

bool ImageElement::lacksPicture(QSize devicePixels, const View& view, const Surface& surface) const {
  return !devicePixels.isEmpty() && !drawnFromSource(devicePixels, view, surface) &&
         !cachedAt(devicePixels, surface.ratio) &&
         (cache_.isNull() || !canvas_->inAHurry() || madeAt(spare_, devicePixels, surface.ratio));
}

void ImageElement::makePicture(const View& view, const Surface& surface) const {
  makePictureAt(placement(canvasBounds(view), surface.ratio).devicePixels, view, surface.ratio);
}

// Only a picture that makePictureAt will draw is read ahead: a spare taken back reads nothing.
void ImageElement::prefetchPicture(const View& view, const Surface& surface) const {
  const QSize devicePixels = placement(canvasBounds(view), surface.ratio).devicePixels;
  if (!madeAt(canvas_->keepsSpares() ? spare_ : cache_, devicePixels, surface.ratio))
    picture_.prefetch(devicePixels, copiesFor(view));
}

// The whole board keeps the reduced copies of the source it needs; a closer look reduces only the parts
// of pictures it shows, so that it needs no more memory than the whole board. After a step of the zoom
// the picture replaced becomes the spare, and a spare of the size wanted is taken back as it is.
void ImageElement::makePictureAt(QSize devicePixels, const View& view, qreal ratio) const {
  if (canvas_->keepsSpares())
    std::swap(cache_, spare_);
  else
    spare_ = QImage();
  if (cachedAt(devicePixels, ratio)) return;
  cache_ = picture_.render(devicePixels, copiesFor(view));
  cache_.setDevicePixelRatio(ratio);
}

// The picture is drawn from its source at the device pixels it covers on the screen now, so that it
// stays sharp on a screen with several device pixels per pixel and at any zoom. Right after the view
// changed, a picture cached at another size is shown stretched for one frame while the canvas asks for a
// sharp one next.
void ImageElement::paint(QPainter& painter, const View& view) const {
  const QRect box = canvasBounds(view);
  if (picture_.isNull() || box.isEmpty()) return;
  const Surface surface = Surface::of(painter);
  const Placement at = placement(box, surface.ratio);
  if (opacity_ < 1) painter.setOpacity(opacity_);
  if (drawnFromSource(at.devicePixels, view, surface)) {
    dropCache();
    picture_.draw(painter, at.target, at.devicePixels);
  } else if (lacksPicture(at.devicePixels, view, surface)) {
    makePictureAt(at.devicePixels, view, surface.ratio);
  } else if (!at.devicePixels.isEmpty() && !cachedAt(at.devicePixels, surface.ratio)) {
    painter.drawImage(at.target, cache_);
    canvas_->sharpenLater();
  }
  if (cachedAt(at.devicePixels, surface.ratio)) painter.drawImage(at.target.topLeft(), cache_);
  if (borderStyle_ == 1) {
    painter.setPen(QPen(canvas_->ink(), 0));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  if (opacity_ < 1) painter.setOpacity(1);
}

LineElement::LineElement(BoardCanvas* canvas, Layer layer) : Element(canvas, layer) {}

void LineElement::setLine(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  changed();
}

QRect LineElement::computePixelBounds() const {
  return QRect(twipsToPixelPoint(x1_, y1_), twipsToPixelPoint(x2_, y2_)).normalized().adjusted(-1, -1, 1, 1);
}

// A line across or down the board, on a device with a whole number of device pixels per pixel, is
// filled as the one-device-pixel rectangle the line would light, ends included: the same pixels, drawn
// many times faster than by the line drawing (hundreds of grid lines cross a zoomed board).
void LineElement::paint(QPainter& painter, const View& view) const {
  const QPoint from = view.isPlain() ? twipsToPixelPoint(x1_, y1_) : view.toCanvas({x1_, y1_}).toPoint();
  const QPoint to = view.isPlain() ? twipsToPixelPoint(x2_, y2_) : view.toCanvas({x2_, y2_}).toPoint();
  const qreal ratio = painter.device()->devicePixelRatio();
  if ((from.x() == to.x() || from.y() == to.y()) && ratio == std::floor(ratio)) {
    const qreal thin = 1 / ratio;
    const QRect span = QRect(from, to).normalized();
    painter.fillRect(QRectF(span.left(), span.top(), span.width() - 1 + thin, span.height() - 1 + thin),
                     canvas_->ink());
    return;
  }
  painter.setPen(QPen(canvas_->ink(), 0));
  painter.drawLine(from, to);
}

}  // namespace tarsio
