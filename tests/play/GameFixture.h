// A board with a game under way, and mouse gestures on its pieces at exact twips.
#pragma once

#include <QEvent>

#include "play/Docking.h"
#include "support/BoardFixture.h"

namespace tarsio {

class GameFixture : public BoardFixture {
 protected:
  // Marks the scramble option, chooses a picture of blocks of the given pixel size, draws the grid and
  // cuts: the game is in phase 3.
  void startGame(QSize pixels, int rows, int columns, MenuItem& option);
  ImageElement& piece(int i) { return board->ImA(i); }
  HomePosition home(int i);
  QPointF topLeftOf(int i) { return piece(i).boxTwips().topLeft(); }

  // Real mouse events at board twips, through the canvas's view, at sub-pixel positions so that a drag
  // can end on any twip. Some twips have no pixel position that gives them exactly (15 twips a pixel);
  // `side` then says, per axis, whether the pointer may land just short of them (-1) or just beyond
  // (+1); 0 requires them exactly.
  void pressAt(QPointF twips, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {});
  void moveTo(QPointF twips, Qt::MouseButtons held = Qt::LeftButton, QPoint side = {});
  void releaseAt(QPointF twips, Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons stillHeld = {});
  // Presses piece i in its middle, moves the pointer so that the piece's top-left corner would reach
  // `topLeft`, and releases there.
  void dragTo(int i, QPointF topLeft);
  // Drags piece i to its home cell (it docks when it is face up and upright).
  void dragHome(int i);
  // Turns piece i with Ctrl and Shift clicks until it has orientation v (the scramble option must allow
  // the turns).
  void turnTo(int i, int v);
  // Ctrl + wheel over a board point, `angle` eighths of a degree (120 a notch).
  void zoomAt(QPointF twips, int angle);
  // The board point at the canvas pixel nearest to `twips`, which a pointer can reach exactly.
  QPointF onCanvasPixel(QPointF twips) const;
  // The pointer shape the canvas shows.
  Qt::CursorShape cursorShape() const;
  bool frameShown() const;

 private:
  void send(QEvent::Type type, QPointF twips, Qt::MouseButton button, Qt::MouseButtons held,
            Qt::KeyboardModifiers mods, QPoint side = {});
};

}  // namespace tarsio
