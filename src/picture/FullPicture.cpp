// The full picture behind a reduced first sight: taken when it arrives, waited for when it is needed,
// and refused, the board going back as it was, when it cannot be decoded.
#include "board/Board.h"

namespace tarsio {

namespace {
// How long a wait for the full picture goes unnoticed: a frame.
constexpr std::chrono::milliseconds Frame(16);
}  // namespace

bool Board::needFullPicture() {
  startFullDecode();
  if (!fullDecode.pending()) return true;
  return fullPictureArrived(fullDecode.take(Frame));
}

bool Board::fullPictureArrived(const Picture& full) {
  const std::unique_ptr<FirstSight> sight = std::move(firstSight);
  if (!sight) return false;
  if (!full.isNull()) {
    // The pieces are cut from it, and it is what the picture area shows from now on.
    ImaOrig.setPicture(full);
    PictureClip1.setPicture(full);
    releaseAside(sight->shownBefore);
    return true;
  }
  // The board goes back as it was before the choice: the game it ended, or the picture it showed with
  // its commands (and that picture's own full decode, when it was a first sight too).
  const QString refused = game.PicturePath;
  CmdAzze_Click();
  refusePicture(refused);
  mVisual.setEnabled(true);
  if (sight->gameEnded) {
    bringBackEndedGame();
    return false;
  }
  if (sight->shownBefore.source() != CopiaImIni.source()) {
    if (sight->previous) {
      std::unique_ptr<FirstSight> previous = std::move(sight->previous);
      // Its reduced picture is shown again and its full decode starts again.
      const QImage reduced = sight->shownBefore.source()->level(previous->level);
      showChosenPicture(reduced, std::move(previous));
    } else {
      showPicture(sight->shownBefore);
      enableGridChoice();
    }
  }
  game = sight->before;
  return false;
}

}  // namespace tarsio
