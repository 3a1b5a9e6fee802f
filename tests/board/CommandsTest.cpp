// Commands by button, menu and key: the enabled state through a whole game, the keys, the pop-up menu,
// closing.
#include <QMenu>
#include <QTest>

#include "play/GameFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

// The enabled state of every command, as a row of the table: E enabled, D disabled, in the order
// CmdImma+mImma, CmdGriglia, mGrig, Righe+Colonne, CmdTarsio+mTarsio, CmdRaccogli+mRaccogli,
// CmdAzze+mAzze, mSalva, mVisual, the four scramble options.
class Commands : public GameFixture {
 protected:
  std::string state() {
    Board& b = *board;
    const auto pair = [](bool a, bool c) { return a == c ? (a ? 'E' : 'D') : '?'; };
    const bool scramble = b.mSpos.Enabled();
    const bool scrambleAgree = b.mRuot.Enabled() == scramble && b.mRove.Enabled() == scramble &&
                               b.mTrasp.Enabled() == scramble;
    return {pair(b.CmdImma.Enabled(), b.mImma.Enabled()),
            b.CmdGriglia.Enabled() ? 'E' : 'D',
            b.mGrig.Enabled() ? 'E' : 'D',
            pair(b.Righe.Enabled(), b.Colonne.Enabled()),
            pair(b.CmdTarsio.Enabled(), b.mTarsio.Enabled()),
            pair(b.CmdRaccogli.Enabled(), b.mRaccogli.Enabled()),
            pair(b.CmdAzze.Enabled(), b.mAzze.Enabled()),
            b.mSalva.Enabled() ? 'E' : 'D',
            b.mVisual.Enabled() ? 'E' : 'D',
            scrambleAgree ? (scramble ? 'E' : 'D') : '?'};
  }
  void key(char c) { QTest::keyClick(board->windowHandle(), c); }
};

TEST_F(Commands, theEnabledStateFollowsEveryEventOfAGame) {
  const QString picture = writePicture(folder.path(), QStringLiteral("blocchi.bmp"), blocksPicture(300, 200, 2, 2));
  const std::pair<const char*, std::function<void()>> events[] = {
      {"EDDDDDDDDE", [] {}},
      {"EDDDDDDDEE", [&] { dialogs.answers.push_back(QString()); click(board->CmdImma); }},
      {"EEEEDDEDEE", [&] { chooseFile(picture); }},
      {"EDEEEDEDEE", [&] { chooseGrid(2, 2); }},
      {"EEEEDDEDEE", [&] { QTest::mouseClick(board->Righe.widget(), Qt::LeftButton); }},
      {"EDEEEDEDEE", [&] { key('g'); }},
      {"DDDDDEEDED", [&] { board->mSpos.action()->trigger(); key('p'); }},
      {"DDDDDEEEED", [&] { dragHome(0); }},
      {"DDDDDEEEED", [&] {
         dragHome(1);
         // The loose pieces go below the grid, so that the right press below finds piece 1 uncovered.
         for (int i : {2, 3})
           dragTo(i, {game().GridLeft + (i - 2) * 2 * game().CellWidth,
                      game().GridTop + 2 * game().CellHeight + 300});
       }},
      {"DDDDDEEDED", [&] { board->mSalva.action()->trigger(); }},
      {"DDDDDEEEED", [&] {
         pressAt(centreOf(piece(1)), Qt::RightButton);
         releaseAt(centreOf(piece(1)), Qt::RightButton);
       }},
      {"DDDDDDEDED", [&] { dragHome(1); dragHome(2); dragHome(3); }},
      {"DDDDDEEEED", [&] {
         pressAt(centreOf(piece(2)), Qt::RightButton);
         releaseAt(centreOf(piece(2)), Qt::RightButton);
       }},
      {"EDDDDDDDDE", [&] { key('z'); }},
  };
  for (size_t k = 0; k < std::size(events); ++k) {
    events[k].second();
    EXPECT_EQ(state(), events[k].first) << "after event " << k;
  }
  EXPECT_EQ(board->CmdGriglia.Caption(), QStringLiteral("2 - Scegli Griglia"));
  EXPECT_EQ(board->mGrig.Caption(), QStringLiteral("2 - Scegli &Griglia..."));
}

