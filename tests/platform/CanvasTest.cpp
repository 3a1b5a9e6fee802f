// The board canvas: mouse routing with capture, painting only what changed, in layer order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QTest>
#include <QThread>
#include <QWheelEvent>

#include "platform/BoardCanvas.h"
#include "platform/ElementArray.h"
#include "platform/Twips.h"

namespace tarsio {
namespace {

struct Seen {
  MouseAction action;
  int index;
  MouseArgs args;
};

class Canvas : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.resize(400, 300);
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    pieces.setMouseHandler([this](MouseAction a, int i, const MouseArgs& m) { seen.push_back({a, i, m}); });
    canvas.onBoardMouse = [this](MouseAction a, const MouseArgs& m) { board.push_back({a, -1, m}); };
    place(pieces.Load(0), 1500, 1500);  // pixels 100..160
    place(pieces.Load(1), 1800, 1500);  // pixels 120..180, over piece 0
  }
  static void place(ImageElement& e, double left, double top) {
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    e.setStretch(true);
    e.setPicture(Picture::fromImage(red));
    e.setBox(left, top, 900, 900);
    e.setVisible(true);
  }
  void send(QEvent::Type type, QPoint px, Qt::MouseButton button, Qt::MouseButtons held,
            Qt::KeyboardModifiers mods = {}) {
    QMouseEvent event(type, px, canvas.mapToGlobal(px), button, held, mods);
    QApplication::sendEvent(&canvas, &event);
  }

  BoardCanvas canvas;
  ElementArray<ImageElement> pieces{&canvas, Layer::Pieces, {999}};
  std::vector<Seen> seen, board;
};

TEST_F(Canvas, pressGoesToTheTopmostPieceAndMovesFollowItWhileHeld) {
  send(QEvent::MouseButtonPress, {130, 110}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].index, 1);  // created later, so on top
  EXPECT_EQ(seen[0].args.button, 1);
  EXPECT_EQ(seen[0].args.shift, 2);
  EXPECT_DOUBLE_EQ(seen[0].args.x, 130 * 15 - 1800);
  EXPECT_DOUBLE_EQ(seen[0].args.y, 110 * 15 - 1500);
  // Far outside every piece: the captured piece still gets the move and the release.
  send(QEvent::MouseMove, {390, 290}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {390, 290}, Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].action, MouseAction::Move);
  EXPECT_EQ(seen[1].index, 1);
  EXPECT_DOUBLE_EQ(seen[1].args.x, 390 * 15 - 1800);
  EXPECT_EQ(seen[2].action, MouseAction::Up);
  EXPECT_EQ(seen[2].index, 1);
  EXPECT_TRUE(board.empty());
}

TEST_F(Canvas, theBareBoardGetsPressesAndMovesInBoardTwips) {
  send(QEvent::MouseMove, {10, 20}, Qt::NoButton, Qt::NoButton);
  send(QEvent::MouseButtonPress, {10, 20}, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
  send(QEvent::MouseButtonRelease, {10, 20}, Qt::RightButton, Qt::NoButton);
  ASSERT_EQ(board.size(), 3u);
  EXPECT_EQ(board[0].action, MouseAction::Move);
  EXPECT_EQ(board[1].action, MouseAction::Down);
  EXPECT_EQ(board[2].action, MouseAction::Up);
  EXPECT_EQ(board[1].args.button, 2);
  EXPECT_EQ(board[1].args.shift, 1);
  EXPECT_DOUBLE_EQ(board[1].args.x, 150);
  EXPECT_DOUBLE_EQ(board[1].args.y, 300);
  EXPECT_TRUE(seen.empty());
}

TEST_F(Canvas, movesWithoutAButtonGoToThePieceUnderThePointer) {
  send(QEvent::MouseMove, {105, 105}, Qt::NoButton, Qt::NoButton);
  send(QEvent::MouseMove, {170, 105}, Qt::NoButton, Qt::NoButton);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].index, 0);
  EXPECT_EQ(seen[1].index, 1);
}

TEST_F(Canvas, hiddenPiecesAndRemovedPiecesGetNoEvents) {
  pieces(1).setVisible(false);
  send(QEvent::MouseButtonPress, {130, 110}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {130, 110}, Qt::LeftButton, Qt::NoButton);
  pieces.Unload(0);
  send(QEvent::MouseButtonPress, {105, 105}, Qt::LeftButton, Qt::LeftButton);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].index, 0);
  EXPECT_EQ(board.size(), 1u);
}

