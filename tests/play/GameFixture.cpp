// The game fixture.
#include "play/GameFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <functional>

#include "support/Pictures.h"

namespace tarsio {

namespace {

// A canvas position that the canvas turns back into these twips through `toTwips` (its view along one
// axis), searched from `guess`: exactly when one exists, else the nearest one on the given side (-1
// short, +1 beyond; 0 accepts none).
double pixelsFor(double twips, int side, const std::function<double(double)>& toTwips, double guess) {
  double pixels = guess;
  for (int tries = 0; tries < 64 && toTwips(pixels) != twips; ++tries)
    pixels = std::nextafter(pixels, toTwips(pixels) < twips ? HUGE_VAL : -HUGE_VAL);
  if (toTwips(pixels) == twips) return pixels;
  EXPECT_NE(side, 0) << "no pixel position for exactly " << twips << " twips";
  while (side > 0 && toTwips(pixels) < twips) pixels = std::nextafter(pixels, HUGE_VAL);
  while (side < 0 && toTwips(pixels) > twips) pixels = std::nextafter(pixels, -HUGE_VAL);
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
  const View& view = board->canvas->view();
  const QPointF guess = view.toCanvas(twips);
  const auto alongX = [&](double x) { return view.toTwips({x, 0}).x(); };
  const auto alongY = [&](double y) { return view.toTwips({0, y}).y(); };
  const QPointF local(pixelsFor(twips.x(), side.x(), alongX, guess.x()),
                      pixelsFor(twips.y(), side.y(), alongY, guess.y()));
  QMouseEvent event(type, local, board->canvas->mapToGlobal(local), button, held, mods);
  QApplication::sendEvent(board->canvas, &event);
}

void GameFixture::pressAt(QPointF twips, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  send(QEvent::MouseButtonPress, twips, button, button, mods);
}

void GameFixture::moveTo(QPointF twips, Qt::MouseButtons held, QPoint side) {
  send(QEvent::MouseMove, twips, Qt::NoButton, held, Qt::NoModifier, side);
}

void GameFixture::releaseAt(QPointF twips, Qt::MouseButton button, Qt::MouseButtons stillHeld) {
  send(QEvent::MouseButtonRelease, twips, button, stillHeld, Qt::NoModifier);
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

void GameFixture::zoomAt(QPointF twips, int angle) {
  const QPointF at = board->canvas->view().toCanvas(twips);
  QWheelEvent wheel(at, board->canvas->mapToGlobal(at), {}, {0, angle}, Qt::NoButton, Qt::ControlModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(board->canvas, &wheel);
}

QPointF GameFixture::onCanvasPixel(QPointF twips) const {
  const View& view = board->canvas->view();
  return view.toTwips(view.toCanvas(twips).toPoint());
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
