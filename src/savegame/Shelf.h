// The shelf: the games in progress kept in the state folder, as a plain list for the window that shows
// them.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
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
  QString sketch;  // the file of the small picture of its board, read when the shelf shows it
  bool onBoard = false;  // the game being played now
};

// The shelf's line for a kept game read from `file`.
ShelfGame shelfGame(const QString& file, const KeptGame& kept, const QDateTime& lastPlayed, bool pictureMissing);

// The most recently played first; games played at the same moment by file name.
void sortByLastPlayed(std::vector<ShelfGame>& games);

// A kept game's small picture, beside its file.
QString sketchFileOf(const QString& keptFile);

// The games of the shelf in `folder`, the most recently played first, with their small pictures:
// every kept file that no running copy holds (this one's own among them). A damaged file is set aside,
// and added to `damaged` with its new name ("" when it could not be set aside).
std::vector<ShelfGame> readShelf(const QString& folder, std::vector<std::pair<QString, QString>>& damaged);

// Removes a kept game's file and its small picture; false when a running copy holds it or it cannot
// be removed.
bool throwAwayKeptGame(const QString& file);

// The small picture in `file`; a null image when it is missing, damaged, or larger than a small
// picture is.
QImage readSketch(const QString& file);

// The text of a game on the shelf: the picture's name, the grid, the pieces in place, the time played
// and when it was last played, with a note when its picture is missing; the game on the board says so.
QString shelfText(const ShelfGame& game);

}  // namespace tarsio
