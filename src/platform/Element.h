// Visual elements of the board: images and lines placed in twips, painted by the board canvas.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Picture.h"
#include "platform/View.h"

class QPainter;

namespace tarsio {

class BoardCanvas;

// Paint order of the board, back to front; within a layer, elements paint in creation order.
enum class Layer { Picture, GridLines, Trays, Pieces, Frame, Completion };

enum class MouseAction { Down, Move, Up };
// A mouse event as the game sees it: button 1 left, 2 right, 4 middle; shift the sum of 1 Shift,
// 2 Ctrl, 4 Alt; x and y in twips, relative to the element (or to the board for the bare board).
struct MouseArgs {
  int button = 0;
  int shift = 0;
  double x = 0;
  double y = 0;
};
using MouseHandler = std::function<void(MouseAction, const MouseArgs&)>;

// Standard pointer shapes an element can ask for while the pointer is over it.
enum PointerShape { PointerDefault = 0, PointerNoDrop = 12, PointerSizeAll = 15 };

// What a paint draws on: device pixels per pixel, and the device's size in device pixels.
struct Surface {
  qreal ratio = 1;
  double deviceArea = 0;
  static Surface of(const QPainter& painter);
};

class Element {
 public:
  Element(BoardCanvas* canvas, Layer layer);
  virtual ~Element();
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  bool Visible() const { return visible_; }
  void setVisible(bool visible);
  // An element beneath is painted, and found by the pointer, under the others of its layer, whatever
  // the order they were made in.
  bool beneath() const { return beneath_; }
  void setBeneath(bool beneath);

  Layer layer() const { return layer_; }
  std::uint64_t sequence() const { return sequence_; }
  // The pixels of the board (at zoom 1) the element paints over.
  const QRect& pixelBounds() const { return pixelBounds_; }
  // The canvas pixels the element paints over through `view`.
  virtual QRect canvasBounds(const View& view) const { return view.canvasPixelsOf(pixelBounds_); }
  virtual void paint(QPainter& painter, const View& view) const = 0;
  // Whether a paint through `view` on `surface` needs a picture of the element made first; a picture of
  // another size, while the canvas is in a hurry, will do for that paint.
  virtual bool needsPicture(const View&, const Surface&) const { return false; }
  // Makes that picture. Elements make their pictures on several threads at once, each its own.
  virtual void makePicture(const View&, const Surface&) const {}
  // Starts reading what makePicture will read, so that a thread making many reads the next meanwhile.
  virtual void prefetchPicture(const View&, const Surface&) const {}
  // Lets go of any picture kept for painting; the next paint makes it again.
  virtual void dropCache() const {}
  // Lets go of a picture kept from the size shown before, if any.
  virtual void dropSpare() const {}
  // The bytes of the pictures kept for painting.
  virtual qsizetype cachedBytes() const { return 0; }
  // Whether a paint covers every pixel of pixelBounds() with an opaque colour.
  virtual bool opaque() const { return false; }

 protected:
  // Recomputes the painted area and repaints both the old and the new one.
  void changed();
  // Recomputes the painted area and repaints only `dirty` (board pixels), the parts that changed.
  void changedWithin(const std::vector<QRect>& dirty);
  virtual QRect computePixelBounds() const = 0;
  BoardCanvas* canvas_;

 private:
  Layer layer_;
  std::uint64_t sequence_;
  bool visible_ = false;
  bool beneath_ = false;
  QRect pixelBounds_;
};

// An image element: a picture shown in a box, stretched to it or at its natural size.
class ImageElement : public Element {
 public:
  explicit ImageElement(BoardCanvas* canvas, Layer layer = Layer::Pieces);

  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void setLeft(double left) { Move(left, top_); }
  void setTop(double top) { Move(left_, top); }
  void setWidth(double width) { setBox(left_, top_, width, height_); }
  void setHeight(double height) { setBox(left_, top_, width_, height); }
  void Move(double left, double top) { setBox(left, top, width_, height_); }
  void setBox(double left, double top, double width, double height);

