// Tests of moving size between the picture area and the grid area on a real board.
#include <QAction>
#include <QFile>
#include <QTest>

#include "pieces/Orientation.h"
#include "savegame/SavedGame.h"
#include "support/BoardFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

class AreaResize : public BoardFixture {
 protected:
  // A key typed on the board, as the keyboard sends it.
  void key(char c) { QTest::keyClick(board->windowHandle(), c); }

  std::vector<Control*> commandBar() {
    Board& b = *board;
    return {&b.CmdAzze, &b.CmdRaccogli, &b.CmdImma, &b.CmdGriglia, &b.CmdTarsio,
            &b.RC1,     &b.RC2,         &b.Righe,   &b.Colonne};
  }
  // How many elements of the command bar are shown.
  int shownCommands() {
    int shown = 0;
    for (Control* control : commandBar()) shown += control->Visible() ? 1 : 0;
    return shown;
  }
  QRectF picture() { return board->ImaOrig.boxTwips(); }

  // Resumes a saved game of the picture through the picture command.
  void load(const QImage& image, SavedGame saved) {
    saved.picturePath = writePicture(folder.path(), QStringLiteral("foto.bmp"), image);
    const QString path = folder.filePath(QStringLiteral("partita.trs"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(formatSavedGame(saved));
    file.close();
    chooseFile(path);
    ASSERT_EQ(game().GamePhase, 3);
  }
  // A 2 x 3 game of a 360 x 200 picture (cells 1800 x 1500 twips at equal areas): pieces 0 and 4
  // docked, the others loose in several orientations.
  void loadTwoByThree() {
    load(blocksPicture(360, 200, 2, 3),
         {{},
          QStringLiteral("2"),
          QStringLiteral("3"),
          3,
          {{true, 0, 5}, {false, 1, 4}, {false, 6, 3}, {false, 3, 2}, {true, 0, 1}, {false, 7, 0}}});
  }
  // Every piece has the box of its orientation in the present cells, and a docked piece sits in its cell.
  void expectPiecesFitTheirCells() {
    for (int i = 0; i < game().PieceCount; ++i) {
      const QRectF box = board->ImA(i).boxTwips();
      EXPECT_EQ(box.size(), boxOf(game().Orientation[i], game().CellWidth, game().CellHeight))
          << "piece " << i;
      EXPECT_TRUE(board->ImA(i).Visible()) << "piece " << i;
      if (!game().Docked[i]) continue;
      EXPECT_EQ(box.left(), game().GridLeft + (i % game().ColumnCount) * game().CellWidth) << "piece " << i;
      EXPECT_EQ(box.top(), game().GridTop + (i / game().ColumnCount) * game().CellHeight) << "piece " << i;
    }
  }
  // The top-left corners of the loose pieces, in piece order, and the first place of the staircase.
  std::vector<QPointF> loosePlaces() {
    std::vector<QPointF> places;
    for (int i = 0; i < game().PieceCount; ++i)
      if (!game().Docked[i]) places.push_back(board->ImA(i).boxTwips().topLeft());
    return places;
  }
  QPointF staircaseStart() {
    std::vector<QPointF> places = loosePlaces();
    return *std::min_element(places.begin(), places.end(), [](QPointF a, QPointF b) {
      return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x());
    });
  }
};

TEST_F(AreaResize, BeforeAGridOnlyThePictureAndTheCommandBarChange) {
  choosePicture(blocksPicture(300, 200, 2, 2));  // 4500 x 3000 twips, steps of 450 x 300
  const QLineF firstRow(board->liO(0).X1(), board->liO(0).Y1(), board->liO(0).X2(), board->liO(0).Y2());
  const QLineF firstColumn(board->Liv(0).X1(), board->Liv(0).Y1(), board->Liv(0).X2(), board->Liv(0).Y2());

  struct Step {
    char key;
    int level;
    QRectF picture;
    int shownCommands;
  };
  const Step steps[] = {
      {'+', -1, {120, 240, 4050, 2700}, 0}, {'+', -2, {120, 240, 3600, 2400}, 0},
      {'0', 0, {120, 240, 4500, 3000}, 9},  {'-', 1, {120, 240, 4950, 3300}, 0},
      {'-', 2, {120, 240, 5400, 3600}, 0},  {'+', 1, {120, 240, 4950, 3300}, 0},
      {'+', 0, {120, 240, 4500, 3000}, 9},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::Message() << step.key << " to level " << step.level);
    key(step.key);
    EXPECT_EQ(game().AreaLevel, step.level);
    EXPECT_EQ(picture(), step.picture);
    EXPECT_EQ(shownCommands(), step.shownCommands);
    EXPECT_EQ(QLineF(board->liO(0).X1(), board->liO(0).Y1(), board->liO(0).X2(), board->liO(0).Y2()),
              firstRow);
    EXPECT_EQ(QLineF(board->Liv(0).X1(), board->Liv(0).Y1(), board->Liv(0).X2(), board->Liv(0).Y2()),
              firstColumn);
    EXPECT_FALSE(board->liO(0).Visible());
    EXPECT_FALSE(board->Liv(0).Visible());
    EXPECT_EQ(board->ImA.count(), 1);
    EXPECT_EQ(game().GamePhase, 1);
  }
  EXPECT_EQ(dialogs.beeps(), 0);
}

