// The reset: the board as it was before any picture was chosen.
#include "board/Board.h"

namespace tarsio {

namespace {

// Every piece goes. With a thousand pieces or more the template 999 has served as piece 999 itself, so
// the pieces are found by looking at every index rather than by counting; the template stays, hidden.
void unloadPieces(ElementArray<ImageElement>& pieces) {
  constexpr int Template = 999;
  for (int i = 0; pieces.count() > 1; ++i)
    if (i != Template && pieces.exists(i)) pieces.Unload(i);
  pieces(Template).setVisible(false);
  // From a thousand pieces on the template has shown a part of the picture; it lets go of it.
  pieces(Template).setPicture(Picture());
}

}  // namespace

void Board::CmdAzze_Click() {
  // The game in progress ends here: it is no longer kept on disk, but Ctrl+Z brings it back until
  // the next cut.
  if (game.GamePhase >= 3) {
    endedGame = keptGame();
    forgetKeptGame();
  }
  // A full picture still being decoded is no longer wanted.
  fullDecode.drop();
  firstSight.reset();
  ImaOrig.setStretch(false);
  ImaOrig.setPicture(CopiaImIni);
  FitPicture();
  ImaOrig.setWidth(static_cast<float>(game.PictureBaseWidth));
  ImaOrig.setHeight(static_cast<float>(game.PictureBaseHeight));
  game.AreaLevel = 0;
  endSelection();
  trays.clear();
  unloadPieces(ImA);
  undoHistory.clear();
  groups.reset(0);
  refreshGroupOutline();
  // The decoded picture and its quarter-turned copy go with the pieces, and so does the work box,
  // which still shows a part of one of them; nothing needs them until a picture is chosen again.
  PictureClip1.clear();
  colours.clear();
  PictureClip2.clear();
  pBox.Cls();
  RemoveGrid();
  // A piece held at the reset goes, and its frame with it.
  setFrameVisible(false);
  game.GamePhase = 0;
  game.GridBeingCreated = true;

  CmdImma.setEnabled(true);
  mImma.setEnabled(true);
  CmdGriglia.setEnabled(false);
  mGrig.setEnabled(false);
  CmdGriglia.setCaption(QStringLiteral("2 - Scegli Griglia"));
  mGrig.setCaption(QStringLiteral("2 - Scegli &Griglia..."));
  for (Control* control :
       std::initializer_list<Control*>{&Righe, &Colonne, &Pezzi, &CmdTarsio, &CmdRaccogli, &CmdAzze})
    control->setEnabled(false);
  for (MenuItem* item : {&mTarsio, &mRaccogli, &mAzze}) item->setEnabled(false);
  ImaCompl.setVisible(false);
  RecordText.setVisible(false);
  // The areas are equal again, and with them the command rows are shown: "+" or "-" hid them.
  ShowCommandBar();
  stopPlayAids();
  canvas->repaint();
  mSalva.setEnabled(false);
  mVisual.setEnabled(false);
  for (MenuItem* item : {&mSpos, &mRuot, &mRove, &mTrasp}) item->setEnabled(true);
}

}  // namespace tarsio
