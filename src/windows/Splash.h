// The splash window: a frameless window shaped like its picture that hands over to the board.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "windows/WindowShape.h"

namespace tarsio {

class Form0 : public QWidget {
 public:
  // The window is shaped (in the way `outline` names) and its timer started at once; onHandOver runs
  // once, when the timer first fires (4000 ms later) or a click or a key comes first, and the splash
  // closes right after it.
  explicit Form0(std::function<void()> onHandOver, Outline outline = platformOutline());

  QTimer Timer2;
  // The splash picture, 379 x 215 pixels on white.
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Form_Load(Outline outline);
  void Timer2_Timer();
  void Form_MouseDown(QMouseEvent* event);

  std::function<void()> onHandOver_;
  QImage picture_;
  QImage painted_;  // the picture as the window paints it: transparent where white when translucent
  bool pressed_ = false;   // a button went down on the window and has not been released
  bool dragging_ = false;  // the pointer moved with it held: a drag, not a click
  bool draggingByHand_ = false;
  QPoint pressOffset_;  // pixels from the window's top-left corner to the pointer at the press
};

}  // namespace tarsio