// Each case takes `allowed` steps of one kind without a beep; the next one beeps and changes nothing.
struct Limit {
  const char* name;
  QSize picturePixels;
  int rows;  // 0: no grid
  char key;
  int allowed;
};

void PrintTo(const Limit& limit, std::ostream* out) { *out << limit.name; }

class AreaLimits : public AreaResize, public testing::WithParamInterface<Limit> {};

TEST_P(AreaLimits, RefusedStepBeepsAndChangesNothing) {
  const Limit& limit = GetParam();
  choosePicture(blocksPicture(limit.picturePixels.width(), limit.picturePixels.height(), 2, 2));
  if (limit.rows > 0) chooseGrid(limit.rows, 2);
  for (int i = 1; i <= limit.allowed; ++i) {
    key(limit.key);
    ASSERT_EQ(dialogs.beeps(), 0) << "step " << i;
  }
  const int level = game().AreaLevel;
  ASSERT_EQ(std::abs(level), limit.allowed);
  const QRectF pictureBefore = picture();
  const double cellWidth = game().CellWidth, cellHeight = game().CellHeight;
  const double bottomLine = board->liO(limit.rows).Y1();

  key(limit.key);
  EXPECT_EQ(dialogs.beeps(), 1);
  EXPECT_EQ(game().AreaLevel, level);
  EXPECT_EQ(picture(), pictureBefore);
  EXPECT_EQ(game().CellWidth, cellWidth);
  EXPECT_EQ(game().CellHeight, cellHeight);
  EXPECT_EQ(board->liO(limit.rows).Y1(), bottomLine);
  EXPECT_EQ(shownCommands(), 0);
}

// The screen is 19200 x 15360 twips: "-" stops at a picture 18900 wide or 14160 high.
INSTANTIATE_TEST_SUITE_P(
    Steps, AreaLimits,
    testing::Values(Limit{"plus until the picture is gone", {300, 200}, 0, '+', 10},
                    Limit{"plus until the cell is as high as the picture is wide", {300, 200}, 2, '+', 5},
                    Limit{"minus until the screen's width", {630, 400}, 0, '-', 10},
                    Limit{"minus until the screen's height", {200, 600}, 2, '-', 6}),
    [](const testing::TestParamInfo<Limit>& info) { return "case" + std::to_string(info.index); });

TEST_F(AreaResize, GridFollowsThePictureAndTakesTheRoomItGivesUp) {
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(2, 3);
  key('+');
  // Picture 4050 x 2700; the grid 30 twips to its right, 4950 x 3300 (two steps more than the picture).
  EXPECT_EQ(game().GridLeft, 120 + 4050 + 30);
  EXPECT_EQ(game().CellWidth, 4950.0 / 3);
  EXPECT_EQ(game().CellHeight, 3300.0 / 2);
  EXPECT_EQ(board->liO(2).Y1(), 240 + 3300);
  EXPECT_EQ(board->Liv(3).X1(), game().GridLeft + 4950);
  EXPECT_TRUE(board->Liv(3).Visible());
  EXPECT_FALSE(board->CmdGriglia.Enabled());
  key('0');
  EXPECT_EQ(game().GridLeft, 120 + 4500 + 30);
  EXPECT_EQ(board->liO(2).Y1(), 240 + 3000);
  EXPECT_EQ(shownCommands(), 9);
}