TEST_F(Canvas, aPieceRemovedWhileHeldEndsTheCapture) {
  send(QEvent::MouseButtonPress, {130, 110}, Qt::LeftButton, Qt::LeftButton);
  pieces.Unload(1);
  send(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(canvas.captured(), nullptr);
  EXPECT_EQ(board.size(), 1u);
}

TEST_F(Canvas, thePointerShapeFollowsThePieceUnderIt) {
  pieces(1).setMousePointer(PointerSizeAll);
  send(QEvent::MouseMove, {170, 105}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(canvas.cursor().shape(), Qt::SizeAllCursor);
  pieces(1).setMousePointer(PointerNoDrop);
  EXPECT_EQ(canvas.cursor().shape(), Qt::ForbiddenCursor);
  send(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(canvas.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Canvas, aMovedPieceLeavesNothingBehindAndLaterElementsPaintOnTop) {
  QImage shot = canvas.grab().toImage();
  EXPECT_EQ(shot.pixelColor(110, 110), QColor(Qt::red));
  const QColor background = shot.pixelColor(300, 250);
  pieces(0).Move(4500, 3000);  // pixels 300..360, 200..260
  QApplication::processEvents();
  shot = canvas.grab().toImage();
  EXPECT_EQ(shot.pixelColor(105, 150), background);
  EXPECT_EQ(shot.pixelColor(310, 210), QColor(Qt::red));
}

// Work that moves pieces while repaints are paced still gets a frame after a paint slower than a frame.
TEST_F(Canvas, aPacedPaintSlowerThanAFrameIsNotFollowedByAnotherAtOnce) {
  QApplication::processEvents();
  int paints = 0;
  canvas.onPainted = [&] { ++paints, QThread::msleep(25); };
  const PacedRepaints paced(&canvas);
  pieces(0).Move(4500, 3000);
  QApplication::processEvents();
  pieces(0).Move(1500, 3000);
  QApplication::processEvents();
  EXPECT_EQ(paints, 1);
}

TEST_F(Canvas, aPileOfPiecesOnOnePlaceShowsItsTopmostAndWhatShowsThroughASeeThroughOne) {
  const auto pile = [this](int index, QColor colour) {
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    ImageElement& e = pieces.Load(index);
    e.setStretch(true);
    e.setPicture(Picture::fromImage(image));
    e.setBox(4500, 750, 900, 900);  // pixels 300..360, 50..110
    e.setVisible(true);
  };
  pile(2, Qt::green);
  pile(3, QColor(0, 0, 255));
  pile(4, QColor(255, 0, 0, 0));
  pile(5, QColor(0, 0, 0, 0));
  const auto shown = [this] { return canvas.grab().toImage().pixelColor(330, 80); };
  EXPECT_EQ(shown(), QColor(0, 0, 255));
  pieces(4).setPicture(Picture::fromImage([] {
    QImage opaque(4, 4, QImage::Format_RGB32);
    opaque.fill(Qt::yellow);
    return opaque;
  }()));
  EXPECT_EQ(shown(), QColor(Qt::yellow));
  pieces(4).setVisible(false);
  pieces(3).Move(4500, 3000);
  EXPECT_EQ(shown(), QColor(Qt::green));
  // One beneath the others of its layer shows, and takes the pointer, only where no other lies.
  pieces(5).setVisible(false);
  pieces(3).Move(4500, 750);
  pieces(3).setBeneath(true);
  EXPECT_EQ(shown(), QColor(Qt::green));
  EXPECT_EQ(canvas.elementAt({4800, 1000}), &pieces(2));
  pieces(2).setVisible(false);
  EXPECT_EQ(shown(), QColor(0, 0, 255));
}

// Zoomed in and moved across the board, only the pieces on the screen keep a picture for painting, each
// at the pixels it covers there; back at the whole board the canvas shows exactly what it showed before.
TEST_F(Canvas, aZoomedViewKeepsPicturesOnlyOnTheScreenAndTheWholeBoardPaintsAsBefore) {
  QImage pattern(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < pattern.height(); ++y)
    for (int x = 0; x < pattern.width(); ++x) pattern.setPixel(x, y, qRgb(x * 6, y * 8, (x + y) % 2 * 255));
  for (int k = 0; k < 100; ++k) {
    ImageElement& e = pieces.Load(10 + k);
    e.setStretch(true);
    e.setPicture(Picture::fromImage(pattern));
    e.setBox(k % 10 * 600, k / 10 * 450, 600, 450);
    e.setVisible(true);
  }
  const auto settle = [this] {
    canvas.grab();
    QApplication::processEvents();
    return canvas.grab().toImage();
  };
  const QImage before = settle();
  const qsizetype whole = canvas.cachedBytes();
  for (int step = 0; step < 7; ++step) {
    canvas.zoomIn();
    settle();
  }
  // A step back shows at once, sharp, the pictures kept from the size before, but never an old one.
  pieces(65).setPicture(pieces(65).picture().mirrored(true, false));
  canvas.zoomOut();
  const QImage atOnce = canvas.grab().toImage();
  for (int i = 10; i < 110; ++i) pieces(i).setPicture(pieces(i).picture());  // each made anew
  EXPECT_EQ(atOnce, settle());
  pieces(65).setPicture(pieces(65).picture().mirrored(true, false));
  for (const Qt::KeyboardModifier axis : {Qt::NoModifier, Qt::ShiftModifier}) {
    QWheelEvent wheel({200, 150}, canvas.mapToGlobal(QPoint(200, 150)), {}, {0, -600}, Qt::NoButton, axis,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas, &wheel);
  }
  settle();
  qsizetype onScreen = 0;
  for (int i = 0; i < 110; ++i) {
    const QRect shown = i < 2 || i >= 10 ? pieces(i).canvasBounds(canvas.view()) : QRect();
    if (shown.intersects(canvas.rect())) onScreen += shown.width() * shown.height() * 4;
  }
  EXPECT_GT(canvas.view().origin().x(), 0);
  EXPECT_EQ(canvas.cachedBytes(), onScreen);
  canvas.showWholeBoard();
  EXPECT_EQ(settle(), before);
  EXPECT_EQ(canvas.cachedBytes(), whole);
}

// A touchpad pinch zooms as Ctrl + wheel does, at the fingers: the board point under them stays there.
TEST_F(Canvas, aPinchZoomsAtTheFingers) {
  const QPointF fingers(310, 70);
  const QPointF under = canvas.view().toTwips(fingers);
  QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, fingers,
                            fingers, canvas.mapToGlobal(fingers), 1.5, {});
  QApplication::sendEvent(&canvas, &pinch);
  EXPECT_DOUBLE_EQ(canvas.view().zoom(), 2.5);
  EXPECT_NEAR(canvas.view().toTwips(fingers).x(), under.x(), 1e-9);
  EXPECT_NEAR(canvas.view().toTwips(fingers).y(), under.y(), 1e-9);
}

// The view: at zoom 1 it is the board itself; zooming keeps the board point under the pointer there.
TEST(View, zoomingKeepsThePointUnderThePointerAndZoomOneIsTheBoardItself) {
  View view;
  view.setViewport({400, 300});
  EXPECT_EQ(view.toTwips({7, 9}), QPointF(105, 135));
  EXPECT_EQ(view.canvasRect(100, 0, 1012.5, 100), twipsToPixelRect(100, 0, 1012.5, 100));
  const QPointF pointer(310, 70);
  for (const double zoom : {4.0, 1.7, 8.0}) {
    const QPointF under = view.toTwips(pointer);
    view.zoomAt(zoom, pointer);
    EXPECT_EQ(view.zoom(), zoom);
    EXPECT_NEAR(view.toTwips(pointer).x(), under.x(), 1e-9);
    EXPECT_NEAR(view.toTwips(pointer).y(), under.y(), 1e-9);
  }
  view.zoomAt(1, pointer);
  EXPECT_EQ(view.origin(), QPointF());
  // A board larger than the canvas scrolls at zoom 1 and shows whole only farther away.
  view.setBoard({1000, 450});
  EXPECT_EQ(view.scrollSpan(), QSizeF(600, 150));
  view.setOrigin({9999, 9999});
  EXPECT_EQ(view.origin(), QPointF(600, 150));
  view.zoomAt(0.1, {});
  EXPECT_EQ(view.zoom(), 0.4);
  EXPECT_TRUE(view.showsAll());
  EXPECT_EQ(view.toTwips({400, 180}), QPointF(15000, 6750));
}

// On a device with two device pixels per pixel a piece is drawn from its source at the device's pixels:
// a pattern of single pixels, shown in a box of half its size in pixels, keeps every pixel, upright or
// turned, and stays so when the piece moves.
TEST(ElementAtRatio2, aPieceOfAFinePatternKeepsItsPixels) {
  QImage pattern(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < pattern.height(); ++y)
    for (int x = 0; x < pattern.width(); ++x)
      pattern.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(x * 6, y * 8, 0));
  const Picture source = Picture::fromImage(pattern);
  BoardCanvas canvas;
  canvas.resize(200, 150);
  ElementArray<ImageElement> pieces(&canvas, Layer::Pieces, {999});
  const struct {
    Picture picture;
    QImage shown;
  } cases[] = {{source, pattern}, {source.turnedQuarter(), pattern.transformed(QTransform().rotate(90))}};
  for (const auto& [picture, shown] : cases) {
    ImageElement& piece = pieces.Load(0);
    piece.setStretch(true);
    piece.setPicture(picture);
    piece.setVisible(true);
    for (const QPoint at : {QPoint(30, 20), QPoint(71, 33)}) {
      piece.setBox(pixelsToTwips(at.x()), pixelsToTwips(at.y()), pixelsToTwips(shown.width() / 2),
                   pixelsToTwips(shown.height() / 2));
      QImage screen(canvas.size() * 2, QImage::Format_RGB32);
      screen.setDevicePixelRatio(2);
      QPainter painter(&screen);
      piece.paint(painter, View());
      painter.end();
      screen.setDevicePixelRatio(1);
      EXPECT_EQ(screen.copy(QRect(at * 2, shown.size())), shown) << at.x() << "," << at.y();
    }
    pieces.Unload(0);
  }
}

TEST(Twips, measurementsRoundHalvesToEvenAndNeighboursShareTheirEdge) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(2.51), 3);
  // Two boxes of 1012.5 twips side by side touch without a gap or an overlap.
  const QRect a = twipsToPixelRect(100, 0, 1012.5, 100);
  const QRect b = twipsToPixelRect(1112.5, 0, 1012.5, 100);
  EXPECT_EQ(a.right() + 1, b.left());
}

}  // namespace
}  // namespace tarsio
