// The game fixture.
#include "play/GameFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <cmath>

#include "support/Pictures.h"

namespace tarsio {

namespace {

// A pixel position that the canvas turns back into these twips (15 per pixel): exactly when one
// exists, else the nearest one on the given side (-1 short, +1 beyond; 0 accepts none).
double pixelsFor(double twips, int side) {
  double pixels = twips / 15;
  for (int tries = 0; tries < 8 && pixels * 15 != twips; ++tries)
    pixels = std::nextafter(pixels, pixels * 15 < twips ? HUGE_VAL : -HUGE_VAL);
  if (pixels * 15 == twips) return pixels;
  EXPECT_NE(side, 0) << "no pixel position for exactly " << twips << " twips";
  while (side > 0 && pixels * 15 < twips) pixels = std::nextafter(pixels, HUGE_VAL);
  while (side < 0 && pixels * 15 > twips) pixels = std::nextafter(pixels, -HUGE_VAL);
  return pixels;
}

}  // namespace

void GameFixture::startGame(QSize pixels, int rows, int columns, MenuItem& option) {
  if (!option.Checked()) option.action()->trigger();
  ASSERT_TRUE(option.Checked());
  choosePicture(blocksPicture(pixels.width(), pixels.height(), rows, columns));
  chooseGrid(rows, columns);
  click(board->CmdTarsio);
  ASSERT_EQ(game().GamePhase, 3);
}

HomePosition GameFixture::home(int i) {
  return homePosition(
      i, {game().GridLeft, game().GridTop, game().CellWidth, game().CellHeight, game().ColumnCount});
}

void GameFixture::send(QEvent::Type type, QPointF twips, Qt::MouseButton button, Qt::MouseButtons held,
                       Qt::KeyboardModifiers mods, QPoint side) {
  const QPointF local(pixelsFor(twips.x(), side.x()), pixelsFor(twips.y(), side.y()));
  QMouseEvent event(type, local, board->canvas->mapToGlobal(local), button, held, mods);
  QApplication::sendEvent(board->canvas, &event);
}

void GameFixture::pressAt(QPointF twips, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  send(QEvent::MouseButtonPress, twips, button, button, mods);
}

void GameFixture::moveTo(QPointF twips, Qt::MouseButtons held, QPoint side) {
  send(QEvent::MouseMove, twips, Qt::NoButton, held, Qt::NoModifier, side);
}

void GameFixture::releaseAt(QPointF twips, Qt::MouseButton button) {
  send(QEvent::MouseButtonRelease, twips, button, Qt::NoButton, Qt::NoModifier);
}

void GameFixture::dragTo(int i, QPointF topLeft) {
  const QPointF grab = centreOf(piece(i));
  const QPointF to = grab + (topLeft - topLeftOf(i));
  pressAt(grab);
  moveTo(to);
  releaseAt(to);
}

void GameFixture::dragHome(int i) {
  const HomePosition at = home(i);
  dragTo(i, {at.left, at.top});
}

void GameFixture::turnTo(int i, int v) {
  for (int presses = 0; presses < 4 && game().Orientation[i] != v; ++presses) {
    const bool otherFace = (game().Orientation[i] < 4) != (v < 4);
    pressAt(centreOf(piece(i)), Qt::LeftButton, otherFace ? Qt::ShiftModifier : Qt::ControlModifier);
    releaseAt(centreOf(piece(i)));
  }
  ASSERT_EQ(game().Orientation[i], v);
}

Qt::CursorShape GameFixture::cursorShape() const { return board->canvas->cursor().shape(); }

bool GameFixture::frameShown() const {
  const bool shown = board->liN.Visible();
  EXPECT_EQ(board->liE.Visible(), shown);
  EXPECT_EQ(board->liS.Visible(), shown);
  EXPECT_EQ(board->liOv.Visible(), shown);
  return shown;
}

}  // namespace tarsio