  const Picture& picture() const { return picture_; }
  // Without Stretch the element takes the picture's natural size (15 twips per pixel).
  void setPicture(const Picture& picture);
  bool Stretch() const { return stretch_; }
  void setStretch(bool stretch) { stretch_ = stretch; }
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  // 0 none, 1 a thin frame around the picture.
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);
  int MousePointer() const { return mousePointer_; }
  void setMousePointer(int shape);
  // From 0 (unseen) to 1 (the picture at full strength over the table).
  void setOpacity(double opacity);

  const MouseHandler& mouseHandler() const { return mouseHandler_; }
  void setMouseHandler(MouseHandler handler) { mouseHandler_ = std::move(handler); }
  // A new element of an array starts as a copy of the design element: size, picture, stretch.
  void copyLookFrom(const ImageElement& design);

  QRectF boxTwips() const { return QRectF(left_, top_, width_, height_); }
  QRect canvasBounds(const View& view) const override;
  void paint(QPainter& painter, const View& view) const override;
  bool needsPicture(const View& view, const Surface& surface) const override;
  void makePicture(const View& view, const Surface& surface) const override;
  void prefetchPicture(const View& view, const Surface& surface) const override;
  void dropCache() const override { cache_ = spare_ = QImage(); }
  void dropSpare() const override { spare_ = QImage(); }
  qsizetype cachedBytes() const override { return cache_.sizeInBytes() + spare_.sizeInBytes(); }
  bool opaque() const override { return !picture_.isNull() && !picture_.hasAlpha() && opacity_ == 1; }

 protected:
  QRect computePixelBounds() const override;

 private:
  // Where the picture lands on the device: its canvas box with each edge at the nearest device pixel.
  struct Placement {
    QRectF target;       // in canvas pixels
    QSize devicePixels;  // the device pixels it covers
  };
  static Placement placement(const QRect& canvasBox, qreal ratio);
  // Whether the picture at `devicePixels` is to be made before this paint shows it.
  bool lacksPicture(QSize devicePixels, const View& view, const Surface& surface) const;
  void makePictureAt(QSize devicePixels, const View& view, qreal ratio) const;
  // An element larger than the whole device, or seen closely larger than a quarter of it (the picture,
  // a large piece), keeps no copy: it is drawn from its source over the pixels being painted, so that a
  // closer look keeps no larger pictures than the whole board does.
  static bool drawnFromSource(QSize devicePixels, const View& view, const Surface& surface) {
    return double(devicePixels.width()) * devicePixels.height() >
           surface.deviceArea / (view.isPlain() ? 1 : 4);
  }
  static bool madeAt(const QImage& image, QSize devicePixels, qreal ratio) {
    return image.size() == devicePixels && image.devicePixelRatio() == ratio;
  }
  bool cachedAt(QSize devicePixels, qreal ratio) const { return madeAt(cache_, devicePixels, ratio); }

  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  Picture picture_;
  bool stretch_ = false;
  bool enabled_ = true;
  int borderStyle_ = 0;
  int mousePointer_ = PointerDefault;
  double opacity_ = 1;
  MouseHandler mouseHandler_;
  // The picture drawn at the size it is painted, in the device's pixels; rebuilt only when the picture,
  // the size on the screen (the zoom included) or the device pixel ratio changes. The one it replaced
  // is kept as a spare until the canvas lets it go, so that a zoom step back shows it again at once.
  mutable QImage cache_;
  mutable QImage spare_;
};

// A straight line one pixel wide in the table's ink.
class LineElement : public Element {
 public:
  explicit LineElement(BoardCanvas* canvas, Layer layer = Layer::GridLines);

  double X1() const { return x1_; }
  double Y1() const { return y1_; }
  double X2() const { return x2_; }
  double Y2() const { return y2_; }
  void setLine(double x1, double y1, double x2, double y2);
  // Every line has the one look of the table's ink: nothing to copy.
  void copyLookFrom(const LineElement&) {}

  void paint(QPainter& painter, const View& view) const override;

 protected:
  QRect computePixelBounds() const override;

 private:
  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

}  // namespace tarsio
