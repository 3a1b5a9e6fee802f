// Many pieces at once: the selecting rectangle, Ctrl+A, moving and turning a selection, turning the piece
// in the hand, each a step of the history.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "pieces/Orientation.h"
#include "play/GameFixture.h"
#include "play/Selection.h"

namespace tarsio {
namespace {

// 300 x 200 pixels: 4500 x 3000 twips; in a 3 x 4 grid, cells of 1125 x 1000 twips.
const QSize Picture(300, 200);
const QPointF FreePlace(10005, 1010);

class Selecting : public GameFixture {
 protected:
  void key(int k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(board->windowHandle(), Qt::Key(k), mods); }
  void shiftDrag(QPointF from, QPointF to) {
    pressAt(from, Qt::LeftButton, Qt::ShiftModifier);
    moveTo((from + to) / 2);
    moveTo(to);
    releaseAt(to);
  }
  void select(int i) {
    pressAt(centreOf(piece(i)), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    releaseAt(centreOf(piece(i)));
  }
  std::vector<int> selected() {
    std::vector<int> pieces = board->selection.pieces();
    std::sort(pieces.begin(), pieces.end());
    return pieces;
  }
  void wheelWhileHeld(QPointF twips, int angle) {
    const QPointF at = board->canvas->view().toCanvas(twips);
    QWheelEvent wheel(at, board->canvas->mapToGlobal(at), {}, {0, angle}, Qt::LeftButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(board->canvas, &wheel);
  }
};

TEST(SelectionRules, theRectangleTouchesBoxesThatShareAreaAndGroupsTurnAboutThePivot) {
  const std::vector<std::pair<int, QRectF>> boxes{
      {0, {0, 0, 100, 100}}, {1, {100, 0, 100, 100}}, {2, {0, 200, 100, 100}}, {3, {150, 150, 10, 10}}};
  EXPECT_EQ(piecesTouched(selectionRectangle({50, 50}, {100, 250}), boxes), (std::vector<int>{0, 2}));
  EXPECT_EQ(piecesTouched(selectionRectangle({160, 160}, {99, 1}), boxes), (std::vector<int>{0, 1, 3}));
  EXPECT_TRUE(piecesTouched(selectionRectangle({50, 50}, {50, 250}), boxes).empty());
  EXPECT_EQ(turnedAbout({30, 10}, {10, 10}, 1), QPointF(10, 30));
  EXPECT_EQ(turnedAbout({30, 10}, {10, 10}, -1), QPointF(10, -10));
  EXPECT_EQ(turnedAbout({30, 10}, {10, 10}, 4), QPointF(30, 10));
  EXPECT_EQ(flippedAbout({30, 10}, {0, 40}), QPointF(30, 70));
}

// Two pieces apart from the rest: a rectangle from the bare board to a point inside the second takes
// both, one that stops a pixel short of the second takes the first alone, at zoom 1 and zoomed in.
TEST_F(Selecting, aRectangleSelectsExactlyTheLoosePiecesInSightItTouches) {
  startGame(Picture, 3, 4, board->mSpos);
  dragTo(0, FreePlace);
  dragTo(1, FreePlace + QPointF(piece(0).Width() + 600, 0));
  const QPointF corner = FreePlace - QPointF(300, 300);
  for (const int angle : {0, 120 * 6}) {
    SCOPED_TRACE(angle);
    if (angle) zoomAt(FreePlace, angle);
    const double step = 15 / board->canvas->view().zoom();
    key(Qt::Key_Escape);
    shiftDrag(corner, onCanvasPixel(centreOf(piece(1))));
    EXPECT_EQ(selected(), (std::vector<int>{0, 1}));
    pressAt(corner);
    releaseAt(corner);
    EXPECT_TRUE(selected().empty()) << "a plain click on the bare board ends the selection";
    shiftDrag(corner, onCanvasPixel({piece(1).Left() - 2 * step, centreOf(piece(1)).y()}));
    EXPECT_EQ(selected(), (std::vector<int>{0}));
  }
  // Ctrl+A: every loose piece in sight, docked and hidden ones left out (5 and 6 are off the border).
  board->canvas->showWholeBoard();
  key(Qt::Key_Escape);
  dragHome(2);
  key('B');
  key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(selected(), (std::vector<int>{0, 1, 3, 4, 7, 8, 9, 10, 11}));
}

// A selection dragged toward the right edge stops as a whole where its rightmost piece must, though
// the piece held could go further; each piece keeps its offset to the others; one Ctrl+Z puts them all
// back, Ctrl+Y moves them again.
TEST_F(Selecting, aGroupDraggedPastTheEdgeStopsAsAWholeAndOneUndoTakesItBack) {
  startGame(Picture, 3, 4, board->mSpos);
  dragTo(0, FreePlace);
  dragTo(1, FreePlace + QPointF(2000, 3000));
  select(0);
  select(1);
  const QPointF start0 = topLeftOf(0), start1 = topLeftOf(1);
  const QPointF grab = onCanvasPixel(centreOf(piece(0)));
  const double limit = board->screen.width() - piece(1).Width() / 2;
  pressAt(grab);
  for (double x = grab.x(); x < limit + 3000; x += 450) moveTo({x, grab.y()});
  releaseAt({limit + 3000, grab.y()});
  EXPECT_EQ(topLeftOf(1) - topLeftOf(0), start1 - start0);
  EXPECT_LE(piece(1).Left(), limit);
  EXPECT_GT(piece(1).Left(), limit - 450);
  const QPointF moved0 = topLeftOf(0), moved1 = topLeftOf(1);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(topLeftOf(0), start0);
  EXPECT_EQ(topLeftOf(1), start1);
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(topLeftOf(0), moved0);
  EXPECT_EQ(topLeftOf(1), moved1);
}

// Unchecked, right neighbours put side by side stay apart. Checked, the dropped piece snaps beside its
// neighbour and the two move as one; one Ctrl+Z takes back the drop and the join, Ctrl+Y does both
// again; a right click takes one out, and once that is taken back one of them put home takes the other.
TEST_F(Selecting, rightNeighboursPutSideBySideJoinMoveAndDockTogether) {
  startGame(Picture, 3, 4, board->mSpos);
  const QPointF beside(piece(0).Width(), 0), near = FreePlace + beside + QPointF(60, -45);
  dragTo(0, FreePlace);
  dragTo(1, near);
  dragTo(0, FreePlace + QPointF(0, 4000));
  EXPECT_EQ(topLeftOf(1), near) << "unchecked, no piece joins";
  board->mUniscono_Click();
  dragTo(0, FreePlace);
  EXPECT_EQ(topLeftOf(0), near - beside);
  dragTo(1, FreePlace + QPointF(3000, 2000));
  EXPECT_EQ(topLeftOf(1) - topLeftOf(0), beside);
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(topLeftOf(0), FreePlace + QPointF(0, 4000));
  EXPECT_EQ(board->groups.groupOf(0), Groups::None);
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_NE(board->groups.groupOf(0), Groups::None);
  EXPECT_EQ(board->groups.groupOf(0), board->groups.groupOf(1));
  pressAt(centreOf(piece(0)), Qt::RightButton);
  releaseAt(centreOf(piece(0)), Qt::RightButton);
  EXPECT_EQ(board->groups.groupOf(1), Groups::None) << "a right click takes a piece out";
  key(Qt::Key_Z, Qt::ControlModifier);
  dragHome(1);
  EXPECT_TRUE(board->game.Docked[0] && board->game.Docked[1]);
}

// Ctrl + click on a piece of a group turns the group as one block about that piece, Shift + click
// turns it over whole: it stays joined, its outline one rectangle. Ctrl+Z gives back every place.
// Out of sight, a group has no outline.
TEST_F(Selecting, aGroupTurnsAsOneBlockAboutTheClickedPieceAndComesBackWhole) {
  startGame(Picture, 3, 4, board->mRove);
  board->mUniscono_Click();
  turnTo(5, 0);
  turnTo(6, 0);
  dragTo(5, FreePlace);
  dragTo(6, FreePlace + QPointF(piece(5).Width() + 30, 20));
  ASSERT_EQ(board->groups.withGroup(5).size(), 2u);
  const QPointF start5 = topLeftOf(5), start6 = topLeftOf(6), centre5 = centreOf(piece(5));
  pressAt(centre5, Qt::LeftButton, Qt::ControlModifier);
  releaseAt(centre5);
  EXPECT_EQ(centreOf(piece(5)), centre5);
  EXPECT_EQ(centreOf(piece(6)), centre5 + QPointF(0, piece(5).Height())) << "its right neighbour now below";
  const QPointF centre6 = centreOf(piece(6));
  pressAt(centre6, Qt::LeftButton, Qt::ShiftModifier);
  releaseAt(centre6);
  EXPECT_EQ(centreOf(piece(5)), centre6 + QPointF(0, piece(5).Height())) << "turned over top to bottom";
  EXPECT_EQ(game().Orientation[5] * 10 + game().Orientation[6], 55);
  EXPECT_EQ(board->groups.withGroup(6).size(), 2u);
  ASSERT_EQ(board->groupOutline.shapes().size(), 1u);
  EXPECT_EQ(board->groupOutline.shapes()[0].edges.size(), 4u);
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(topLeftOf(5), start5);
  EXPECT_EQ(topLeftOf(6), start6);
  EXPECT_EQ(game().Orientation[5] + game().Orientation[6], 0);
  EXPECT_EQ(board->groups.withGroup(5).size(), 2u);
  board->mBordi_Click();
  EXPECT_TRUE(board->groupOutline.shapes().empty()) << "pieces out of sight are not outlined";
}

// Ctrl + click on a selected piece turns each about its own centre; "Sco&pri" leaves none face down,
// "&Raddrizza" none turned; each is one step.
TEST_F(Selecting, theSelectionTurnsTogetherEachPieceAboutItsOwnCentre) {
  startGame(Picture, 3, 4, board->mRove);
  key(Qt::Key_A, Qt::ControlModifier);
  std::vector<int> before(game().Orientation.begin(), game().Orientation.begin() + 12);
  std::vector<QPointF> centres;
  for (int i = 0; i < 12; ++i) centres.push_back(centreOf(piece(i)));
  pressAt(centreOf(piece(5)), Qt::LeftButton, Qt::ControlModifier);
  releaseAt(centreOf(piece(5)));
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(game().Orientation[i], quarterTurn(before[i])) << i;
    EXPECT_EQ(centreOf(piece(i)), centres[i]) << i;
  }
  key('U');
  for (int i = 0; i < 12; ++i) EXPECT_EQ(game().Orientation[i], quarterTurn(before[i]) % 4) << i;
  key('R');
  for (int i = 0; i < 12; ++i) EXPECT_EQ(game().Orientation[i], 0) << i;
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Z, Qt::ControlModifier);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(game().Orientation[i], before[i]) << i;
}

// While held, a notch of the wheel turns the piece a quarter turn about the pointer and a right click
// turns it over about the pointer; the piece stays in the hand, and the whole is one step.
TEST_F(Selecting, thePieceInTheHandTurnsAboutThePointerWithoutBeingLetGo) {
  startGame(Picture, 3, 4, board->mRove);
  dragTo(0, FreePlace);
  const QPointF start = topLeftOf(0);
  turnTo(0, 0);
  const QPointF grab = onCanvasPixel(topLeftOf(0) + QPointF(150, 300));
  pressAt(grab);
  const QPointF centre = centreOf(piece(0));
  wheelWhileHeld(grab, 120);
  EXPECT_EQ(game().Orientation[0], 1);
  EXPECT_EQ(centreOf(piece(0)), turnedAbout(centre, grab, 1));
  pressAt(grab, Qt::RightButton);
  releaseAt(grab, Qt::RightButton, Qt::LeftButton);
  EXPECT_EQ(game().Orientation[0], 5);
  EXPECT_EQ(game().SelectedPiece, 0);
  moveTo(grab + QPointF(600, 0));
  releaseAt(grab + QPointF(600, 0));
  EXPECT_EQ(game().SelectedPiece, NoPiece);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(game().Orientation[0], 0);
  EXPECT_NE(topLeftOf(0), start);
}

}  // namespace
}  // namespace tarsio