TEST_F(Commands, pictureKeyResetsADrawnGridWhileTheGridKeyThenDoesNothing) {
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(2, 3);
  key('G');
  EXPECT_EQ(board->liO.count(), 3);
  EXPECT_EQ(board->Liv.count(), 4);
  dialogs.answers.push_back(QString());
  key('I');
  EXPECT_EQ(dialogs.ofKind(DialogCall::OpenFile).size(), 2u);
  EXPECT_EQ(game().GamePhase, 0);
  EXPECT_EQ(board->liO.count(), 1);
  EXPECT_EQ(board->ImaOrig.picture(), board->CopiaImIni);
}

TEST_F(Commands, keysTypedIntoABoxRunTheirCommandAndStillReachTheBox) {
  choosePicture(blocksPicture(300, 200, 2, 2));
  board->Colonne.setText(QString());
  typeInto(board->Colonne, QStringLiteral("10"));
  EXPECT_EQ(board->Colonne.Text(), QStringLiteral("10"));
  EXPECT_EQ(game().AreaLevel, 0);
  // "+" enlarges the grid area from the box too; the box itself drops it.
  typeInto(board->Colonne, QStringLiteral("+"));
  EXPECT_EQ(game().AreaLevel, -1);
  EXPECT_EQ(board->Colonne.Text(), QStringLiteral("10"));
}

TEST_F(Commands, chordsRunNoCommandWhileShiftedLettersDo) {
  choosePicture(blocksPicture(300, 200, 2, 2));
  chooseGrid(2, 2);
  const std::pair<char, Qt::KeyboardModifiers> chords[] = {
      {'p', Qt::AltModifier}, {'p', Qt::ControlModifier}, {'p', Qt::MetaModifier},
      {'+', Qt::AltModifier}, {'-', Qt::ControlModifier}, {'+', Qt::ControlModifier | Qt::ShiftModifier}};
  for (const auto& [c, modifiers] : chords) {
    QTest::keyClick(board->windowHandle(), c, modifiers);
    EXPECT_EQ(game().GamePhase, 2) << c << " with " << modifiers.toInt();
    EXPECT_EQ(game().AreaLevel, 0) << c << " with " << modifiers.toInt();
  }
  QTest::keyClick(board->windowHandle(), 'P', Qt::ShiftModifier);
  EXPECT_EQ(game().GamePhase, 3);
}

TEST_F(Commands, aHiddenButtonStillAnswersItsKey) {
  startGame(QSize(300, 200), 2, 2, board->mSpos);
  key('+');
  ASSERT_FALSE(board->CmdRaccogli.Visible());
  dragTo(0, QPointF(12000, 9000));
  key('O');
  EXPECT_NE(topLeftOf(0), QPointF(12000, 9000));
  key('z');
  EXPECT_EQ(game().GamePhase, 0);
}

TEST_F(Commands, aRightPressOnTheBareBoardShowsTheViewMenuOnceAPictureIsChosen) {
  press(QPointF(15000, 12000), Qt::RightButton);
  release(QPointF(15000, 12000), Qt::RightButton);
  EXPECT_FALSE(board->visualMenu->isVisible());
  choosePicture(blocksPicture(300, 200, 2, 2));
  press(QPointF(15000, 12000), Qt::RightButton);
  release(QPointF(15000, 12000), Qt::RightButton);
  EXPECT_TRUE(board->visualMenu->isVisible());
  // The three area commands, a separator, the three views of the table, a separator, the three aids and
  // the faint picture, a separator, the table's colours and the sounds.
  EXPECT_EQ(board->visualMenu->actions().size(), 15);
  board->visualMenu->close();
}

TEST_F(Commands, chiudiAndTheCloseBoxEndTheProgram) {
  board->mChiudi.action()->trigger();
  EXPECT_FALSE(board->isVisible());
  board->showMaximized();
  ASSERT_TRUE(board->close());
  EXPECT_FALSE(board->isVisible());
}

}  // namespace
}  // namespace tarsio
