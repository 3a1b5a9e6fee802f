// The board as it opens: state, layout, commands and menus.
#include <QMenuBar>

#include "support/BoardFixture.h"

namespace tarsio {
namespace {

using BoardStart = BoardFixture;

TEST_F(BoardStart, opensInPhaseZeroWithEqualAreasAndNoGrid) {
  EXPECT_EQ(game().GamePhase, 0);
  EXPECT_EQ(game().AreaLevel, 0);
  EXPECT_TRUE(game().RowCountText.isEmpty());
  EXPECT_TRUE(game().ColumnCountText.isEmpty());
  EXPECT_TRUE(game().Orientation.empty() && game().Docked.empty() && game().StartCell.empty());
  EXPECT_EQ(board->windowTitle(), QStringLiteral("  Varnelli - Tarsio mania ...!"));
  EXPECT_FALSE(board->windowIcon().pixmap(QSize(128, 128)).isNull());
  EXPECT_TRUE(board->isMaximized());
}

TEST_F(BoardStart, showsThePlaceholderFittedWithTheCommandRowsBelowIt) {
  // 1280 x 1024 pixels: limits 9450 x 12960 twips, so the 360 x 252 placeholder keeps its size.
  EXPECT_EQ(game().MaxPictureWidth, 9450);
  EXPECT_EQ(game().MaxPictureHeight, 12960);
  EXPECT_EQ(board->ImaOrig.boxTwips(), QRectF(120, 240, 5400, 3780));
  EXPECT_TRUE(board->ImaOrig.Visible());
  EXPECT_EQ(board->RC1.Top(), 4120);
  for (Control* c : std::initializer_list<Control*>{&board->CmdImma, &board->CmdGriglia, &board->Righe, &board->RC2,
                                                     &board->Colonne})
    EXPECT_EQ(c->Top(), 4360);
  for (Control* c : std::initializer_list<Control*>{&board->CmdTarsio, &board->CmdRaccogli, &board->CmdAzze})
    EXPECT_EQ(c->Top(), 4840);
  EXPECT_EQ(board->ImaCompl.Top(), 15360 - 1470 - 900);
  EXPECT_EQ(board->ImaCompl.Left(), 6360);
  EXPECT_FALSE(board->ImaCompl.Visible());
  EXPECT_EQ(game().AreaStepWidth, 540);
}

TEST(BoardOnASmallScreen, laysThePlaceholderOutFromTheScreenSize) {
  ScriptedDialogs dialogs;
  Random random;
  Board board({&dialogs, &random, QSizeF(12000, 9000)});
  EXPECT_EQ(board.game.MaxPictureWidth, 5850);
  EXPECT_EQ(board.game.MaxPictureHeight, 6600);
  EXPECT_EQ(board.ImaOrig.Width(), 5400);
  EXPECT_EQ(board.RC1.Top(), 4120);
  EXPECT_EQ(board.CmdImma.Top(), 4360);
  EXPECT_EQ(board.CmdAzze.Top(), 4840);
  EXPECT_EQ(board.ImaCompl.Top(), 9000 - 1470 - 900);
}

TEST_F(BoardStart, onlyThePictureCommandAndTheScrambleOptionsAreEnabled) {
  EXPECT_TRUE(board->CmdImma.Enabled());
  for (Control* c : std::initializer_list<Control*>{&board->CmdGriglia, &board->Righe, &board->Colonne,
                                                     &board->CmdTarsio, &board->CmdRaccogli, &board->CmdAzze})
    EXPECT_FALSE(c->Enabled());
  EXPECT_TRUE(board->mImma.Enabled());
  for (MenuItem* m : {&board->mSalva, &board->mVisual, &board->mGrig, &board->mTarsio, &board->mRaccogli,
                      &board->mAzze})
    EXPECT_FALSE(m->Enabled()) << m->Caption().toStdString();
  for (MenuItem* m : {&board->mSpos, &board->mRuot, &board->mRove, &board->mTrasp}) EXPECT_TRUE(m->Enabled());
  EXPECT_TRUE(board->mRove.Checked());
  EXPECT_FALSE(board->mSpos.Checked() || board->mRuot.Checked() || board->mTrasp.Checked());
}

TEST_F(BoardStart, everyCaptionReadsExactly) {
  const std::pair<MenuItem*, const char*> menus[] = {
      {&board->mFile, "File"},
      {&board->mImma, "1 - Scegli &Immagine"},
      {&board->mSalva, "&Salva a questo punto"},
      {&board->mSalvaNome, "Salva con &nome…"},
      {&board->mChiudi, "Chiudi"},
      {&board->mVisual, "Visualizza"},
      {&board->mGrande, "Ingrandisci area Griglia       (+)"},
      {&board->mPicco, "Riduci area Griglia              (-)"},
      {&board->mNorma, "Ripristina Aree uguali          (0)"},
      {&board->mAzio, "Azioni"},
      {&board->mGrig, "2 - Scegli &Griglia..."},
      {&board->mTarsio, "3 - Crea &Tarsio"},
      {&board->mRaccogli, "Racc&ogli"},
      {&board->mAzze, "A&zzera"},
      {&board->mScom, "Scomposizione"},
      {&board->mSpos, "solo &Spostare"},
      {&board->mRuot, "... pi\u00f9 Ruotare"},
      {&board->mRove, "... pi\u00f9 Rovesciare"},
      {&board->mTrasp, "... con Trasparenza"},
      {&board->mAiuto, "Aiuto"},
      {&board->mGuida, "Guida Completa"},
      {&board->n0, "Guida Rapida"},
      {&board->n1, "Trascinare col tasto mouse Sinistro "},
      {&board->n2, "Ruotare con Ctrl + clic Sinistro"},
      {&board->n3, "Girare Fronte-Dorso con Maiuscolo + clic Sinistro"},
      {&board->n4, "Disancorare con un clic Destro"},
      {&board->mInfo, "In&formazioni"},
  };
  for (const auto& [item, caption] : menus) EXPECT_EQ(item->Caption(), QString::fromUtf8(caption));
  EXPECT_EQ(board->mGuida.action()->shortcut(), QKeySequence(Qt::Key_F1));
  const std::pair<CommandButton*, const char*> buttons[] = {
      {&board->CmdImma, "1 - Scegli &Immagine"}, {&board->CmdGriglia, "2 - Scegli &Griglia"},
      {&board->CmdTarsio, "3 - Crea &Tarsio"},   {&board->CmdRaccogli, "Racc&ogli"},
      {&board->CmdAzze, "A&zzera"},
  };
  for (const auto& [button, caption] : buttons) EXPECT_EQ(button->Caption(), QString::fromUtf8(caption));
  EXPECT_EQ(board->RC1.Caption(), QStringLiteral("Righe       Colonne"));
  EXPECT_EQ(board->Righe.Text(), QStringLiteral("3"));
  EXPECT_EQ(board->Colonne.Text(), QStringLiteral("4"));
  QStringList bar;
  for (QAction* action : board->menuBar()->actions()) bar << action->text();
  EXPECT_EQ(bar, QStringList({"File", "Visualizza", "Azioni", "Scomposizione", "Aiuto"}));
}

TEST_F(BoardStart, tabGoesThroughTheBoxesAndButtonsInTheDesignedOrder) {
  QWidget* expected[] = {board->Colonne.widget(), board->CmdGriglia.widget(), board->CmdTarsio.widget(),
                         board->CmdAzze.widget(), board->CmdImma.widget(), board->CmdRaccogli.widget()};
  QWidget* at = board->Righe.widget();
  for (QWidget* next : expected) {
    EXPECT_EQ(at->nextInFocusChain(), next);
    at = next;
  }
}

}  // namespace
}  // namespace tarsio
