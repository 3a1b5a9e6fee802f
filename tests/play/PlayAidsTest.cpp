// Play aids: the grid's outer ring, the playing time, and on a real board the title and "Solo i bordi".
#include <QApplication>
#include <QTest>

#include "play/BorderRing.h"
#include "play/GameFixture.h"
#include "play/PlayTime.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

constexpr std::int64_t Minute = 60000;

TEST(BorderRing, holdsTheFirstAndLastRowsAndColumnsOfAnyGrid) {
  for (int k = 0; k < 15; ++k) {
    EXPECT_EQ(onBorderRing(k, 3, 5), k < 6 || k > 8) << "3 x 5, cell " << k;
    EXPECT_EQ(onBorderRing(k, 5, 3), k != 4 && k != 7 && k != 10) << "5 x 3, cell " << k;
  }
  int ring = 0;
  for (int k = 0; k < 100; ++k) ring += onBorderRing(k, 10, 10);
  EXPECT_EQ(ring, 36);
}

TEST(PlayTime, countsWhilePlayedAndNoLongerThanTwoMinutesAfterThePlayersLastAction) {
  PlayTime time;
  time.start(0);
  time.advance(0, true);
  const auto at = [&](double minutes, bool counting) {
    time.advance(static_cast<std::int64_t>(minutes * Minute), counting);
    return time.elapsed() / double(Minute);
  };
  EXPECT_EQ(at(1, true), 1);
  EXPECT_EQ(at(10, true), 2) << "idle";
  time.playerActed(10 * Minute);
  EXPECT_EQ(at(11, false), 3) << "the window no longer active";
  EXPECT_EQ(at(20, true), 3) << "inactive";
  time.playerActed(20.5 * Minute);
  EXPECT_EQ(at(30, false), 5) << "idle until 20.5, then completed at 30";
  EXPECT_EQ(at(31, true), 5) << "completed, then idle";
  EXPECT_EQ(playTimeText(59 * Minute + 59999).toStdString(), "59 min");
  EXPECT_EQ(playTimeText(72 * Minute).toStdString(), "1 h 12 min");
}

using PlayAids = GameFixture;

