// A large photo shown at once from a reduced decode while its full decode runs on a worker thread.
#pragma once

#include <memory>

#include "board/GameState.h"
#include "picture/PictureFile.h"
#include "platform/Picture.h"

namespace tarsio {

// What the board keeps while the full picture is on its way: the file, to decode it, and the board as it
// was before the choice, to go back to should the full decode fail.
struct FirstSight {
  CheckedPicture file;
  int level = 0;          // the shown picture is the full one reduced by 2^level
  GameState before;       // the game before the choice
  Picture shownBefore;    // the picture shown before the choice
  bool gameEnded = false; // the choice ended a game in progress, which comes back on a failure
  // The first sight the choice replaced while its own full decode was still running.
  std::unique_ptr<FirstSight> previous;
};

}  // namespace tarsio
