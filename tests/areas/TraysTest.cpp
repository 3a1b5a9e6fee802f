// Trays: the layout rule, and trays on a real board driven by real mouse and key events.
#include <QMenu>
#include <QTest>
#include <algorithm>

#include "areas/Trays.h"
#include "play/GameFixture.h"

namespace tarsio {
namespace {

// 300 x 200 pixels in a 3 x 4 grid: cells of 1125 x 1000 twips.
const QSize Picture(300, 200);

// No two places overlap, and every piece lies inside the frame, below its title band.
void expectLaidOut(const TrayShape& shape, const std::vector<QSizeF>& sizes) {
  ASSERT_EQ(shape.places.size(), sizes.size());
  const QRectF inside = shape.frame.adjusted(0, TrayTitleHeight, 0, 0);
  for (std::size_t a = 0; a < sizes.size(); ++a) {
    const QRectF box(shape.places[a], sizes[a]);
    EXPECT_TRUE(inside.contains(box)) << a;
    for (std::size_t b = a + 1; b < sizes.size(); ++b)
      EXPECT_FALSE(box.intersects(QRectF(shape.places[b], sizes[b]))) << a << " " << b;
  }
}

TEST(TrayLayout, piecesLieSideBySideWithoutOverlapAndTheTrayGrowsBothWays) {
  for (const int count : {0, 1, 5, 30, 1000}) {
    SCOPED_TRACE(count);
    std::vector<QSizeF> sizes;
    for (int i = 0; i < count; ++i) sizes.push_back(i % 3 ? QSizeF(1125, 1000) : QSizeF(1000, 1125));
    const TrayShape shape = layTray({500, 700}, sizes);
    expectLaidOut(shape, sizes);
    EXPECT_EQ(shape.frame.topLeft(), QPointF(500, 700));
    EXPECT_GE(shape.frame.width(), TrayLeastInside.width());
    EXPECT_LT(shape.frame.width(), 2 * std::max(shape.frame.height(), TrayLeastInside.width() + 2 * TrayGap));
  }
}

class TraysOnTheBoard : public GameFixture {
 protected:
  void key(int k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(board->windowHandle(), Qt::Key(k), mods); }
  QPointF into(int tray) { return board->trays.frame(tray).center(); }
  std::vector<QSizeF> sizesOf(const std::vector<int>& pieces) {
    std::vector<QSizeF> sizes;
    for (int i : pieces) sizes.push_back(piece(i).boxTwips().size());
    return sizes;
  }
  // The tray's pieces lie exactly where its layout puts them.
  void expectInPlace(int tray) {
    const std::vector<int>& pieces = board->trays.piecesOf(tray);
    const TrayShape shape = layTray(board->trays.frame(tray).topLeft(), sizesOf(pieces));
    for (std::size_t k = 0; k < pieces.size(); ++k) EXPECT_EQ(topLeftOf(pieces[k]), shape.places[k]) << k;
    EXPECT_EQ(board->trays.frame(tray), shape.frame);
  }
};

// V puts a tray on the free board; a selection dropped on it lies in it side by side, and one Ctrl+Z
// takes it out again; a piece dragged out leaves and the tray closes the gap.
TEST_F(TraysOnTheBoard, aSelectionDroppedOnATrayLiesInItAndAPieceDraggedOutLeavesNoGap) {
  startGame(Picture, 3, 4, board->mRove);
  key('V');
  ASSERT_EQ(board->trays.numbers(), (std::vector<int>{1}));
  EXPECT_EQ(board->trays.title(1), QStringLiteral("Vassoio 1"));
  for (const QRectF& taken : {board->ImaOrig.boxTwips(), QRectF(game().GridLeft, game().GridTop, 4500, 3000)})
    EXPECT_FALSE(board->trays.frame(1).intersects(taken));
  for (int i : {2, 5, 7}) {
    pressAt(centreOf(piece(i)), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    releaseAt(centreOf(piece(i)));
  }
  const QPointF before = topLeftOf(5);
  dragTo(5, into(1) - (centreOf(piece(5)) - topLeftOf(5)));
  EXPECT_EQ(board->trays.piecesOf(1), (std::vector<int>{2, 5, 7}));
  expectInPlace(1);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(board->trays.piecesOf(1).empty());
  EXPECT_EQ(topLeftOf(5), before);
  key(Qt::Key_Y, Qt::ControlModifier);
  key(Qt::Key_Escape);
  dragTo(5, {12000, 9000});
  EXPECT_EQ(board->trays.piecesOf(1), (std::vector<int>{2, 7}));
  EXPECT_EQ(board->trays.trayOf(5), 0);
  expectInPlace(1);
  // Taken back, the piece is in its place in the tray again, not at its end.
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(board->trays.piecesOf(1), (std::vector<int>{2, 5, 7}));
  expectInPlace(1);
}

// Gathering and spreading leave the pieces in trays where they lie; "+" lays the tray out again at
// their new size; the title moves the tray with its pieces, renames it, and empties it beside itself.
TEST_F(TraysOnTheBoard, trayPiecesStayThroughGatheringAndTheTitleMovesRenamesAndEmptiesTheTray) {
  startGame(Picture, 3, 4, board->mRove);
  const int tray = board->trays.add(QStringLiteral("T"), {11000, 500}, {0, 1, 2});
  const std::vector<QPointF> held{topLeftOf(0), topLeftOf(1), topLeftOf(2)};
  click(board->CmdRaccogli);
  key('D');
  EXPECT_EQ((std::vector<QPointF>{topLeftOf(0), topLeftOf(1), topLeftOf(2)}), held);
  key('+');
  expectInPlace(tray);
  EXPECT_EQ(board->trays.piecesOf(tray).size(), 3u);

  const QPointF title = board->trays.frame(tray).topLeft() + QPointF(600, TrayTitleHeight / 2);
  const QRectF frame = board->trays.frame(tray);
  pressAt(title);
  moveTo(title + QPointF(-450, 600));
  releaseAt(title + QPointF(-450, 600));
  EXPECT_EQ(board->trays.frame(tray), frame.translated(-450, 600));
  expectInPlace(tray);

  dialogs.answers.push_back(QStringLiteral("Cielo"));
  QTest::mouseDClick(board->canvas, Qt::LeftButton, {},
                     board->canvas->view().toCanvas(title + QPointF(-450, 600)).toPoint());
  EXPECT_EQ(board->trays.title(tray), QStringLiteral("Cielo"));

  auto* menu = board->findChild<QMenu*>(QStringLiteral("trayMenu"));
  menu->setProperty("tray", tray);
  const QPointF first = topLeftOf(0);
  menu->actions().at(0)->trigger();
  EXPECT_TRUE(board->trays.piecesOf(tray).empty());
  EXPECT_EQ(topLeftOf(0), first + QPointF(board->trays.frame(tray).width() + TrayGap, 0));
  menu->actions().at(1)->trigger();
  EXPECT_FALSE(board->trays.exists(tray));
  // Ctrl+Z brings the tray back, then its pieces, as they were.
  key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_TRUE(board->trays.exists(tray));
  EXPECT_EQ(board->trays.title(tray), QStringLiteral("Cielo"));
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(board->trays.piecesOf(tray), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(topLeftOf(0), first);
}

}  // namespace
}  // namespace tarsio
