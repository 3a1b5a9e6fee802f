// Collecting the loose pieces on a real board: start point, steps, order, and input held meanwhile.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "areas/Spread.h"
#include "board/Layout.h"
#include "play/GameFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

class Collect : public GameFixture {
 protected:
  double windowHeight() const { return board->frameGeometry().height() * 15.0; }

  // The places from `start`, each next one a step further, rounded to a whole twip at every step.
  static std::vector<QPointF> staircase(QPointF start, double stepX, double stepY, int count) {
    std::vector<QPointF> places;
    QPointF at = start;
    for (int k = 0; k < count; ++k) {
      places.push_back(at);
      at = {std::nearbyint(at.x() + stepX), std::nearbyint(at.y() + stepY)};
    }
    return places;
  }

  // Where each of the pieces lies, in the order of `places`; fails unless every place is taken by
  // exactly one visible piece.
  std::vector<int> piecesAt(const std::vector<QPointF>& places, const std::vector<int>& pieces) {
    std::vector<int> found;
    for (const QPointF& place : places) {
      const auto it =
          std::find_if(pieces.begin(), pieces.end(), [&](int i) { return topLeftOf(i) == place; });
      EXPECT_NE(it, pieces.end()) << "no piece at " << place.x() << ", " << place.y();
      if (it == pieces.end()) continue;
      EXPECT_TRUE(piece(*it).Visible());
      found.push_back(*it);
    }
    std::vector<int> sorted = found;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_TRUE(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end())
        << "two pieces on one place";
    return found;
  }
};

// 300 x 200 pixels: the picture is 4500 x 3000 twips, the grid starts at 4650 (right of the reset
// button, which ends at 4575), 2 x 2 cells of 2250 x 1500.
const QSize Picture(300, 200);
constexpr double GridLeft = PictureLeft + 4500 + 30;
constexpr double StartY = PictureTop + 3000 + 50;

// D lays the loose pieces side by side: no two overlap, none reaches into the picture or the grid, and
// a docked piece stays home. Joined pieces lie as one block, in their places beside one another,
// through spreading, gathering, a step of the areas, the colour sort (which leaves them out) and a
// drop on a tray.
TEST_F(Collect, spreadingLaysTheLoosePiecesApartOutsideThePictureAndTheGridAndGroupsStayWhole) {
  startGame({320, 240}, 6, 8, board->mRove);
  for (int i : {0, 1, 8}) turnTo(i, 0);
  board->mUniscono_Click();
  dragTo(0, {13000, 1500});
  dragTo(1, topLeftOf(0) + QPointF(game().CellWidth + 40, 30));
  dragTo(8, topLeftOf(0) + QPointF(-20, game().CellHeight + 50));
  ASSERT_EQ(board->groups.withGroup(8).size(), 3u);
  const auto expectJoined = [&](const char* after) {
    for (int i : {1, 8}) {
      const QPointF off = topLeftOf(i) - topLeftOf(0);
      EXPECT_NEAR(off.x(), i % 8 * game().CellWidth, 1e-6) << after << " " << i;
      EXPECT_NEAR(off.y(), i / 8 * game().CellHeight, 1e-6) << after << " " << i;
    }
  };
  turnTo(47, 0);
  dragHome(47);
  ASSERT_TRUE(game().Docked[47]);
  // Pieces out of sight while only the border shows keep their places.
  board->Form_KeyPress('b');
  const QPointF hidden = topLeftOf(9);
  board->Form_KeyPress('d');
  EXPECT_EQ(topLeftOf(9), hidden);
  board->Form_KeyPress('b');
  board->Form_KeyPress('d');
  const QRectF grid(game().GridLeft, game().GridTop, 8 * game().CellWidth, 6 * game().CellHeight);
  const QRectF label(board->RC1.Left(), board->RC1.Top(), board->RC1.PaintedWidth(), board->RC1.Height());
  for (int i = 0; i < 47; ++i) {
    const QRectF box = piece(i).boxTwips().adjusted(1e-6, 1e-6, -1e-6, -1e-6);
    EXPECT_FALSE(box.intersects(board->ImaOrig.boxTwips()) || box.intersects(grid) || box.intersects(label))
        << i;
    for (int j = 0; j < i; ++j) EXPECT_FALSE(box.intersects(piece(j).boxTwips())) << i << " " << j;
  }
  EXPECT_EQ(topLeftOf(47), QPointF(home(47).left, home(47).top));
  expectJoined("spreading");
  for (const char key : {'o', '+', 's'}) {
    board->Form_KeyPress(key);
    expectJoined(std::string(1, key).c_str());
  }
  EXPECT_EQ(board->trays.trayOf(0), 0);
  for (int t : board->trays.numbers())
    for (int i : {0, 1, 8})
      EXPECT_FALSE(board->trays.frame(t).intersects(piece(i).boxTwips())) << t << " " << i;
  const QPointF tray = board->trays.frame(board->trays.numbers().front()).center();
  dragTo(0, tray - QPointF(piece(0).Width(), piece(0).Height()) / 2);
  EXPECT_NE(board->trays.trayOf(0), 0);
  EXPECT_EQ(board->trays.trayOf(1), board->trays.trayOf(0));
  EXPECT_EQ(board->trays.trayOf(8), board->trays.trayOf(0));
  expectJoined("a drop on a tray");
}