TEST_F(AreaResize, GridTakenAwayByABoxClickStaysAwayAndItsButtonStaysOffered) {
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(2, 3);
  QTest::mouseClick(board->Righe.widget(), Qt::LeftButton);
  board->Righe.setText(QString());
  // The 0 restores equal areas on its way into the box.
  typeInto(board->Righe, QStringLiteral("10"));
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("10"));
  key('-');
  key('-');
  EXPECT_EQ(game().AreaLevel, 2);
  EXPECT_EQ(board->liO.count(), 1);
  EXPECT_EQ(board->Liv.count(), 1);
  EXPECT_FALSE(board->liO(0).Visible());
  EXPECT_FALSE(board->Liv(0).Visible());
  EXPECT_TRUE(board->CmdGriglia.Enabled());

  board->mNorma.action()->trigger();
  click(board->CmdGriglia);
  EXPECT_EQ(board->liO.count(), 11);
  EXPECT_EQ(game().CellHeight, 300);
}

TEST_F(AreaResize, PlusThenMinusComesBackToEqualAreasWithEveryPieceTheSizeOfItsCell) {
  loadTwoByThree();
  key('+');
  // Picture 4860 x 2700 twips; grid 5940 x 3300, so cells of 1980 x 1650.
  EXPECT_EQ(game().AreaLevel, -1);
  EXPECT_EQ(game().CellWidth, 1980);
  EXPECT_EQ(game().CellHeight, 1650);
  expectPiecesFitTheirCells();
  EXPECT_TRUE(game().Docked[0] && game().Docked[4]);
  EXPECT_EQ(staircaseStart(), QPointF(120, 240 + 2700 + 50)) << "loose pieces gathered under the picture";
  EXPECT_EQ(shownCommands(), 0);

  key('-');
  EXPECT_EQ(game().AreaLevel, 0);
  EXPECT_EQ(picture(), QRectF(120, 240, 5400, 3000));
  EXPECT_EQ(game().CellWidth, 1800);
  EXPECT_EQ(game().CellHeight, 1500);
  expectPiecesFitTheirCells();
  EXPECT_EQ(staircaseStart(), QPointF(120 + 5400 + 30, 240 + 3000 + 50))
      << "loose pieces gathered under the grid";
  EXPECT_EQ(shownCommands(), 9);
  EXPECT_EQ(dialogs.beeps(), 0);
}

TEST_F(AreaResize, ZeroAtEqualAreasStillFitsEveryPieceAndGathersTheLooseOnes) {
  loadTwoByThree();
  std::vector<QPointF> gathered = loosePlaces();
  drag(3, QPointF(1500, -600));
  ASSERT_NE(loosePlaces(), gathered);
  key('0');
  expectPiecesFitTheirCells();
  // The same places again, possibly taken by other pieces.
  std::vector<QPointF> again = loosePlaces();
  const auto byPlace = [](QPointF a, QPointF b) {
    return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
  };
  std::sort(gathered.begin(), gathered.end(), byPlace);
  std::sort(again.begin(), again.end(), byPlace);
  EXPECT_EQ(again, gathered);
  EXPECT_EQ(game().AreaLevel, 0);
}

TEST_F(AreaResize, MinusStopsBeforeThePiecesWouldShrinkBelowNothing) {
  // Cells of 2250 x 1500 twips; each "-" takes 225 x 150 from every piece.
  load(blocksPicture(300, 200, 2, 2), {{},
                                       QStringLiteral("2"),
                                       QStringLiteral("2"),
                                       1,
                                       {{false, 0, 0}, {false, 0, 1}, {true, 0, 2}, {false, 0, 3}}});
  for (int i = 1; i <= 10; ++i) key('-');
  EXPECT_EQ(dialogs.beeps(), 0);
  EXPECT_EQ(game().AreaLevel, 10);
  EXPECT_EQ(board->ImA(0).Width(), 0);
  key('-');
  EXPECT_EQ(dialogs.beeps(), 1);
  EXPECT_EQ(game().AreaLevel, 10);
  EXPECT_EQ(picture(), QRectF(120, 240, 9000, 6000));
}

}  // namespace
}  // namespace tarsio
