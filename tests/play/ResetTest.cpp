// The reset on a real board, from every phase of a game and with more than a thousand pieces.
#include "play/GameFixture.h"
#include "support/Pictures.h"

namespace tarsio {
namespace {

using Reset = GameFixture;

const QSize Picture(300, 200);

void expectResetBoard(Board& board) {
  const GameState& game = board.game;
  EXPECT_EQ(game.GamePhase, 0);
  EXPECT_EQ(game.AreaLevel, 0);
  EXPECT_TRUE(game.GridBeingCreated);
  EXPECT_EQ(board.ImaOrig.picture(), board.CopiaImIni);
  EXPECT_EQ(board.ImaOrig.Width(), game.PictureBaseWidth);
  EXPECT_EQ(board.ImaOrig.Height(), game.PictureBaseHeight);
  EXPECT_EQ(board.ImaOrig.boxTwips().size(), board.CopiaImIni.size() * 15.0);

  EXPECT_EQ(board.ImA.count(), 1);
  EXPECT_TRUE(board.ImA.exists(999));
  EXPECT_FALSE(board.ImA(999).Visible());
  for (const ElementArray<LineElement>* lines : {&board.liO, &board.Liv}) {
    EXPECT_EQ(lines->count(), 1);
    EXPECT_FALSE((*lines)(0).Visible());
  }
  EXPECT_FALSE(board.liN.Visible() || board.liE.Visible() || board.liS.Visible() || board.liOv.Visible());
  EXPECT_FALSE(board.ImaCompl.Visible());

  EXPECT_TRUE(board.CmdImma.Enabled());
  EXPECT_TRUE(board.mImma.Enabled());
  EXPECT_TRUE(board.CmdImma.Visible() && board.RC1.Visible() && board.Righe.Visible());
  for (Control* c : std::initializer_list<Control*>{&board.CmdGriglia, &board.Righe, &board.Colonne,
                                                    &board.CmdTarsio, &board.CmdRaccogli, &board.CmdAzze})
    EXPECT_FALSE(c->Enabled());
  for (MenuItem* m :
       {&board.mGrig, &board.mTarsio, &board.mRaccogli, &board.mAzze, &board.mSalva, &board.mVisual})
    EXPECT_FALSE(m->Enabled()) << m->Caption().toStdString();
  EXPECT_EQ(board.CmdGriglia.Caption(), QStringLiteral("2 - Scegli Griglia"));
  EXPECT_EQ(board.mGrig.Caption(), QStringLiteral("2 - Scegli &Griglia..."));
  for (MenuItem* m : {&board.mSpos, &board.mRuot, &board.mRove, &board.mTrasp}) EXPECT_TRUE(m->Enabled());
}

TEST_F(Reset, putsTheBoardBackFromEveryPhase) {
  struct Case {
    const char* what;
    std::function<void()> reach;
  };
  const Case cases[] = {
      {"phase 0", [] {}},
      {"phase 1", [this] { choosePicture(blocksPicture(300, 200, 2, 2)); }},
      {"phase 2",
       [this] {
         choosePicture(blocksPicture(300, 200, 2, 2));
         chooseGrid(3, 4);
       }},
      {"a grid box clicked",
       [this] {
         choosePicture(blocksPicture(300, 200, 2, 2));
         chooseGrid(3, 4);
         board->GridBox_Click();
         ASSERT_EQ(board->CmdGriglia.Caption(), QStringLiteral("2 - Prova Griglia"));
       }},
      {"phase 3, a piece held, the grid area enlarged",
       [this] {
         startGame(Picture, 2, 2, board->mTrasp);
         board->EnlargeGridArea();
         pressAt(centreOf(piece(3)));
       }},
      {"phase 4",
       [this] {
         startGame(Picture, 2, 2, board->mTrasp);
         for (int i = 0; i < 4; ++i) {
           turnTo(i, 0);
           dragHome(i);
         }
         ASSERT_EQ(game().GamePhase, 4);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!board->mTrasp.Checked()) board->mTrasp.action()->trigger();
    c.reach();
    board->CmdAzze_Click();
    expectResetBoard(*board);
    EXPECT_TRUE(board->mTrasp.Checked()) << "the scramble option keeps its mark";
  }
}

// With more than a thousand pieces the template 999 serves as piece 999; every piece must still go.
TEST_F(Reset, removesEveryPieceOfAGameOfMoreThanAThousand) {
  choosePicture(blocksPicture(200, 160, 2, 2));
  chooseGrid(26, 40);
  click(board->CmdTarsio);
  ASSERT_EQ(game().GamePhase, 3);
  ASSERT_EQ(board->ImA.count(), 1040);
  // The picture and its quarter-turned copy are freed with the pieces, whatever showed a part of them.
  const std::weak_ptr<const SourceImage> upright = board->PictureClip1.picture().source();
  const std::weak_ptr<const SourceImage> turned = board->PictureClip2.picture().source();
  click(board->CmdAzze);
  expectResetBoard(*board);
  EXPECT_TRUE(upright.expired());
  EXPECT_TRUE(turned.expired());
  for (int i = 0; i < 1040; ++i) EXPECT_EQ(board->ImA.exists(i), i == 999) << i;

  startGame(Picture, 2, 2, board->mSpos);
  EXPECT_EQ(board->ImA.count(), 5);
  for (int i = 0; i < 4; ++i) dragHome(i);
  EXPECT_EQ(game().GamePhase, 4);
}

}  // namespace
}  // namespace tarsio
