// The view of the board: how closely it is looked at and which part of it shows, mapping board twips
// to the canvas's pixels and back.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSizeF>

namespace tarsio {

// At zoom 1 a canvas pixel shows a pixel of the board, 15 twips. The board is at least the canvas's own
// size and reaches as far as what lies on it; the part shown never reaches beyond it. Where the board is
// larger than the canvas, the whole of it shows at a zoom below 1, and at any closer zoom it scrolls.
class View {
 public:
  // The canvas's size in pixels.
  void setViewport(QSizeF pixels);
  QSizeF viewport() const { return viewport_; }
  // How far what lies on the board reaches, in pixels of the board at zoom 1.
  void setBoard(QSizeF pixels);
  // The board's size in pixels at zoom 1: the canvas's size or what lies on it, whichever is larger.
  QSizeF board() const { return viewport_.expandedTo(reach_); }
  // The zoom that shows the whole board: 1, or less where the board is larger than the canvas. No view
  // shows it from farther away.
  double wholeZoom() const;
  // The largest zoom allowed, at least 8.
  void setMaxZoom(double zoom);
  double maxZoom() const { return maxZoom_; }

  double zoom() const { return zoom_; }
  // The board point (in pixels of the board at zoom 1) at the canvas's top-left corner.
  QPointF origin() const { return origin_; }
  // Zoom 1 from the board's top-left corner: a canvas pixel is the board's pixel at the same place.
  bool isPlain() const { return zoom_ == 1 && origin_.isNull(); }
  // How far the board can be moved under the canvas, in canvas pixels along each axis; 0 where the
  // whole board shows.
  QSizeF scrollSpan() const;
  bool scrolls() const { return !scrollSpan().isNull(); }
  // The whole board is in sight.
  bool showsAll() const { return !scrolls(); }

  QPointF toCanvas(QPointF twips) const;
  QPointF toTwips(QPointF canvasPixels) const;
  // The canvas pixels a box in twips covers, each edge to the nearest pixel as at zoom 1.
  QRect canvasRect(double left, double top, double width, double height) const;
  // The canvas pixels that cover the board's pixels `board` (at zoom 1), and the other way round.
  QRect canvasPixelsOf(const QRect& board) const;
  QRect boardPixelsOf(const QRect& canvas) const;

  // Sets the zoom (within wholeZoom .. maxZoom) keeping the board point under `canvasPoint` where it is, as
  // far as the board's edges allow.
  void zoomAt(double zoom, QPointF canvasPoint);
  // Sets the zoom with the board point `twips` at the middle of the canvas, as far as the edges allow.
  void zoomCentredOn(double zoom, QPointF twips);
  // Moves the board by `canvasPixels` under the canvas (positive: the board moves left and up).
  void panBy(QPointF canvasPixels);
  // Puts the board point `boardPixels` at the canvas's top-left corner, as far as the edges allow.
  void setOrigin(QPointF boardPixels);

 private:
  void clampOrigin();

  // Brings the zoom back within its range when the canvas or the board changes.
  void clampZoom();

  QSizeF viewport_;
  QSizeF reach_;
  double maxZoom_ = 8;
  double zoom_ = 1;
  QPointF origin_;
};

}  // namespace tarsio
