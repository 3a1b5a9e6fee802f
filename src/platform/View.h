// The view of the board: how closely it is looked at and which part of it shows, mapping board twips
// to the canvas's pixels and back.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSizeF>

namespace tarsio {

// At zoom 1 the canvas shows the whole board, one pixel for every 15 twips, as if there were no view.
// Zoomed in, it shows a part of the same board (the canvas's own size at zoom 1) enlarged; the part
// never reaches beyond the board.
class View {
 public:
  static constexpr double WholeZoom = 1;

  // The canvas's size in pixels: the size of the board.
  void setViewport(QSizeF pixels);
  QSizeF viewport() const { return viewport_; }
  // The largest zoom allowed, at least 8.
  void setMaxZoom(double zoom);
  double maxZoom() const { return maxZoom_; }

  double zoom() const { return zoom_; }
  // The board point (in pixels of the board at zoom 1) at the canvas's top-left corner.
  QPointF origin() const { return origin_; }
  bool isWhole() const { return zoom_ == WholeZoom; }

  QPointF toCanvas(QPointF twips) const;
  QPointF toTwips(QPointF canvasPixels) const;
  // The canvas pixels a box in twips covers, each edge to the nearest pixel as at zoom 1.
  QRect canvasRect(double left, double top, double width, double height) const;
  // The canvas pixels that cover the board's pixels `board` (at zoom 1), and the other way round.
  QRect canvasPixelsOf(const QRect& board) const;
  QRect boardPixelsOf(const QRect& canvas) const;

  // Sets the zoom (within 1 .. maxZoom) keeping the board point under `canvasPoint` where it is, as far
  // as the board's edges allow.
  void zoomAt(double zoom, QPointF canvasPoint);
  // Sets the zoom with the board point `twips` at the middle of the canvas, as far as the edges allow.
  void zoomCentredOn(double zoom, QPointF twips);
  // Moves the board by `canvasPixels` under the canvas (positive: the board moves left and up).
  void panBy(QPointF canvasPixels);
  // Puts the board point `boardPixels` at the canvas's top-left corner, as far as the edges allow.
  void setOrigin(QPointF boardPixels);

 private:
  void clampOrigin();

  QSizeF viewport_;
  double maxZoom_ = 8;
  double zoom_ = WholeZoom;
  QPointF origin_;
};

}  // namespace tarsio
