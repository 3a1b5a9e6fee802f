// The board's drawing surface: paints every element in layer and creation order through the view
// (zoom and pan), repaints only what changed, and routes the mouse to the piece under the pointer or
// to the bare board, in board twips whatever the view.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "platform/Element.h"
#include "platform/View.h"

class QNativeGestureEvent;
class QScrollBar;

namespace tarsio {

class BoardCanvas : public QWidget {
 public:
  explicit BoardCanvas(QWidget* parent = nullptr);

  // Presses and moves over the bare board (outside every piece); x and y in board twips. After a press
  // on the bare board the moves and the release go there too, over pieces or not, until every button is
  // up.
  MouseHandler onBoardMouse;
  // Whether a left press on the bare board (twips, modifiers as in MouseArgs) is the game's rather than
  // the start of a pan of a zoomed view.
  std::function<bool(QPointF twips, int shift)> boardClaims;
  // A double click on the bare board, in twips.
  std::function<void(QPointF twips)> onBoardDoubleClick;
  // The wheel turned while an element is held with the left button: whole notches, forward positive.
  std::function<void(int notches)> onWheelWhileHeld;
  // A file dropped on the board (from a file manager): its full path, handed on after the drop has
  // returned. Other drops are refused.
  std::function<void(const QString& path)> onFileDropped;
  // Called after each paint of the board.
  std::function<void()> onPainted;
  // The picture that maps a part of the board, both in board twips: while the board is looked at
  // closely, a click on `map` centres the view on the same spot of `territory`, and the part of the
  // territory in view is outlined on the map. Empty rectangles: no map.
  void setMap(const QRectF& map, const QRectF& territory);
  // Called before the board is looked at more closely, so that pictures drawn from a reduced copy
  // can be given their full pixels first.
  std::function<void()> beforeCloserLook;

  // Topmost visible, enabled element with a mouse handler whose box holds the point (board twips);
  // one beneath only where no other holds it.
  ImageElement* elementAt(QPointF twips) const;
  // The element that got the press, while a button is held.
  ImageElement* captured() const { return captured_; }

  // The view: the board asks for a closer look, a farther one or the whole board; the player's own
  // gestures (Ctrl + wheel, a pinch, the wheel, dragging the bare board, a middle click, carrying a piece
  // to the edge) are the canvas's. Nothing outside the canvas sees the zoom.
  const View& view() const { return view_; }
  void zoomIn();
  void zoomOut();
  // The whole board, fitted into the canvas.
  void showWholeBoard();
  // Moves the view, at its zoom, so that the board rectangle (twips) is centred on the canvas when any
  // of it lies outside; nothing when all of it is in sight.
  void bringIntoSight(const QRectF& twips);
  // The table under the elements and the ink of the lines and captions on it; an invalid colour gives
  // the window's own colours.
  void setTable(const QColor& table, const QColor& ink);
  QColor ink() const { return palette().color(QPalette::WindowText); }
  // The bytes of every picture the elements keep for painting: those of the elements on the screen.
  qsizetype cachedBytes() const;
  // The screen point of a board point in twips.
  QPoint globalPosOf(QPointF twips) const;

  // Called by elements.
  void add(Element* element);
  void remove(Element* element);
  // The element was shown, hidden, moved or resized.
  void placed(const Element* element);
  void markDirty(const QRect& pixels);
  void pointerChanged();
  // Whether a picture cached at another size may be shown stretched for this paint.
  bool inAHurry() const { return hurry_; }
  // A picture was shown stretched: the canvas paints again with sharp pictures.
  void sharpenLater() { sharpPending_ = true; }
  // Whether a picture replaced by one of another size is kept as a spare: from a step of the zoom until
  // the view changes otherwise, as only a step back shows the size before again.
  bool keepsSpares() const { return !stepFrom_.isNull(); }

