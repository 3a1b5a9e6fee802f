// The shelf: the games in progress kept in the state folder, as a plain list for the window that shows
// them.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "savegame/KeptGame.h"

namespace tarsio {

// One kept game as the shelf lists it.
struct ShelfGame {
  QString file;     // the kept file
  QString picture;  // the picture's full path
  int rows = 0, columns = 0;
  int inPlace = 0, pieces = 0;
  std::int64_t playedMs = 0;
  QDateTime lastPlayed;  // when the kept file last changed
  bool pictureMissing = false;
  QImage thumbnail;  // the small picture of its board; null when there is none yet
};

// The shelf's line for a kept game read from `file`.
ShelfGame shelfGame(const QString& file, const KeptGame& kept, const QDateTime& lastPlayed, bool pictureMissing);

// The most recently played first; games played at the same moment by file name.
void sortByLastPlayed(std::vector<ShelfGame>& games);

// The text of a game on the shelf: the picture's name, the grid, the pieces in place, the time played
// and when it was last played, with a note when its picture is missing.
QString shelfText(const ShelfGame& game);

}  // namespace tarsio