// Pieces of any shape lie side by side, each row below the tallest piece of the row above it.
TEST(SpreadPlaces, piecesTurnedEitherWayLieSideBySideInRowsOfTheirOwnHeight) {
  const QSizeF wide(300, 100), tall(100, 300);
  const std::vector<QPointF> mixed = spreadPlaces({QRectF(0, 0, 1000, 1000)}, {wide, tall, wide, wide}, 10);
  EXPECT_EQ(mixed, (std::vector<QPointF>{{0, 0}, {310, 0}, {420, 0}, {0, 310}}));
  const std::vector<QPointF> rows = spreadPlaces({QRectF(0, 0, 650, 1000)}, {wide, wide, wide, wide}, 10);
  EXPECT_EQ(rows, (std::vector<QPointF>{{0, 0}, {310, 0}, {0, 110}, {310, 110}}));
}

// Where the room holds fewer places than pieces, the places close up evenly and stay inside it.
TEST(SpreadPlaces, closeUpEvenlyWhenTheRoomIsShort) {
  const std::vector<QPointF> places =
      spreadPlaces({QRectF(0, 0, 1000, 100)}, std::vector<QSizeF>(20, {100, 100}), 10);
  ASSERT_EQ(places.size(), 20u);
  EXPECT_NEAR(places.back().x(), 900, 0.05);
  EXPECT_NEAR(places[1].x(), 900.0 / 19, 0.01);
  EXPECT_EQ(places.back().y(), 0);
}

TEST_F(Collect, aSingleLoosePieceGoesExactlyToTheStartPoint) {
  startGame(Picture, 2, 2, board->mSpos);
  for (int i = 0; i < 3; ++i) dragHome(i);
  click(board->CmdRaccogli);
  EXPECT_EQ(topLeftOf(3), QPointF(GridLeft, StartY));
  EXPECT_TRUE(piece(3).Visible());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(topLeftOf(i), QPointF(home(i).left, home(i).top));
}

TEST_F(Collect, ofTwoLoosePiecesTheHigherIndexTakesTheStartAndTheLowerOneStepFurther) {
  startGame(Picture, 2, 2, board->mSpos);
  for (int i = 0; i < 2; ++i) dragHome(i);
  click(board->CmdRaccogli);
  // Across: the span less a cell (2250, under the cap); down: the room left, capped at a cell plus 50.
  const double stepY = std::min(windowHeight() - StartY - 1500 - 700, 1500.0 + 50);
  EXPECT_EQ(topLeftOf(3), QPointF(GridLeft, StartY));
  EXPECT_EQ(topLeftOf(2), QPointF(GridLeft + 2250, StartY + stepY));
  EXPECT_EQ(game().GamePhase, 3);
  EXPECT_TRUE(game().Docked[0] && game().Docked[1] && !game().Docked[2] && !game().Docked[3]);
}

TEST_F(Collect, manyPiecesFanOutOverTheGridWidthRoundedAtEveryStepWithPieceZeroLast) {
  // 301 pixels: a 4515-twip picture, cells of 1505 x 1000 and a step of 376.25 across.
  startGame({301, 200}, 3, 3, board->mSpos);
  click(board->CmdRaccogli);
  const double stepX = (4515.0 - 1505) / 8;
  const double stepY = std::min((windowHeight() - StartY - 1000 - 700) / 8, 1000.0 + 50);
  const std::vector<QPointF> places = staircase({PictureLeft + 4515 + 30, StartY}, stepX, stepY, 9);
  const std::vector<int> order = piecesAt(places, {0, 1, 2, 3, 4, 5, 6, 7, 8});
  ASSERT_EQ(order.size(), 9u);
  EXPECT_EQ(order.back(), 0);
}

TEST_F(Collect, withTheGridAreaEnlargedTheStaircaseRunsUnderThePicture) {
  startGame(Picture, 2, 2, board->mSpos);
  // One step of the grid area, as the area operation leaves the picture: a tenth smaller each way.
  game().AreaLevel = -1;
  board->ImaOrig.setBox(PictureLeft, PictureTop, 4500 - 450, 3000 - 300);
  click(board->CmdRaccogli);
  const double stepY = std::min((windowHeight() - (PictureTop + 2700 + 50) - 1500 - 700) / 3, 1500.0 + 50);
  const std::vector<QPointF> places =
      staircase({PictureLeft, PictureTop + 2700 + 50}, (4050.0 - 2250) / 3, stepY, 4);
  EXPECT_EQ(piecesAt(places, {0, 1, 2, 3}).back(), 0);
}