  // While paced, the canvas asks Qt for a repaint at most once a frame: what changes in between is
  // gathered and repainted together, however often pending events run. Ending the pacing asks for the
  // rest at once.
  void setPaced(bool paced);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The modifiers as MouseArgs gives them: 1 Shift, 2 Ctrl, 4 Alt.
  static int shiftCode(Qt::KeyboardModifiers modifiers);
  void deliver(MouseAction action, QMouseEvent* event);
  // Ends the capture as a release would, where the pointer was last seen: the element that holds the
  // pointer gets the release, whose button is unknown (0).
  void letGo();
  void updateCursor(QPointF twips);
  // View gestures (platform/CanvasView.cpp).
  // A touchpad pinch zooms as Ctrl + wheel does; false for any other native gesture.
  bool pinch(const QNativeGestureEvent* gesture);
  void zoomBy(double factor, QPointF canvasPoint);
  void viewChanged();
  void updateMaxZoom();
  // The board reaches as far as every element shown (measured anew), or further to take in `shown`
  // (which it never gives back until it is measured again).
  void measureBoard();
  void reachTo(const QRect& shown);
  void placeScrollBars();
  void syncScrollBars();
  // A middle click, or a left press, move or release of a pan of the bare board: true when the event
  // belonged to the view and goes no further.
  bool viewGesture(MouseAction action, QMouseEvent* event);
  // While a piece is carried near an edge of a zoomed view, the view scrolls that way.
  void edgeScrollFrom(QPointF canvasPoint, Qt::MouseButtons held);
  void edgeScrollStep();
  void dropCachesOffScreen();
  // The map (platform/CanvasMap.cpp): a click on it while zoomed, true when it moved the view; its
  // outline; the command rows faint while zoomed unless the pointer is near them.
  bool clickOnMap(QPointF twips);
  void paintMap(QPainter& painter) const;
  void fadeFurniture(QPointF canvasPoint);
  void listPainted(const QRegion& region, const Surface& surface);
  // Makes the pictures a paint needs, before it paints.
  void makePictures(const Surface& surface);

  // Every element in paint order (layer, then creation), with the pixels it covers while it is shown
  // (empty while hidden), so that a paint finds the few elements it touches without visiting each one.
  // A removed element leaves its entry with a null pointer until the list is compacted, so that removing
  // thousands of pieces stays linear.
  struct Entry {
    int layer;
    std::uint64_t sequence;
    Element* element;
    QRect shown;
    bool operator<(const Entry& other) const {
      return layer != other.layer ? layer < other.layer : sequence < other.sequence;
    }
  };
  std::vector<Entry>::const_iterator layerBegin(int layer) const;
  std::vector<Entry>::iterator entryOf(const Element* element);
  std::vector<Entry> elements_;
  // Scratch lists of one paint, kept to spare their allocation: the elements it touches, in paint order;
  // the place (canvas pixels) of each, with its index in that order; the places of the opaque ones.
  std::vector<const Entry*> touched_;
  struct Place {
    int x, y, width, height;
    std::size_t k;
    auto operator<=>(const Place&) const = default;
    bool samePlace(const Place& o) const {
      return x == o.x && y == o.y && width == o.width && height == o.height;
    }
  };
  std::vector<Place> keys_;
  std::vector<Place> opaquePlaces_;
  // The elements the paint shows (those not hidden by an opaque one on their place), and those of them
  // whose picture is made first.
  std::vector<const Element*> painted_;
  std::vector<const Element*> unmade_;
  std::size_t removed_ = 0;
  ImageElement* captured_ = nullptr;
  bool boardHeld_ = false;  // a press on the bare board, until every button is up
  int heldWheelAngle_ = 0;  // eighths of a degree turned while holding, short of a notch
  QPointF lastPointer_;
  int dirtyRects_ = 0;
  QMetaObject::Connection screenWatch_;
  bool paced_ = false;
  QRect gathered_;              // the pixels changed since the last repaint asked for while paced
  QElapsedTimer sinceRequest_;  // since the last repaint asked for, or painted, while paced

  View view_;
  QRect reach_;         // board pixels
  double closeUp_ = 4;  // the zoom a middle click on the whole board goes back to
  QScrollBar* horizontalBar_ = nullptr;
  QScrollBar* verticalBar_ = nullptr;
  bool syncingBars_ = false;
  bool panning_ = false;
  bool panMoved_ = false;  // the bare board was dragged since the press, not just clicked
  QPointF panFrom_;  // canvas pixels
  QPointF lastCanvasPointer_;
  QTimer edgeTimer_;
  QPointF edgeVelocity_;  // canvas pixels a step
  QPointF edgePointer_;
  Qt::MouseButtons edgeButtons_;
  bool hurry_ = false;
  bool sharpPending_ = false;
  bool sweepCaches_ = false;
  // The board pixels on the screen before the last change of the view, when it was a step of the zoom:
  // the elements there keep their pictures for a step back. Null after any other change.
  QRect stepFrom_;
  QRectF map_, territory_;
  bool furnitureFaint_ = false;
};

// Paces the canvas's repaints while it lives.
class PacedRepaints {
 public:
  explicit PacedRepaints(BoardCanvas* canvas) : canvas_(canvas) { canvas_->setPaced(true); }
  ~PacedRepaints() { canvas_->setPaced(false); }
  PacedRepaints(const PacedRepaints&) = delete;
  PacedRepaints& operator=(const PacedRepaints&) = delete;

 private:
  BoardCanvas* canvas_;
};

}  // namespace tarsio
