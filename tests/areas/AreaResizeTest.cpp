// Tests of moving size between the picture area and the grid area on a real board.
#include <QAction>
#include <QTest>

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

TEST_F(AreaResize, StepAfterTheGridWasTakenAwayLeavesItUndrawn) {
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(2, 3);
  QTest::mouseClick(board->Righe.widget(), Qt::LeftButton);
  ASSERT_EQ(board->liO.count(), 1);
  key('+');
  key('-');
  key('-');
  EXPECT_EQ(game().AreaLevel, 1);
  EXPECT_EQ(board->liO.count(), 1);
  EXPECT_EQ(board->Liv.count(), 1);
  EXPECT_FALSE(board->liO(0).Visible());
  EXPECT_FALSE(board->Liv(0).Visible());
  EXPECT_TRUE(board->CmdGriglia.Enabled());

  // A grid chosen afterwards is drawn for the areas as they now are.
  dialogs.answers = {QStringLiteral("2"), QStringLiteral("2")};
  board->mGrig.action()->trigger();
  EXPECT_EQ(game().GamePhase, 2);
  EXPECT_EQ(board->liO.count(), 3);
  EXPECT_EQ(board->Liv(2).X1(), 120 + 4950 + 30 + 4050);
  EXPECT_TRUE(board->Liv(2).Visible());
}

TEST_F(AreaResize, ZeroTypedIntoABoxKeepsTheGridButtonOffered) {
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(2, 3);
  QTest::mouseClick(board->Righe.widget(), Qt::LeftButton);
  board->Righe.setText(QString());
  typeInto(board->Righe, QStringLiteral("10"));
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("10"));
  ASSERT_TRUE(board->CmdGriglia.Enabled());
  click(board->CmdGriglia);
  EXPECT_EQ(board->liO.count(), 11);
  EXPECT_EQ(game().CellHeight, 300);
}

}  // namespace
}  // namespace tarsio