TEST_F(Collect, aVisibleResetButtonReachingPastTheGridShiftsTheStartButNotTheSpan) {
  // 200 x 200 pixels: the grid starts at 3150, left of the reset button's right edge.
  startGame({200, 200}, 2, 2, board->mSpos);
  const double buttonRight = board->CmdAzze.Left() + board->CmdAzze.Width();
  ASSERT_GT(buttonRight, game().GridLeft);
  const double startY = PictureTop + 3000 + 50;
  const double stepY = std::min((windowHeight() - startY - 1500 - 700) / 3, 1500.0 + 50);
  click(board->CmdRaccogli);
  std::vector<QPointF> places = staircase({buttonRight + 50, startY}, (3000.0 - 1500) / 3, stepY, 4);
  EXPECT_EQ(piecesAt(places, {0, 1, 2, 3}).back(), 0);
  EXPECT_EQ(places.back().x() + 1500, buttonRight + 50 + 3000);

  board->HideCommandBar();
  board->CmdRaccogli_Click();
  places = staircase({PictureLeft + 3000 + 30, startY}, (3000.0 - 1500) / 3, stepY, 4);
  EXPECT_EQ(piecesAt(places, {0, 1, 2, 3}).back(), 0);
}

TEST_F(Collect, collectingTwiceFillsTheSamePlacesWithPieceZeroLastAgain) {
  startGame(Picture, 2, 2, board->mRove);
  click(board->CmdRaccogli);
  std::vector<QPointF> first;
  for (int i = 0; i < 4; ++i) first.push_back(topLeftOf(i));
  std::sort(first.begin(), first.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
  EXPECT_EQ(piecesAt(first, {0, 1, 2, 3}).back(), 0);
  click(board->CmdRaccogli);
  EXPECT_EQ(piecesAt(first, {0, 1, 2, 3}).back(), 0);
}

TEST_F(Collect, changesNothingBeforeThePiecesExistOrWhenEveryPieceIsDocked) {
  board->mSpos.action()->trigger();
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(2, 2);
  board->CmdRaccogli_Click();
  EXPECT_EQ(game().GamePhase, 2);
  EXPECT_EQ(board->ImA.count(), 1);

  click(board->CmdTarsio);
  for (int i = 0; i < 4; ++i) dragHome(i);
  ASSERT_EQ(game().GamePhase, 4);
  board->CmdRaccogli_Click();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(topLeftOf(i), QPointF(home(i).left, home(i).top));
    EXPECT_TRUE(piece(i).Visible());
  }
}

// The board repaints between the pieces of a collection. A click, key or command that arrives then
// waits until the last piece is placed, and runs afterwards.
TEST_F(Collect, inputArrivingDuringACollectionRunsOnlyAfterEveryPieceIsPlaced) {
  struct Case {
    const char* what;
    std::function<void()> arrive;
    int phaseAfter;
  };
  const Case cases[] = {
      {"a click on A&zzera", [this] { QTimer::singleShot(0, [this] { click(board->CmdAzze); }); }, 0},
      {"the key Z",
       [this] {
         // Typed keys reach the board through its window.
         QCoreApplication::postEvent(
             board->windowHandle(),
             new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z")));
       },
       0},
      {"a second Racc&ogli", [this] { QTimer::singleShot(0, [this] { click(board->CmdRaccogli); }); }, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (game().GamePhase >= 3) click(board->CmdAzze);
    startGame(Picture, 2, 2, board->mRove);
    const double stepY = std::min((windowHeight() - StartY - 1500 - 700) / 3, 1500.0 + 50);
    const std::vector<QPointF> places = staircase({GridLeft, StartY}, (4500.0 - 2250) / 3, stepY, 4);
    c.arrive();
    click(board->CmdRaccogli);
    EXPECT_EQ(game().GamePhase, 3);
    ASSERT_EQ(board->ImA.count(), 5);
    EXPECT_EQ(piecesAt(places, {0, 1, 2, 3}).back(), 0);

    QCoreApplication::processEvents();
    EXPECT_EQ(game().GamePhase, c.phaseAfter);
    if (c.phaseAfter == 0) {
      EXPECT_EQ(board->ImA.count(), 1);
    } else {
      EXPECT_EQ(piecesAt(places, {0, 1, 2, 3}).back(), 0);
    }
  }
}

TEST_F(Collect, aPieceHeldWhenTheCollectionStartsIsLetGoAndStaysOnItsStep) {
  startGame(Picture, 2, 2, board->mSpos);
  const QPointF grab = centreOf(piece(3));
  pressAt(grab);
  click(board->CmdRaccogli);
  const QPointF step = topLeftOf(3);
  EXPECT_FALSE(frameShown());
  moveTo(grab + QPointF(1500, 6000));
  EXPECT_EQ(topLeftOf(3), step);
  releaseAt(grab + QPointF(1500, 6000));
}

TEST_F(Collect, closingTheBoardDuringACollectionLeavesEveryPiecePlaced) {
  startGame(Picture, 2, 2, board->mRove);
  const double stepY = std::min((windowHeight() - StartY - 1500 - 700) / 3, 1500.0 + 50);
  QTimer::singleShot(0, [this] { board->mChiudi.action()->trigger(); });
  click(board->CmdRaccogli);
  EXPECT_FALSE(board->isVisible());
  EXPECT_EQ(piecesAt(staircase({GridLeft, StartY}, (4500.0 - 2250) / 3, stepY, 4), {0, 1, 2, 3}).back(), 0);
}

}  // namespace
}  // namespace tarsio
