// The game in progress as kept on disk: what a saved game holds, plus what the board needs to go on
// exactly (where every piece lies on which board, the sizes of the areas, the saved game it came from).
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "savegame/SavedGame.h"

namespace tarsio {

// The largest board a kept game can lie on, twips a side: the widest screen the window system can have.
inline constexpr double MaxKeptBoardTwips = 32767 * 15.0;
// A kept game's time is under a century, its hints under a million.
inline constexpr std::int64_t MaxKeptPlayedMs = 36525LL * 24 * 3600 * 1000;  // the days of a century
inline constexpr int MaxKeptHints = 999999;
// A kept game has at most this many trays, each titled with at most MaxKeptTrayTitle characters.
inline constexpr int MaxKeptTrays = 1000;
inline constexpr int MaxKeptTrayTitle = 100;

// A tray as kept: its title, its frame's top-left corner (twips) and its loose pieces in their order.
struct KeptTray {
  QString title;
  QPointF topLeft;
  std::vector<int> pieces;

  bool operator==(const KeptTray&) const = default;
};

struct KeptGame {
  SavedGame saved;
  std::vector<QPointF> places;  // every piece's top-left corner, twips, in piece order
  QSizeF board;                 // the board the places were taken on, twips; empty: not known
  int areaLevel = 0;            // the signed count of area steps
  bool saveOffered = false;     // "&Salva a questo punto" was enabled
  QString origin;               // the saved-game file the game was loaded from; empty for none
  std::int64_t playedMs = 0;    // the playing time counted so far, milliseconds
  int hints = 0;                // the hints asked for since the cut
  std::vector<KeptTray> trays;  // in the order they were made
  std::vector<std::vector<int>> groups;  // the pieces of each group of joined pieces

  int piecesInPlace() const;
  bool operator==(const KeptGame&) const = default;
};

// The bytes of the file: a first line naming the format, then one "key value" line per field, a
// line "partita", and the saved game's own bytes. A reader skips keys it does not know, so fields can
// be added. Positions are written as the shortest decimals that read back to the same doubles. Each
// tray is a line "vassoio x y pieces title", its pieces parted by commas ("-" for none), its title cut
// to MaxKeptTrayTitle characters with a line break written as a space; trays past MaxKeptTrays are
// left out, and their pieces come back loose. Each group of joined pieces is a line "gruppo pieces".
QByteArray formatKeptGame(const KeptGame& kept);

// Nothing for bytes that the writer could not have written, or whose game no board could hold: a
// known key twice, a place further than a board's width or height off the board, a board larger than
// MaxKeptBoardTwips, a time or a hint count beyond its bound, a tray further off the board than a
// place, a docked piece or one piece twice in trays, a tray's title too long, too many
// trays, a group of fewer than two pieces, a docked piece or one piece twice in groups. A file without a
// board (written before boards were kept) is read with its places bounded by the largest board.
std::optional<KeptGame> parseKeptGame(const QByteArray& bytes);

// The game in the file, or nothing for a file that is missing, larger than the file of the largest
// game, or damaged.
std::optional<KeptGame> readKeptGameFile(const QString& path);

// Where a loose piece of size `size`, kept at `place` on a board `kept`, lies on the board `board` it
// comes back to (all twips): its place scales with the board, then moves the least that puts the whole
// piece on the board (its top-left corner on it, where the piece is larger than the board). With no
// kept board the place is taken as it is, then kept on the board.
QPointF placeOnBoard(QPointF place, QSizeF size, QSizeF kept, QSizeF board);

// The per-user folder of the game in progress: $XDG_STATE_HOME/tarsio, or ~/.local/state/tarsio when
// that variable is unset or not an absolute path.
QString keptGameFolder();

}  // namespace tarsio
