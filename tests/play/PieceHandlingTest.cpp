// Pressing, dragging and releasing pieces on a real board: frame, pointer, refused places, gestures.
#include <QScrollBar>
#include <QTest>

#include "pieces/Orientation.h"
#include "play/GameFixture.h"
#include "windows/InfoWindow.h"
#include "windows/ModalWatcher.h"

namespace tarsio {
namespace {

// A 300 x 200 pixel picture: 4500 x 3000 twips, grid from 4650 to 9150 across, 2 x 2 cells of 2250 x 1500.
const QSize Picture(300, 200);

using PieceHandling = GameFixture;

// Somewhere on the free board, away from every home cell.
const QPointF FreePlace(10005, 6010);

void expectFrameAround(const Board& board, const ImageElement& piece) {
  const double l = piece.Left(), t = piece.Top(), r = l + piece.Width(), b = t + piece.Height();
  const auto line = [](const LineElement& e) { return QLineF(e.X1(), e.Y1(), e.X2(), e.Y2()); };
  EXPECT_EQ(line(board.liN), QLineF(l, t, r, t));
  EXPECT_EQ(line(board.liE), QLineF(r, t, r, b));
  EXPECT_EQ(line(board.liS), QLineF(l, b, r, b));
  EXPECT_EQ(line(board.liOv), QLineF(l, t, l, b));
}

TEST_F(PieceHandling, pressShowsTheFrameAndTheSizeAllPointerTheDragMovesBothAndReleaseEndsIt) {
  startGame(Picture, 2, 2, board->mSpos);
  const QPointF grab = centreOf(piece(3));
  pressAt(grab);
  EXPECT_EQ(game().SelectedPiece, 3);
  EXPECT_TRUE(frameShown());
  expectFrameAround(*board, piece(3));
  EXPECT_EQ(piece(3).MousePointer(), PointerSizeAll);
  EXPECT_EQ(cursorShape(), Qt::SizeAllCursor);

  const QPointF to = grab + (FreePlace - topLeftOf(3));
  moveTo(to);
  EXPECT_EQ(topLeftOf(3), FreePlace);
  EXPECT_TRUE(frameShown());
  expectFrameAround(*board, piece(3));

  releaseAt(to);
  EXPECT_EQ(game().SelectedPiece, NoPiece);
  EXPECT_FALSE(frameShown());
  EXPECT_EQ(piece(3).MousePointer(), PointerDefault);
  EXPECT_EQ(cursorShape(), Qt::ArrowCursor);
  // Moving over the piece with no button held drags nothing.
  moveTo(to + QPointF(300, 300), Qt::NoButton);
  EXPECT_EQ(topLeftOf(3), FreePlace);
}

TEST_F(PieceHandling, aPieceHeldWhenAModalWindowOpensIsLetGoWhereItLies) {
  startGame(Picture, 2, 2, board->mSpos);
  const QPointF start = topLeftOf(3), grab = centreOf(piece(3));
  pressAt(grab);
  moveTo(grab + (FreePlace - start));
  answerModal<FormI>([this] { board->mInfo_Click(); }, [](FormI& info) { info.close(); });
  EXPECT_FALSE(frameShown() || game().SelectedPiece == 3);
  board->undoGesture();
  EXPECT_EQ(topLeftOf(3), start);
}

TEST_F(PieceHandling, theHeldPieceKeepsItsOffsetToThePointerWhereverThePointerCrossedTheBareBoard) {
  startGame(Picture, 2, 2, board->mSpos);
  moveTo({15000, 12000}, Qt::NoButton);  // the bare board remembers this point
  const QPointF start = topLeftOf(3);
  const QPointF grab = start + QPointF(105, 195);
  pressAt(grab);
  moveTo(grab + QPointF(600, 4500));
  EXPECT_EQ(topLeftOf(3), start + QPointF(600, 4500));
  moveTo(grab + QPointF(300, 4650));
  EXPECT_EQ(topLeftOf(3), start + QPointF(300, 4650));
  releaseAt(grab + QPointF(300, 4650));
}

TEST_F(PieceHandling, refusedPlacesShowTheNoDropPointerAndLeaveThePieceAtItsLastAcceptedPlace) {
  startGame(Picture, 2, 2, board->mSpos);
  const double w = piece(3).Width(), h = piece(3).Height();
  const QRectF picture = board->ImaOrig.boxTwips();
  const double labelRight = board->RC1.Left() + board->RC1.Width(), labelTop = board->RC1.Top();
  struct Step {
    const char* what;
    bool labelShown;
    QPointF topLeft;
    bool refused;
  };
  const Step steps[] = {
      {"free board", true, FreePlace, false},
      {"half beyond the right edge", true, {19200 - w / 2, 6000}, false},
      {"more than half beyond the right edge", true, {19200 - w / 2 + 1, 6000}, true},
      {"half above the top", true, {10000, -h / 2}, false},
      {"more than half above the top", true, {10000, -h / 2 - 1}, true},
      {"touching the bottom", true, {10000, 15360 - h}, false},
      {"one twip below the bottom", true, {10000, 15360 - h + 1}, true},
      {"centre on the picture's right edge", true, {picture.right() - w / 2, 500}, false},
      {"centre inside the picture's corner", true, {picture.right() - w / 2 - 1, 500}, true},
      {"over the grid-size boxes", true, {labelRight - 1, labelTop - h + 1}, true},
      {"right of the grid-size label", true, {labelRight, 6000}, false},
      {"over the hidden grid-size boxes", false, {labelRight - 1, labelTop - h + 1}, false},
      {"half beyond the left edge", false, {-w / 2, 6000}, false},
      {"more than half beyond the left edge", false, {-w / 2 - 1, 6000}, true},
  };
  const QPointF grab = centreOf(piece(3));
  const QPointF offset = grab - topLeftOf(3);
  pressAt(grab);
  QPointF accepted = topLeftOf(3);
  for (const Step& step : steps) {
    if (!step.labelShown) board->RC1.setVisible(false);
    moveTo(step.topLeft + offset);
    if (!step.refused) accepted = step.topLeft;
    EXPECT_EQ(topLeftOf(3), accepted) << step.what;
    EXPECT_EQ(piece(3).MousePointer(), step.refused ? PointerNoDrop : PointerSizeAll) << step.what;
    EXPECT_EQ(cursorShape(), step.refused ? Qt::ForbiddenCursor : Qt::SizeAllCursor) << step.what;
    expectFrameAround(*board, piece(3));
  }
  releaseAt(accepted + offset);
  EXPECT_EQ(piece(3).MousePointer(), PointerDefault);
}

TEST_F(PieceHandling, aRightPressOnALoosePieceDragsItLikeALeftOne) {
  startGame(Picture, 2, 2, board->mSpos);
  const QPointF grab = centreOf(piece(3));
  pressAt(grab, Qt::RightButton);
  moveTo(grab + (FreePlace - topLeftOf(3)), Qt::RightButton);
  EXPECT_EQ(topLeftOf(3), FreePlace);
  releaseAt(centreOf(piece(3)), Qt::RightButton);
  EXPECT_EQ(game().SelectedPiece, NoPiece);
}

// Seen four times closer, a press reaches the piece and the point of it that the same spot of the board
// reaches at zoom 1, and the piece carried to its cell docks there.
TEST_F(PieceHandling, zoomedInAPressTakesThePieceUnderThePointerAndAPieceCarriedHomeDocks) {
  startGame(Picture, 2, 2, board->mSpos);
  zoomAt(centreOf(piece(3)), 746);
  ASSERT_NEAR(board->canvas->view().zoom(), 4, 0.01);
  const QPointF grab = onCanvasPixel(centreOf(piece(3)) + QPointF(400, -300));
  pressAt(grab);
  EXPECT_EQ(game().SelectedPiece, 3);
  EXPECT_EQ(QPointF(game().GrabX, game().GrabY), grab - topLeftOf(3));
  const HomePosition at = home(3);
  const QPointF to = onCanvasPixel(grab + QPointF(at.left + 60, at.top - 60) - topLeftOf(3));
  moveTo(to);
  releaseAt(to);
  EXPECT_TRUE(game().Docked[3]);
  EXPECT_EQ(topLeftOf(3), QPointF(at.left, at.top));
}

// A window smaller than the board: the board scrolls at zoom 1, and Ctrl+0 fits the whole of it in.
TEST_F(PieceHandling, aWindowSmallerThanTheBoardScrollsAndCtrl0FitsTheWholeBoardIntoIt) {
  startGame(QSize(600, 500), 2, 2, board->mSpos);
  board->showNormal();
  board->resize(500, 300);
  QApplication::processEvents();
  const View& view = board->canvas->view();
  const auto bars = board->canvas->findChildren<QScrollBar*>();
  EXPECT_TRUE(view.scrolls() && bars[0]->isVisible() && bars[1]->isVisible());
  QTest::keyClick(board->windowHandle(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_LT(view.zoom(), 1);
  EXPECT_TRUE(view.showsAll() && !bars[0]->isVisible() && !bars[1]->isVisible());
  const QPointF corner = view.toCanvas({board->liO(0).X2(), board->Liv(0).Y2()});
  EXPECT_TRUE(QRectF(board->canvas->rect()).contains(corner)) << corner.x() << ", " << corner.y();
  pressAt(centreOf(piece(3)));
  EXPECT_EQ(game().SelectedPiece, 3);
}

// Piece 3 is the topmost one, so a press in its middle always reaches it.
TEST_F(PieceHandling, aDockedPieceIgnoresTheLeftButtonAndARightPressReleasesItInPlace) {
  startGame(Picture, 2, 2, board->mSpos);
  dragHome(3);
  ASSERT_TRUE(game().Docked[3]);
  const QPointF home = topLeftOf(3);
  const QPointF grab = centreOf(piece(3));

  pressAt(grab);
  EXPECT_EQ(game().SelectedPiece, NoPiece);
  EXPECT_FALSE(frameShown());
  EXPECT_EQ(piece(3).MousePointer(), PointerDefault);
  moveTo(grab + QPointF(900, 4500));
  EXPECT_EQ(topLeftOf(3), home);
  releaseAt(grab + QPointF(900, 4500));

  pressAt(grab, Qt::RightButton);
  EXPECT_FALSE(game().Docked[3]);
  EXPECT_EQ(game().SelectedPiece, NoPiece);
  EXPECT_EQ(piece(3).BorderStyle(), 0);
  moveTo(grab + QPointF(900, 4500), Qt::RightButton);
  EXPECT_EQ(topLeftOf(3), home);
  releaseAt(grab + QPointF(900, 4500), Qt::RightButton);
  EXPECT_EQ(game().GamePhase, 3);
}

// What each press gesture does under each scramble option: turned (quarter), flipped (front/back) or a
// plain pick-up that drags.
TEST_F(PieceHandling, ctrlAndShiftGesturesFollowTheScrambleOption) {
  struct Case {
    MenuItem Board::*option;
    const char* name;
    bool quarterTurns, flips;
  };
  const Case cases[] = {
      {&Board::mSpos, "solo Spostare", false, false},
      {&Board::mRuot, "più Ruotare", true, false},
      {&Board::mRove, "più Rovesciare", true, true},
      {&Board::mTrasp, "con Trasparenza", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (game().GamePhase >= 3) click(board->CmdAzze);
    startGame(Picture, 2, 2, (*board).*c.option);

    // Four quarter turns: each about the piece's centre, within the same face, back to the start.
    piece(3).Move(6000, 6000);  // away from the edges, where a turn pushes the piece back on
    const int start = game().Orientation[3];
    const QPointF centre = centreOf(piece(3));
    for (int turn = 1; turn <= 4; ++turn) {
      const int before = game().Orientation[3];
      const QSizeF box = piece(3).boxTwips().size();
      pressAt(centre, Qt::LeftButton, Qt::ControlModifier);
      const int now = game().Orientation[3];
      EXPECT_EQ(now, c.quarterTurns ? quarterTurn(before) : before);
      EXPECT_EQ(now / 4, start / 4) << "the face never changes";
      EXPECT_EQ(centreOf(piece(3)), centre);
      EXPECT_EQ(piece(3).boxTwips().size(), c.quarterTurns ? box.transposed() : box);
      EXPECT_EQ(piece(3).MousePointer(), c.quarterTurns ? PointerDefault : PointerSizeAll);
      EXPECT_EQ(frameShown(), !c.quarterTurns);
      EXPECT_EQ(game().SelectedPiece, c.quarterTurns ? NoPiece : 3);
      releaseAt(centre);
    }
    EXPECT_EQ(game().Orientation[3], start);
    // At the left edge a turn, whichever way the box turns, leaves the piece wholly on the board.
    for (int turn = 1; c.quarterTurns && turn <= 4; ++turn) {
      piece(3).Move(0, centre.y());
      pressAt(centreOf(piece(3)), Qt::LeftButton, Qt::ControlModifier);
      EXPECT_GE(piece(3).Left(), 0) << turn;
      releaseAt(centreOf(piece(3)));
    }
    piece(3).Move(6000, 6000);

    // Front/back: the piece keeps its box and its place; the press drags nothing.
    const QRectF box = piece(3).boxTwips();
    pressAt(centre, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(game().Orientation[3], c.flips ? frontBack(start) : start);
    EXPECT_EQ(piece(3).boxTwips(), box);
    EXPECT_EQ(frameShown(), !c.flips);
    EXPECT_EQ(piece(3).MousePointer(), PointerSizeAll);
    moveTo(centre + QPointF(0, 6000));
    EXPECT_EQ(topLeftOf(3), c.flips ? box.topLeft() : box.topLeft() + QPointF(0, 6000));
    releaseAt(centre + QPointF(0, 6000));

    // Ctrl and Shift together: the piece joins the selection, or leaves it, and is not picked up.
    const int flipped = game().Orientation[3];
    const QPointF at = centreOf(piece(3));
    const QPointF place = topLeftOf(3);
    for (const bool selected : {true, false}) {
      pressAt(at, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
      EXPECT_EQ(game().Orientation[3], flipped);
      EXPECT_EQ(board->selection.contains(3), selected);
      moveTo(at + QPointF(150, 300));
      EXPECT_EQ(topLeftOf(3), place);
      releaseAt(at + QPointF(150, 300));
    }
  }
}

// A piece carried to the top edge of a close view scrolls it, by at most about a screenful a second.
TEST_F(PieceHandling, aPieceCarriedToTheEdgeScrollsTheViewAtMostAScreenfulASecond) {
  startGame(QSize(300, 200), 4, 4, board->mSpos);
  int lowest = 0;
  for (int i = 1; i < game().PieceCount; ++i)
    if (piece(i).Top() > piece(lowest).Top()) lowest = i;
  for (int notch = 0; notch < 12; ++notch) zoomAt(centreOf(piece(lowest)), 120);
  const View& view = board->canvas->view();
  const QPointF mark = centreOf(piece(lowest));
  const double before = view.toCanvas(mark).y();
  pressAt(mark);
  moveTo(view.toTwips(QPointF(board->canvas->width() / 2.0, 1)));
  QTest::qWait(1000);
  const double scrolled = view.toCanvas(mark).y() - before;
  releaseAt(view.toTwips(QPointF(board->canvas->width() / 2.0, 1)));
  EXPECT_GT(scrolled, 0);
  EXPECT_LE(scrolled, 1.1 * board->canvas->height());
}

}  // namespace
}  // namespace tarsio
