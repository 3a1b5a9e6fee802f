// The saved-game file (".trs"): its record types, the writer and the checking reader.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace tarsio {

// One piece of a saved game: whether it sits in its own cell, its orientation (0 to 7, always 0 when
// docked) and the cell it was dealt into at the cut (0 to pieces - 1).
struct SavedPiece {
  bool docked = false;
  int orientation = 0;
  int startCell = 0;

  bool operator==(const SavedPiece&) const = default;
};

// A whole saved game. The row and column counts are kept as the texts typed in the boxes ("03" stays
// "03"); the scramble code is kept as read, even outside 1 to 4. There is one piece per grid cell, in
// piece order.
struct SavedGame {
  QString picturePath;
  QString rowText;
  QString columnText;
  int scrambleCode = 0;
  std::vector<SavedPiece> pieces;

  bool operator==(const SavedGame&) const = default;
};

// The file's bytes: the quoted picture path (in the local file-name encoding, a double quote written
// doubled), then "rows","columns",code, then one line #TRUE#,0,5 per piece; every line ends in CR LF.
// The game is written as given, without checking it.
QByteArray formatSavedGame(const SavedGame& game);

// Whether the file can hold this picture path: a line feed or carriage return inside it would split
// its record, and the file could not be read back.
bool fileCanHoldPicturePath(const QString& picturePath);

// Reads a whole saved-game file. Line ends may be CR LF or LF, and empty lines may follow the last
// piece. Anything else that differs from what the writer produces, or a game that cannot be played
// (grid counts below 2 or above the piece limit, a piece count that does not match, out-of-range
// orientations or cells, a docked piece that is turned, an empty path), gives nothing; `problem`, when
// given, then receives a short English description for diagnostics.
std::optional<SavedGame> parseSavedGame(const QByteArray& bytes, QString* problem = nullptr);

// The saved game in the file, or nothing for a file that is missing, no regular file, larger than any
// saved game (4 MB; the largest grid takes well under one), or damaged.
std::optional<SavedGame> readSavedGameFile(const QString& fileName);

}  // namespace tarsio