TEST_F(PlayAids, theTitleCountsThePiecesInPlaceThroughDocksAndUndoAndTheTimeOfPlayOnly) {
  startGame(QSize(300, 200), 2, 2, board->mSpos);
  const QString format = QString::fromLatin1(BoardCaption) + QStringLiteral(" — %1 di 4 a posto — %2 min");
  const auto title = [&](int docked, int minutes) { return format.arg(docked).arg(minutes).toStdString(); };
  EXPECT_EQ(board->windowTitle().toStdString(), title(0, 0));
  now += 3 * Minute / 2;
  dragHome(0);
  EXPECT_EQ(board->windowTitle().toStdString(), title(1, 1));
  now += 60 * Minute;
  QTest::keyClick(board->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(board->windowTitle().toStdString(), title(0, 3)) << "an hour idle counts two minutes";
  // The window system gives the board the focus without Qt's widgets making it active (as after a
  // file dialog's completion list): the time counts all the same.
  QApplication::setActiveWindow(nullptr);
  ASSERT_EQ(QGuiApplication::focusWindow(), board->windowHandle());
  now += Minute;
  dragHome(0);
  EXPECT_EQ(board->windowTitle().toStdString(), title(1, 4));
}

// Seen closely, the hint moves the view to the held piece's cell when the cell is out of sight.
TEST_F(PlayAids, theHintBringsTheHeldPiecesCellIntoSight) {
  startGame(QSize(300, 200), 4, 4, board->mSpos);
  const auto cellOf = [&](int i) {
    return QPointF(home(i).left + game().CellWidth / 2.0, home(i).top + game().CellHeight / 2.0);
  };
  const auto away = [&](int i) { return QLineF(centreOf(piece(i)), cellOf(i)).length(); };
  int held = 0;
  for (int i = 1; i < game().PieceCount; ++i)
    if (away(i) > away(held)) held = i;
  for (int notch = 0; notch < 12; ++notch) zoomAt(centreOf(piece(held)), 120);
  const auto inSight = [&] {
    return QRectF(board->canvas->rect()).contains(board->canvas->view().toCanvas(cellOf(held)));
  };
  ASSERT_FALSE(inSight());
  pressAt(centreOf(piece(held)));
  QTest::keyClick(board->windowHandle(), Qt::Key_C);
  EXPECT_TRUE(inSight());
  EXPECT_FALSE(board->canvas->view().showsAll()) << "the zoom stays";
  releaseAt(centreOf(piece(held)));
}

TEST_F(PlayAids, soloIBordiKeepsTheLoosePiecesOffTheRingOutOfSightWhereTheyLie) {
  startGame(QSize(400, 300), 3, 4, board->mSpos);
  click(board->CmdRaccogli);
  dragHome(5);
  const auto expectShown = [&](std::initializer_list<int> hidden, const char* when) {
    for (int i = 0; i < 12; ++i)
      EXPECT_EQ(piece(i).Visible(), std::count(hidden.begin(), hidden.end(), i) == 0) << when << ", " << i;
  };
  QTest::keyClick(board->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(board->windowHandle(), Qt::Key_B);
  expectShown({5, 6}, "checked");
  QTest::keyClick(board->windowHandle(), Qt::Key_Y, Qt::ControlModifier);
  expectShown({6}, "docked again by redo");
  pressAt(centreOf(piece(5)), Qt::RightButton);
  releaseAt(centreOf(piece(5)), Qt::RightButton);
  expectShown({5, 6}, "freed");
  click(board->CmdRaccogli);
  expectShown({5, 6}, "gathered");
  std::vector<QPointF> places;
  for (int i = 0; i < 12; ++i) places.push_back(topLeftOf(i));
  QTest::keyClick(board->windowHandle(), Qt::Key_B);
  expectShown({}, "unchecked");
  for (int i = 0; i < 12; ++i) EXPECT_EQ(topLeftOf(i), places[i]) << i;

  QTest::keyClick(board->windowHandle(), Qt::Key_B);
  board->mNascondi.action()->trigger();
  EXPECT_FALSE(board->ImaOrig.Visible());
  click(board->CmdAzze);
  EXPECT_FALSE(board->mBordi.Checked() || board->mNascondi.Checked());
  EXPECT_TRUE(board->ImaOrig.Visible());
}

// A picture of four colours cut 8 x 8: the pointer over a piece and L leave its colour's loose pieces
// alone in sight, a step wider at each L, with "Solo i bordi" too; after the widest step all come back.
// The colour block of piece i of a picture of 2 x 2 blocks cut 8 x 8.
int blockOf(int i) { return (i / 8 / 4) * 2 + i % 8 / 4; }

class Colours : public GameFixture {
 protected:
  void startFourColours() {
    board->mSpos.action()->trigger();
    choosePicture(blocksPicture(320, 240, 2, 2));
    chooseGrid(8, 8);
    click(board->CmdTarsio);
  }
};

TEST_F(Colours, soloISimiliShowsThePiecesOfTheColourOfThePieceUnderThePointer) {
  startFourColours();
  dragHome(9);
  const int pointed = 0;
  const auto block = blockOf;
  const auto shown = [&] {
    std::vector<int> out;
    for (int i = 0; i < 64; ++i)
      if (piece(i).Visible()) out.push_back(i);
    return out;
  };
  const auto expected = [&](const std::function<bool(int)>& like) {
    std::vector<int> out;
    for (int i = 0; i < 64; ++i)
      if (i == 9 || like(i)) out.push_back(i);
    return out;
  };
  moveTo(centreOf(piece(pointed)), Qt::NoButton);
  QTest::keyClick(board->windowHandle(), Qt::Key_L);
  EXPECT_TRUE(board->mSimili.Checked());
  const auto sameColour = [&](int i) { return block(i) == block(pointed); };
  EXPECT_EQ(shown(), expected(sameColour)) << "the closest 5 % and every piece of the same colour";
  QTest::keyClick(board->windowHandle(), Qt::Key_B);
  EXPECT_EQ(shown(), expected([&](int i) { return sameColour(i) && onBorderRing(i, 8, 8); }));
  QTest::keyClick(board->windowHandle(), Qt::Key_B);
  std::vector<int> before = shown();
  for (int step = 2; step <= LikeSteps; ++step) {
    QTest::keyClick(board->windowHandle(), Qt::Key_L);
    const std::vector<int> now = shown();
    EXPECT_TRUE(std::includes(now.begin(), now.end(), before.begin(), before.end())) << "step " << step;
    before = now;
  }
  EXPECT_EQ(before.size(), 32u) << "40 % of the 63 loose pieces reach every piece of a second colour";
  QTest::keyClick(board->windowHandle(), Qt::Key_L);
  EXPECT_FALSE(board->mSimili.Checked());
  EXPECT_EQ(shown().size(), 64u);
}

// Each tray holds the pieces of one colour, dark to light; Ctrl+Z takes the sorting back in one step,
// and sorting again makes the same trays.
TEST_F(Colours, smistaPerColorePutsEachColourApartTheSameWayEveryTime) {
  startFourColours();
  dragHome(9);
  std::vector<QPointF> places;
  for (int i = 0; i < 64; ++i) places.push_back(topLeftOf(i));
  const auto sorted = [&] {
    std::vector<std::pair<QString, std::vector<int>>> out;
    for (int tray : board->trays.numbers())
      if (!board->trays.piecesOf(tray).empty())
        out.emplace_back(board->trays.title(tray), board->trays.piecesOf(tray));
    return out;
  };
  QTest::keyClick(board->windowHandle(), Qt::Key_S);
  const auto first = sorted();
  ASSERT_GE(first.size(), 4u);
  std::size_t held = 0;
  for (const auto& [title, pieces] : first) {
    held += pieces.size();
    for (int i : pieces) EXPECT_EQ(blockOf(i), blockOf(pieces.front())) << title.toStdString() << ", " << i;
  }
  EXPECT_EQ(held, 63u) << "every loose piece, not the docked one";
  EXPECT_EQ(board->trays.trayOf(9), 0);
  QTest::keyClick(board->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(topLeftOf(i), places[i]) << i;
  EXPECT_TRUE(sorted().empty());
  QTest::keyClick(board->windowHandle(), Qt::Key_S);
  EXPECT_EQ(sorted(), first);
}

}  // namespace
}  // namespace tarsio
